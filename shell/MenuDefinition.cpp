// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/MenuDefinition.h"

#include <algorithm>

namespace korvel {

namespace {

constexpr MenuColour White{255, 255, 255};
constexpr MenuColour LightGrey{192, 192, 192};
constexpr MenuColour Pink{255, 49, 206};
constexpr MenuPictureDefinition NoPicture{"", 0, 0, White};

constexpr MenuEntry Tree[] = {
    {1, 0, "mnuGame", "&Jeux", "", MenuKind::Menu, "", NoPicture},
    {2, 1, "mnuGameDeal", "&Nouveau", "F2", MenuKind::Command, "mnuGameDeal_Click",
     {":/korvel/menu_deal.bmp", 16, 16, White}},
    {3, 1, "mnuGameSep", "-", "", MenuKind::Separator, "", NoPicture},
    {4, 1, "mnuGameExit", "&Quitter", "", MenuKind::Command, "mnuGameExit_Click",
     {":/korvel/menu_exit.bmp", 16, 16, White}},
    {5, 0, "mnuHelp", "&Aide", "", MenuKind::Menu, "", NoPicture},
    {6, 1, "mnuHelpHelp", "&A Propos", "", MenuKind::Command, "mnuHelpHelp_Click",
     {":/korvel/menu_about.bmp", 21, 21, LightGrey}},
    {7, 1, "ssdecds", "-", "", MenuKind::Separator, "", NoPicture},
    {8, 1, "tele", "&Téléchargement gratuit", "", MenuKind::Command, "tele_Click",
     {":/korvel/menu_tele.bmp", 21, 21, White}},
    {9, 1, "netserv", "&Services Sur le Net", "", MenuKind::Submenu, "",
     {":/korvel/menu_netserv.bmp", 16, 16, White}},
    {10, 2, "mailgr", "&e-Mail Gratuit", "", MenuKind::Command, "mailgr_Click",
     {":/korvel/menu_mail.bmp", 16, 16, White}},
    {11, 2, "formfrf", "&Forum", "", MenuKind::Command, "formfrf_Click",
     {":/korvel/menu_forum.bmp", 28, 25, White}},
    {12, 2, "tra", "&Traduction", "", MenuKind::Command, "tra_Click",
     {":/korvel/menu_tra.bmp", 16, 16, Pink}},
};

}  // namespace

std::span<const MenuEntry> MenuTree() { return Tree; }

const MenuEntry* FindMenuEntry(std::string_view name)
{
  const auto it = std::find_if(std::begin(Tree), std::end(Tree),
                               [name](const MenuEntry& e) { return name == e.Name; });
  return it == std::end(Tree) ? nullptr : &*it;
}

const MenuEntry* ParentMenuEntry(const MenuEntry& entry)
{
  if (entry.Level == 0) return nullptr;
  for (const MenuEntry* e = &entry; e != std::begin(Tree);) {
    --e;
    if (e->Level == entry.Level - 1) return e;
  }
  return nullptr;
}

}  // namespace korvel
