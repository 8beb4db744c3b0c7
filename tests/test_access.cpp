// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The table through the real widget, as a screen reader meets it through Qt's accessibility: the
// places and their names, the focus that follows the keyboard's cursor, the events that say what
// changed; and the cursor's frame, which only a key brings up.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QTest>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "MouseDriver.h"
#include "TableFixture.h"
#include "places/TablePlaces.h"
#include "places/Wording.h"
#include "table/Pixels.h"
#include "view/TableAccessible.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

struct Heard {
  QAccessible::Event type;
  int place;  // -1: the table itself
  std::string name;
  std::string description;
  QAccessibleInterface* object;
  bool selection = false;  // a state change of the selected state
};
std::vector<Heard> heard;

// What is said after the cursor place's name: its description, or from Qt 6.8 an announcement
// (kept as an event of its own whose name is the announcement).
constexpr bool Announced = QT_VERSION >= QT_VERSION_CHECK(6, 8, 0);

void Listen(QAccessibleEvent* event)
{
  QAccessibleInterface* iface = event->accessibleInterface();
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  if (iface != nullptr && event->type() == QAccessible::Announcement) {
    heard.push_back(
        {event->type(), -1, static_cast<QAccessibleAnnouncementEvent*>(event)->message().toStdString(), {}, iface});
    return;
  }
#endif
  const auto type = event->type();
  if (iface == nullptr ||
      (type != QAccessible::Focus && type != QAccessible::NameChanged && type != QAccessible::StateChanged))
    return;
  QAccessibleInterface* parent = iface->parent();
  const int place = parent != nullptr && parent->role() == QAccessible::List ? parent->indexOfChild(iface) : -1;
  const bool selection =
      type == QAccessible::StateChanged && static_cast<QAccessibleStateChangeEvent*>(event)->changedStates().selected;
  heard.push_back({event->type(), place, iface->text(QAccessible::Name).toStdString(),
                   iface->text(QAccessible::Description).toStdString(), iface, selection});
}

bool HeardStateChange(int place)
{
  for (const Heard& h : heard)
    if (h.selection && h.place == place) return true;
  return false;
}

class ScreenReader : public ::testing::Test {
 protected:
  void SetUp() override
  {
    InstallTableAccessibility();
    MCardTest::SuitTops = {};
    form.Form_Load();
    // Column tops K♠ | Q♥ | K♥ | 5♠ | 9♥ | J♣ | 10♦, and A♦ at the front of the stock.
    ArrangeDeal(form, {{0, "Ks"}, {7, "Qh"}, {13, "Kh"}, {18, "5s"}, {22, "9h"}, {25, "Jc"}, {27, "td"}, {51, "Ad"}});
    widget.resize(widget.sizeHint());
    widget.show();
    widget.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&widget, EventLimitMs));
    widget.setFocus();
    previous_ = QAccessible::installUpdateHandler(&Listen);
    // The bridge joins the accessibility bus by an answer that comes through the event loop.
    ASSERT_TRUE(QTest::qWaitFor([] { return QAccessible::isActive(); }, EventLimitMs))
        << "run under with_screen_reader_bus.sh";
    heard.clear();
  }
  void TearDown() override { QAccessible::installUpdateHandler(previous_); }
  QAccessibleInterface* Table() { return QAccessible::queryAccessibleInterface(&widget); }
  std::string Name(int place) { return Table()->child(place)->text(QAccessible::Name).toStdString(); }
  void Key(Qt::Key key)
  {
    QTest::keyClick(&widget, key);
    QCoreApplication::processEvents();
  }
  // Said after the focused place's name, by description or announcement; never both.
  std::string SaidAfterName()
  {
    if (!Announced) return heard.front().description;
    EXPECT_EQ(heard.front().description, "") << "a description would be heard as it was last read";
    for (const Heard& h : heard)
      if (h.type != QAccessible::Focus && h.type != QAccessible::NameChanged) return h.name;
    return {};
  }
  bool HeardName(int place, const std::string& name)
  {
    for (const Heard& h : heard)
      if (h.type == QAccessible::NameChanged && h.place == place && h.name == name) return true;
    return false;
  }

  frmSolitaire form{ProgramFolder()};
  TableWidget widget{form};
  QAccessible::UpdateHandler previous_ = nullptr;
};

TEST_F(ScreenReader, TheTableIsNamedAndHoldsTheThirteenPlacesInReadingOrder)
{
  QAccessibleInterface* table = Table();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Table de jeu"));
  ASSERT_EQ(table->childCount(), PlaceCount);
  for (int place = 0; place < PlaceCount; ++place) {
    QAccessibleInterface* child = table->child(place);
    ASSERT_NE(child, nullptr);
    // The model's names; their wording is the keyboard suite's business.
    EXPECT_EQ(child->text(QAccessible::Name).toStdString(), PlaceName(TablePlaces(form), place));
    EXPECT_EQ(child->parent(), table);
    EXPECT_EQ(table->indexOfChild(child), place);
    // Nothing is held: no place is selected, nor selectable (a screen reader would say "not selected").
    EXPECT_TRUE(child->state().focusable);
    // A place offers no value, action or table of its own for a screen reader to call.
    EXPECT_EQ(child->valueInterface(), nullptr);
    EXPECT_EQ(child->actionInterface(), nullptr);
    EXPECT_EQ(child->tableInterface(), nullptr);
    EXPECT_FALSE(child->state().selectable || child->state().selected);
    EXPECT_EQ(child->state().focused, place == StockPlace) << "only the cursor's place has the focus";
    // Each place lies where it shows: the point at its centre is that place.
    EXPECT_EQ(table->childAt(child->rect().center().x(), child->rect().center().y()), child) << place;
  }
  EXPECT_EQ(Name(StockPlace), "Talon, 24 cartes");
  EXPECT_EQ(Name(FirstColumnPlace + 1), "Colonne 2 : Dame de cœur, 1 carte cachée");
  EXPECT_EQ(table->focusChild(), table->child(StockPlace));
  EXPECT_TRUE(table->child(StockPlace)->state().focused);
}

// After every key the focus goes to a fresh object for the cursor's place (a screen reader keeps
// quiet about the object it last spoke of), named as the place is, its description saying what
// else changed or why nothing did; other places that changed are named again.
TEST_F(ScreenReader, EveryKeyIsToldByTheFocusOnTheCursorsPlace)
{
  struct Step {
    std::vector<Qt::Key> keys;  // the last one is the one told
    int place;
    std::string name, description;
    int alsoNamed = -1;  // another place named again, if any
  };
  constexpr int Col = FirstColumnPlace - 1;  // Col + n is column n
  const Step steps[] = {
      {{Qt::Key_Tab}, WastePlace, "Défausse vide", ""},
      {{Qt::Key_Left}, StockPlace, "Talon, 24 cartes", ""},
      {{Qt::Key_Return}, StockPlace, "Talon, 23 cartes", "Défausse : As de carreau", WastePlace},
      {{Qt::Key_4, Qt::Key_Space}, Col + 4, "Colonne 4 : Cinq de pique, tenu, 3 cartes cachées", "Cinq de pique, tenu"},
      {{Qt::Key_5}, Col + 5, "Colonne 5 : Neuf de cœur, 4 cartes cachées", "Cinq de pique, tenu"},
      {{Qt::Key_Space},
       Col + 5,
       "Colonne 5 : Neuf de cœur, 4 cartes cachées",
       "Refusé : Cinq de pique reste en colonne 4 ; il faut une carte rouge, un rang au-dessus",
       Col + 4},
      {{Qt::Key_2, Qt::Key_Space, Qt::Key_1, Qt::Key_Space},
       Col + 1,
       "Colonne 1 : Dame de cœur, Roi de pique",
       "Colonne 2 : 1 carte cachée",
       Col + 2},
      {{Qt::Key_3, Qt::Key_Space, Qt::Key_Escape},
       Col + 3,
       "Colonne 3 : Roi de cœur, 2 cartes cachées",
       "Roi de cœur reposé en colonne 3"},
      {{Qt::Key_Escape}, Col + 3, "Colonne 3 : Roi de cœur, 2 cartes cachées", "Aucune carte tenue"},
  };
  QAccessibleInterface* last = nullptr;
  int held = -1;
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    for (const Qt::Key key : step.keys) {
      heard.clear();
      Key(key);
    }
    ASSERT_FALSE(heard.empty());
    const Heard& focus = heard.front();
    EXPECT_EQ(focus.type, QAccessible::Focus);
    EXPECT_EQ(focus.place, step.place);
    EXPECT_EQ(focus.name, step.name);
    EXPECT_EQ(SaidAfterName(), step.description);
    // Braille: before Qt 6.8 the place holds its braille line as its text, what else changed first;
    // from Qt 6.8 that is announced, and a screen reader flashes it on the line itself.
    QAccessibleTextInterface* braille = Table()->child(step.place)->textInterface();
    if (Announced) {
      EXPECT_EQ(braille, nullptr);
    } else {
      ASSERT_NE(braille, nullptr);
      EXPECT_EQ(braille->text(0, braille->characterCount()).toStdString(),
                step.description.empty() ? step.name : step.description + ". " + step.name);
      EXPECT_EQ(braille->selectionCount(), 0) << "nothing of it is selected";
    }
    EXPECT_NE(focus.object, last) << "a fresh object";
    EXPECT_TRUE(Table()->child(step.place)->state().focused);
    // The held card's place, and only it, is selected.
    EXPECT_EQ(Table()->child(step.place)->state().selected, step.name.find(", tenu") != std::string::npos);
    if (step.alsoNamed >= 0) {
      EXPECT_TRUE(HeardName(step.alsoNamed, Name(step.alsoNamed)));
    }
    // A screen reader keeps a place's states: taking and letting go are told to the place.
    if (widget.HeldPlace() != held) {
      for (const int place : {held, widget.HeldPlace()}) {
        EXPECT_TRUE(place < 0 || HeardStateChange(place)) << "held card's place " << place << " told";
      }
    }
    held = widget.HeldPlace();
    last = focus.object;
  }
  // Said again (Down on the last card stays there), the place speaks by a new object; the one out
  // of turn says nothing.
  EXPECT_EQ(last->text(QAccessible::Name).toStdString(), Name(Col + 3));
  Key(Qt::Key_Down);
  EXPECT_NE(Table()->child(Col + 3), last);
  EXPECT_TRUE(last->text(QAccessible::Name).isEmpty());
  // However many quick keys (takes and puts back), never an object met before, and only the last
  // few are kept.
  std::set<QAccessible::Id> met = {QAccessible::uniqueId(last)};
  for (int n = 0; n < 9; ++n) {
    EXPECT_TRUE(met.insert(QAccessible::uniqueId(Table()->child(Col + 3))).second) << n;
    Key(Qt::Key_Down);
  }
  EXPECT_EQ(QAccessible::accessibleInterface(*met.begin()), nullptr);

  // A new deal, from the menu or F2, says the stock and that the deal is new.
  heard.clear();
  form.mnuGameDeal_Click();
  QCoreApplication::processEvents();
  ASSERT_FALSE(heard.empty());
  const auto focus =
      std::find_if(heard.begin(), heard.end(), [](const Heard& h) { return h.type == QAccessible::Focus; });
  ASSERT_NE(focus, heard.end());
  EXPECT_EQ(focus->name, "Talon, 24 cartes");
  heard.erase(heard.begin(), focus);
  EXPECT_EQ(SaidAfterName(), "Nouvelle donne");
}

// A magnifier follows the focused place: in a column the card under the cursor, with those a take
// there would carry, as the cursor moves up.
TEST_F(ScreenReader, TheFocusedPlaceLiesWhereTheCursorStands)
{
  for (const Qt::Key key : {Qt::Key_2, Qt::Key_Space, Qt::Key_1, Qt::Key_Space}) Key(key);  // Q♥ on K♠
  const auto onScreen = [this](const PictureControl& c) {
    const QRect r = PixelRect(c.Rect());
    return QRect(widget.mapToGlobal(r.topLeft()), r.size());
  };
  EXPECT_EQ(Table()->focusChild()->rect(), onScreen(form.imgPile(7)));
  Key(Qt::Key_Up);
  EXPECT_EQ(Table()->focusChild()->rect(), onScreen(form.imgPile(0)).united(onScreen(form.imgPile(7))));
  Key(Qt::Key_Up);
  EXPECT_EQ(Table()->focusChild()->rect(), onScreen(form.imgBack(51)));
  EXPECT_EQ(Table()->child(FirstColumnPlace)->rect(), onScreen(form.imgPile(7))) << "unfocused: its front card";
}

// Mouse moves are told by the names of the places they change; a drop the rules refuse changes
// nothing, yet the dragged card's place is named again.
TEST_F(ScreenReader, MouseMovesNameThePlacesTheyChange)
{
  MouseDriver mouse(&widget);
  const auto [qx, qy] = CentreOf(form.imgPile(7));
  const auto [kx, ky] = CentreOf(form.imgPile(0));
  mouse.Drag(MouseDriver::Pixel(qx, qy), MouseDriver::Pixel(kx, ky));
  QCoreApplication::processEvents();
  EXPECT_TRUE(HeardName(FirstColumnPlace, "Colonne 1 : Dame de cœur, Roi de pique"));
  EXPECT_TRUE(HeardName(FirstColumnPlace + 1, "Colonne 2 : 1 carte cachée"));
  heard.clear();
  const auto [fx, fy] = CentreOf(form.imgPile(18));
  mouse.Drag(MouseDriver::Pixel(fx, fy), MouseDriver::Pixel(kx, ky));
  QCoreApplication::processEvents();
  EXPECT_TRUE(HeardName(FirstColumnPlace + 3, "Colonne 4 : Cinq de pique, 3 cartes cachées"));
  heard.clear();
  const auto [sx, sy] = CentreOf(form.imgBack(51));
  mouse.Click(MouseDriver::Pixel(sx, sy));
  QCoreApplication::processEvents();
  EXPECT_TRUE(HeardName(StockPlace, "Talon, 23 cartes"));
}

// A card dragged in 20 steps changes nothing the places say until it is dropped: they are neither
// worded again nor named, and the drop names the places it changed.
TEST_F(ScreenReader, ADragWordsThePlacesOnlyAtItsDrop)
{
  MouseDriver mouse(&widget);
  const QPoint from = MouseDriver::Pixel(CentreOf(form.imgPile(7)).first, CentreOf(form.imgPile(7)).second);
  const QPoint to = MouseDriver::Pixel(CentreOf(form.imgPile(0)).first, CentreOf(form.imgPile(0)).second);
  mouse.Move(from);
  mouse.Press(from);
  QCoreApplication::processEvents();
  heard.clear();
  const std::uint64_t worded = widget.TimesWorded();
  for (int step = 1; step <= 20; ++step) {
    mouse.Move(from + (to - from) * step / 20);
    QCoreApplication::processEvents();
  }
  EXPECT_EQ(widget.TimesWorded(), worded);
  EXPECT_TRUE(
      std::none_of(heard.begin(), heard.end(), [](const Heard& h) { return h.type == QAccessible::NameChanged; }));
  mouse.Release(to);
  QCoreApplication::processEvents();
  EXPECT_EQ(widget.TimesWorded(), worded + 1);
  EXPECT_TRUE(HeardName(FirstColumnPlace, "Colonne 1 : Dame de cœur, Roi de pique"));
}

// The frame is the keyboard's: a mouse player never sees it.
TEST_F(ScreenReader, TheCursorsFrameShowsAfterAKeyAndGoesAtTheNextMousePress)
{
  const QRect stock = PixelRect(form.imgBack(51).Rect());
  const QPoint outside = stock.topLeft() - QPoint(4, 4);  // in the frame's yellow band
  const QColor table = widget.grab().toImage().pixelColor(outside);
  Key(Qt::Key_Right);
  Key(Qt::Key_Left);
  const QImage framed = widget.grab().toImage();
  EXPECT_EQ(framed.pixelColor(outside), QColor(255, 212, 0));
  EXPECT_EQ(framed.pixelColor(stock.topLeft() - QPoint(2, 2)), QColor(Qt::black));
  MouseDriver(&widget).Click(MouseDriver::Pixel(8000, 5500));
  EXPECT_EQ(widget.grab().toImage().pixelColor(outside), table);
}

}  // namespace
