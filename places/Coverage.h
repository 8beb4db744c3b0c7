// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Whether a rectangle of pixels still shows past the rectangles laid over it: what the places are
// read with, exact to the pixel, in whole pixel rows and spans.

#include <algorithm>
#include <cstddef>

#include "places/FixedList.h"

namespace korvel {

// Pixel centres: left and top inclusive, right and bottom exclusive.
struct Box {
  int l, t, r, b;
  bool Empty() const { return l >= r || t >= b; }
  Box Within(const Box& o) const { return {std::max(l, o.l), std::max(t, o.t), std::min(r, o.r), std::min(b, o.b)}; }
  friend bool operator==(const Box&, const Box&) = default;
};

// As many boxes as one part of the table holds controls, at most.
inline constexpr std::size_t MaxBoxes = 64;
using BoxList = FixedList<Box, MaxBoxes>;

// Whether some pixel of `target` lies outside every box of `over`; never for an empty target.
bool ShowsPast(const Box& target, const BoxList& over);

}  // namespace korvel
