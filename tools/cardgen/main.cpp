// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
// korvel_cardgen: draws the game's artwork.
//   korvel_cardgen cards <outdir>    the 52 card faces and the empty-stock picture (GIF)
//   korvel_cardgen assets <outdir>   card back, icon, logo, banner and menu bitmaps

#include "assets.h"
#include "cardfaces.h"
#include "fonts.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

int usage()
{
  std::fprintf(stderr, "usage: korvel_cardgen cards|assets <outdir>\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv)
{
  if (argc != 3) return usage();
  const bool cards = std::strcmp(argv[1], "cards") == 0;
  const bool assets = std::strcmp(argv[1], "assets") == 0;
  if (!cards && !assets) return usage();

  // Drawing needs no screen; builds run on machines without one.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  korvel::cardgen::loadFonts();

  const QString dir = QString::fromLocal8Bit(argv[2]);
  QString error;
  const bool ok = cards ? korvel::cardgen::writeCardFaces(dir, &error) : korvel::cardgen::writeAssets(dir, &error);
  if (!ok) {
    std::fprintf(stderr, "korvel_cardgen: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}
