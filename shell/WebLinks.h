// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#pragma once
// The four pages of the product web site, and the shell call that opens an address in the user's
// browser.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvel {

// Show the opened program's window normally.
inline constexpr int SW_SHOWNORMAL = 1;

// Opens `file` with the program the desktop associates with it. Only the operation "open" is
// known; `parameters` and `directory` are ignored (a web address takes none). Strings are in the
// system's 8-bit code page. Returns a value above 32 when the desktop accepted the request, as
// the shell does; nothing waits for the browser.
std::intptr_t ShellExecuteA(void* hwnd, const char* operation, const char* file, const char* parameters,
                            const char* directory, int showCommand);

// One link command: the menu item and the page of the site it opens.
struct WebLink {
  const char* Item;
  const char* Page;
};

// The link of menu item `item`, or null.
const WebLink* FindWebLink(std::string_view item);

// The page's full address: the site, "/", the page.
std::string WebPageAddress(std::string_view page);

// Opens the page of link command `item` in the browser; a failure is not reported.
void OpenWebLink(std::string_view item);

}  // namespace korvel
