# SPDX-License-Identifier: GPL-3.0-or-later
"""The Debian package as a user gets it: built by CPack, clean for lintian,
installed with dpkg, started on a virtual display, where it keeps its records
in $XDG_DATA_HOME/tarnwake (and, when that is broken, plays on and saves
nothing), and removed again without leftovers.

Needs root (dpkg); skipped otherwise. Runs under a machine-wide lock, since
the package is installed into the real system."""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

build, e2e_dir = sys.argv[1], sys.argv[2]
sys.path.insert(0, e2e_dir)
import twdriver  # noqa: E402

SKIP = 77
if os.geteuid() != 0 or not shutil.which("dpkg") or not shutil.which("Xvfb"):
    print("needs root, dpkg and Xvfb")
    sys.exit(SKIP)


def run(*command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def free_display():
    for number in range(140, 200):
        if not os.path.exists("/tmp/.X11-unix/X%d" % number) and \
                not os.path.exists("/tmp/.X%d-lock" % number):
            return number
    raise twdriver.Failure("no free display number")


def main(work):
    out = run("cpack", "-G", "DEB", "--config", os.path.join(build, "CPackConfig.cmake"),
              "-B", work)
    debs = glob.glob(os.path.join(work, "*.deb"))
    if out.returncode != 0 or len(debs) != 1:
        raise twdriver.Failure("cpack:\n" + out.stdout + out.stderr)
    deb = debs[0]

    fields = run("dpkg-deb", "--field", deb, "Depends").stdout
    for needed in ("libqt6widgets6", "libfluidsynth3", "fluid-soundfont-gm"):
        if needed not in fields:
            raise twdriver.Failure("Depends lacks %s: %s" % (needed, fields))

    launcher = run("sh", "-c", "dpkg-deb --fsys-tarfile \"$0\" | tar -xO "
                   "./usr/share/applications/org.tarnwake.Tarnwake.desktop", deb).stdout
    if "Exec=/usr/games/tarnwake\n" not in launcher:
        raise twdriver.Failure("the packaged launcher does not start /usr/games/tarnwake")

    lintian = run("lintian", "--fail-on", "error", "--tag-display-limit", "0", deb)
    if lintian.returncode != 0:
        raise twdriver.Failure("lintian:\n" + lintian.stdout + lintian.stderr)

    out = run("dpkg", "-i", deb)
    if out.returncode != 0:
        raise twdriver.Failure("dpkg -i:\n" + out.stdout + out.stderr)
    try:
        play_once(work)
        play_with_broken_data_home(work)
    finally:
        removed = run("dpkg", "--purge", "tarnwake")
    if removed.returncode != 0:
        raise twdriver.Failure("dpkg --purge:\n" + removed.stdout + removed.stderr)
    for path in ("/usr/games/tarnwake", "/usr/share/applications/org.tarnwake.Tarnwake.desktop"):
        if os.path.exists(path):
            raise twdriver.Failure(path + " left after removal")


def start_and_close(work, name, data_home):
    """Starts the installed game as from the launcher, closes its main window
    and answers what it printed; fails when it does not end by itself with
    status 0."""
    home = os.path.join(work, name)
    runtime = os.path.join(work, name + "-run")
    os.makedirs(home)
    os.makedirs(runtime, mode=0o700)
    display = twdriver.Display(free_display())
    env = {k: v for k, v in display.env.items() if not k.startswith("TARNWAKE_")}
    env.update(HOME=home, XDG_DATA_HOME=data_home(home), XDG_RUNTIME_DIR=runtime,
               TARNWAKE_SILENT="1", QT_QPA_PLATFORM="xcb", TARNWAKE_PORT_MAPPING="off")
    game = subprocess.Popen(["/usr/games/tarnwake"], env=env, cwd=work,
                            stdout=subprocess.PIPE, stderr=subprocess.STDOUT)
    try:
        window = display.window("^Tarnwake", timeout=60)
        display.close_window(window)
        game.wait(timeout=30)
    except (twdriver.Failure, subprocess.TimeoutExpired) as failure:
        game.kill()
        raise twdriver.Failure("%s (%s start):\n%s" % (
            failure, name, game.communicate()[0].decode(errors="replace")))
    finally:
        if game.poll() is None:
            game.kill()
        display.stop()
    output = game.stdout.read().decode(errors="replace")
    if game.returncode != 0:
        raise twdriver.Failure("the game ended with %d:\n%s" % (game.returncode, output))
    return home, output


def play_once(work):
    """The records land in $XDG_DATA_HOME/tarnwake, not beside the game."""
    home, output = start_and_close(work, "home", lambda home: os.path.join(home, "data"))
    records = os.path.join(home, "data", "tarnwake", "tarnwake.hsc")
    if not os.path.isfile(records):
        raise twdriver.Failure("no records at %s:\n%s" % (records, output))
    if os.path.exists("/usr/games/tarnwake.hsc"):
        os.remove("/usr/games/tarnwake.hsc")
        raise twdriver.Failure("records written beside the installed game")


def play_with_broken_data_home(work):
    """$XDG_DATA_HOME names a plain file: the game plays, saves nothing,
    and says nothing about it."""
    def broken(home):
        path = os.path.join(home, "not-a-directory")
        open(path, "w").close()
        return path
    home, _ = start_and_close(work, "broken", broken)
    written = [os.path.join(d, f) for d, dirs, files in os.walk(home) for f in files + dirs
               if "tarnwake" in f.lower() or f.endswith(".hsc")]
    if written or os.path.getsize(os.path.join(home, "not-a-directory")) != 0:
        raise twdriver.Failure("the game wrote records somewhere: %s" % written)
    if os.path.exists("/usr/games/tarnwake.hsc"):
        os.remove("/usr/games/tarnwake.hsc")
        raise twdriver.Failure("records written beside the installed game")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as work:
        try:
            main(work)
        except twdriver.Failure as failure:
            print(failure)
            sys.exit(1)
    print("package built, lintian clean, installed, played and removed")
