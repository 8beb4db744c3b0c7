// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The four suit symbols as vector shapes, and the suit/rank naming used in file names.

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QPointF>
#include <QSizeF>

class QPainter;

namespace korvel::cardgen {

enum class Suit { Diamonds, Clubs, Hearts, Spades };

inline constexpr Suit kAllSuits[] = {Suit::Diamonds, Suit::Clubs, Suit::Hearts, Suit::Spades};

bool isRed(Suit suit);
char suitLetter(Suit suit);

// Red or black ink for the suit.
QColor suitInk(Suit suit);

// The outline of the symbol in a 100 x 100 box centred on the origin, point of a heart
// downwards (y grows down as on screen).
QPainterPath suitPath(Suit suit);

// Width of the symbol for a height of 1: diamonds are slimmer than hearts.
double suitAspect(Suit suit);

// Fills the symbol `height` pixels tall centred on `centre`, turned over if `upsideDown`.
void drawSuit(QPainter& painter, Suit suit, QPointF centre, double height, const QColor& colour,
              bool upsideDown = false);
void drawSuit(QPainter& painter, Suit suit, QPointF centre, QSizeF size, const QColor& colour, bool upsideDown = false);

// The symbol about `height` pixels tall (rounded to an odd number), centred in a small square
// transparent picture of odd size, so it has a centre pixel; its antialiased rim is narrowed
// to keep it sharp. Drawn at `scale` device pixels per pixel.
QImage suitSprite(Suit suit, double height, const QColor& colour, int scale = 1);

// Narrows the antialiased rim of the shapes in `image` to about half a pixel: the wider rim
// plain antialiasing gives looks blurred at card size.
void crispen(QImage& image);

}  // namespace korvel::cardgen
