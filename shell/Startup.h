// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The program's start-up path, shared by the executable, the start-up probe and the tests.

#include <QString>

#include <functional>
#include <string>

class QApplication;
class QWidget;

namespace korvel {

struct StartOptions {
  // Quit as soon as the first frame of the table has been painted (start-up measurements).
  bool QuitAtFirstFrame = false;
  // Where `cards` is looked for; empty means beside the executable, as the game always runs.
  std::string ProgramFolder;
  // Shows an unreadable-picture report; the default is a critical message box over `parent`.
  std::function<void(QWidget* parent, const QString& text)> Report;
};

// Checks the card pictures, loads the table, shows it and runs the event loop of `app`.
// Returns the program's exit status: non-zero when a card picture could not be read.
int RunSolitaire(QApplication& app, const StartOptions& options = {});

}  // namespace korvel
