#!/usr/bin/env python3
"""Two Tarnwake programs on two machines, played by hand.

The machines are network namespaces made here, joined by a veth pair
(alpha 10.77.0.1, beta 10.77.0.2); a third namespace (eve, 10.77.1.2) is
joined to alpha only. Each program has its own X display, data directory and
runtime directory, and both listen on the default port 8170. Everything is
done with real input events (xdotool) and checked in what the programs write:
the network journal and the game log.

    two_machines.py <tarnwake> <dump_records>

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
from twdriver import (Display, Failure, Game, Namespaces, MAIN_ABORT, play_match, shot_lines,
                      tempdir, wait_until)

SKIP = 77


def opponent(name, size=10):
    return "Your opponent: %s (area size: %d)" % (name, size)


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
    ann = Game(exe, displays[0], os.path.join(work, "alpha"), "NewUser", alpha)
    bob = Game(exe, displays[1], os.path.join(work, "beta"), "NewUser", beta)
    games = [ann, bob]
    try:
        step("both programs listen on 8170")
        for g in games:
            check(g.statuses()[0] == "server init: Ok", "%s: %s" % (g.player, g.statuses()))
            g.wait_entry("status", "no connection")
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
        ann.wait_entry("status", "server error!", since=count)

        step("one Ok links both; names and area sizes in both status lines")
        ann.connect("10.77.0.2")
        ann.wait_entry("status", opponent("Bob"))
        bob.wait_entry("status", opponent("Ann"))
        # Host names come from the reverse look-up of each address.
        ann.wait_entry("status", "connection established: beta")
        bob.wait_entry("status", "connection established: alpha")
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
        eve_invites(nets, b"TWKBEGP3|C|Eve|12|TWKENDP|")
        ann.wait_entry("status", opponent("Eve", 12), since=links)
        bob.wait_entry("status", opponent("Ann"), since=bob_count)  # ann told its peer again
        time.sleep(1.5)
        check("red" not in ann.entries("lamp")[1:], "alpha kept its link")
        check(not [s for s in ann.statuses()[links:] if s.startswith("connection established")],
              "alpha did not connect to eve")
        check(len(bob.entries("ask")) == asked and len(ann.entries("ask")) == 0,
              "eve's invitation reached nobody")

        step("records of both players")
        bob.close()
        table = records(dump, bob)
        check(table.get("Bob") == ((1, 0) if winner is bob else (0, 1)), "bob: %r" % table)

        step("a peer that drops mid-match: the computer plays on")
        bob = Game(exe, displays[1], os.path.join(work, "beta"), "Bob", beta)
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
                      {"alpha": "10.77.0.1", "beta": "10.77.0.2", "eve": "10.77.1.2"})
    displays = []
    try:
        displays = [Display(free_display()), None]
        displays[1] = Display(free_display())
        scenario(exe, dump, work, nets, displays)
    except Failure as failure:
        print("FAILED:", failure)
        for name in ("alpha", "beta"):
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
    print("PASSED: two machines linked, chatted, agreed and played a match")
    return 0


if __name__ == "__main__":
    sys.exit(main())
