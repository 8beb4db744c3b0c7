// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "rules/MCardTest.h"

namespace MCardTest {

SuitTopsRecord SuitTops;

namespace {

bool IsBlack(std::string_view suit) { return suit == "c" || suit == "s"; }

std::int16_t* SuitTopOf(std::string_view suit)
{
  if (suit == "h") return &SuitTops.Hearts;
  if (suit == "d") return &SuitTops.Diamonds;
  if (suit == "s") return &SuitTops.Spades;
  if (suit == "c") return &SuitTops.Clubs;
  return nullptr;
}

Bool16 ToBool16(bool b) { return b ? korvel::True16 : korvel::False16; }

}  // namespace

bool IsRed(std::string_view suit) { return suit == "h" || suit == "d"; }

Bool16 CanStack(std::string_view dragSuit, std::int16_t dragRank, std::string_view targetSuit, std::int16_t targetRank)
{
  const bool nextLower = dragRank == targetRank - 1;
  if (IsRed(targetSuit)) return ToBool16(!IsRed(dragSuit) && nextLower);
  if (IsBlack(targetSuit)) return ToBool16(!IsBlack(dragSuit) && nextLower);
  return korvel::False16;
}

bool IsNextOfSuit(std::string_view suit, std::int16_t rank)
{
  const std::int16_t* top = SuitTopOf(suit);
  return top != nullptr && (rank == *top + 1 || rank == 1);
}

Bool16 CanPlayOnSuit(std::string_view suit, std::int16_t rank)
{
  if (!IsNextOfSuit(suit, rank)) return korvel::False16;
  *SuitTopOf(suit) = rank;
  return korvel::True16;
}

Bool16 IsKing(std::string_view code) { return ToBool16(code == "Kc" || code == "Kd" || code == "Kh" || code == "Ks"); }

std::int16_t CardBelow(std::int16_t slot)
{
  // Row r (0..6) of the deal starts at slot 7r - r(r-1)/2 and holds 7 - r slots; a slot of row
  // r >= 1 lies on slot - 7 + r.
  if (slot < 7 || slot > 27) return 0;
  std::int16_t row = 0;
  std::int16_t rowStart = 0;
  while (slot >= rowStart + (7 - row)) {
    rowStart = static_cast<std::int16_t>(rowStart + 7 - row);
    ++row;
  }
  return static_cast<std::int16_t>(slot - 7 + row);
}

}  // namespace MCardTest
