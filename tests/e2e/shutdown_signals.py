#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""SIGTERM, SIGINT and SIGHUP end the real program the way closing it does.

Each start runs the real binary on its own virtual X display, with its own
data and runtime directories; input is real (xdotool). After the signal the
program must have exited by itself with status 0, saved its records, deleted
its music files and released its lock, so that the next start works. A
signal in the middle of a match saves the records without counting it.
Whichever way it ends, the score file is written exactly once (the renames
onto it are counted through inotify).

    shutdown_signals.py <tarnwake> <dump_records>

Needs Xvfb and xdotool (exits 77, skipped, without them). The program listens
on port 8170 of this machine; when that port is taken it runs on without
listening, which these checks do not need.
"""

import glob
import os
import shutil
import signal
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from twdriver import (Display, Failure, Game, MAIN_ABORT, Renames, check, free_display, step,
                      tempdir, wait_until)

SKIP = 77


def records(dump, game):
    out = subprocess.run([dump, game.data, os.path.join(game.dir, "scratch")],
                         capture_output=True, text=True, timeout=20)
    check(out.returncode == 0, "no readable score file: " + out.stderr.strip())
    return [line.split("\t") for line in out.stdout.splitlines()]


def private_files(game, pattern):
    return glob.glob(os.path.join(game.runtime, "**", pattern), recursive=True)


def start(exe, display, workdir):
    return Game(exe, display, workdir, "NewUser", env={"TARNWAKE_SILENT": "1"})


def score_file_writes(game, end, what):
    """Ends the game by end() and checks that the score file was written
    exactly once on the way out."""
    writes = Renames(game.data, "tarnwake.hsc")
    try:
        end()
        count = writes.total()
    finally:
        writes.close()
    print("   score file written %d time(s) on %s" % (count, what), flush=True)
    check(count == 1, "the score file was written %d times on %s" % (count, what))


def end_by_signal(game, signum):
    name = signal.Signals(signum).name
    check(len(private_files(game, "twkm*.mid")) == 13, "the music files were not written")
    check(private_files(game, "*.lock"), "no lock was taken")

    def end():
        game.proc.send_signal(signum)
        try:
            status = game.proc.wait(timeout=20)
        except subprocess.TimeoutExpired:
            game.kill()
            raise Failure("the program did not end on " + name)
        check(status == 0, "exit status %d on %s" % (status, name))

    score_file_writes(game, end, name)
    check(not private_files(game, "twkm*.mid"), "music files left behind")
    check(not private_files(game, "*.lock"), "the lock was left behind")


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    exe, dump = sys.argv[1], sys.argv[2]
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("skipped: %s is missing" % tool)
            return SKIP

    workdir = tempdir("tw-signals-")
    os.makedirs(os.path.join(workdir, "scratch"), mode=0o700)
    display = Display(free_display(400))
    game = None
    try:
        score_file = os.path.join(workdir, "data", "tarnwake.hsc")
        for signum in (signal.SIGTERM, signal.SIGINT, signal.SIGHUP):
            name = signal.Signals(signum).name
            step("idle, " + name)
            if os.path.exists(score_file):
                os.remove(score_file)
            game = start(exe, display, workdir)
            end_by_signal(game, signum)
            check(os.path.exists(score_file), "no records saved on " + name)
            check(records(dump, game) == [], "records appeared from nowhere")

        step("a match lost, then SIGTERM in the next match")
        game = start(exe, display, workdir)
        game.switch_log_on()
        game.generate_fleet()
        game.press_start()
        wait_until(lambda: any("New game" in line for line in game.log()), 10,
                   "the match start")
        # Abort counts the match as a loss at once: one counted match.
        game.click(game.main, MAIN_ABORT)
        game.answer_box(":-?", ["shift+Tab", "space"])
        game.close_statistics()
        wait_until(lambda: records(dump, game) == [["NewUser", "0", "1"]], 10,
                   "the loss saved while the game runs")
        os.remove(score_file)
        game.generate_fleet()
        game.press_start()
        wait_until(lambda: sum("New game" in line for line in game.log()) == 2, 10,
                   "the second match start")
        end_by_signal(game, signal.SIGTERM)
        check(records(dump, game) == [["NewUser", "0", "1"]],
              "the interrupted match was counted, or the first one lost")

        step("the next start works and closes normally")
        game = start(exe, display, workdir)
        score_file_writes(game, game.close, "a close")
        check(game.proc.returncode == 0, "exit status %d" % game.proc.returncode)
        check(not private_files(game, "twkm*.mid"), "music files left behind")
        game = None
        print("ok")
        return 0
    except Failure as failure:
        print("FAILED:", failure)
        if game:
            with open(os.path.join(game.dir, "output"), errors="replace") as f:
                print(f.read())
        return 1
    finally:
        if game:
            game.kill()
        display.stop()
        shutil.rmtree(workdir, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
