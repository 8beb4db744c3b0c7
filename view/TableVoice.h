// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// What a screen reader is told of the table: after every key the cursor's place, said by a fresh
// object with what else the key changed; other places named again when they change. It works only
// while a screen reader listens: nothing is built or sent otherwise. The words are places/Wording's,
// and the places are worded once per change of the table, the cursor or the held card: everything
// else (the keys' reports, the names told, the objects' answers to the screen reader) reads those.

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "places/TableKeyboard.h"
#include "places/Wording.h"

class QWidget;

namespace korvel {

class frmSolitaire;

class TableVoice {
 public:
  // `table` is the widget the screen reader knows the table by.
  TableVoice(QWidget& table, frmSolitaire& form, TableKeyboard& keyboard);

  // The place's name now, and what was last said of the cursor's place after its name.
  QString PlaceName(int place);
  QString PlaceDescription(int place) const;
  // The place's braille line: what was last said after its name, then the name (BrailleLine).
  QString PlaceBraille(int place);
  // How often a place has been said; each time by a fresh object (see TableAccessible).
  std::uint32_t TimesSaid(int place) const { return said_[static_cast<std::size_t>(place)]; }
  // How often the places have been worded.
  std::uint64_t TimesWorded() const { return worded_; }

  // Before a key: what it will be told against; none while no screen reader listens.
  std::optional<KeyReport> BeforeKey();
  // After the key, which did something: the cursor's place and what else changed.
  void AfterKey(KeyReport report);
  // The place of the card a mouse drop carries, which the drop touches even when it is refused;
  // none while no screen reader listens.
  std::optional<int> DraggedPlace();

  // Names again, once the event under way is over, the places a change has renamed.
  void ScheduleUpdate();
  // Names again the places renamed since last told, and `alsoNamed` whatever it is now.
  void Tell(std::optional<int> alsoNamed = std::nullopt);
  // Says the cursor's place, then `description`: at once, or once the event under way is over.
  void SayCursorPlace(std::string description);
  void SayCursorPlaceLater(std::string description);

 private:
  // The 13 names as they stand: `plain`, the held card said as held (what a key's report compares),
  // and `heard`, as the places say them (the cursor's place with what it stands on first).
  struct Words {
    std::uint64_t version = 0;
    int place = -1;
    const PictureControl* cursor = nullptr;
    std::optional<std::int16_t> held;
    PlaceNames plain;
    std::array<QString, PlaceCount> heard;
  };
  const Words& Worded();

  QWidget& table_;
  frmSolitaire& form_;
  TableKeyboard& keyboard_;
  // What a screen reader last heard of each place; only kept while one listens.
  std::array<QString, PlaceCount> names_;
  bool tellPending_ = false;
  std::array<std::uint32_t, PlaceCount> said_{};
  QString description_;  // said of the cursor's place after its name; announced instead from Qt 6.8
  int heldPlace_ = -1;   // the place last told as holding the held card (selected)
  Words words_;
  std::uint64_t worded_ = 0;
};

}  // namespace korvel
