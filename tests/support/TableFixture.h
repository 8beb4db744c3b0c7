// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Helpers shared by the table's tests and benchmarks: the program folder, a known deck, moves
// through the game's own handlers, and a snapshot of everything a move may change.

#include <QCoreApplication>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "rules/MCardTest.h"
#include "table/frmSolitaire.h"

namespace korvel::testing {

// How long a test waits for a window or a server to answer: long enough for a busy machine, for a
// wait ends as soon as the answer comes.
inline constexpr int EventLimitMs = 60000;

// The tests run beside the generated `cards` folder, as the game does.
inline std::string ProgramFolder() { return QCoreApplication::applicationDirPath().toStdString(); }

// Puts `code` into `slot`, keeping the slot's links.
inline void PutCard(frmSolitaire& form, int slot, const std::string& code)
{
  Card& card = form.Deck[static_cast<std::size_t>(slot)];
  const Card fresh = CardFromCode(code);
  card.Code = fresh.Code;
  card.Suit = fresh.Suit;
  card.Rank = fresh.Rank;
}

// Gives the dealt table known cards, `codes` by slot, each exchanged with the slot that held it so
// the deck stays whole; the cards face up are shown afresh.
inline void ArrangeDeal(frmSolitaire& form, const std::vector<std::pair<int, std::string>>& codes)
{
  for (const auto& [slot, code] : codes) {
    const auto holder = std::find_if(form.Deck.begin(), form.Deck.end(), [&](const Card& c) { return c.Code == code; });
    const int other = static_cast<int>(holder - form.Deck.begin());
    const std::string displaced = form.Deck[static_cast<std::size_t>(slot)].Code;
    PutCard(form, slot, code);
    PutCard(form, other, displaced);
    for (const int s : {slot, other})
      if (form.imgPile(s).Visible())
        form.imgPile(s).SetPicture(
            LoadCardPicture(CardPicturePath(form.ProgramFolder(), form.Deck[static_cast<std::size_t>(s)].Code)));
  }
}

// Shows `code` face up in `slot`, where the slot's face picture stands, through the game's own handler.
inline void FaceUp(frmSolitaire& form, int slot, const std::string& code)
{
  PutCard(form, slot, code);
  form.imgBack_Click(static_cast<std::int16_t>(slot));
}

// The three drops, as the toolkit delivers them once card `dragged` has been dragged there.
inline void OnColumnCard(frmSolitaire& form, int dragged, int target)
{
  form.DragCard = static_cast<std::int16_t>(dragged);
  form.imgPile_DragDrop(static_cast<std::int16_t>(target), &form.imgPile(dragged), 0, 0);
}
inline void OnFoundation(frmSolitaire& form, int dragged, int foundation)
{
  form.DragCard = static_cast<std::int16_t>(dragged);
  form.imgSuitPile_DragDrop(static_cast<std::int16_t>(foundation), &form.imgPile(dragged), 0, 0);
}
inline void OnEmptyColumn(frmSolitaire& form, int dragged, int column)
{
  form.DragCard = static_cast<std::int16_t>(dragged);
  form.imgKingMove_DragDrop(static_cast<std::int16_t>(column), &form.imgPile(dragged), 0, 0);
}

// Lays `codes` from stock slot `firstSlot` on, each dropped on the one before, the first on `target`.
inline void BuildRunOn(frmSolitaire& form, int target, int firstSlot, const std::vector<std::string>& codes)
{
  int under = target;
  for (std::size_t k = 0; k < codes.size(); ++k) {
    const int slot = firstSlot + static_cast<int>(k);
    FaceUp(form, slot, codes[k]);
    OnColumnCard(form, slot, under);
    under = slot;
  }
}

// Where a control is slot-wise in the stacking order, for comparing orders.
struct ControlKey {
  ControlSet set;
  int index;
  bool operator==(const ControlKey&) const = default;
};

inline std::vector<ControlKey> FrontToBack(const frmSolitaire& form)
{
  std::vector<ControlKey> keys;
  const auto& order = form.Controls().BackToFront();
  for (auto it = order.rbegin(); it != order.rend(); ++it) keys.push_back({(*it)->BelongsTo(), (*it)->Index()});
  return keys;
}

// Everything a handler may change: records, and every control's state and place in the stack.
struct TableSnapshot {
  std::vector<std::tuple<std::string, std::string, int, int, int>> deck;
  std::vector<std::string> pileSuit;
  int dragCard;
  std::vector<std::tuple<int, int, float, float, float, float, bool, bool, int, qint64>> controls;
  MCardTest::SuitTopsRecord suitTops;

  bool operator==(const TableSnapshot& o) const
  {
    return deck == o.deck && pileSuit == o.pileSuit && dragCard == o.dragCard && controls == o.controls &&
           suitTops.Hearts == o.suitTops.Hearts && suitTops.Diamonds == o.suitTops.Diamonds &&
           suitTops.Spades == o.suitTops.Spades && suitTops.Clubs == o.suitTops.Clubs;
  }
};

// `samePictures`: pictures count as the same by their identity (one form before and after); false
// compares only whether a control has one (two forms that read the same files).
inline TableSnapshot Snapshot(const frmSolitaire& form, bool samePictures = true)
{
  TableSnapshot s;
  for (const Card& c : form.Deck) s.deck.emplace_back(c.Code, c.Suit, c.Rank, c.HasNext, c.HasNext ? c.NextCard : 0);
  s.pileSuit.assign(form.PileSuit.begin(), form.PileSuit.end());
  s.dragCard = form.DragCard;
  for (const PictureControl* c : form.Controls().BackToFront())
    s.controls.emplace_back(static_cast<int>(c->BelongsTo()), c->Index(), c->Left(), c->Top(), c->Width(), c->Height(),
                            c->Visible(), c->Enabled(), static_cast<int>(c->Drag()),
                            samePictures ? c->Picture().cacheKey() : qint64{!c->Picture().isNull()});
  s.suitTops = MCardTest::SuitTops;
  return s;
}

// The centre of a control, in twips.
inline std::pair<float, float> CentreOf(const PictureControl& c)
{
  return {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2};
}

}  // namespace korvel::testing
