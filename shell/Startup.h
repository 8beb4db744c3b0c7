// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The program's start-up path, shared by the executable, the start-up probe and the tests.

#include <QString>

#include <functional>
#include <future>
#include <string>

#include "cardfiles/CardPictures.h"

class QApplication;
class QWidget;

namespace korvel {

struct StartOptions {
  // Runs once the table's first frame has been painted (start-up measurements).
  std::function<void()> AtFirstFrame;
  // Where `cards` is looked for; empty means beside the executable, as the game always runs.
  std::string ProgramFolder;
  // Shows an unreadable-picture report; the default is a critical message box over `parent`.
  std::function<void(QWidget* parent, const QString& text)> Report;
  // The card files, already being read (see ReadCardFilesInBackground; their folder then is the
  // program folder). Without them they are read when the program starts.
  std::future<StartUpCardReads> CardFiles;
};

// Checks the card pictures, loads the table, shows it and runs the event loop of `app`.
// Returns the program's exit status: non-zero when a card picture could not be read.
int RunSolitaire(QApplication& app, StartOptions options = {});

// Ends the process with `status` once the event loop is over, while the application object still
// exists: nothing is left to save by then, and Qt 6.4's Wayland client can deadlock when it takes
// its display connection down (its two event threads each wait for the other), which would leave
// the game running without a window. Standard output and error are flushed first; the sanitizers'
// leak check at exit is skipped with the rest (the tests that end normally keep it).
[[noreturn]] void EndProgram(int status);

// The executable's run once its command line has been answered: the card files are read while Qt
// starts and connects to the display, the game runs, and the process ends with its status.
// `atFirstFrame` as in StartOptions.
[[noreturn]] void RunProgram(int& argc, char** argv, std::function<void()> atFirstFrame = {});

// Starts reading the card files of `programFolder` on a thread of their own, so that they are read
// while the toolkit starts and connects to the display. Only the files are read there, without Qt;
// everything the game does stays on the main thread, which takes the answers before it makes the
// table.
std::future<StartUpCardReads> ReadCardFilesInBackground(std::string programFolder);

// The folder the executable runs from, as Qt's applicationDirPath() gives it, known before the
// application object exists.
std::string ExecutableFolder();

}  // namespace korvel
