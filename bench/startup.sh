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

# CSV columns: command,mean,stddev,median,user,system,min,max (seconds).
read -r game_mean game_sd < <(awk -F, '$1 == "game" { print $2, $3 }' "$work/times.csv")
read -r yard_mean yard_sd < <(awk -F, '$1 == "yardstick" { print $2, $3 }' "$work/times.csv")

# Peak resident memory: the median of five runs, in KiB.
peak_rss() {
  local program=$1 i
  for i in 1 2 3 4 5; do
    /usr/bin/time -v "$program" 2>&1 >/dev/null | awk -F': ' '/Maximum resident set size/ { print $2 }'
  done | sort -n | sed -n 3p
}
game_rss=$(peak_rss "$probe")
yard_rss=$(peak_rss "$yardstick")

echo
echo "== Summary =="
awk -v gm="$game_mean" -v gs="$game_sd" -v ym="$yard_mean" -v ys="$yard_sd" \
    -v gr="$game_rss" -v yr="$yard_rss" 'BEGIN {
  ratio = gm / ym
  diff = (gr - yr) / 1024
  printf "time   game %.1f ms +- %.1f, yardstick %.1f ms +- %.1f, ratio %.3f (target <= 1.3): %s\n",
         gm * 1000, gs * 1000, ym * 1000, ys * 1000, ratio, ratio <= 1.3 ? "met" : "MISSED"
  printf "memory game %.1f MiB, yardstick %.1f MiB, difference %+.1f MiB (target <= 8): %s\n",
         gr / 1024, yr / 1024, diff, diff <= 8 ? "met" : "MISSED"
  exit !(ratio <= 1.3 && diff <= 8)
}' && verdict=0 || verdict=1

# High-density screens: the twice-size pictures and four times the pixels must not slow the start.
echo
echo "== Start-up at device pixel ratio 2 against ratio 1 =="
hyperfine --warmup 5 --runs 40 --export-csv "$work/ratios.csv" \
  -n ratio1 "env QT_SCALE_FACTOR=1 $probe" -n ratio2 "env QT_SCALE_FACTOR=2 $probe"
read -r one_mean one_sd < <(awk -F, '$1 == "ratio1" { print $2, $3 }' "$work/ratios.csv")
read -r two_mean two_sd < <(awk -F, '$1 == "ratio2" { print $2, $3 }' "$work/ratios.csv")
one_rss=$(export QT_SCALE_FACTOR=1; peak_rss "$probe")
two_rss=$(export QT_SCALE_FACTOR=2; peak_rss "$probe")
awk -v om="$one_mean" -v os="$one_sd" -v tm="$two_mean" -v ts="$two_sd" \
    -v r1="$one_rss" -v r2="$two_rss" 'BEGIN {
  ratio = tm / om
  diff = (r2 - r1) / 1024
  printf "time   ratio 2 %.1f ms +- %.1f, ratio 1 %.1f ms +- %.1f, ratio %.3f (target <= 1.1): %s\n",
         tm * 1000, ts * 1000, om * 1000, os * 1000, ratio, ratio <= 1.1 ? "met" : "MISSED"
  printf "memory ratio 2 %.1f MiB, ratio 1 %.1f MiB, difference %+.1f MiB (target <= 6): %s\n",
         r2 / 1024, r1 / 1024, diff, diff <= 6 ? "met" : "MISSED"
  exit !(ratio <= 1.1 && diff <= 6)
}' || verdict=1

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
