# SPDX-License-Identifier: GPL-3.0-or-later
"""`cmake --install` into a staging directory puts exactly the game's files
where a desktop looks for them, and an install prefix that cannot be written
fails with the path named instead of installing half."""

import os
import subprocess
import sys
import tempfile

build = sys.argv[1]
APP = "org.tarnwake.Tarnwake"
EXPECTED = {
    "usr/games/tarnwake",
    "usr/share/applications/%s.desktop" % APP,
    "usr/share/metainfo/%s.metainfo.xml" % APP,
    "usr/share/man/man6/tarnwake.6.gz",
    "usr/share/doc/tarnwake/copyright",
    "usr/share/doc/tarnwake/changelog.Debian.gz",
} | {"usr/share/icons/hicolor/%dx%d/apps/%s.png" % (n, n, APP)
     for n in (16, 22, 24, 32, 48, 64, 128, 256, 512)}
failures = []

with tempfile.TemporaryDirectory() as stage:
    out = subprocess.run(["cmake", "--install", build, "--prefix", "/usr"],
                         env=dict(os.environ, DESTDIR=stage), capture_output=True, text=True)
    if out.returncode != 0:
        failures.append("install failed:\n" + out.stdout + out.stderr)
    landed = {os.path.relpath(os.path.join(d, f), stage)
              for d, _, files in os.walk(stage) for f in files}
    for path in sorted(EXPECTED - landed):
        failures.append("missing: " + path)
    for path in sorted(landed - EXPECTED):
        failures.append("unexpected: " + path)
    binary = os.path.join(stage, "usr/games/tarnwake")
    if os.path.exists(binary) and not os.access(binary, os.X_OK):
        failures.append("the game is not executable")
    launcher = os.path.join(stage, "usr/share/applications/%s.desktop" % APP)
    if os.path.exists(launcher) and "Exec=/usr/games/tarnwake\n" not in open(launcher).read():
        failures.append("launcher does not start /usr/games/tarnwake")
    man = subprocess.run(["gzip", "-t", os.path.join(stage, "usr/share/man/man6/tarnwake.6.gz")])
    if man.returncode != 0:
        failures.append("manual page is not a gzip file")

# Root may write anywhere, so the unwritable prefix is one that lies below a
# plain file.
with tempfile.TemporaryDirectory() as scratch:
    blocker = os.path.join(scratch, "file")
    open(blocker, "w").close()
    prefix = os.path.join(blocker, "usr")
    out = subprocess.run(["cmake", "--install", build, "--prefix", prefix],
                         capture_output=True, text=True)
    if out.returncode == 0:
        failures.append("install below a plain file reported success")
    elif blocker not in out.stderr + out.stdout:
        failures.append("install error does not name the path:\n" + out.stderr)
    if os.listdir(scratch) != ["file"]:
        failures.append("failed install left files: %s" % os.listdir(scratch))

print("\n".join(failures) or "install lands %d files" % len(EXPECTED))
sys.exit(1 if failures else 0)
