#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""How soon a shot's effect is heard: the real program against a private
sound server.

    python3 bench/audio/effect_latency.py [build/src/tarnwake] [--shots N]

Starts a private sound server and a virtual display, starts the game with
Music off and Sound on, begins a match against the computer and fires N
shots (default 12) of the player's with real clicks, recording the sound
server's output all along. For each shot it finds the first 2 ms of the
recording that are louder than -50 dBFS after the click and prints the
delay from the click: minimum, median and maximum.

The recording's clock is set from the lowest delay seen between the
samples written and the wall clock, so it runs at most a few milliseconds
late: the figures may be that much too low, never too high.
"""

import argparse
import math
import os
import shutil
import struct
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "audio"))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))

from pulseserver import PulseServer  # noqa: E402
from twdriver import Display, Game, Pixels, opponent_cell, shot_lines, tempdir  # noqa: E402

RATE = 44100
MAIN_MUSIC = (46, 150)
THRESHOLD = 10 ** (-50 / 20) * 32768
BLOCK = int(0.002 * RATE)


class Recording:
    """The sink's monitor, with the wall-clock time of its first sample."""

    def __init__(self, server, path):
        self.path = path
        self.proc = subprocess.Popen(
            ["parec", "--device=tw.monitor", "--raw", "--format=s16le", "--channels=2",
             "--rate=%d" % RATE, "--latency-msec=5", path],
            env=server.client_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.start = None
        self.running = True
        self.thread = threading.Thread(target=self._clock)
        self.thread.start()

    def _clock(self):
        while self.running:
            try:
                size = os.path.getsize(self.path)
            except FileNotFoundError:
                size = 0
            if size:
                start = time.monotonic() - size / (4.0 * RATE)
                self.start = start if self.start is None else min(self.start, start)
            time.sleep(0.003)

    def onset(self, since, within=1.0):
        """Seconds from since to the first loud block, or None."""
        with open(self.path, "rb") as f:
            data = f.read()
        samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])
        first = max(0, int((since - self.start) * RATE))
        last = min(len(samples) // 2, first + int(within * RATE))
        for frame in range(first, last - BLOCK, BLOCK):
            chunk = samples[2 * frame:2 * (frame + BLOCK)]
            if math.sqrt(sum(v * v for v in chunk) / len(chunk)) > THRESHOLD:
                return (frame - first) / RATE
        return None

    def stop(self):
        self.running = False
        self.thread.join()
        self.proc.terminate()
        self.proc.wait(timeout=5)


def my_turn(game):
    shots = shot_lines(game.log())
    if not shots:
        return None
    return shots[-1].startswith(game.player + ":") != shots[-1].endswith(" wrong")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("exe", nargs="?", default=os.path.join(ROOT, "build", "src", "tarnwake"))
    parser.add_argument("--shots", type=int, default=12)
    args = parser.parse_args()
    for tool in ("Xvfb", "xdotool", "pulseaudio", "parec"):
        if not shutil.which(tool):
            sys.exit("%s is missing (scripts/deps.txt)" % tool)
    work = tempdir("tw-latency-")
    display = Display(700 + os.getpid() % 200)
    server = PulseServer()
    game = record = pixels = None
    try:
        record = Recording(server, os.path.join(work, "monitor.raw"))
        game = Game(args.exe, display, os.path.join(work, "game"), "NewUser",
                    env=dict(server.env, TARNWAKE_SILENT="0"))
        pixels = Pixels(display)
        game.click(game.main, MAIN_MUSIC)  # off: what is heard is the effects
        game.switch_log_on()
        game.generate_fleet()
        game.press_start()
        delays, cell = [], 0
        deadline = time.monotonic() + 60 + 5 * args.shots
        while len(delays) < args.shots and cell < 100 and time.monotonic() < deadline:
            if my_turn(game) is False:
                time.sleep(0.2)
                continue
            before = len(shot_lines(game.log()))
            game.display.move(game.main, opponent_cell(cell // 10, cell % 10))
            time.sleep(1.2)  # the last effect has died away
            clicked = time.monotonic()
            pixels.click()
            time.sleep(0.5)
            if len(shot_lines(game.log())) > before:
                cell += 1
                time.sleep(0.6)
                delay = record.onset(clicked)
                if delay is not None:
                    delays.append(delay)
        if not delays:
            sys.exit("no effect was heard")
        print("each, in order (ms):", " ".join("%.0f" % (d * 1000) for d in delays))
        ms = sorted(d * 1000 for d in delays)
        print("effect heard after the click, %d shots: min %.0f ms, median %.0f ms, max %.0f ms"
              % (len(ms), ms[0], ms[len(ms) // 2], ms[-1]))
    finally:
        if pixels:
            pixels.close()
        if game:
            game.kill()
        if record:
            record.stop()
        server.remove()
        display.stop()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
