#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The game as a player starts it, on a private X server: it maps its window, 588 x 403 (the table's
# 588 x 385 under the menu bar), stays up 10 seconds, and prints nothing on standard error. Takes
# the installed command as well as a build's executable, so a distribution can run it on what it
# installed (as autopkgtest does):
#   test_smoke.sh /usr/games/korvel-solitaire
# Needs xvfb and x11-utils (xwininfo); without them it is skipped (tests/needs.sh).
set -euo pipefail
game=$1
limit=${LIMIT:-120}
source "$(dirname "$0")/../tests/needs.sh"
korvel_needs Xvfb xwininfo
work=$(mktemp -d)
xvfb= pid=
cleanup() {
  [[ -n $pid ]] && kill "$pid" 2>/dev/null || true
  [[ -n $xvfb ]] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "$game: $*" >&2; exit 1; }

# Xvfb names its display on the pipe once it takes connections.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=
read -r -t "$limit" display <"$work/display" || true
[[ -n $display ]] || fail "Xvfb did not start within $limit s: $(cat "$work/xvfb.log")"

env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$display" XDG_RUNTIME_DIR="$work" HOME="$work" \
  "$game" >/dev/null 2>"$work/stderr" &
pid=$!
started=$SECONDS
# Its window, once mapped: xwininfo lists it under the root with its size.
until xwininfo -display ":$display" -root -tree 2>/dev/null | grep -qE '"[ ]*Korvel Solitaire[^"]*": .* 588x403\+'; do
  kill -0 "$pid" 2>/dev/null || fail "ended before its window showed: $(cat "$work/stderr")"
  ((SECONDS - started < limit)) || fail "no 588x403 window within $limit s: $(xwininfo -display ":$display" -root -tree)"
  sleep 0.1
done
# Up for 10 seconds from its start.
while ((SECONDS - started < 10)); do
  kill -0 "$pid" 2>/dev/null || fail "ended within 10 s: $(cat "$work/stderr")"
  sleep 0.2
done
[[ ! -s $work/stderr ]] || fail "printed on standard error: $(cat "$work/stderr")"
echo "$game: a 588x403 window, up 10 s, nothing on standard error"
