// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/ProgramSetup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "Identity.h"
#include "assets/BuiltInPictures.h"

namespace korvel {

void SetUpApplication(QApplication& /*app*/)
{
  QCoreApplication::setApplicationName(QString::fromUtf8(InternalName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
  // Ties the windows to the desktop entry, so the desktop shows the product's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("korvel-solitaire"));
  QApplication::setWindowIcon(WindowIcon(BuiltInResource("icon.png")));
  // The menu pictures are part of the menus' design, even where the desktop hides menu icons.
  QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus, false);
  InstallQtTranslations(QLocale::system());
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
