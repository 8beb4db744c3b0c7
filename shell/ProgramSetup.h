// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// What the program sets up once the application exists: its identity on the desktop, its icon
// and Qt's own texts in the user's language.

class QApplication;
class QIcon;
class QLocale;
class QString;

namespace korvel {

// The version as the desktop reads it (shown to the player as VersionText).
extern const char* const ProgramVersion;

// Name, version, desktop entry, window icon, menu icons and Qt's translations for the system locale.
void SetUpApplication(QApplication& app);

// The window icon in the PNG `file` together with its larger drawings beside it ("icon-48.png" and
// "icon-64.png" for "icon.png"): a normal screen still shows the 32 x 32 drawing, a high-density
// one a sharp icon.
QIcon WindowIcon(const QString& file);

// Installs Qt's own translations (standard buttons and dialogs) for `locale`. Returns false when
// none are installed for it; Qt's English texts then stay.
bool InstallQtTranslations(const QLocale& locale);

}  // namespace korvel
