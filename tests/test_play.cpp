// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Whole games: a known deal won through real mouse events on the table widget, and random play that
// must never lose, duplicate or corrupt a card.

#include <gtest/gtest.h>

#include <QApplication>

#include <array>
#include <map>
#include <random>
#include <set>
#include <sstream>

#include "MouseDriver.h"
#include "TableFixture.h"
#include "table/TablePainter.h"
#include "table/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

enum class Place { FaceDown, Waste, Column, Foundation };

// Where card `slot` is, read from its two pictures; an impossible combination fails the test.
std::optional<Place> PlaceOf(frmSolitaire& form, int slot)
{
  const PictureControl& back = form.imgBack(slot);
  const PictureControl& face = form.imgPile(slot);
  const bool faceDown = back.Visible() && !face.Visible();
  const bool waste = !back.Visible() && face.Visible() && slot >= TableauSize && face.Left() == WasteLeft &&
                     face.Top() == WasteTop;
  const bool column = !back.Visible() && face.Visible() && face.Top() >= KingRowTop;
  const bool foundation = !back.Visible() && !face.Visible() && face.Top() == OnFoundationTop;
  if (faceDown + waste + column + foundation != 1) return std::nullopt;
  return faceDown ? Place::FaceDown : waste ? Place::Waste : column ? Place::Column : Place::Foundation;
}

// Every invariant of a sound table; an empty string when all hold.
std::string CheckTable(frmSolitaire& form)
{
  std::ostringstream problems;
  std::set<std::string> codes;
  std::map<std::string, std::set<int>> played;
  std::set<int> linkedTo;
  for (int s = 0; s < DeckSize; ++s) {
    const Card& card = form.Deck[static_cast<std::size_t>(s)];
    codes.insert(card.Code);
    const auto place = PlaceOf(form, s);
    if (!place) problems << "card " << card.Code << " (slot " << s << ") is in no single place; ";
    if (place == Place::Foundation) played[card.Suit].insert(card.Rank);
    int length = 1;
    for (int next = s; form.Deck[static_cast<std::size_t>(next)].HasNext == True16; ++length) {
      next = form.Deck[static_cast<std::size_t>(next)].NextCard;
      if (length > 13) {
        problems << "the run from slot " << s << " does not end; ";
        break;
      }
    }
    // A linked card lies one fan step below the card it was laid on, and on no other card.
    if (card.HasNext == True16) {
      const PictureControl& under = form.imgPile(s);
      const PictureControl& over = form.imgPile(card.NextCard);
      if (!linkedTo.insert(card.NextCard).second) problems << "slot " << card.NextCard << " lies on two cards; ";
      if (over.Left() != under.Left() || over.Top() != under.Top() + FanStep || !over.Visible())
        problems << "slot " << card.NextCard << " is not where the card under it says; ";
    }
  }
  if (codes.size() != 52) problems << "the deck holds " << codes.size() << " distinct cards; ";
  std::set<std::string> claimed;
  for (const std::string& suit : form.PileSuit)
    if (!suit.empty() && !claimed.insert(suit).second) problems << "two foundations claim " << suit << "; ";
  for (const auto& [suit, ranks] : played) {
    if (!claimed.contains(suit)) problems << suit << " is played to no claimed foundation; ";
    int expected = 1;
    for (int rank : ranks)
      if (rank != expected++) problems << suit << " foundation skips to rank " << rank << "; ";
  }
  return problems.str();
}

int CardsOnFoundations(frmSolitaire& form)
{
  int n = 0;
  for (int s = 0; s < DeckSize; ++s) n += PlaceOf(form, s) == Place::Foundation;
  return n;
}

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
 protected:
  void SetUp() override
  {
    MCardTest::SuitTops = {};
    form.mnuGameDeal_Click();
    // Columns hold the aces to sevens so each column plays out from its face-up card down, and the
    // stock turns up the eights to kings in the order the foundations want them.
    const std::map<int, const char*> tableau = {
        {27, "Ah"}, {26, "2h"}, {24, "3h"}, {21, "4h"}, {17, "5h"}, {12, "6h"}, {6, "7h"},
        {25, "Ad"}, {23, "2d"}, {20, "3d"}, {16, "4d"}, {11, "5d"}, {5, "6d"},
        {22, "As"}, {19, "2s"}, {15, "3s"}, {10, "4s"}, {4, "5s"},
        {18, "Ac"}, {14, "2c"}, {9, "3c"},  {3, "4c"},
        {13, "6s"}, {8, "7s"},  {2, "7d"},
        {7, "5c"},  {1, "6c"},
        {0, "7c"},
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
    const int top = card.Suit == "h" ? tops.Hearts : card.Suit == "d" ? tops.Diamonds
                  : card.Suit == "s" ? tops.Spades : tops.Clubs;
    for (int k = 0; k < 4; ++k)
      if (form.PileSuit[static_cast<std::size_t>(k)] == card.Suit) return card.Rank == top + 1 ? k : -1;
    if (card.Rank != 1) return -1;
    for (int k = 0; k < 4; ++k)
      if (form.PileSuit[static_cast<std::size_t>(k)].empty()) return k;
    return -1;
  }

  // One move a player would make: a card to its foundation, else turn a freed column card, else the
  // stock.
  bool PlayOneMove()
  {
    for (int s = 0; s < DeckSize; ++s) {
      if (PlaceOf(form, s) != Place::Waste && PlaceOf(form, s) != Place::Column) continue;
      const int k = FoundationFor(form.Deck[static_cast<std::size_t>(s)]);
      const QPoint from = ReachablePixel(form, form.imgPile(s));
      if (k < 0 || from.x() < 0) continue;
      mouse.Drag(from, ReachablePixel(form, form.imgSuitPile(k)));
      EXPECT_EQ(PlaceOf(form, s), Place::Foundation) << form.Deck[static_cast<std::size_t>(s)].Code;
      return true;
    }
    for (int s = 0; s < TableauSize; ++s) {
      const QPoint at = ReachablePixel(form, form.imgBack(s));
      if (at.x() < 0) continue;
      mouse.Click(at);
      EXPECT_EQ(PlaceOf(form, s), Place::Column) << s;
      return true;
    }
    mouse.Click(MouseDriver::Pixel(600, 600));  // the stock, or the empty-stock picture
    return true;
  }

  frmSolitaire form{ProgramFolder()};
  TableWidget widget{form};
  MouseDriver mouse{&widget};
};

TEST_F(KnownDeal, IsWonWithTheMouseAlone)
{
  int moves = 0;
  while (CardsOnFoundations(form) < 52 && moves < 400) {
    PlayOneMove();
    ++moves;
    ASSERT_EQ(CheckTable(form), "") << "after move " << moves;
  }
  EXPECT_EQ(CardsOnFoundations(form), 52);
  for (int k = 0; k < 4; ++k) EXPECT_FALSE(form.imgSuitPile(k).Picture().isNull());
  EXPECT_EQ(MCardTest::SuitTops.Hearts + MCardTest::SuitTops.Diamonds + MCardTest::SuitTops.Spades +
                MCardTest::SuitTops.Clubs,
            52);
  // The table that is left: only the foundations and the empty-stock picture show.
  for (int s = 0; s < DeckSize; ++s) EXPECT_FALSE(form.imgPile(s).Visible() || form.imgBack(s).Visible()) << s;
}

// --- Random play ---

TEST(RandomPlay, NoCardIsEverLostDuplicatedOrCorrupted)
{
  constexpr unsigned kSeed = 20261207;
  constexpr int kSequences = 1500;
  constexpr int kEventsPerSequence = 80;
  std::mt19937 random(kSeed);
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  int accepted = 0;
  int played = 0;

  auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
  auto anyPoint = [&] {
    return std::pair<float, float>{static_cast<float>(pick(9500) - 300), static_cast<float>(pick(8000) - 300)};
  };
  // A point where some visible, enabled control of the set answers the mouse; anywhere if none does.
  auto controlPoint = [&](ControlSet set, int count) {
    std::vector<const PictureControl*> live;
    for (int i = 0; i < count; ++i) {
      const PictureControl& c = form.Controls().Get(set, static_cast<std::int16_t>(i));
      if (c.Visible() && c.Enabled()) live.push_back(&c);
    }
    for (int attempt = 0; attempt < 4 && !live.empty(); ++attempt) {
      const QPoint p = ReachablePixel(form, *live[static_cast<std::size_t>(pick(static_cast<int>(live.size())))]);
      if (p.x() >= 0) return std::pair<float, float>{PixelCentreTwips(p.x()), PixelCentreTwips(p.y())};
    }
    return anyPoint();
  };
  // Half the drags aim where the rules would take the card, so play goes deep into the game.
  auto fittingTarget = [&](int dragged) -> std::optional<std::pair<float, float>> {
    const Card& card = form.Deck[static_cast<std::size_t>(dragged)];
    std::vector<const PictureControl*> fits;
    for (int s = 0; s < DeckSize; ++s) {
      const Card& t = form.Deck[static_cast<std::size_t>(s)];
      if (PlaceOf(form, s) == Place::Column && MCardTest::CanStack(card.Suit, card.Rank, t.Suit, t.Rank) == True16)
        fits.push_back(&form.imgPile(s));
    }
    for (int k = 0; k < 4; ++k)
      if (form.PileSuit[static_cast<std::size_t>(k)] == card.Suit || card.Rank == 1) fits.push_back(&form.imgSuitPile(k));
    if (card.Rank == 13)
      for (int k = 0; k < 7; ++k) fits.push_back(&form.imgKingMove(k));
    if (fits.empty()) return std::nullopt;
    const QPoint p = ReachablePixel(form, *fits[static_cast<std::size_t>(pick(static_cast<int>(fits.size())))]);
    if (p.x() < 0) return std::nullopt;
    return std::pair<float, float>{PixelCentreTwips(p.x()), PixelCentreTwips(p.y())};
  };
  auto target = [&] {
    switch (pick(4)) {
      case 0: return controlPoint(ControlSet::imgPile, 52);
      case 1: return controlPoint(ControlSet::imgSuitPile, 4);
      case 2: return controlPoint(ControlSet::imgKingMove, 7);
      default: return anyPoint();
    }
  };

  for (int sequence = 0; sequence < kSequences; ++sequence) {
    played += CardsOnFoundations(form);
    form.mnuGameDeal_Click();
    for (int event = 0; event < kEventsPerSequence; ++event) {
      const int kind = pick(100);
      const TableSnapshot before = Snapshot(form);
      if (kind < 50) {  // a drag of a face to somewhere
        const auto [x0, y0] = controlPoint(ControlSet::imgPile, 52);
        const PictureControl* grabbed = form.Controls().HitTest(x0, y0);
        std::optional<std::pair<float, float>> aim;
        if (grabbed != nullptr && grabbed->Set() == ControlSet::imgPile && pick(2) == 0)
          aim = fittingTarget(grabbed->Index());
        const auto [x1, y1] = aim ? *aim : target();
        form.PointerMove(x0, y0, 0);
        form.PointerPress(x0, y0);
        form.PointerMove((x0 + x1) / 2, (y0 + y1) / 2, LeftButton);
        form.PointerRelease(x1, y1);
      } else if (kind < 70) {  // a click on a back
        const auto [x, y] = controlPoint(ControlSet::imgBack, 52);
        form.PointerPress(x, y);
        form.PointerRelease(x, y);
      } else if (kind < 85) {  // the stock or the empty-stock picture
        form.PointerPress(600, 600);
        form.PointerRelease(600, 600);
      } else if (kind < 99) {  // a stray gesture, perhaps left unfinished
        const auto [x, y] = anyPoint();
        switch (pick(3)) {
          case 0: form.PointerMove(x, y, static_cast<std::int16_t>(pick(2))); break;
          case 1: form.PointerPress(x, y, pick(4) == 0 ? RightButton : LeftButton); break;
          default: form.PointerRelease(x, y); break;
        }
      } else {
        form.mnuGameDeal_Click();
      }
      accepted += !(Snapshot(form) == before);
      const std::string problems = CheckTable(form);
      ASSERT_EQ(problems, "") << "seed " << kSeed << ", sequence " << sequence << ", event " << event;
    }
  }
  EXPECT_FALSE(form.Failed());
  EXPECT_GT(accepted, kSequences * 10) << "random play should change the table often";
  EXPECT_GT(played, kSequences / 2) << "random play should reach the foundations";
  RecordProperty("changes", accepted);
}

}  // namespace
