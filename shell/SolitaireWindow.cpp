// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/SolitaireWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QSessionManager>
#include <QStyle>

#include <algorithm>
#include <vector>

#include "Identity.h"
#include "assets/BuiltInPictures.h"
#include "shell/MenuDecoration.h"
#include "shell/MenuDefinition.h"
#include "shell/WebLinks.h"
#include "shell/frmAbout.h"
#include "table/frmSolitaire.h"
#include "view/TableWidget.h"

namespace korvel {

namespace {

constexpr SolitaireWindow::MenuBinding MenuBindings[] = {
    {"mnuGameDeal_Click", &SolitaireWindow::mnuGameDeal_Click},
    {"mnuGameExit_Click", &SolitaireWindow::mnuGameExit_Click},
    {"mnuHelpHelp_Click", &SolitaireWindow::mnuHelpHelp_Click},
    {"tele_Click", &SolitaireWindow::tele_Click},
    {"mailgr_Click", &SolitaireWindow::mailgr_Click},
    {"formfrf_Click", &SolitaireWindow::formfrf_Click},
    {"tra_Click", &SolitaireWindow::tra_Click},
};

}  // namespace

std::span<const SolitaireWindow::MenuBinding> SolitaireWindow::MenuBindings() { return korvel::MenuBindings; }

SolitaireWindow::MenuHandler SolitaireWindow::FindMenuHandler(std::string_view name)
{
  for (const MenuBinding& b : korvel::MenuBindings)
    if (name == b.Handler) return b.Call;
  return nullptr;
}

QString SolitaireCaption()
{
  return QStringLiteral(" Korvel Solitaire v 1.0 - Brelin Interactive   ") + QLatin1String(SiteAddress);
}

SolitaireWindow::SolitaireWindow(frmSolitaire& form, QWidget* parent)
    : QMainWindow(parent),
      form_(form),
      table_(new TableWidget(form, this)),
      menuStyle_(std::make_unique<MenuPictureStyle>())
{
  setObjectName(QStringLiteral("frmSolitaire"));
  setWindowTitle(SolitaireCaption());
  setWindowIcon(WindowIcon(BuiltInResource(ProgramIconFile)));
  setCentralWidget(table_);
  BuildMenus();
  CentreOnScreen();
#ifndef QT_NO_SESSIONMANAGER
  // Qt 6 does not turn the end of the session into a close request: ask here as well.
  connect(qApp, &QGuiApplication::commitDataRequest, this, &SolitaireWindow::CommitSession, Qt::DirectConnection);
#endif
}

SolitaireWindow::~SolitaireWindow()
{
  // The menus use the style until they are gone.
  delete menuBar();
}

void SolitaireWindow::CentreOnScreen()
{
  const QSize client = table_->sizeHint();
  const int menuHeight = menuWidget() != nullptr ? menuWidget()->sizeHint().height() : 0;
  const QSize size(client.width(), client.height() + menuHeight);
  setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size, screen()->availableGeometry()));
}

void SolitaireWindow::BuildMenus()
{
  QMenuBar* bar = menuBar();
  bar->setFont(MenuFont());

  // The open menu of each level while the rows are read in order.
  std::vector<QMenu*> open;
  for (const MenuEntry& entry : MenuTree()) {
    const auto level = static_cast<std::size_t>(entry.Level);
    open.resize(level);
    QMenu* into = level == 0 ? nullptr : open[level - 1];
    const QString name = QString::fromUtf8(entry.Name);
    const QString caption = QString::fromUtf8(entry.Caption);

    QAction* action = nullptr;
    if (entry.Kind == MenuKind::Menu || entry.Kind == MenuKind::Submenu) {
      auto* menu = new QMenu(caption, into != nullptr ? static_cast<QWidget*>(into) : bar);
      menu->setObjectName(name);
      menu->setFont(MenuFont());
      menu->setStyle(menuStyle_.get());
      action = menu->menuAction();
      if (into != nullptr)
        into->addAction(action);
      else
        bar->addAction(action);
      open.push_back(menu);
    } else {
      // A separator's "-" only says what it is: a style would write it beside the line.
      action = new QAction(entry.Kind == MenuKind::Separator ? QString() : caption, into);
      action->setSeparator(entry.Kind == MenuKind::Separator);
      into->addAction(action);
    }
    action->setObjectName(name);

    if (entry.Shortcut[0] != '\0') {
      action->setShortcut(QKeySequence(QString::fromUtf8(entry.Shortcut)));
      // The shortcut belongs to the whole window, with no menu open.
      action->setShortcutContext(Qt::WindowShortcut);
      addAction(action);
    }
    if (const QIcon icon = MenuIcon(entry.Name, PictureScale(devicePixelRatioF())); !icon.isNull()) {
      action->setIcon(icon);
      // Some desktops hide menu icons; these pictures are part of the menu's design.
      action->setIconVisibleInMenu(true);
    }
    if (entry.Handler[0] != '\0') {
      const MenuHandler call = FindMenuHandler(entry.Handler);
      // A row naming no handler is a mistake in the tables, not something to step over quietly.
      Q_ASSERT_X(call != nullptr, "SolitaireWindow::BuildMenus", entry.Handler);
      if (call != nullptr) connect(action, &QAction::triggered, this, [this, call] { (this->*call)(); });
    }
  }
}

QAction* SolitaireWindow::MenuItem(std::string_view name) const
{
  const QString wanted = QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  for (QAction* action : menuBar()->findChildren<QAction*>())
    if (action->objectName() == wanted) return action;
  return nullptr;
}

void SolitaireWindow::mnuGameDeal_Click()
{
  form_.RunHandler([this] { form_.mnuGameDeal_Click(); });
}

void SolitaireWindow::mnuGameExit_Click()
{
  // The close request asks the question; a No leaves the window open.
  close();
}

void SolitaireWindow::mnuHelpHelp_Click() { ShowAbout(); }

void SolitaireWindow::tele_Click() { OpenWebLink("tele"); }
void SolitaireWindow::mailgr_Click() { OpenWebLink("mailgr"); }
void SolitaireWindow::formfrf_Click() { OpenWebLink("formfrf"); }
void SolitaireWindow::tra_Click() { OpenWebLink("tra"); }

void SolitaireWindow::Form_QueryUnload(std::int16_t& Cancel, std::int16_t /*UnloadMode*/)
{
  QMessageBox question(QMessageBox::Information, QStringLiteral(" Fin du Jeux"),
                       QStringLiteral(" Etes vous sûre de quitter le jeux ?"), QMessageBox::Yes | QMessageBox::No,
                       this);
  question.setDefaultButton(QMessageBox::Yes);
  question.setWindowModality(Qt::ApplicationModal);
  if (question.exec() != QMessageBox::Yes) Cancel = 1;
}

void SolitaireWindow::closeEvent(QCloseEvent* event)
{
  // A game that could not read a card picture is ending already; nothing is left to lose.
  if (quitConfirmed_ || form_.Failed()) {
    event->accept();
    return;
  }
  std::int16_t cancel = 0;
  Form_QueryUnload(cancel, event->spontaneous() ? UnloadFromControlMenu : UnloadFromCode);
  if (cancel != 0)
    event->ignore();
  else
    event->accept();
}

bool SolitaireWindow::QuitAtSessionEnd()
{
  std::int16_t cancel = 0;
  Form_QueryUnload(cancel, UnloadFromSession);
  if (cancel != 0) return false;
  // The answer was Yes: the window goes now, and the session's own close finds nothing to ask.
  quitConfirmed_ = true;
  close();
  return true;
}

void SolitaireWindow::CommitSession(QSessionManager& manager)
{
#ifndef QT_NO_SESSIONMANAGER
  if (!isVisible() || !manager.allowsInteraction()) return;
  const bool ends = QuitAtSessionEnd();
  manager.release();
  if (!ends) manager.cancel();
#else
  (void)manager;
#endif
}

}  // namespace korvel
