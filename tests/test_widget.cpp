// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The table widget: real mouse events reach the same handlers as the model's gestures, and a painted
// frame shows the background, the cards and a dragged card.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "FrameContrast.h"
#include "MouseDriver.h"
#include "TableFixture.h"
#include "assets/BuiltInPictures.h"
#include "view/TableAccessible.h"
#include "view/TablePainter.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

class TableView : public ::testing::Test {
 protected:
  void SetUp() override
  {
    form.Form_Load();
    widget.resize(widget.sizeHint());
  }
  QPoint CentrePixel(const PictureControl& c) const
  {
    return MouseDriver::Pixel(c.Left() + c.Width() / 2, c.Top() + c.Height() / 2);
  }
  frmSolitaire form{ProgramFolder()};
  TableWidget widget{form};
  MouseDriver mouse{&widget};
};

TEST_F(TableView, TheWindowsClientAreaIs588By385)
{
  EXPECT_EQ(widget.sizeHint(), QSize(588, 385));
  EXPECT_EQ(form.ClientWidth(), 8820);
  EXPECT_EQ(form.ClientHeight(), 5775);
}

TEST_F(TableView, ClicksOnTheStockTurnItsCardsAndTheEmptyStockTurnsThemBack)
{
  const QPoint stock = CentrePixel(form.imgBack(51));
  mouse.Click(stock);
  EXPECT_TRUE(form.imgPile(51).Visible());
  EXPECT_FALSE(form.imgBack(51).Visible());
  for (int n = 0; n < 23; ++n) mouse.Click(stock);
  for (int s = 28; s < 52; ++s) EXPECT_TRUE(form.imgPile(s).Visible()) << s;
  mouse.Click(stock);  // now on the empty-stock picture
  for (int s = 28; s < 52; ++s) EXPECT_TRUE(form.imgBack(s).Visible()) << s;
}

TEST_F(TableView, AQuickDoubleClickOnTheStockTurnsTwoCards)
{
  const QPoint stock = CentrePixel(form.imgBack(51));
  mouse.Click(stock);
  QMouseEvent second(QEvent::MouseButtonDblClick, QPointF(stock), QPointF(widget.mapToGlobal(stock)), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier, QPointingDevice::primaryPointingDevice());
  QApplication::sendEvent(&widget, &second);
  mouse.Release(stock);
  EXPECT_TRUE(form.imgPile(50).Visible());
}

TEST_F(TableView, PointerMovesSetDragCardAndTheDragCarriesThatCard)
{
  mouse.Move(CentrePixel(form.imgPile(0)));
  EXPECT_EQ(form.DragCard, 0);
  mouse.Move(CentrePixel(form.imgPile(27)));
  EXPECT_EQ(form.DragCard, 27);
  // Drag column 7's card over column 1's and back: moves during the drag leave DragCard alone.
  mouse.Press(CentrePixel(form.imgPile(27)));
  mouse.Move(CentrePixel(form.imgPile(0)));
  EXPECT_EQ(form.DragCard, 27);
  ASSERT_TRUE(form.Controls().Dragging().has_value());
  mouse.Release(QPoint(300, 370));  // bare table: no drop handler, nothing happens
  EXPECT_FALSE(form.Controls().Dragging().has_value());
  EXPECT_EQ(form.imgPile(27).Left(), 7440);
}

TEST_F(TableView, ADropThroughTheWidgetReachesTheDropHandler)
{
  PutCard(form, 0, "9s");
  PutCard(form, 7, "th");
  mouse.Drag(CentrePixel(form.imgPile(0)), CentrePixel(form.imgPile(7)));
  EXPECT_EQ(form.imgPile(0).Left(), 1440);
  EXPECT_EQ(form.imgPile(0).Top(), 2160 + 205);
  EXPECT_EQ(form.Deck[7].HasNext, True16);
  EXPECT_EQ(form.Deck[7].NextCard, 0);
  EXPECT_TRUE(form.imgKingMove(0).Enabled());
}

// --- What is painted ---

QImage Frame(const frmSolitaire& form, QSize size = {588, 385})
{
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::magenta);
  QPainter painter(&image);
  PaintTable(painter, form, image.rect());
  return image;
}

TEST_F(TableView, AFrameShowsTheGradientTheCardsAndTheFrames)
{
  QSignalSpy firstFrame(&widget, &TableWidget::firstFramePainted);
  const QImage frame = widget.grab().toImage();
  widget.grab();
  EXPECT_EQ(firstFrame.count(), 1) << "told of the first frame only";
  ASSERT_EQ(frame.size(), QSize(588, 385));
  const QColor top = frame.pixelColor(300, 0);
  EXPECT_EQ(top.red(), 0);
  EXPECT_EQ(top.green(), 0);
  EXPECT_GE(top.blue(), 250);
  const QColor bottom = frame.pixelColor(300, 384);
  EXPECT_LE(bottom.blue(), 3);
  EXPECT_EQ(bottom.red() + bottom.green(), 0);
  // The band colour falls steadily down the free strip between the foundations and the columns.
  EXPECT_GT(frame.pixelColor(580, 50).blue(), frame.pixelColor(580, 300).blue());

  // Slot 0's face: framed in black, its picture one pixel inside, at Left 240, Top 2040.
  const QImage face = form.imgPile(0).Picture();
  EXPECT_EQ(frame.pixelColor(16, 136), QColor(Qt::black));
  EXPECT_EQ(frame.pixelColor(16 + 1 + 36, 136 + 1 + 48), face.pixelColor(36, 48));
  EXPECT_EQ(frame.pixelColor(16 + 1 + 5, 136 + 1 + 12), face.pixelColor(5, 12));
  // The stock's front back, framed.
  EXPECT_EQ(frame.pixelColor(16 + 1 + 36, 16 + 1 + 48), CardBackPicture().pixelColor(36, 48));
  // An empty foundation's sunken edge (1095 x 1500 twips until a card lands), the middle of each
  // side of its two rings: shadow and dark shadow above and left, highlight and face below and right.
  const QColor shadow(128, 128, 128), dark(64, 64, 64), highlight(255, 255, 255), face3d(212, 208, 200);
  const struct {
    int x, y;
    QColor colour;
  } edge[] = {{292, 16, shadow}, {256, 66, shadow}, {292, 115, highlight}, {328, 66, highlight},
              {292, 17, dark},   {257, 66, dark},   {292, 114, face3d},    {327, 66, face3d}};
  for (const auto& e : edge) EXPECT_EQ(frame.pixelColor(e.x, e.y), e.colour) << e.x << "," << e.y;
  EXPECT_EQ(frame.pixelColor(256 + 73, 50), frame.pixelColor(256 + 74, 50)) << "the frame stays inside";
}

TEST_F(TableView, PaintingInPartsGivesTheSameFrameAsPaintingAtOnce)
{
  form.imgBack_Click(51);
  form.imgBack_Click(50);
  const QImage whole = Frame(form);
  QImage parts(whole.size(), QImage::Format_ARGB32_Premultiplied);
  parts.fill(Qt::magenta);
  QPainter painter(&parts);
  for (int y = 0; y < 385; y += 37)
    for (int x = 0; x < 588; x += 53) {
      const QRect area(x, y, 53, 37);
      painter.setClipRect(area);
      PaintTable(painter, form, area);
    }
  painter.end();
  EXPECT_EQ(parts, whole);
}

TEST_F(TableView, AStripGainedAfterTheDealStaysBlackUntilTheNextDeal)
{
  form.SetScreenWidth(588 * 15);
  form.mnuGameDeal_Click();
  widget.resize(700, 500);
  QImage frame = Frame(form, {700, 500});
  EXPECT_EQ(frame.pixelColor(650, 10), QColor(Qt::black)) << "beyond the screen width";
  EXPECT_EQ(frame.pixelColor(300, 450), QColor(Qt::black)) << "below the painted height";
  form.mnuGameDeal_Click();
  frame = Frame(form, {700, 500});
  EXPECT_GT(frame.pixelColor(300, 300).blue(), 0);
}

TEST_F(TableView, TheDraggedCardFollowsThePointerWhileItsOwnPictureStays)
{
  const QPoint grab = CentrePixel(form.imgPile(0));
  mouse.Move(grab);
  mouse.Press(grab);
  mouse.Move(QPoint(300, 330));
  const QImage frame = Frame(form);
  const QImage face = form.imgPile(0).Picture();
  const QPoint offset = grab - QPoint(16, 136);
  const QPoint cardTopLeft = QPoint(300, 330) - offset;
  // The ghost: the card's picture over the table, mostly opaque.
  const QPoint inside = cardTopLeft + QPoint(1 + 36, 1 + 20);
  const QColor ghost = frame.pixelColor(inside);
  const QColor card = face.pixelColor(36, 20);
  mouse.Release(QPoint(300, 330));
  const QColor table = Frame(form).pixelColor(inside);
  for (auto channel : {&QColor::red, &QColor::green, &QColor::blue})
    EXPECT_NEAR((ghost.*channel)(), DragGhostOpacity * (card.*channel)() + (1 - DragGhostOpacity) * (table.*channel)(),
                2);
  EXPECT_EQ(frame.pixelColor(16 + 1 + 36, 136 + 1 + 48), face.pixelColor(36, 48))
      << "the card itself stays at its place";
}

}  // namespace

// A press whose release went to another window (a modal box) leaves a gesture open: the next key,
// with no button down, ends it and acts, so a player without a mouse never finds the table stuck.
// With no screen reader listening, nothing is said or built for one.
TEST_F(TableView, AKeyEndsAGestureWhoseReleaseWasLostAndNothingIsSaidToNoOne)
{
  widget.show();
  widget.setFocus();
  mouse.Move(CentrePixel(form.imgBack(51)));
  mouse.Press(CentrePixel(form.imgBack(51)));
  ASSERT_TRUE(form.Controls().GestureUnderWay());
  QTest::keyClick(&widget, Qt::Key_Space);
  EXPECT_FALSE(form.Controls().GestureUnderWay());
  EXPECT_TRUE(form.imgPile(51).Visible()) << "the stock turned";
  QTest::keyClick(&widget, Qt::Key_Tab);
  form.mnuGameDeal_Click();
  QCoreApplication::processEvents();
  ASSERT_FALSE(QAccessible::isActive());
  for (int place = 0; place < PlaceCount; ++place) EXPECT_EQ(widget.TimesSaid(place), 0u) << place;
}

// The cursor's frame stands out from all it touches (here at a device pixel ratio of 1).
TEST_F(TableView, TheCursorsFrameStandsOutFromAllItTouches) { ExpectTheCursorsFrameStandsOut(form, 1.0); }

// Keys act on the window as it is now: a card the window has just stopped showing is neither
// taken nor, once held, put; nor is a card on a part of the window pushed off the screen.
TEST_F(TableView, KeysFollowTheWindowsSizeAndPlaceAtOnce)
{
  widget.show();
  widget.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, EventLimitMs));
  QTest::keyClick(&widget, Qt::Key_7);  // read while column 7 shows
  widget.resize(300, 200);
  QTest::keyClick(&widget, Qt::Key_Space);
  EXPECT_EQ(widget.HeldPlace(), -1) << "column 7 lies outside the window";
  widget.resize(widget.sizeHint());
  QTest::keyClick(&widget, Qt::Key_Space);
  ASSERT_EQ(widget.HeldPlace(), FirstColumnPlace + 6);

  const TableSnapshot held = Snapshot(form);
  widget.resize(300, 200);
  QTest::keyClick(&widget, Qt::Key_1);
  QTest::keyClick(&widget, Qt::Key_Space);
  EXPECT_EQ(widget.HeldPlace(), FirstColumnPlace + 6) << "still held: it cannot be dragged from outside";
  EXPECT_EQ(Snapshot(form), held);
  QTest::keyClick(&widget, Qt::Key_Escape);
  widget.resize(widget.sizeHint());

  // Pushed 200 pixels off the left of the desktop, column 1 is out of the pointer's reach.
  const QRect desktop = widget.screen()->virtualGeometry();
  widget.move(desktop.left() - 200, desktop.top() + 10);
  QTest::keyClick(&widget, Qt::Key_1);
  QTest::keyClick(&widget, Qt::Key_Space);
  EXPECT_EQ(widget.HeldPlace(), -1);
  widget.move(desktop.topLeft() + QPoint(10, 10));
  QTest::keyClick(&widget, Qt::Key_Space);
  EXPECT_EQ(widget.HeldPlace(), FirstColumnPlace);
}

// The keyboard's frame is painted where it goes and painted over where it was, and nowhere else.
TEST_F(TableView, AKeyRepaintsTheFrameWhereItWasAndWhereItGoes)
{
  struct PaintedArea : QObject {
    QRegion region;
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
      if (event->type() == QEvent::Paint) region += static_cast<QPaintEvent*>(event)->region();
      return false;
    }
  } painted;
  const auto lastFace = [this](int column) {
    const PictureControl* last = nullptr;
    for (int slot = 0; slot < TableauSize; ++slot) {
      const PictureControl& c = form.imgPile(slot);
      if (c.Visible() && c.Left() == form.imgKingMove(column).Left() && (!last || c.Top() > last->Top())) last = &c;
    }
    return last ? CentrePixel(*last) : QPoint(-1, -1);
  };
  widget.show();
  widget.setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, EventLimitMs));
  QTest::keyClick(&widget, Qt::Key_1);
  QCoreApplication::processEvents();
  widget.installEventFilter(&painted);
  QTest::keyClick(&widget, Qt::Key_3);
  QCoreApplication::processEvents();
  EXPECT_TRUE(painted.region.contains(lastFace(0)));
  EXPECT_TRUE(painted.region.contains(lastFace(2)));
  EXPECT_FALSE(painted.region.contains(lastFace(6)));
}

// The pointer is over no control outside the window, whatever of the table lies hidden there.
TEST_F(TableView, ReleasesOutsideTheWindowReachNoControl)
{
  PutCard(form, 0, "Ah");
  PutCard(form, 7, "5s");
  PutCard(form, 27, "6d");
  widget.resize(400, 200);  // foundations 3 and 4 and the lower part of column 7 fall outside
  widget.show();            // a hidden widget hears of its new size only when shown
  const TableSnapshot before = Snapshot(form);
  const QPoint foundation4 = CentrePixel(form.imgSuitPile(3));
  ASSERT_GT(foundation4.x(), 400);
  mouse.Drag(CentrePixel(form.imgPile(0)), foundation4);
  const QPoint column7Hidden = MouseDriver::Pixel(form.imgPile(27).Left() + 500, form.imgPile(27).Top() + 1300);
  ASSERT_GT(column7Hidden.y(), 200);
  mouse.Drag(CentrePixel(form.imgPile(7)), column7Hidden);
  const QPoint stock = CentrePixel(form.imgBack(51));
  mouse.Move(stock);
  mouse.Press(stock);
  mouse.Release(QPoint(-3, stock.y()));  // left of the window: no click
  form.DragCard = before.dragCard;
  EXPECT_EQ(Snapshot(form), before);

  // Within the window the same gestures do play.
  mouse.Drag(CentrePixel(form.imgPile(0)), CentrePixel(form.imgSuitPile(0)));
  EXPECT_EQ(form.PileSuit[0], "h");
}

// A table closed before a screen reader comes or goes is no longer told of it: were it still, the
// call would reach memory that is no longer a table (here scribbled over, so that it shows).
TEST(TableLifetime, AClosedTableHearsNothingOfAScreenReader)
{
  EXPECT_EXIT(
      {
        frmSolitaire form{ProgramFolder()};
        alignas(TableWidget) unsigned char room[sizeof(TableWidget)];
        std::destroy_at(new (room) TableWidget(form));
        std::memset(room, 0xA5, sizeof room);
        QAccessible::setActive(true);
        QAccessible::setActive(false);
        std::_Exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// The keys the table has no use for go on to the window, for its menus and shortcuts.
TEST(TableKeys, KeysTheTableDoesNotUseReachTheWindow)
{
  class Window : public QWidget {
   public:
    std::vector<int> heard;

   protected:
    void keyPressEvent(QKeyEvent* event) override { heard.push_back(event->key()); }
  };
  // The table lives on until the window goes, after it: the form it plays must outlive both.
  frmSolitaire form{ProgramFolder()};
  form.Form_Load();
  Window window;
  auto* table = new TableWidget(form, &window);
  window.show();
  table->setFocus();
  for (const Qt::Key key : {Qt::Key_8, Qt::Key_Escape, Qt::Key_Space, Qt::Key_Tab, Qt::Key_F5})
    QTest::keyClick(table, key);
  EXPECT_EQ(window.heard, (std::vector<int>{Qt::Key_8, Qt::Key_F5}));
}

// A window shrunk below its table, down to its menu bar, hides the table though the table keeps
// its size: the keys act on nothing there, as the pointer reaches nothing.
TEST(TableKeys, AWindowShrunkToItsMenuBarActsOnNothing)
{
  frmSolitaire form{ProgramFolder()};
  form.Form_Load();
  QWidget window;
  auto* table = new TableWidget(form, &window);
  table->setGeometry(0, 20, 588, 385);  // below a menu bar's height
  window.resize(588, 405);
  window.show();
  table->setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window, EventLimitMs));
  window.resize(588, 18);
  QTest::keyClick(table, Qt::Key_Space);
  EXPECT_FALSE(form.imgPile(51).Visible()) << "the stock turned";
  window.resize(588, 405);
  QTest::keyClick(table, Qt::Key_Space);
  EXPECT_TRUE(form.imgPile(51).Visible());
  // Laid out below the window's bottom, the table shows nothing either.
  table->move(0, 405);
  QTest::keyClick(table, Qt::Key_Space);
  EXPECT_FALSE(form.imgPile(50).Visible()) << "the stock turned";
}

// The places' objects go with the table: none is left for a screen reader to call.
TEST(TableLifetime, ThePlacesGoWithTheTable)
{
  InstallTableAccessibility();
  frmSolitaire form{ProgramFolder()};
  form.Form_Load();
  auto table = std::make_unique<TableWidget>(form);
  const QAccessible::Id place = QAccessible::uniqueId(QAccessible::queryAccessibleInterface(table.get())->child(0));
  ASSERT_NE(QAccessible::accessibleInterface(place), nullptr);
  table.reset();
  EXPECT_EQ(QAccessible::accessibleInterface(place), nullptr);
}
