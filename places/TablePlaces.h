// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The table seen as 13 places, in reading order: the stock, the waste, foundations 1 to 4 and
// columns 1 to 7, each with what shows there, read from the picture controls exactly as the eye and
// the mouse find them: a card shows where some point of it is the frontmost control, and the
// mouse reaches a control where some point of it, inside the window, is the frontmost one that
// takes input. The keyboard moves over these places and a screen reader reads them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "deck/Card.h"
#include "places/FixedList.h"
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

using SlotList = FixedList<std::int16_t, DeckSize>;

// Where the mouse (and so the keyboard) acts in a place: one of its controls.
struct Stop {
  PictureControl* Control;
  bool Reachable;  // some point of it, inside the window, is the frontmost control taking input
  friend bool operator==(const Stop&, const Stop&) = default;
};
// A column's stops at most: its empty-column target, its seven backs and every face.
inline constexpr std::size_t MaxStops = 1 + ColumnCount + DeckSize;
using StopList = FixedList<Stop, MaxStops>;

// What shows in a column, from the top down: the empty column's frame where a strip of it shows
// above a card left standing, the backs, then the faces by Top (of two at one Top, the one behind
// first). A card wholly hidden behind others is not there.
struct ColumnCards {
  bool EmptyShows = false;  // the empty-column target shows, wholly or in part
  SlotList FaceDown;        // the backs that show, from the deepest
  SlotList FaceUp;          // the faces that show
  // What the mouse could click, drag or drop on, in the same order: the target and the backs that
  // take input, and the faces. The keyboard's cursor walks these.
  StopList Stops;
  // The stop of `control` among them, or none.
  const Stop* StopOf(const PictureControl* control) const
  {
    for (const Stop& stop : Stops)
      if (stop.Control == control) return &stop;
    return nullptr;
  }
};

// The 13 places as they show at one moment, read off the controls in one pass. It refers to the
// table it was read from and holds until any of its controls changes.
class TablePlaces {
 public:
  explicit TablePlaces(frmSolitaire& form);

  // Read when first asked: a key reads only the column it acts on.
  const ColumnCards& Column(int column) const;
  int StockCards() const { return stockCards_; }                          // backs in the stock
  std::optional<std::int16_t> WasteFront() const { return wasteFront_; }  // the waste card that shows
  int WasteCards() const { return wasteCards_; }                          // faces on the waste
  std::optional<std::int16_t> FoundationTop(int foundation) const         // the card it shows
  {
    return foundationTops_[static_cast<std::size_t>(foundation)];
  }

  // Every foundation shows its king: the game is won.
  bool Won() const;

  // The place where face-up card `slot` lies (the waste or a column), or -1.
  int PlaceOfCard(std::int16_t slot) const;

  // Where a click or a drop reaches at a place of the top row, as the pointer finds it on the
  // place's front card: the stock's front back (or the empty-stock marker), the waste's card, the
  // foundation; none on the empty waste. A column's are its stops.
  Stop TopRowStop(int place) const;
  // Where the place lies: its front control (in a column, its last stop), or where a card would lie
  // on the empty waste.
  TwipRect Area(int place) const;

  // The table the places were read from.
  const frmSolitaire& Form() const { return form_; }

 private:
  frmSolitaire& form_;
  TwipRect view_;
  std::array<FixedList<PictureControl*, MaxStops>, ColumnCount> buckets_;  // visible, back to front
  // Each column once it has been asked for (no more is cleared or filled: the table is read on every
  // change).
  mutable std::array<ColumnCards, ColumnCount> columns_;
  mutable std::array<bool, ColumnCount> read_{};
  int stockCards_ = 0;
  int wasteCards_ = 0;
  Stop stockFront_{};
  Stop wasteStop_{};
  std::optional<std::int16_t> wasteFront_;
  std::array<Stop, FoundationCount> foundations_;
  std::array<std::optional<std::int16_t>, FoundationCount> foundationTops_;
};

}  // namespace korvel
