// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The table as Qt's accessibility (and through it the desktop's screen readers) sees it: an object
// named "Table de jeu" whose 13 children are the places, in reading order, each named by what shows
// there; the place under the keyboard's cursor is the focused one.

namespace korvel {

// Makes every TableWidget answer with that object; the program's set-up calls it once. Asked for
// only when something reads the accessibility tree, so nothing is built for a player without a
// screen reader.
void InstallTableAccessibility();

}  // namespace korvel
