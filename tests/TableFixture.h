// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Helpers shared by the table's tests: the program folder, a known deck, and a snapshot of
// everything a move may change.

#include <QCoreApplication>

#include <string>
#include <tuple>
#include <vector>

#include "table/frmSolitaire.h"

namespace korvel::testing {

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
  for (auto it = order.rbegin(); it != order.rend(); ++it) keys.push_back({(*it)->Set(), (*it)->Index()});
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

inline TableSnapshot Snapshot(const frmSolitaire& form)
{
  TableSnapshot s;
  for (const Card& c : form.Deck) s.deck.emplace_back(c.Code, c.Suit, c.Rank, c.HasNext, c.HasNext ? c.NextCard : 0);
  s.pileSuit.assign(form.PileSuit.begin(), form.PileSuit.end());
  s.dragCard = form.DragCard;
  for (const PictureControl* c : form.Controls().BackToFront())
    s.controls.emplace_back(static_cast<int>(c->Set()), c->Index(), c->Left(), c->Top(), c->Width(), c->Height(),
                            c->Visible(), c->Enabled(), static_cast<int>(c->Drag()), c->Picture().cacheKey());
  s.suitTops = MCardTest::SuitTops;
  return s;
}

// The centre of a control, in twips.
inline std::pair<float, float> CentreOf(const PictureControl& c)
{
  return {c.Left() + c.Width() / 2, c.Top() + c.Height() / 2};
}

}  // namespace korvel::testing
