// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The card faces and the empty-stock picture written by `korvel_cardgen cards`.

#include "suits.h"

#include <QImage>
#include <QString>

namespace korvel::cardgen {

inline constexpr int kCardWidth = 73;
inline constexpr int kCardHeight = 97;

// Ranks run from 1 (ace) to 13 (king).
inline constexpr int kAce = 1;
inline constexpr int kJack = 11;
inline constexpr int kQueen = 12;
inline constexpr int kKing = 13;

// The file name stem the game loads a card by: rank letter then suit letter, e.g. "td", "Qs".
QString cardCode(int rank, Suit suit);

// The text printed in the corners: "A", "2" ... "10", "J", "Q", "K".
QString rankLabel(int rank);

// Every picture below is drawn at `scale` device pixels per pixel (1, or 2 for the "@2x"
// files) by the same drawing code: only the painter's scale differs.

// A card-shaped picture: `face` inside, a one-pixel `border` ring, transparent outside the
// rounded corners. Decided per device pixel, so the edge never depends on antialiasing.
QImage blankCard(int width, int height, int radius, QRgb face, QRgb border, int scale = 1);

QImage cardFace(int rank, Suit suit, int scale = 1);
QImage emptyStockPicture(int scale = 1);

// Writes the 52 faces and InvertedB.gif into `dir`, creating it, each also at twice the size
// as "<name>@2x.gif".
bool writeCardFaces(const QString& dir, QString* error);

}  // namespace korvel::cardgen
