// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "deck/Shuffle.h"

#include <chrono>
#include <cmath>

namespace korvel {

namespace {

std::uint64_t SplitMix(std::uint64_t& state)
{
  std::uint64_t z = (state += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

}  // namespace

void ClockRandom::Randomize()
{
  const auto now = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  state_ ^= static_cast<std::uint64_t>(now);
  SplitMix(state_);
}

float ClockRandom::Rnd()
{
  // 24 random bits: every value is exact in single precision and below 1.
  return static_cast<float>(SplitMix(state_) >> 40) * (1.0f / 16777216.0f);
}

std::int16_t ShuffleIndex(float u)
{
  const float scaled = u * 51.0f;
  return static_cast<std::int16_t>(std::nearbyint(scaled));
}

}  // namespace korvel
