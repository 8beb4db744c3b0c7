// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/Coverage.h"

namespace korvel {

bool ShowsPast(const Box& target, const BoxList& boxes)
{
  if (target.Empty()) return false;
  Box over[MaxBoxes];
  std::size_t n = 0;
  for (const Box& box : boxes) {
    const Box clipped = box.Within(target);
    if (clipped.Empty()) continue;
    if (clipped == target) return false;  // one box hides it all
    over[n++] = clipped;
  }
  // Most cards that show do so at a corner: the fanned cards' tops, a strip beside a narrower card.
  const auto inside = [&over, n](int x, int y) {
    for (std::size_t i = 0; i < n; ++i)
      if (x >= over[i].l && x < over[i].r && y >= over[i].t && y < over[i].b) return true;
    return false;
  };
  if (!inside(target.l, target.t) || !inside(target.r - 1, target.t) || !inside(target.l, target.b - 1) ||
      !inside(target.r - 1, target.b - 1))
    return true;
  // Otherwise: in each band between the boxes' top and bottom edges, the boxes spanning it must cover
  // it from end to end.
  int ys[2 * MaxBoxes + 2];
  std::size_t m = 0;
  ys[m++] = target.t;
  ys[m++] = target.b;
  for (std::size_t i = 0; i < n; ++i) ys[m++] = over[i].t, ys[m++] = over[i].b;
  std::sort(ys, ys + m);
  m = static_cast<std::size_t>(std::unique(ys, ys + m) - ys);
  struct Span {
    int l, r;
  } spans[MaxBoxes];
  for (std::size_t band = 0; band + 1 < m; ++band) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (over[i].t <= ys[band] && over[i].b >= ys[band + 1]) spans[count++] = {over[i].l, over[i].r};
    std::sort(spans, spans + count, [](const Span& a, const Span& b) { return a.l < b.l; });
    int x = target.l;
    for (std::size_t i = 0; i < count && x < target.r; ++i) {
      if (spans[i].l > x) return true;
      x = std::max(x, spans[i].r);
    }
    if (x < target.r) return true;
  }
  return false;
}

}  // namespace korvel
