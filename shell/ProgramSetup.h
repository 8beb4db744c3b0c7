// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// What the program sets up once the application exists: its identity on the desktop, its icon
// and Qt's own texts in the user's language.

class QApplication;
class QLocale;

namespace korvel {

// Name, version, desktop entry, window icon, menu icons and Qt's translations for the system locale.
void SetUpApplication(QApplication& app);

// Installs Qt's own translations (standard buttons and dialogs) for `locale`. Returns false when
// none are installed for it; Qt's English texts then stay.
bool InstallQtTranslations(const QLocale& locale);

}  // namespace korvel
