// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/TablePlaces.h"

#include <algorithm>
#include <iterator>
#include <limits>

#include "deck/CardCodes.h"
#include "places/Coverage.h"
#include "table/Pixels.h"
#include "table/TableDefinition.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

// The column (0..6) a face at `left` stands in, or -1 between columns.
int ColumnAt(float left)
{
  const int c = static_cast<int>((left - ColumnLeft(0)) / ColumnPitch);
  return c >= 0 && c < ColumnCount && left == ColumnLeft(c) ? c : -1;
}

// The pixel centres a control covers.
Box BoxOf(const TwipRect& rect)
{
  const QRect r = PixelRect(rect);
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The controls of one part of the table, from the back to the front. Nothing outside a part
// overlaps it: columns stand apart below the top row, and each place of the top row apart.
constexpr std::size_t kMaxGroup = MaxBoxes;
struct Group {
  FixedList<PictureControl*, kMaxGroup> controls;
  std::array<Box, kMaxGroup> boxes;
  void Add(PictureControl* control)
  {
    boxes[controls.size()] = BoxOf(control->Rect());
    controls.push_back(control);
  }
};

// Whether some pixel of `target` lies outside every box of the group's controls in front of member
// `k` that `counts` picks (the group holds only visible controls).
template <class Counts>
bool Uncovered(const Box& target, const Group& group, std::size_t k, Counts counts)
{
  BoxList over;
  for (std::size_t j = k + 1; j < group.controls.size(); ++j)
    if (counts(*group.controls[j])) over.push_back(group.boxes[j]);
  return ShowsPast(target, over);
}

bool Visible(const PictureControl& c) { return c.Visible(); }
bool TakesInput(const PictureControl& c) { return c.Visible() && c.Enabled(); }

}  // namespace

TablePlaces::TablePlaces(frmSolitaire& form) : form_(form)
{
  // One pass over the stacking order sorts every visible control into its part of the table. Of the
  // stock and the waste only the frontmost control shows, and a click reaches only it.
  PictureControl* stockFront = nullptr;
  PictureControl* wasteFront = nullptr;
  for (PictureControl* c : form.Controls().BackToFront()) {
    if (!c->Visible()) continue;
    const std::int16_t i = c->Index();
    switch (c->BelongsTo()) {
      case ControlSet::imgPile:
        if (i >= TableauSize && c->Left() == WasteLeft && c->Top() == WasteTop)
          wasteFront = c, ++wasteCards_;
        else if (const int column = ColumnAt(c->Left()); column >= 0 && c->Top() >= KingRowTop)
          buckets_[static_cast<std::size_t>(column)].push_back(c);
        break;
      case ControlSet::imgBack:
        if (i < TableauSize)
          buckets_[static_cast<std::size_t>(TableauPlace(i).column)].push_back(c);
        else
          stockFront = c, ++stockCards_;
        break;
      case ControlSet::imgKingMove: buckets_[static_cast<std::size_t>(i)].push_back(c); break;
      case ControlSet::imgEnd: stockFront = c; break;
      case ControlSet::imgSuitPile: break;
    }
  }
  const TwipRect& reach = form.Controls().View();
  view_ = {reach.Left, reach.Top, std::min(reach.Width, 1e6f), std::min(reach.Height, 1e6f)};
  const Box view = BoxOf(view_);
  const auto alone = [&view](PictureControl* control) -> Stop {
    return {control, TakesInput(*control) && !BoxOf(control->Rect()).Within(view).Empty()};
  };
  if (stockFront != nullptr) stockFront_ = alone(stockFront);
  if (wasteFront != nullptr) {
    wasteStop_ = alone(wasteFront);
    wasteFront_ = wasteFront->Index();
  }
  for (int k = 0; k < FoundationCount; ++k) foundations_[static_cast<std::size_t>(k)] = alone(&form.imgSuitPile(k));

  // A foundation shows the last card of its suit played there: the highest one.
  for (const PictureControl* face : form.Controls().Members(ControlSet::imgPile)) {
    if (face->Visible() || face->Top() != OnFoundationTop) continue;
    const Card& card = form.Deck[static_cast<std::size_t>(face->Index())];
    for (int k = 0; k < FoundationCount; ++k) {
      std::optional<std::int16_t>& shown = foundationTops_[static_cast<std::size_t>(k)];
      if (form.PileSuit[static_cast<std::size_t>(k)] == card.Suit && !card.Suit.empty() &&
          (!shown || card.Rank > form.Deck[static_cast<std::size_t>(*shown)].Rank))
        shown = face->Index();
    }
  }
}

const ColumnCards& TablePlaces::Column(int column) const
{
  ColumnCards& cards = columns_[static_cast<std::size_t>(column)];
  if (read_[static_cast<std::size_t>(column)]) return cards;
  read_[static_cast<std::size_t>(column)] = true;
  Group group;
  for (PictureControl* c : buckets_[static_cast<std::size_t>(column)]) group.Add(c);
  const std::size_t n = group.controls.size();
  // From the top down: by Top, and of two at one Top the one behind first. A handful of controls,
  // nearly in order already: an insertion sort keeps equal Tops as they come.
  std::size_t order[kMaxGroup];
  for (std::size_t k = 0; k < n; ++k) {
    std::size_t m = k;
    for (; m > 0 && group.controls[order[m - 1]]->Top() > group.controls[k]->Top(); --m) order[m] = order[m - 1];
    order[m] = k;
  }
  const Box view = BoxOf(view_);
  for (std::size_t o = 0; o < n; ++o) {
    const std::size_t k = order[o];
    const Box& box = group.boxes[k];
    if (!Uncovered(box, group, k, Visible)) continue;
    PictureControl& control = *group.controls[k];
    switch (control.BelongsTo()) {
      case ControlSet::imgKingMove: cards.EmptyShows = true; break;
      case ControlSet::imgBack: cards.FaceDown.push_back(control.Index()); break;
      default: cards.FaceUp.push_back(control.Index()); break;
    }
    if (!TakesInput(control)) continue;
    const Box inView = box.Within(view);
    const bool whole = inView.l == box.l && inView.t == box.t && inView.r == box.r && inView.b == box.b;
    // Only controls that take input keep the mouse off it, and those all show: a control wholly in
    // the window is reached wherever it shows.
    cards.Stops.push_back({&control, whole || Uncovered(inView, group, k, TakesInput)});
  }
  return cards;
}

bool TablePlaces::Won() const
{
  for (const std::optional<std::int16_t>& top : foundationTops_)
    if (!top || form_.Deck[static_cast<std::size_t>(*top)].Rank != KingRank) return false;
  return true;
}

int TablePlaces::PlaceOfCard(std::int16_t slot) const
{
  const PictureControl& face = form_.imgPile(slot);
  if (!face.Visible()) return -1;
  if (slot >= TableauSize && face.Left() == WasteLeft && face.Top() == WasteTop) return WastePlace;
  const int column = ColumnAt(face.Left());
  return column >= 0 && face.Top() >= KingRowTop ? FirstColumnPlace + column : -1;
}

Stop TablePlaces::TopRowStop(int place) const
{
  if (place == StockPlace) return stockFront_;
  if (place == WastePlace) return wasteStop_;
  if (IsFoundationPlace(place)) return foundations_[static_cast<std::size_t>(place - FirstFoundationPlace)];
  return {};
}

TwipRect TablePlaces::Area(int place) const
{
  if (IsColumnPlace(place)) {
    const StopList& stops = Column(place - FirstColumnPlace).Stops;
    return stops.empty() ? form_.imgKingMove(place - FirstColumnPlace).Rect() : stops.back().Control->Rect();
  }
  if (const Stop stop = TopRowStop(place); stop.Control != nullptr) return stop.Control->Rect();
  return {WasteLeft, WasteTop, form_.imgEnd().Width(), form_.imgEnd().Height()};
}

}  // namespace korvel
