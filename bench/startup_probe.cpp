// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Starts the game exactly as the executable does and quits at its first painted frame.

#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  korvel::StartOptions options;
  options.QuitAtFirstFrame = true;
  return korvel::RunSolitaire(app, options);
}
