// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Pictures drawn at a scale: every picture is laid out in pixels of its normal size and may be
// rendered at `scale` device pixels per pixel (2 for the "@2x" files). The image then carries
// that scale as its devicePixelRatio, so a painter on it draws in normal pixels and lands on
// device pixels, and a painter drawing it places it at its normal size.

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QSize>

namespace korvel::cardgen {

// A picture of `width` x `height` pixels at `scale`, filled with `fill`.
inline QImage scaledCanvas(int width, int height, int scale, const QColor& fill,
                           QImage::Format format = QImage::Format_ARGB32_Premultiplied)
{
  QImage img(width * scale, height * scale, format);
  img.setDevicePixelRatio(scale);
  img.fill(fill);
  return img;
}

// The picture's size in pixels of its normal size.
inline QSize pictureSize(const QImage& picture) { return picture.deviceIndependentSize().toSize(); }

// The scale of what the painter draws on, for the pictures it is given to draw.
inline int paintScale(const QPainter& p) { return qRound(p.device()->devicePixelRatio()); }

}  // namespace korvel::cardgen
