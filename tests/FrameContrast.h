// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Whether the cursor's frame stays visible to low vision next to all it can touch: across each of
// its sides, every band of one colour is at least 2 device pixels wide and, on the outer side and
// on the inner one, one of the two bands nearest it stands at 3:1 or more from the colour there
// (the contrast of non-text content), as two bands that far apart from each other always give.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

#include "TableFixture.h"
#include "table/Pixels.h"
#include "view/TablePainter.h"

namespace korvel::testing {

// The contrast ratio of two sRGB colours, from 1 to 21.
inline double Contrast(QRgb a, QRgb b)
{
  const auto luminance = [](QRgb c) {
    const auto linear = [](int v) {
      const double s = v / 255.0;
      return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The table painted at device pixel ratio `ratio`, with the cursor's frame around `cursor` or not.
inline QImage PaintedTable(const frmSolitaire& form, double ratio, std::optional<TwipRect> cursor)
{
  const QSize size(588, 385);
  QImage image(size * ratio, QImage::Format_RGB32);
  image.setDevicePixelRatio(ratio);
  QPainter painter(&image);
  PaintTable(painter, form, QRect(QPoint(0, 0), size), {cursor, std::nullopt});
  return image;
}

// Checks the frame around each of the table's usual neighbourhoods: the stock's back on the bright
// top of the table, a run above a white face in a column, a column's last card on the darker table,
// an empty foundation.
inline void ExpectTheCursorsFrameStandsOut(frmSolitaire& form, double ratio)
{
  ArrangeDeal(form, {{22, "9h"}, {28, "8s"}, {29, "7h"}});
  BuildRunOn(form, 22, 28, {"8s", "7h"});  // column 5: 9♥, then 8♠ and 7♥
  ASSERT_EQ(form.imgPile(28).Left(), form.imgPile(22).Left()) << "the run is in column 5";
  const auto unite = [](const TwipRect& a, const TwipRect& b) {
    const float right = std::max(a.Left + a.Width, b.Left + b.Width);
    const float bottom = std::max(a.Top + a.Height, b.Top + b.Height);
    return TwipRect{std::min(a.Left, b.Left), std::min(a.Top, b.Top), right - std::min(a.Left, b.Left),
                    bottom - std::min(a.Top, b.Top)};
  };
  const TwipRect places[] = {form.imgBack(51).Rect(), unite(form.imgPile(28).Rect(), form.imgPile(29).Rect()),
                             form.imgPile(27).Rect(), form.imgSuitPile(0).Rect()};
  const QImage plain = PaintedTable(form, ratio, std::nullopt);
  const int margin = static_cast<int>(std::lround(MarkMargin / TwipsPerPixel * ratio));
  for (const TwipRect& place : places) {
    const QImage framed = PaintedTable(form, ratio, place);
    const QRect logical = PixelRect(place);
    const QRect r(logical.topLeft() * ratio, logical.size() * ratio);
    // A point on each side's inner edge, a quarter, half and three quarters along, and the way out.
    std::vector<std::pair<QPoint, QPoint>> across;
    for (const double f : {0.25, 0.5, 0.75}) {
      const int x = r.left() + static_cast<int>(r.width() * f), y = r.top() + static_cast<int>(r.height() * f);
      across.emplace_back(QPoint(x, r.top()), QPoint(0, -1));
      across.emplace_back(QPoint(x, r.bottom()), QPoint(0, 1));
      across.emplace_back(QPoint(r.left(), y), QPoint(-1, 0));
      across.emplace_back(QPoint(r.right(), y), QPoint(1, 0));
    }
    int widest = 0;
    for (const auto& [edge, out] : across) {
      SCOPED_TRACE(::testing::Message() << "ratio " << ratio << ", place at " << logical.x() << "," << logical.y()
                                        << ", across " << edge.x() << "," << edge.y());
      // The frame reaches as far out as its last pixel that the table without it does not have.
      int extent = 0;
      for (int k = 1; k <= margin; ++k)
        if (framed.pixel(edge + k * out) != plain.pixel(edge + k * out)) extent = k;
      ASSERT_GT(extent, 0) << "no frame";
      widest = std::max(widest, extent);
      std::vector<std::pair<QRgb, int>> bands;  // from the inside out: colour, width
      for (int k = 1; k <= extent; ++k) {
        const QRgb c = framed.pixel(edge + k * out);
        if (!bands.empty() && bands.back().first == c)
          ++bands.back().second;
        else
          bands.emplace_back(c, 1);
      }
      for (const auto& [colour, width] : bands) EXPECT_GE(width, 2) << std::hex << colour;
      const auto standsOut = [&bands](QRgb next, std::size_t nearest, std::size_t second) {
        return std::max(Contrast(next, bands[nearest].first), Contrast(next, bands[second].first)) >= 3.0;
      };
      const std::size_t n = bands.size();
      EXPECT_TRUE(standsOut(framed.pixel(edge), 0, std::min<std::size_t>(1, n - 1))) << "inside";
      EXPECT_TRUE(standsOut(framed.pixel(edge + (extent + 1) * out), n - 1, n >= 2 ? n - 2 : 0)) << "outside";
    }
    // Whole rings, corners too: each pixel as far out as the frame reaches has the colour the frame
    // has that far out across the middle of its top.
    const QPoint top(r.center().x(), r.top());
    QPoint broken(-1, -1);
    for (int y = r.top() - widest; y <= r.bottom() + widest; ++y)
      for (int x = r.left() - widest; x <= r.right() + widest; ++x) {
        const int out = std::max({r.left() - x, x - r.right(), r.top() - y, y - r.bottom()});
        if (out > 0 && framed.pixel(x, y) != framed.pixel(top - QPoint(0, out))) broken = {x, y};
      }
    EXPECT_EQ(broken, QPoint(-1, -1)) << "ratio " << ratio << ": the frame breaks there";
  }
}

}  // namespace korvel::testing
