// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "table/Pixels.h"

#include <cmath>

namespace korvel {

namespace {

constexpr int kHalfPixel = TwipsPerPixel / 2;

// The first pixel whose centre is at or past `twips`. Positions are whole twips nearly always, and
// every read of the table converts each control: whole twips take whole numbers.
int CentreFloor(float twips)
{
  const int whole = static_cast<int>(twips);
  if (static_cast<float>(whole) != twips) return static_cast<int>(std::ceil((twips - kHalfPixel) / TwipsPerPixel));
  const int past = whole - kHalfPixel;
  return past >= 0 ? (past + TwipsPerPixel - 1) / TwipsPerPixel : -(-past / TwipsPerPixel);
}

}  // namespace

float PixelCentreTwips(int pixel) { return static_cast<float>(pixel * TwipsPerPixel + kHalfPixel); }

QRect PixelRect(const TwipRect& rect)
{
  const int left = CentreFloor(rect.Left);
  const int top = CentreFloor(rect.Top);
  return {left, top, CentreFloor(rect.Left + rect.Width) - left, CentreFloor(rect.Top + rect.Height) - top};
}

}  // namespace korvel
