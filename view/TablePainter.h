// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Draws the table: the persistent background, then every visible picture control from the back to
// the front with its frame, then the card being dragged. Pixel coordinates, one pixel = 15 twips.

#include <QRect>

#include <optional>

#include "table/PictureControls.h"

class QPainter;

namespace korvel {

class frmSolitaire;

// How strongly the card following the pointer during a drag is drawn.
inline constexpr double DragGhostOpacity = 0.8;

// The keyboard's marks over the table: the cursor's frame around its place and the held card's
// mark on the cards it takes along. The frame is drawn up to MarkMargin outside its rectangle.
struct TableMarks {
  std::optional<TwipRect> Cursor;
  std::optional<TwipRect> Held;
  friend bool operator==(const TableMarks&, const TableMarks&) = default;
};
inline constexpr float MarkMargin = 5 * TwipsPerPixel;

// The whole area a mark drawn for `rect` covers.
TwipRect MarkedArea(const TwipRect& rect);

// Paints `area` of the table: background, controls, the card being dragged, and the keyboard's
// marks (none until a key has been pressed).
void PaintTable(QPainter& painter, const frmSolitaire& form, const QRect& area, const TableMarks& marks = {});

}  // namespace korvel
