// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Between the table's twips and the screen's pixels, one pixel being 15 twips: what a twip
// rectangle covers on the screen, and where a pixel lies in twips. The pointer over a pixel is at
// its centre, so these are also the only points the mouse can reach.

#include <QRect>

#include "table/PictureControls.h"

namespace korvel {

// The pixels a twip rectangle covers: those whose centres lie inside it.
QRect PixelRect(const TwipRect& rect);
// The twip at the centre of a pixel: the point the mouse is taken to be at over that pixel.
float PixelCentreTwips(int pixel);

}  // namespace korvel
