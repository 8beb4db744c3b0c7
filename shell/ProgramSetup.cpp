// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/ProgramSetup.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>
#include <utility>

#include "Identity.h"
#include "assets/BuiltInPictures.h"
#include "view/TableAccessible.h"

namespace korvel {

namespace {

// The standard buttons the program shows, as Qt's own French translation names them.
constexpr std::pair<const char*, const char*> kFrenchButtons[] = {
    {"&Yes", "&Oui"},
    {"&No", "&Non"},
    {"OK", "OK"},
};

// Stands in for Qt's French translation where it is not installed (it is only recommended by the
// package), for the buttons the program shows.
class FrenchStandardButtons : public QTranslator {
 public:
  using QTranslator::QTranslator;
  bool isEmpty() const override { return false; }
  QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                    int /*n*/) const override
  {
    if (context == nullptr || sourceText == nullptr || std::strcmp(context, "QPlatformTheme") != 0) return {};
    for (const auto& [english, french] : kFrenchButtons)
      if (std::strcmp(sourceText, english) == 0) return QString::fromUtf8(french);
    return {};
  }
};

}  // namespace

void SetUpApplication()
{
  QCoreApplication::setApplicationName(QString::fromUtf8(InternalName));
  QCoreApplication::setApplicationVersion(QString::fromUtf8(ProgramVersion));
  // Ties the windows to the desktop entry, so the desktop shows the product's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("korvel-solitaire"));
  QApplication::setWindowIcon(WindowIcon(BuiltInResource(ProgramIconFile)));
  // The menu pictures are part of the menus' design, even where the desktop hides menu icons.
  QCoreApplication::setAttribute(Qt::AA_DontShowIconsInMenus, false);
  InstallQtTranslations(QLocale::system());
  // Screen readers meet the table as its 13 places; nothing is built until one asks.
  InstallTableAccessibility();
}

QTranslator* InstallQtTranslations(const QLocale& locale, const QString& folder)
{
  auto* translator = new QTranslator(QCoreApplication::instance());
  const QString from = folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : folder;
  if (!translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"), from)) {
    delete translator;
    if (locale.language() != QLocale::French) return nullptr;
    translator = new FrenchStandardButtons(QCoreApplication::instance());
  }
  QCoreApplication::installTranslator(translator);
  return translator;
}

}  // namespace korvel
