// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Pictures drawn at twice their size for high-density screens, Qt's own convention for card files
// and built-in pictures alike: beside "<name>.<ext>" lies "<name>@2x.<ext>", read instead on a
// screen of more than one device pixel per pixel and drawn at the normal picture's place and size.

#include <string>

namespace korvel {

// The scale pictures are read at for a screen of `devicePixelRatio`: 2 above a ratio of 1 (a
// ratio of 1.5 draws the twice-size picture scaled down rather than the normal one scaled up).
int PictureScale(double devicePixelRatio);

// The twice-size version's name: "cards/Ks.gif" -> "cards/Ks@2x.gif".
std::string TwiceSizePath(const std::string& path);

}  // namespace korvel
