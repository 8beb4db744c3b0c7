#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# A builder's flags decide how much the game is optimised, and the project's protections stay: the
# sources configured as tools/setup.sh configures them with DEB_BUILD_OPTIONS=noopt (Debian's flags,
# build type None) compile the game at -O0, with PIE, the tree's paths rewritten and every protection
# the compiler has, and keep their hardening check.
#   test_build_flags.sh <source root> [<CMake generator>]   (the build's own generator; Ninja by default)
set -euo pipefail
root=$(cd "$1" && pwd)
generator=${2:-Ninja}
source "$root/tests/needs.sh"
korvel_needs dpkg-buildflags
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

source "$root/tools/build-env.sh"
unset CFLAGS CXXFLAGS CPPFLAGS LDFLAGS
export DEB_BUILD_OPTIONS=noopt
korvel_build_flags
type=$(korvel_build_type)
[[ $type == None ]] || fail "with Debian's flags the build type is $type, not None"
cmake -S "$root" -B "$work" -G "$generator" -DCMAKE_BUILD_TYPE="$type" -DKORVEL_BUILD_BENCH=OFF \
  -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
# The compile command as any generator that writes them gives it: the "command" just before the file.
compile=$(grep -B1 -F "\"file\": \"$root/shell/main.cpp\"" "$work/compile_commands.json" | sed -n 's/^ *"command": "\(.*\)",$/\1/p')
[[ -n $compile ]] || fail "no compile command for shell/main.cpp"
level=$(grep -oE -- ' -O[^ ]*' <<<"$compile" | tail -1)
[[ $level == " -O0" ]] || fail "noopt: the last optimisation flag is '$level': $compile"
protections=(-fPIE "-ffile-prefix-map=$root=.")
for flag in -fstack-clash-protection -fcf-protection; do
  grep -qx "KORVEL_HAS${flag//-/_}:INTERNAL=1" "$work/CMakeCache.txt" && protections+=("$flag")
done
for flag in "${protections[@]}"; do
  grep -qF -- " $flag" <<<"$compile" || fail "the game is compiled without $flag: $compile"
done
tests=$(ctest --test-dir "$work" -N)
grep -qE ': hardening$' <<<"$tests" || fail "a build of type None has no hardening check"
