#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Installs the Debian packages a build needs (only those missing), then builds in build/.
#   tools/setup.sh game   what playing needs: the game's packages, the executable and its cards (./run)
#   tools/setup.sh all    everything: the test, benchmark and packaging tools too, every target (./test)
set -euo pipefail
cd "$(dirname "$0")/.."
mode=${1:-all}

# The same names on Debian 12 and 13: each release brings its own versions (clang-format is 14 on
# one, 19 on the other; the format check holds for both). cpack's package step needs `file`.
game_packages=(
  cmake ninja-build g++ dpkg-dev file
  qt6-base-dev qt6-svg-dev qt6-wayland qt6-translations-l10n
  libgif-dev
  fonts-dejavu-core
)
test_packages=(
  libgtest-dev libbenchmark-dev
  desktop-file-utils appstream
  clang-format
  xvfb x11-utils dbus at-spi2-core
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng python3-pyatspi openbox
  weston lintian groff-base
)
case $mode in
  game) packages=("${game_packages[@]}") ;;
  all) packages=("${game_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: $0 game|all" >&2; exit 2 ;;
esac

# One question to dpkg for all of them keeps a start with everything installed quick.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
            awk '$4 == "installed" { print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    as_root=()
  elif command -v sudo >/dev/null; then
    as_root=(sudo)
  else
    echo "Korvel Solitaire needs Debian packages that are not installed. As root, run" >&2
    echo "    apt-get install ${missing[*]}" >&2
    echo "and start again." >&2
    exit 1
  fi
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Built as Debian builds its packages (tools/build-env.sh). The flags and the build type count when
# build/ is first configured, and only then are they asked for; a build folder that exists keeps
# them, and its generator. Ninja, because its check that nothing changed is instant where make's
# takes about a second.
source tools/build-env.sh
configure=(cmake -S . -B build)
if [ ! -f build/CMakeCache.txt ]; then
  korvel_build_flags
  configure+=(-G Ninja -DCMAKE_BUILD_TYPE="$(korvel_build_type)")
fi
jobs=$(korvel_jobs)
if [ "$mode" = game ]; then
  # No configure once there is one: the build runs it again by itself when a CMake file changed.
  [ -f build/CMakeCache.txt ] || "${configure[@]}" >/dev/null
  # A second ./run shows only what the game itself prints: not ninja's word that nothing changed.
  cmake --build build -j"$jobs" --target Solitaire | { grep -vxF "ninja: no work to do." || true; }
else
  # Always configured: tests and benchmarks join the build once their packages are there.
  "${configure[@]}" >/dev/null
  cmake --build build -j"$jobs"
fi
