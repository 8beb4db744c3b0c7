// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The main window's menu tree as data: one row per item, in display order, the tree given by each
// row's level as in a menu editor (an item belongs to the nearest row above it one level up). The
// pictures beside the items are in assets/MenuBitmaps.h.

#include <cstdint>
#include <span>

namespace korvel {

enum class MenuKind : std::uint8_t {
  Menu,       // a menu of the menu bar
  Command,    // runs its handler
  Separator,  // a line; its caption is "-"
  Submenu,    // opens the items one level below it
};

struct MenuEntry {
  int Order;
  int Level;  // 0: on the menu bar, 1: in a menu, 2: in a submenu
  const char* Name;
  const char* Caption;   // "&" marks the access key
  const char* Shortcut;  // as QKeySequence reads it; empty for none
  MenuKind Kind;
  const char* Handler;  // name of the window's handler; empty for none
};

std::span<const MenuEntry> MenuTree();

// Every row has the menu it belongs to: a row on the menu bar is a menu, and any other row comes
// below a menu or submenu one level up, with nothing at a lower level between them. The window
// builds its menus on this; the tree is checked when it is compiled.
constexpr bool MenuTreeIsWellFormed(std::span<const MenuEntry> rows)
{
  int open = 0;  // how many levels of menus are open at this row
  for (const MenuEntry& row : rows) {
    if (row.Level < 0 || row.Level > open) return false;
    if ((row.Level == 0) != (row.Kind == MenuKind::Menu)) return false;
    open = row.Kind == MenuKind::Menu || row.Kind == MenuKind::Submenu ? row.Level + 1 : row.Level;
  }
  return true;
}

}  // namespace korvel
