// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "view/TablePainter.h"

#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

#include "table/Pixels.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

void DrawBackground(QPainter& painter, const Background& background, const QRect& area)
{
  // The gradient was painted per device row: `ratio` of its rows make one pixel row of the table.
  const std::vector<std::int16_t>& rows = background.Rows;
  const double ratio = background.Ratio;
  const int count = static_cast<int>(rows.size());
  const int width = static_cast<int>(background.Width) / TwipsPerPixel;
  // The pixel rows the gradient covers wholly, and those it reaches at all.
  const QRect covered(0, 0, width, static_cast<int>(std::floor(count / ratio)));
  const QRect bands = area & QRect(0, 0, width, static_cast<int>(std::ceil(count / ratio)));
  // Anything the gradient did not reach shows the window's black.
  if ((area & covered) != area) {
    const QRegion black = QRegion(area).subtracted(covered);
    for (const QRect& r : black) painter.fillRect(r, Qt::black);
  }
  if (bands.isEmpty()) return;
  const int last = std::min(static_cast<int>(std::ceil((bands.bottom() + 1) * ratio)), count) - 1;
  for (int y = static_cast<int>(std::floor(bands.top() * ratio)); y <= last;) {
    const std::int16_t blue = rows[static_cast<std::size_t>(y)];
    int end = y + 1;
    while (end <= last && rows[static_cast<std::size_t>(end)] == blue) ++end;
    painter.fillRect(QRectF(bands.left(), y / ratio, bands.width(), (end - y) / ratio),
                     blue < 0 ? QColor(Qt::black) : QColor(0, 0, blue));
    y = end;
  }
}

// A ring one pixel of the table wide just inside `e`, in solid colours.
void Ring(QPainter& painter, const QRect& e, const QColor& topLeft, const QColor& bottomRight)
{
  painter.fillRect(QRect(e.left(), e.top(), e.width(), 1), topLeft);
  painter.fillRect(QRect(e.left(), e.top(), 1, e.height()), topLeft);
  painter.fillRect(QRect(e.left(), e.bottom(), e.width(), 1), bottomRight);
  painter.fillRect(QRect(e.right(), e.top() + 1, 1, e.height() - 1), bottomRight);
}

void PaintFrame(QPainter& painter, Frame frame, const QRect& r)
{
  if (frame == Frame::Flat) {
    // Stroked half a pixel in, a one-pixel line covers whole pixels of the table at any device
    // pixel ratio (filled sides would be as exact, but slower under the drag's opacity).
    painter.setPen(QPen(Qt::black, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5));
  } else if (frame == Frame::Sunken) {
    // Outer edge: shadow above and left, highlight below and right; inner edge: dark shadow, face.
    const QColor shadow(128, 128, 128), highlight(255, 255, 255), dark(64, 64, 64), face(212, 208, 200);
    Ring(painter, r, shadow, highlight);
    Ring(painter, r.adjusted(1, 1, -1, -1), dark, face);
  }
}

void PaintControl(QPainter& painter, const PictureControl& c, const QRect& r)
{
  // A picture lands at its place and size in pixels of the table whatever its devicePixelRatio.
  // Where its pixels and the device's do not match one to one (a twice-size picture at a ratio of
  // 1.5), it is filtered rather than sampled; where they match, the hint would only slow it down.
  const QImage& picture = c.Picture();
  const int inset = FrameTwips(c.Border()) / TwipsPerPixel;
  if (!picture.isNull()) {
    const bool oneToOne = picture.devicePixelRatio() == painter.device()->devicePixelRatio();
    if (!oneToOne) painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QPoint(r.left() + inset, r.top() + inset), picture);
    if (!oneToOne) painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
  }
  PaintFrame(painter, c.Border(), r);
}

// The cursor's frame, outside the place: a band of yellow outside a band of black, each two pixels
// of the table wide, no wider than the gap between two columns. Whatever it touches, one of its
// bands stands out from it by 3:1 or more: the yellow from the blue and black of the table, the
// black from a white face or a back's border, inside it and where the frame lies on the card above
// in a column. Whole pixels of the table, so it is sharp at any device ratio.
void PaintCursorFrame(QPainter& painter, const QRect& place)
{
  constexpr int Band = 2;
  const QColor black(0, 0, 0), yellow(255, 212, 0);
  const auto ring = [&painter](const QRect& r, const QColor& colour) {
    painter.fillRect(QRect(r.left(), r.top(), r.width(), Band), colour);
    painter.fillRect(QRect(r.left(), r.bottom() - Band + 1, r.width(), Band), colour);
    painter.fillRect(QRect(r.left(), r.top() + Band, Band, r.height() - 2 * Band), colour);
    painter.fillRect(QRect(r.right() - Band + 1, r.top() + Band, Band, r.height() - 2 * Band), colour);
  };
  ring(place.adjusted(-2 * Band, -2 * Band, 2 * Band, 2 * Band), yellow);
  ring(place.adjusted(-Band, -Band, Band, Band), black);
}

// The held card's mark, inside the cards it takes along: a tint and a border of magenta and black
// dashes, which no card face has, so it shows on any of them.
void PaintHeldMark(QPainter& painter, const QRect& held)
{
  constexpr int Band = 3, Dash = 6;
  const QColor magenta(230, 0, 200), black(0, 0, 0);
  painter.fillRect(held, QColor(230, 0, 200, 48));
  const auto dashes = [&](int x, int y, int length, bool across) {
    for (int k = 0; k < length; k += Dash) {
      const int n = std::min(Dash, length - k);
      const QColor& colour = (k / Dash) % 2 == 0 ? magenta : black;
      painter.fillRect(across ? QRect(x + k, y, n, Band) : QRect(x, y + k, Band, n), colour);
    }
  };
  dashes(held.left(), held.top(), held.width(), true);
  dashes(held.left(), held.bottom() - Band + 1, held.width(), true);
  dashes(held.left(), held.top() + Band, held.height() - 2 * Band, false);
  dashes(held.right() - Band + 1, held.top() + Band, held.height() - 2 * Band, false);
}

}  // namespace

TwipRect MarkedArea(const TwipRect& r)
{
  return {r.Left - MarkMargin, r.Top - MarkMargin, r.Width + 2 * MarkMargin, r.Height + 2 * MarkMargin};
}

void PaintTable(QPainter& painter, const frmSolitaire& form, const QRect& area, const TableMarks& marks)
{
  DrawBackground(painter, form.PaintedBackground(), area);

  // Front to back, keep what shows in `area` and is not hidden behind an opaque control in front
  // (the 24 stock backs lie exactly on one another); then draw those from the back.
  const auto& order = form.Controls().BackToFront();
  std::vector<std::pair<const PictureControl*, QRect>> shown;
  std::vector<QRect> opaque;
  shown.reserve(order.size());
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const PictureControl& c = **it;
    if (!c.Visible()) continue;
    const QRect r = PixelRect(c.Rect());
    if (!r.intersects(area)) continue;
    bool hidden = false;
    for (const QRect& o : opaque)
      if (o.contains(r)) {
        hidden = true;
        break;
      }
    if (hidden) continue;
    shown.emplace_back(&c, r);
    if (c.Opaque()) opaque.push_back(r);
  }
  for (auto it = shown.rbegin(); it != shown.rend(); ++it) PaintControl(painter, *it->first, it->second);

  if (marks.Held) PaintHeldMark(painter, PixelRect(*marks.Held));
  if (marks.Cursor) PaintCursorFrame(painter, PixelRect(*marks.Cursor));

  // A ghost of the dragged card follows the pointer; the card itself stays put until the drop.
  if (const auto& drag = form.Controls().Dragging()) {
    const QRect r = PixelRect(form.Controls().DragRect());
    if (r.intersects(area)) {
      painter.setOpacity(DragGhostOpacity);
      PaintControl(painter, *drag->Source, r);
      painter.setOpacity(1.0);
    }
  }
}

}  // namespace korvel
