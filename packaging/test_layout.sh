#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The installed layout, checked where it is made:
#   test_layout.sh install <build>   cmake --install into a temporary DESTDIR under umask 077: exactly
#                                    the expected files, each in the install manifest, every folder
#                                    0755, the command working
#   test_layout.sh package <build> <package version> hardened|plain
#                                    cpack -G DEB: the package's name, control fields, stripped
#                                    binaries, the same files under /usr in dpkg-deb --contents, and
#                                    lintian's review (its hardening tags too, for a hardened build)
set -euo pipefail
mode=$1
build=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "$*" >&2; exit 1; }

# Every file and link an install lays out, relative to its prefix. The cards are whatever the
# build drew, which must be at least the 53 the game reads.
(( $(find "$build/cards" -name '*.gif' | wc -l) >= 53 )) || fail "$build/cards lacks card pictures"
others=$(find "$build/cards" ! -type d ! -name '*.gif')
[[ -z $others ]] || fail "$build/cards holds more than card pictures: $others"
# Upstream's copyright file and change log, unless the build leaves them to the distribution.
docs=(share/doc/korvel-solitaire/changelog.gz share/doc/korvel-solitaire/copyright)
installed_docs=("${docs[@]}")
grep -q '^KORVEL_INSTALL_DOCS:BOOL=OFF$' "$build/CMakeCache.txt" && installed_docs=()
expected() {
  {
    printf '%s\n' games/korvel-solitaire libexec/korvel-solitaire/Solitaire libexec/korvel-solitaire/cards \
      share/applications/korvel-solitaire.desktop "${installed_docs[@]}" \
      share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/korvel-solitaire.png \
      share/icons/hicolor/scalable/apps/korvel-solitaire.svg \
      share/man/man6/korvel-solitaire.6.gz share/man/fr/man6/korvel-solitaire.6.gz \
      share/metainfo/fr.korvel_solitaire.solitaire.metainfo.xml
    (cd "$build/cards" && find . -type f | sed 's|^\./|share/games/korvel-solitaire/cards/|')
  } | sort
}
link_target=../libexec/korvel-solitaire/Solitaire
cards_target=../../share/games/korvel-solitaire/cards

case $mode in
install)
  root=$work/root
  # Installed as the package installs (see CMakeLists.txt): a real install's manifest stays as it was.
  # Under the strictest umask, every folder it makes is still 0755.
  (umask 077 && DESTDIR=$root cmake --install "$build" --prefix /usr --component Unspecified >/dev/null)
  folders=$(find "$root" -type d ! -perm 755)
  [[ -z $folders ]] || fail "under umask 077 the install made folders that are not 0755: $folders"
  diff -u <(expected) <(cd "$root/usr" && find . ! -type d | sed 's|^\./||' | sort) ||
    fail "the install laid out other files than expected"
  [[ $(ls "$root") == usr ]] || fail "the install wrote outside its prefix"
  # The manifest names the files where they belong, without DESTDIR.
  diff -u <(expected | sed "s|^|/usr/|") <(sort "$build/install_manifest_Unspecified.txt") ||
    fail "the install manifest does not list exactly the installed files"
  [[ $(readlink "$root/usr/games/korvel-solitaire") == "$link_target" ]] || fail "games/korvel-solitaire is not the link"
  [[ $(readlink "$root/usr/libexec/korvel-solitaire/cards") == "$cards_target" ]] || fail "the cards link is wrong"
  "$root/usr/games/korvel-solitaire" --version >/dev/null || fail "the installed command does not run"
  # It finds its cards through the link: with one missing it would end at once, with status 1.
  status=0
  QT_QPA_PLATFORM=offscreen timeout 3 "$root/usr/games/korvel-solitaire" >/dev/null 2>&1 || status=$?
  [[ $status == 124 ]] || fail "the installed game did not stay up (status $status)"
  ;;
package)
  # Without Debian's review tool there is no package check: skipped, saying so (tests/needs.sh).
  source "$(dirname "$0")/../tests/needs.sh"
  korvel_needs lintian dpkg-deb
  version=$3
  (umask 022 && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >/dev/null)
  deb=$work/korvel-solitaire_${version}_$(dpkg --print-architecture).deb
  [[ -f $deb ]] || fail "no $deb; made: $(ls "$work")"
  field() { dpkg-deb --field "$deb" "$1"; }
  [[ $(field Section) == games && $(field Priority) == optional ]] || fail "section or priority wrong"
  [[ -n $(field Maintainer) ]] || fail "no maintainer"
  # Computed from the executable's libraries, not only the plugins named by hand.
  for library in libqt6widgets6 libgif7 libc6; do
    [[ $(field Depends) == *"$library "* ]] || fail "Depends lacks $library: $(field Depends)"
  done
  # Loaded at run time: X11's platform plugin, and Wayland's for a session without X.
  for plugins in qt6-qpa-plugins qt6-wayland; do
    [[ ", $(field Depends), " == *", $plugins, "* ]] || fail "Depends lacks $plugins: $(field Depends)"
  done
  contents=$(dpkg-deb --contents "$deb")
  # The package always carries upstream's documents, and alone a change log in Debian's format.
  installed_docs=("${docs[@]}")
  diff -u <({ expected; echo share/doc/korvel-solitaire/changelog.Debian.gz; } | sort | sed 's|^|./usr/|') \
    <(awk '$1 !~ /^d/ { print $6 }' <<<"$contents" | sort) ||
    fail "the package holds other files than expected"
  grep -qF "./usr/games/korvel-solitaire -> $link_target" <<<"$contents" || fail "the link is wrong"
  grep -qF "./usr/libexec/korvel-solitaire/cards -> $cards_target" <<<"$contents" || fail "the cards link is wrong"
  # Folders 0755 and files 0644 (0755 for the game), whatever the umask of the build.
  awk '$1 ~ /^d/ && $1 != "drwxr-xr-x" { print; bad = 1 } END { exit bad }' <<<"$contents" || fail "a folder is not 0755"
  awk '$1 ~ /^-/ && $1 != "-rw-r--r--" && $6 != "./usr/libexec/korvel-solitaire/Solitaire" { print; bad = 1 }
       END { exit bad }' <<<"$contents" || fail "a file is not 0644"
  dpkg-deb -x "$deb" "$work/root"
  sections=$(readelf -S "$work/root/usr/libexec/korvel-solitaire/Solitaire")
  ! grep -q '\.symtab' <<<"$sections" || fail "the executable is not stripped"
  # A builder who keeps the binaries whole says so in DEB_BUILD_OPTIONS.
  mkdir "$work/nostrip"
  (umask 022 && DEB_BUILD_OPTIONS="parallel=2 nostrip" cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/nostrip" >/dev/null)
  dpkg-deb --fsys-tarfile "$work"/nostrip/*.deb | tar -x -O ./usr/libexec/korvel-solitaire/Solitaire >"$work/whole"
  sections=$(readelf -S "$work/whole")
  grep -q '\.debug_info' <<<"$sections" || fail "nostrip: the executable lost its debug information"
  # Debian's own review, pedantic: no error, warning or pedantic note, and the hardening it looks
  # for all there. Only a first upload's own warning stays: its change log closes no bug report.
  report=$("$(dirname "$0")/lintian_report.sh" "$deb")
  refused='^[EWP]: '
  [[ ${4:-hardened} == hardened ]] && refused+='|hardening'
  ! grep -E "$refused" <<<"$report" || fail "lintian: $report"
  ;;
*)
  fail "usage: $0 install <build> | package <build> <version> hardened|plain"
  ;;
esac
