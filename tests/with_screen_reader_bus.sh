#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Runs a command the way a screen reader meets the game: on a private X server, with a session bus
# and the desktop's accessibility bus, Qt's AT-SPI bridge switched on. Stops all it started.
#   with_screen_reader_bus.sh COMMAND [ARGUMENT ...]
# Each step waits for the answer that says it is ready, not for a time: a busy machine only makes
# it slower. LIMIT seconds (default 120) bound each wait, so a server that never comes fails.
set -euo pipefail
limit=${LIMIT:-120}
# Without them the suite is skipped (tests/needs.sh): apt-get install xvfb dbus at-spi2-core.
source "$(dirname "$0")/needs.sh"
korvel_needs Xvfb dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher
work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
# Xvfb names its display on the pipe once it takes connections; the read waits for that line, and
# ends at once with nothing if the server dies first.
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
display=
read -r -t "$limit" display <"$work/display" || true
[[ -n $display ]] || { echo "Xvfb did not start within $limit s:" >&2; cat "$work/xvfb.log" >&2; exit 2; }
export DISPLAY=":$display" XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY
# Asking the session bus for the accessibility bus's address starts it (D-Bus activation) and the
# answer comes once it is up; the command runs only then.
dbus-run-session -- bash -c '
  limit=$1
  shift
  dbus-send --session --print-reply --reply-timeout=$((limit * 1000)) --dest=org.a11y.Bus /org/a11y/bus \
    org.a11y.Bus.GetAddress >/dev/null || { echo "the accessibility bus did not answer within $limit s" >&2; exit 2; }
  exec "$@"' bash "$limit" "$@" 2> >(grep -v "Failed to set fd limit" >&2)
