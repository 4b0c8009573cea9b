#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Two homes on the internet, a Tarnwake in each, played by hand.

Each home sits behind a router namespace that masquerades it and runs the
real miniupnpd (routers.py); an internet namespace joins the routers on the
documentation ranges 198.51.100.0/24 and 203.0.113.0/24.

- Both routers map: each game shows the address to give a friend, its
  router's external address and port; Bob types Ann's into the IP field and
  presses Ок!; the link comes up both ways, a chat line goes each way, and a
  whole match is played. Once both games have ended (Ann's closed, Bob's by
  SIGTERM), neither router keeps a mapping.
- Bob's router opens no port (no UPnP, no NAT-PMP): Bob reaches Ann, whose
  router does; Ann cannot connect back, so the link runs both ways over
  Bob's connection, and each status line says which way; a whole match.
- No gateway at all: the game says so within a few seconds, and the port
  stays closed.
- Another program holds the game's port at the start: the game says which
  port is taken and asks the router for nothing; once that program has
  ended, the game takes the port and its address is shown.
- A scripted gateway that answers junk, a huge reply or nothing: the window
  answers every click within 0.1 s while the game asks it, the game says no
  port was opened, and its memory stays bounded.

    internet_play.py <tarnwake>

Needs root (ip netns), Xvfb, xdotool, nft and miniupnpd; exits 77, skipped,
where they are missing.
"""

import contextlib
import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import routers
from twdriver import (MAIN_MUSIC, Display, Failure, Game, Pixels, answer_time, around,
                      chat_both_ways, check, free_display, invite_and_play, print_journals, step,
                      tempdir, wait_until)

SKIP = 77
# Start to the address shown: discovery waits a second per kind of device
# it looks for. A generous bound that only catches a hang.
ADDRESS_SECONDS = 15
NO_GATEWAY_SECONDS = 10
# A click is answered by a repaint in milliseconds; the bound tells a window
# held by the frozen party (for as long as it stays frozen) from one slowed by
# a loaded machine.
ANSWER_LIMIT = 1.0
# The game's own peak plus what it may hold of a gateway's reply.
PEAK_MEMORY_KB = 80 * 1024
# Another program that holds a TCP port, on every IPv4 address. It may
# reuse the address as servers do (the games before it leave connections
# in TIME_WAIT there); a socket listening still keeps the port from others.
PORT_HOLDER = """
import socket, sys, time
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("0.0.0.0", int(sys.argv[1]))); s.listen(1)
print("holding", flush=True)
time.sleep(3600)
"""


def start_game(exe, nets, k, display, work, name):
    # A system bus nobody listens on: no Avahi, whatever this machine runs.
    env = {"TARNWAKE_PORT_MAPPING": "on",
           "DBUS_SYSTEM_BUS_ADDRESS": "unix:path=" + os.path.join(work, "no-bus")}
    started = time.monotonic()
    game = Game(exe, display, os.path.join(work, name), "NewUser", nets.exec_prefix("home%d" % k),
                env)
    game.started = started
    return game


def own_address(game, timeout):
    """The first final line the game shows of its address, and how long
    after the start it came."""
    def final():
        lines = [(t, text) for t, kind, text in game.journal() if kind == "own-address"]
        return next(((t, text) for t, text in lines if "asking" not in text), None)
    wait_until(lambda: final() is not None, timeout, "the address of " + game.player)
    t, text = final()
    return text, t / 1e6 - game.started


@contextlib.contextmanager
def ann_and_bob(exe, nets, work, displays, suffix, gateways):
    """Ann at home 0 and Bob at home 1, named and logging, with miniupnpd on
    the routers given; on a failure their journals are shown, and at the
    end both games and the gateways stop."""
    for k in gateways:
        nets.start_gateway(k)
    games = []
    try:
        for k, name in enumerate(("Ann", "Bob")):
            games.append(start_game(exe, nets, k, displays[k], work, name.lower() + suffix))
            games[-1].set_name(name)
            games[-1].switch_log_on()
        yield games
    except Failure:
        print_journals(games)
        raise
    finally:
        for g in games:
            g.kill()
        for k in gateways:
            nets.stop_gateway(k)


def both_mapped(exe, nets, work, displays):
    with ann_and_bob(exe, nets, work, displays, "", gateways=(0, 1)) as games:
        ann, bob = games
        step("each game shows its router's address")
        for g, k in ((ann, 0), (bob, 1)):
            text, after = own_address(g, ADDRESS_SECONDS)
            check(text == "Your address: %s:8170" % nets.wan(k), "%s: %r" % (g.player, text))
            print("   %s: %r, %.1f s after the start" % (g.player, text, after))
        for k in (0, 1):
            check(nets.nft_mappings(k), "router %d keeps the mapping" % k)

        step("Bob types Ann's address; both links come up through the routers")
        bob.connect(nets.wan(0))
        ann.wait_entry("status", "Your opponent: Bob (area size: 10)", timeout=15)
        bob.wait_entry("status", "Your opponent: Ann (area size: 10)", timeout=15)
        for g in games:
            g.wait_entry("lamp", "lime", timeout=5)

        step("chat both ways, and a whole match")
        chat_both_ways(ann, bob, "hello bob", "hi ann")
        print("   %s won" % invite_and_play(bob, ann).player)

        step("once both games have ended (closed, and by SIGTERM), no mapping is left")
        ann.close()
        bob.proc.send_signal(signal.SIGTERM)
        check(bob.proc.wait(timeout=10) == 0, "bob's exit status")
        for k in (0, 1):
            check(not nets.nft_mappings(k), "router %d: %r" % (k, nets.nft_mappings(k)))


def one_side_mapped(exe, nets, work, displays):
    with ann_and_bob(exe, nets, work, displays, "-one", gateways=(0,)) as games:
        ann, bob = games
        text, _ = own_address(ann, ADDRESS_SECONDS)
        check(text == "Your address: %s:8170" % nets.wan(0), "ann: %r" % text)
        text, _ = own_address(bob, NO_GATEWAY_SECONDS)
        check(text == "No router answered: no port opened", "bob: %r" % text)

        step("Bob reaches Ann; the link runs over Bob's connection alone")
        bob.connect(nets.wan(0))
        ann.wait_entry("status", "Your opponent: Bob (area size: 10) - one connection, theirs",
                       timeout=15)
        bob.wait_entry("status", "Your opponent: Ann (area size: 10) - one connection, ours",
                       timeout=15)
        for g in games:
            g.wait_entry("lamp", "lime", timeout=5)
        check("connection error!" not in ann.statuses(), "ann: %r" % ann.statuses())

        step("chat and a whole match over the one connection")
        chat_both_ways(bob, ann, "one way", "and back")
        print("   %s won" % invite_and_play(ann, bob).player)
        for g in games:
            g.close()
        check(not nets.nft_mappings(0), "router 0: %r" % nets.nft_mappings(0))


def no_gateway(exe, nets, work, displays):
    ann = start_game(exe, nets, 0, displays[0], work, "ann-alone")
    try:
        step("no gateway: the game says so within a few seconds")
        text, after = own_address(ann, NO_GATEWAY_SECONDS)
        check(text == "No router answered: no port opened", repr(text))
        print("   %r, %.1f s after the start" % (text, after))
        ann.close()
    finally:
        ann.kill()


def port_busy(exe, nets, work, displays):
    nets.start_gateway(0)
    holder = subprocess.Popen(nets.exec_prefix("home0") +
                              [sys.executable, "-c", PORT_HOLDER, "8170"],
                              stdout=subprocess.PIPE, text=True)
    ann = None
    try:
        check(holder.stdout.readline().strip() == "holding", "the program holding the port")
        ann = start_game(exe, nets, 0, displays[0], work, "ann-busy")
        step("another program holds the port: the game says which, and maps nothing")
        text, after = own_address(ann, ADDRESS_SECONDS)
        check(text == "Port 8170 is taken by another program", repr(text))
        print("   %r, %.1f s after the start" % (text, after))
        check(not nets.nft_mappings(0), "router 0: %r" % nets.nft_mappings(0))

        step("that program ends: the game takes the port and shows its address")
        holder.kill()
        holder.wait()
        freed = time.monotonic()
        wanted = "Your address: %s:8170" % nets.wan(0)
        wait_until(lambda: wanted in ann.entries("own-address"), ADDRESS_SECONDS,
                   "%r in ann's journal" % wanted)
        print("   %r, %.1f s after the port was free" % (wanted, time.monotonic() - freed))
        check(nets.nft_mappings(0), "router 0 holds no mapping")
        ann.close()
        check(not nets.nft_mappings(0), "router 0: %r" % nets.nft_mappings(0))
    except Failure:
        if ann:
            print_journals([ann])
        raise
    finally:
        if ann:
            ann.kill()
        holder.kill()
        holder.wait()
        nets.stop_gateway(0)


def peak_memory_kb(game):
    with open("/proc/%d/status" % game.proc.pid) as f:
        for line in f:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return 0


def fake_gateways(exe, nets, work, displays):
    for mode in ("junk", "huge", "silent"):
        step("a gateway that answers %s: every click is answered" % mode)
        nets.start_fake_gateway(0, mode)
        game = start_game(exe, nets, 0, displays[0], work, "ann-" + mode)
        pixels = Pixels(displays[0])
        try:
            answers = []
            # While the game asks the gateway, and a little after.
            while len(answers) < 6 or not [t for t in game.entries("own-address")
                                           if "asking" not in t]:
                answers.append(answer_time(game, pixels, MAIN_MUSIC, around(MAIN_MUSIC, 6)))
                check(len(answers) < 200, "the game kept asking the gateway")
            text = [t for t in game.entries("own-address") if "asking" not in t][0]
            peak = peak_memory_kb(game)
            shown = ["-" if t is None else "%.0f" % (t * 1000) for t in answers]
            print("   %r; clicks answered in (ms): %s; peak %d MiB" %
                  (text, " ".join(shown), peak // 1024), flush=True)
            check(text in ("No router answered: no port opened",
                           "The router refused to open the port"), repr(text))
            check(answers and all(t is not None and t <= ANSWER_LIMIT for t in answers),
                  "clicks answered late or never")
            check(peak <= PEAK_MEMORY_KB, "peak memory %d KiB" % peak)
            game.close()
        finally:
            pixels.close()
            game.kill()
            nets.stop_gateway(0)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    exe = os.path.abspath(sys.argv[1])
    if not routers.available() or not shutil.which("Xvfb") or not shutil.which("xdotool"):
        print("skipped: needs network namespaces, nft, miniupnpd, Xvfb and xdotool")
        return SKIP
    work = tempdir("twinternet")
    displays = []
    try:
        for base in (500, 600):
            displays.append(Display(free_display(base)))
        with routers.HomeRouters(os.path.join(work, "routers"), count=2) as nets:
            both_mapped(exe, nets, work, displays)
            one_side_mapped(exe, nets, work, displays)
            no_gateway(exe, nets, work, displays)
            port_busy(exe, nets, work, displays)
            fake_gateways(exe, nets, work, displays)
    except Failure as failure:
        print("FAILED:", failure, flush=True)
        return 1
    finally:
        for d in displays:
            d.stop()
        shutil.rmtree(work, ignore_errors=True)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
