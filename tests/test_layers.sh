#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# The layers hold where a compiler alone would not notice:
# - a folder's headers are included exactly where its library is linked: for every pair of layers,
#   one layer's header is included with the other's include path, and it must be found there if and
#   only if the graph below links the two;
# - the rules' suite runs without any Qt library;
# - no source reaches another folder by a relative path ("../"), which no include path stops.
#   test_layers.sh <layers.txt> <c++ compiler> <test_rules executable> <source root>
# layers.txt: one line per layer, "<folder> <one of its headers> <its include path, ;-separated>".
set -euo pipefail
listing=$1
compiler=$2
rules=$3
root=$4
status=0

# What each layer links, directly or through the layers it links (HACKING.md draws the same graph).
declare -A links=(
  [rules]=""
  [deck]="rules"
  [cardfiles]="deck rules"
  [assets]="deck rules"
  [table]="cardfiles assets deck rules"
  [places]="table cardfiles deck rules"
  [view]="places table cardfiles deck rules"
  [shell]="view places table cardfiles assets deck rules"
)

declare -A header includes
while read -r folder file path; do
  header[$folder]=$file
  includes[$folder]=$path
done <"$listing"
[[ ${#header[@]} -eq ${#links[@]} ]] || { echo "layers.txt lists ${#header[@]} layers, the graph ${#links[@]}" >&2; exit 1; }

for from in "${!links[@]}"; do
  flags=()
  IFS=';' read -ra dirs <<<"${includes[$from]}"
  for d in "${dirs[@]}"; do flags+=(-I"$d"); done
  for to in "${!links[@]}"; do
    wanted=no
    [[ $from == "$to" || " ${links[$from]} " == *" $to "* ]] && wanted=yes
    probe="$to/${header[$to]}"
    if errors=$(echo "#include \"$probe\"" | "$compiler" -std=c++20 -E -x c++ "${flags[@]}" - 2>&1 >/dev/null); then
      found=yes
    elif grep -qF "$probe: No such file" <<<"$errors"; then
      found=no
    else
      echo "$from: $probe does not preprocess: $errors" >&2
      status=1
      continue
    fi
    if [[ $found != "$wanted" ]]; then
      echo "$from: $probe found: $found; linked: $wanted" >&2
      status=1
    fi
  done
done

if ldd "$rules" | grep -i 'libQt'; then
  echo "the rules link Qt" >&2
  status=1
fi
if grep -rnE '#include "\.\./' "$root"/{rules,deck,cardfiles,assets,table,places,view,shell,tests,bench,fuzz,tools}; then
  echo "an include climbs out of its folder by a relative path" >&2
  status=1
fi
exit $status
