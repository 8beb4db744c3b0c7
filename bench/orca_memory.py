#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
"""Whether the game's memory stays flat while a screen reader listens: many keys under Orca.

    bench/orca_memory.py build/Solitaire [KEYS [SEED]]

Starts a private desktop with Orca (as tests/test_orca.py does) and the game, then presses KEYS keys
(20,000 by default) through the accessibility registry: Tab, the arrows, the digits, Space (taken
three times as often), Escape and R at random, and F2 every 500th. Each key waits until Orca's log
has stayed quiet for 30 ms after it, at most a second. Every 1,000 keys it prints the game's
anonymous resident memory (RssAnon) and its whole resident size.
"""
import os
import random
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests"))
import test_orca as orca_test  # noqa: E402

CHOICES = ["Tab", "Left", "Right", "Up", "Down", "space", "space", "space", "Escape", "r"] + \
          [str(n) for n in range(1, 8)]


def memory(pid):
    with open("/proc/%d/status" % pid) as f:
        return {line.split(":")[0]: int(line.split()[1]) for line in f if line.startswith(("RssAnon", "VmRSS"))}


def settle(log, limit=1.0, quiet=0.03):
    """Waits for Orca's log to grow, then to stay as it is for `quiet` seconds, within `limit`."""
    end, size = time.monotonic() + limit, os.path.getsize(log)
    while time.monotonic() < end and os.path.getsize(log) == size:
        time.sleep(0.01)
    size, still = os.path.getsize(log), time.monotonic()
    while time.monotonic() < end and time.monotonic() - still < quiet:
        time.sleep(0.01)
        if os.path.getsize(log) != size:
            size, still = os.path.getsize(log), time.monotonic()


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    game = os.path.realpath(sys.argv[1])
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 20000
    rng = random.Random(int(sys.argv[3]) if len(sys.argv) > 3 else 7)
    desktop = orca_test.Desktop()
    try:
        desktop.up(game)
        player = orca_test.Player(desktop)
        player.hear(None, "Talon, 24 cartes")
        registry, start = player.pyatspi.Registry, time.monotonic()
        for n in range(total + 1):
            if n % 1000 == 0:
                m = memory(desktop.game.pid)
                print("%6d keys %5.0f s  RssAnon %6d kB  VmRSS %6d kB" %
                      (n, time.monotonic() - start, m["RssAnon"], m["VmRSS"]), flush=True)
            if n == total:
                break
            key = "F2" if n % 500 == 499 else rng.choice(CHOICES)
            registry.generateKeyboardEvent(orca_test.KEYS[key], None, player.pyatspi.KEY_SYM)
            settle(desktop.log)
    finally:
        desktop.down()


if __name__ == "__main__":
    main()
