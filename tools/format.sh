#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Formats every C++ source of the project in the house style (.clang-format), with the clang-format
# the release ships: 14 on Debian 12, 19 on Debian 13. The tree passes the check with both; where
# they would format a line differently, the line is written so that they agree.
#   tools/format.sh           formats the files in place
#   tools/format.sh --check   changes nothing; fails, naming the places, if a file is not formatted
set -euo pipefail
cd "$(dirname "$0")/.."
format=clang-format
command -v $format >/dev/null || { echo "$format missing: apt-get install clang-format" >&2; exit 2; }
mapfile -t files < <(find rules deck cardfiles assets table places view shell tools tests bench fuzz -name '*.cpp' -o -name '*.h' | sort)
case ${1:-} in
  --check) $format --dry-run --Werror "${files[@]}" ;;
  "") $format -i "${files[@]}" ;;
  *) echo "usage: $0 [--check]" >&2; exit 2 ;;
esac
