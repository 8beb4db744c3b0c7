// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/ProgramSetup.h"

#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "shell/Identity.h"

namespace korvel {

const char* const ProgramVersion = KORVEL_VERSION;

void SetUpApplication(QApplication& /*app*/)
{
  QCoreApplication::setApplicationName(QString::fromUtf8(InternalName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
  // Ties the windows to the desktop entry, so the desktop shows the product's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("korvel-solitaire"));
  QApplication::setWindowIcon(WindowIcon(QStringLiteral(":/korvel/icon.png")));
  // The menu pictures are part of the menus' design, even where the desktop hides menu icons.
  QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus, false);
  InstallQtTranslations(QLocale::system());
}

QIcon WindowIcon(const QString& file)
{
  QIcon icon(file);
  const QString stem = file.left(file.lastIndexOf(QLatin1Char('.')));
  for (const int size : {48, 64}) {
    const QString larger = QStringLiteral("%1-%2.png").arg(stem).arg(size);
    if (QFile::exists(larger))
      icon.addFile(larger, QSize(size, size));
  }
  return icon;
}

bool InstallQtTranslations(const QLocale& locale)
{
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

}  // namespace korvel
