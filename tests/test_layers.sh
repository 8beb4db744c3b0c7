#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# What the include paths cannot hold by themselves: the rules' suite runs without any Qt library,
# and no source reaches another folder by a relative path ("../"), which no include path stops.
#   test_layers.sh <test_rules executable> <source root>
set -euo pipefail
rules=$1
root=$2

if ldd "$rules" | grep -i 'libQt'; then
  echo "the rules link Qt" >&2
  exit 1
fi
if grep -rnE '#include "\.\./' "$root"/{rules,table,shell,assets,tests,bench,fuzz,tools}; then
  echo "an include climbs out of its folder by a relative path" >&2
  exit 1
fi
