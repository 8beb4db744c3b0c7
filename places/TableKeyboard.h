// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The whole game by keyboard. A cursor stands on one of the 13 places, and in a column on one of
// its stops; acting there does what the mouse does there, through the same controls and handlers:
// a click on the stock or on an uncovered back, the pointer entering a face that a press would drag
// (the card is then held), and a drop of the held card on what the cursor stands on. It acts only
// on what the mouse could reach: no rule of its own, and nothing the mouse cannot do.

#include <QObject>

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
  Summary,   // the whole table said at once; nothing changes
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

// What a key did, for whoever tells the player about it.
enum class KeyResult : std::uint8_t {
  None,         // nothing for the table to do (the game has failed): the key passes on
  Moved,        // the cursor moved, or stayed at the edge it is on
  Acted,        // a click where the cursor stands (it may change nothing), or nothing to act on
  Taken,        // a card is held now
  Dropped,      // the held card was put where the cursor stands, and went
  Refused,      // the held card was put there and the rules refused it: it is where it was
  PutBack,      // the held card was let go: Escape, or put on itself
  NothingHeld,  // Escape with no card held: nothing to let go
  Summary,      // the whole table to be said; nothing changed
  OutOfReach,   // no point of what the cursor stands on is inside the window: nothing done
};

class TableKeyboard {
 public:
  // It follows the table's deals (frmSolitaire::dealt) while it lives.
  explicit TableKeyboard(frmSolitaire& form);
  ~TableKeyboard();
  TableKeyboard(const TableKeyboard&) = delete;
  TableKeyboard& operator=(const TableKeyboard&) = delete;

  // Runs the command with the mouse's `buttons` down (LeftButton ...): moves the cursor, or acts
  // through the controls' handlers (a picture that cannot be read ends the game as it does for the
  // mouse). A key with no button down ends a mouse gesture whose release went elsewhere; while a
  // button is down the mouse's gesture keeps the table, and acting does nothing.
  KeyResult Press(KeyCommand command, std::int16_t buttons = 0);
  // A mouse press: nothing is held any more and the frame goes, so a mouse player never sees it.
  void PointerPressed();

  int Place() const { return place_; }
  std::optional<std::int16_t> Held() const { return held_; }
  // What the cursor stands on: in a column one of its stops, elsewhere the place's front control;
  // none where nothing is (the empty waste).
  Stop Cursor();
  // In a column, the face the cursor stands on; none elsewhere, or on a back or an empty place.
  std::optional<std::int16_t> CursorCard();
  // The frame shows from the first key to the next mouse press.
  bool Shown() const { return shown_; }
  // Where the cursor stands: its place, in a column what is from the cursor's stop to the last
  // (what a take there would carry).
  TwipRect CursorRect();
  // Where the cursor's frame goes while it shows: around CursorRect.
  std::optional<TwipRect> CursorArea();
  // The held card and the cards that would go with it.
  std::optional<TwipRect> HeldArea();

  // The table's places as they show now, read again only once a control has changed.
  const TablePlaces& Places();

 private:
  void NewDeal();
  void MoveTo(int place);
  void MoveUp();
  void MoveDown();
  KeyResult Act();
  KeyResult Put(const Stop& target);
  // Whether the mouse could press on face `card` where it lies now.
  bool Reaches(const PictureControl& card);

  frmSolitaire& form_;
  int place_ = StockPlace;
  const PictureControl* columnStop_ = nullptr;  // chosen in a column by Up and Down
  std::optional<std::int16_t> held_;
  bool shown_ = false;
  std::optional<TablePlaces> places_;
  std::uint64_t placesVersion_ = 0;
  QMetaObject::Connection dealt_;
};

}  // namespace korvel
