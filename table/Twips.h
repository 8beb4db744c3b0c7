// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The table's unit: positions and sizes are twips, 15 to the pixel of a 96-dot-per-inch screen.

#include <cstdint>

namespace korvel {

inline constexpr int TwipsPerPixel = 15;

// Nearest whole twip, halves to the even neighbour (positions are read as single-precision values).
std::int16_t WholeTwips(float value);

}  // namespace korvel
