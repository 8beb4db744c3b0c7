#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# A release rebuilds byte for byte: tools/release.sh makes the source tarball and the Debian package
# (built from the tarball alone, in a folder of its own) twice, one after the other, under umask 022
# and 002, into two folders; the two tarballs and the two packages must be the same to the byte.
#   test_reproducible.sh <source root>
set -euo pipefail
root=$(cd "$1" && pwd)
# release.sh releases a commit: an unpacked source release has none, and ctest counts this as skipped.
source "$root/tests/needs.sh"
korvel_needs git
git -C "$root" rev-parse --verify -q HEAD >/dev/null || korvel_skip "not a git checkout: no commit to release"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "$*" >&2; exit 1; }

(umask 022 && "$root/tools/release.sh" "$work/first" >/dev/null) || fail "the first release failed"
(umask 002 && "$root/tools/release.sh" "$work/second-release" >/dev/null) || fail "the second release failed"
if ! diff "$work/first/SHA256SUMS" "$work/second-release/SHA256SUMS" >&2; then
  # Say where the packages part: the members of the two archives, then the files inside them.
  for release in first second-release; do
    deb=$(ls "$work/$release"/*.deb)
    ar tv "$deb" >&2
    mkdir "$work/$release/x" && (cd "$work/$release/x" && ar x "$deb" && for t in *.tar.*; do
      mkdir "${t%%.*}" && tar -xf "$t" -C "${t%%.*}"; done)
  done
  diff -r "$work/first/x" "$work/second-release/x" >&2 || true
  fail "the two releases differ"
fi
cat "$work/first/SHA256SUMS"
