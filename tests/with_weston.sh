#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Runs a command in a Wayland-only session, as on a desktop without X: a headless Weston, no
# DISPLAY, and no platform chosen for Qt, which must find Wayland by itself. Stops Weston after.
#   with_weston.sh COMMAND [ARGUMENT ...]
set -euo pipefail
command -v weston >/dev/null || { echo "missing weston: apt-get install weston" >&2; exit 2; }
runtime=$(mktemp -d)
chmod 700 "$runtime"
socket=korvel-$$
export XDG_RUNTIME_DIR=$runtime
weston --backend=headless-backend.so --socket="$socket" --idle-time=0 >"$runtime/weston.log" 2>&1 &
weston=$!
# Weston's own clients (its shell, its keyboard) go with it.
trap 'pkill -P "$weston" 2>/dev/null || true; kill "$weston" 2>/dev/null || true; wait "$weston" 2>/dev/null || true
      rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [[ -S $runtime/$socket ]] && break; sleep 0.05; done
[[ -S $runtime/$socket ]] || { echo "Weston did not start:" >&2; cat "$runtime/weston.log" >&2; exit 2; }
env -u DISPLAY -u QT_QPA_PLATFORM -u XDG_SESSION_TYPE WAYLAND_DISPLAY="$socket" "$@"
