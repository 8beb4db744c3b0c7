#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The game as built for release carries Debian's hardening: fortified functions (the __*_chk
# variants; only where the compiler optimises, which fortification needs), the stack protector,
# RELRO, every symbol bound at load (BIND_NOW: where the builder asks for it, as Debian's
# hardening=+all does, with `bindnow`), PIE, the stack clash protection's probes where a
# frame is larger than a page (the card reader's buffer), and on x86-64 the control-flow
# protection's landing pads (endbr64) in its own code. Debian 12's and 13's C start files carry no IBT/SHSTK note,
# so no program there is marked as a whole, nor shown so by hardening-check: the pads are what shows.
#   test_hardening.sh <Solitaire executable> optimised|unoptimised [bindnow]
# It holds for a stripped binary too, as installed: test_hardening.sh /usr/games/korvel-solitaire optimised
set -euo pipefail
game=$1
optimised=${2:-optimised}
bindnow=${3:-}
fail() { echo "$game: $*" >&2; exit 1; }
header=$(readelf -hW "$game")
grep -q 'Type:.*DYN' <<<"$header" || fail "not position-independent (PIE)"
# Read whole before grep -q looks: a reader that stops at the first match would cut the writer off.
grep -q 'GNU_RELRO' <<<"$(readelf -lW "$game")" || fail "no read-only relocations (RELRO)"
if [[ $bindnow == bindnow ]]; then
  grep -Eq '\(FLAGS\).*BIND_NOW|\(FLAGS_1\).*NOW' <<<"$(readelf -dW "$game")" || fail "symbols not bound at load (BIND_NOW)"
fi
symbols=$(readelf --dyn-syms -W "$game")
grep -q '__stack_chk_fail' <<<"$symbols" || fail "no stack protector"
if [[ $optimised == optimised ]]; then
  grep -Eq '__[a-z]+_chk@' <<<"$symbols" || fail "no fortified functions"
fi
code=$(objdump -d --no-show-raw-insn "$game")
grep -Eq 'or[lq]? +\$0x0,\(%rsp\)' <<<"$code" || fail "no stack clash protection"
if grep -q 'Machine:.*X86-64' <<<"$header"; then
  # The C runtime's own start code has pads whatever the game was built with: main must have one.
  # main is found by its symbol, or, in a stripped binary (as installed), as the start code finds
  # it: the address it loads into %rdi before it calls __libc_start_main.
  main=$(sed -n 's/^0*\([0-9a-f]*\) <main>:$/\1/p' <<<"$code")
  if [[ -z $main ]]; then
    entry=$(sed -n 's/.*Entry point address: *0x\([0-9a-f]*\).*/\1/p' <<<"$header")
    main=$(objdump -d --no-show-raw-insn --start-address="0x$entry" --stop-address=$((0x$entry + 64)) "$game" |
      awk '/lea .*\(%rip\),%rdi/ { for (i = 1; i <= NF; ++i) if ($i == "#") address = $(i + 1) }
           /call .*__libc_start_main/ { print address; exit }')
  fi
  [[ -n $main ]] || fail "main not found, by its symbol or from the start code"
  first=$(objdump -d --no-show-raw-insn --start-address="0x$main" --stop-address=$((0x$main + 4)) "$game")
  grep -q endbr64 <<<"$first" || fail "no control-flow protection (endbr64 in main)"
fi
