// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/WebLinks.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <algorithm>
#include <cstring>

#include "Identity.h"

namespace korvel {

namespace {

constexpr WebLink Links[] = {
    {"tele", "tele.htm"},
    {"mailgr", "mail.htm"},
    {"formfrf", "forum.htm"},
    {"tra", "tradu.htm"},
};

// The shell's answers: success is above 32.
constexpr std::intptr_t ShellOk = 33;
constexpr std::intptr_t ShellNoAssociation = 31;

}  // namespace

std::intptr_t ShellExecuteA(void* /*hwnd*/, const char* operation, const char* file, const char* /*parameters*/,
                            const char* /*directory*/, int /*showCommand*/)
{
  if (operation == nullptr || std::strcmp(operation, "open") != 0 || file == nullptr) return ShellNoAssociation;
  const QUrl url(QString::fromLocal8Bit(file));
  return QDesktopServices::openUrl(url) ? ShellOk : ShellNoAssociation;
}

const WebLink* FindWebLink(std::string_view item)
{
  const auto it = std::find_if(std::begin(Links), std::end(Links), [item](const WebLink& l) { return item == l.Item; });
  return it == std::end(Links) ? nullptr : &*it;
}

std::string WebPageAddress(std::string_view page)
{
  std::string address = SiteAddress;
  address += '/';
  address += page;
  return address;
}

void OpenWebLink(std::string_view item)
{
  const WebLink* link = FindWebLink(item);
  if (link == nullptr) return;
  const std::string address = WebPageAddress(link->Page);
  // No browser, no network or an unreachable site: the game simply goes on.
  ShellExecuteA(nullptr, "open", address.c_str(), "", "", SW_SHOWNORMAL);
}

}  // namespace korvel
