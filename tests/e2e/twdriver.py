# SPDX-License-Identifier: GPL-3.0-or-later
"""Drives real Tarnwake programs the way a player does.

Each program runs on its own virtual X display (Xvfb) so that windows never
overlap, and usually in its own network namespace so that two of them can
both listen on the default port (see machines.py). Input is real: xdotool moves the pointer,
clicks and types through the XTest extension. What the windows show is read
from two files the program writes: the game log (TWLog.txt, with the log
switched on) and the network journal (TARNWAKE_NET_JOURNAL), which records
every status text, chat line and message box of network play.

Traffic stays on this machine: loopback, or the addresses on the veth pairs
between the namespaces that machines.py makes and removes itself.
"""

import ctypes
import os
import re
import struct
import subprocess
import tempfile
import time

# Client-area positions of the controls, in pixels, as the windows lay them
# out for the default area of 10 by 10 cells (17-pixel cells).
MAIN_START = (46, 26)
MAIN_PLAYER = (46, 89)
MAIN_ABORT = (46, 68)
MAIN_BLANK = (200, 262)          # below the boards: focuses the main window
MAIN_MUSIC = (46, 150)
MAIN_SOUND = (46, 166)
EDITOR_GENERATE = (168, 28)
EDITOR_SAVE_LOG = (8, 68)
EDITOR_IP = (108, 104)
EDITOR_HOST = (108, 124)
EDITOR_PORT = (108, 144)
EDITOR_OK = (184, 108)
EDITOR_NO = (184, 136)
EDITOR_PORT_MAPPING = (11, 204)  # the box of "open the port on the router"
CHAT_INPUT = (60, 10)
PLAYER_NAME = (100, 10)
STATS_OK = (258, 174)


def opponent_cell(col, row):
    """Centre of a 0-based cell of the opponent board in the main window."""
    return (326 + 17 * col, 41 + 17 * row)


class Failure(Exception):
    pass


def step(text):
    print("--", text, flush=True)


def check(condition, text):
    if not condition:
        raise Failure(text)


def free_display(base):
    """A display number from base on that no X server uses; scripts that may
    run at the same time pass bases 100 apart."""
    for number in range(base + os.getpid() % 300, 1000):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and not os.path.exists(
                "/tmp/.X%d-lock" % number):
            return number
    raise Failure("no free display number")


def wait_until(condition, timeout, what, step=0.02):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(step)


class Display:
    """A virtual screen of its own."""

    def __init__(self, number):
        self.name = ":%d" % number
        self.proc = subprocess.Popen(
            ["Xvfb", self.name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.env = dict(os.environ, DISPLAY=self.name)
        # A program in another network namespace cannot reach the abstract
        # socket that xdotool uses here; it needs the socket file, which the
        # server may make a moment later.
        socket_file = "/tmp/.X11-unix/X%d" % number
        wait_until(lambda: os.path.exists(socket_file)
                   and self.xdotool("getdisplaygeometry", check=False), 10,
                   "display " + self.name, step=0.1)

    def xdotool(self, *args, check=True):
        out = subprocess.run(["xdotool"] + [str(a) for a in args], env=self.env,
                             capture_output=True, text=True, timeout=20)
        if check and out.returncode != 0:
            raise Failure("xdotool %s: %s" % (" ".join(map(str, args)), out.stderr.strip()))
        return out.stdout.strip()

    def windows(self, title):
        out = self.xdotool("search", "--onlyvisible", "--name", title, check=False)
        return [int(w) for w in out.split()] if out else []

    def window(self, title, timeout=10):
        return wait_until(lambda: (self.windows(title) or [None])[0], timeout,
                          "window '%s' on %s" % (title, self.name))

    def click(self, window, at):
        self.xdotool("mousemove", "--window", window, at[0], at[1], "click", 1)

    def move(self, window, at):
        self.xdotool("mousemove", "--window", window, at[0], at[1])

    def focus(self, window):
        self.xdotool("windowfocus", "--sync", window)

    def type(self, text):
        self.xdotool("type", "--delay", 2, text)

    def key(self, *keys):
        self.xdotool("key", *keys)

    def close_window(self, window):
        """Asks the window to close, as a window manager's close button does."""
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XInternAtom.restype = ctypes.c_ulong
        x11.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        x11.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                   ctypes.c_void_p]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

        class ClientMessage(ctypes.Structure):
            _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                        ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                        ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                        ("format", ctypes.c_int), ("l", ctypes.c_long * 5)]

        class Event(ctypes.Union):
            _fields_ = [("xclient", ClientMessage), ("pad", ctypes.c_long * 24)]

        dpy = x11.XOpenDisplay(self.name.encode())
        if not dpy:
            raise Failure("cannot open " + self.name)
        event = Event()
        event.xclient.type = 33  # ClientMessage
        event.xclient.window = window
        event.xclient.message_type = x11.XInternAtom(dpy, b"WM_PROTOCOLS", 0)
        event.xclient.format = 32
        event.xclient.l[0] = x11.XInternAtom(dpy, b"WM_DELETE_WINDOW", 0)
        x11.XSendEvent(dpy, window, 0, 0, ctypes.byref(event))
        x11.XFlush(dpy)
        x11.XCloseDisplay(dpy)

    def stop(self):
        self.proc.terminate()
        self.proc.wait(timeout=10)


class _XImage(ctypes.Structure):
    # The head of Xlib's XImage, as far as reading its pixels needs.
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int)]


_X_ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)(
    lambda display, event: 0)


class Pixels:
    """What a window shows, read from the X server: so a test sees when a
    window has repainted, without asking the program."""

    def __init__(self, display):
        x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XGetImage.restype = ctypes.POINTER(_XImage)
        x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                  ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        x11.XFree.argtypes = [ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        # A window that is not viewable answers with an error, which Xlib's
        # own handler would turn into an exit.
        x11.XSetErrorHandler(_X_ERROR_HANDLER)
        self.x11 = x11
        self.xtest = ctypes.cdll.LoadLibrary("libXtst.so.6")
        self.xtest.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                                    ctypes.c_ulong]
        x11.XFlush.argtypes = [ctypes.c_void_p]
        self.dpy = x11.XOpenDisplay(display.name.encode())
        if not self.dpy:
            raise Failure("cannot open " + display.name)

    def click(self):
        """Clicks the first button where the pointer is, at once (xdotool
        would first take its own start-up time)."""
        for pressed in (1, 0):
            self.xtest.XTestFakeButtonEvent(self.dpy, 1, pressed, 0)
        self.x11.XFlush(self.dpy)

    def grab(self, window, rect):
        """The bytes of a rectangle (x, y, width, height) of the window."""
        x, y, w, h = rect
        image = self.x11.XGetImage(self.dpy, window, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            return b""
        head = image.contents
        data = ctypes.string_at(head.data, head.bytes_per_line * head.height)
        self.x11.XFree(head.data)
        self.x11.XFree(image)
        return data

    def wait_change(self, window, rect, before, timeout):
        """Seconds until the rectangle differs from before; None after timeout."""
        start = time.monotonic()
        while time.monotonic() - start < timeout:
            if self.grab(window, rect) != before:
                return time.monotonic() - start
            time.sleep(0.001)
        return None

    def close(self):
        if self.dpy:
            self.x11.XCloseDisplay(self.dpy)
            self.dpy = None


def answer_time(game, pixels, at, rect):
    """Clicks at a point of the main window; the seconds until the rectangle
    repaints, or None when it does not within a second. The pointer is moved
    there first and left to settle, so the hover is not taken for the answer."""
    game.display.move(game.main, at)
    time.sleep(0.15)
    before = pixels.grab(game.main, rect)
    pixels.click()
    return pixels.wait_change(game.main, rect, before, 1.0)


def around(point, half):
    return (point[0] - half, point[1] - half, 2 * half, 2 * half)


class Game:
    """One running Tarnwake with its own data and runtime directories."""

    def __init__(self, exe, display, workdir, name, prefix=(), env=None):
        self.display = display
        self.player = name
        self.dir = workdir
        self.data = os.path.join(workdir, "data")
        self.runtime = os.path.join(workdir, "run")
        os.makedirs(self.data, exist_ok=True)
        os.makedirs(self.runtime, mode=0o700, exist_ok=True)
        os.chmod(self.runtime, 0o700)
        self.journal_path = os.path.join(workdir, "journal")
        self.log_path = os.path.join(self.data, "TWLog.txt")
        run_env = ["DISPLAY=" + display.name, "TARNWAKE_DATA_DIR=" + self.data,
                   "XDG_RUNTIME_DIR=" + self.runtime, "TARNWAKE_NET_JOURNAL=" + self.journal_path,
                   "QT_QPA_PLATFORM=xcb", "LANG=C.UTF-8",
                   # No router is asked unless a test builds one to ask.
                   "TARNWAKE_PORT_MAPPING=off"]
        for key, value in (env or {}).items():
            run_env.append("%s=%s" % (key, value))
        command = list(prefix) + ["env"] + run_env + [exe]
        self.output = open(os.path.join(workdir, "output"), "w")
        self.proc = subprocess.Popen(command, stdout=self.output, stderr=subprocess.STDOUT)
        # Now and then, on a freshly made namespace, the first program cannot
        # reach the display at all and ends at once; a second start works.
        # Only that failure is retried.
        for _ in range(2):
            try:
                self.proc.wait(timeout=1.5)
            except subprocess.TimeoutExpired:
                break
            with open(os.path.join(workdir, "output")) as f:
                if "could not connect to display" not in f.read():
                    break
            print("-- %s could not reach %s; starting it again" % (name, display.name),
                  flush=True)
            self.output = open(os.path.join(workdir, "output"), "w")
            self.proc = subprocess.Popen(command, stdout=self.output, stderr=subprocess.STDOUT)
        self.main = display.window("^Tarnwake", 20)
        self.editor = display.window("^Area editor", 10)
        self.chat = display.window("^Mini Chat", 10)
        wait_until(lambda: self.statuses(), 10, "the first status text")

    # What the program shows, from its files.
    def journal(self):
        try:
            with open(self.journal_path, encoding="utf-8", errors="replace") as f:
                lines = f.read().splitlines()
        except FileNotFoundError:
            return []
        entries = []
        for line in lines:
            parts = line.split(" ", 2)
            if len(parts) >= 2:
                entries.append((int(parts[0]), parts[1], parts[2] if len(parts) > 2 else ""))
        return entries

    def entries(self, kind):
        return [text for _, k, text in self.journal() if k == kind]

    def statuses(self):
        return self.entries("status")

    def wait_entry(self, kind, text, timeout=10, since=0):
        """Waits for a journal entry of kind with exactly text, after the first `since`."""
        wait_until(lambda: text in self.entries(kind)[since:], timeout,
                   "%s '%s' in %s's journal" % (kind, text, self.player))

    def log(self):
        try:
            with open(self.log_path, encoding="utf-8", errors="replace") as f:
                return f.read().splitlines()
        except FileNotFoundError:
            return []

    # Things a player does.
    def click(self, window, at):
        self.display.click(window, at)

    def generate_fleet(self):
        self.click(self.editor, EDITOR_GENERATE)

    def switch_log_on(self):
        self.click(self.editor, EDITOR_SAVE_LOG)

    def set_name(self, name):
        self.click(self.main, MAIN_PLAYER)
        dialog = self.display.window("^Enter your name")
        self.display.focus(dialog)
        self.click(dialog, PLAYER_NAME)
        self.display.key("ctrl+a")
        self.display.type(name)
        self.display.key("Return")
        wait_until(lambda: not self.display.windows("^Enter your name"), 10, "the name dialog")
        self.player = name

    def type_into(self, window, at, text):
        self.click(window, at)
        self.display.key("ctrl+a", "BackSpace")
        self.display.type(text)

    def connect(self, address, host="", port="8170"):
        self.type_into(self.editor, EDITOR_IP, address)
        self.type_into(self.editor, EDITOR_HOST, host)
        self.type_into(self.editor, EDITOR_PORT, port)
        self.click(self.editor, EDITOR_OK)

    def found_games(self):
        """The rows of the address field's list of games found, as last shown."""
        lists = self.entries("games")
        return lists[-1].split(" | ") if lists and lists[-1] else []

    def choose_found_game(self, row_start, attempts=3):
        """Opens the address field's list and chooses the row that starts so.

        A list that opens late (a slow machine) misses the keys; then the
        list is closed and opened again.
        """
        for _ in range(attempts):
            rows = self.found_games()
            index = [i for i, row in enumerate(rows) if row.startswith(row_start)][0]
            chosen = len(self.entries("chosen"))
            self.click(self.editor, EDITOR_IP)
            self.display.key("F4")  # opens the list
            time.sleep(0.5)
            self.display.key("Home", *(["Down"] * index))
            self.display.key("Return")
            try:
                wait_until(lambda: len(self.entries("chosen")) > chosen, 3, "a game chosen")
                return
            except Failure:
                self.display.key("Escape")
        raise Failure("%s could not choose %r from %r" % (self.player, row_start,
                                                          self.found_games()))

    def chat_in_chat_window(self, text):
        self.click(self.chat, CHAT_INPUT)
        self.display.type(text)
        self.display.key("Return")

    def chat_from_main_window(self, text):
        self.click(self.main, MAIN_BLANK)
        self.display.type(text)
        self.display.key("Return")

    def press_start(self):
        self.click(self.main, MAIN_START)

    def answer_box(self, caption, keys, timeout=10):
        box = self.display.window("^%s$" % re.escape(caption), timeout)
        self.display.focus(box)
        self.display.key(*keys)
        wait_until(lambda: box not in self.display.windows("^%s$" % re.escape(caption)), 10,
                   "box '%s' to close" % caption)

    def close_statistics(self, timeout=15):
        stats = self.display.window("^Our great winners", timeout)
        self.click(stats, STATS_OK)
        wait_until(lambda: not self.display.windows("^Our great winners"), 10,
                   "the statistics window to close")

    def fire(self, col, row):
        at = opponent_cell(col, row)
        self.display.move(self.main, at)
        self.click(self.main, at)

    def close(self, timeout=20):
        self.display.close_window(self.main)
        try:
            self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.kill()
            raise Failure(self.player + " did not close")

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=10)


SHOT = re.compile(r"^(.*): ([A-O])(\d+) (wrong|bingo|ship destroyed)$")


def shot_lines(log):
    return [line for line in log if SHOT.match(line)]


FLEET_CELLS = 20  # 4 + 3 * 2 + 2 * 3 + 4


def play_match(a, b, on_shot=None, max_shots=400):
    """Plays a running match between two games to its end.

    Each side fires at its cells column by column. The side to move is found
    by its log: a shot it fired appears there, and a miss passes the turn.
    After every shot the same report line must appear in both logs: the
    shooter's own, and the target's, which applied it to its own board. The
    match is over once a side has hit all 20 ship cells; both logs then name
    the winner. Returns the winner.
    """
    next_cell = {a: 0, b: 0}
    hits = {a: 0, b: 0}
    seen = {a: len(shot_lines(a.log())), b: len(shot_lines(b.log()))}
    turn = None
    for _ in range(max_shots):
        fired = None
        for side in [turn] if turn else [a, b]:
            cell = next_cell[side]
            side.fire(cell // 10, cell % 10)
            try:
                wait_until(lambda: len(shot_lines(side.log())) > seen[side], 3 if turn else 0.8,
                           "a shot of " + side.player)
                fired = side
                break
            except Failure:
                if turn:
                    raise
        if not fired:
            raise Failure("neither side could fire")
        other = b if fired is a else a
        next_cell[fired] += 1
        line = shot_lines(fired.log())[seen[fired]]
        seen[fired] += 1
        outcome = SHOT.match(line)
        if outcome.group(1) != fired.player:
            raise Failure("unexpected report %r" % line)
        wait_until(lambda: len(shot_lines(other.log())) > seen[other], 5,
                   "the shot on the other side")
        peer_line = shot_lines(other.log())[seen[other]]
        seen[other] += 1
        if peer_line != line:
            raise Failure("shot reported as %r here and %r there" % (line, peer_line))
        if on_shot:
            on_shot(fired, other)
        if outcome.group(4) == "wrong":
            turn = other
            continue
        turn = fired
        hits[fired] += 1
        if hits[fired] == FLEET_CELLS:
            for side in (a, b):
                wait_until(lambda: ("the winner is " + fired.player) in " ".join(side.log()), 5,
                           "the winner in %s's log" % side.player)
            return fired
    raise Failure("the match did not end within %d shots" % max_shots)


def chat_both_ways(a, b, first, second):
    """a types first in its chat window, b second over its main window; both
    lines reach both sides."""
    a.chat_in_chat_window(first)
    b.chat_from_main_window(second)
    for g in (a, b):
        g.wait_entry("chat", "<%s> %s" % (a.player, first))
        g.wait_entry("chat", "<%s> %s" % (b.player, second))


def invite_and_play(inviter, invited):
    """Both place a random fleet, the inviter presses Start and the invited
    says yes; the match is played to its end and both statistics windows
    closed. Returns the winner."""
    for g in (inviter, invited):
        g.generate_fleet()
    time.sleep(0.5)
    inviter.press_start()
    invited.wait_entry("ask", "The player %s inviting you to a new game. At this moment you're "
                       "ready to play. Do you want to start game?" % inviter.player)
    invited.answer_box(":-D", ["y"])
    for g in (inviter, invited):
        wait_until(lambda g=g: any("New game" in line for line in g.log()), 10,
                   "the match start")
    winner = play_match(inviter, invited)
    for g in (inviter, invited):
        g.close_statistics()
    check(len(shot_lines(inviter.log())) == len(shot_lines(invited.log())),
          "both logs hold every shot")
    return winner


def print_journals(games, lines=12):
    for g in games:
        print("   %s's journal, last lines:" % g.player)
        for entry in g.journal()[-lines:]:
            print("     ", entry)


def tempdir(prefix):
    return tempfile.mkdtemp(prefix=prefix)


class Renames:
    """Counts the files renamed onto one name in a directory from now on, as
    the kernel reports them (inotify): each is one whole replacement of the
    file, the way the game writes its files."""

    IN_MOVED_FROM = 0x40
    IN_MOVED_TO = 0x80
    IN_NONBLOCK = 0o4000

    def __init__(self, directory, name):
        libc = ctypes.CDLL(None, use_errno=True)
        self.name = name.encode()
        self.fd = libc.inotify_init1(self.IN_NONBLOCK)
        if self.fd < 0:
            raise Failure("inotify_init1: errno %d" % ctypes.get_errno())
        # The new files' names are watched too: the kernel merges an event
        # into the one before it when the two are alike, and two renames onto
        # the same name in a row would count once.
        mask = self.IN_MOVED_FROM | self.IN_MOVED_TO
        if libc.inotify_add_watch(self.fd, directory.encode(), mask) < 0:
            os.close(self.fd)
            raise Failure("inotify_add_watch %s: errno %d" % (directory, ctypes.get_errno()))
        self.count = 0

    def _read(self):
        while True:
            try:
                data = os.read(self.fd, 65536)
            except BlockingIOError:
                return
            offset = 0
            while offset < len(data):
                _, mask, _, length = struct.unpack_from("iIII", data, offset)
                name = data[offset + 16:offset + 16 + length].rstrip(b"\0")
                if mask & self.IN_MOVED_TO and name == self.name:
                    self.count += 1
                offset += 16 + length

    def total(self):
        """The renames seen so far; read after the writer has ended, all of
        them."""
        self._read()
        return self.count

    def close(self):
        os.close(self.fd)
