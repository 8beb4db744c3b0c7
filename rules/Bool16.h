// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The game's booleans: in records and in rule results they are 16-bit, -1 for true and 0 for
// false, and callers test for -1.

#include <cstdint>

namespace korvel {

using Bool16 = std::int16_t;
inline constexpr Bool16 True16 = -1;
inline constexpr Bool16 False16 = 0;

}  // namespace korvel
