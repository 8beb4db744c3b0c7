// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Turning rendered RGBA pictures into palette pictures (GIF faces, the 256-colour icon).

#include <QImage>

namespace korvel::cardgen {

// Returns a Format_Indexed8 copy of `image`. Pixels less than half opaque become one fully
// transparent colour-table entry (the last one); the others lose their alpha. When at most
// `maxColours` opaque colours occur they are kept exactly, otherwise a median cut picks
// `maxColours` of them. The result only depends on the pixels, so output is reproducible.
QImage toIndexed(const QImage& image, int maxColours = 255);

// Index of the transparent entry of a picture made by toIndexed(), or -1 if it has none.
int transparentIndex(const QImage& indexed);

}  // namespace korvel::cardgen
