// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The game by keyboard, in the model alone: the key map, the cursor over the 13 places, and acts that
// reach the same handlers as the mouse and leave the same records.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <vector>

#include <QtCore/qnamespace.h>

#include "TableFixture.h"
#include "places/Coverage.h"
#include "places/TableKeyboard.h"
#include "places/TablePlaces.h"
#include "places/Wording.h"
#include "table/Pixels.h"
#include "table/TableDefinition.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

constexpr KeyCommand Next{TableKey::Next}, Previous{TableKey::Previous}, Left{TableKey::Left}, Right{TableKey::Right},
    Up{TableKey::Up}, Down{TableKey::Down}, Act{TableKey::Act}, PutBack{TableKey::PutBack}, Summary{TableKey::Summary};
constexpr KeyCommand Column(int c) { return {TableKey::Column, c - 1}; }
constexpr int ColumnPlace(int c) { return FirstColumnPlace + c - 1; }
constexpr int FoundationPlace(int k) { return FirstFoundationPlace + k - 1; }

// Column tops, left to right: K♠ | Q♥ on A♣ | K♥ | 5♠ | 9♥ | J♣ | 10♦; the stock turns A♦ then 2♦.
const std::vector<std::pair<int, std::string>> kDeal = {
    {0, "Ks"}, {1, "Ac"}, {7, "Qh"}, {13, "Kh"}, {18, "5s"}, {22, "9h"}, {25, "Jc"}, {27, "td"}, {51, "Ad"}, {50, "2d"},
};

class Keyboard : public ::testing::Test {
 protected:
  void SetUp() override
  {
    MCardTest::SuitTops = {};
    form.Form_Load();
    ArrangeDeal(form, kDeal);
  }
  void Press(const std::vector<KeyCommand>& keys)
  {
    for (const KeyCommand& k : keys) keys_.Press(k);
  }
  frmSolitaire form{ProgramFolder()};
  TableKeyboard keys_{form};
};

// The places' short lists hold what fits and refuse more, rather than write past their room.
TEST(FixedList, RefusesToGrowPastItsRoom)
{
  FixedList<int, 2> list;
  list.push_back(1);
  list.push_back(2);
  EXPECT_THROW(list.push_back(3), std::length_error);
  EXPECT_THROW(list.resize(3), std::length_error);
  EXPECT_NO_THROW(list.resize(2));
  list.resize(1);
  EXPECT_EQ(std::vector<int>(list.begin(), list.end()), std::vector<int>{1});
}

// A rectangle shows past those over it wherever one pixel of it is left: at a corner, along a
// single row or column between them, or not at all.
TEST(Coverage, APixelLeftShows)
{
  const Box card{0, 0, 10, 10};
  const struct Case {
    const char* name;
    Box target;
    std::vector<Box> over;
    bool shows;
  } cases[] = {
      {"nothing over it", card, {}, true},
      {"an empty rectangle", {5, 5, 5, 9}, {}, false},
      {"one box over it all", card, {{-5, -5, 20, 20}}, false},
      {"all but a corner", card, {{0, 0, 10, 9}, {0, 9, 9, 10}}, true},
      {"two halves meeting", card, {{0, 0, 10, 5}, {0, 5, 10, 10}}, false},
      {"a row between them, its corners hidden",
       card,
       {{0, 0, 10, 4}, {0, 5, 10, 10}, {0, 0, 1, 10}, {9, 0, 10, 10}},
       true},
      {"a column between them, its corners hidden",
       card,
       {{0, 0, 4, 10}, {5, 0, 10, 10}, {0, 0, 10, 1}, {0, 9, 10, 10}},
       true},
      {"a strip along the bottom, its corners hidden", card, {{0, 0, 10, 8}, {0, 0, 1, 10}, {9, 0, 10, 10}}, true},
      {"four overlapping quarters", card, {{0, 0, 6, 6}, {4, 0, 10, 6}, {0, 4, 6, 10}, {4, 4, 10, 10}}, false},
      {"boxes beside it", card, {{10, 0, 20, 10}, {-10, 0, 0, 10}}, true},
  };
  for (const Case& c : cases) {
    BoxList over;
    for (const Box& box : c.over) over.push_back(box);
    EXPECT_EQ(ShowsPast(c.target, over), c.shows) << c.name;
  }
}

TEST(KeyMap, EachKeyAndItsCommand)
{
  struct Case {
    int key;
    int modifiers;
    std::optional<KeyCommand> command;
  };
  const Case cases[] = {
      {Qt::Key_Tab, 0, Next},
      {Qt::Key_Backtab, Qt::ShiftModifier, Previous},
      {Qt::Key_Left, 0, Left},
      {Qt::Key_Right, 0, Right},
      {Qt::Key_Up, 0, Up},
      {Qt::Key_Down, 0, Down},
      {Qt::Key_Space, 0, Act},
      {Qt::Key_Return, 0, Act},
      {Qt::Key_Enter, Qt::KeypadModifier, Act},
      {Qt::Key_Escape, 0, PutBack},
      {Qt::Key_R, 0, Summary},
      {Qt::Key_R, Qt::ShiftModifier, Summary},
      {Qt::Key_1, 0, Column(1)},
      {Qt::Key_7, 0, Column(7)},
      {Qt::Key_4, Qt::KeypadModifier, Column(4)},
      // The number row of a French AZERTY keyboard, without Shift.
      {Qt::Key_Ampersand, 0, Column(1)},
      {Qt::Key_Eacute, 0, Column(2)},
      {Qt::Key_QuoteDbl, 0, Column(3)},
      {Qt::Key_Apostrophe, 0, Column(4)},
      {Qt::Key_ParenLeft, 0, Column(5)},
      {Qt::Key_Minus, 0, Column(6)},
      {Qt::Key_Egrave, 0, Column(7)},
      // Keys that are not the table's, and keys the window's menus and shortcuts take.
      {Qt::Key_8, 0, std::nullopt},
      {Qt::Key_F2, 0, std::nullopt},
      {Qt::Key_J, Qt::AltModifier, std::nullopt},
      {Qt::Key_Tab, Qt::ControlModifier, std::nullopt},
      {Qt::Key_1, Qt::AltModifier, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(CommandForKey(c.key, c.modifiers), c.command) << std::hex << c.key;
}

TEST_F(Keyboard, TheCursorMovesOverTheThirteenPlaces)
{
  struct Case {
    int from;
    KeyCommand key;
    int to;
  };
  const Case cases[] = {
      {StockPlace, Next, WastePlace},
      {ColumnPlace(7), Next, StockPlace},
      {StockPlace, Previous, ColumnPlace(7)},
      {StockPlace, Left, StockPlace},
      {WastePlace, Left, StockPlace},
      {FoundationPlace(4), Right, FoundationPlace(4)},
      {ColumnPlace(1), Left, ColumnPlace(1)},
      {ColumnPlace(3), Right, ColumnPlace(4)},
      {ColumnPlace(7), Right, ColumnPlace(7)},
      {StockPlace, Down, ColumnPlace(1)},
      {WastePlace, Down, ColumnPlace(2)},
      {FoundationPlace(1), Down, ColumnPlace(4)},
      {FoundationPlace(4), Down, ColumnPlace(7)},
      {ColumnPlace(1), Up, StockPlace},
      {ColumnPlace(3), Up, WastePlace},
      {ColumnPlace(6), Up, FoundationPlace(3)},
      {FoundationPlace(2), Up, FoundationPlace(2)},
      {WastePlace, Column(5), ColumnPlace(5)},
  };
  for (const Case& c : cases) {
    // Reach the starting place the long way round: Tab from the stock.
    form.mnuGameDeal_Click();
    ASSERT_EQ(keys_.Place(), StockPlace);
    for (int n = 0; n < c.from; ++n) keys_.Press(Next);
    keys_.Press(c.key);
    EXPECT_EQ(keys_.Place(), c.to) << "from place " << c.from << ", key " << static_cast<int>(c.key.Key);
  }
}

TEST_F(Keyboard, UpAndDownWalkAColumnsFaceUpCardsThenLeaveForTheTopRow)
{
  // Column 5: four backs, then 9♥ with 8♠ and 7♥ laid on it.
  BuildRunOn(form, 22, 28, {"8s", "7h"});
  Press({Column(5)});
  EXPECT_EQ(keys_.CursorCard(), 29);  // the last card first
  Press({Up});
  EXPECT_EQ(keys_.CursorCard(), 28);
  // Said card first, with the cards a take there carries, then the column.
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(5), std::nullopt, keys_.Cursor().Control),
            "Huit de pique, avec 1 carte ; colonne 5 : Sept de cœur, Huit de pique, Neuf de cœur, 4 cartes cachées");
  Press({Up, Down});
  EXPECT_EQ(keys_.CursorCard(), 28) << "Down goes one card toward the last";
  Press({Up, Up});
  EXPECT_EQ(keys_.CursorCard(), std::nullopt);
  EXPECT_EQ(keys_.Place(), FoundationPlace(2));
  Press({Down, Up, Down});
  EXPECT_EQ(keys_.Place(), ColumnPlace(5));
  EXPECT_EQ(keys_.CursorCard(), 29);
  Press({Down});  // already on the last card
  EXPECT_EQ(keys_.CursorCard(), 29);
  // Taking from the nine takes the run: it is what the mouse drags from there.
  Press({Up, Up, Act});
  EXPECT_EQ(keys_.Held(), 22);
  EXPECT_EQ(form.DragCard, 22);
  // Put back on its own column, the cursor is on the column's last card again, as after any put.
  Press({Act});
  EXPECT_EQ(keys_.Held(), std::nullopt);
  EXPECT_EQ(keys_.CursorCard(), 29);
}

// The same moves, one table played with the mouse and one with the keys: the same records.
TEST_F(Keyboard, KeyMovesLeaveTheRecordsTheSameMouseDragsLeave)
{
  frmSolitaire mouseForm(ProgramFolder());
  mouseForm.Form_Load();
  std::vector<std::pair<int, std::string>> sameDeal;
  for (int slot = 0; slot < DeckSize; ++slot)
    sameDeal.emplace_back(slot, form.Deck[static_cast<std::size_t>(slot)].Code);
  ArrangeDeal(mouseForm, sameDeal);
  auto drag = [&mouseForm](const PictureControl& from, const PictureControl& to) {
    const auto [x0, y0] = CentreOf(from);
    const auto [x1, y1] = CentreOf(to);
    mouseForm.PointerMove(x0, y0, 0);
    mouseForm.PointerPress(x0, y0);
    mouseForm.PointerMove(x1, y1, LeftButton);
    mouseForm.PointerRelease(x1, y1);
  };
  auto click = [&mouseForm](const PictureControl& c) {
    const auto [x, y] = CentreOf(c);
    mouseForm.PointerMove(x, y, 0);
    mouseForm.PointerPress(x, y);
    mouseForm.PointerRelease(x, y);
  };
  // Both tables share the one SuitTops: only aces go to the foundations here, and an ace is taken
  // whatever its suit's entry holds.
  struct Step {
    const char* name;
    std::function<void()> mouse;
    std::vector<KeyCommand> keys;
  };
  const std::vector<Step> steps = {
      {"Q♥ onto K♠", [&] { drag(mouseForm.imgPile(7), mouseForm.imgPile(0)); }, {Column(2), Act, Column(1), Act}},
      {"the back it uncovered turned", [&] { click(mouseForm.imgBack(1)); }, {Column(2), Act}},
      {"A♣ to foundation 1",
       [&] { drag(mouseForm.imgPile(1), mouseForm.imgSuitPile(0)); },
       {Column(2), Act, Up, Right, Act}},
      {"K♥ into the empty column",
       [&] { drag(mouseForm.imgPile(13), mouseForm.imgKingMove(1)); },
       {Column(3), Act, Column(2), Act}},
      {"the stock turned", [&] { click(mouseForm.imgBack(51)); }, {Up, Up, Left, Act}},
      {"5♠ onto 9♥, refused",
       [&] { drag(mouseForm.imgPile(18), mouseForm.imgPile(22)); },
       {Column(4), Act, Column(5), Act}},
      {"A♦ onto the clubs' foundation, refused",
       [&] { drag(mouseForm.imgPile(51), mouseForm.imgSuitPile(0)); },
       {Up, Left, Left, Act, Right, Act}},
      {"A♦ to foundation 2",
       [&] { drag(mouseForm.imgPile(51), mouseForm.imgSuitPile(1)); },
       {Left, Act, Right, Right, Act}},
  };
  for (const Step& step : steps) {
    step.mouse();
    Press(step.keys);
    EXPECT_EQ(keys_.Held(), std::nullopt) << step.name;
    EXPECT_TRUE(Snapshot(form, false) == Snapshot(mouseForm, false)) << step.name;
  }
  EXPECT_EQ(form.PileSuit[0], "c");
  EXPECT_EQ(form.PileSuit[1], "d");
  EXPECT_EQ(form.imgPile(13).Left(), 1440);
}

TEST_F(Keyboard, ActOnTheStockTurnsItAndOnAnUncoveredBackTurnsIt)
{
  Press({Act});
  EXPECT_TRUE(form.imgPile(51).Visible());
  EXPECT_EQ(keys_.Held(), std::nullopt);
  // Column 2 once its queen has gone to the king: the back dealt beneath it answers.
  Press({Column(2), Act, Column(1), Act, Column(2)});
  EXPECT_TRUE(form.imgBack(1).Visible());
  Press({Act});
  EXPECT_TRUE(form.imgPile(1).Visible());
  EXPECT_FALSE(form.imgBack(1).Visible());
  // A foundation has no click to hear.
  const TableSnapshot before = Snapshot(form);
  Press({Column(4), Up, Right, Act});
  EXPECT_TRUE(Snapshot(form) == before);
}

TEST_F(Keyboard, AHeldCardGoesBackOnEscapeOnItsOwnPlaceAndOnAPlaceWithoutADrop)
{
  const TableSnapshot dealt = Snapshot(form);
  struct Case {
    const char* name;
    std::vector<KeyCommand> keys;
  };
  const Case cases[] = {
      {"Escape", {Column(6), Act, Column(2), PutBack}},
      {"its own place", {Column(6), Act, Column(3), Column(6), Act}},
      {"the stock, which takes no drop", {Column(6), Act, Up, Left, Left, Left, Left, Act}},
      {"the empty waste", {Column(6), Act, Next, Next, Next, Act}},
  };
  for (const Case& c : cases) {
    Press(c.keys);
    EXPECT_EQ(keys_.Held(), std::nullopt) << c.name;
    TableSnapshot now = Snapshot(form);
    now.dragCard = dealt.dragCard;  // the take names the dragged card, as a pointer over it does
    EXPECT_TRUE(now == dealt) << c.name;
  }
  EXPECT_EQ(keys_.Press(PutBack), KeyResult::NothingHeld) << "nothing to put back";
}

// A key does not act in the middle of a mouse drag: the drop is the mouse's. A gesture whose
// release went elsewhere (a modal window took it) ends at the next key, which then acts.
// R says the whole table in one go, short, and changes nothing.
TEST_F(Keyboard, RSaysTheWholeTableAndChangesNothing)
{
  const TableSnapshot dealt = Snapshot(form);
  EXPECT_EQ(keys_.Press(Summary), KeyResult::Summary);
  EXPECT_TRUE(Snapshot(form) == dealt);
  EXPECT_EQ(keys_.Place(), StockPlace);
  EXPECT_EQ(TableSummary(keys_.Places(), form),
            "Talon : 24 cartes. Défausse vide. Fondations vides. Colonne 1 : Roi de pique. Colonne 2 : 1 cachée, "
            "Dame de cœur. Colonne 3 : 2 cachées, Roi de cœur. Colonne 4 : 3 cachées, Cinq de pique. Colonne 5 : "
            "4 cachées, Neuf de cœur. Colonne 6 : 5 cachées, Valet de trèfle. Colonne 7 : 6 cachées, Dix de carreau");
  // The ace turned and played, the two turned: a foundation, the waste's count; a run by its ends.
  Press({Act, Next, Act, Right, Act, Left, Left, Act});
  BuildRunOn(form, 22, 28, {"8s", "7h"});
  EXPECT_NE(TableSummary(keys_.Places(), form).find("Talon : 20 cartes. Défausse : Deux de carreau. Fondations"),
            std::string::npos);
  Press({Act});
  const std::string said = TableSummary(keys_.Places(), form);
  for (const char* part :
       {"Talon : 19 cartes. Défausse : ", ", 2 cartes. Fondations : As de carreau, vide, vide, vide.",
        "Colonne 5 : 4 cachées, Neuf de cœur à Sept de cœur, 3 cartes."})
    EXPECT_NE(said.find(part), std::string::npos) << part << " in " << said;
}

// A refused put says which rule it broke, in the drop handler's own terms.
TEST_F(Keyboard, ARefusedPutSaysWhichRuleItBroke)
{
  struct Case {
    const char* name;
    std::vector<KeyCommand> keys;  // the last one is the refused put
    const char* reason;
  };
  const char* nowhere = "seules les colonnes et les fondations reçoivent une carte";
  const Case cases[] = {
      {"a black five on a red nine", {Column(4), Act, Column(5), Act}, "il faut une carte rouge, un rang au-dessus"},
      {"a red nine on a black king", {Column(5), Act, Column(1), Act}, "il faut une carte noire, un rang au-dessus"},
      {"a five on an empty foundation", {Column(4), Act, Up, Act}, "seul un as ouvre une fondation"},
      {"a five on the ace of diamonds",
       {Act, Next, Act, Right, Act, Column(4), Act, Up, Act},
       "il faut le Deux de carreau"},
      {"on the waste's card", {Act, Column(4), Act, Up, Left, Act}, nowhere},
      {"on the empty waste", {Column(4), Act, Up, Left, Act}, nowhere},
      {"on the stock", {Column(4), Act, Up, Left, Left, Act}, nowhere},
  };
  for (const Case& c : cases) {
    form.mnuGameDeal_Click();
    ArrangeDeal(form, kDeal);
    std::optional<std::int16_t> held;
    const PictureControl* target = nullptr;
    KeyResult last = KeyResult::None;
    for (const KeyCommand& key : c.keys) {
      held = keys_.Held();
      target = keys_.Cursor().Control;
      last = keys_.Press(key);
    }
    ASSERT_EQ(last, KeyResult::Refused) << c.name;
    EXPECT_EQ(RefusalReason(keys_.Places(), form, *held, target), c.reason) << c.name;
  }
  EXPECT_EQ(RefusalReason(keys_.Places(), form, 18, &form.imgKingMove(1)), "seul un roi va sur une colonne vide");
  EXPECT_EQ(RefusalReason(keys_.Places(), form, 18, nullptr), nowhere) << "over nothing";
  // Foundations whose last cards are the king of spades, the jack of clubs and the queen of hearts.
  for (const auto& [slot, foundation] : {std::pair{0, 1}, {25, 2}, {7, 3}}) {
    form.PileSuit[static_cast<std::size_t>(foundation)] = form.Deck[static_cast<std::size_t>(slot)].Suit;
    form.imgPile(slot).SetTop(OnFoundationTop);
    form.imgPile(slot).SetVisible(false);
  }
  for (const auto& [foundation, reason] : {std::pair{0, "seul un as ouvre une fondation"},
                                           {1, "il faut une autre fondation"},
                                           {2, "il faut la Dame de trèfle"},
                                           {3, "il faut le Roi de cœur"}})
    EXPECT_EQ(RefusalReason(keys_.Places(), form, 18, &form.imgSuitPile(foundation)), reason) << foundation;
}

// What is said beyond the places' names: the end of the game after the put that won it, and that
// Escape had nothing to let go.
TEST_F(Keyboard, TheWinningPutAndEscapeWithNothingHeldAreSaid)
{
  KeyReport report;
  report.Before = report.After = NamesOf(keys_.Places(), std::nullopt);
  report.Result = KeyResult::Dropped;
  report.Place = FoundationPlace(1);
  EXPECT_EQ(KeyAnnouncement(form, report, std::nullopt), "");
  report.Won = true;
  EXPECT_EQ(KeyAnnouncement(form, report, std::nullopt), "Partie gagnée");
  report.After[ColumnPlace(2)] = "Colonne 2 vide";
  EXPECT_EQ(KeyAnnouncement(form, report, std::nullopt), "Colonne 2 vide. Partie gagnée");
  report.Won = false;
  report.Result = KeyResult::NothingHeld;
  EXPECT_EQ(KeyAnnouncement(form, report, std::nullopt), "Aucune carte tenue");
}

TEST_F(Keyboard, NoActDuringAMouseDragButAStaleGestureEndsAtAKey)
{
  const auto [x, y] = CentreOf(form.imgPile(25));
  form.PointerMove(x, y, 0);
  form.PointerPress(x, y);
  ASSERT_TRUE(form.Controls().Dragging());
  const TableSnapshot before = Snapshot(form);
  for (const KeyCommand key : {Column(1), Act, Column(6), Act, Up, Up, Left, Left, Left, Left, Act})
    keys_.Press(key, LeftButton);
  EXPECT_EQ(keys_.Held(), std::nullopt);
  EXPECT_TRUE(Snapshot(form) == before);
  EXPECT_FALSE(keys_.Shown()) << "no frame drawn under the drag, to stay after it";
  EXPECT_EQ(keys_.Press(Act), KeyResult::Acted);  // the button is up: the stock turns
  EXPECT_TRUE(keys_.Shown());
  EXPECT_FALSE(form.Controls().GestureUnderWay());
  EXPECT_TRUE(form.imgPile(51).Visible());
}

TEST_F(Keyboard, ANewDealOrAMousePressLetsGoAndTheFrameShowsOnlyAfterAKey)
{
  EXPECT_FALSE(keys_.Shown());
  EXPECT_FALSE(keys_.CursorArea());
  Press({Column(6), Act});
  ASSERT_TRUE(keys_.Shown());
  ASSERT_TRUE(keys_.HeldArea());
  EXPECT_EQ(keys_.CursorArea()->Left, form.imgPile(25).Left());
  keys_.PointerPressed();
  EXPECT_FALSE(keys_.Shown());
  EXPECT_EQ(keys_.Held(), std::nullopt);
  EXPECT_FALSE(keys_.CursorArea());

  Press({Column(6), Act});
  form.mnuGameDeal_Click();
  EXPECT_EQ(keys_.Held(), std::nullopt);
  EXPECT_EQ(keys_.Place(), StockPlace);
}

// What the names say of a table, read from its controls as the eye reads them.
TEST_F(Keyboard, PlaceNamesSayWhatShows)
{
  BuildRunOn(form, 22, 28, {"8s", "7h"});  // on 9♥ in column 5
  FaceUp(form, 51, "Ad");
  OnFoundation(form, 51, 1);
  FaceUp(form, 50, "2d");
  Press({Column(5), Up, Act});
  const std::vector<std::string> expected = {
      "Talon, 20 cartes",
      "Défausse : Deux de carreau",
      "Fondation 1 vide",
      "Fondation 2 : As de carreau",
      "Fondation 3 vide",
      "Fondation 4 vide",
      "Colonne 1 : Roi de pique",
      "Colonne 2 : Dame de cœur, 1 carte cachée",
      "Colonne 3 : Roi de cœur, 2 cartes cachées",
      "Colonne 4 : Cinq de pique, 3 cartes cachées",
      "Huit de pique, tenu, avec 1 carte ; colonne 5 : Sept de cœur, Huit de pique, tenu, Neuf de cœur, 4 "
      "cartes cachées",
      "Colonne 6 : Valet de trèfle, 5 cartes cachées",
      "Colonne 7 : Dix de carreau, 6 cartes cachées",
  };
  for (int place = 0; place < PlaceCount; ++place)
    EXPECT_EQ(PlaceName(keys_.Places(), place, keys_.Held(), place == keys_.Place() ? keys_.Cursor().Control : nullptr),
              expected[static_cast<std::size_t>(place)]);
  // Taken, a card is said with the cards that go with it.
  EXPECT_EQ(HeldAnnouncement(form, *keys_.Held()), "Huit de pique, tenu, avec Sept de cœur");
  Press({PutBack, Up, Act});
  EXPECT_EQ(HeldAnnouncement(form, *keys_.Held()), "Neuf de cœur, tenu, avec Huit de pique et Sept de cœur");
  Press({PutBack});
  // Emptied: the stock with only its marker, a column and the waste.
  for (int s = 49; s >= 28; --s) form.imgBack_Click(static_cast<std::int16_t>(s));
  form.imgPile(50).SetVisible(false);
  for (int s = 28; s <= 49; ++s) form.imgPile(s).SetVisible(false);
  form.imgPile(0).SetVisible(false);
  // A face exactly behind another is not there to the eye; a held queen is "tenue".
  FaceUp(form, 49, "Qs");
  form.imgPile(49).Move(form.imgPile(25).Left(), form.imgPile(25).Top());
  form.imgPile(49).SendToBack();
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(6)), "Colonne 6 : Valet de trèfle, 5 cartes cachées");
  form.imgPile(49).BringToFront();
  Press({PutBack, Column(6), Act});
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(6), keys_.Held()),
            "Colonne 6 : Dame de pique, tenue, Valet de trèfle, 5 cartes cachées")
      << "the framed jack still shows a strip right and below the queen";
  Press({PutBack});
  form.imgPile(49).SetVisible(false);
  const TablePlaces emptied(form);
  EXPECT_EQ(PlaceName(emptied, StockPlace), "Talon vide");
  EXPECT_EQ(PlaceName(emptied, WastePlace), "Défausse vide");
  EXPECT_EQ(PlaceName(emptied, ColumnPlace(1)), "Colonne 1 vide");
}

// A deal is told to whoever follows the table: a second keyboard does not take it from the first.
TEST_F(Keyboard, EveryKeyboardHearsOfANewDeal)
{
  TableKeyboard second(form);
  keys_.Press(Column(3));
  second.Press(Column(5));
  form.mnuGameDeal_Click();
  EXPECT_EQ(keys_.Place(), StockPlace);
  EXPECT_EQ(second.Place(), StockPlace);
}

TEST_F(Keyboard, ALastStockCardIsSaidInTheSingular)
{
  for (int turn = 0; turn < 23; ++turn) Press({Act});  // the cursor is on the stock
  EXPECT_EQ(PlaceName(keys_.Places(), StockPlace), "Talon, 1 carte");
}

// The cards' names, and the words that agree with a queen.
TEST(Wording, CardNamesAndTheirAgreement)
{
  const std::pair<const char*, const char*> names[] = {
      {"Ah", "As de cœur"},     {"2d", "Deux de carreau"}, {"tc", "Dix de trèfle"},
      {"Js", "Valet de pique"}, {"Qh", "Dame de cœur"},    {"Kc", "Roi de trèfle"},
  };
  for (const auto& [code, name] : names) EXPECT_EQ(CardName(CardFromCode(code)), name) << code;
  EXPECT_EQ(HeldCardName(CardFromCode("Qs")), "Dame de pique, tenue");
  EXPECT_EQ(HeldCardName(CardFromCode("Js")), "Valet de pique, tenu");
  EXPECT_EQ(Agreeing(CardFromCode("Qd"), "reposé"), "reposée");
  EXPECT_EQ(Agreeing(CardFromCode("Kd"), "reposé"), "reposé");
  EXPECT_EQ(NamedWithArticle(CardFromCode("Qd")), "la Dame de carreau");
  EXPECT_EQ(NamedWithArticle(CardFromCode("6h")), "le Six de cœur");
  EXPECT_EQ(CardName(Card{}), "? de ?") << "a card of no rank and no suit is said as unknown";
  for (const auto& [place, title] : {std::pair{StockPlace, "Talon"},
                                     {WastePlace, "Défausse"},
                                     {FoundationPlace(4), "Fondation 4"},
                                     {ColumnPlace(7), "Colonne 7"}})
    EXPECT_EQ(PlaceTitle(place), title);
}

// --- Keys reach exactly what the mouse reaches --------------------------------------------------

// The mouse's gestures on the model, at the pixel centres the widget passes on.
class MouseAndKeys : public Keyboard {
 protected:
  static float Centre(float twips) { return PixelCentreTwips(static_cast<int>(twips / TwipsPerPixel)); }
  void Click(float x, float y)
  {
    form.PointerMove(Centre(x), Centre(y), 0);
    form.PointerPress(Centre(x), Centre(y));
    form.PointerRelease(Centre(x), Centre(y));
  }
  void Drag(float x0, float y0, float x1, float y1)
  {
    form.PointerMove(Centre(x0), Centre(y0), 0);
    form.PointerPress(Centre(x0), Centre(y0));
    form.PointerMove(Centre(x1), Centre(y1), LeftButton);
    form.PointerRelease(Centre(x1), Centre(y1));
  }
  void Drag(const PictureControl& from, const PictureControl& to)
  {
    const auto [x0, y0] = CentreOf(from);
    const auto [x1, y1] = CentreOf(to);
    Drag(x0, y0, x1, y1);
  }
  void TurnStock() { Click(600, 600); }
  // Column 1 by mouse: 10♥, the nine of spades (from `nineFrom`) on it, 8♥ and 7♠ on that, then 9♣
  // dropped on the strip of 10♥ above them: it lands exactly over the nine of spades.
  // Returns the slots of 8♥, 7♠ and 9♣, turned from the stock in that order.
  std::array<int, 3> NineOverNine(int nineFrom)
  {
    const int first = nineFrom == 51 ? 50 : 51;  // the stock turns from its highest slot down
    const std::array<int, 3> turned = {first, first - 1, first - 2};
    ArrangeDeal(form, {{0, "th"}, {nineFrom, "9s"}, {turned[0], "8h"}, {turned[1], "7s"}, {turned[2], "9c"}});
    if (nineFrom == 51) TurnStock();
    Drag(form.imgPile(nineFrom), form.imgPile(0));
    int under = nineFrom;
    for (const int slot : {turned[0], turned[1]}) {
      TurnStock();
      Drag(form.imgPile(slot), form.imgPile(under));
      under = slot;
    }
    TurnStock();
    const PictureControl& ten = form.imgPile(0);
    Drag(WasteLeft + 500, WasteTop + 500, ten.Left() + 500, ten.Top() + 100);
    EXPECT_EQ(form.imgPile(turned[2]).Top(), form.imgPile(nineFrom).Top());
    return turned;
  }
  std::vector<std::int16_t> StopCards(int column)
  {
    std::vector<std::int16_t> cards;
    for (const Stop& stop : keys_.Places().Column(column - 1).Stops) cards.push_back(stop.Control->Index());
    return cards;
  }
};

// A card wholly hidden is neither named nor taken; one whose frame still shows a strip beside the
// card over it is both, where the mouse can press that strip.
TEST_F(MouseAndKeys, OnlyACardThatShowsIsNamedAndTaken)
{
  const auto [eight, seven, nine] = NineOverNine(51);  // a nine from the stock: unframed, exactly hidden
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(1)), "Colonne 1 : Sept de pique, Neuf de trèfle, Dix de cœur");
  EXPECT_EQ(StopCards(1),
            (std::vector<std::int16_t>{0, static_cast<std::int16_t>(nine), static_cast<std::int16_t>(seven)}));
  Press({Column(1), Up, Act});
  EXPECT_EQ(keys_.Held(), nine);
  EXPECT_EQ(form.DragCard, nine);
  EXPECT_NE(eight, form.DragCard);

  form.mnuGameDeal_Click();
  const auto turned = NineOverNine(7);  // a nine from column 2, framed: two pixels of it show beside 9♣
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(1)),
            "Colonne 1 : Sept de pique, Neuf de trèfle, Neuf de pique, Dix de cœur");
  EXPECT_EQ(StopCards(1), (std::vector<std::int16_t>{0, 7, static_cast<std::int16_t>(turned[2]),
                                                     static_cast<std::int16_t>(turned[1])}));
  const float stripX = form.imgPile(7).Left() + form.imgPile(7).Width() - 15;
  const float stripY = form.imgPile(7).Top() + 700;
  EXPECT_EQ(form.Controls().HitTest(Centre(stripX), Centre(stripY)), &form.imgPile(7)) << "the mouse's strip";
  EXPECT_EQ(keys_.Press(Column(1)), KeyResult::Moved);
  EXPECT_EQ(keys_.Press(Up), KeyResult::Moved);
  EXPECT_EQ(keys_.Press(Up), KeyResult::Moved);
  EXPECT_EQ(keys_.Press(Act), KeyResult::Taken);
  EXPECT_EQ(form.DragCard, 7);
}

// A card covered above by one dropped higher up its column and below by the next shows a strip
// across its middle, all four corners hidden: it is named, and the mouse and the keys reach it.
TEST_F(MouseAndKeys, ACardShowingOnlyAcrossItsMiddleIsNamedAndTaken)
{
  // K♥ from the deal; Q♠ down to 4♠ from the stock (slots 51 to 43) on it; Q♣ (slot 42) over Q♠.
  const std::vector<std::string> run = {"Qs", "Jh", "ts", "9h", "8s", "7h", "6s", "5h", "4s", "Qc"};
  std::vector<std::pair<int, std::string>> codes = {{0, "Kh"}};
  for (std::size_t k = 0; k < run.size(); ++k) codes.emplace_back(51 - static_cast<int>(k), run[k]);
  ArrangeDeal(form, codes);
  for (int slot = 51, under = 0; slot > 42; under = slot--) {
    TurnStock();
    Drag(form.imgPile(slot), form.imgPile(under));
  }
  TurnStock();
  Drag(WasteLeft + 500, WasteTop + 500, form.imgPile(0).Left() + 500, form.imgPile(0).Top() + 100);
  ASSERT_EQ(form.imgPile(42).Top(), form.imgPile(51).Top());
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(1)),
            "Colonne 1 : Quatre de pique, Cinq de cœur, Dame de trèfle, Roi de cœur");
  const PictureControl& five = form.imgPile(44);
  const float stripY = form.imgPile(42).Top() + form.imgPile(42).Height() + 15;
  EXPECT_EQ(form.Controls().HitTest(Centre(five.Left() + 500), Centre(stripY)), &five) << "the mouse's strip";
  EXPECT_EQ(StopCards(1), (std::vector<std::int16_t>{0, 42, 44, 43}));
}

// A king held by keys goes into an empty column whose frame shows only as a strip above a card
// left standing there, as the mouse drops it on that strip.
TEST_F(MouseAndKeys, AKingReachesTheStripOfAnEmptyColumn)
{
  ArrangeDeal(form, {{0, "2h"}, {51, "Ah"}, {50, "As"}, {49, "Kc"}});
  TurnStock();
  Drag(form.imgPile(51), form.imgSuitPile(0));
  TurnStock();
  Drag(form.imgPile(50), form.imgPile(0));
  Drag(form.imgPile(0).Left() + 500, form.imgPile(0).Top() + 100, 4400, 800);  // 2♥ by its strip, played
  ASSERT_FALSE(form.imgPile(0).Visible());
  TurnStock();
  Press({Next, Act, Column(1), Up});
  EXPECT_EQ(PlaceName(keys_.Places(), ColumnPlace(1), keys_.Held(), keys_.Cursor().Control),
            "emplacement vide ; colonne 1 : As de pique, emplacement vide");
  EXPECT_EQ(keys_.Press(Act), KeyResult::Dropped);
  EXPECT_EQ(form.imgPile(49).Left(), ColumnLeft(0));
  EXPECT_EQ(form.imgPile(49).Top(), KingRowTop);
}

// Outside the window the mouse reaches nothing, and neither do the keys: the cursor goes there and
// reads the place, acting there does nothing.
TEST_F(MouseAndKeys, NothingOutsideTheWindowIsActedOn)
{
  form.SetClientSize(588 * TwipsPerPixel, 120 * TwipsPerPixel);  // the top row only
  const TableSnapshot before = Snapshot(form);
  EXPECT_EQ(keys_.Press(Column(7)), KeyResult::Moved);
  EXPECT_EQ(keys_.Press(Act), KeyResult::OutOfReach);
  EXPECT_TRUE(Snapshot(form) == before);
  Press({Up, Left, Left, Left, Left, Left, Act, Right, Act});  // the stock turns, its card is taken
  ASSERT_EQ(keys_.Held(), 51);
  EXPECT_EQ(keys_.Press(Column(1)), KeyResult::Moved);
  EXPECT_EQ(keys_.Press(Act), KeyResult::OutOfReach);
  EXPECT_EQ(keys_.Held(), 51) << "still held, to put where the window shows";
}

}  // namespace
