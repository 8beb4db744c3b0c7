// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The three drops and the refusals, each on a prepared table: positions, links, stacking order, what
// becomes enabled, and refusals that leave everything as it was.

#include <gtest/gtest.h>

#include <functional>

#include "TableFixture.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

class Drops : public ::testing::Test {
 protected:
  void SetUp() override
  {
    MCardTest::SuitTops = {};
    form.Form_Load();
  }

  void FaceUp(int slot, const std::string& code) { korvel::testing::FaceUp(form, slot, code); }
  void OnColumnCard(int dragged, int target) { korvel::testing::OnColumnCard(form, dragged, target); }
  void OnFoundation(int dragged, int foundation) { korvel::testing::OnFoundation(form, dragged, foundation); }
  void OnEmptyColumn(int dragged, int column) { korvel::testing::OnEmptyColumn(form, dragged, column); }
  // The faces at the front of the stacking order, frontmost first.
  std::vector<int> FrontFaces(std::size_t n) const
  {
    std::vector<int> faces;
    for (const ControlKey& k : FrontToBack(form))
      if (faces.size() < n && k.set == ControlSet::imgPile) faces.push_back(k.index);
    return faces;
  }
  void ExpectAt(int slot, float left, float top)
  {
    EXPECT_EQ(form.imgPile(slot).Left(), left) << slot;
    EXPECT_EQ(form.imgPile(slot).Top(), top) << slot;
  }
  void ExpectLink(int slot, int next)
  {
    EXPECT_EQ(form.Deck[static_cast<std::size_t>(slot)].HasNext, True16) << slot;
    EXPECT_EQ(form.Deck[static_cast<std::size_t>(slot)].NextCard, next) << slot;
  }
  void ExpectNoLink(int slot) { EXPECT_EQ(form.Deck[static_cast<std::size_t>(slot)].HasNext, False16) << slot; }
  // The table is as it was, but for DragCard, which the drag itself set.
  bool Unchanged(const TableSnapshot& before) const
  {
    TableSnapshot now = Snapshot(form);
    now.dragCard = before.dragCard;
    return now == before;
  }

  frmSolitaire form{ProgramFolder()};
};

// --- Drop on a column card ---

TEST_F(Drops, ACardGoesOneFanStepBelowItsTargetInFrontAndIsLinked)
{
  FaceUp(0, "9s");
  FaceUp(13, "th");
  form.imgPile(13).Move(2640, 3000);
  OnColumnCard(0, 13);
  ExpectAt(0, 2640, 3205);
  EXPECT_EQ(FrontFaces(1), std::vector<int>{0});
  ExpectLink(13, 0);
  EXPECT_TRUE(form.imgKingMove(0).Enabled()) << "column 1 is empty now";
  ExpectNoLink(0);
}

TEST_F(Drops, ARunMovesWithItsHeadEachCardInFrontOfTheOneBefore)
{
  FaceUp(18, "9s");
  FaceUp(22, "8d");
  FaceUp(25, "7c");
  FaceUp(13, "th");
  OnColumnCard(22, 18);
  OnColumnCard(25, 22);
  form.imgPile(13).Move(2640, 3000);
  OnColumnCard(18, 13);
  ExpectAt(18, 2640, 3205);
  ExpectAt(22, 2640, 3410);
  ExpectAt(25, 2640, 3615);
  EXPECT_EQ(FrontFaces(3), (std::vector<int>{25, 22, 18}));
  EXPECT_TRUE(form.imgBack(14).Enabled()) << "the back dealt under slot 18";
  EXPECT_TRUE(form.imgBack(19).Enabled()) << "slot 22 uncovered its own dealt card when it moved first";
}

TEST_F(Drops, TheUncoverRuleFollowsTheDealtSlotNotTheCardsPlace)
{
  FaceUp(3, "9s");  // slot 3 is column 4's bottom card
  FaceUp(13, "th");
  FaceUp(18, "td");
  OnColumnCard(3, 13);
  EXPECT_TRUE(form.imgKingMove(3).Enabled());
  form.imgKingMove(3).SetEnabled(false);
  OnColumnCard(3, 18);  // leaving column 3 now, it still enables column 4's target
  EXPECT_TRUE(form.imgKingMove(3).Enabled());
  // A stock card enables slot 0's back, which is hidden all through the game.
  FaceUp(51, "8d");
  OnColumnCard(51, 3);
  EXPECT_TRUE(form.imgBack(0).Enabled());
  EXPECT_FALSE(form.imgBack(0).Visible());
  ExpectAt(51, 3840, form.imgPile(3).Top() + 205);
}

TEST_F(Drops, RefusedDropsOnColumnCardsChangeNothing)
{
  FaceUp(0, "9s");
  FaceUp(7, "th");
  FaceUp(13, "9c");
  FaceUp(18, "ts");
  FaceUp(51, "tc");  // in the waste row
  FaceUp(50, "td");  // in the waste row, a fitting colour and rank
  struct Case {
    const char* what;
    int dragged, target;
  };
  const Case cases[] = {
      {"same colour", 13, 18},
      {"same rank", 7, 18},
      {"two ranks apart", 13, 0},
      {"on itself", 0, 0},
      {"on a waste card even when it fits", 0, 50},
      {"a higher card on a lower one", 7, 0},
  };
  for (const Case& c : cases) {
    const TableSnapshot before = Snapshot(form);
    OnColumnCard(c.dragged, c.target);
    EXPECT_TRUE(Unchanged(before)) << c.what;
  }
}

TEST_F(Drops, ADropOnACardThatCarriesOneTakesItsPlaceAndTheLink)
{
  FaceUp(13, "th");
  FaceUp(0, "9s");
  FaceUp(7, "9c");
  OnColumnCard(0, 13);
  OnColumnCard(7, 13);
  ExpectAt(7, form.imgPile(13).Left(), form.imgPile(13).Top() + 205);
  ExpectAt(0, form.imgPile(13).Left(), form.imgPile(13).Top() + 205);
  EXPECT_EQ(FrontFaces(2), (std::vector<int>{7, 0}));
  ExpectLink(13, 7);
}

TEST_F(Drops, AWasteCardLaidOnAColumnStaysThereWhenTheWasteIsTurnedBack)
{
  FaceUp(51, "9s");
  FaceUp(13, "th");
  OnColumnCard(51, 13);
  for (int s = 50; s >= 28; --s) form.imgBack_Click(static_cast<std::int16_t>(s));
  form.imgEnd_Click();
  EXPECT_TRUE(form.imgPile(51).Visible());
  EXPECT_FALSE(form.imgBack(51).Visible());
  ExpectAt(51, 2640, 2280 + 205);
}

// A card lifted from the card it lay on no longer drags along when that card moves.
TEST_F(Drops, ACardLeavingTheCardItLayOnClearsThatCardsLink)
{
  FaceUp(13, "th");
  FaceUp(18, "td");
  FaceUp(22, "Js");
  FaceUp(0, "9s");
  OnColumnCard(0, 13);  // 9s on th
  ExpectLink(13, 0);
  OnColumnCard(0, 18);  // 9s to td
  ExpectNoLink(13);
  ExpectLink(18, 0);
  const float nineTop = form.imgPile(0).Top();
  OnColumnCard(13, 22);  // th on Js: alone
  ExpectAt(13, 5040, form.imgPile(22).Top() + 205);
  ExpectAt(0, 3840, nineTop);
}

TEST_F(Drops, ADropBackOnTheCardItLayOnKeepsTheLink)
{
  FaceUp(13, "th");
  FaceUp(0, "9s");
  OnColumnCard(0, 13);
  OnColumnCard(0, 13);  // released over the strip of th still showing
  ExpectLink(13, 0);
  FaceUp(22, "Js");
  OnColumnCard(13, 22);
  ExpectAt(0, 5040, form.imgPile(13).Top() + 205);  // the run still travels together
}

TEST_F(Drops, ACardPlayedToAFoundationIsNoLongerPulledByTheCardItLayOn)
{
  FaceUp(50, "As");
  OnFoundation(50, 0);
  FaceUp(13, "3h");
  FaceUp(0, "2s");
  OnColumnCard(0, 13);
  OnFoundation(0, 0);
  ExpectNoLink(13);
  FaceUp(22, "4c");
  OnColumnCard(13, 22);
  ExpectAt(0, 2640, OnFoundationTop);
  EXPECT_FALSE(form.imgPile(0).Visible());
}

// --- Drop on a foundation ---

TEST_F(Drops, AnAceClaimsAnEmptyFoundationAndShowsThere)
{
  FaceUp(51, "As");
  OnFoundation(51, 2);
  EXPECT_EQ(form.PileSuit[2], "s");
  EXPECT_EQ(MCardTest::SuitTops.Spades, 1);
  EXPECT_EQ(form.imgSuitPile(2).Picture(), LoadCardPicture(ProgramFolder() + "/cards/As.gif"));
  EXPECT_EQ(form.imgSuitPile(2).Width(), 73 * 15 + 60) << "the picture's size plus the sunken frame";
  EXPECT_FALSE(form.imgPile(51).Visible());
  EXPECT_EQ(form.imgPile(51).Top(), OnFoundationTop);
  ExpectNoLink(51);

  FaceUp(50, "2s");
  const TableSnapshot before = Snapshot(form);
  // Asked first, without a drop: where it would land and why not elsewhere, recording nothing.
  EXPECT_EQ(form.RefusalOf(50, form.imgSuitPile(2)), DropRefusal::None);
  EXPECT_EQ(form.RefusalOf(50, form.imgSuitPile(1)), DropRefusal::NotAnAce);
  OnFoundation(50, 1);
  EXPECT_TRUE(Unchanged(before)) << "another foundation refuses it";
  OnFoundation(50, 2);
  EXPECT_EQ(MCardTest::SuitTops.Spades, 2);
  EXPECT_EQ(form.imgSuitPile(2).Picture(), LoadCardPicture(ProgramFolder() + "/cards/2s.gif"));
}

TEST_F(Drops, RefusedDropsOnFoundationsChangeNothing)
{
  FaceUp(51, "Ah");
  OnFoundation(51, 0);
  MCardTest::SuitTops.Hearts = 3;  // the hearts foundation shows the three
  MCardTest::SuitTops.Diamonds = 3;
  form.PileSuit[1] = "d";
  FaceUp(0, "Ad");
  FaceUp(7, "6c");
  FaceUp(13, "4h");
  FaceUp(18, "5h");
  struct Case {
    const char* what;
    int dragged, foundation;
  };
  const Case cases[] = {
      {"an ace on a foundation claimed by another suit", 0, 0},
      {"a six on an unclaimed foundation", 7, 2},
      {"the next heart on the diamonds foundation", 13, 1},
      {"a heart two above the hearts foundation", 18, 0},
  };
  for (const Case& c : cases) {
    const TableSnapshot before = Snapshot(form);
    OnFoundation(c.dragged, c.foundation);
    EXPECT_TRUE(Unchanged(before)) << c.what;
  }
  OnFoundation(13, 0);
  EXPECT_EQ(MCardTest::SuitTops.Hearts, 4);
  EXPECT_FALSE(form.imgPile(13).Visible());
}

TEST_F(Drops, AWasteCardPlayedToItsFoundationIsSkippedByTheRecycle)
{
  FaceUp(51, "Ac");
  OnFoundation(51, 3);
  for (int s = 50; s >= 28; --s) form.imgBack_Click(static_cast<std::int16_t>(s));
  form.imgEnd_Click();
  EXPECT_FALSE(form.imgBack(51).Visible());
  EXPECT_FALSE(form.imgPile(51).Visible());
  for (int s = 28; s <= 50; ++s) EXPECT_TRUE(form.imgBack(s).Visible()) << s;
}

TEST_F(Drops, ACoveredCardMayBePlayedAndTheCardsOnItStayFreeToDrag)
{
  FaceUp(50, "Ad");
  OnFoundation(50, 0);
  FaceUp(49, "2d");
  OnFoundation(49, 0);
  FaceUp(7, "3d");
  FaceUp(18, "2c");
  OnColumnCard(18, 7);  // 2c on 3d
  const float twoTop = form.imgPile(18).Top();
  OnFoundation(7, 0);  // 3d is the next diamond, covered or not
  EXPECT_EQ(MCardTest::SuitTops.Diamonds, 3);
  ExpectNoLink(7);
  EXPECT_FALSE(form.imgPile(7).Visible());
  EXPECT_TRUE(form.imgPile(18).Visible());
  EXPECT_TRUE(form.imgPile(18).Enabled());
  EXPECT_EQ(form.imgPile(18).Drag(), DragMode::Automatic);
  EXPECT_EQ(form.imgPile(18).Top(), twoTop);
  EXPECT_TRUE(form.imgBack(1).Enabled()) << "the back dealt under slot 7";
  // The card left behind is dragged on as usual: it alone moves.
  FaceUp(22, "3h");
  OnColumnCard(18, 22);
  ExpectAt(18, 5040, form.imgPile(22).Top() + 205);
}

// Every column, the first and the last included: its bottom card gone, it takes a king.
TEST_F(Drops, ABottomCardPlayedToAFoundationOpensItsColumnToAKing)
{
  for (int column = 0; column < ColumnCount; ++column) {
    SCOPED_TRACE(column);
    MCardTest::SuitTops = {};
    form.PileSuit[1].clear();
    FaceUp(column, "Ah");  // the column's bottom card is slot `column`
    OnFoundation(column, 1);
    for (int k = 0; k < ColumnCount; ++k) EXPECT_EQ(form.imgKingMove(k).Enabled(), k <= column) << k;
  }
}

// --- Drop on an empty column ---

TEST_F(Drops, OnlyAKingFillsAnEmptyColumn)
{
  FaceUp(0, "Qh");
  form.imgKingMove(2).SetEnabled(true);
  const TableSnapshot before = Snapshot(form);
  OnEmptyColumn(0, 2);
  EXPECT_TRUE(Unchanged(before));
}

TEST_F(Drops, ALoneKingFromTheWasteTakesTheTopRowAndKeepsItsPlaceInTheStack)
{
  FaceUp(51, "Kd");
  form.imgKingMove(2).SetEnabled(true);
  auto clickable = [&] {
    std::vector<int> backs;
    for (int s = 0; s < 52; ++s)
      if (form.imgBack(s).Visible() && form.imgBack(s).Enabled()) backs.push_back(s);
    return backs;
  };
  const std::vector<int> backsBefore = clickable();
  const std::vector<ControlKey> orderBefore = FrontToBack(form);
  OnEmptyColumn(51, 2);
  ExpectAt(51, 2640, KingRowTop);
  EXPECT_EQ(FrontToBack(form), orderBefore);
  EXPECT_EQ(clickable(), backsBefore);
  EXPECT_TRUE(form.imgKingMove(2).Enabled()) << "stays enabled while the king lies on it";
}

TEST_F(Drops, AKingCarriesItsRunIntoAnEmptyColumnCardByCard)
{
  FaceUp(18, "Kc");
  FaceUp(22, "Qh");
  FaceUp(25, "Js");
  OnColumnCard(22, 18);
  OnColumnCard(25, 22);
  FaceUp(27, "3d");  // a card brought to the front later
  form.imgKingMove(0).SetEnabled(true);
  OnEmptyColumn(18, 0);
  ExpectAt(18, 240, 2040);
  ExpectAt(22, 240, 2245);
  ExpectAt(25, 240, 2450);
  EXPECT_EQ(FrontFaces(3), (std::vector<int>{25, 22, 18}));
  EXPECT_TRUE(form.imgBack(14).Enabled());
}

TEST_F(Drops, TheKingDealtAtTheBottomOfAColumnOpensItWhenItMoves)
{
  FaceUp(4, "Kh");
  form.imgKingMove(1).SetEnabled(true);
  OnEmptyColumn(4, 1);
  ExpectAt(4, 1440, KingRowTop);
  EXPECT_TRUE(form.imgKingMove(4).Enabled());
  // Column 5 is empty now and takes another king.
  FaceUp(51, "Ks");
  OnEmptyColumn(51, 4);
  ExpectAt(51, 5040, KingRowTop);
}

// Each of the three drops, refused, shows the card again as it was, enabled and draggable.
TEST_F(Drops, EveryRefusedDropShowsTheCardAgain)
{
  FaceUp(0, "5c");
  FaceUp(7, "9h");
  form.imgKingMove(2).SetEnabled(true);
  const std::pair<const char*, std::function<void()>> refusals[] = {
      {"on a column card", [this] { OnColumnCard(0, 7); }},
      {"on a foundation", [this] { OnFoundation(0, 0); }},
      {"on an empty column", [this] { OnEmptyColumn(0, 2); }},
  };
  for (const auto& [where, drop] : refusals) {
    form.imgPile(0).SetDragMode(DragMode::Manual);
    form.imgPile(0).SetEnabled(false);
    drop();
    EXPECT_TRUE(form.imgPile(0).Enabled()) << where;
    EXPECT_EQ(form.imgPile(0).Drag(), DragMode::Automatic) << where;
    ExpectAt(0, 240, 2040);
  }
}

TEST_F(Drops, ARefusedCardIsShownEnabledAndDraggableWhereItWas)
{
  FaceUp(0, "5c");
  form.imgPile(0).SetDragMode(DragMode::Manual);
  form.imgPile(0).SetEnabled(false);
  form.DragCard = 0;
  form.BadDrop();
  EXPECT_TRUE(form.imgPile(0).Visible());
  EXPECT_TRUE(form.imgPile(0).Enabled());
  EXPECT_EQ(form.imgPile(0).Drag(), DragMode::Automatic);
  ExpectAt(0, 240, 2040);
}

}  // namespace
