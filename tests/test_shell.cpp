// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The main window's shell: the menu tree and its pictures, a new deal from the menu and F2, the
// question before quitting, and the four web links.

#include <gtest/gtest.h>

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTranslator>
#include <QUrl>
#include <QWindow>

#include <algorithm>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "Identity.h"
#include "TableFixture.h"
#include "assets/BuiltInPictures.h"
#include "assets/MenuBitmaps.h"
#include "shell/MenuDecoration.h"
#include "shell/MenuDefinition.h"
#include "shell/ProgramSetup.h"
#include "shell/SolitaireWindow.h"
#include "shell/WebLinks.h"
#include "test_shell_modal.h"
#include "view/TableWidget.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

// The main window as the program builds it, on a freshly dealt table.
class ShellWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite()
  {
    // The checks below read the texts of a French desktop.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    translated = InstallQtTranslations(QLocale(QLocale::French, QLocale::France)) != nullptr;
    // Closing the window must not end the test program.
    QApplication::setQuitOnLastWindowClosed(false);
  }

  ShellWindow()
  {
    form->Form_Load();
    window = std::make_unique<SolitaireWindow>(*form);
  }

  void ShowActive()
  {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get(), EventLimitMs));
  }

  QMenu* Menu(const char* name) const
  {
    QAction* action = window->MenuItem(name);
    return action != nullptr ? action->menu() : nullptr;
  }

  // Turns a few stock cards so that the table is no longer as dealt.
  void PlayAWhile()
  {
    const auto [x, y] = CentreOf(form->imgBack(51));
    for (int i = 0; i < 3; ++i) {
      form->PointerPress(x, y);
      form->PointerRelease(x, y);
    }
  }

  static inline bool translated = false;
  std::unique_ptr<frmSolitaire> form = std::make_unique<frmSolitaire>(ProgramFolder());
  std::unique_ptr<SolitaireWindow> window;
};

QString WithoutAccessMarks(QString text) { return text.remove(QLatin1Char('&')); }

// --- The menu tree ---------------------------------------------------------------------------

// The menus as the player sees them: each item in its menu in order, with its caption, access key
// and shortcut, and its picture; only F2 works from the whole window.
TEST_F(ShellWindow, TheMenusHoldTheirItemsInOrder)
{
  struct Item {
    const char* menu;  // "" for the menu bar
    const char* name;
    const char* caption;  // "" for a separator's bare line
    const char* shortcut;
    bool opens;
    QSize picture;  // empty for none
  };
  const Item expected[] = {
      {"", "mnuGame", "&Jeux", "", true, {}},
      {"mnuGame", "mnuGameDeal", "&Nouveau", "F2", false, {16, 16}},
      {"mnuGame", "mnuGameSep", "", "", false, {}},
      {"mnuGame", "mnuGameExit", "&Quitter", "", false, {16, 16}},
      {"", "mnuHelp", "&Aide", "", true, {}},
      {"mnuHelp", "mnuHelpHelp", "&A Propos", "", false, {21, 21}},
      {"mnuHelp", "ssdecds", "", "", false, {}},
      {"mnuHelp", "tele", "&Téléchargement gratuit", "", false, {21, 21}},
      {"mnuHelp", "netserv", "&Services Sur le Net", "", true, {16, 16}},
      {"netserv", "mailgr", "&e-Mail Gratuit", "", false, {16, 16}},
      {"netserv", "formfrf", "&Forum", "", false, {28, 25}},
      {"netserv", "tra", "&Traduction", "", false, {16, 16}},
  };
  std::map<std::string, QStringList> items;
  for (const Item& item : expected) {
    SCOPED_TRACE(item.name);
    items[item.menu] << QString::fromUtf8(item.name);
    QAction* action = window->MenuItem(item.name);
    ASSERT_NE(action, nullptr);
    const QString caption = QString::fromUtf8(item.caption);
    EXPECT_EQ(action->text(), caption);
    EXPECT_EQ(action->isSeparator(), caption.isEmpty()) << "a separator is a bare line, with no text beside it";
    const qsizetype mark = caption.indexOf(QLatin1Char('&'));
    EXPECT_EQ(QKeySequence::mnemonic(action->text()),
              mark < 0 ? QKeySequence() : QKeySequence(QStringLiteral("Alt+") + caption[mark + 1].toUpper()));
    EXPECT_EQ(action->shortcut(), QKeySequence(QString::fromUtf8(item.shortcut)));
    const bool shortcut = item.shortcut[0] != '\0';
    EXPECT_EQ(window->actions().contains(action), shortcut) << "a shortcut works in the whole window";
    if (shortcut) {
      EXPECT_EQ(action->shortcutContext(), Qt::WindowShortcut);
    }
    EXPECT_TRUE(action->isVisible() && action->isEnabled() && !action->isCheckable());
    EXPECT_EQ(action->menu() != nullptr, item.opens);
    if (item.opens) {
      EXPECT_EQ(action->menu()->objectName(), QString::fromUtf8(item.name));
    }
    EXPECT_EQ(action->icon().isNull(), item.picture.isEmpty());
    if (!item.picture.isEmpty()) {
      EXPECT_EQ(action->icon().actualSize(QSize(256, 256)), item.picture);
      EXPECT_TRUE(action->isIconVisibleInMenu());
    }
  }
  for (const auto& [parent, names] : items) {
    const QList<QAction*> actions = parent.empty() ? window->menuBar()->actions() : Menu(parent.c_str())->actions();
    QStringList shown;
    for (const QAction* action : actions) shown << action->objectName();
    EXPECT_EQ(shown, names) << parent;
  }
  EXPECT_EQ(MenuTree().size(), std::size(expected)) << "no item beyond these";
}

// A handler named in the menu table but missing would leave its item dead without a word; the
// rows are in their display order and each names a different item.
TEST(MenuTable, EveryHandlerItNamesExistsAndEveryHandlerIsNamed)
{
  std::set<std::string> named, items;
  int order = 0;
  for (const MenuEntry& entry : MenuTree()) {
    EXPECT_EQ(entry.Order, ++order) << entry.Name;
    EXPECT_TRUE(items.insert(entry.Name).second) << entry.Name;
    if (entry.Handler[0] == '\0') continue;
    EXPECT_NE(SolitaireWindow::FindMenuHandler(entry.Handler), nullptr) << entry.Handler;
    named.insert(entry.Handler);
  }
  for (const SolitaireWindow::MenuBinding& binding : SolitaireWindow::MenuBindings())
    EXPECT_TRUE(named.contains(binding.Handler)) << binding.Handler;
  EXPECT_EQ(SolitaireWindow::FindMenuHandler("mnuGameDeal_Clic"), nullptr);
}

// The window builds its menus on every row having the menu it goes in: a tree without one does not
// compile.
TEST(MenuTable, ATreeIsWellFormedOnlyWhereEveryRowHasItsMenu)
{
  using K = MenuKind;
  auto row = [](int level, K kind) { return MenuEntry{1, level, "x", "x", "", kind, ""}; };
  const std::pair<std::vector<MenuEntry>, bool> trees[] = {
      {{}, true},
      {{row(0, K::Menu), row(1, K::Command), row(1, K::Submenu), row(2, K::Command), row(1, K::Separator)}, true},
      {{row(0, K::Command)}, false},                                                           // an item on the bar
      {{row(1, K::Command)}, false},                                                           // no menu to go in
      {{row(0, K::Menu), row(2, K::Command)}, false},                                          // no submenu to go in
      {{row(0, K::Menu), row(1, K::Submenu), row(1, K::Command), row(2, K::Command)}, false},  // closed
      {{row(0, K::Menu), row(1, K::Menu)}, false},                                             // a menu inside a menu
      {{row(0, K::Submenu)}, false},                                                           // a submenu on the bar
      {{row(0, K::Menu), row(-1, K::Command)}, false},
  };
  for (const auto& [tree, wellFormed] : trees) EXPECT_EQ(MenuTreeIsWellFormed(tree), wellFormed) << tree.size();
}

TEST_F(ShellWindow, MenusAreWrittenInTahomaOrACloseSansSerif)
{
  std::vector<const QWidget*> widgets = {window->menuBar()};
  for (const char* name : {"mnuGame", "mnuHelp", "netserv"}) widgets.push_back(Menu(name));
  for (const QWidget* widget : widgets) {
    ASSERT_NE(widget, nullptr);
    SCOPED_TRACE(widget->objectName().toStdString());
    const QFont font = widget->font();
    EXPECT_EQ(font.families().value(0), QStringLiteral("Tahoma"));
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 8.25);
    EXPECT_EQ(font.weight(), QFont::Normal);
    EXPECT_FALSE(font.italic());
    EXPECT_FALSE(font.underline());
    EXPECT_FALSE(font.strikeOut());
    // Whatever is installed, the text comes out in one of the fonts of the design's family.
    const QString used = QFontInfo(font).family();
    EXPECT_TRUE(used == QLatin1String("Tahoma") || used == QLatin1String("Verdana") ||
                used == QLatin1String("DejaVu Sans"))
        << used.toStdString();
  }
}

// The design's text is plain even on a desktop whose own font is bold, italic or underlined.
TEST(DesignFont, IsPlainWhateverTheDesktopsFont)
{
  const QFont desktop = QApplication::font();
  QFont fancy = desktop;
  fancy.setWeight(QFont::Bold);
  fancy.setItalic(true);
  fancy.setUnderline(true);
  fancy.setStrikeOut(true);
  QApplication::setFont(fancy);
  const QFont font = DesignFont("Tahoma", 8.25);
  QApplication::setFont(desktop);
  EXPECT_EQ(font.weight(), QFont::Normal);
  EXPECT_FALSE(font.italic());
  EXPECT_FALSE(font.underline());
  EXPECT_FALSE(font.strikeOut());
  // Where none of its families is installed, a sans-serif stands in, not the desktop's default.
  EXPECT_EQ(font.styleHint(), QFont::SansSerif);
}

// --- The menu pictures -------------------------------------------------------------------------

// The eight bitmaps, as the menu table gives them.
struct PictureCase {
  const char* item;
  QString bitmap;
  QSize size;
  QRgb transparent;
};

std::vector<PictureCase> PictureCases()
{
  std::vector<PictureCase> cases;
  for (const MenuBitmap& b : MenuBitmaps)
    cases.push_back({b.Item,
                     BuiltInResource(b.File),
                     {b.Width, b.Height},
                     qRgb(b.Transparent.Red, b.Transparent.Green, b.Transparent.Blue)});
  return cases;
}

// Bits per pixel of an uncompressed Windows bitmap, or 0 for anything else.
int BitmapBits(const QString& resource)
{
  QFile file(resource);
  if (!file.open(QIODevice::ReadOnly)) return 0;
  const QByteArray header = file.read(54);
  if (header.size() < 54 || !header.startsWith("BM")) return 0;
  const auto word = [&header](int at) {
    return static_cast<int>(static_cast<unsigned char>(header[at])) |
           static_cast<int>(static_cast<unsigned char>(header[at + 1])) << 8;
  };
  const bool uncompressed = word(30) == 0 && word(32) == 0;
  return uncompressed ? word(28) : 0;
}

TEST_F(ShellWindow, EachPictureIsItsBitmapWithExactlyItsTransparentColourCleared)
{
  for (const PictureCase& c : PictureCases()) {
    SCOPED_TRACE(c.item);
    const QImage bitmap(c.bitmap);
    ASSERT_FALSE(bitmap.isNull());
    EXPECT_EQ(bitmap.size(), c.size);
    EXPECT_EQ(BitmapBits(c.bitmap), 24) << "an uncompressed 24-bit bitmap";
    const QImage shown =
        window->MenuItem(c.item)->icon().pixmap(c.size).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(shown.size(), c.size);
    int cleared = 0;
    for (int y = 0; y < c.size.height(); ++y)
      for (int x = 0; x < c.size.width(); ++x) {
        const QRgb source = bitmap.pixel(x, y) | 0xFF000000u;
        const QRgb pixel = shown.pixel(x, y);
        if (source == c.transparent) {
          ++cleared;
          EXPECT_EQ(qAlpha(pixel), 0) << x << "," << y;
        } else {
          ASSERT_EQ(pixel, source) << x << "," << y;
        }
      }
    // A picture with nothing to see through would not test the colour at all.
    EXPECT_GT(cleared, 0);
  }
}

TEST(MenuPictureColour, OnlyAnExactMatchOfTheColourIsCleared)
{
  QImage image(4, 1, QImage::Format_RGB888);
  const QRgb pink = qRgb(255, 49, 206);
  image.setPixel(0, 0, pink);
  image.setPixel(1, 0, qRgb(255, 49, 207));
  image.setPixel(2, 0, qRgb(254, 49, 206));
  image.setPixel(3, 0, qRgb(255, 255, 255));
  const QImage cleared = ClearColour(image, {255, 49, 206});
  EXPECT_EQ(qAlpha(cleared.pixel(0, 0)), 0);
  EXPECT_EQ(cleared.pixel(1, 0), qRgb(255, 49, 207));
  EXPECT_EQ(cleared.pixel(2, 0), qRgb(254, 49, 206));
  EXPECT_EQ(cleared.pixel(3, 0), qRgb(255, 255, 255));
}

// The menu as it is drawn, on a background that no picture uses.
QImage DrawnMenu(QMenu* menu)
{
  QPalette palette = menu->palette();
  for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Base, QPalette::Button})
    palette.setColor(role, QColor(20, 110, 60));
  menu->setPalette(palette);
  menu->ensurePolished();
  menu->resize(menu->sizeHint());
  return menu->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Where, inside `area`, the drawing shows the picture pixel for pixel at its own size, with the
// background (not the transparent colour) wherever the picture is clear; a null point if nowhere.
QPoint FindPicture(const QImage& drawing, const QRect& area, const QImage& picture, QRgb transparent)
{
  for (int top = area.top(); top + picture.height() <= area.bottom() + 1; ++top)
    for (int left = area.left(); left + picture.width() <= area.right() + 1; ++left) {
      bool same = true;
      for (int y = 0; same && y < picture.height(); ++y)
        for (int x = 0; same && x < picture.width(); ++x) {
          const QRgb want = picture.pixel(x, y);
          const QRgb got = drawing.pixel(left + x, top + y) | 0xFF000000u;
          same = qAlpha(want) == 0 ? got != transparent : got == (want | 0xFF000000u);
        }
      if (same) return {left, top};
    }
  return {-1, -1};
}

void ExpectPicturesDrawnAtTheirOwnSize(SolitaireWindow& window)
{
  for (const PictureCase& c : PictureCases()) {
    SCOPED_TRACE(c.item);
    QAction* action = window.MenuItem(c.item);
    ASSERT_NE(action, nullptr);
    // The menu the item is shown in.
    QMenu* menu = nullptr;
    for (QObject* o : action->associatedObjects())
      if (auto* m = qobject_cast<QMenu*>(o); m != nullptr && m != action->menu()) menu = m;
    ASSERT_NE(menu, nullptr);
    const QImage drawing = DrawnMenu(menu);
    const QImage picture = action->icon().pixmap(c.size).toImage().convertToFormat(QImage::Format_ARGB32);
    const QPoint at = FindPicture(drawing, menu->actionGeometry(action), picture, c.transparent);
    EXPECT_NE(at, QPoint(-1, -1)) << "not drawn at " << c.size.width() << "x" << c.size.height();
  }
}

TEST_F(ShellWindow, MenusDrawEachPictureAtItsOwnSizeAndSeeThroughItsColour)
{
  ExpectPicturesDrawnAtTheirOwnSize(*window);
}

TEST_F(ShellWindow, PicturesShowEvenWhereTheDesktopHidesMenuIcons)
{
  QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus, true);
  SolitaireWindow hiding(*form);
  ExpectPicturesDrawnAtTheirOwnSize(hiding);
  QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus, false);
}

// --- A new deal --------------------------------------------------------------------------------

// Every control's place and visibility, and the enabled state of those shown, by set and index. A
// deal leaves a hidden face's enabled state as it was: the face is enabled again when turned.
std::vector<std::tuple<int, int, float, float, bool, bool>> ControlStates(const frmSolitaire& form)
{
  std::vector<std::tuple<int, int, float, float, bool, bool>> states;
  for (const PictureControl* c : form.Controls().BackToFront())
    states.emplace_back(static_cast<int>(c->BelongsTo()), c->Index(), c->Left(), c->Top(), c->Visible(),
                        c->Visible() && c->Enabled());
  std::sort(states.begin(), states.end());
  return states;
}

using ControlStateList = std::vector<std::tuple<int, int, float, float, bool, bool>>;

// The entries where two lists of control states differ, for a readable failure.
std::string Differences(const ControlStateList& a, const ControlStateList& b)
{
  std::string out;
  for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
    if (a[i] != b[i]) {
      const auto& [set, index, left, top, visible, enabled] = a[i];
      const auto& [set2, index2, left2, top2, visible2, enabled2] = b[i];
      out += "control " + std::to_string(set) + "(" + std::to_string(index) + "): " + std::to_string(left) + "," +
             std::to_string(top) + (visible ? " visible" : " hidden") + (enabled ? " enabled" : " disabled") + " / " +
             std::to_string(left2) + "," + std::to_string(top2) + (visible2 ? " visible" : " hidden") +
             (enabled2 ? " enabled" : " disabled") + "\n";
    }
  return out;
}

std::vector<std::string> Codes(const frmSolitaire& form)
{
  std::vector<std::string> codes;
  for (const Card& c : form.Deck) codes.push_back(c.Code);
  return codes;
}

struct DealCase {
  const char* how;
  std::function<void(SolitaireWindow&)> deal;
};

TEST_F(ShellWindow, NouveauAndF2DealAgainAtOnceWithoutAQuestion)
{
  ShowActive();
  const auto opening = ControlStates(*form);
  const std::vector<DealCase> cases = {
      {"menu command", [](SolitaireWindow& w) { w.MenuItem("mnuGameDeal")->trigger(); }},
      {"F2", [](SolitaireWindow& w) { QTest::keyClick(w.windowHandle(), Qt::Key_F2); }},
      {"F2 over the table", [](SolitaireWindow& w) { QTest::keyClick(w.Table(), Qt::Key_F2); }},
  };
  for (const DealCase& c : cases) {
    SCOPED_TRACE(c.how);
    PlayAWhile();
    ASSERT_NE(ControlStates(*form), opening);
    const auto before = Codes(*form);
    ModalAnswerer noQuestion(Dismiss());
    c.deal(*window);
    EXPECT_EQ(noQuestion.Answered(), 0);
    EXPECT_NE(Codes(*form), before);  // a new shuffle
    EXPECT_EQ(Differences(ControlStates(*form), opening), "");
    for (const std::string& suit : form->PileSuit) EXPECT_TRUE(suit.empty());
    for (const Card& card : form->Deck) EXPECT_NE(card.HasNext, True16);
    EXPECT_TRUE(window->isVisible());
  }
}

// --- The question before quitting --------------------------------------------------------------

struct QuestionSeen {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QMessageBox::StandardButton defaultButton = QMessageBox::NoButton;
  QString yes, no;
  bool modal = false;
};

std::function<void(QWidget*)> Note(QuestionSeen& seen, QMessageBox::StandardButton answer)
{
  return [&seen, answer](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    if (box == nullptr) return;
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.defaultButton = box->standardButton(box->defaultButton());
    if (box->button(QMessageBox::Yes) != nullptr) seen.yes = WithoutAccessMarks(box->button(QMessageBox::Yes)->text());
    if (box->button(QMessageBox::No) != nullptr) seen.no = WithoutAccessMarks(box->button(QMessageBox::No)->text());
    seen.modal = box->windowModality() == Qt::ApplicationModal;
    Press(answer)(modal);
  };
}

struct CloseCase {
  const char* how;
  std::function<void(SolitaireWindow&)> request;
};

const std::vector<CloseCase>& CloseRequests()
{
  static const std::vector<CloseCase> cases = {
      {"menu Quitter", [](SolitaireWindow& w) { w.MenuItem("mnuGameExit")->trigger(); }},
      {"title bar", [](SolitaireWindow& w) { w.windowHandle()->close(); }},
      {"close()", [](SolitaireWindow& w) { w.close(); }},
      // Last: once its Yes has closed the window, nothing is asked again.
      {"the session ending", [](SolitaireWindow& w) { w.QuitAtSessionEnd(); }},
  };
  return cases;
}

// Every close request asks the same question once; No leaves the window and the game exactly as
// they were, Yes closes the window.
TEST_F(ShellWindow, EveryCloseRequestAsksOnceAndOnlyYesCloses)
{
  ASSERT_TRUE(translated) << "Qt's French translation (qt6-translations-l10n) is not installed";
  PlayAWhile();
  for (const CloseCase& c : CloseRequests())
    for (const QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
      SCOPED_TRACE(std::string(c.how) + (answer == QMessageBox::Yes ? ", Yes" : ", No"));
      ShowActive();
      const TableSnapshot before = Snapshot(*form);
      const QRect geometry = window->geometry();
      QuestionSeen seen;
      ModalAnswerer answerer(Note(seen, answer));
      c.request(*window);
      EXPECT_EQ(answerer.Answered(), 1);
      EXPECT_EQ(answerer.LeftOpen(), 0);
      EXPECT_EQ(seen.title, QStringLiteral(" Fin du Jeux"));
      EXPECT_EQ(seen.text, QStringLiteral(" Etes vous sûre de quitter le jeux ?"));
      EXPECT_EQ(seen.icon, QMessageBox::Information);
      EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
      EXPECT_EQ(seen.defaultButton, QMessageBox::Yes);
      EXPECT_EQ(seen.yes, QStringLiteral("Oui"));
      EXPECT_EQ(seen.no, QStringLiteral("Non"));
      EXPECT_TRUE(seen.modal);
      EXPECT_EQ(window->isVisible(), answer == QMessageBox::No);
      if (answer == QMessageBox::No) {
        EXPECT_EQ(window->geometry(), geometry);
        EXPECT_TRUE(Snapshot(*form) == before);
      }
    }
}

TEST_F(ShellWindow, AGameThatHasFailedClosesWithoutAQuestion)
{
  // An unreadable card picture ends the game: the next deal cannot read its faces.
  const std::string empty = QDir::tempPath().toStdString() + "/korvel-shell-no-cards";
  QDir().mkpath(QString::fromStdString(empty));
  frmSolitaire broken(empty);
  bool reported = false;
  broken.OnPictureError = [&reported](const PictureError&) { reported = true; };
  broken.RunHandler([&broken] { broken.Form_Load(); });
  ASSERT_TRUE(broken.Failed());
  ASSERT_TRUE(reported);
  SolitaireWindow failing(broken);
  failing.show();
  ModalAnswerer noQuestion(Dismiss());
  EXPECT_TRUE(failing.close());
  EXPECT_EQ(noQuestion.Answered(), 0);
}

// --- Web links ---------------------------------------------------------------------------------

// Stands in for the browser: records every address the desktop is asked to open.
class AddressCatcher : public QObject {
  Q_OBJECT

 public:
  std::vector<QUrl> opened;

 public slots:
  void Open(const QUrl& url) { opened.push_back(url); }
};

TEST_F(ShellWindow, EachLinkCommandOpensItsOwnPageOfTheSite)
{
  AddressCatcher browser;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
  QDesktopServices::setUrlHandler(QStringLiteral("https"), &browser, "Open");
  const std::vector<std::pair<const char*, const char*>> links = {
      {"tele", "tele.htm"}, {"mailgr", "mail.htm"}, {"formfrf", "forum.htm"}, {"tra", "tradu.htm"}};
  for (const auto& [item, page] : links) {
    SCOPED_TRACE(item);
    browser.opened.clear();
    ModalAnswerer noQuestion(Dismiss());
    window->MenuItem(item)->trigger();
    ASSERT_EQ(browser.opened.size(), 1u);
    EXPECT_EQ(browser.opened.front().toString(), QString::fromUtf8(SiteAddress) + "/" + page);
    EXPECT_EQ(noQuestion.Answered(), 0);
  }
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
  QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

TEST(ShellCall, OnlyTheOpenOperationReachesTheDesktopAndSuccessIsAbove32)
{
  AddressCatcher browser;
  QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
  const std::string address = WebPageAddress("tele.htm");
  struct Case {
    const char* operation;
    bool opens;
  };
  for (const Case& c : {Case{"open", true}, Case{"print", false}, Case{"", false}}) {
    SCOPED_TRACE(c.operation);
    browser.opened.clear();
    const std::intptr_t result = ShellExecuteA(nullptr, c.operation, address.c_str(), "", "", SW_SHOWNORMAL);
    EXPECT_EQ(result > 32, c.opens);
    EXPECT_EQ(browser.opened.size(), c.opens ? 1u : 0u);
  }
  QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
}

TEST(SiteAddress, IsOnePlainHttpAddress)
{
  const QUrl site(QString::fromUtf8(SiteAddress));
  EXPECT_TRUE(site.isValid());
  EXPECT_EQ(site.scheme(), QStringLiteral("http"));
  EXPECT_FALSE(site.host().isEmpty());
  EXPECT_TRUE(site.path().isEmpty()) << "the pages are joined with their own \"/\"";
}

// The quit question's buttons follow the system's language; a French one reads Oui and Non even
// where Qt's translations (only recommended by the package) are missing.
TEST(QtTranslations, AFrenchSystemWithoutQtsOwnStillGetsOuiAndNon)
{
  const QTemporaryDir none;
  QTranslator* french = InstallQtTranslations(QLocale(QLocale::French, QLocale::Canada), none.path());
  ASSERT_NE(french, nullptr);
  EXPECT_EQ(french->translate("QPlatformTheme", "&Yes"), QStringLiteral("&Oui"));
  EXPECT_EQ(french->translate("QPlatformTheme", "&No"), QStringLiteral("&Non"));
  EXPECT_EQ(french->translate("QPlatformTheme", "OK"), QStringLiteral("OK"));
  EXPECT_EQ(french->translate("QFileDialog", "&Yes"), QString()) << "only the standard buttons";
  const QMessageBox question(QMessageBox::Information, QString(), QString(), QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(question.button(QMessageBox::Yes)->text(), QStringLiteral("&Oui"));
  QCoreApplication::removeTranslator(french);
  delete french;
  // Another language keeps Qt's English where Qt's own translation is missing.
  EXPECT_EQ(InstallQtTranslations(QLocale(QLocale::German, QLocale::Germany), none.path()), nullptr);
}

// --- The program's identity ----------------------------------------------------------------

TEST(ProgramIdentity, NameVersionIconAndCaptionAsTheDesktopShowsThem)
{
  SetUpApplication();
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("Solitaire"));
  EXPECT_EQ(QCoreApplication::applicationVersion(), QString::fromUtf8(ProgramVersion));
  EXPECT_EQ(QGuiApplication::desktopFileName(), QStringLiteral("korvel-solitaire"));
  EXPECT_FALSE(QCoreApplication::testAttribute(Qt::AA_DontShowIconsInMenus));
  EXPECT_EQ(QApplication::windowIcon().pixmap(32, 32).toImage().convertToFormat(QImage::Format_ARGB32),
            QImage(QStringLiteral(":/korvel/icon.png")).convertToFormat(QImage::Format_ARGB32));

  // The version as the program shows it: major, minor on two digits, build on four.
  const QStringList parts = QString::fromUtf8(ProgramVersion).split(QLatin1Char('.'));
  ASSERT_EQ(parts.size(), 4);
  EXPECT_EQ(QStringLiteral("%1.%2.%3")
                .arg(parts[0])
                .arg(parts[1].toInt(), 2, 10, QLatin1Char('0'))
                .arg(parts[3].toInt(), 4, 10, QLatin1Char('0')),
            QString::fromUtf8(VersionText));

  // Nothing is added to the caption.
  frmSolitaire form(ProgramFolder());
  form.Form_Load();
  SolitaireWindow window(form);
  window.show();
  EXPECT_EQ(window.windowTitle(), SolitaireCaption());
  EXPECT_EQ(window.windowTitle(),
            QStringLiteral(" Korvel Solitaire v 1.0 - Brelin Interactive   ") + QString::fromUtf8(SiteAddress));
}

}  // namespace

#include "test_shell.moc"
