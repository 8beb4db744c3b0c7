// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// The whole program's ending: the event loop of the real start-up path runs until a close request
// of the main window is answered Yes, and the program then ends with status 0, the way the game's
// own main() ends it. ctest runs it offscreen and again in a Wayland-only session.

#include <gtest/gtest.h>

#include <QApplication>
#include <QMenuBar>
#include <QTimer>
#include <QWindow>

#include "TableFixture.h"
#include "shell/SolitaireWindow.h"
#include "shell/Startup.h"
#include "test_shell_modal.h"

using namespace korvel;
using namespace korvel::testing;

namespace {

SolitaireWindow* ShownMainWindow()
{
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* window = qobject_cast<SolitaireWindow*>(w); window != nullptr && window->isVisible()) return window;
  return nullptr;
}

TEST(Quitting, NoKeepsTheProgramRunningAndYesEndsItWithStatusZero)
{
  // In a Wayland-only session (with_weston.sh) Qt must have found Wayland by itself.
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") && qEnvironmentVariableIsEmpty("DISPLAY")) {
    EXPECT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
  }
  QApplication::setQuitOnLastWindowClosed(true);
  int questions = 0;
  ModalAnswerer answerer([&questions](QWidget* modal) {
    ++questions;
    Press(questions == 1 ? QMessageBox::No : QMessageBox::Yes)(modal);
  });

  // Asks to close from the menu, then from the title bar, once the window is up; the requests
  // are queued so that each question runs from the event loop, as the player's would.
  int requests = 0;
  QTimer player;
  player.setInterval(20);
  QObject::connect(&player, &QTimer::timeout, [&] {
    SolitaireWindow* window = ShownMainWindow();
    if (window == nullptr || QApplication::activeModalWidget() != nullptr) return;
    if (requests == 0) {
      ++requests;
      window->MenuItem("mnuGameExit")->trigger();
    } else if (requests == 1) {
      ++requests;
      window->windowHandle()->close();
    }
  });
  player.start();
  // Should a question be missed, the program is ended by force and the test fails.
  QTimer::singleShot(EventLimitMs, qApp, [] { QCoreApplication::exit(99); });

  const int status = RunSolitaire(*qobject_cast<QApplication*>(QCoreApplication::instance()));
  EXPECT_EQ(status, 0);
  EXPECT_EQ(requests, 2);
  EXPECT_EQ(questions, 2) << "one question per close request";
  EXPECT_EQ(ShownMainWindow(), nullptr);
}

}  // namespace

// Ends as the game does once the tests have reported: a process that hangs instead after its
// window is gone fails by ctest's time limit.
int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  EndProgram(RUN_ALL_TESTS());
}
