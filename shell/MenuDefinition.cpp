// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/MenuDefinition.h"

namespace korvel {

namespace {

constexpr MenuEntry Tree[] = {
    {1, 0, "mnuGame", "&Jeux", "", MenuKind::Menu, ""},
    {2, 1, "mnuGameDeal", "&Nouveau", "F2", MenuKind::Command, "mnuGameDeal_Click"},
    {3, 1, "mnuGameSep", "-", "", MenuKind::Separator, ""},
    {4, 1, "mnuGameExit", "&Quitter", "", MenuKind::Command, "mnuGameExit_Click"},
    {5, 0, "mnuHelp", "&Aide", "", MenuKind::Menu, ""},
    {6, 1, "mnuHelpHelp", "&A Propos", "", MenuKind::Command, "mnuHelpHelp_Click"},
    {7, 1, "ssdecds", "-", "", MenuKind::Separator, ""},
    {8, 1, "tele", "&Téléchargement gratuit", "", MenuKind::Command, "tele_Click"},
    {9, 1, "netserv", "&Services Sur le Net", "", MenuKind::Submenu, ""},
    {10, 2, "mailgr", "&e-Mail Gratuit", "", MenuKind::Command, "mailgr_Click"},
    {11, 2, "formfrf", "&Forum", "", MenuKind::Command, "formfrf_Click"},
    {12, 2, "tra", "&Traduction", "", MenuKind::Command, "tra_Click"},
};

static_assert(MenuTreeIsWellFormed(Tree));

}  // namespace

std::span<const MenuEntry> MenuTree() { return Tree; }

}  // namespace korvel
