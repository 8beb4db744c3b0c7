// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/Pixels.h"

#include <cmath>

namespace korvel {

namespace {

constexpr int kHalfPixel = TwipsPerPixel / 2;

// The first pixel whose centre is at or past `twips`.
int CentreFloor(float twips) { return static_cast<int>(std::ceil((twips - kHalfPixel) / TwipsPerPixel)); }

}  // namespace

float PixelCentreTwips(int pixel) { return static_cast<float>(pixel * TwipsPerPixel + kHalfPixel); }

QRect PixelRect(const TwipRect& rect)
{
  const int left = CentreFloor(rect.Left);
  const int top = CentreFloor(rect.Top);
  return {left, top, CentreFloor(rect.Left + rect.Width) - left, CentreFloor(rect.Top + rect.Height) - top};
}

}  // namespace korvel
