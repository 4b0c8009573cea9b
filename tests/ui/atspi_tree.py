# SPDX-License-Identifier: GPL-3.0-or-later
"""Reads the running game through AT-SPI, as a screen reader does.

Starts the real program on a virtual X display of its own, with a private
session bus (the test runs under dbus-run-session, which also starts the
accessibility bus on demand), and walks the game's accessible tree with
pyatspi: the boards must be tables of named cells, the switches checkable
with their state, the lamps, counter and clocks named, and every name
must follow the language switch, pressed through AT-SPI's own action.

Usage: atspi_tree.py TARNWAKE_BINARY
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi


class Failure(Exception):
    pass


def wait_until(condition, timeout, what):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def start_display():
    """Xvfb on the first free display number, which it reports itself."""
    read_end, write_end = os.pipe()
    proc = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
         "-nolisten", "tcp"],
        pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read_end, 16)
        if not chunk:
            raise Failure("Xvfb did not start")
        number += chunk
    os.close(read_end)
    return proc, ":" + number.decode().strip()


def walk(node, depth=0):
    """Every accessible below node, depth first."""
    if node is None or depth > 12:
        return
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        # A table's cells are read through the table interface below.
        if child is not None and child.getRoleName() != "table cell":
            yield from walk(child, depth + 1)


def find(app, role, name):
    for node in walk(app):
        if node.getRoleName() == role and node.name == name:
            return node
    return None


def expect(app, role, name):
    node = wait_until(lambda: find(app, role, name), 10, "%s %r" % (role, name))
    return node


def game_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        try:
            if app is not None and app.get_process_id() == pid:
                return app
        except Exception:  # an application that went away meanwhile
            continue
    return None


def check(game_pid):
    app = wait_until(lambda: game_application(game_pid), 30, "the game on the bus")
    expect(app, "push button", "Start")
    own = expect(app, "table", "Your board")
    table = own.queryTable()
    if (table.nRows, table.nColumns) != (10, 10):
        raise Failure("own board is %dx%d" % (table.nRows, table.nColumns))
    cell = table.getAccessibleAt(1, 3)
    if cell.name != "B4, water" or cell.getRoleName() != "table cell":
        raise Failure("cell B4 reads %r as %s" % (cell.name, cell.getRoleName()))
    if own.childCount != 100:
        raise Failure("own board has %d cells" % own.childCount)
    expect(app, "table", "Opponent's board")
    music = expect(app, "check box", "Music")
    if not music.getState().contains(pyatspi.STATE_CHECKED):
        raise Failure("the music switch does not say it is on")
    expect(app, "check box", "Sound")
    expect(app, "label", "Your turn lamp, off")
    expect(app, "label", "Opponent's turn lamp, off")
    expect(app, "label", "Score 0")
    expect(app, "label", "Your time")
    expect(app, "label", "Opponent's time")

    # The language switch, pressed the way a screen reader presses it.
    language = expect(app, "push button", "Russian")
    action = language.queryAction()
    action.doAction(0)
    expect(app, "push button", "Старт")
    own = expect(app, "table", "Ваше поле")
    cell = own.queryTable().getAccessibleAt(1, 3)
    if cell.name != "B4, вода":
        raise Failure("cell B4 reads %r in Russian" % cell.name)
    expect(app, "check box", "Музыка")
    expect(app, "label", "Лампа вашего хода, не горит")
    expect(app, "label", "Счёт 0")


def main():
    binary = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        runtime = os.path.join(home, "run")
        os.mkdir(runtime, 0o700)
        display, name = start_display()
        env = dict(os.environ, DISPLAY=name, QT_QPA_PLATFORM="xcb",
                   QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", TARNWAKE_SILENT="1",
                   TARNWAKE_DATA_DIR=home, XDG_RUNTIME_DIR=runtime, HOME=home,
                   TARNWAKE_PORT_MAPPING="off")
        game = subprocess.Popen([binary], env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE)
        try:
            check(game.pid)
        except Failure as failure:
            print("FAIL:", failure)
            return 1
        finally:
            game.terminate()
            try:
                game.wait(10)
            except subprocess.TimeoutExpired:
                game.kill()
                game.wait()
            display.terminate()
            display.wait()
    print("PASS: the game reads through AT-SPI in both languages")
    return 0


if __name__ == "__main__":
    sys.exit(main())
