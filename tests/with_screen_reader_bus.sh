#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Runs a command the way a screen reader meets the game: on a private X server, with a session bus
# and the desktop's accessibility bus, Qt's AT-SPI bridge switched on. Stops all it started.
#   with_screen_reader_bus.sh COMMAND [ARGUMENT ...]
set -euo pipefail
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "missing $tool: apt-get install xvfb dbus at-spi2-core" >&2; exit 2; }
done
work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && { kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; } || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
[[ -s $work/display ]] || { echo "Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 2; }
export DISPLAY=":$(cat "$work/display")" XDG_RUNTIME_DIR=$work QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
unset WAYLAND_DISPLAY
# The accessibility bus is started inside the session, and the command runs once it has answered.
dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  for _ in $(seq 100); do
    dbus-send --session --dest=org.a11y.Bus --print-reply /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
    sleep 0.05
  done
  "$@"
  status=$?
  kill $launcher 2>/dev/null
  exit $status' bash "$@" 2> >(grep -v "Failed to set fd limit" >&2)
