// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// What the program sets up once the application exists: its identity on the desktop, its icon
// and Qt's own texts in the user's language.

#include <QString>

class QLocale;
class QTranslator;

namespace korvel {

// Name, version, desktop entry, window icon, menu icons, Qt's translations for the system locale and
// the table's accessibility.
void SetUpApplication();

// Installs Qt's own translations (standard buttons and dialogs) for `locale`, from `folder` (where Qt
// keeps them when empty). Where Qt has none and the locale is French, the program's own French
// names of the standard buttons take their place, so a French player reads Oui and Non from the
// package alone. Returns the translator installed (the application owns it), or null when there is
// none: Qt's English texts then stay.
QTranslator* InstallQtTranslations(const QLocale& locale, const QString& folder = {});

}  // namespace korvel
