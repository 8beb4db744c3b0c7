#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
"""How soon Orca speaks after a key: the game beside a plain QListWidget of 13 items.

    bench/orca_latency.py build/Solitaire build/list_yardstick [ROUNDS [KEYS]]

Each round starts a private desktop with Orca (as tests/test_orca.py does) for the game, presses
KEYS keys 1.5 s apart (Right and Left over the stock and the waste), then the same for the list
(Down and Up): the two take turns, round after round. For each key: the time from the key to the
first word Orca writes to its log that is not its echo of the key, and the method calls on the
accessibility bus meanwhile (Orca's questions, and the answers' own calls). Prints the median, the
90th percentile and the calls per key of each, and the ratio of the medians (game / list).
"""
import json
import os
import re
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
import test_orca as orca_test  # noqa: E402

KEY_ECHO = re.compile(r"^[\w ]{1,24} $")
GAP = 1.5


def bus_address(desktop):
    out = subprocess.run(["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply=literal", "/org/a11y/bus",
                          "org.a11y.Bus.GetAddress"], env=desktop.env, capture_output=True, text=True)
    return out.stdout.strip()


def measure(program, keys, count):
    desktop = orca_test.Desktop()
    times, calls = [], []
    try:
        desktop.up(program)
        player = orca_test.Player(desktop)
        monitor = subprocess.Popen(["dbus-monitor", "--address", bus_address(desktop), "type='method_call'"],
                                   env=desktop.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                   bufsize=1)
        os.set_blocking(monitor.stdout.fileno(), False)
        time.sleep(3)  # the window's first words said
        for n in range(count):
            while monitor.stdout.readline():  # what came before the key
                pass
            with open(desktop.log, encoding="utf-8", errors="replace") as log:
                log.seek(0, os.SEEK_END)
                start = time.monotonic()
                player.pyatspi.Registry.generateKeyboardEvent(orca_test.KEYS[keys[n % len(keys)]], None,
                                                              player.pyatspi.KEY_SYM)
                said = None
                while said is None and time.monotonic() - start < 10:
                    for line in log.readlines():
                        m = orca_test.SPEECH.search(line)
                        if m and not KEY_ECHO.match(m.group(1)):
                            said = time.monotonic() - start
                            break
                    else:
                        time.sleep(0.002)
            if said is not None:
                times.append(said * 1000)
            time.sleep(max(0.0, GAP - (time.monotonic() - start)))
            calls.append(sum(1 for line in iter(monitor.stdout.readline, "") if line.startswith("method call")))
        monitor.terminate()
    finally:
        desktop.down()
    return times, calls


def summary(name, times, calls):
    times = sorted(times)
    p90 = times[int(0.9 * (len(times) - 1))] if times else float("nan")
    median = statistics.median(times) if times else float("nan")
    print("%-6s keys %3d  median %6.1f ms  p90 %6.1f ms  calls per key %5.0f" %
          (name, len(times), median, p90, statistics.median(calls) if calls else float("nan")))
    return median


def main():
    if len(sys.argv) == 5 and sys.argv[1] == "--one":
        print(json.dumps(measure(sys.argv[2], sys.argv[3].split(","), int(sys.argv[4]))))
        return
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    game, plain = os.path.realpath(sys.argv[1]), os.path.realpath(sys.argv[2])
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 3
    count = int(sys.argv[4]) if len(sys.argv) > 4 else 20
    results = {"game": ([], []), "list": ([], [])}
    for _ in range(rounds):
        for name, program, keys in (("game", game, "Right,Left"), ("list", plain, "Down,Up")):
            # Each desktop in a process of its own: the accessibility library binds to the first
            # buses it meets.
            out = subprocess.run([sys.executable, os.path.abspath(__file__), "--one", program, keys, str(count)],
                                 capture_output=True, text=True, check=True).stdout
            times, calls = json.loads(out.splitlines()[-1])
            results[name][0].extend(times)
            results[name][1].extend(calls)
    game_median = summary("game", *results["game"])
    list_median = summary("list", *results["list"])
    print("ratio (game / list) %.2f" % (game_median / list_median))


if __name__ == "__main__":
    main()
