// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "places/TablePlaces.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "deck/CardCodes.h"
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

void AppendCard(std::string& text, const frmSolitaire& form, std::int16_t slot, std::optional<std::int16_t> held)
{
  const Card& card = form.Deck[static_cast<std::size_t>(slot)];
  text += CardName(card);
  // The word agrees with the card: the queen is "tenue", every other card "tenu".
  constexpr std::int16_t kQueen = 12;
  if (held == slot) text += card.Rank == kQueen ? ", tenue" : ", tenu";
}

}  // namespace

TablePlaces::TablePlaces(frmSolitaire& form) : form_(form)
{
  // The backs never move: a column's are the slots dealt to it, row by row; the stock's front one is
  // the highest slot, as they were created.
  for (int column = 0; column < ColumnCount; ++column)
    for (int row = 0; row <= column; ++row)
      if (const std::int16_t slot = TableauSlot(column, row); form.imgBack(slot).Visible())
        columns_[static_cast<std::size_t>(column)].FaceDown.push_back(slot);
  for (std::int16_t slot = TableauSize; slot < DeckSize; ++slot)
    if (form.imgBack(slot).Visible()) {
      ++stockCards_;
      stockFront_ = slot;
    }

  // The faces, from the back to the front: the waste's front card is the last one met there, and a
  // column's cards come in stacking order.
  for (const PictureControl* face : form.Controls().BackToFront()) {
    if (face->BelongsTo() != ControlSet::imgPile || !face->Visible()) continue;
    const std::int16_t slot = face->Index();
    if (slot >= TableauSize && face->Left() == WasteLeft && face->Top() == WasteTop) {
      wasteFront_ = slot;
    } else if (const int column = ColumnAt(face->Left()); column >= 0 && face->Top() >= KingRowTop) {
      columns_[static_cast<std::size_t>(column)].FaceUp.push_back(slot);
    }
  }
  // Each column by Top, a handful of cards; of two faces at one Top only the front one shows.
  const auto top = [&form](std::int16_t slot) { return form.imgPile(slot).Top(); };
  for (ColumnCards& column : columns_) {
    SlotList& up = column.FaceUp;
    for (std::size_t k = 1; k < up.size(); ++k)
      for (std::size_t m = k; m > 0 && top(up[m]) < top(up[m - 1]); --m) std::swap(up[m], up[m - 1]);
    std::size_t shown = 0;
    for (std::size_t k = 0; k < up.size(); ++k) {
      if (shown > 0 && top(up[shown - 1]) == top(up[k]))
        up[shown - 1] = up[k];
      else
        up[shown++] = up[k];
    }
    up.resize(shown);
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

PictureControl* TablePlaces::FrontControl(int place) const
{
  if (place == StockPlace) return stockFront_ ? &form_.imgBack(*stockFront_) : &form_.imgEnd();
  if (place == WastePlace) return wasteFront_ ? &form_.imgPile(*wasteFront_) : nullptr;
  if (IsFoundationPlace(place)) return &form_.imgSuitPile(place - FirstFoundationPlace);
  if (!IsColumnPlace(place)) return nullptr;
  const int c = place - FirstColumnPlace;
  const ColumnCards& cards = Column(c);
  if (!cards.FaceUp.empty()) return &form_.imgPile(cards.FaceUp.back());
  if (!cards.FaceDown.empty()) return &form_.imgBack(cards.FaceDown.back());
  return &form_.imgKingMove(c);
}

TwipRect TablePlaces::Area(int place) const
{
  if (const PictureControl* front = FrontControl(place)) return front->Rect();
  return {WasteLeft, WasteTop, form_.imgEnd().Width(), form_.imgEnd().Height()};
}

std::string CardName(const Card& card)
{
  std::string name = card.Rank >= 1 && card.Rank <= 13 ? kRankNames[card.Rank - 1] : "?";
  name += " de ";
  name += SuitName(card.Suit);
  return name;
}

std::string TablePlaces::Name(int place, std::optional<std::int16_t> held, std::optional<std::int16_t> cursorCard) const
{
  std::string name;
  if (place == StockPlace) {
    if (stockCards_ == 0) return "Talon vide";
    return "Talon, " + std::to_string(stockCards_) + (stockCards_ == 1 ? " carte" : " cartes");
  }
  if (place == WastePlace) {
    if (!wasteFront_) return "Défausse vide";
    name = "Défausse : ";
    AppendCard(name, form_, *wasteFront_, held);
    return name;
  }
  if (IsFoundationPlace(place)) {
    const int k = place - FirstFoundationPlace;
    name = "Fondation " + std::to_string(k + 1);
    const std::optional<std::int16_t> top = FoundationTop(k);
    if (!top) return name + " vide";
    name += " : ";
    name += CardName(form_.Deck[static_cast<std::size_t>(*top)]);
    return name;
  }
  const int c = place - FirstColumnPlace;
  const ColumnCards& cards = Column(c);
  name = "Colonne " + std::to_string(c + 1);
  if (cards.FaceDown.empty() && cards.FaceUp.empty()) return name + " vide";
  name += " : ";
  const std::size_t hidden = cards.FaceDown.size();
  if (hidden > 0) name += std::to_string(hidden) + (hidden == 1 ? " carte cachée" : " cartes cachées");
  for (std::size_t k = 0; k < cards.FaceUp.size(); ++k) {
    if (hidden > 0 || k > 0) name += ", ";
    AppendCard(name, form_, cards.FaceUp[k], held);
  }
  // The cursor above the last card takes the cards from there on: say where it stands.
  const SlotList& up = cards.FaceUp;
  if (cursorCard && !up.empty() && *cursorCard != up.back() &&
      std::find(up.begin(), up.end(), *cursorCard) != up.end()) {
    name += " ; depuis ";
    name += CardName(form_.Deck[static_cast<std::size_t>(*cursorCard)]);
  }
  return name;
}

}  // namespace korvel
