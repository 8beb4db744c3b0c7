// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Draws the table: the persistent background, then every visible picture control from the back to
// the front with its frame, then the card being dragged. Pixel coordinates, one pixel = 15 twips.

#include <QRect>

#include "places/TableKeyboard.h"
#include "table/PictureControls.h"

class QPainter;

namespace korvel {

class frmSolitaire;

// How strongly the card following the pointer during a drag is drawn.
inline constexpr double DragGhostOpacity = 0.8;

// The pixels a twip rectangle covers: those whose centres lie inside it.
QRect PixelRect(const TwipRect& rect);
// The twip at the centre of a pixel.
float PixelCentreTwips(int pixel);

// Paints `area` of the table: background, controls, the card being dragged, and the keyboard's
// marks (none until a key has been pressed).
void PaintTable(QPainter& painter, const frmSolitaire& form, const QRect& area, const KeyboardMarks& marks = {});

}  // namespace korvel
