// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Single-frame GIF89a output through giflib.

#include <QImage>
#include <QString>

namespace korvel::cardgen {

// Writes `image` (any format; quantized with toIndexed) as a non-interlaced GIF89a whose
// transparent pixels are marked by a Graphics Control Extension. Returns false and fills
// `error` on failure.
bool writeGif(const QImage& image, const QString& path, QString* error);

}  // namespace korvel::cardgen
