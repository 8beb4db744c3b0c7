# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Sourced by the scripts that build the game (tools/setup.sh, tools/release.sh): a build as Debian
# builds its packages.
#   korvel_build_flags   exports Debian's build flags with every hardening (fortified functions,
#                        stack protector, read-only relocations bound at load, PIE), where
#                        dpkg-buildflags is there; flags the caller has set stay as they are
#   korvel_jobs          prints how many jobs to build with: DEB_BUILD_OPTIONS=parallel=N, else
#                        every core
korvel_build_flags() {
  command -v dpkg-buildflags >/dev/null || return 0
  export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
  local kind
  for kind in CFLAGS CXXFLAGS CPPFLAGS LDFLAGS; do
    [[ -v $kind ]] || export "$kind=$(dpkg-buildflags --get "$kind")"
  done
}

korvel_jobs() {
  if [[ " ${DEB_BUILD_OPTIONS:-} " =~ [[:space:]]parallel=([0-9]+)[[:space:]] ]]; then
    echo "${BASH_REMATCH[1]}"
  else
    nproc
  fi
}
