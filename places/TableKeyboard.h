// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The whole game by keyboard. A cursor stands on one of the 13 places; acting there does what the
// mouse does there, through the same controls and handlers: a click on the stock or on an uncovered
// back, the pointer entering a face that a press would drag (the card is then held), and a drop of
// the held card on the place's front control. No rule of its own, and nothing the mouse cannot do.

#include <cstdint>
#include <optional>
#include <span>

#include "places/TablePlaces.h"
#include "table/PictureControls.h"

namespace korvel {

class frmSolitaire;

enum class TableKey : std::uint8_t {
  Next,      // the next place in reading order, wrapping around
  Previous,  // the previous one
  Left,      // the previous place in the same row
  Right,     // the next place in the same row
  Up,        // in a column onto the face-up card beneath, else to the top row
  Down,      // in a column back toward the last card; from the top row to the column below
  Column,    // straight to a column
  Act,       // do what the mouse does here: turn, take, or put what is held
  PutBack,   // nothing held any more
};

struct KeyCommand {
  TableKey Key;
  int Column = 0;  // 0 to 6, for TableKey::Column
  friend bool operator==(const KeyCommand&, const KeyCommand&) = default;
};

// One key of the key map: a Qt key code and what it asks of the table.
struct KeyBinding {
  int QtKey;
  KeyCommand Command;
};
std::span<const KeyBinding> KeyMap();

// The command of a key pressed with `modifiers` (Qt's flags), or none for a key that is not the
// table's. Shift and the keypad change nothing; with Ctrl, Alt or Meta a key belongs to the window.
std::optional<KeyCommand> CommandForKey(int qtKey, int modifiers);

// Where the cursor's frame and the held card's mark are drawn, in twips: the frame around the
// place (in a column, the cards from the cursor's card to the last), the mark on the held card and
// the cards that go with it. The frame is drawn up to MarkMargin outside its rectangle.
struct KeyboardMarks {
  std::optional<TwipRect> Cursor;
  std::optional<TwipRect> Held;
};
inline constexpr float MarkMargin = 5 * TwipsPerPixel;

class TableKeyboard {
 public:
  explicit TableKeyboard(frmSolitaire& form);

  // Runs the command: moves the cursor, or acts through the controls' handlers (a picture that
  // cannot be read ends the game as it does for the mouse). Returns false for a command with
  // nothing to do (putting back when nothing is held).
  bool Press(KeyCommand command);
  // A mouse press: nothing is held any more and the frame goes, so a mouse player never sees it.
  void PointerPressed();

  int Place() const;
  // In a column, the face-up card the cursor stands on; none elsewhere and on a column without one.
  std::optional<std::int16_t> CursorCard() const;
  std::optional<std::int16_t> Held() const;
  // The frame shows from the first key to the next mouse press.
  bool Shown() const { return shown_; }
  KeyboardMarks Marks() const;

 private:
  void FollowDeal() const;
  std::optional<std::int16_t> CursorCard(const ColumnCards& cards) const;
  void MoveTo(int place);
  void MoveUp();
  void MoveDown();
  void Act();
  void Put();
  void RepaintMarks(const KeyboardMarks& marks) const;

  frmSolitaire& form_;
  // Mutable so that a deal seen late still puts the cursor on the stock before anything is read.
  mutable std::uint32_t deal_;
  mutable int place_ = StockPlace;
  mutable std::optional<std::int16_t> columnCard_;  // chosen in a column by Up and Down
  mutable std::optional<std::int16_t> held_;
  bool shown_ = false;
};

}  // namespace korvel
