#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two Tarnwake programs on two machines, played by hand.

The machines are network namespaces made here, joined by a veth pair
(alpha 10.77.0.1 and fd77::1, beta 10.77.0.2 and fd77::2); a third namespace
(eve, 10.77.1.2) is joined to alpha only. The first programs run without any
system bus, so without Avahi; later ones find each other on the network
through an Avahi daemon and a system bus of each machine's own. Each program has its own X display, data directory and
runtime directory, and both listen on the default port 8170. Everything is
done with real input events (xdotool) and checked in what the programs write:
the network journal and the game log.

    two_machines.py <tarnwake> <dump_records>

TW_E2E_ONLY_LAN=1 runs the Avahi and IPv6 part alone.

Needs root (for ip netns), Xvfb and xdotool. Exits 77 (skipped) where
network namespaces cannot be made.
"""

import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from machines import LanDaemons, Namespaces
from twdriver import (Display, Failure, Game, EDITOR_NO, EDITOR_OK, MAIN_ABORT, play_match,
                      shot_lines, tempdir, wait_until)

SKIP = 77


def opponent(name, size=10):
    return "Your opponent: %s (area size: %d)" % (name, size)


def wait_linked_to(game, host, since=0):
    """Waits until game's outgoing connection is up and the peer's host name
    found. The reverse look-up answers when it will: the status names the
    host only if it answers before the opponent's status replaces that text,
    but the host field always gets the name."""
    def linked():
        entries = game.journal()
        statuses = [(t, text) for t, kind, text in entries if kind == "status"][since:]
        up = [t for t, text in statuses if text.startswith("connection established: ")]
        return bool(up) and any(kind == "host" and text == host and t >= up[0]
                                for t, kind, text in entries)
    wait_until(linked, 10, "a link to %s in %s's journal" % (host, game.player))


def free_display():
    for number in range(140 + os.getpid() % 200, 1000):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists(
                "/tmp/.X%d-lock" % number):
            return number
    raise Failure("no free display number")


def records(dump, game):
    out = subprocess.run([dump, game.data, game.runtime], capture_output=True, text=True,
                         timeout=20)
    if out.returncode != 0:
        raise Failure("cannot read the records of %s: %s" % (game.player, out.stderr))
    table = {}
    for line in out.stdout.splitlines():
        name, wins, losses = line.split("\t")
        table[name] = (int(wins), int(losses))
    return table


def step(text):
    print("--", text, flush=True)


def check(condition, text):
    if not condition:
        raise Failure(text)


def eve_invites(nets, text, port=8170):
    """A third machine connects to alpha and says who it is."""
    code = ("import socket,time\n"
            "s=socket.create_connection(('10.77.1.1',%d),timeout=5)\n"
            "s.sendall(%r)\n"
            "s.sendall(b'TWKBEGP3|P|Eve|10|'+b'C'*225+b'|Y|1|TWKENDP|')\n"
            "time.sleep(1.5)\n"
            "s.close()\n") % (port, text)
    subprocess.run(nets.exec_prefix("c") + [sys.executable, "-c", code], check=True, timeout=20)


def scenario(exe, dump, work, nets, displays):
    alpha = nets.exec_prefix("a")
    beta = nets.exec_prefix("b")
    # A system bus nobody listens on: no Avahi, whatever this machine runs.
    no_bus = {"DBUS_SYSTEM_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus")}
    ann = Game(exe, displays[0], os.path.join(work, "alpha"), "NewUser", alpha, no_bus)
    bob = Game(exe, displays[1], os.path.join(work, "beta"), "NewUser", beta, no_bus)
    games = [ann, bob]
    try:
        step("both programs listen on 8170, with no Avahi and no message about it")
        for g in games:
            check(g.statuses()[0] == "server init: Ok", "%s: %s" % (g.player, g.statuses()))
            g.wait_entry("status", "no connection")
            check(not g.display.windows("^:"), "%s shows a message box" % g.player)
        ann.set_name("Ann")
        bob.set_name("Bob")
        for g in games:
            g.switch_log_on()

        step("bad connect input on alpha ends in the status line")
        count = len(ann.statuses())
        ann.connect("10.78.0.1")  # no route from alpha: unreachable
        ann.wait_entry("status", "connection error!", since=count)
        count = len(ann.statuses())
        ann.connect("10.77.0.2", port="70000")
        ann.wait_entry("status", "The port must be from 1 to 65535", since=count)
        count = len(ann.statuses())
        ann.connect("10.77.0.2:65536")
        ann.wait_entry("status", "Not an address: 10.77.0.2:65536", since=count)

        step("one Ok links both; names and area sizes in both status lines")
        ann.connect("10.77.0.2")
        ann.wait_entry("status", opponent("Bob"))
        bob.wait_entry("status", opponent("Ann"))
        # Host names come from the reverse look-up of each address.
        wait_linked_to(ann, "beta")
        wait_linked_to(bob, "alpha")
        for g in games:
            g.wait_entry("lamp", "lime", timeout=5)

        step("chat both ways, typed in the chat window and in the main window")
        ann.chat_in_chat_window("hello bob")
        bob.chat_from_main_window("hi ann")
        for g in games:
            g.wait_entry("chat", "<Ann> hello bob")
            g.wait_entry("chat", "<Bob> hi ann")

        step("an invitation refused")
        for g in games:
            g.generate_fleet()
        time.sleep(0.5)
        ann.press_start()
        bob.wait_entry("ask", "The player Ann inviting you to a new game. At this moment you're "
                       "ready to play. Do you want to start game?")
        bob.answer_box(":-D", ["n"])
        ann.wait_entry("refused", "The user doesn't ready to game, or area sizes miscoincide.")
        ann.answer_box(":(", ["Return"])

        step("an invitation accepted, and the match played to its end")
        ann.press_start()
        bob.wait_entry("ask", "The player Ann inviting you to a new game. At this moment you're "
                       "ready to play. Do you want to start game?")
        bob.answer_box(":-D", ["y"])
        for g in games:
            wait_until(lambda g=g: any("New game" in l for l in g.log()), 10, "the match start")
        check(any(l == "Opponent: Bob" for l in ann.log()), "ann's log: " + repr(ann.log()[-5:]))
        check(any(l == "Opponent: Ann" for l in bob.log()), "bob's log: " + repr(bob.log()[-5:]))
        winner = play_match(ann, bob)
        loser = bob if winner is ann else ann
        for g in games:
            g.close_statistics()
        shots = len(shot_lines(ann.log()))
        check(shots == len(shot_lines(bob.log())), "both logs hold every shot")
        print("   %s won after %d shots" % (winner.player, shots))

        step("an invitation to a player whose fleet is incomplete")
        asked = len(bob.entries("ask"))
        refused = len(ann.entries("refused"))
        ann.generate_fleet()  # the match cleared both fleets; Bob places none
        time.sleep(0.5)
        ann.press_start()
        ann.answer_box(":(", ["Return"])
        check(len(ann.entries("refused")) == refused + 1, "ann was told")
        check(len(bob.entries("ask")) == asked, "bob was not asked")

        step("a third machine's connection invite")
        links = len(ann.entries("status"))
        bob_count = len(bob.statuses())
        eve_invites(nets, b"TWKBEGP3|C|Eve|12|TWKENDP|TWKBEGP3|U|Eve|13|TWKENDP|")
        time.sleep(1.5)
        # A chat line arrives after anything Ann sent before it.
        ann.chat_in_chat_window("after eve")
        bob.wait_entry("chat", "<Ann> after eve")
        check(not [s for s in ann.statuses()[links:] if "Eve" in s],
              "only the peer names the opponent")
        check(opponent("Ann") not in bob.statuses()[bob_count:],
              "eve's invite made ann tell bob again")
        check("red" not in ann.entries("lamp")[1:], "alpha kept its link")
        check(not [s for s in ann.statuses()[links:] if s.startswith("connection established")],
              "alpha did not connect to eve")
        check(len(bob.entries("ask")) == asked and len(ann.entries("ask")) == 0,
              "eve's invitation reached nobody")

        check(not ann.entries("games") and not bob.entries("games"), "nothing found without Avahi")

        step("records of both players")
        bob.close()
        table = records(dump, bob)
        check(table.get("Bob") == ((1, 0) if winner is bob else (0, 1)), "bob: %r" % table)

        step("a peer that drops mid-match: the computer plays on")
        bob = Game(exe, displays[1], os.path.join(work, "beta"), "Bob", beta, no_bus)
        games = [ann, bob]
        ann.connect("10.77.0.2")
        lime = len(ann.entries("lamp"))
        wait_until(lambda: "lime" in ann.entries("lamp")[lime:] or
                   ann.entries("lamp")[-1:] == ["lime"], 10, "the link again")
        bob.generate_fleet()
        time.sleep(0.5)
        ann.press_start()
        bob.answer_box(":-D", ["y"])
        wait_until(lambda: sum("New game" in l for l in ann.log()) == 2, 10, "the second match")
        bob.proc.send_signal(signal.SIGKILL)
        bob.proc.wait(timeout=10)
        # Ann fires until she misses; then the computer takes the turn.
        for cell in range(100):
            if any(l.startswith("computer: ") for l in ann.log()):
                break
            ann.fire(cell // 10, cell % 10)
            time.sleep(0.3)
        wait_until(lambda: any(l.startswith("computer: ") for l in ann.log()), 10,
                   "the computer's shot")
        ann.click(ann.main, MAIN_ABORT)
        ann.answer_box(":-?", ["shift+Tab", "space"])
        ann.close_statistics()
        ann.close()
        table = records(dump, ann)
        expected = (1, 1) if winner is ann else (0, 2)
        check(table.get("Ann") == expected, "ann: %r, expected %r" % (table, expected))
    except Failure:
        for d, name in zip(displays, ("alpha", "beta")):
            if shutil.which("import"):
                shot = os.path.join(work, name + ".png")
                subprocess.run(["import", "-display", d.name, "-window", "root", shot],
                               capture_output=True, timeout=30)
                print("screen of %s: %s" % (name, shot))
        raise
    finally:
        for g in games:
            g.kill()


def service(name, txt, port=8170):
    records = "".join("<txt-record>%s</txt-record>" % t for t in txt)
    return ('<?xml version="1.0" standalone="no"?><service-group><name>%s</name><service>'
            '<type>_tarnwake._tcp</type><port>%d</port>%s</service></service-group>'
            % (name, port, records))


def odd_services():
    """Announcements another program on beta could make, for the list to
    skip: a flood of games on an impossible area size, the packet field
    separator and control characters in names, an overlong name. One odd
    but fair game (Zed, area 12, on beta) is shown."""
    services = {"junk%d.service" % i: service("Junk %d" % i, ["name=Junk%d" % i, "area=99"])
                for i in range(150)}
    services.update({
        "pipe.service": service("Pipe", ["name=Ann|C|Bob", "area=10"]),
        "tab.service": service("Tab", ["name=Tab&#9;Name", "area=10"]),
        "newline.service": service("Newline", ["name=New&#10;line", "area=10"]),
        "long.service": service("Long", ["name=" + "L" * 4000, "area=10"]),
        "noarea.service": service("No area", ["name=Nobody"]),
        "zed.service": service("Zed", ["name=Zed", "area=12"]),
    })
    return services


def rows_of(game, start):
    return [row for row in game.found_games() if row.startswith(start)]


def lan_scenario(exe, work, nets, displays):
    """Games found through Avahi, and a link and a match over IPv6."""
    daemons = []
    games = []
    try:
        step("an Avahi daemon with its own system bus on alpha and on beta")
        for ns, host, services in (("a", "alpha", {}), ("b", "beta", odd_services())):
            daemons.append(LanDaemons(nets, ns, host, nets.devices[ns][:1],
                                      os.path.join(work, "lan-" + host), services))
        ann = Game(exe, displays[0], os.path.join(work, "alpha-lan"), "NewUser",
                   nets.exec_prefix("a"), {"DBUS_SYSTEM_BUS_ADDRESS": daemons[0].bus})
        games.append(ann)
        bob = Game(exe, displays[1], os.path.join(work, "beta-lan"), "NewUser",
                   nets.exec_prefix("b"), {"DBUS_SYSTEM_BUS_ADDRESS": daemons[1].bus})
        games.append(bob)

        step("each finds the other, and the list follows a change of name")
        for g in games:
            wait_until(lambda g=g: rows_of(g, "NewUser (10), "), 30,
                       "the other game in %s's list" % g.dir)
        ann.set_name("Ann")
        bob.set_name("Bob")
        for g, other in ((ann, "Bob"), (bob, "Ann")):
            wait_until(lambda g=g, other=other: rows_of(g, other + " (10), ") and
                       not rows_of(g, "NewUser"), 30, other + " in the list of " + g.player)
            check(not rows_of(g, g.player + " "), "%s lists its own game" % g.player)
        print("   beta's list:", bob.found_games())

        step("odd announcements on beta are left out of alpha's list, a fair one is shown")
        wait_until(lambda: rows_of(ann, "Zed (12), beta"), 30, "Zed in alpha's list")
        time.sleep(2)
        rows = ann.found_games()
        check(all(r.startswith("Bob (10), ") or r.startswith("Zed (12), ") for r in rows),
              "alpha's list: %r" % rows)
        print("   alpha's list:", rows)

        step("choosing Ann in beta's list and Ok links both, over IPv6")
        bob.choose_found_game("Ann (10), ")
        bob.wait_entry("chosen", "fd77::1")
        bob.click(bob.editor, EDITOR_OK)
        wait_linked_to(bob, "alpha")
        ann.wait_entry("status", opponent("Bob"))
        bob.wait_entry("status", opponent("Ann"))
        for g in games:
            g.wait_entry("lamp", "lime", timeout=5)

        step("unlinked, then an IPv6 address typed links again")
        for g in games:
            g.click(g.editor, EDITOR_NO)
        for g in games:
            wait_until(lambda g=g: g.entries("lamp")[-1:] == ["red"], 5, "a red lamp")
        count = len(ann.statuses())
        ann.connect("fd77::2")
        wait_linked_to(ann, "beta", since=count)
        ann.wait_entry("status", opponent("Bob"), since=count)
        for g in games:
            wait_until(lambda g=g: g.entries("lamp")[-1:] == ["lime"], 5, "a lime lamp")

        step("a match over IPv6")
        for g in games:
            g.switch_log_on()
            g.generate_fleet()
        time.sleep(0.5)
        ann.press_start()
        bob.answer_box(":-D", ["y"])
        for g in games:
            wait_until(lambda g=g: any("New game" in l for l in g.log()), 10, "the match start")
        winner = play_match(ann, bob)
        for g in games:
            g.close_statistics()
        check(len(shot_lines(ann.log())) == len(shot_lines(bob.log())), "both logs hold every shot")
        print("   %s won over IPv6" % winner.player)

        step("a game that ends is withdrawn from the other's list")
        bob.close()
        wait_until(lambda: not rows_of(ann, "Bob "), 20, "Bob gone from alpha's list")
    finally:
        for g in games:
            g.kill()
        for d in daemons:
            d.stop()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    exe, dump = sys.argv[1], sys.argv[2]
    if os.geteuid() != 0 or not Namespaces.available():
        print("SKIPPED: network namespaces cannot be made here (needs root and ip netns)")
        return SKIP
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("FAILED: %s is missing (scripts/deps.txt)" % tool)
            return 1
    work = tempdir("tw-e2e-")
    nets = Namespaces(["a", "b", "c"], [("a", "b"), ("a", "c")],
                      {"alpha": ["10.77.0.1", "fd77::1"], "beta": ["10.77.0.2", "fd77::2"],
                       "eve": "10.77.1.2"})
    displays = []
    try:
        displays = [Display(free_display()), None]
        displays[1] = Display(free_display())
        if os.environ.get("TW_E2E_ONLY_LAN") != "1":
            scenario(exe, dump, work, nets, displays)
        lan_scenario(exe, work, nets, displays)
    except Failure as failure:
        print("FAILED:", failure)
        for name in ("alpha", "beta", "alpha-lan", "beta-lan", "lan-alpha/avahi.log",
                     "lan-beta/avahi.log"):
            if name.endswith(".log"):
                path = os.path.join(work, name)
                if os.path.exists(path):
                    with open(path, errors="replace") as f:
                        print("==== %s (tail)\n%s" % (name, "".join(f.readlines()[-15:])))
                continue
            for file in ("journal", "output", "data/TWLog.txt"):
                path = os.path.join(work, name, file)
                if os.path.exists(path):
                    print("==== %s/%s (tail)" % (name, file))
                    with open(path, errors="replace") as f:
                        print("".join(f.readlines()[-25:]))
        return 1
    finally:
        for d in displays:
            if d:
                d.stop()
        nets.remove()
    shutil.rmtree(work, ignore_errors=True)
    print("PASSED: two machines linked, chatted, agreed and played a match, over IPv4 and "
          "IPv6, and found each other through Avahi")
    return 0


if __name__ == "__main__":
    sys.exit(main())
