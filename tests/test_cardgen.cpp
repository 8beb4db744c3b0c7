// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The art tool draws the same files on every machine: a premultiplied pixel becomes straight by
// exact arithmetic, never by a processor's approximation that may round a half-way value either way.

#include <gtest/gtest.h>

#include <QImage>

#include <cmath>

#include "cardgen/alpha.h"

using korvel::cardgen::straightAlpha;

TEST(StraightAlpha, EveryPremultipliedValueBecomesItsQuotientRoundedHalfUp)
{
  // Row a holds every value a premultiplied channel may take at alpha a, in red, green and blue.
  QImage drawn(256, 256, QImage::Format_ARGB32_Premultiplied);
  for (int a = 0; a < 256; ++a)
    for (int c = 0; c < 256; ++c) drawn.setPixel(c, a, c <= a ? qRgba(c, c / 2, a - c, a) : 0);
  const QImage straight = straightAlpha(drawn);
  ASSERT_EQ(straight.format(), QImage::Format_ARGB32);
  const auto exact = [](int c, int a) { return a == 0 ? 0 : static_cast<int>(std::floor(c * 255.0 / a + 0.5)); };
  for (int a = 0; a < 256; ++a) {
    for (int c = 0; c <= a; ++c) {
      const QRgb p = straight.pixel(c, a);
      ASSERT_EQ(qAlpha(p), a);
      ASSERT_EQ(qRed(p), exact(c, a)) << "alpha " << a << ", value " << c;  // 35 at 150 is 59.5: 60
      ASSERT_EQ(qGreen(p), exact(c / 2, a)) << "alpha " << a;
      ASSERT_EQ(qBlue(p), exact(a - c, a)) << "alpha " << a;
    }
  }
}

TEST(StraightAlpha, PicturesWithoutPremultipliedAlphaKeepTheirColours)
{
  QImage opaque(1, 1, QImage::Format_RGB32);
  opaque.setPixel(0, 0, qRgb(35, 150, 7));
  EXPECT_EQ(straightAlpha(opaque).pixel(0, 0), qRgb(35, 150, 7));
  QImage plain(1, 1, QImage::Format_ARGB32);
  plain.setPixel(0, 0, qRgba(35, 150, 7, 20));  // premultiplying would lose it
  EXPECT_EQ(straightAlpha(plain).pixel(0, 0), qRgba(35, 150, 7, 20));
}
