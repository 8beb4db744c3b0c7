// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The rules of the game: which card may leave for where. Plain functions over plain values;
// nothing here knows about pictures, positions or the toolkit.

#include <cstdint>
#include <string_view>

#include "rules/Bool16.h"

namespace MCardTest {

using korvel::Bool16;

// Rank last accepted per suit, in the order hearts, diamonds, spades, clubs. Lives for the whole run:
// a new deal does not clear it, because a foundation takes nothing of a suit before its ace.
struct SuitTopsRecord {
  std::int16_t Hearts = 0;
  std::int16_t Diamonds = 0;
  std::int16_t Spades = 0;
  std::int16_t Clubs = 0;
};
extern SuitTopsRecord SuitTops;

// Hearts and diamonds are red; clubs and spades black.
bool IsRed(std::string_view suit);

// May the dragged card be laid on the target card in a column? Other colour, one rank lower.
Bool16 CanStack(std::string_view dragSuit, std::int16_t dragRank, std::string_view targetSuit, std::int16_t targetRank);

// Is the card the next one of its suit? When it is, it is recorded in SuitTops at once, so ask
// only for a card that will be played on the answer true. An ace always restarts its suit.
Bool16 CanPlayOnSuit(std::string_view suit, std::int16_t rank);
// The same question, only asked: nothing is recorded.
bool IsNextOfSuit(std::string_view suit, std::int16_t rank);

// May the card fill an empty column?
Bool16 IsKing(std::string_view code);

// The tableau slot dealt directly beneath `slot` in its column; 0 for row 0 and the stock.
std::int16_t CardBelow(std::int16_t slot);

}  // namespace MCardTest
