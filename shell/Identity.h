// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// Who the program says it is: one place for the texts that name the product.

namespace korvel {

// The product web site: the main window's caption, the four web links and the About window all use it.
inline constexpr const char* SiteAddress = "http://www.korvel-solitaire.fr";

inline constexpr const char* ProductName = "Korvel Solitaire";
inline constexpr const char* InternalName = "Solitaire";
inline constexpr const char* FileDescription = "Jeux interactif";
inline constexpr const char* VersionText = "1.01.0019";  // version 1.1.0.19 as the program shows it

}  // namespace korvel
