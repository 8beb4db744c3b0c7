// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The shuffle's random source: re-seeded from the clock before every draw.

#include <cstdint>

namespace korvel {

class ClockRandom {
 public:
  // Mixes the clock into the state rather than restarting from it, so re-seeds within one clock
  // tick still give different draws.
  void Randomize();
  // Next value, uniform in [0, 1), single precision.
  float Rnd();

 private:
  std::uint64_t state_ = 0x9E3779B97F4A7C15ull;
};

// The slot the shuffle exchanges with: u x 51 rounded half to even, so 0..51 inclusive.
std::int16_t ShuffleIndex(float u);

}  // namespace korvel
