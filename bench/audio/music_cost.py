#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""What music at idle costs: the real program against FluidSynth's own player.

    python3 bench/audio/music_cost.py [build/src/tarnwake] [--seconds N]

Starts a private sound server and a virtual display, starts the game with
music on (a fresh data directory: the idle track MAIN1 plays at start-up),
and measures its processor time over N seconds (default 20) of idle with
the track playing, and its resident memory at the end. Then, into the same
server in the same run, the fluidsynth command-line player plays the same
track with its default settings, measured the same way. Prints both, their
ratio, and the game's figures with TARNWAKE_SILENT=1 for reference.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
sys.path.insert(0, os.path.join(ROOT, "tests", "audio"))

from pulseserver import PulseServer  # noqa: E402

# The soundfont the game plays with: the small one where it is installed.
SOUNDFONT = next(f for f in ("/usr/share/sounds/sf2/TimGM6mb.sf2",
                             "/usr/share/sounds/sf2/default-GM.sf2")
                 if os.path.exists(f) or f.endswith("default-GM.sf2"))
TRACK = os.path.join(ROOT, "assets", "music", "main1.mid")
TICKS = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS  # utime, stime


def resident_mib(pid):
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1]) / 1024
    return 0.0


def measure(proc, seconds):
    """Share of one core and resident memory over the given time."""
    start_cpu, start = cpu_seconds(proc.pid), time.monotonic()
    time.sleep(seconds)
    used, elapsed = cpu_seconds(proc.pid) - start_cpu, time.monotonic() - start
    return 100.0 * used / elapsed, resident_mib(proc.pid)


def wait_for_stream(server, timeout=15):
    deadline = time.monotonic() + timeout
    while server.streams() == 0:
        if time.monotonic() > deadline:
            return False
        time.sleep(0.1)
    return True


def free_display():
    for n in range(140, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % n) and not os.path.exists("/tmp/.X%d-lock" % n):
            return n
    raise RuntimeError("no free display")


def stop(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()


def run_game(exe, server, display, seconds, silent):
    work = tempfile.mkdtemp(prefix="tw-bench-")
    try:
        env = server.client_env()
        env.update(DISPLAY=display, QT_QPA_PLATFORM="xcb", TARNWAKE_DATA_DIR=work,
                   XDG_RUNTIME_DIR=work, LANG="C.UTF-8", TARNWAKE_PORT_MAPPING="off")
        if silent:
            env["TARNWAKE_SILENT"] = "1"
        proc = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        try:
            if silent:
                time.sleep(3)
            elif not wait_for_stream(server):
                raise RuntimeError("the game's music never reached the server")
            time.sleep(2)  # past the start-up's own work
            return measure(proc, seconds)
        finally:
            stop(proc)
    finally:
        shutil.rmtree(work, ignore_errors=True)


def run_cli(server, seconds):
    proc = subprocess.Popen(["fluidsynth", "-ni", "-q", "-a", "pulseaudio", SOUNDFONT, TRACK],
                            env=server.client_env(), stdin=subprocess.DEVNULL,
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        if not wait_for_stream(server):
            raise RuntimeError("fluidsynth never reached the server")
        time.sleep(2)
        return measure(proc, seconds)
    finally:
        stop(proc)


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("exe", nargs="?", default=os.path.join(ROOT, "build", "src", "tarnwake"))
    ap.add_argument("--seconds", type=float, default=20)
    args = ap.parse_args()
    for tool in ("pulseaudio", "fluidsynth", "Xvfb"):
        if not shutil.which(tool):
            print("needs " + tool)
            return 77
    number = free_display()
    xvfb = subprocess.Popen(["Xvfb", ":%d" % number, "-screen", "0", "1280x1024x24", "-nolisten",
                             "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(1)
        with PulseServer() as server:
            game_cpu, game_rss = run_game(args.exe, server, ":%d" % number, args.seconds, False)
            cli_cpu, cli_rss = run_cli(server, args.seconds)
            silent_cpu, silent_rss = run_game(args.exe, server, ":%d" % number, args.seconds,
                                              True)
    finally:
        stop(xvfb)
    print("music at idle, %.0f s of main1, one private sound server:" % args.seconds)
    print("  tarnwake            %5.2f %% of a core  %5.1f MiB resident" % (game_cpu, game_rss))
    print("  fluidsynth CLI      %5.2f %% of a core  %5.1f MiB resident" % (cli_cpu, cli_rss))
    print("  tarnwake, silent    %5.2f %% of a core  %5.1f MiB resident" % (silent_cpu, silent_rss))
    print("  tarnwake / CLI      %5.2f" % (game_cpu / cli_cpu if cli_cpu else float("inf")))
    return 0


if __name__ == "__main__":
    sys.exit(main())
