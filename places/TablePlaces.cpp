// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/TablePlaces.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <string_view>

#include "deck/CardCodes.h"
#include "table/Pixels.h"
#include "table/TableDefinition.h"
#include "table/frmSolitaire.h"

namespace korvel {

namespace {

constexpr const char* kRankNames[] = {"As",   "Deux", "Trois", "Quatre", "Cinq", "Six", "Sept",
                                      "Huit", "Neuf", "Dix",   "Valet",  "Dame", "Roi"};

// In the order of the suit letters: diamonds, clubs, hearts, spades.
constexpr const char* kSuitNames[] = {"carreau", "trèfle", "cœur", "pique"};

const char* SuitName(const std::string& suit)
{
  const std::size_t k = suit.empty() ? std::string_view::npos : SuitLetters.find(suit[0]);
  return k < std::size(kSuitNames) ? kSuitNames[k] : "?";
}

// The column (0..6) a face at `left` stands in, or -1 between columns.
int ColumnAt(float left)
{
  for (int c = 0; c < ColumnCount; ++c)
    if (left == ColumnLeft(c)) return c;
  return -1;
}

// The pixel centres a control covers (left, top inclusive; right, bottom exclusive).
struct Box {
  int l = 0, t = 0, r = 0, b = 0;
  bool Empty() const { return l >= r || t >= b; }
  Box Within(const Box& o) const { return {std::max(l, o.l), std::max(t, o.t), std::min(r, o.r), std::min(b, o.b)}; }
};

Box BoxOf(const TwipRect& rect)
{
  const QRect r = PixelRect(rect);
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

// The controls of one part of the table, from the back to the front. Nothing outside a part
// overlaps it: columns stand apart below the top row, and each place of the top row apart.
constexpr std::size_t kMaxGroup = 64;
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
// `k` that `counts` picks.
template <class Counts>
bool Uncovered(Box target, const Group& group, std::size_t k, Counts counts)
{
  if (target.Empty()) return false;
  std::array<Box, kMaxGroup> over;
  std::size_t n = 0;
  for (std::size_t j = k + 1; j < group.controls.size(); ++j)
    if (counts(*group.controls[j]))
      if (const Box clipped = group.boxes[j].Within(target); !clipped.Empty()) over[n++] = clipped;
  if (n == 0) return true;
  // In each band between the boxes' top and bottom edges, the boxes spanning it must cover it from
  // end to end.
  std::array<int, 2 * kMaxGroup + 2> ys;
  std::size_t m = 0;
  ys[m++] = target.t;
  ys[m++] = target.b;
  for (std::size_t i = 0; i < n; ++i) ys[m++] = over[i].t, ys[m++] = over[i].b;
  std::sort(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(m));
  m = static_cast<std::size_t>(std::unique(ys.begin(), ys.begin() + static_cast<std::ptrdiff_t>(m)) - ys.begin());
  std::array<std::pair<int, int>, kMaxGroup> spans;
  for (std::size_t band = 0; band + 1 < m; ++band) {
    std::size_t s = 0;
    for (std::size_t i = 0; i < n; ++i)
      if (over[i].t <= ys[band] && over[i].b >= ys[band + 1]) spans[s++] = {over[i].l, over[i].r};
    std::sort(spans.begin(), spans.begin() + static_cast<std::ptrdiff_t>(s));
    int x = target.l;
    for (std::size_t i = 0; i < s && x < target.r; ++i) {
      if (spans[i].first > x) return true;
      x = std::max(x, spans[i].second);
    }
    if (x < target.r) return true;
  }
  return false;
}

bool Visible(const PictureControl& c) { return c.Visible(); }
bool TakesInput(const PictureControl& c) { return c.Visible() && c.Enabled(); }

// What the eye sees of member `k`, and what the mouse reaches of it inside `view`.
bool Shows(const Group& group, std::size_t k) { return Uncovered(group.boxes[k], group, k, Visible); }
Stop StopAt(const Group& group, std::size_t k, const Box& view)
{
  PictureControl* control = group.controls[k];
  return {control, TakesInput(*control) && Uncovered(group.boxes[k].Within(view), group, k, TakesInput)};
}

}  // namespace

TablePlaces::TablePlaces(frmSolitaire& form) : form_(form)
{
  // One pass over the stacking order sorts every visible control into its part of the table.
  std::array<Group, ColumnCount> columns;
  Group stock, waste;
  for (PictureControl* c : form.Controls().BackToFront()) {
    if (!c->Visible()) continue;
    const std::int16_t i = c->Index();
    switch (c->BelongsTo()) {
      case ControlSet::imgPile:
        if (i >= TableauSize && c->Left() == WasteLeft && c->Top() == WasteTop)
          waste.Add(c);
        else if (const int column = ColumnAt(c->Left()); column >= 0 && c->Top() >= KingRowTop)
          columns[static_cast<std::size_t>(column)].Add(c);
        break;
      case ControlSet::imgBack:
        if (i < TableauSize)
          columns[static_cast<std::size_t>(TableauPlace(i).column)].Add(c);
        else
          stock.Add(c), ++stockCards_;
        break;
      case ControlSet::imgKingMove: columns[static_cast<std::size_t>(i)].Add(c); break;
      case ControlSet::imgEnd: stock.Add(c); break;
      case ControlSet::imgSuitPile: break;
    }
  }
  const float viewWidth = std::min(form.Controls().ViewWidth(), 1e6f);
  const float viewHeight = std::min(form.Controls().ViewHeight(), 1e6f);
  const Box view = BoxOf({0, 0, viewWidth, viewHeight});

  // The stock and the waste: the frontmost control is what shows and what a click reaches.
  if (!stock.controls.empty()) stockFront_ = StopAt(stock, stock.controls.size() - 1, view);
  if (!waste.controls.empty()) {
    wasteStop_ = StopAt(waste, waste.controls.size() - 1, view);
    wasteFront_ = wasteStop_.Control->Index();
  }
  for (int k = 0; k < FoundationCount; ++k) {
    Group foundation;
    foundation.Add(&form.imgSuitPile(k));
    foundations_[static_cast<std::size_t>(k)] = StopAt(foundation, 0, view);
  }

  // Each column from the top down: by Top, and of two at one Top the one behind first.
  for (int c = 0; c < ColumnCount; ++c) {
    const Group& group = columns[static_cast<std::size_t>(c)];
    std::array<std::size_t, kMaxGroup> order;
    const std::size_t n = group.controls.size();
    for (std::size_t k = 0; k < n; ++k) order[k] = k;
    std::stable_sort(
        order.begin(), order.begin() + static_cast<std::ptrdiff_t>(n),
        [&group](std::size_t a, std::size_t b) { return group.controls[a]->Top() < group.controls[b]->Top(); });
    ColumnCards& cards = columns_[static_cast<std::size_t>(c)];
    for (std::size_t o = 0; o < n; ++o) {
      const std::size_t k = order[o];
      if (!Shows(group, k)) continue;
      const PictureControl& control = *group.controls[k];
      switch (control.BelongsTo()) {
        case ControlSet::imgKingMove: cards.EmptyShows = true; break;
        case ControlSet::imgBack: cards.FaceDown.push_back(control.Index()); break;
        default: cards.FaceUp.push_back(control.Index()); break;
      }
      if (TakesInput(control)) cards.Stops.push_back(StopAt(group, k, view));
    }
  }

  // A foundation shows the last card of its suit played there: the highest one.
  for (std::int16_t slot = 0; slot < DeckSize; ++slot) {
    const PictureControl& face = form.imgPile(slot);
    if (face.Visible() || face.Top() != OnFoundationTop) continue;
    const Card& card = form.Deck[static_cast<std::size_t>(slot)];
    for (int k = 0; k < FoundationCount; ++k) {
      std::optional<std::int16_t>& shown = foundationTops_[static_cast<std::size_t>(k)];
      if (form.PileSuit[static_cast<std::size_t>(k)] == card.Suit && !card.Suit.empty() &&
          (!shown || card.Rank > form.Deck[static_cast<std::size_t>(*shown)].Rank))
        shown = slot;
    }
  }
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

std::string CardName(const Card& card)
{
  std::string name = card.Rank >= 1 && card.Rank <= 13 ? kRankNames[card.Rank - 1] : "?";
  name += " de ";
  name += SuitName(card.Suit);
  return name;
}

std::string HeldCardName(const Card& card)
{
  // The word agrees with the card: the queen is "tenue", every other card "tenu".
  constexpr std::int16_t kQueen = 12;
  return CardName(card) + (card.Rank == kQueen ? ", tenue" : ", tenu");
}

std::string TablePlaces::Title(int place)
{
  if (place == StockPlace) return "Talon";
  if (place == WastePlace) return "Défausse";
  if (IsFoundationPlace(place)) return "Fondation " + std::to_string(place - FirstFoundationPlace + 1);
  return "Colonne " + std::to_string(place - FirstColumnPlace + 1);
}

std::string TablePlaces::Name(int place, std::optional<std::int16_t> held, const PictureControl* cursor) const
{
  std::string name = Title(place);
  if (place == StockPlace) {
    if (stockCards_ == 0) return name + " vide";
    return name + ", " + std::to_string(stockCards_) + (stockCards_ == 1 ? " carte" : " cartes");
  }
  const auto card = [this](std::int16_t slot) -> const Card& { return form_.Deck[static_cast<std::size_t>(slot)]; };
  if (place == WastePlace) {
    if (!wasteFront_) return name + " vide";
    return name + " : " + (held == wasteFront_ ? HeldCardName(card(*wasteFront_)) : CardName(card(*wasteFront_)));
  }
  if (IsFoundationPlace(place)) {
    const std::optional<std::int16_t> top = FoundationTop(place - FirstFoundationPlace);
    if (!top) return name + " vide";
    return name + " : " + CardName(card(*top));
  }
  const ColumnCards& cards = Column(place - FirstColumnPlace);
  if (cards.FaceDown.empty() && cards.FaceUp.empty()) return name + " vide";
  name += " : ";
  std::string items;
  const auto item = [&items](const std::string& text) {
    if (!items.empty()) items += ", ";
    items += text;
  };
  if (cards.EmptyShows) item("emplacement vide");
  const std::size_t hidden = cards.FaceDown.size();
  if (hidden > 0) item(std::to_string(hidden) + (hidden == 1 ? " carte cachée" : " cartes cachées"));
  for (const std::int16_t slot : cards.FaceUp) item(held == slot ? HeldCardName(card(slot)) : CardName(card(slot)));
  name += items;
  // The cursor on a stop above the last one acts there: say where it stands.
  const StopList& stops = cards.Stops;
  if (cursor != nullptr && !stops.empty() && cursor != stops.back().Control) {
    if (cursor->BelongsTo() == ControlSet::imgPile)
      name += " ; depuis " + CardName(card(cursor->Index()));
    else if (cursor->BelongsTo() == ControlSet::imgKingMove)
      name += " ; sur l'emplacement vide";
    else
      name += " ; sur la carte cachée";
  }
  return name;
}

}  // namespace korvel
