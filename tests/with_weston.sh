#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Runs a command in a Wayland-only session, as on a desktop without X: a headless Weston, no
# DISPLAY, and no platform chosen for Qt, which must find Wayland by itself. Stops Weston after.
#   with_weston.sh COMMAND [ARGUMENT ...]
# The command starts once Weston's socket is there, however long that takes on a busy machine; if
# Weston ends first, or LIMIT seconds pass (default 120), it fails with Weston's log.
set -euo pipefail
limit=${LIMIT:-120}
# Without it the check is skipped (tests/needs.sh): apt-get install weston.
source "$(dirname "$0")/needs.sh"
korvel_needs weston
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=korvel-$$
export XDG_RUNTIME_DIR=$runtime
# A process group of its own, so that Weston's own clients (its shell, its keyboard) stop with it.
set -m
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
set +m
trap 'kill -- -"$weston" 2>/dev/null || true; wait "$weston" 2>/dev/null || true; rm -rf "$runtime"' EXIT
end=$((SECONDS + limit))
until [[ -S $runtime/$socket ]]; do
  if ! kill -0 "$weston" 2>/dev/null || ((SECONDS >= end)); then
    echo "Weston did not start:" >&2
    cat "$runtime/weston.log" >&2
    exit 2
  fi
  sleep 0.05
done
env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE WAYLAND_DISPLAY="$socket" "$@"
