// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/Background.h"

#include <algorithm>
#include <cmath>

#include "table/PictureControls.h"

namespace korvel {

Background GradientBackground(float widthTwips, float heightTwips, double ratio)
{
  const int pixelRows = WholeTwips(heightTwips / TwipsPerPixel);
  return {widthTwips, heightTwips, ratio, GradientRows(static_cast<int>(std::lround(pixelRows * ratio)))};
}

std::vector<std::int16_t> GradientRows(int height)
{
  std::vector<std::int16_t> rows(static_cast<std::size_t>(std::max(height, 0)), -1);
  auto floorDiv = [](int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); };
  for (int band = 0; band <= 255; ++band) {
    const int first = std::max(floorDiv((band - 1) * height, 256), 0);
    const int last = std::min(floorDiv(band * height, 256), height - 1);
    for (int row = first; row <= last; ++row)
      rows[static_cast<std::size_t>(row)] = static_cast<std::int16_t>(255 - band);
  }
  return rows;
}

}  // namespace korvel
