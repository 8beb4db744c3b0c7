// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The pictures of the jack, queen and king.

#include "suits.h"

#include <QImage>
#include <QSize>

namespace korvel::cardgen {

// The framed, double-ended figure panel of a court card, drawn at `scale` device pixels per pixel.
QImage courtPanel(int rank, Suit suit, QSize size, int scale = 1);

}  // namespace korvel::cardgen
