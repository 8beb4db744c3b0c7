// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// A million-event soak of the table: random presses, moves and releases inside and outside the
// window, clicks, drags, new deals in the middle of a drag, presses never released and window
// resizes, fed the way the table's widget feeds them, with the whole table checked after every
// gesture.
//
//   soak [EVENTS [SEED]]      default 1000000 events, seed from the clock

#include <QGuiApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "TableSoak.h"

int main(int argc, char** argv)
{
  // Headless: the table's model and its picture reading need no screen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const long events = argc > 1 ? std::atol(argv[1]) : 1000000;
  const unsigned seed = argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : std::random_device{}();

  korvel::frmSolitaire form(QCoreApplication::applicationDirPath().toStdString());
  form.RunHandler([&form] { form.Form_Load(); });
  korvel::testing::TableSoak soak(form, seed);
  const auto start = std::chrono::steady_clock::now();
  const std::string problems = soak.Run(events);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

  const korvel::testing::SoakStats& s = soak.Stats();
  std::printf("seed %u: %ld events in %ld gestures, %.2f s, %.0f events/s\n", seed, s.events, s.gestures, seconds,
              static_cast<double>(s.events) / seconds);
  std::printf("gestures that moved a card: %ld; most cards on the foundations at once: %d\n", s.changes, s.mostPlayed);
  if (!problems.empty()) {
    std::printf("BROKEN: %s\n", problems.c_str());
    return 1;
  }
  std::printf("every check held\n");
  return 0;
}
