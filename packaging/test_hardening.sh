#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The game as built for release carries Debian's hardening: fortified functions (the __*_chk
# variants), the stack protector, RELRO with every symbol bound at load (BIND_NOW), PIE, and the
# stack clash protection's probes where a frame is larger than a page (the card reader's buffer).
#   test_hardening.sh <Solitaire executable>
set -euo pipefail
game=$1
fail() { echo "$game: $*" >&2; exit 1; }
readelf -hW "$game" | grep -q 'Type:.*DYN' || fail "not position-independent (PIE)"
readelf -lW "$game" | grep -q 'GNU_RELRO' || fail "no read-only relocations (RELRO)"
readelf -dW "$game" | grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' || fail "symbols not bound at load (BIND_NOW)"
symbols=$(readelf --dyn-syms -W "$game")
grep -q '__stack_chk_fail' <<<"$symbols" || fail "no stack protector"
grep -Eq '__[a-z]+_chk@' <<<"$symbols" || fail "no fortified functions"
code=$(objdump -d --no-show-raw-insn "$game")
grep -Eq 'or[lq]? +\$0x0,\(%rsp\)' <<<"$code" || fail "no stack clash protection"
