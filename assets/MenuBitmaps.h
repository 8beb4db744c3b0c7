// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The small pictures drawn beside eight menu items: the item each belongs to, its bitmap among the
// built-in pictures, its size and the colour that is see-through in it. Plain data without Qt: the
// art tool draws the bitmaps from this same table.

#include <cstdint>
#include <string_view>

namespace korvel {

struct RgbColour {
  std::uint8_t Red, Green, Blue;
  friend bool operator==(const RgbColour&, const RgbColour&) = default;
};

struct MenuBitmap {
  const char* Item;   // the menu item's name
  const char* File;   // the 24-bit bitmap, beside the other built-in pictures
  int Width, Height;  // pixels
  RgbColour Transparent;
};

inline constexpr RgbColour MenuWhite{255, 255, 255};
inline constexpr RgbColour MenuLightGrey{192, 192, 192};
inline constexpr RgbColour MenuPink{255, 49, 206};

inline constexpr MenuBitmap MenuBitmaps[] = {
    {"mnuGameDeal", "menu_deal.bmp", 16, 16, MenuWhite},      {"mnuGameExit", "menu_exit.bmp", 16, 16, MenuWhite},
    {"mnuHelpHelp", "menu_about.bmp", 21, 21, MenuLightGrey}, {"tele", "menu_tele.bmp", 21, 21, MenuWhite},
    {"netserv", "menu_netserv.bmp", 16, 16, MenuWhite},       {"mailgr", "menu_mail.bmp", 16, 16, MenuWhite},
    {"formfrf", "menu_forum.bmp", 28, 25, MenuWhite},         {"tra", "menu_tra.bmp", 16, 16, MenuPink},
};

// The bitmap of menu item `item`, or null for an item without one.
constexpr const MenuBitmap* MenuBitmapOf(std::string_view item)
{
  for (const MenuBitmap& bitmap : MenuBitmaps)
    if (item == bitmap.Item) return &bitmap;
  return nullptr;
}

}  // namespace korvel
