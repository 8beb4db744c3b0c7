#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
# Start-up time and peak memory of the game (startup_probe) against a bare Qt Widgets window of the
# same size and menus (startup_yardstick), then the game's CPU use while its table sits idle.
#
#   bench/startup.sh [BUILD_FOLDER]     default: build/ at the top of the repository
#
# Needs hyperfine, /usr/bin/time and, without a DISPLAY, Xvfb:
#   apt-get install hyperfine time xvfb
# Exit status 1 when the game misses its targets: within 1.3x the yardstick's mean time and
# within 8 MiB of its peak resident memory; on a screen of device pixel ratio 2 (QT_SCALE_FACTOR=2,
# twice-size pictures), within 1.1x its own time at ratio 1 and 6 MiB of its peak memory there.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
[[ $build == /* ]] || build=$PWD/$build
probe=$build/startup_probe
yardstick=$build/startup_yardstick
game=$build/Solitaire

for program in "$probe" "$yardstick" "$game"; do
  [[ -x $program ]] || { echo "missing $program: build first (cmake --build $build)" >&2; exit 2; }
done
command -v hyperfine >/dev/null || { echo "hyperfine missing: apt-get install hyperfine" >&2; exit 2; }
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

echo
echo "== Start-up time (first painted frame, then quit) =="
hyperfine --warmup 5 --runs 40 --export-csv "$work/times.csv" \
  -n game "$probe" -n yardstick "$yardstick"

# Peak resident memory: the median of five runs, in KiB.
peak_rss() {
  local program=$1 i
  for i in 1 2 3 4 5; do
    /usr/bin/time -v "$program" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
  done | sort -n | sed -n 3p
}

# Prints how run `a` of a hyperfine CSV (columns: command,mean,stddev,median,user,system,min,max, in
# seconds) and its peak memory (KiB) compare with run `b`; fails when `a` takes more than
# `max_ratio` times b's mean time or more than `max_mib` MiB over b's peak memory.
judge() {
  local csv=$1 a=$2 b=$3 a_rss=$4 b_rss=$5 max_ratio=$6 max_mib=$7
  awk -F, -v a="$a" -v b="$b" -v ar="$a_rss" -v br="$b_rss" -v mr="$max_ratio" -v mm="$max_mib" '
    $1 == a { am = $2; as = $3 }
    $1 == b { bm = $2; bs = $3 }
    END {
      ratio = am / bm
      diff = (ar - br) / 1024
      printf "time   %s %.1f ms +- %.1f, %s %.1f ms +- %.1f, ratio %.3f (target <= %s): %s\n",
             a, am * 1000, as * 1000, b, bm * 1000, bs * 1000, ratio, mr, ratio <= mr ? "met" : "MISSED"
      printf "memory %s %.1f MiB, %s %.1f MiB, difference %+.1f MiB (target <= %s): %s\n",
             a, ar / 1024, b, br / 1024, diff, mm, diff <= mm ? "met" : "MISSED"
      exit !(ratio <= mr && diff <= mm)
    }' "$csv"
}

echo
echo "== Summary =="
judge "$work/times.csv" game yardstick "$(peak_rss "$probe")" "$(peak_rss "$yardstick")" 1.3 8 && verdict=0 || verdict=1

# High-density screens: the twice-size pictures and four times the pixels must not slow the start.
echo
echo "== Start-up at device pixel ratio 2 against ratio 1 =="
hyperfine --warmup 5 --runs 40 --export-csv "$work/ratios.csv" \
  -n ratio1 "env QT_SCALE_FACTOR=1 $probe" -n ratio2 "env QT_SCALE_FACTOR=2 $probe"
one_rss=$(export QT_SCALE_FACTOR=1; peak_rss "$probe")
two_rss=$(export QT_SCALE_FACTOR=2; peak_rss "$probe")
judge "$work/ratios.csv" ratio2 ratio1 "$two_rss" "$one_rss" 1.1 6 || verdict=1

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
