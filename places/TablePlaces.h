// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The table seen as 13 places, in reading order: the stock, the waste, foundations 1 to 4 and
// columns 1 to 7, each with what shows there, read from the picture controls exactly as the eye
// (and the mouse) finds them. The keyboard moves over these places and a screen reader reads them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "deck/Card.h"
#include "table/PictureControls.h"

namespace korvel {

class frmSolitaire;

inline constexpr int PlaceCount = 13;
inline constexpr int StockPlace = 0;
inline constexpr int WastePlace = 1;
inline constexpr int FirstFoundationPlace = 2;  // foundation k (0..3) is place 2 + k
inline constexpr int FirstColumnPlace = 6;      // column c (0..6) is place 6 + c

inline constexpr bool IsFoundationPlace(int place) { return place >= FirstFoundationPlace && place < FirstColumnPlace; }
inline constexpr bool IsColumnPlace(int place) { return place >= FirstColumnPlace && place < PlaceCount; }

// Slots in order, a whole deck at most, kept without allocating: the table is read on every key.
class SlotList {
 public:
  void push_back(std::int16_t slot) { slots_[size_++] = slot; }
  void resize(std::size_t size) { size_ = size; }
  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  std::int16_t back() const { return slots_[size_ - 1]; }
  std::int16_t& operator[](std::size_t k) { return slots_[k]; }
  std::int16_t operator[](std::size_t k) const { return slots_[k]; }
  const std::int16_t* begin() const { return slots_.data(); }
  const std::int16_t* end() const { return slots_.data() + size_; }

 private:
  std::array<std::int16_t, DeckSize> slots_{};
  std::size_t size_ = 0;
};

// What shows in a column: the backs from the deepest, then the faces from the deepest to the last.
// A face counts where it shows, so a card hidden exactly behind another one is not there.
struct ColumnCards {
  SlotList FaceDown;
  SlotList FaceUp;
};

// The 13 places as they show at one moment, read off the controls in one pass. It refers to the
// table it was read from and holds until any of its controls changes.
class TablePlaces {
 public:
  explicit TablePlaces(frmSolitaire& form);

  const ColumnCards& Column(int column) const { return columns_[static_cast<std::size_t>(column)]; }
  int StockCards() const { return stockCards_; }                          // backs showing in the stock
  std::optional<std::int16_t> StockFront() const { return stockFront_; }  // the back a click turns
  std::optional<std::int16_t> WasteFront() const { return wasteFront_; }  // the waste card that shows
  std::optional<std::int16_t> FoundationTop(int foundation) const         // the card it shows
  {
    return foundationTops_[static_cast<std::size_t>(foundation)];
  }

  // The place where face-up card `slot` shows (the waste or a column), or -1.
  int PlaceOfCard(std::int16_t slot) const;

  // The control a click or a drop reaches at the place, as the pointer would find it on the place's
  // front card: the stock's front back (or the empty-stock marker), the waste's card, the foundation,
  // a column's last card (or its front back, or its empty-column target). Null where nothing is there
  // to reach.
  PictureControl* FrontControl(int place) const;
  // Where the place lies: its front control, or where a card would lie on the empty waste.
  TwipRect Area(int place) const;

  // The place's name as a screen reader says it: "Talon, 23 cartes", "Défausse : Sept de pique",
  // "Fondation 2 vide", "Colonne 3 : 2 cartes cachées, Dame de trèfle, Valet de cœur". A held card
  // is said as held, and a column whose cursor stands on a card above its last says so.
  std::string Name(int place, std::optional<std::int16_t> held = std::nullopt,
                   std::optional<std::int16_t> cursorCard = std::nullopt) const;

 private:
  frmSolitaire& form_;
  std::array<ColumnCards, ColumnCount> columns_;
  int stockCards_ = 0;
  std::optional<std::int16_t> stockFront_;
  std::optional<std::int16_t> wasteFront_;
  std::array<std::optional<std::int16_t>, FoundationCount> foundationTops_;
};

// "Valet de cœur".
std::string CardName(const Card& card);

}  // namespace korvel
