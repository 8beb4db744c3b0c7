#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Makes a release of what is committed (HEAD), in one command:
#   korvel-solitaire-<version>.tar.gz   the sources, as `git archive` gives them
#   korvel-solitaire_<version>-<revision>_<arch>.deb   the Debian package, built from that tarball alone,
#                                        unpacked in a folder of its own, with no network
#   SHA256SUMS                           the two files' SHA-256 sums
#   tools/release.sh [OUTPUT-FOLDER]     (default: release/)
#   tools/release.sh --source [FOLDER]   the tarball alone (needs only git and gzip)
# Everything in them is dated by the last commit (SOURCE_DATE_EPOCH): the same commit gives the same
# files to the byte, wherever and whenever it is released. Needs git, cmake, ninja, g++, the game's
# libraries and dpkg-dev (tools/setup.sh game installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
source_only=false
[[ ${1:-} == --source ]] && { source_only=true; shift; }
out=$(mkdir -p "${1:-release}" && cd "${1:-release}" && pwd)

version=$(sed -n 's/^project(KorvelSolitaire VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
[[ -n $version ]] || { echo "release.sh: no version in CMakeLists.txt" >&2; exit 1; }
[[ -z $(git status --porcelain --untracked-files=no) ]] ||
  echo "release.sh: the tree has uncommitted changes; the release is of the last commit" >&2
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
name=korvel-solitaire-$version

# The sources: git's tar of the commit (files dated by it), compressed without a name or a time.
git archive --format=tar --prefix="$name/" HEAD | gzip -9 -n >"$out/$name.tar.gz"
if $source_only; then
  (cd "$out" && sha256sum "$name.tar.gz" >SHA256SUMS && cat SHA256SUMS)
  exit 0
fi

# The package, from the tarball alone, in a folder that is not this one.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tar -xzf "$out/$name.tar.gz" -C "$work"
(
  cd "$work/$name"
  source tools/build-env.sh
  korvel_build_flags
  jobs=$(korvel_jobs)
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="$(korvel_build_type)" -DKORVEL_BUILD_TESTS=OFF \
    -DKORVEL_BUILD_BENCH=OFF >/dev/null
  cmake --build build -j"$jobs" --target deb >/dev/null
)
deb=$(cd "$work/$name/build" && ls korvel-solitaire_"$version"-*_*.deb)
cp "$work/$name/build/$deb" "$out/"

(cd "$out" && sha256sum "$name.tar.gz" "$deb" >SHA256SUMS && cat SHA256SUMS)
