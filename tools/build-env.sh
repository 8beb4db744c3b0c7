# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Sourced by the scripts that build the game (tools/setup.sh, tools/release.sh): a build as Debian
# builds its packages.
#   korvel_build_flags   exports Debian's build flags with every hardening (fortified functions,
#                        stack protector, read-only relocations bound at load, PIE), where
#                        dpkg-buildflags is there; flags the caller has set stay as they are. Fails,
#                        saying why, if dpkg-buildflags does: a release is never built unhardened
#                        without a word
#   korvel_build_type    prints the CMake build type to configure with: None where there are
#                        builder's flags (they alone decide the optimisation, DEB_BUILD_OPTIONS=noopt
#                        included), else Release
#   korvel_jobs          prints how many jobs to build with: DEB_BUILD_OPTIONS=parallel=N, else
#                        every core
korvel_build_flags() {
  command -v dpkg-buildflags >/dev/null || return 0
  export DEB_BUILD_MAINT_OPTIONS=${DEB_BUILD_MAINT_OPTIONS:-hardening=+all}
  local kind value
  for kind in CFLAGS CXXFLAGS CPPFLAGS LDFLAGS; do
    [[ -v $kind ]] && continue
    value=$(dpkg-buildflags --get "$kind") || { echo "dpkg-buildflags --get $kind failed" >&2; return 1; }
    export "$kind=$value"
  done
}

korvel_build_type() {
  if [[ -n ${CXXFLAGS:-} ]]; then echo None; else echo Release; fi
}

korvel_jobs() {
  if [[ " ${DEB_BUILD_OPTIONS:-} " =~ [[:space:]]parallel=([0-9]+)[[:space:]] ]]; then
    echo "${BASH_REMATCH[1]}"
  else
    nproc
  fi
}
