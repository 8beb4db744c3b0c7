#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The artwork kept in assets/ is what the art tool draws today: every picture there is drawn again
# into a temporary folder and compared as a viewer sees it (artwork_compare: decoded, within 1 per
# channel; SVG by its XML), and the tool draws nothing that is not kept.
#   test_artwork.sh <korvel_cardgen> <artwork_compare> <assets folder>
set -euo pipefail
cardgen=$1
compare=$2
assets=$(cd "$3" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The tool, not the game: what it leaves to the system at exit is not looked for.
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$cardgen" assets "$work" >/dev/null 2>&1
status=0
diff <(cd "$assets" && ls -- *.png *.jpg *.bmp *.svg | sort) <(ls "$work" | sort) >&2 ||
  { echo "assets/ and what the art tool draws hold other files" >&2; status=1; }
for drawn in "$work"/*; do
  name=$(basename "$drawn")
  [[ -f $assets/$name ]] || continue
  "$compare" "$assets/$name" "$drawn" ||
    { echo "assets/$name is not what the art tool draws: korvel_cardgen assets assets" >&2; status=1; }
done
exit $status
