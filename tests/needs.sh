#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Runs a check only where the tools it needs are installed: otherwise says which is missing, in one
# line, and ends with 77, which ctest reports as skipped. A distribution's build without its
# optional tools skips such checks honestly. KORVEL_NO_SKIPS=1 (./test sets it, where everything is
# installed) makes a missing tool a failure instead: nothing is ever skipped silently there.
#   needs.sh TOOL[,TOOL...] -- COMMAND [ARGUMENT ...]
#   source needs.sh; korvel_needs TOOL...       (from another script)
korvel_skip() {
  echo "skipped: $*"
  if [[ ${KORVEL_NO_SKIPS:-0} == 1 ]]; then
    echo "KORVEL_NO_SKIPS=1: a skipped check is a failure" >&2
    exit 1
  fi
  exit 77
}
korvel_needs() {
  local tool
  for tool in "$@"; do
    command -v "$tool" >/dev/null || korvel_skip "missing $tool"
  done
}
if [[ ${BASH_SOURCE[0]} == "$0" ]]; then
  set -euo pipefail
  IFS=, read -ra tools <<<"$1"
  shift
  [[ ${1:-} == -- ]] && shift
  korvel_needs "${tools[@]}"
  exec "$@"
fi
