// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

namespace korvel::cardgen {

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";
const char* const kFontFiles[] = {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"};

[[noreturn]] void die(const QString& why)
{
  std::fprintf(stderr, "korvel_cardgen: %s (install fonts-dejavu-core)\n", qPrintable(why));
  std::exit(1);
}

QFont makeFont(const char* family, int pixelSize, bool bold)
{
  QFont font(QString::fromLatin1(family));
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  // Full hinting snaps stems to whole pixels, which is what keeps small indices sharp.
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setStyleStrategy(QFont::NoFontMerging);
  const QFontInfo info(font);
  if (info.family() != font.family())
    die(QStringLiteral("font '%1' resolved to '%2'").arg(font.family(), info.family()));
  return font;
}

}  // namespace

void loadFonts()
{
  for (const char* file : kFontFiles) {
    const QString path = QString::fromLatin1(kFontDir) + QString::fromLatin1(file);
    if (QFontDatabase::addApplicationFont(path) < 0) die(QStringLiteral("cannot load %1").arg(path));
  }
  const QStringList families = QFontDatabase::families();
  for (const char* family : {"DejaVu Sans", "DejaVu Serif"}) {
    if (!families.contains(QString::fromLatin1(family)))
      die(QStringLiteral("font family '%1' is not available").arg(QString::fromLatin1(family)));
  }
}

QFont sansFont(int pixelSize, bool bold) { return makeFont("DejaVu Sans", pixelSize, bold); }

QFont serifFont(int pixelSize, bool bold) { return makeFont("DejaVu Serif", pixelSize, bold); }

}  // namespace korvel::cardgen
