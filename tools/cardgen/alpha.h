// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Pictures are drawn premultiplied; files and the palette need straight alpha. Qt's own conversion
// divides by the alpha with the processor's approximate reciprocal, so a value exactly half-way
// (35 at alpha 150 is 59.5) rounds up on one processor and down on another, and the drawn files
// would depend on the machine that drew them. This one is exact integer arithmetic.

#include <QImage>

namespace korvel::cardgen {

// A Format_ARGB32 copy of `image`, each colour channel c of a premultiplied pixel of alpha a
// (a > 0) becoming c * 255 / a rounded half up; fully transparent pixels become 0.
QImage straightAlpha(const QImage& image);

}  // namespace korvel::cardgen
