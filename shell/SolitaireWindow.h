// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The main window: the card table under a menu bar.

#include <QMainWindow>

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

class QAction;
class QSessionManager;

namespace korvel {

class frmSolitaire;
class MenuPictureStyle;
class TableWidget;

// Why the main window is closing, as Form_QueryUnload receives it.
inline constexpr std::int16_t UnloadFromControlMenu = 0;  // title bar, system menu, Alt+F4
inline constexpr std::int16_t UnloadFromCode = 1;         // "&Quitter"
inline constexpr std::int16_t UnloadFromSession = 2;      // the desktop session is ending

class SolitaireWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit SolitaireWindow(frmSolitaire& form, QWidget* parent = nullptr);
  ~SolitaireWindow() override;

  frmSolitaire& Form() { return form_; }
  TableWidget* Table() { return table_; }

  // Places the window at the centre of its screen with a client area of 588 x 385 pixels.
  void CentreOnScreen();

  // The menu item called `name` (for a menu or submenu, the action that opens it), or null.
  QAction* MenuItem(std::string_view name) const;

  // The menu's handlers, bound by name to the rows of the menu tree.
  using MenuHandler = void (SolitaireWindow::*)();
  struct MenuBinding {
    const char* Handler;
    MenuHandler Call;
  };
  static std::span<const MenuBinding> MenuBindings();
  // The handler called `name`, or null.
  static MenuHandler FindMenuHandler(std::string_view name);

  // --- Handlers ---
  void mnuGameDeal_Click();
  void mnuGameExit_Click();
  void mnuHelpHelp_Click();
  void tele_Click();
  void mailgr_Click();
  void formfrf_Click();
  void tra_Click();
  // Asks whether to quit; sets Cancel to 1 to keep the window open.
  void Form_QueryUnload(std::int16_t& Cancel, std::int16_t UnloadMode);
  // The desktop session is ending: asks once, and on Yes closes the window without asking again.
  // Returns whether the session may end.
  bool QuitAtSessionEnd();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void CommitSession(QSessionManager& manager);

  frmSolitaire& form_;
  TableWidget* table_;
  std::unique_ptr<MenuPictureStyle> menuStyle_;
  bool quitConfirmed_ = false;
};

// The caption: the product, its maker and the site address.
QString SolitaireCaption();

}  // namespace korvel
