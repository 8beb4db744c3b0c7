// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
#include "shell/CommandLine.h"

#include <string_view>

#include "Identity.h"

namespace korvel {

namespace {

constexpr const char* UsageText =
    "Utilisation : korvel-solitaire [--help | --version]\n"
    "\n"
    "Korvel Solitaire, le jeu de patience Klondike. Chaque lancement distribue\n"
    "une nouvelle partie, qui se joue à la souris ou au clavier.\n"
    "\n"
    "  --help     affiche cette aide et quitte\n"
    "  --version  affiche la version et quitte\n"
    "\n"
    "Les options de Qt restent valables (par exemple -platform ou -style) ;\n"
    "tout autre argument est ignoré.\n"
    "\n"
    "Site web : ";

}  // namespace

std::optional<int> AnswerCommandLine(int argc, const char* const* argv, std::FILE* out)
{
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help")
      std::fprintf(out, "%s%s\n", UsageText, SiteAddress);
    else if (argument == "--version")
      std::fprintf(out, "%s %s (%s)\n", ProductName, VersionText, ProgramVersion);
    else
      continue;
    // A write that failed (a full disk, a closed pipe) is not an answer.
    return std::fflush(out) == 0 && !std::ferror(out) ? 0 : 1;
  }
  return std::nullopt;
}

}  // namespace korvel
