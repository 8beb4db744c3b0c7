// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// Starts the game exactly as the executable does, prints the moment its first frame is painted
// (microseconds on the system clock, which the script starting it reads too) and quits.

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>

#include "shell/Startup.h"

int main(int argc, char** argv)
{
  korvel::RunProgram(argc, argv, [] {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf("first-frame %lld\n",
                static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
    std::fflush(stdout);
    // exit() ends the loop without a close request, so no question is asked.
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
  });
}
