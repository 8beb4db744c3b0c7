// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "alpha.h"

#include <algorithm>

namespace korvel::cardgen {

QImage straightAlpha(const QImage& image)
{
  // Only premultiplied pixels need dividing; Qt converts the other formats exactly.
  if (image.pixelFormat().premultiplied() != QPixelFormat::Premultiplied)
    return image.convertToFormat(QImage::Format_ARGB32);
  const QImage src = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage out(src.size(), QImage::Format_ARGB32);
  out.setDevicePixelRatio(src.devicePixelRatio());
  for (int y = 0; y < src.height(); ++y) {
    const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(y));
    auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
    for (int x = 0; x < src.width(); ++x) {
      const int a = qAlpha(in[x]);
      const auto straight = [a](int c) { return a == 0 ? 0 : std::min(255, (c * 255 + a / 2) / a); };
      line[x] = qRgba(straight(qRed(in[x])), straight(qGreen(in[x])), straight(qBlue(in[x])), a);
    }
  }
  return out;
}

}  // namespace korvel::cardgen
