// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The move rules, as tables of cases.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "rules/MCardTest.h"

using namespace MCardTest;
using korvel::False16;
using korvel::True16;

namespace {

// For a card of each suit and of the lowest, highest and a middle rank, the cards of the whole deck
// that go on it, and no others.
TEST(CanStack, OnlyTheTwoCardsOfTheOtherColourOneRankLowerGoOnACard)
{
  struct Target {
    const char* suit;
    int rank;
    std::set<std::pair<std::string, int>> accepted;
  };
  const Target targets[] = {
      {"h", 10, {{"c", 9}, {"s", 9}}},
      {"d", 13, {{"c", 12}, {"s", 12}}},
      {"c", 2, {{"h", 1}, {"d", 1}}},
      {"s", 7, {{"h", 6}, {"d", 6}}},
      {"h", 1, {}},
      {"s", 1, {}},
      {"c", 13, {{"h", 12}, {"d", 12}}},
      {"d", 2, {{"c", 1}, {"s", 1}}},
  };
  for (const Target& t : targets)
    for (const char* suit : {"h", "d", "c", "s"})
      for (int rank = 1; rank <= 13; ++rank) {
        const bool expected = t.accepted.contains({suit, rank});
        EXPECT_EQ(CanStack(suit, rank, t.suit, t.rank), expected ? True16 : False16)
            << suit << rank << " on " << t.suit << t.rank;
      }
}

TEST(CanStack, NamedCasesAndUnknownSuits)
{
  struct Case {
    const char* dragSuit;
    int dragRank;
    const char* targetSuit;
    int targetRank;
    korvel::Bool16 expected;
  };
  const Case cases[] =
      {
          {"s", 9, "h", 10, True16},  {"d", 12, "c", 13, True16},  {"c", 9, "s", 10, False16},
          {"h", 9, "d", 10, False16}, {"s", 10, "h", 10, False16}, {"s", 9, "", 10, False16},
          {"s", 9, "H", 10, False16},  // letters compare case-sensitively
          {"x", 9, "h", 10, True16},   // only the target's colour group is tested against the dragged suit
          {"h", 13, "s", 14, True16}, {"h", 0, "s", 1, True16},  // the arithmetic alone, outside real ranks
      };
  for (const Case& c : cases)
    EXPECT_EQ(CanStack(c.dragSuit, c.dragRank, c.targetSuit, c.targetRank), c.expected)
        << c.dragSuit << c.dragRank << " on " << c.targetSuit << c.targetRank;
}

class CanPlayOnSuitTest : public ::testing::Test {
 protected:
  void SetUp() override { SuitTops = {}; }
};

TEST_F(CanPlayOnSuitTest, EachSuitHasItsOwnEntryInOrderHeartsDiamondsSpadesClubs)
{
  using Entry = std::int16_t SuitTopsRecord::*;
  struct Case {
    const char* suit;
    Entry entry;
  };
  const Case cases[] = {{"h", &SuitTopsRecord::Hearts},
                        {"d", &SuitTopsRecord::Diamonds},
                        {"s", &SuitTopsRecord::Spades},
                        {"c", &SuitTopsRecord::Clubs}};
  for (const Case& c : cases) {
    SuitTops = {};
    EXPECT_EQ(CanPlayOnSuit(c.suit, 1), True16) << c.suit;
    EXPECT_EQ(SuitTops.*c.entry, 1) << c.suit;
    EXPECT_EQ(SuitTops.Hearts + SuitTops.Diamonds + SuitTops.Spades + SuitTops.Clubs, 1) << c.suit;
  }
}

TEST_F(CanPlayOnSuitTest, AcceptsTheNextRankAndRecordsIt)
{
  SuitTops.Diamonds = 2;
  EXPECT_EQ(CanPlayOnSuit("d", 3), True16);
  EXPECT_EQ(SuitTops.Diamonds, 3);
  EXPECT_EQ(CanPlayOnSuit("d", 3), False16);
  EXPECT_EQ(SuitTops.Diamonds, 3);
  EXPECT_EQ(CanPlayOnSuit("d", 5), False16);
  EXPECT_EQ(SuitTops.Diamonds, 3);
}

TEST_F(CanPlayOnSuitTest, AnAceRestartsItsSuitWhateverTheEntry)
{
  for (std::int16_t before : {0, 7, 13}) {
    SuitTops.Hearts = before;
    EXPECT_EQ(CanPlayOnSuit("h", 1), True16);
    EXPECT_EQ(SuitTops.Hearts, 1);
  }
}

TEST_F(CanPlayOnSuitTest, RefusesWithoutChangingAnything)
{
  EXPECT_EQ(CanPlayOnSuit("s", 2), False16);
  EXPECT_EQ(CanPlayOnSuit("", 1), False16);
  EXPECT_EQ(CanPlayOnSuit("S", 1), False16);
  EXPECT_EQ(SuitTops.Hearts + SuitTops.Diamonds + SuitTops.Spades + SuitTops.Clubs, 0);
}

TEST_F(CanPlayOnSuitTest, AWholeSuitGoesUpFromAceToKing)
{
  for (std::int16_t rank = 1; rank <= 13; ++rank) EXPECT_EQ(CanPlayOnSuit("c", rank), True16) << rank;
  EXPECT_EQ(SuitTops.Clubs, 13);
}

TEST(IsKing, OnlyTheFourKingCodes)
{
  for (const char* code : {"Kc", "Kd", "Kh", "Ks"}) EXPECT_EQ(IsKing(code), True16) << code;
  for (const char* code : {"kh", "Qh", "KH", "K", "", "Khx", "Ah"}) EXPECT_EQ(IsKing(code), False16) << code;
}

TEST(CardBelow, EverySlotOfTheDeal)
{
  // Slots 7..27 lie on the slot dealt beneath them in the same column; everything else gives 0.
  const std::int16_t below[28] = {0, 0,  0,  0,  0,  0,  0,  1,  2,  3,  4,  5,  6,  8,
                                  9, 10, 11, 12, 14, 15, 16, 17, 19, 20, 21, 23, 24, 26};
  for (std::int16_t slot = 0; slot < 52; ++slot) EXPECT_EQ(CardBelow(slot), slot < 28 ? below[slot] : 0) << slot;
  EXPECT_EQ(CardBelow(-1), 0);
  EXPECT_EQ(CardBelow(52), 0);
}

}  // namespace
