// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The table's persistent background: the gradient as it was last painted, kept and shown behind
// every control until the next deal paints it again. The painter draws it (TablePainter).

#include <cstdint>
#include <vector>

namespace korvel {

struct Background {
  float Width = 0;   // twips: the screen's width when it was painted
  float Height = 0;  // twips: the client area's height then
  double Ratio = 1;  // device pixels per pixel it was painted at
  // The blue of each device row (Ratio of them per pixel row), or -1 where no band reached.
  std::vector<std::int16_t> Rows;
};

// The gradient of 256 bands over `widthTwips` x `heightTwips`, per device row at `ratio`.
Background GradientBackground(float widthTwips, float heightTwips, double ratio);

// Blue per row of a gradient of 256 bands over `height` rows, band i covering the strip from
// (i - 1) / 256 to i / 256 of the height, a later band winning the rows it shares; -1 where none lies.
std::vector<std::int16_t> GradientRows(int height);

}  // namespace korvel
