#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Something odd where the game keeps its files, and signals during the start.

    odd_files.py <tarnwake> <dump_records>

Where tarnwake.hsc or TWLog.txt should be, each of a FIFO (whose open waits
for a writer for ever), a directory and a listening socket: the game shows
its window within a second, plays a match (aborted, so it counts), closes
with status 0, and the odd thing is still there, as it was, with nothing
made beside it.

Where tarnwake.conf or its old lock file tarnwake.conf.lock should be, each
of a FIFO, a directory, a listening socket, a symbolic link to the score file
and a 50 MB file of distinct keys: the window stays live, a click on the
switch that opens the port on the router is answered at once (the figures
are printed; the check is a generous bound), the score file is not touched,
and the game closes with status 0. A link or a large settings file is
replaced by the settings written; anything else odd is left as it was.

Then SIGTERM, SIGINT or SIGHUP at moments of the start, from the first
moment the program catches them to after its window is shown: before the
window exists it ends at once, killed by the signal, any lock it leaves one
of a dead process that the next start takes over; after that it ends with
status 0 and its lock removed; a FIFO in the score file's place is left as
it was.

Last, a display that accepts the connection and never answers (a listening
Unix or TCP socket): SIGTERM 0, 0.1, 0.5 and 2 s into the start, and SIGINT
and SIGHUP 2 s into it, end the program within a second, killed by the
signal, with nothing made in its directories.

Needs Xvfb and xdotool (exits 77, skipped, without them).
"""

import glob
import os
import shutil
import signal
import socket
import stat
import subprocess
import sys
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from twdriver import (EDITOR_PORT_MAPPING, MAIN_ABORT, Display, Failure, Game,  # noqa: E402
                      Pixels, check, free_display, step, tempdir, wait_until)

SKIP = 77
# A start takes well under a second; the bound only tells a start held by an
# odd file (for good: a FIFO never answers) from one slowed by a loaded
# machine or the sanitizers. How fast the start is belongs to the benchmarks.
START_LIMIT = 10.0
SANITIZED_START_LIMIT = 15.0
# The program must end within a second of the signal; the check leaves room
# for a loaded machine and still tells an end from a start waiting for ever.
END_LIMIT = 5.0
KINDS = ("FIFO", "directory", "socket")
NAMES = ("tarnwake.hsc", "TWLog.txt")
SETTINGS_KINDS = KINDS + ("link to the score file", "50 MB file")
SETTINGS_NAMES = ("tarnwake.conf", "tarnwake.conf.lock")
# A click is answered in milliseconds; the bound only catches one held for
# good, without racing a loaded machine.
CLICK_LIMIT = 2.0


class OddFile:
    """A FIFO, a directory, a listening socket, a symbolic link to target or
    a large file of distinct keys at path."""

    def __init__(self, kind, path, target=None):
        self.kind, self.path, self.socket = kind, path, None
        if kind == "FIFO":
            os.mkfifo(path, 0o600)
        elif kind == "directory":
            os.mkdir(path)
        elif kind == "socket":
            self.socket = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            self.socket.bind(path)
            self.socket.listen(1)
        elif kind.startswith("link"):
            os.symlink(target, path)
        else:
            with open(path, "w") as f:
                f.write("[network]\n")
                lines = ("key%d=%d\n" % (i, i) for i in range(3_500_000))
                f.writelines(lines)
                f.truncate(50 * 1024 * 1024)
        self.inode = os.lstat(path).st_ino
        self.size = os.lstat(path).st_size

    def intact(self):
        try:
            info = os.lstat(self.path)
        except FileNotFoundError:
            return False
        kind = {"FIFO": stat.S_ISFIFO, "directory": stat.S_ISDIR, "socket": stat.S_ISSOCK,
                "link": stat.S_ISLNK}.get(self.kind.split()[0], stat.S_ISREG)
        unchanged = info.st_ino == self.inode and kind(info.st_mode)
        if self.kind == "directory":
            return unchanged and not os.listdir(self.path)
        return unchanged and info.st_size == self.size

    def remove(self):
        if self.socket:
            self.socket.close()
        if os.path.isdir(self.path):
            shutil.rmtree(self.path)
        elif os.path.lexists(self.path):
            os.remove(self.path)


def sanitized(exe):
    with open(exe, "rb") as f:
        return b"__asan_init" in f.read()


def environment(display, work):
    data, runtime = os.path.join(work, "data"), os.path.join(work, "run")
    os.makedirs(data, exist_ok=True)
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = dict(os.environ, DISPLAY=display.name, TARNWAKE_DATA_DIR=data,
               XDG_RUNTIME_DIR=runtime, QT_QPA_PLATFORM="xcb", LANG="C.UTF-8",
               TARNWAKE_SILENT="1", TARNWAKE_PORT_MAPPING="off")
    return env, data, runtime


def time_to_window(exe, display, work):
    """Seconds from the start to the main window painted (the program ends
    itself at that moment, saving nothing)."""
    env, _, _ = environment(display, work)
    env["TARNWAKE_QUIT_WHEN_SHOWN"] = "1"
    started = time.monotonic()
    proc = subprocess.Popen([exe], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        status = proc.wait(timeout=30)
    except subprocess.TimeoutExpired:
        proc.kill()
        proc.wait()
        raise Failure("no window within 30 s")
    check(status == 0, "status %d before the window was shown" % status)
    return time.monotonic() - started


def records(dump, work):
    out = subprocess.run([dump, os.path.join(work, "data"), os.path.join(work, "scratch")],
                         capture_output=True, text=True, timeout=20)
    check(out.returncode == 0, "no readable score file: " + out.stderr.strip())
    return [line.split("\t") for line in out.stdout.splitlines()]


def play_and_close(exe, display, work, log_readable):
    """Starts the game, plays a match to its abort and closes it."""
    game = Game(exe, display, work, "NewUser", env={"TARNWAKE_SILENT": "1"})
    try:
        game.switch_log_on()
        game.generate_fleet()
        game.press_start()
        if log_readable:
            wait_until(lambda: any("New game" in line for line in game.log()), 10,
                       "the match start")
        else:
            time.sleep(1.0)
        for cell in range(5):
            game.fire(cell // 10, cell % 10)
        game.click(game.main, MAIN_ABORT)
        game.answer_box(":-?", ["shift+Tab", "space"])
        game.close_statistics()
        game.close()
        check(game.proc.returncode == 0, "exit status %d" % game.proc.returncode)
        if log_readable:
            check(any(line.endswith(" wins") for line in game.log()), "no match in the log")
    finally:
        game.kill()


def odd_files(exe, dump, display, root):
    limit = SANITIZED_START_LIMIT if sanitized(exe) else START_LIMIT
    for name in NAMES:
        for kind in KINDS:
            step("%s as a %s" % (name, kind))
            work = os.path.join(root, "%s-%s" % (name, kind))
            os.makedirs(os.path.join(work, "scratch"), mode=0o700)
            _, data, _ = environment(display, work)
            odd = OddFile(kind, os.path.join(data, name))
            try:
                seconds = time_to_window(exe, display, work)
                print("   window shown %.2f s after the start" % seconds, flush=True)
                check(seconds <= limit, "the window took %.2f s" % seconds)
                play_and_close(exe, display, work, log_readable=name != "TWLog.txt")
                check(odd.intact(), "the %s was changed" % kind)
                made = sorted(set(os.listdir(data)) - {name, "TWLog.txt", "tarnwake.hsc"})
                check(not made, "made beside it: %s" % made)
                if name == "TWLog.txt":
                    check(records(dump, work) == [["NewUser", "0", "1"]],
                          "the aborted match was not counted")
            finally:
                odd.remove()


def score_file(exe, display, root):
    """The bytes of a real score file, from a start and a close."""
    work = os.path.join(root, "first-start")
    game = Game(exe, display, work, "NewUser", env={"TARNWAKE_SILENT": "1"})
    try:
        game.close()
    finally:
        game.kill()
    with open(os.path.join(work, "data", "tarnwake.hsc"), "rb") as f:
        return f.read()


def file_state(path):
    info = os.lstat(path)
    with open(path, "rb") as f:
        return info.st_ino, f.read()


def switch_port_mapping(game, pixels):
    """Clicks the port-mapping switch; the seconds from the click to the
    switch having been stored (the journal's time, taken after the write)."""
    game.display.move(game.editor, EDITOR_PORT_MAPPING)
    before = len(game.entries("port-mapping"))
    clicked = time.monotonic()
    pixels.click()
    wait_until(lambda: len(game.entries("port-mapping")) > before, 30,
               "the switch to answer the click")
    answered = [t for t, kind, _ in game.journal() if kind == "port-mapping"][before]
    return answered / 1e6 - clicked, game.entries("port-mapping")[before]


def odd_settings_files(exe, dump, display, root):
    records_bytes = score_file(exe, display, root)
    pixels = Pixels(display)
    figures = []
    try:
        for name in SETTINGS_NAMES:
            for kind in SETTINGS_KINDS:
                step("%s as a %s" % (name, kind))
                work = os.path.join(root, "%s-%s" % (name, kind))
                _, data, _ = environment(display, work)
                os.makedirs(os.path.join(work, "scratch"), mode=0o700)
                records_path = os.path.join(data, "tarnwake.hsc")
                with open(records_path, "wb") as f:
                    f.write(records_bytes)
                odd = OddFile(kind, os.path.join(data, name), target=records_path)
                try:
                    figures += settings_click(exe, dump, display, pixels, work, name, odd)
                finally:
                    odd.remove()
    finally:
        pixels.close()
    print("   clicks answered in %.1f ms at most, %.1f ms at the median"
          % (1000 * max(figures), 1000 * sorted(figures)[len(figures) // 2]), flush=True)


def settings_click(exe, dump, display, pixels, work, name, odd):
    data = os.path.join(work, "data")
    records_path = os.path.join(data, "tarnwake.hsc")
    settings_path = os.path.join(data, "tarnwake.conf")
    records_before = file_state(records_path)
    game = Game(exe, display, work, "NewUser", env={"TARNWAKE_SILENT": "1"})
    times = []
    try:
        for expected in ("off", "on"):
            seconds, state = switch_port_mapping(game, pixels)
            times.append(seconds)
            check(state == expected, "the switch went %s, not %s" % (state, expected))
            check(seconds < CLICK_LIMIT, "the click was held %.2f s" % seconds)
            check(file_state(records_path) == records_before, "the score file was touched")
            # Refused: something that is not a plain file stays where the
            # settings would go.
            kept = name == "tarnwake.conf" and odd.kind in KINDS
            if kept:
                continue
            with open(settings_path, "rb") as f:
                settings = f.read()
            check(not os.path.islink(settings_path), "the link was written through")
            check(settings == ("[network]\nopenPortOnRouter=%s\n"
                               % ("true" if expected == "on" else "false")).encode(),
                  "the settings file holds %r" % settings[:200])
        print("   clicks answered in %s ms" % ", ".join("%.1f" % (1000 * t) for t in times),
              flush=True)
        game.close()
        check(game.proc.returncode == 0, "exit status %d" % game.proc.returncode)
    finally:
        game.kill()
    check(records(dump, work) == [], "the records were lost")
    if name == "tarnwake.conf.lock" or odd.kind in KINDS:
        check(odd.intact(), "the %s was changed" % odd.kind)
    made = sorted(set(os.listdir(data)) - {name, "tarnwake.conf", "tarnwake.hsc"})
    check(not made, "made beside it: %s" % made)
    return times


def signal_at(exe, display, work, signum, delay):
    """Starts the program and sends signum delay seconds after it first holds
    the ending signals; returns its status and whether its lock is left."""
    env, _, runtime = environment(display, work)
    output = open(os.path.join(work, "output"), "w")
    proc = subprocess.Popen([exe], env=env, stdout=output, stderr=subprocess.STDOUT)
    try:
        wait_until(lambda: holds_sigterm(proc.pid), 10, "the program to hold its signals",
                   step=0.001)
        time.sleep(delay)
        proc.send_signal(signum)
        status = proc.wait(timeout=20)
    except (subprocess.TimeoutExpired, Failure):
        proc.kill()
        proc.wait()
        raise Failure("the program did not end on %s %.2f s into its start"
                      % (signal.Signals(signum).name, delay))
    finally:
        output.close()
    return status, glob.glob(os.path.join(runtime, "**", "*.lock"), recursive=True)


def holds_sigterm(pid):
    """True once the process blocks or catches SIGTERM (it has reached main())."""
    try:
        with open("/proc/%d/status" % pid) as f:
            fields = dict(line.split(":", 1) for line in f if ":" in line)
    except FileNotFoundError:
        return False
    bit = 1 << (signal.SIGTERM - 1)
    return any(int(fields.get(key, "0").strip(), 16) & bit for key in ("SigBlk", "SigCgt"))


def lock_holder(path):
    """The process number a lock file names (its first line), or None."""
    try:
        with open(path) as f:
            return int(f.readline())
    except (OSError, ValueError):
        return None


def alive_pids():
    return {int(name) for name in os.listdir("/proc") if name.isdigit()}


class SilentDisplay:
    """An X display that accepts every connection and never answers: a Unix
    socket in /tmp/.X11-unix, or a TCP port on the loopback address."""

    def __init__(self, kind):
        if kind == "unix":
            number = free_display(700)
            self.path = "/tmp/.X11-unix/X%d" % number
            os.makedirs("/tmp/.X11-unix", mode=0o1777, exist_ok=True)
            self.listener = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
            self.listener.bind(self.path)
            self.name = ":%d" % number
        else:
            self.path = None
            self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            # The connection of the start before may linger on the port.
            self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
            for number in range(700 + os.getpid() % 200, 1000):
                try:
                    self.listener.bind(("127.0.0.1", 6000 + number))
                    break
                except OSError:
                    continue
            else:
                raise Failure("no free X port on the loopback address")
            self.name = "127.0.0.1:%d" % number
        self.listener.listen(16)
        self.connections = []
        self.connected = threading.Event()
        threading.Thread(target=self._accept, daemon=True).start()

    def _accept(self):
        while True:
            try:
                connection, _ = self.listener.accept()
            except OSError:
                return
            # Held open, never read nor written.
            self.connections.append(connection)
            self.connected.set()

    def close(self):
        # Wakes the accepting thread, which would hold the socket open.
        try:
            self.listener.shutdown(socket.SHUT_RDWR)
        except OSError:
            pass
        self.listener.close()
        for connection in self.connections:
            connection.close()
        if self.path and os.path.exists(self.path):
            os.remove(self.path)


def silent_display(exe, root):
    """SIGTERM at moments of a start that waits for a display, then SIGINT
    and SIGHUP well inside that wait; each start with a display of its own."""
    cases = [(kind, signal.SIGTERM, delay) for kind in ("unix", "tcp")
             for delay in (0.0, 0.1, 0.5, 2.0)]
    cases += [("unix", signal.SIGINT, 2.0), ("unix", signal.SIGHUP, 2.0)]
    for i, (kind, signum, delay) in enumerate(cases):
        display = SilentDisplay(kind)
        try:
            end_silent_start(exe, display, os.path.join(root, "silent-%d" % i), signum, delay)
        finally:
            display.close()


def end_silent_start(exe, display, work, signum, delay):
    env, data, runtime = environment(display, work)
    what = "%s %.1f s into the start, display %s" % (signal.Signals(signum).name, delay,
                                                      display.name)
    with open(os.path.join(work, "output"), "w") as output:
        started = time.monotonic()
        proc = subprocess.Popen([exe], env=env, stdout=output, stderr=subprocess.STDOUT)
    try:
        if delay >= 2.0:
            # Well inside the wait for the display: make sure it waits there.
            check(display.connected.wait(20), "no connection to display " + display.name)
        time.sleep(max(0.0, started + delay - time.monotonic()))
        signalled = time.monotonic()
        proc.send_signal(signum)
        status = proc.wait(timeout=20)
        seconds = time.monotonic() - signalled
    except subprocess.TimeoutExpired:
        raise Failure("the program did not end on " + what)
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait()
    print("   %s: status %d, ended %.3f s after the signal" % (what, status, seconds), flush=True)
    check(status == -signum, "status %d on %s" % (status, what))
    check(seconds <= END_LIMIT, "%s ended only %.2f s later" % (what, seconds))
    check(not os.listdir(data) and not os.listdir(runtime), "files made on " + what)


def signals_during_start(exe, display, root):
    moments = (0.0, 0.05, 0.15, 0.3, 0.6, 1.2)
    signals = (signal.SIGTERM, signal.SIGINT, signal.SIGHUP)
    for i, delay in enumerate(moments):
        signum = signals[i % len(signals)]
        for fifo in (False, True):
            work = os.path.join(root, "signal-%d-%d" % (i, fifo))
            _, data, _ = environment(display, work)
            odd = OddFile("FIFO", os.path.join(data, "tarnwake.hsc")) if fifo else None
            status, locks = signal_at(exe, display, work, signum, delay)
            what = "%s %.2f s into the start%s" % (signal.Signals(signum).name, delay,
                                                   ", score file a FIFO" if fifo else "")
            print("   %s: status %d" % (what, status), flush=True)
            check(status in (0, -signum), "status %d on %s" % (status, what))
            if status == 0:
                check(not locks, "the lock was left behind on " + what)
            else:
                check(all(lock_holder(lock) not in alive_pids() for lock in locks),
                      "a lock of a live process was left on " + what)
            if odd:
                check(odd.intact(), "the FIFO was changed on " + what)
                odd.remove()


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    exe, dump = sys.argv[1], sys.argv[2]
    for tool in ("Xvfb", "xdotool"):
        if not shutil.which(tool):
            print("skipped: %s is missing" % tool)
            return SKIP
    root = tempdir("tw-odd-")
    display = Display(free_display(600))
    try:
        odd_files(exe, dump, display, root)
        odd_settings_files(exe, dump, display, root)
        step("signals during the start")
        signals_during_start(exe, display, root)
        step("a display that never answers")
        silent_display(exe, root)
        print("ok")
        return 0
    except Failure as failure:
        print("FAILED:", failure)
        for output in glob.glob(os.path.join(root, "*", "output")):
            with open(output, errors="replace") as f:
                text = f.read().strip()
            if text:
                print("==== %s\n%s" % (output, text[-2000:]))
        return 1
    finally:
        display.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
