// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include <QApplication>

#include "shell/Startup.h"

int main(int argc, char** argv)
{
  QApplication app(argc, argv);
  return korvel::RunSolitaire(app);
}
