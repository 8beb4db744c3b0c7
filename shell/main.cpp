// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include <QApplication>

#include <cstdio>

#include "shell/CommandLine.h"
#include "shell/Startup.h"

int main(int argc, char** argv)
{
  if (const std::optional<int> status = korvel::AnswerCommandLine(argc, argv, stdout)) return *status;
  // The card files are read while Qt starts and connects to the display.
  korvel::StartOptions options;
  options.CardFiles = korvel::ReadCardFilesInBackground(korvel::ExecutableFolder());
  QApplication app(argc, argv);
  korvel::EndProgram(korvel::RunSolitaire(app, std::move(options)));
}
