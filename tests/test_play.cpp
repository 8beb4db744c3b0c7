// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Whole games: a known deal won through real mouse events on the table widget, the same deal won with
// key presses alone, and random play that must never lose, duplicate or corrupt a card.

#include <gtest/gtest.h>

#include <QApplication>

#include <array>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include <QTest>
#include "MouseDriver.h"
#include "TableFixture.h"
#include "TableSoak.h"

#include "places/TablePlaces.h"
#include "table/Pixels.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

// A pixel where `control` itself answers the mouse, or (-1, -1) where it is covered everywhere.
QPoint ReachablePixel(frmSolitaire& form, const PictureControl& control)
{
  const QRect r = PixelRect(control.Rect());
  for (int y = r.top() + 2; y <= r.bottom(); y += 3)
    for (int x = r.left() + r.width() / 2; x <= r.right(); x += 7)
      if (form.Controls().HitTest(PixelCentreTwips(x), PixelCentreTwips(y)) == &control) return {x, y};
  return {-1, -1};
}

// --- A whole game through the widget ---

class KnownDeal : public ::testing::Test {
 public:
  void SetUp() override
  {
    MCardTest::SuitTops = {};
    form.mnuGameDeal_Click();
    // Columns hold the aces to sevens so each column plays out from its face-up card down, and the
    // stock turns up the eights to kings in the order the foundations want them.
    const std::map<int, const char*> tableau = {
        {27, "Ah"}, {26, "2h"}, {24, "3h"}, {21, "4h"}, {17, "5h"}, {12, "6h"}, {6, "7h"},
        {25, "Ad"}, {23, "2d"}, {20, "3d"}, {16, "4d"}, {11, "5d"}, {5, "6d"},  {22, "As"},
        {19, "2s"}, {15, "3s"}, {10, "4s"}, {4, "5s"},  {18, "Ac"}, {14, "2c"}, {9, "3c"},
        {3, "4c"},  {13, "6s"}, {8, "7s"},  {2, "7d"},  {7, "5c"},  {1, "6c"},  {0, "7c"},
    };
    for (const auto& [slot, code] : tableau) PutCard(form, slot, code);
    const char* ranks = "89tJQK";
    int slot = 51;
    for (int r = 0; r < 6; ++r)
      for (char suit : std::string("hdsc")) PutCard(form, slot--, std::string{ranks[r], suit});
    for (std::int16_t s : LastDealtSlots)
      form.imgPile(s).SetPicture(LoadCardPicture(CardPicturePath(form.ProgramFolder(), form.Deck[s].Code)));
    widget.resize(widget.sizeHint());
  }

  // The foundation a card may go to now, or -1.
  int FoundationFor(const Card& card) const
  {
    const MCardTest::SuitTopsRecord& tops = MCardTest::SuitTops;
    const int top = card.Suit == "h"   ? tops.Hearts
                    : card.Suit == "d" ? tops.Diamonds
                    : card.Suit == "s" ? tops.Spades
                                       : tops.Clubs;
    for (int k = 0; k < 4; ++k)
      if (form.PileSuit[static_cast<std::size_t>(k)] == card.Suit) return card.Rank == top + 1 ? k : -1;
    if (card.Rank != 1) return -1;
    for (int k = 0; k < 4; ++k)
      if (form.PileSuit[static_cast<std::size_t>(k)].empty()) return k;
    return -1;
  }

  // One move a player would make: a card to its foundation, else turn a freed column card, else the
  // stock.
  void PlayOneMove()
  {
    for (int s = 0; s < DeckSize; ++s) {
      if (PlaceOf(form, s) != Place::Waste && PlaceOf(form, s) != Place::Column) continue;
      const int k = FoundationFor(form.Deck[static_cast<std::size_t>(s)]);
      const QPoint from = ReachablePixel(form, form.imgPile(s));
      if (k < 0 || from.x() < 0) continue;
      mouse.Drag(from, ReachablePixel(form, form.imgSuitPile(k)));
      EXPECT_EQ(PlaceOf(form, s), Place::Foundation) << form.Deck[static_cast<std::size_t>(s)].Code;
      return;
    }
    for (int s = 0; s < TableauSize; ++s) {
      const QPoint at = ReachablePixel(form, form.imgBack(s));
      if (at.x() < 0) continue;
      mouse.Click(at);
      EXPECT_EQ(PlaceOf(form, s), Place::Column) << s;
      return;
    }
    mouse.Click(MouseDriver::Pixel(600, 600));  // the stock, or the empty-stock picture
  }

  // The same player's move made with keys: a card to its foundation, else an uncovered back turned,
  // else the stock. Places are reached as a player would: a column by its number, the top row from
  // the stock at the top left.
  void PlayOneMoveByKeys()
  {
    const TablePlaces places(form);
    std::vector<std::pair<int, std::int16_t>> fronts;  // a place and the card a take there takes
    if (const auto waste = places.WasteFront()) fronts.emplace_back(WastePlace, *waste);
    for (int c = 0; c < ColumnCount; ++c)
      if (const ColumnCards& column = places.Column(c); !column.FaceUp.empty())
        fronts.emplace_back(FirstColumnPlace + c, column.FaceUp.back());
    for (const auto& [place, slot] : fronts) {
      const int k = FoundationFor(form.Deck[static_cast<std::size_t>(slot)]);
      if (k < 0) continue;
      GoTo(place);
      Key(Qt::Key_Space);
      GoTo(FirstFoundationPlace + k);
      Key(Qt::Key_Return);
      EXPECT_EQ(PlaceOf(form, slot), Place::Foundation) << form.Deck[static_cast<std::size_t>(slot)].Code;
      return;
    }
    for (int c = 0; c < ColumnCount; ++c) {
      const ColumnCards& column = places.Column(c);
      if (!column.FaceUp.empty() || column.FaceDown.empty()) continue;
      GoTo(FirstColumnPlace + c);
      Key(Qt::Key_Return);
      EXPECT_EQ(PlaceOf(form, column.FaceDown.back()), Place::Column);
      return;
    }
    GoTo(StockPlace);
    Key(Qt::Key_Return);
  }
  void Key(Qt::Key key) { QTest::keyClick(&widget, key); }
  void GoTo(int place)
  {
    if (place >= FirstColumnPlace) {
      Key(static_cast<Qt::Key>(Qt::Key_1 + place - FirstColumnPlace));
      return;
    }
    Key(Qt::Key_1);
    Key(Qt::Key_Up);
    for (int n = 0; n < place; ++n) Key(Qt::Key_Right);
    ASSERT_EQ(widget.CursorPlace(), place);
  }
  // Plays move after move until every card is on the foundations, checking the table after each.
  void PlayToTheEnd(void (KnownDeal::*move)())
  {
    for (int moves = 1; CardsOnFoundations(form) < 52 && moves <= 400; ++moves) {
      (this->*move)();
      ASSERT_EQ(CheckTable(form), "") << "after move " << moves;
      EXPECT_EQ(TablePlaces(form).Won(), CardsOnFoundations(form) == 52) << "after move " << moves;
    }
    EXPECT_EQ(CardsOnFoundations(form), 52);
    // The table that is left: only the foundations and the empty-stock picture show.
    for (int s = 0; s < DeckSize; ++s) EXPECT_FALSE(form.imgPile(s).Visible() || form.imgBack(s).Visible()) << s;
  }

  frmSolitaire form{ProgramFolder()};
  TableWidget widget{form};
  MouseDriver mouse{&widget};
};

TEST_F(KnownDeal, IsWonWithTheMouseAlone)
{
  PlayToTheEnd(&KnownDeal::PlayOneMove);
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(form.imgSuitPile(k).Picture().isNull());
  EXPECT_EQ(MCardTest::SuitTops.Hearts + MCardTest::SuitTops.Diamonds + MCardTest::SuitTops.Spades +
                MCardTest::SuitTops.Clubs,
            52);
}

TEST_F(KnownDeal, IsWonWithTheKeyboardAlone) { PlayToTheEnd(&KnownDeal::PlayOneMoveByKeys); }

// --- Random play ---

TEST(RandomPlay, NoCardIsEverLostDuplicatedOrCorrupted)
{
  constexpr unsigned kSeed = 20261207;
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  TableSoak soak(form, kSeed);
  ASSERT_EQ(soak.Run(40000), "") << "seed " << kSeed;
  EXPECT_GT(soak.Stats().changes, soak.Stats().gestures / 10) << "random play should change the table often";
  EXPECT_GE(soak.Stats().mostPlayed, 2) << "random play should reach the foundations";
  RecordProperty("changes", static_cast<int>(soak.Stats().changes));
}

}  // namespace
