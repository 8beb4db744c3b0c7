// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The About window: its look as defined, its texts, the OK button's roles, and its life from
// "&A Propos": modal, new each time, closed by Enter, Esc or a click.

#include <gtest/gtest.h>

#include <QAction>
#include <QFontInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QTextLayout>
#include <QWindow>

#include <iterator>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Identity.h"
#include "TableFixture.h"
#include "shell/AboutDefinition.h"
#include "shell/SolitaireWindow.h"
#include "shell/frmAbout.h"
#include "test_shell_modal.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

QLabel* Label(const frmAbout& about, const char* name) { return qobject_cast<QLabel*>(about.Control(name)); }

// The lines a label's text breaks into at the label's width, in the label's font.
QStringList WrappedLines(const QLabel* label)
{
  QTextLayout layout(label->text(), label->font());
  QTextOption option;
  option.setWrapMode(QTextOption::WordWrap);
  layout.setTextOption(option);
  QStringList lines;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(label->contentsRect().width());
    lines << label->text().mid(line.textStart(), line.textLength());
  }
  layout.endLayout();
  return lines;
}

// Rows of the label's drawing that hold any pixel of its text colour.
std::vector<int> InkRows(QLabel* label)
{
  const QImage drawing = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QColor ink = label->palette().color(QPalette::WindowText);
  std::vector<int> rows;
  for (int y = 0; y < drawing.height(); ++y)
    for (int x = 0; x < drawing.width(); ++x) {
      const QColor c = drawing.pixelColor(x, y);
      if (std::abs(c.red() - ink.red()) + std::abs(c.green() - ink.green()) + std::abs(c.blue() - ink.blue()) < 60) {
        rows.push_back(y);
        break;
      }
    }
  return rows;
}

// --- The window as defined -----------------------------------------------------------------------

TEST(AboutWindow, IsAFixedDialogOf378By203PixelsCentredOnTheScreen)
{
  frmAbout about;
  EXPECT_EQ(about.objectName(), QStringLiteral("frmAbout"));
  EXPECT_EQ(about.windowTitle(), QStringLiteral("A propos de Korvel Solitaire Version 1.0"));
  EXPECT_EQ(about.size(), QSize(378, 203));
  EXPECT_EQ(about.minimumSize(), QSize(378, 203));
  EXPECT_EQ(about.maximumSize(), QSize(378, 203));
  const Qt::WindowFlags flags = about.windowFlags();
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_EQ(about.windowModality(), Qt::ApplicationModal);
  EXPECT_EQ(about.parentWidget(), nullptr);
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((about.geometry().center() - screen.center()).manhattanLength(), 2);
  EXPECT_EQ(about.windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
            QImage(QStringLiteral(":/korvel/icon.png")).convertToFormat(QImage::Format_ARGB32));
}

// Each control where the design puts it, in pixels of 15 twips, front to back; the logo's box takes
// its 75 x 99 picture's size and its 2-pixel frame.
TEST(AboutWindow, ControlsLieWhereTheDesignPutsThemInStackingOrder)
{
  const std::pair<const char*, QRect> expected[] = {
      {"picIcon", {8, 16, 79, 103}},     {"cmdOK", {288, 168, 84, 23}}, {"Shape2", {0, 0, 377, 201}},
      {"Shape1", {96, 56, 257, 81}},     {"Image1", {112, 8, 238, 32}}, {"lblDescription", {104, 64, 259, 78}},
      {"lblVersion", {8, 152, 259, 47}},
  };
  frmAbout about;
  const QObjectList stack = about.children();  // back to front
  qsizetype above = stack.size();
  for (const auto& [name, geometry] : expected) {
    SCOPED_TRACE(name);
    QWidget* control = about.Control(name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->geometry(), geometry);
    const qsizetype at = stack.indexOf(control);
    EXPECT_LT(at, above);
    above = at;
  }
  EXPECT_EQ(AboutControls().size(), std::size(expected)) << "no control beyond these";
}

TEST(AboutWindow, PicturesAreTheLogoInASunkenFrameAndTheBannerWithout)
{
  frmAbout about;
  const QLabel* logo = Label(about, "picIcon");
  const QLabel* banner = Label(about, "Image1");
  ASSERT_NE(logo, nullptr);
  ASSERT_NE(banner, nullptr);
  EXPECT_EQ(logo->pixmap().size(), QSize(75, 99));
  EXPECT_EQ(logo->frameShadow(), QFrame::Sunken);
  EXPECT_EQ(logo->frameWidth(), 2);
  EXPECT_EQ(logo->contentsRect().size(), QSize(75, 99));
  EXPECT_EQ(logo->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
            QImage(QStringLiteral(":/korvel/logo.jpg")).convertToFormat(QImage::Format_RGB32));
  EXPECT_EQ(banner->pixmap().size(), QSize(238, 32));
  EXPECT_EQ(banner->frameWidth(), 0);
  EXPECT_EQ(banner->pixmap().toImage().convertToFormat(QImage::Format_RGB32),
            QImage(QStringLiteral(":/korvel/banner.jpg")).convertToFormat(QImage::Format_RGB32));
  // A screen reader says what the pictures are; the labels speak for themselves.
  EXPECT_EQ(logo->accessibleName(), QStringLiteral("Logo de Korvel Solitaire"));
  EXPECT_EQ(banner->accessibleName(), QStringLiteral("Korvel Solitaire"));
}

TEST(AboutWindow, ShapesAreOnePixelBlackOutlinesAndTheOuterOneStopsShortOfTheEdge)
{
  frmAbout about;
  const QImage drawing = about.grab().toImage().convertToFormat(QImage::Format_RGB32);
  const QRgb black = qRgb(0, 0, 0);
  const QRgb background = about.palette().color(QPalette::Window).rgb();
  struct Pixel {
    const char* what;
    QPoint at;
    QRgb colour;
  };
  const std::vector<Pixel> pixels = {
      {"Shape2 top left", {0, 0}, black},          {"Shape2 top right", {376, 0}, black},
      {"Shape2 bottom left", {0, 200}, black},     {"Shape2 bottom right", {376, 200}, black},
      {"Shape2 left side", {0, 130}, black},       {"Shape2 bottom side", {200, 200}, black},
      {"right of Shape2", {377, 130}, background}, {"below Shape2", {200, 202}, background},
      {"Shape2's inside", {50, 135}, background},  {"Shape2's inside, next to its line", {1, 130}, background},
      {"Shape1 top left", {96, 56}, black},        {"Shape1 top right", {352, 56}, black},
      {"Shape1 bottom left", {96, 136}, black},    {"Shape1 bottom right", {352, 136}, black},
      {"left of Shape1", {95, 100}, background},   {"Shape1's inside by its line", {97, 100}, background},
  };
  for (const Pixel& p : pixels) EXPECT_EQ(drawing.pixel(p.at), p.colour) << p.what;
}

// --- Texts ---------------------------------------------------------------------------------------

TEST(AboutTexts, TheDescriptionIsOneFrenchSentenceOf211Characters)
{
  frmAbout about;
  const QLabel* description = Label(about, "lblDescription");
  ASSERT_NE(description, nullptr);
  const QString text = description->text();
  EXPECT_EQ(text.size(), 211);
  EXPECT_TRUE(text.endsWith(QLatin1Char('.')));
  EXPECT_EQ(text.count(QLatin1Char('.')), 1);
  for (const char* word : {"facile", "simple", "populaire", "versions", "stratégie", "graphismes"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << word;
  // It fits the label, drawn in the label's own font at its width.
  const QStringList lines = WrappedLines(description);
  EXPECT_LE(lines.size() * QFontMetrics(description->font()).lineSpacing(), description->height());
}

TEST(AboutTexts, TheVersionLabelHoldsThreeItemsSeparatedBy3And26And22Blanks)
{
  frmAbout about;
  const QLabel* version = Label(about, "lblVersion");
  ASSERT_NE(version, nullptr);
  static const QRegularExpression layout(QStringLiteral("^( +)(\\S.*\\S)( +)(Site web : \\S+)( +)(e-Mail : \\S+)$"));
  const QRegularExpressionMatch m = layout.match(version->text());
  ASSERT_TRUE(m.hasMatch()) << version->text().toStdString();
  EXPECT_EQ(m.captured(1).size(), 3);
  EXPECT_EQ(m.captured(3).size(), 26);
  EXPECT_EQ(m.captured(5).size(), 22);
  EXPECT_TRUE(m.captured(2).endsWith(QStringLiteral(" 2004"))) << "the maker's name and the year";
  EXPECT_EQ(m.captured(4), QStringLiteral("Site web : ") + QString::fromUtf8(SiteAddress));
  EXPECT_TRUE(m.captured(6).contains(QLatin1Char('@')));
}

TEST(AboutTexts, TheVersionLabelWrapsIntoExactlyThreeLinesOneItemEach)
{
  frmAbout about;
  QLabel* version = Label(about, "lblVersion");
  ASSERT_NE(version, nullptr);
  const QStringList lines = WrappedLines(version);
  ASSERT_EQ(lines.size(), 3) << lines.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(lines[0].trimmed().endsWith(QStringLiteral(" 2004")));
  EXPECT_TRUE(lines[1].trimmed().startsWith(QStringLiteral("Site web : ")));
  EXPECT_EQ(lines[1].trimmed(), QStringLiteral("Site web : ") + QString::fromUtf8(SiteAddress));
  EXPECT_TRUE(lines[2].trimmed().startsWith(QStringLiteral("e-Mail : ")));

  // And the label draws them so: text on the third line's rows, none below it.
  const int spacing = QFontMetrics(version->font()).lineSpacing();
  ASSERT_LE(3 * spacing, version->height());
  const std::vector<int> ink = InkRows(version);
  ASSERT_FALSE(ink.empty());
  EXPECT_GE(ink.back(), 2 * spacing);
  EXPECT_LT(ink.back(), 3 * spacing);
}

TEST(AboutTexts, LabelsUseVerdanaOrACloseSansSerifOnATransparentBackground)
{
  frmAbout about;
  for (const char* name : {"lblDescription", "lblVersion"}) {
    SCOPED_TRACE(name);
    const QLabel* label = Label(about, name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->font().families().value(0), QStringLiteral("Verdana"));
    EXPECT_DOUBLE_EQ(label->font().pointSizeF(), 8.25);
    EXPECT_EQ(label->font().weight(), QFont::Normal);
    const QString used = QFontInfo(label->font()).family();
    EXPECT_TRUE(used == QLatin1String("Verdana") || used == QLatin1String("Tahoma") ||
                used == QLatin1String("DejaVu Sans"))
        << used.toStdString();
    EXPECT_TRUE(label->wordWrap());
    EXPECT_FALSE(label->autoFillBackground());
    EXPECT_EQ(label->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }
}

TEST(AboutTexts, TheDescriptionIsInTheButtonTextColourAndTheVersionInTheWindowTextColour)
{
  // Two system colours that differ, so that each label shows which one it took.
  const QPalette system = QApplication::palette();
  QPalette marked = system;
  marked.setColor(QPalette::ButtonText, QColor(170, 20, 30));
  marked.setColor(QPalette::WindowText, QColor(20, 30, 170));
  QApplication::setPalette(marked);
  {
    frmAbout about;
    EXPECT_EQ(Label(about, "lblDescription")->palette().color(QPalette::WindowText), QColor(170, 20, 30));
    EXPECT_EQ(Label(about, "lblVersion")->palette().color(QPalette::WindowText), QColor(20, 30, 170));
  }
  QApplication::setPalette(system);
}

// --- Keyboard ------------------------------------------------------------------------------------

TEST(AboutKeyboard, OkIsTheDefaultButtonAndTheTabOrderFollowsTheDefinition)
{
  frmAbout about;
  auto* ok = qobject_cast<QPushButton*>(about.Control("cmdOK"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("OK"));
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(about.focusWidget(), ok);

  const std::vector<QString> expected = {QStringLiteral("cmdOK"), QStringLiteral("picIcon"),
                                         QStringLiteral("lblDescription"), QStringLiteral("lblVersion")};
  std::vector<QString> order;
  QWidget* w = ok;
  do {
    if (std::find(expected.begin(), expected.end(), w->objectName()) != expected.end())
      order.push_back(w->objectName());
    w = w->nextInFocusChain();
  } while (w != ok && order.size() < expected.size());
  EXPECT_EQ(order, expected);
  // Tab itself passes over the labels, which take no focus.
  for (const char* name : {"lblDescription", "lblVersion", "Image1", "Shape1", "Shape2"})
    EXPECT_EQ(about.Control(name)->focusPolicy(), Qt::NoFocus) << name;
}

// --- Life from the menu --------------------------------------------------------------------------

class AboutFromMenu : public ::testing::Test {
 protected:
  AboutFromMenu()
  {
    form->Form_Load();
    window = std::make_unique<SolitaireWindow>(*form);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get(), EventLimitMs));
  }

  // Opens the About window from the menu and runs `answer` on it; returns once it has closed.
  int Open(std::function<void(frmAbout&)> answer)
  {
    ModalAnswerer answerer([answer](QWidget* modal) {
      if (auto* about = qobject_cast<frmAbout*>(modal)) answer(*about);
    });
    window->MenuItem("mnuHelpHelp")->trigger();
    EXPECT_EQ(answerer.LeftOpen(), 0) << "the About window did not close";
    return answerer.Answered();
  }

  std::unique_ptr<frmSolitaire> form = std::make_unique<frmSolitaire>(ProgramFolder());
  std::unique_ptr<SolitaireWindow> window;
};

TEST_F(AboutFromMenu, EnterEscAndAClickOnOkEachCloseIt)
{
  struct CloseCase {
    const char* how;
    std::function<void(frmAbout&)> close;
  };
  const std::vector<CloseCase> cases = {
      {"Enter", [](frmAbout& a) { QTest::keyClick(a.windowHandle(), Qt::Key_Return); }},
      {"keypad Enter", [](frmAbout& a) { QTest::keyClick(a.windowHandle(), Qt::Key_Enter, Qt::KeypadModifier); }},
      {"Esc", [](frmAbout& a) { QTest::keyClick(a.windowHandle(), Qt::Key_Escape); }},
      {"click on OK", [](frmAbout& a) { QTest::mouseClick(a.Control("cmdOK"), Qt::LeftButton); }},
      {"Enter with the logo focused",
       [](frmAbout& a) {
         a.Control("picIcon")->setFocus();
         QTest::keyClick(a.windowHandle(), Qt::Key_Return);
       }},
      {"Esc with the logo focused",
       [](frmAbout& a) {
         a.Control("picIcon")->setFocus();
         QTest::keyClick(a.windowHandle(), Qt::Key_Escape);
       }},
  };
  for (const CloseCase& c : cases) {
    SCOPED_TRACE(c.how);
    QPointer<frmAbout> shown;
    EXPECT_EQ(Open([&](frmAbout& a) {
                shown = &a;
                c.close(a);
              }),
              1);
    EXPECT_TRUE(shown.isNull()) << "destroyed once closed";
  }
}

TEST_F(AboutFromMenu, ItIsModalOverTheMainWindowAndOpensAgainInItsInitialState)
{
  QString focusFirst, focusAfterTab, focusSecond;
  bool modal = false, mainBlocked = false;
  Open([&](frmAbout& a) {
    modal = QApplication::activeModalWidget() == &a && a.windowModality() == Qt::ApplicationModal;
    mainBlocked = !window->isActiveWindow();
    focusFirst = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    QTest::keyClick(a.windowHandle(), Qt::Key_Tab);
    focusAfterTab = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    QTest::keyClick(a.windowHandle(), Qt::Key_Escape);
  });
  Open([&](frmAbout& a) {
    focusSecond = QApplication::focusWidget() ? QApplication::focusWidget()->objectName() : QString();
    QTest::keyClick(a.windowHandle(), Qt::Key_Escape);
  });
  EXPECT_TRUE(modal);
  EXPECT_TRUE(mainBlocked);
  EXPECT_EQ(focusFirst, QStringLiteral("cmdOK"));
  EXPECT_EQ(focusAfterTab, QStringLiteral("picIcon"));
  EXPECT_EQ(focusSecond, QStringLiteral("cmdOK"));
  EXPECT_TRUE(window->isVisible());
}

TEST_F(AboutFromMenu, F2AndTheMenuBarDoNothingWhileItIsOpen)
{
  const TableSnapshot before = Snapshot(*form);
  TableSnapshot during;
  int questions = 0;
  Open([&](frmAbout& a) {
    QTest::keyClick(window->windowHandle(), Qt::Key_F2);
    QTest::keyClick(window->windowHandle(), Qt::Key_J, Qt::AltModifier);
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      window->menuBar()->mapTo(
                          window.get(), window->menuBar()->actionGeometry(window->MenuItem("mnuGame")).center()));
    during = Snapshot(*form);
    questions = QApplication::activeModalWidget() == &a ? 0 : 1;
    QTest::keyClick(a.windowHandle(), Qt::Key_Escape);
  });
  EXPECT_TRUE(during == before);
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "no menu opened";
  // Once it is closed and the main window active again, F2 deals again.
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), EventLimitMs));
  QTest::keyClick(window->windowHandle(), Qt::Key_F2);
  EXPECT_FALSE(Snapshot(*form) == before);
}

}  // namespace
