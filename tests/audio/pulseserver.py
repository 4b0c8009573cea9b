#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private PulseAudio sound server for tests.

The server keeps everything in a runtime directory of its own, plays into a
null sink named "tw" (whose monitor a test can record) and listens on one
anonymous native-protocol socket in that directory; it never touches the
desktop's own server, its cookie or its D-Bus. Clients find it through
PULSE_SERVER (see `env`). It runs as root (how CI runs) and as a user, and is
stopped by the pid it was started with, never by name.

As a command it runs another command with a server up and returns its status:

    pulseserver.py [--none] -- COMMAND ARG...

With --none the command runs with PULSE_SERVER pointing at a socket where
nobody listens: a machine without a sound server, even where the desktop has
one. Status 77 (skipped) when pulseaudio is missing.
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIPPED = 77
SINK = "tw"


def _die_with_parent():
    """In the server, before it starts: a fixture killed by a timeout takes
    its server with it."""
    import ctypes
    PR_SET_PDEATHSIG = 1
    ctypes.CDLL(None, use_errno=True).prctl(PR_SET_PDEATHSIG, signal.SIGTERM)


class PulseServer:
    def __init__(self, rate=44100):
        self.dir = tempfile.mkdtemp(prefix="tw-pulse-")
        os.chmod(self.dir, 0o700)
        self.socket = os.path.join(self.dir, "native")
        self.log_path = os.path.join(self.dir, "log")
        self.rate = rate
        self.proc = None
        self.start()

    def server_env(self):
        # Everything the server or its clients would read or write in a home
        # or runtime directory stays in ours.
        env = dict(os.environ)
        for key in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "PULSE_RUNTIME_PATH",
                    "PULSE_STATE_PATH", "PULSE_CONFIG_PATH"):
            env[key] = self.dir
        env.pop("PULSE_SERVER", None)
        env.pop("DBUS_SESSION_BUS_ADDRESS", None)
        env.pop("DISPLAY", None)
        return env

    @property
    def env(self):
        """What a client needs to play into this server."""
        return {"PULSE_SERVER": "unix:" + self.socket,
                "PULSE_COOKIE": os.path.join(self.dir, "client-cookie")}

    def client_env(self):
        env = dict(os.environ)
        env.update(self.env)
        # For tests that make the server stop answering, as a hung one does.
        env["TW_SOUND_SERVER_PID"] = str(self.proc.pid)
        return env

    def start(self):
        """Starts the server (again, after stop()); waits until it answers."""
        if self.proc and self.proc.poll() is None:
            return
        if os.path.exists(self.socket):
            os.unlink(self.socket)
        command = [
            "pulseaudio", "-n", "--daemonize=no", "--use-pid-file=no", "--system=no",
            "--exit-idle-time=-1", "--disallow-exit", "--log-target=stderr", "--log-level=warn",
            "--realtime=no", "--high-priority=no",
            "-L", "module-null-sink sink_name=%s rate=%d" % (SINK, self.rate),
            "-L", "module-native-protocol-unix auth-anonymous=1 socket=" + self.socket,
        ]
        with open(self.log_path, "a") as log:
            self.proc = subprocess.Popen(command, env=self.server_env(), stdin=subprocess.DEVNULL,
                                         stdout=log, stderr=log, start_new_session=True,
                                         preexec_fn=_die_with_parent)
        deadline = time.monotonic() + 20
        while not self.answers():
            if self.proc.poll() is not None or time.monotonic() > deadline:
                with open(self.log_path) as log:
                    text = log.read()
                self.stop()
                raise RuntimeError("pulseaudio did not start:\n" + text)
            time.sleep(0.05)

    def pactl(self, *args, timeout=10):
        return subprocess.run(["pactl"] + list(args), env=self.client_env(), capture_output=True,
                              text=True, timeout=timeout)

    def answers(self):
        if not os.path.exists(self.socket):
            return False
        try:
            return self.pactl("info", timeout=5).returncode == 0
        except subprocess.TimeoutExpired:
            return False

    def streams(self):
        """Number of streams playing into the server now."""
        out = self.pactl("list", "short", "sink-inputs")
        return len(out.stdout.splitlines()) if out.returncode == 0 else 0

    def record(self, path):
        """Starts recording the sink's monitor as 16-bit stereo WAV; returns the recorder."""
        return subprocess.Popen(
            ["parec", "--device=%s.monitor" % SINK, "--file-format=wav", "--format=s16le",
             "--channels=2", "--rate=%d" % self.rate, "--latency-msec=20", path],
            env=self.client_env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def freeze(self):
        """The server stops answering, as a hung one does."""
        self.proc.send_signal(signal.SIGSTOP)

    def thaw(self):
        self.proc.send_signal(signal.SIGCONT)

    def stop(self):
        """Stops the server by its pid; its directory stays until remove()."""
        if not self.proc or self.proc.poll() is not None:
            return
        self.thaw()
        self.proc.terminate()
        try:
            self.proc.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.proc.kill()
            self.proc.wait(timeout=5)

    def kill(self):
        """The server goes away at once, as a crashed one does."""
        if self.proc and self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait(timeout=5)

    def remove(self):
        self.stop()
        shutil.rmtree(self.dir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.remove()


def main(argv):
    none = argv[:1] == ["--none"]
    if none:
        argv = argv[1:]
    if argv[:1] == ["--"]:
        argv = argv[1:]
    if not argv:
        print(__doc__, file=sys.stderr)
        return 2
    if none:
        empty = tempfile.mkdtemp(prefix="tw-nopulse-")
        try:
            env = dict(os.environ, PULSE_SERVER="unix:" + os.path.join(empty, "native"))
            return subprocess.call(argv, env=env)
        finally:
            shutil.rmtree(empty, ignore_errors=True)
    if not shutil.which("pulseaudio"):
        print("pulseaudio is not installed", file=sys.stderr)
        return SKIPPED
    with PulseServer() as server:
        return subprocess.call(argv, env=server.client_env())


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
