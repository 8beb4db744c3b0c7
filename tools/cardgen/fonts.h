// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The typefaces the artwork is lettered with. They are loaded from the DejaVu files
// themselves so that every machine draws the same pixels.

#include <QFont>

namespace korvel::cardgen {

// Registers DejaVu Sans and DejaVu Serif; prints why and exits if either is missing,
// since drawing text with some fallback face would silently change the artwork.
void loadFonts();

QFont sansFont(int pixelSize, bool bold = true);
QFont serifFont(int pixelSize, bool bold = true);

}  // namespace korvel::cardgen
