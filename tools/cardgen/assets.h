// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The artwork built into the program: card back, icons, logo, banner and menu bitmaps.

#include <QString>

namespace korvel::cardgen {

// Writes back.jpg, icon.png, logo.jpg, banner.jpg and the menu_*.bmp pictures into `dir`, and
// each but the icon also at twice its size ("back@2x.jpg", ...).
bool writeAssets(const QString& dir, QString* error);

}  // namespace korvel::cardgen
