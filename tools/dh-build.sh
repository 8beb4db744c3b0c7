#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Builds the release tarball as a distribution would package it, to prove that upstream packages as
# it is: a throwaway minimal debian/ (debhelper-compat 13, `dh $@ --buildsystem=cmake`) is written
# beside the unpacked sources (it is not upstream's: a distribution keeps its packaging in its own
# repository), dpkg-buildpackage builds it with the network off and runs the suite as dh_auto_test
# does, lintian reviews the package (no error, no warning but a first upload's), and the package is
# installed and its installed-game checks run against /usr/games/korvel-solitaire.
#   tools/dh-build.sh [--no-skips] TARBALL [FOLDER]      (default FOLDER: dh-build/)
#   tools/dh-build.sh [--no-skips] --again [FOLDER]
# --no-skips: the machine has every optional tool, and a check that would skip fails instead.
# --again: builds the package once more from the tree FOLDER kept from the last run, without cleaning
# it first, as dpkg-buildpackage -nc does: the suite runs again (say, once the optional tools are
# installed) without compiling the game a second time.
# Needs root (apt-get, and a network namespace of its own for the build) on Debian 12 or 13. It
# installs the build dependencies only, so the suite's optional tools are whatever the machine has:
# without them their checks skip, saying which tool is missing. The review and the installed checks'
# own tools (lintian, xvfb, x11-utils) are installed after the build.
set -euo pipefail
[[ ${1:-} == --no-skips ]] && { export KORVEL_NO_SKIPS=1; shift; }
again=0
[[ ${1:-} == --again ]] && { again=1; shift; }
[[ $again == 1 ]] || { tarball=$(realpath "$1"); shift; }
out=$(mkdir -p "${1:-dh-build}" && cd "${1:-dh-build}" && pwd)
[[ $(id -u) -eq 0 ]] || { echo "dh-build.sh: run as root" >&2; exit 2; }
apt() { DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "$@" >/dev/null; }
DEBIAN_FRONTEND=noninteractive apt-get update -q >/dev/null

# The unpacked tree is kept in FOLDER/tree for --again.
work=$out/tree
if [[ $again == 1 ]]; then
  src=$(ls -d "$work"/korvel-solitaire-*/ 2>/dev/null | head -1)
  [[ -n $src && -f $src/debian/debhelper-build-stamp ]] ||
    { echo "dh-build.sh: --again: no package built in $work" >&2; exit 1; }
  src=${src%/}
  name=$(basename "$src")
  version=${name#korvel-solitaire-}
else
  name=$(basename "$tarball" .tar.gz)
  version=${name#korvel-solitaire-}
  rm -rf "$work"
  mkdir -p "$work"
  tar -xzf "$tarball" -C "$work"
  src=$work/$name
  [[ -d $src ]] || { echo "dh-build.sh: $tarball does not unpack to $name/" >&2; exit 1; }
fi

# ---- The throwaway debian/ ----------------------------------------------------------------------
throwaway_debian() {
  # Debian's revision 1 of upstream's version, upstream's tarball as the original.
  mkdir -p "$src/debian/source"
  echo '3.0 (quilt)' >"$src/debian/source/format"
  cp "$tarball" "$work/korvel-solitaire_$version.orig.tar.gz"
  local homepage
  homepage=$(sed -n 's/.*HOMEPAGE_URL "\([^"]*\)".*/\1/p' "$src/CMakeLists.txt")
  sed "s|@PROJECT_HOMEPAGE_URL@|$homepage|" "$src/packaging/copyright.in" >"$src/debian/copyright"
  cat >"$src/debian/changelog" <<EOF
korvel-solitaire ($version-1) unstable; urgency=medium

  * Packaged from upstream's release tarball as it is.

 -- Korvel Solitaire developers <contact@korvel-solitaire.fr>  $(date -u -R -d "@$(stat -c %Y "$src/CMakeLists.txt")")
EOF
  cat >"$src/debian/control" <<EOF
Source: korvel-solitaire
Section: games
Priority: optional
Maintainer: Korvel Solitaire developers <contact@korvel-solitaire.fr>
Build-Depends: debhelper-compat (= 13), cmake, g++, file, qt6-base-dev, qt6-svg-dev, libgif-dev,
 libgtest-dev, fonts-dejavu-core
Standards-Version: 4.6.2
Homepage: $homepage
Rules-Requires-Root: no

Package: korvel-solitaire
Architecture: any
Depends: \${shlibs:Depends}, \${misc:Depends}, qt6-qpa-plugins, qt6-wayland
Recommends: qt6-translations-l10n
Description: Klondike patience card game / jeu de patience Klondike
 Korvel Solitaire is the classic Klondike patience, played with the mouse or
 the keyboard, in French. A screen reader reads the table aloud.
EOF
  cat >"$src/debian/rules" <<'EOF'
#!/usr/bin/make -f
export DEB_BUILD_MAINT_OPTIONS = hardening=+all
%:
	dh $@ --buildsystem=cmake

# The distribution installs its own copyright file and change log; no benchmarks.
override_dh_auto_configure:
	dh_auto_configure -- -DKORVEL_INSTALL_DOCS=OFF -DKORVEL_BUILD_BENCH=OFF
EOF
  chmod +x "$src/debian/rules"
}
[[ $again == 1 ]] || throwaway_debian

# ---- Build, with the network off ------------------------------------------------------------------
DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -q --no-install-recommends "$src" >/dev/null
build=(dpkg-buildpackage -us -uc -b)
if [[ $again == 1 ]]; then
  # debhelper's record of what it has done: without it, every step runs again but the compiler's.
  rm -rf "$src/debian/debhelper-build-stamp" "$src/debian/.debhelper" "$src"/debian/*.debhelper.log
  build+=(-nc)
fi
echo "Building the package (network off)"
(cd "$src" && unshare --net "${build[@]}" >"$out/build.log" 2>&1) ||
  { tail -50 "$out/build.log" >&2; echo "dh-build.sh: dpkg-buildpackage failed ($out/build.log)" >&2; exit 1; }
grep -E 'skipped: |tests passed|\*\*\*Skipped' "$out/build.log" || true
cp "$work"/korvel-solitaire_"$version"-1_*.deb "$out/"
deb=$(ls "$out"/korvel-solitaire_"$version"-1_*.deb)

# ---- Debian's review ------------------------------------------------------------------------------
apt lintian
report=$("$src/packaging/lintian_report.sh" "$deb")
if grep -E '^[EW]: ' <<<"$report"; then
  echo "dh-build.sh: lintian found errors or warnings" >&2
  exit 1
fi
echo "lintian: no error, no warning but a first upload's"

# ---- The installed game ---------------------------------------------------------------------------
apt xvfb x11-utils binutils "$deb"
for check in "test_command_line.sh /usr/games/korvel-solitaire" "test_smoke.sh /usr/games/korvel-solitaire" \
             "test_hardening.sh /usr/games/korvel-solitaire optimised bindnow"; do
  # shellcheck disable=SC2086
  "$src/packaging/"$check || { echo "dh-build.sh: installed check failed: $check" >&2; exit 1; }
done
echo "dh-build.sh: $deb built, reviewed and checked installed"
