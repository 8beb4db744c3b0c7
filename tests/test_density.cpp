// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// On a screen of two device pixels per pixel (ctest runs this file with QT_SCALE_FACTOR=2) the
// pictures come from their twice-size files and are drawn sharp, while every figure of the table
// and every click and drag stay exactly as on a normal screen; a missing or bad twice-size file
// leaves the normal picture in its place.

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "FrameContrast.h"
#include "MouseDriver.h"
#include "TableFixture.h"
#include "assets/BuiltInPictures.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

class SharpTable : public ::testing::Test {
 protected:
  void SetUp() override
  {
    ASSERT_EQ(widget.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    form.Form_Load();
    widget.resize(widget.sizeHint());
  }
  static QPoint CentrePixel(const PictureControl& c)
  {
    const auto [x, y] = CentreOf(c);
    return MouseDriver::Pixel(x, y);
  }
  frmSolitaire form{ProgramFolder()};
  TableWidget widget{form};  // tells the form its screen's ratio
};

// The device pixels of `picture` drawn at device position `at` of `frame`, where it is opaque.
bool DrawnAt(const QImage& frame, QPoint at, const QImage& picture)
{
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x) {
      const QRgb want = picture.pixel(x, y);
      if (qAlpha(want) == 255 && frame.pixel(at + QPoint(x, y)) != want) return false;
    }
  return true;
}

TEST_F(SharpTable, PicturesAreDrawnFromTheirTwiceSizeFilesAtDeviceResolution)
{
  const QImage face = form.imgPile(0).Picture();
  EXPECT_EQ(face.devicePixelRatio(), 2.0);
  ASSERT_EQ(face.size(), QSize(146, 194));
  const QImage frame = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(frame.size(), QSize(1176, 770));

  // Slot 0's face inside its frame at pixel (16, 136), and the stock's front back at (16, 16).
  EXPECT_TRUE(DrawnAt(frame, QPoint(34, 274), face.convertToFormat(QImage::Format_ARGB32)));
  EXPECT_TRUE(DrawnAt(frame, QPoint(34, 34), CardBackPicture(2).convertToFormat(QImage::Format_ARGB32)));
  // Somewhere the face differs inside a 2 x 2 block of device pixels: the normal picture, enlarged,
  // could not have drawn it.
  bool finer = false;
  for (int y = 0; y < 194 && !finer; y += 2)
    for (int x = 0; x < 146 && !finer; x += 2) finer = frame.pixel(34 + x, 274 + y) != frame.pixel(35 + x, 274 + y);
  EXPECT_TRUE(finer);

  // The flat frame stays one pixel of the table wide: two device pixels.
  EXPECT_EQ(frame.pixel(32, 300), qRgb(0, 0, 0));
  EXPECT_EQ(frame.pixel(33, 300), qRgb(0, 0, 0));
  EXPECT_EQ(frame.pixel(34, 300), face.pixel(0, 26) | 0xFF000000u);

  // The gradient steps between device rows of one table pixel too, not only between pixel rows.
  EXPECT_EQ(form.PaintedBackground().Rows.size(), 770u);
  bool oddStep = false;
  for (int y = 1; y < 770 && !oddStep; y += 2) oddStep = frame.pixel(1170, y) != frame.pixel(1170, y - 1);
  EXPECT_TRUE(oddStep);
}

TEST_F(SharpTable, TheKeyboardsMarksAreWholePixelsOfTheTable)
{
  QTest::keyClick(&widget, Qt::Key_1);  // column 1: its one card, which is then taken
  QTest::keyClick(&widget, Qt::Key_Space);
  const QImage frame = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Above slot 0 (pixel row 136, device row 272), down the middle of the card: four device rows of
  // yellow, then four of black; then the held mark's band on the card.
  const int x = 2 * 50;
  const QRgb black = qRgb(0, 0, 0), yellow = qRgb(255, 212, 0);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(frame.pixel(x, 264 + k), k < 4 ? yellow : black) << "device row " << 264 + k;
  // The held mark is as crisp: each of its three pixel rows is two device rows of one colour.
  for (int y = 272; y < 278; y += 2) EXPECT_EQ(frame.pixel(x, y), frame.pixel(x, y + 1)) << y;
  EXPECT_NE(frame.pixel(x, 272), frame.pixel(x + 12, 272)) << "dashes of two colours";
}

TEST_F(SharpTable, TheCursorsFrameStandsOutFromAllItTouches) { ExpectTheCursorsFrameStandsOut(form, 2.0); }

TEST_F(SharpTable, EveryControlHasTheGeometryItHasOnANormalScreen)
{
  frmSolitaire normal(ProgramFolder());
  normal.Form_Load();
  // The same play on both tables: a stock card turned, an ace to a foundation.
  for (frmSolitaire* f : {&form, &normal}) {
    PutCard(*f, 51, "Ah");
    f->imgBack_Click(51);
    f->DragCard = 51;
    f->imgSuitPile_DragDrop(2, &f->imgPile(51), 0, 0);
  }
  ASSERT_EQ(form.imgSuitPile(2).Picture().devicePixelRatio(), 2.0);
  ASSERT_EQ(normal.imgSuitPile(2).Picture().devicePixelRatio(), 1.0);
  EXPECT_EQ(FrontToBack(form), FrontToBack(normal));
  const auto& sharp = form.Controls().BackToFront();
  const auto& plain = normal.Controls().BackToFront();
  for (std::size_t i = 0; i < sharp.size(); ++i) {
    const PictureControl& a = *sharp[i];
    const PictureControl& b = *plain[i];
    SCOPED_TRACE(std::to_string(static_cast<int>(a.BelongsTo())) + " " + std::to_string(a.Index()));
    EXPECT_EQ(a.Left(), b.Left());
    EXPECT_EQ(a.Top(), b.Top());
    EXPECT_EQ(a.Width(), b.Width());
    EXPECT_EQ(a.Height(), b.Height());
    EXPECT_EQ(a.Visible(), b.Visible());
    EXPECT_EQ(a.Enabled(), b.Enabled());
    EXPECT_EQ(a.Opaque(), b.Opaque());
  }
}

TEST_F(SharpTable, ClicksAndDragsThroughTheWindowLandOnTheSameCards)
{
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget, EventLimitMs));
  QWindow* window = widget.windowHandle();
  // The stock's front back covers pixels 16 to 90: its last column turns a card, the next one is
  // bare table.
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(90, 50));
  EXPECT_TRUE(form.imgPile(51).Visible());
  QTest::mouseClick(window, Qt::LeftButton, {}, QPoint(91, 50));
  EXPECT_FALSE(form.imgPile(50).Visible());

  PutCard(form, 0, "9s");
  PutCard(form, 7, "th");
  const QPoint from = CentrePixel(form.imgPile(0));
  const QPoint to = CentrePixel(form.imgPile(7));
  QTest::mouseMove(window, from);
  QTest::mousePress(window, Qt::LeftButton, {}, from);
  QTest::mouseMove(window, (from + to) / 2);
  QTest::mouseMove(window, to);
  QTest::mouseRelease(window, Qt::LeftButton, {}, to);
  EXPECT_EQ(form.imgPile(0).Left(), 1440);
  EXPECT_EQ(form.imgPile(0).Top(), 2160 + 205);
  EXPECT_EQ(form.Deck[7].NextCard, 0);
}

// --- Twice-size files that are missing or bad ---

TEST(TwiceSizeFiles, AMissingOneIsPassedOverSilentlyABadOneIsNamedOnceAndNeverBreaksTheGame)
{
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString cards = QString::fromStdString(ProgramFolder()) + QStringLiteral("/cards/");
  for (const char* name : {"Ks.gif", "Qs.gif", "Jh.gif", "Kh.gif", "Kd.gif", "Kd@2x.gif"})
    ASSERT_TRUE(QFile::copy(cards + QLatin1String(name), dir.filePath(QLatin1String(name))));
  // The wrong size (the normal picture copied), and not a picture at all.
  ASSERT_TRUE(QFile::copy(cards + QStringLiteral("Qs.gif"), dir.filePath(QStringLiteral("Qs@2x.gif"))));
  for (const char* name : {"Jh@2x.gif", "Kh@2x.gif"}) {
    QFile garbage(dir.filePath(QLatin1String(name)));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("not a picture");
  }
  auto path = [&dir](const char* name) { return dir.filePath(QLatin1String(name)).toStdString(); };

  ::testing::internal::CaptureStderr();
  const QImage missing = LoadCardPictureAt(path("Ks.gif"), 2);
  const QImage normalScreen = LoadCardPictureAt(path("Kh.gif"), 1);  // never looks for @2x
  const QImage wrongSize = LoadCardPictureAt(path("Qs.gif"), 2);
  const QImage again = LoadCardPictureAt(path("Qs.gif"), 2);
  const QImage unreadable = LoadCardPictureAt(path("Jh.gif"), 2);
  const QImage sharp = LoadCardPictureAt(path("Kd.gif"), 2);
  const std::string said = ::testing::internal::GetCapturedStderr();

  for (const QImage* normal : {&missing, &normalScreen, &wrongSize, &again, &unreadable}) {
    EXPECT_EQ(normal->size(), QSize(73, 97));
    EXPECT_EQ(normal->devicePixelRatio(), 1.0);
  }
  EXPECT_EQ(sharp.size(), QSize(146, 194));
  EXPECT_EQ(sharp.devicePixelRatio(), 2.0);
  // One line for each bad file, naming it, and nothing else.
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
  EXPECT_NE(said.find(path("Qs@2x.gif") + " : dimensions invalides (146 x 194 attendues)"), std::string::npos) << said;
  EXPECT_NE(said.find(path("Jh@2x.gif") + " : ce n'est pas une image GIF"), std::string::npos) << said;
}

}  // namespace
