#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Start-up time and peak memory of the game (startup_probe) against a bare Qt Widgets window of the
# same size and menus (startup_yardstick), then the game's CPU use while its table sits idle.
#
#   bench/startup.sh [BUILD_FOLDER [PAIRS]]   default: build/ at the top of the repository, 30 pairs
#
# Needs /usr/bin/time and, without a DISPLAY, Xvfb:
#   apt-get install time xvfb
# Exit status 1 when the game misses its targets: its first frame within 1.05x the yardstick's at
# a device pixel ratio of 1 and within 1.10x at a ratio of 2 (QT_SCALE_FACTOR=2, twice-size
# pictures), the medians of interleaved pairs; and its peak memory within 8 MiB of the yardstick's.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
pairs=${2:-30}
[[ $build == /* ]] || build=$PWD/$build
probe=$build/startup_probe
yardstick=$build/startup_yardstick
game=$build/Solitaire

for program in "$probe" "$yardstick" "$game"; do
  [[ -x $program ]] || { echo "missing $program: build first (cmake --build $build)" >&2; exit 2; }
done
[[ -x /usr/bin/time ]] || { echo "/usr/bin/time missing: apt-get install time" >&2; exit 2; }

work=$(mktemp -d)
xvfb_pid=
game_pid=
cleanup() {
  [[ -n $game_pid ]] && kill "$game_pid" 2>/dev/null || true
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A private X server when none is given, on the first free display from :93.
if [[ -z ${DISPLAY:-} ]]; then
  command -v Xvfb >/dev/null || { echo "Xvfb missing: apt-get install xvfb" >&2; exit 2; }
  n=93
  while [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$n ]] && break; sleep 0.05; done
  [[ -e /tmp/.X11-unix/X$n ]] || { echo "Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 2; }
  export DISPLAY=":$n"
fi
# Qt warns about a missing runtime folder on every start; give it one so the runs stay quiet.
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
  export XDG_RUNTIME_DIR=$work/runtime
  mkdir -m 700 "$XDG_RUNTIME_DIR"
fi
echo "display $DISPLAY, platform ${QT_QPA_PLATFORM:-default (xcb)}, build $build"

# Both must reach their first frame and quit cleanly, or the timings mean nothing.
for program in "$probe" "$yardstick"; do
  timeout 30 "$program" >/dev/null 2>&1 || { echo "$program failed to start and quit" >&2; exit 2; }
done

# Times `a` and `b` (commands, with their environment) to their first frame, in interleaved pairs,
# the order alternating, so that whatever the machine does meanwhile weighs on both alike: from just
# before the program starts to the moment it prints for its first painted frame, so that the
# quitting after it does not count. Prints, in milliseconds, the median of each and the median of
# the pairs' ratios a / b.
first_frame() {
  local t0 frame
  t0=$(date +%s%6N)
  frame=$(eval "$1" 2>/dev/null | awk '/^first-frame / { print $2 }')
  echo $((frame - t0))
}
interleaved() {
  local a=$1 b=$2 pairs=$3 i ta tb
  for ((i = 0; i < pairs; i++)); do
    if ((i % 2 == 0)); then
      ta=$(first_frame "$a"); tb=$(first_frame "$b")
    else
      tb=$(first_frame "$b"); ta=$(first_frame "$a")
    fi
    echo "$ta $tb"
  done | awk '
    function median(v, n,   k, j, t) {
      for (k = 2; k <= n; k++) for (j = k; j > 1 && v[j] < v[j - 1]; j--) { t = v[j]; v[j] = v[j - 1]; v[j - 1] = t }
      return n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
    }
    { n++; a[n] = $1; b[n] = $2; r[n] = $1 / $2 }
    END { printf "%.1f %.1f %.3f\n", median(a, n) / 1000, median(b, n) / 1000, median(r, n) }'
}

# Judges a line of interleaved(): the ratio against its target.
judge_time() {
  local label=$1 target=$2
  read -r a b ratio
  awk -v l="$label" -v a="$a" -v b="$b" -v r="$ratio" -v t="$target" 'BEGIN {
    printf "%-8s game %.1f ms, bare window %.1f ms: ratio %.3f (target <= %s): %s\n", l, a, b, r, t,
           r <= t ? "met" : "MISSED"
    exit !(r <= t)
  }'
}

# Peak resident memory: the median of five runs, in KiB.
peak_rss() {
  local program=$1 i
  for i in 1 2 3 4 5; do
    /usr/bin/time -v "$program" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
  done | sort -n | sed -n 3p
}

# The first frame against a bare Qt window of the same size and menus, side by side, at a device
# pixel ratio of 1 and of 2 (QT_SCALE_FACTOR=2: twice-size pictures, four times the pixels).
echo
echo "== Start-up to the first painted frame: median of $pairs interleaved pairs =="
verdict=0
for ratio in 1 2; do
  target=$([[ $ratio == 1 ]] && echo 1.05 || echo 1.10)
  interleaved "QT_SCALE_FACTOR=$ratio $probe" "QT_SCALE_FACTOR=$ratio $yardstick" "$pairs" |
    judge_time "ratio $ratio" "$target" || verdict=1
done

echo
echo "== Peak memory =="
for ratio in 1 2; do
  game_rss=$(QT_SCALE_FACTOR=$ratio peak_rss "$probe")
  bare_rss=$(QT_SCALE_FACTOR=$ratio peak_rss "$yardstick")
  awk -v r="$ratio" -v g="$game_rss" -v b="$bare_rss" 'BEGIN {
    d = (g - b) / 1024
    printf "ratio %s: game %.1f MiB, bare window %.1f MiB, difference %+.1f MiB (target <= 8): %s\n", r, g / 1024,
           b / 1024, d, d <= 8 ? "met" : "MISSED"
    exit !(d <= 8)
  }' || verdict=1
done

# An idle table should cost nothing: no timer, animation or polling once the first frame is up.
echo
echo "== Idle CPU of the game =="
"$game" >/dev/null 2>&1 &
game_pid=$!
sleep 2
kill -0 "$game_pid" 2>/dev/null || { echo "the game did not stay open" >&2; exit 2; }
cpu_ticks() { sed 's/.*) //' "/proc/$game_pid/stat" | awk '{ print $12 + $13 }'; }
# Wake-ups of every thread: a timer or a polling loop shows here long before it shows as CPU time.
wakeups() { cat /proc/"$game_pid"/task/*/status | awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n }'; }
ticks_before=$(cpu_ticks)
wakeups_before=$(wakeups)
sleep 5
ticks_after=$(cpu_ticks)
wakeups_after=$(wakeups)
kill -0 "$game_pid" 2>/dev/null || { echo "the game exited while idle" >&2; exit 2; }
kill "$game_pid"
wait "$game_pid" 2>/dev/null || true
game_pid=
awk -v b="$ticks_before" -v a="$ticks_after" -v hz="$(getconf CLK_TCK)" \
    -v wb="$wakeups_before" -v wa="$wakeups_after" 'BEGIN {
  printf "utime+stime after start-up %d ticks, 5 s later %d ticks: %+.0f ms of CPU over 5 s idle\n",
         b, a, (a - b) * 1000 / hz
  printf "voluntary context switches, all threads: %d, then %d (%+d)\n", wb, wa, wa - wb
}'

exit "$verdict"
