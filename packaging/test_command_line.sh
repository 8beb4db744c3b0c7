#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# --version and --help answer on standard output and exit 0 with no display at all, so they are
# read before any window could open; without a display the game itself ends with a French message
# and status 1.
#   test_command_line.sh <Solitaire executable> [<expected --version line> <site address>]
# Without the expected line and site (a distribution's test of the installed command, such as
# test_command_line.sh /usr/games/korvel-solitaire), their form is checked.
set -euo pipefail
game=$1
expected_version=${2:-}
site=${3:-}
no_display=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)

version=$("${no_display[@]}" "$game" --version)
if [[ -n $expected_version ]]; then
  [[ $version == "$expected_version" ]] || { echo "--version said: $version" >&2; exit 1; }
else
  [[ $version =~ ^Korvel\ Solitaire\ .*\ \([0-9.]+\)$ ]] || { echo "--version said: $version" >&2; exit 1; }
fi

help=$("${no_display[@]}" "$game" -style fusion --help)
grep -qxF "Utilisation : korvel-solitaire [--help | --version]" <<<"$help" &&
  grep -qx "Site web : ${site:-http.*}" <<<"$help" || { echo "--help said:" >&2; echo "$help" >&2; exit 1; }

# Without a display the game itself says in French what it needs, and ends with status 1, not
# Qt's abort: with no display named, and with a platform that cannot start.
for platform in "" nosuch; do
  status=0
  said=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM="$platform" "$game" 2>&1 >/dev/null) || status=$?
  [[ $status == 1 && $said == *"a besoin d'un bureau graphique (X11 ou Wayland)"* ]] ||
    { echo "with no display (platform \"$platform\") the game ended with $status, saying: $said" >&2; exit 1; }
done

# An answer that could not be written is no answer: status 1.
status=0
"${no_display[@]}" "$game" --version >/dev/full 2>/dev/null || status=$?
[[ $status == 1 ]] || { echo "--version into a full device ended with $status, not 1" >&2; exit 1; }
