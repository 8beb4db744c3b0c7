#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 the Korvel Solitaire developers
"""What a blind player hears: the game under a real screen reader, Orca, started as a desktop
starts it, played by keys alone, and what Orca speaks after each key checked against what a
sighted player sees change; and for a few keys, what a deafblind player reads on the braille line.

    test_orca.py PATH/TO/Solitaire

Starts a private X server, a session bus and the accessibility bus, a window manager, speech-
dispatcher speaking with espeak-ng into ALSA's null device, and Orca writing what it speaks to its
debug log; then the game, with no variable of its own. Keys go through the accessibility registry
as real key presses; the table is read through the accessibility bus to choose the moves. Every
wait is for something to happen, within a time limit; everything started is stopped at the end.
Debian 12 and 13: orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng python3-pyatspi openbox
xvfb dbus at-spi2-core (with --no-install-recommends).
"""

import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time

LIMIT = 120.0  # seconds for anything to happen, on a busy machine

RANKS = ["As", "Deux", "Trois", "Quatre", "Cinq", "Six", "Sept", "Huit", "Neuf", "Dix", "Valet", "Dame", "Roi"]
RED = {"carreau", "cœur"}
KEYS = {"Tab": 0xFF09, "space": 0x20, "Return": 0xFF0D, "Escape": 0xFF1B, "F2": 0xFFBF,
        "Up": 0xFF52, "Down": 0xFF54, "Left": 0xFF51, "Right": 0xFF53}
KEYS.update({str(n): 0x30 + n for n in range(1, 8)})
KEYS["r"] = 0x72

ORCA_RUNNER = r"""
import sys
sys.path.insert(1, '/usr/lib/python3/dist-packages')
log, prefs = sys.argv[1], sys.argv[2]
sys.argv = [sys.argv[0]]
import pyatspi  # as /usr/bin/orca does, before orca
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile = open(log, 'w', buffering=1)
from orca import orca
if hasattr(orca, "getSettingsManager"):  # Orca 43 (Debian 12)
    manager = orca.getSettingsManager()
    prefs_dir = manager.getPrefsDir
else:  # Orca 48 (Debian 13): the settings manager is its module's own
    from orca import settings_manager
    manager = settings_manager.get_manager()
    prefs_dir = manager.get_prefs_dir
manager.activate(prefs, {})
sys.path.insert(0, prefs_dir())
sys.exit(orca.main())
"""


class Failure(Exception):
    pass


# Keys Orca echoes by name as it gets them, and how long to wait for that echo.
ECHOED = {"space", "Escape", "Tab", "r"} | {str(n) for n in range(1, 8)}
ECHO_LIMIT = 30.0


def wait_quietly(test, limit):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        if test():
            return True
        time.sleep(0.05)
    return False


def wait_for(what, test, limit=LIMIT):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        value = test()
        if value:
            return value
        time.sleep(0.05)
    raise Failure("waited %.0f s for %s" % (limit, what))


class Desktop:
    """The private desktop: every process it starts, stopped in reverse."""

    def __init__(self):
        self.work = tempfile.mkdtemp(prefix="korvel-orca-")
        self.run = os.path.join(self.work, "run")
        self.home = os.path.join(self.work, "home")
        for d in (self.run, self.home, os.path.join(self.work, "prefs")):
            os.makedirs(d, mode=0o700)
        self.processes = []
        self.env = {k: v for k, v in os.environ.items()
                    if k not in ("WAYLAND_DISPLAY", "SESSION_MANAGER", "QT_LINUX_ACCESSIBILITY_ALWAYS_ON",
                                 "QT_QPA_PLATFORM", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS")}
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=self.run, XDG_CONFIG_HOME=self.home + "/.config",
                        XDG_DATA_HOME=self.home + "/.local/share", XDG_CACHE_HOME=self.home + "/.cache",
                        GSETTINGS_BACKEND="memory", LANG="C.UTF-8", LC_ALL="C.UTF-8", NO_AT_BRIDGE="0")

    def start(self, argv, **kw):
        p = subprocess.Popen(argv, env=kw.pop("env", self.env), stdin=subprocess.DEVNULL, start_new_session=True,
                             stdout=kw.pop("stdout", subprocess.DEVNULL), stderr=kw.pop("stderr", subprocess.DEVNULL),
                             **kw)
        self.processes.append(p)
        return p

    def up(self, game):
        # X server, on the first free display it finds; it names it on a pipe once it is ready.
        r, w = os.pipe()
        self.start(["Xvfb", "-displayfd", str(w), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"], pass_fds=(w,))
        os.close(w)
        with os.fdopen(r) as f:
            display = f.readline().strip()
        if not display:
            raise Failure("Xvfb did not start")
        self.env["DISPLAY"] = ":" + display
        # The session bus, then the accessibility bus inside it.
        bus = "unix:path=" + os.path.join(self.run, "bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = bus
        self.start(["dbus-daemon", "--session", "--address=" + bus, "--nofork", "--nopidfile"])
        wait_for("the session bus", lambda: os.path.exists(os.path.join(self.run, "bus")))
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_for("the accessibility bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--dest=org.a11y.Bus", "--print-reply", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], env=self.env, capture_output=True).returncode == 0)
        # A window manager, so that the game's window gets the focus as on a desktop.
        ready = os.path.join(self.work, "openbox-ready")
        self.start(["openbox", "--sm-disable", "--startup", "touch " + ready])
        wait_for("the window manager", lambda: os.path.exists(ready))
        # Speech into ALSA's null device.
        speechd = os.path.join(self.work, "speechd")
        shutil.copytree("/etc/speech-dispatcher", speechd)
        with open(os.path.join(speechd, "speechd.conf"), "a") as f:
            f.write('AudioOutputMethod "alsa"\nDefaultModule espeak-ng\n')
        with open(os.path.join(self.home, ".asoundrc"), "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        self.start(["speech-dispatcher", "-s", "-t", "0", "-C", speechd, "-L", os.path.join(self.work, "speechd-log"),
                    "-P", os.path.join(self.run, "speechd.pid")])
        wait_for("speech-dispatcher", lambda: os.path.exists(os.path.join(self.run, "speech-dispatcher", "speechd.sock")))
        # Orca, as a desktop starts it; what it speaks goes to its log, line by line.
        runner = os.path.join(self.work, "orca_run.py")
        with open(runner, "w") as f:
            f.write(ORCA_RUNNER)
        self.log = os.path.join(self.work, "orca.log")
        self.start(["/usr/bin/python3", runner, self.log, os.path.join(self.work, "prefs")])
        wait_for("Orca", lambda: os.path.exists(self.log) and "Screen reader on" in read(self.log))
        self.start_game(game)

    def start_game(self, game, env=None):
        """The game, with nothing of its own set but `env`; a game already started is ended first."""
        if getattr(self, "game", None) is not None:
            os.killpg(self.game.pid, signal.SIGTERM)
            self.game.wait(timeout=LIMIT)
        self.game = self.start([game], cwd=self.work, stdout=open(os.path.join(self.work, "game.out"), "a"),
                               stderr=subprocess.STDOUT, env=dict(self.env, **(env or {})))

    def down(self):
        for p in reversed(self.processes):
            try:
                os.killpg(p.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        # The accessibility registry is started by its bus and may outlive it: ours has our runtime folder.
        for pid in (d for d in os.listdir("/proc") if d.isdigit()):
            try:
                with open("/proc/%s/environ" % pid, "rb") as f:
                    if ("XDG_RUNTIME_DIR=" + self.run).encode() in f.read().split(b"\0"):
                        os.kill(int(pid), signal.SIGTERM)
            except (OSError, ProcessLookupError):
                pass
        for p in self.processes:
            try:
                p.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(p.pid, signal.SIGKILL)
                p.wait()
        shutil.rmtree(self.work, ignore_errors=True)


def read(path):
    with open(path, encoding="utf-8", errors="replace") as f:
        return f.read()


# Orca 43 writes "SPEECH OUTPUT: 'Talon, 24 cartes.'", Orca 48 adds the voice: "... {'established': ...}".
SPEECH = re.compile(r"SPEECH OUTPUT: '(.*)'\s*(?:\{.*\})?$")
# What Orca puts on a braille display, even with none attached: the whole line, then the part of it
# a 32-cell display shows first.
BRAILLE_LINE = re.compile(r"BRAILLE LINE:\s+'(.*)'$")
BRAILLE_VIEW = re.compile(r"VISIBLE:\s+'(.*)', cursor=\d+$")


class Player:
    """Presses keys as a player does and listens to Orca."""

    def __init__(self, desktop):
        self.desktop = desktop
        os.environ.update(desktop.env)
        import pyatspi  # reads the buses from the environment just set
        self.pyatspi = pyatspi
        self.heard_up_to = 0
        self.table = wait_for("the game on the accessibility bus", self.find_table)
        self.transcript = []

    def find_table(self):
        desktop = self.pyatspi.Registry.getDesktop(0)
        for app in desktop:
            if app is not None and app.get_process_id() == self.desktop.game.pid:
                found = self.pyatspi.utils.findDescendant(app, lambda o: o.getRoleName() == "list")
                if found is not None and found.childCount == 13:
                    return found
        return None

    def names(self):
        return [self.table.getChildAtIndex(i).name for i in range(13)]

    def state(self):
        """What a key changes that the accessibility bus shows: the places' names, and which place
        has the focus and which is selected (holds the held card)."""
        places = [self.table.getChildAtIndex(i) for i in range(13)]
        marks = [(p.getState().contains(self.pyatspi.STATE_FOCUSED), p.getState().contains(self.pyatspi.STATE_SELECTED))
                 for p in places]
        return [p.name for p in places], marks

    def spoken(self):
        lines = read(self.desktop.log).splitlines()
        return [m.group(1) for m in map(SPEECH.search, lines[self.heard_up_to:]) if m]

    def see(self, first, *also):
        """Waits until, since the last key, Orca's braille display has shown `first` in its first
        view (32 cells) and each of `also` somewhere on its line: what a deafblind player reads."""
        def shown():
            lines = read(self.desktop.log).splitlines()[self.heard_up_to:]
            views = [m.group(1) for m in map(BRAILLE_VIEW.search, lines) if m]
            whole = " | ".join(m.group(1) for m in map(BRAILLE_LINE.search, lines) if m)
            return any(first in v for v in views) and all(a in whole for a in also)

        try:
            wait_for("the braille line to show %s" % ((first,) + also,), shown)
        except Failure:
            lines = read(self.desktop.log).splitlines()[self.heard_up_to:]
            raise Failure("braille showed %s; wanted %s first, then %s" % (
                [m.group(1) for m in map(BRAILLE_VIEW.search, lines) if m], first, also))
        self.transcript.append("   braille: %s" % first)

    def hear(self, key, *wanted):
        """After `key` (None: no key), waits until Orca has said each of `wanted`, in its speech."""
        if key is not None:
            self.heard_up_to = len(read(self.desktop.log).splitlines())
            before = self.state()
            self.pyatspi.Registry.generateKeyboardEvent(KEYS[key], None, self.pyatspi.KEY_SYM)
            # Now and then a generated key never reaches the desktop: Orca, which echoes every such
            # key it gets, says nothing at all. On a loaded machine the echo can also come late,
            # after the game has acted. So a key Orca has not echoed is pressed again only when the
            # game shows it did not act: the places, their focus and what is held are as they were.
            if key in ECHOED and not wait_quietly(lambda: key.lower() in (s.strip() for s in self.spoken()), ECHO_LIMIT) \
                    and self.state() == before:
                self.pyatspi.Registry.generateKeyboardEvent(KEYS[key], None, self.pyatspi.KEY_SYM)

        def said():
            text = " | ".join(self.spoken())
            return text if all(w in text for w in wanted) else None

        try:
            text = wait_for("Orca to say %s after %s" % (wanted, key), said)
        except Failure:
            raise Failure("after %s Orca said: %s; wanted: %s" % (key, " | ".join(self.spoken()), wanted))
        self.transcript.append("%s: %s" % (key or "   ...", text))
        return text

    def wait_names(self, test):
        return wait_for("the table to change", lambda: test(self.names()))

    def turn_stock(self, stock):
        """Space on the stock, once the cursor is there: Orca says the stock as `stock` and the waste
        as the table names it after the turn, and names no other card on the waste."""
        self.hear("space")
        waste = self.wait_names(lambda n: n[0] == stock and n)[1]
        text = self.hear(None, stock, waste)
        others = set(re.findall(r"Défausse : [^.|]*", text)) - {waste}
        if others:
            raise Failure("after a stock turn Orca said %s where the waste shows %s" % (others, waste))


def card_of(name):
    rank, _, suit = name.partition(" de ")
    return RANKS.index(rank) + 1, suit


def faces(column_name):
    """The face-up cards of a column's name, top down (the name says the front card first), without
    its hidden count."""
    items = column_name.split(" : ", 1)[1].split(", ") if " : " in column_name else []
    return [i for i in items if " de " in i and not i[0].isdigit()][::-1]


def fits(card, on):
    (r, s), (r2, s2) = card_of(card), card_of(on)
    return r == r2 - 1 and (s in RED) != (s2 in RED)


def hidden(column_name):
    m = re.search(r"(\d+) cartes? cachées?", column_name)
    return int(m.group(1)) if m else 0


def play(player):
    p = player
    p.hear(None, "Talon, 24 cartes")  # the game opens on the stock

    # A stock card turns up: the waste says which, on the braille line too.
    p.hear("space", "Talon, 23 cartes")
    waste = p.wait_names(lambda n: n[1] != "Défausse vide" and n)[1]
    p.hear(None, waste)
    p.see(waste)

    # A deal with a column card that fits on another column's last card, its column not emptied by it.
    for _ in range(12):
        names = p.names()
        moves = [(i, j) for i in range(1, 7) for j in range(7) if i != j and hidden(names[6 + i]) > 0
                 and len(faces(names[6 + i])) == 1 and faces(names[6 + j])
                 and fits(faces(names[6 + i])[0], faces(names[6 + j])[-1])]
        if moves:
            break
        p.hear("F2", "Talon, 24 cartes", "Nouvelle donne")
    else:
        raise Failure("no deal with a move to play")
    i, j = moves[0]
    card = faces(names[6 + i])[0]
    held = card + (", tenue" if card.startswith("Dame ") else ", tenu")

    # Taken: the card and that it is held; moving, each place and what is held.
    p.hear(str(i + 1), "Colonne %d" % (i + 1))
    p.hear("space", held)
    p.hear(str(j + 1), "Colonne %d" % (j + 1), held)
    # Put: where it lies now, and the column it left.
    p.hear("space", card)
    names = p.wait_names(lambda n: faces(n[6 + j])[-1:] == [card] and n)
    p.hear(None, names[6 + j], names[6 + i])
    # The back it uncovered turns: the card turned is said.
    p.hear(str(i + 1), names[6 + i])
    p.hear("space")
    p.hear(None, p.wait_names(lambda n: faces(n[6 + i]) and n)[6 + i])

    # Refused: said as refused, the card staying where it was. Put back by Escape: said where.
    names = p.names()
    a, b = next((a, b) for a in range(7) for b in range(7) if a != b and faces(names[6 + a])
                and faces(names[6 + b]) and not fits(faces(names[6 + a])[-1], faces(names[6 + b])[-1]))
    refused = faces(names[6 + a])[-1]
    p.hear(str(a + 1), "Colonne %d" % (a + 1))
    p.hear("space", "tenu")
    p.hear(str(b + 1), "Colonne %d" % (b + 1))
    p.hear("space", "Refusé : %s reste en colonne %d ; il faut une carte " % (refused, a + 1), ", un rang au-dessus")
    p.see("Refusé : %s" % refused, "un rang au-dessus")
    p.hear(str(a + 1), "Colonne %d" % (a + 1))
    p.hear("space", "tenu")
    p.hear("Escape", "%s reposé" % refused, "en colonne %d" % (a + 1))
    p.hear("Escape", "Aucune carte tenue")

    # A new deal: the stock, and that the deal is new.
    p.hear("F2", "Talon, 24 cartes", "Nouvelle donne")

    # The whole table in one utterance, at R: the stock, the waste, the foundations, each column.
    p.hear("r", "Talon : 24 cartes. Défausse vide. Fondations vides. Colonne 1 : ", "Colonne 7 : 6 cachées, ")
    p.see("Talon : 24 cartes. Défausse vide", "Colonne 7 : 6 cachées, ")

    # The whole stock turned, down to its empty marker, then turned back, a key as soon as the last
    # was heard: each turn says the stock's count and the card the table shows on the waste now,
    # never one turned before it.
    for left in range(23, -1, -1):
        p.turn_stock("Talon, %d carte%s" % (left, "s" if left > 1 else "") if left else "Talon vide")
    p.turn_stock("Talon, 24 cartes")

    # Only what helps: a place is not said to be "not selected".
    noise = [line for line in p.transcript if "not selected" in line]
    if noise:
        raise Failure("Orca said what does not help: %s" % noise[0])


# A deal that plays out by foundation moves alone: the columns hold the aces to sevens, each playing
# out from its face-up card down, and the stock turns up the eights to kings in the order the
# foundations want them.
TABLEAU = {27: "Ah", 26: "2h", 24: "3h", 21: "4h", 17: "5h", 12: "6h", 6: "7h", 25: "Ad", 23: "2d", 20: "3d",
           16: "4d", 11: "5d", 5: "6d", 22: "As", 19: "2s", 15: "3s", 10: "4s", 4: "5s", 18: "Ac", 14: "2c",
           9: "3c", 3: "4c", 13: "6s", 8: "7s", 2: "7d", 7: "5c", 1: "6c", 0: "7c"}
STOCK = [r + s for r in "89tJQK" for s in "hdsc"]  # from slot 51 down
KNOWN_DEAL = "".join(TABLEAU[slot] if slot < 28 else STOCK[51 - slot] for slot in range(52))
TITLES = ["Talon", "Défausse"] + ["Fondation %d" % k for k in range(1, 5)] + ["Colonne %d" % c for c in range(1, 8)]
ABOVE = {0: 1, 1: 2, 2: 4, 3: 5, 4: 6, 5: 7}  # the column whose Up reaches a top-row place


def win(player):
    """Plays the known deal to its end by keys, each key heard: a card to its foundation where one
    goes, else a turned-up back, else the stock. The last put says the game is won."""
    p = player
    p.hear(None, "Talon, 24 cartes")

    def go(place):
        if place >= 6:
            p.hear(str(place - 5), TITLES[place])
        else:
            p.hear(str(ABOVE[place]), "Colonne %d" % ABOVE[place])
            p.hear("Up", TITLES[place])

    for _ in range(200):
        names = p.names()
        tops = [None if n.endswith(" vide") else card_of(n.split(" : ")[1]) for n in names[2:6]]
        fronts = ([(1, names[1].split(" : ")[1])] if " : " in names[1] else []) + \
                 [(6 + c, faces(names[6 + c])[-1]) for c in range(7) if faces(names[6 + c])]
        move = next(((place, name, 2 + k) for place, name in fronts for k, top in enumerate(tops)
                     if (top is None and card_of(name)[0] == 1 and None not in tops[:k])
                     or (top is not None and top == (card_of(name)[0] - 1, card_of(name)[1]))), None)
        if move:
            place, name, foundation = move
            go(place)
            p.hear("space", "tenu")
            go(foundation)
            last = sum(1 for top in tops if top is not None and top[0] == 13) == 3 and card_of(name)[0] == 13
            p.hear("space", "%s : %s" % (TITLES[foundation], name), *(["Partie gagnée"] if last else []))
            if last:
                p.see("Partie gagnée")
                return
            continue
        turn = next((c for c in range(7) if not faces(names[6 + c]) and hidden(names[6 + c])), None)
        if turn is not None:
            go(6 + turn)
            p.hear("space", TITLES[6 + turn])
            continue
        go(0)
        p.hear("space", "Talon")
    raise Failure("the known deal was not won")


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    game = os.path.realpath(sys.argv[1])
    # Without them the test is skipped, as tests/needs.sh skips (77), or fails under KORVEL_NO_SKIPS=1:
    # apt-get install --no-install-recommends orca speech-dispatcher speech-dispatcher-espeak-ng
    # espeak-ng python3-pyatspi openbox xvfb dbus at-spi2-core
    missing = [tool for tool in ("Xvfb", "dbus-daemon", "openbox", "speech-dispatcher", "/usr/libexec/at-spi-bus-launcher")
               if shutil.which(tool) is None]
    missing += [module for module, path in (("orca", "/usr/lib/python3/dist-packages/orca"),
                                            ("pyatspi", "/usr/lib/python3/dist-packages/pyatspi")) if not os.path.isdir(path)]
    if missing:
        print("skipped: missing %s" % missing[0])
        sys.exit(1 if os.environ.get("KORVEL_NO_SKIPS") == "1" else 77)
    desktop = Desktop()
    status = 1
    try:
        desktop.up(game)
        players = [Player(desktop)]
        try:
            play(players[0])
            # The won game, in a game started on the known deal, heard from its first words on.
            start = len(read(desktop.log).splitlines())
            desktop.start_game(game, {"KORVEL_SOLITAIRE_DEAL": KNOWN_DEAL})
            players.append(Player(desktop))
            players[1].heard_up_to = start
            win(players[1])
            status = 0
        finally:
            for player in players:
                print("\n".join(player.transcript))
    except Failure as e:
        print("FAILED:", e)
    finally:
        desktop.down()
    sys.exit(status)


if __name__ == "__main__":
    main()
