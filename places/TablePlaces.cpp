// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/TablePlaces.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "cards/CardCodes.h"
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

const PictureControl& Face(const frmSolitaire& form, std::int16_t slot)
{
  return form.Controls().Get(ControlSet::imgPile, slot);
}

// Whether face `a` lies in front of face `b`.
bool InFront(const frmSolitaire& form, std::int16_t a, std::int16_t b)
{
  const auto& order = form.Controls().BackToFront();
  const auto at = [&](std::int16_t slot) { return std::find(order.begin(), order.end(), &Face(form, slot)); };
  return at(a) > at(b);
}

void AppendCard(std::string& text, const frmSolitaire& form, std::int16_t slot, std::optional<std::int16_t> held)
{
  const Card& card = form.Deck[static_cast<std::size_t>(slot)];
  text += CardName(card);
  // The word agrees with the card: the queen is "tenue", every other card "tenu".
  if (held == slot) text += card.Rank == 12 ? ", tenue" : ", tenu";
}

}  // namespace

ColumnCards ReadColumn(const frmSolitaire& form, int column)
{
  ColumnCards cards;
  // The backs never move: a column's are the slots dealt to it, row by row.
  for (int row = 0; row <= column; ++row) {
    const std::int16_t slot = TableauSlot(column, row);
    if (form.Controls().Get(ControlSet::imgBack, slot).Visible()) cards.FaceDown.push_back(slot);
  }
  const float left = ColumnLeft(column);
  SlotList& up = cards.FaceUp;
  for (const PictureControl* face : form.Controls().Members(ControlSet::imgPile))
    if (face->Visible() && face->Left() == left && face->Top() >= KingRowTop) up.push_back(face->Index());
  // By Top, a handful of cards; of two faces at one Top only the front one shows.
  for (std::size_t k = 1; k < up.size(); ++k)
    for (std::size_t m = k; m > 0 && Face(form, up[m]).Top() < Face(form, up[m - 1]).Top(); --m)
      std::swap(up[m], up[m - 1]);
  std::size_t shown = 0;
  for (std::size_t k = 0; k < up.size(); ++k) {
    if (shown > 0 && Face(form, up[shown - 1]).Top() == Face(form, up[k]).Top()) {
      if (InFront(form, up[k], up[shown - 1])) up[shown - 1] = up[k];
    } else {
      up[shown++] = up[k];
    }
  }
  up.resize(shown);
  return cards;
}

std::optional<std::int16_t> LastFaceUp(const frmSolitaire& form, int column)
{
  const float left = ColumnLeft(column);
  const PictureControl* last = nullptr;
  for (const PictureControl* face : form.Controls().Members(ControlSet::imgPile)) {
    if (!face->Visible() || face->Left() != left || face->Top() < KingRowTop) continue;
    if (last == nullptr || face->Top() > last->Top() ||
        (face->Top() == last->Top() && InFront(form, face->Index(), last->Index())))
      last = face;
  }
  return last != nullptr ? std::optional<std::int16_t>(last->Index()) : std::nullopt;
}

int StockCards(const frmSolitaire& form)
{
  int count = 0;
  for (std::int16_t slot = TableauSize; slot < DeckSize; ++slot)
    count += form.Controls().Get(ControlSet::imgBack, slot).Visible() ? 1 : 0;
  return count;
}

std::optional<std::int16_t> StockFront(const frmSolitaire& form)
{
  // The stock's backs keep the order they were created in, the highest slot in front.
  for (std::int16_t slot = DeckSize - 1; slot >= TableauSize; --slot)
    if (form.Controls().Get(ControlSet::imgBack, slot).Visible()) return slot;
  return std::nullopt;
}

std::optional<std::int16_t> WasteFront(const frmSolitaire& form)
{
  const auto& order = form.Controls().BackToFront();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    const PictureControl& c = **it;
    if (c.Set() == ControlSet::imgPile && c.Visible() && c.Index() >= TableauSize && c.Left() == WasteLeft &&
        c.Top() == WasteTop)
      return c.Index();
  }
  return std::nullopt;
}

std::optional<std::int16_t> FoundationTop(const frmSolitaire& form, int foundation)
{
  // The foundation shows the last card of its suit played there: the highest one.
  const std::string& suit = form.PileSuit[static_cast<std::size_t>(foundation)];
  std::optional<std::int16_t> top;
  if (suit.empty()) return top;
  for (std::int16_t slot = 0; slot < DeckSize; ++slot) {
    const Card& card = form.Deck[static_cast<std::size_t>(slot)];
    const PictureControl& face = Face(form, slot);
    if (card.Suit == suit && !face.Visible() && face.Top() == OnFoundationTop &&
        (!top || card.Rank > form.Deck[static_cast<std::size_t>(*top)].Rank))
      top = slot;
  }
  return top;
}

int PlaceOfCard(const frmSolitaire& form, std::int16_t slot)
{
  const PictureControl& face = Face(form, slot);
  if (!face.Visible()) return -1;
  if (slot >= TableauSize && face.Left() == WasteLeft && face.Top() == WasteTop) return WastePlace;
  const int column = ColumnAt(face.Left());
  return column >= 0 && face.Top() >= KingRowTop ? FirstColumnPlace + column : -1;
}

PictureControl* FrontControl(frmSolitaire& form, int place)
{
  if (place == StockPlace) {
    const std::optional<std::int16_t> front = StockFront(form);
    return front ? &form.imgBack(*front) : &form.imgEnd();
  }
  if (place == WastePlace) {
    const std::optional<std::int16_t> front = WasteFront(form);
    return front ? &form.imgPile(*front) : nullptr;
  }
  if (IsFoundationPlace(place)) return &form.imgSuitPile(place - FirstFoundationPlace);
  if (!IsColumnPlace(place)) return nullptr;
  const int c = place - FirstColumnPlace;
  if (const std::optional<std::int16_t> last = LastFaceUp(form, c)) return &form.imgPile(*last);
  for (int row = c; row >= 0; --row)
    if (PictureControl& back = form.imgBack(TableauSlot(c, row)); back.Visible()) return &back;
  return &form.imgKingMove(c);
}

TwipRect PlaceArea(frmSolitaire& form, int place)
{
  if (const PictureControl* front = FrontControl(form, place)) return front->Rect();
  return {WasteLeft, WasteTop, form.imgEnd().Width(), form.imgEnd().Height()};
}

std::string CardName(const Card& card)
{
  std::string name = card.Rank >= 1 && card.Rank <= 13 ? kRankNames[card.Rank - 1] : "?";
  name += " de ";
  name += SuitName(card.Suit);
  return name;
}

std::string PlaceName(const frmSolitaire& form, int place, std::optional<std::int16_t> held,
                      std::optional<std::int16_t> cursorCard)
{
  std::string name;
  if (place == StockPlace) {
    const int count = StockCards(form);
    if (count == 0) return "Talon vide";
    return "Talon, " + std::to_string(count) + (count == 1 ? " carte" : " cartes");
  }
  if (place == WastePlace) {
    const std::optional<std::int16_t> front = WasteFront(form);
    if (!front) return "Défausse vide";
    name = "Défausse : ";
    AppendCard(name, form, *front, held);
    return name;
  }
  if (IsFoundationPlace(place)) {
    const int k = place - FirstFoundationPlace;
    name = "Fondation " + std::to_string(k + 1);
    const std::optional<std::int16_t> top = FoundationTop(form, k);
    if (!top) return name + " vide";
    name += " : ";
    name += CardName(form.Deck[static_cast<std::size_t>(*top)]);
    return name;
  }
  const int c = place - FirstColumnPlace;
  const ColumnCards cards = ReadColumn(form, c);
  name = "Colonne " + std::to_string(c + 1);
  if (cards.FaceDown.empty() && cards.FaceUp.empty()) return name + " vide";
  name += " : ";
  const std::size_t hidden = cards.FaceDown.size();
  if (hidden > 0) name += std::to_string(hidden) + (hidden == 1 ? " carte cachée" : " cartes cachées");
  for (std::size_t k = 0; k < cards.FaceUp.size(); ++k) {
    if (hidden > 0 || k > 0) name += ", ";
    AppendCard(name, form, cards.FaceUp[k], held);
  }
  // The cursor above the last card takes the cards from there on: say where it stands.
  const SlotList& up = cards.FaceUp;
  if (cursorCard && !up.empty() && *cursorCard != up.back() &&
      std::find(up.begin(), up.end(), *cursorCard) != up.end()) {
    name += " ; depuis ";
    name += CardName(form.Deck[static_cast<std::size_t>(*cursorCard)]);
  }
  return name;
}

}  // namespace korvel
