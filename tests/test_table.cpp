// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The table as it is created and dealt: layout, stacking order, the shuffle, turning cards and the
// stock, and the persistent background.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <tuple>

#include "TableFixture.h"
#include "table/TableDefinition.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

class DealtTable : public ::testing::Test {
 protected:
  void SetUp() override { form.Form_Load(); }
  frmSolitaire form{ProgramFolder()};
};

// --- The definition as data ---

TEST(TableDefinition, EveryControlIsDefinedOnceAndCreatedOnce)
{
  std::set<std::pair<int, int>> defined, created;
  for (const ControlDefinition& row : TableControls())
    for (int i = row.First; i <= row.Last; ++i)
      EXPECT_TRUE(defined.insert({static_cast<int>(row.Set), i}).second) << ControlSetName(row.Set) << i;
  for (const CreationRun& run : TableCreationOrder()) {
    const int step = run.Last >= run.First ? 1 : -1;
    for (int i = run.First;; i += step) {
      EXPECT_TRUE(created.insert({static_cast<int>(run.Set), i}).second) << ControlSetName(run.Set) << i;
      if (i == run.Last) break;
    }
  }
  EXPECT_EQ(defined, created);
  EXPECT_EQ(defined.size(), 52u + 52u + 7u + 4u + 1u);
  // Whole pixels, as a form designer stores them.
  for (const ControlDefinition& row : TableControls())
    for (const float twips : {row.Left, row.Top, row.Width, row.Height})
      EXPECT_EQ(static_cast<int>(twips) % TwipsPerPixel, 0) << ControlSetName(row.Set) << row.First << ": " << twips;
}

TEST(TableDefinition, HandlersAreBoundByNameOncePerSetAndEvent)
{
  std::set<std::string> names;
  std::set<std::pair<int, int>> bound;
  frmSolitaire form(ProgramFolder());
  for (const EventBinding& b : frmSolitaire::EventBindings()) {
    EXPECT_EQ(std::string(b.Name), std::string(ControlSetName(b.Set)) + "_" + ControlEventName(b.Event));
    EXPECT_TRUE(names.insert(b.Name).second) << b.Name;
    EXPECT_TRUE(bound.insert({static_cast<int>(b.Set), static_cast<int>(b.Event)}).second) << b.Name;
    EXPECT_TRUE(form.Controls().HasHandler(b.Set, b.Event)) << b.Name;
  }
  EXPECT_EQ(names, (std::set<std::string>{"imgBack_Click", "imgEnd_Click", "imgPile_MouseMove", "imgPile_DragDrop",
                                          "imgSuitPile_DragDrop", "imgKingMove_DragDrop"}));
  EXPECT_FALSE(form.Controls().HasHandler(ControlSet::imgBack, ControlEvent::DragDrop));
  EXPECT_FALSE(form.Controls().HasHandler(ControlSet::imgEnd, ControlEvent::DragDrop));
  EXPECT_FALSE(form.Controls().HasHandler(ControlSet::imgPile, ControlEvent::Click));
}

TEST(CardModel, InitialOrderCodesAndFileNames)
{
  const std::pair<int, const char*> named[] = {{0, "2d"},  {1, "2c"},  {3, "2s"},  {4, "3d"},  {32, "td"},
                                               {47, "Ks"}, {48, "Ad"}, {49, "Ac"}, {50, "Ah"}, {51, "As"}};
  for (const auto& [slot, code] : named) EXPECT_EQ(InitialCard(slot).Code, code) << slot;
  std::set<std::string> codes;
  for (int slot = 0; slot < 52; ++slot) {
    const Card c = InitialCard(slot);
    EXPECT_EQ(c.Code.size(), 2u);
    EXPECT_EQ(c.Code.substr(1), c.Suit);
    EXPECT_EQ(c.Rank, slot >= 48 ? 1 : 2 + slot / 4);
    codes.insert(c.Code);
  }
  EXPECT_EQ(codes.size(), 52u);
  for (int slot = 0; slot < 52; ++slot) {
    const Card named = CardFromCode(InitialCard(slot).Code);
    EXPECT_EQ(named.Suit, InitialCard(slot).Suit) << slot;
    EXPECT_EQ(named.Rank, InitialCard(slot).Rank) << slot;
  }
  EXPECT_EQ(CardPicturePath("/opt/game", "th"), "/opt/game/cards/th.gif");
  EXPECT_EQ(EmptyStockPicturePath("/opt/game"), "/opt/game/cards/InvertedB.gif");
  EXPECT_EQ(CardPictureNames()[52], "InvertedB.gif");
}

// --- Layout after start-up ---

TEST_F(DealtTable, ColumnsStockWasteAndFoundationsStandWhereTheyBelong)
{
  const int columnOf[28] = {0, 1, 2, 3, 4, 5, 6, 1, 2, 3, 4, 5, 6, 2, 3, 4, 5, 6, 3, 4, 5, 6, 4, 5, 6, 5, 6, 6};
  const int rowOf[28] = {0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 3, 3, 3, 3, 4, 4, 4, 5, 5, 6};
  for (int s = 0; s < 28; ++s) {
    const float left = 240.0f + 1200.0f * static_cast<float>(columnOf[s]);
    const float top = 2040.0f + 120.0f * static_cast<float>(rowOf[s]);
    EXPECT_EQ(form.imgBack(s).Left(), left) << s;
    EXPECT_EQ(form.imgBack(s).Top(), top) << s;
    EXPECT_EQ(form.imgPile(s).Left(), left) << s;  // every face on its own back
    EXPECT_EQ(form.imgPile(s).Top(), top) << s;
  }
  for (int s = 28; s < 52; ++s) {
    EXPECT_EQ(form.imgBack(s).Left(), 240) << s;
    EXPECT_EQ(form.imgBack(s).Top(), 240) << s;
    EXPECT_EQ(form.imgBack(s).Width(), s == 51 ? 1125 : 1095) << s;  // only the front one is framed
    EXPECT_EQ(form.imgPile(s).Left(), WasteLeft) << s;
    EXPECT_EQ(form.imgPile(s).Top(), WasteTop) << s;
    EXPECT_FALSE(form.imgPile(s).Visible()) << s;
    EXPECT_TRUE(form.imgBack(s).Visible() && form.imgBack(s).Enabled()) << s;
  }
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(form.imgSuitPile(k).Left(), 3840.0f + 1200.0f * static_cast<float>(k));
    EXPECT_EQ(form.imgSuitPile(k).Top(), 240);
    EXPECT_EQ(form.imgSuitPile(k).Width(), 1095);
    EXPECT_EQ(form.imgSuitPile(k).Height(), 1500);
    EXPECT_TRUE(form.imgSuitPile(k).Picture().isNull());
    EXPECT_EQ(form.imgSuitPile(k).Border(), Frame::Sunken);
  }
  for (int k = 0; k < 7; ++k) {
    EXPECT_EQ(form.imgKingMove(k).Left(), 240.0f + 1200.0f * static_cast<float>(k));
    EXPECT_EQ(form.imgKingMove(k).Top(), KingRowTop);
    EXPECT_FALSE(form.imgKingMove(k).Enabled());
    EXPECT_TRUE(form.imgKingMove(k).Picture().isNull());
  }
  EXPECT_FALSE(form.imgEnd().Picture().isNull());
}

TEST_F(DealtTable, TheSevenLastDealtCardsAreFaceUpAndOnlyTheStockAnswersClicks)
{
  for (int s = 0; s < 28; ++s) {
    const bool top = std::find(LastDealtSlots.begin(), LastDealtSlots.end(), s) != LastDealtSlots.end();
    EXPECT_EQ(form.imgPile(s).Visible(), top) << s;
    EXPECT_EQ(form.imgBack(s).Visible(), !top) << s;
    EXPECT_FALSE(form.imgBack(s).Enabled()) << s;
    if (top) {
      EXPECT_TRUE(form.imgPile(s).Enabled());
      EXPECT_EQ(form.imgPile(s).Width(), 73 * 15 + 30) << "a framed face is two pixels larger each way";
      EXPECT_EQ(form.imgPile(s).Height(), 97 * 15 + 30);
    }
  }
}

TEST_F(DealtTable, StackingOrderAfterStartUp)
{
  std::vector<ControlKey> expected;
  for (int s : {27, 25, 22, 18, 13, 7, 0}) expected.push_back({ControlSet::imgPile, s});
  for (int s = 51; s >= 1; --s)
    if (std::find(LastDealtSlots.begin(), LastDealtSlots.end(), s) == LastDealtSlots.end())
      expected.push_back({ControlSet::imgPile, s});
  for (int k = 3; k >= 0; --k) expected.push_back({ControlSet::imgSuitPile, k});
  for (int s = 27; s >= 0; --s) expected.push_back({ControlSet::imgBack, s});
  for (int s = 51; s >= 28; --s) expected.push_back({ControlSet::imgBack, s});
  expected.push_back({ControlSet::imgEnd, 0});
  for (int k = 0; k <= 6; ++k) expected.push_back({ControlSet::imgKingMove, k});
  EXPECT_EQ(FrontToBack(form), expected);
}

TEST(TableCreation, StackingOrderAsCreated)
{
  frmSolitaire form(ProgramFolder());
  std::vector<ControlKey> expected;
  for (int k : {6, 3, 2, 1, 0}) expected.push_back({ControlSet::imgKingMove, k});
  expected.push_back({ControlSet::imgEnd, 0});
  for (int s = 51; s >= 0; --s) expected.push_back({ControlSet::imgPile, s});
  for (int k = 3; k >= 0; --k) expected.push_back({ControlSet::imgSuitPile, k});
  for (int s = 27; s >= 0; --s) expected.push_back({ControlSet::imgBack, s});
  for (int k : {4, 5}) expected.push_back({ControlSet::imgKingMove, k});
  for (int s = 51; s >= 28; --s) expected.push_back({ControlSet::imgBack, s});
  EXPECT_EQ(FrontToBack(form), expected);
  EXPECT_EQ(form.DragCard, 0);
  for (const std::string& suit : form.PileSuit) EXPECT_EQ(suit, "");
}

// As the window is created, before any deal: who shows, who answers the mouse, who drags.
TEST(TableCreation, EachSetShowsAnswersAndDragsAsDesigned)
{
  frmSolitaire form(ProgramFolder());
  struct Row {
    const char* what;
    const PictureControl& control;
    bool visible, enabled;
    DragMode drag;
  };
  const Row rows[] = {
      {"imgPile 0", form.imgPile(0), false, false, DragMode::Automatic},
      {"imgPile 51", form.imgPile(51), false, false, DragMode::Automatic},
      {"imgBack 0", form.imgBack(0), true, true, DragMode::Manual},
      {"imgBack 51", form.imgBack(51), true, true, DragMode::Manual},
      {"imgKingMove 6", form.imgKingMove(6), true, true, DragMode::Manual},
      {"imgSuitPile 3", form.imgSuitPile(3), true, true, DragMode::Manual},
      {"imgEnd", form.imgEnd(), true, true, DragMode::Manual},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(row.control.Visible(), row.visible) << row.what;
    EXPECT_EQ(row.control.Enabled(), row.enabled) << row.what;
    EXPECT_EQ(row.control.Drag(), row.drag) << row.what;
  }
}

// A deal given as text, each card once, is laid out at every deal in place of the shuffle.
TEST(ReplayedDeal, OnlyTheFiftyTwoCardsOnceEachAreReplayed)
{
  std::string text;
  for (int slot = DeckSize - 1; slot >= 0; --slot) text += InitialCard(slot).Code;
  std::string twice = text;
  twice.replace(0, 2, twice.substr(2, 2));
  std::string unknown = text;
  unknown.replace(0, 2, "1h");
  for (const auto& [name, given, valid] : {std::tuple{"the deck backwards", text, true},
                                           {"a card short", text.substr(2), false},
                                           {"a card twice", twice, false},
                                           {"no such card", unknown, false},
                                           {"empty", std::string(), false}})
    EXPECT_EQ(ReadDeal(given).has_value(), valid) << name;

  frmSolitaire form(ProgramFolder());
  form.ReplayDeal(*ReadDeal(text));
  for (int deal = 0; deal < 2; ++deal) {
    form.mnuGameDeal_Click();
    for (int slot = 0; slot < DeckSize; ++slot) {
      const Card& dealt = form.Deck[static_cast<std::size_t>(slot)];
      const Card wanted = CardFromCode(text.substr(static_cast<std::size_t>(2 * slot), 2));
      EXPECT_TRUE(dealt.Code == wanted.Code && dealt.Suit == wanted.Suit && dealt.Rank == wanted.Rank) << slot;
    }
  }
}

// --- The shuffle ---

TEST(Shuffle, IndexRoundsHalfToEvenAndStaysWithin0To51)
{
  const std::pair<float, int> cases[] = {
      {0.0f, 0},      {0.49f / 51, 0},   {0.51f / 51, 1},   {1.5f / 51, 2},
      {2.5f / 51, 2}, {50.49f / 51, 50}, {50.51f / 51, 51}, {std::nextafter(1.0f, 0.0f), 51},
  };
  for (const auto& [u, j] : cases) EXPECT_EQ(ShuffleIndex(u), j) << u;
  ClockRandom random;
  std::set<float> seen;
  for (int i = 0; i < 10000; ++i) {
    random.Randomize();  // re-seeds in quick succession must still vary
    const float u = random.Rnd();
    ASSERT_GE(u, 0.0f);
    ASSERT_LT(u, 1.0f);
    seen.insert(u);
  }
  EXPECT_GT(seen.size(), 9900u);
}

TEST_F(DealtTable, EachDealIsAPermutationOfThe52Cards)
{
  std::set<std::vector<std::string>> deals;
  for (int deal = 0; deal < 20; ++deal) {
    std::set<std::string> codes;
    std::vector<std::string> order;
    for (const Card& c : form.Deck) {
      EXPECT_EQ(c.Code.substr(1), c.Suit);
      EXPECT_EQ(CardFromCode(c.Code).Rank, c.Rank);
      codes.insert(c.Code);
      order.push_back(c.Code);
    }
    EXPECT_EQ(codes.size(), 52u);
    deals.insert(order);
    form.mnuGameDeal_Click();
  }
  EXPECT_EQ(deals.size(), 20u);
}

// --- Turning cards and the stock ---

TEST_F(DealtTable, TheStockTurnsFromTheHighestSlotDownAndRecyclesInTheSameOrder)
{
  std::vector<int> firstPass, secondPass;
  auto turnAll = [&](std::vector<int>& into) {
    for (int n = 0; n < 24; ++n) {
      PictureControl* hit = form.Controls().HitTest(600, 600);
      ASSERT_NE(hit, nullptr);
      ASSERT_EQ(hit->BelongsTo(), ControlSet::imgBack);
      into.push_back(hit->Index());
      form.imgBack_Click(hit->Index());
      EXPECT_TRUE(form.imgPile(hit->Index()).Visible());
      EXPECT_EQ(form.Controls().HitTest(WasteLeft + 500, 600), &form.imgPile(hit->Index()))
          << "the card just turned lies in front of the waste";
    }
    EXPECT_EQ(form.Controls().HitTest(600, 600), &form.imgEnd());
  };
  turnAll(firstPass);
  std::vector<int> expected;
  for (int s = 51; s >= 28; --s) expected.push_back(s);
  EXPECT_EQ(firstPass, expected);
  form.imgEnd_Click();
  for (int s = 28; s < 52; ++s) {
    EXPECT_FALSE(form.imgPile(s).Visible());
    EXPECT_TRUE(form.imgBack(s).Visible());
  }
  turnAll(secondPass);
  EXPECT_EQ(secondPass, expected);
}

TEST_F(DealtTable, RecyclingBringsBackOnlyFacesStillExactlyInTheWasteRow)
{
  for (int s = 51; s >= 28; --s) form.imgBack_Click(static_cast<std::int16_t>(s));
  form.imgPile(40).Move(2640, 3000);         // laid on a column
  form.imgPile(41).SetTop(OnFoundationTop);  // played to a foundation
  form.imgPile(41).SetVisible(false);
  form.imgPile(42).SetTop(240.5f);  // anything but exactly 240 stays
  form.imgEnd_Click();
  for (int s = 28; s < 52; ++s) {
    const bool stays = s == 40 || s == 41 || s == 42;
    EXPECT_EQ(form.imgBack(s).Visible(), !stays) << s;
    EXPECT_EQ(form.imgPile(s).Visible(), s == 40 || s == 42) << s;
  }
  // With the waste empty, a second recycle changes nothing.
  const TableSnapshot before = Snapshot(form);
  form.imgEnd_Click();
  EXPECT_EQ(Snapshot(form), before);
}

TEST_F(DealtTable, AClickOnADisabledBackDoesNothing)
{
  const TableSnapshot before = Snapshot(form);
  // Column 7's first back shows a 120-twip strip above the backs dealt on it.
  form.PointerPress(7500, 2100);
  form.PointerRelease(7500, 2100);
  EXPECT_EQ(Snapshot(form), before);
}

TEST_F(DealtTable, PointerMovesOverFacesSetDragCardToTheLastOneEntered)
{
  form.PointerMove(300, 2100, 0);  // column 1's face, slot 0
  EXPECT_EQ(form.DragCard, 0);
  form.PointerMove(7500, 2900, 0);  // column 7's face, slot 27
  EXPECT_EQ(form.DragCard, 27);
  form.PointerMove(7500, 2100, 0);  // a face-down card of column 7: no face there
  EXPECT_EQ(form.DragCard, 27);
  form.PointerMove(5000, 5000, 0);  // bare table
  EXPECT_EQ(form.DragCard, 27);
  form.PointerPress(1500, 2200);  // column 2's face, slot 7, pressed without a move onto it
  EXPECT_EQ(form.DragCard, 7);
}

// --- A new deal ---

TEST_F(DealtTable, ANewDealPutsEveryPictureBackIntoItsDealingState)
{
  // Spoil the table: turn the stock, move faces, claim a foundation, link cards.
  for (int s = 51; s >= 40; --s) form.imgBack_Click(static_cast<std::int16_t>(s));
  form.imgPile(0).Move(5000, 4000);
  form.imgPile(45).Move(1440, 2500);
  form.imgPile(44).SetTop(OnFoundationTop);
  form.imgPile(44).SetVisible(false);
  form.imgSuitPile(2).SetPicture(form.imgPile(45).Picture());
  form.PileSuit[2] = "s";
  form.Deck[3].HasNext = True16;
  form.Deck[3].NextCard = 45;
  form.imgKingMove(3).SetEnabled(true);
  form.imgBack(9).SetEnabled(true);

  form.mnuGameDeal_Click();

  for (int s = 0; s < 52; ++s) {
    const bool top = std::find(LastDealtSlots.begin(), LastDealtSlots.end(), s) != LastDealtSlots.end();
    EXPECT_EQ(form.imgPile(s).Visible(), top) << s;
    EXPECT_EQ(form.imgBack(s).Visible(), !top) << s;
    EXPECT_EQ(form.Deck[static_cast<std::size_t>(s)].HasNext, False16) << s;
    EXPECT_EQ(form.imgPile(s).Left(), s < 28 ? form.imgBack(s).Left() : WasteLeft) << s;
    EXPECT_EQ(form.imgPile(s).Top(), s < 28 ? form.imgBack(s).Top() : WasteTop) << s;
    if (s < 28) {
      EXPECT_FALSE(form.imgBack(s).Enabled()) << s;
    }
  }
  for (int k = 0; k < 4; ++k) {
    EXPECT_TRUE(form.imgSuitPile(k).Picture().isNull());
    EXPECT_EQ(form.PileSuit[static_cast<std::size_t>(k)], "");
  }
  for (int k = 0; k < 7; ++k) EXPECT_FALSE(form.imgKingMove(k).Enabled());
  EXPECT_EQ(FrontToBack(form).back(), (ControlKey{ControlSet::imgKingMove, 6}));
}

TEST_F(DealtTable, ANewDealAbandonsADragInProgress)
{
  form.PointerPress(300, 2100);
  ASSERT_TRUE(form.Controls().Dragging().has_value());
  form.mnuGameDeal_Click();
  EXPECT_FALSE(form.Controls().Dragging().has_value());
}

// --- The background ---

TEST(Gradient, BandsRunFromBrightBlueToBlackWithTheLaterBandWinning)
{
  for (int height : {100, 256, 385, 1000}) {
    const std::vector<std::int16_t> rows = GradientRows(height);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(height));
    EXPECT_GE(rows.front(), 250) << height;
    EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), std::greater<>())) << height;
    EXPECT_LE(rows.back(), 2) << height;  // black, or the window's black where no band reached
  }
  // At 256 pixels each band owns one row; its strip's top row goes to the band below it.
  const std::vector<std::int16_t> rows = GradientRows(256);
  EXPECT_EQ(rows[0], 254);
  EXPECT_EQ(rows[100], 154);
  EXPECT_EQ(rows[254], 0);
}

TEST_F(DealtTable, TheBackgroundKeepsTheSizeItWasPaintedAt)
{
  form.SetScreenWidth(1280 * 15);
  form.SetClientSize(8820, 5775);
  form.mnuGameDeal_Click();
  EXPECT_EQ(form.PaintedBackground().Width, 1280 * 15);
  EXPECT_EQ(form.PaintedBackground().Rows.size(), 385u);
  form.SetClientSize(9000, 9000);  // enlarged later: the new strip stays black until the next deal
  EXPECT_EQ(form.PaintedBackground().Rows.size(), 385u);
  form.mnuGameDeal_Click();
  EXPECT_EQ(form.PaintedBackground().Rows.size(), 600u);
}

}  // namespace
