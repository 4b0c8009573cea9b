#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The port mapping against a real home router: miniupnpd in a router
namespace that masquerades its LAN, the mapping asked for from the home
namespace behind it by portmap_probe (the game's own PortMapper).

- UPnP-IGD on: mapped through UPnP; the external address shown is the
  router's WAN address; a connection from the internet to that address and
  the external port reaches a listener at home; once the probe has ended,
  no mapping is left (upnpc -l from home, and the router's nft chains).
- UPnP off, NAT-PMP on: the same through NAT-PMP, the probe ended by
  SIGTERM this time.
- No gateway at all (a router without miniupnpd): failed, no gateway,
  within a few seconds.
- A port taken on the router (by another machine of the home): the next
  port is mapped and said; the other mapping is left alone.
- The router restarts while the mapping is held (miniupnpd killed, its
  rules flushed, started again): the mapping is back, and reaches home,
  within RESTART_SECONDS of the router serving again.
- A scripted gateway answering junk, huge replies (to every request, or
  only to the control requests of a plausible description) or nothing: a failed
  state in bounded time, no connection to any address but the gateway's;
  and the end while a request hangs takes no longer than its bound.

    portmap_router.py <portmap_probe>

Runs as root (CI); exits 77, skipped, where namespaces cannot be made or
miniupnpd, nft or upnpc are missing.
"""

import os
import shutil
import signal
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import routers
from twdriver import Failure, tempdir, wait_until

SKIP = 77
PORT = 8170
# Start to a final state: discovery waits a second per kind of device it
# looks for, NAT-PMP two at most. A generous bound that only catches a hang.
SETTLE_SECONDS = 20
# The gateway's replies are read up to a bound of a few dozen KiB, so a
# reply of 64 MiB (fake_gateway.py) leaves the peak where a small one does.
# Holding such a reply whole would take it past 64 MiB.
PEAK_MEMORY_KB = 40 * 1024
# A restarted router has the mapping back within a minute: the mapping held
# is asked for again every 30 s, and a search that failed is tried again
# after 30 s. The bound is generous for a loaded machine.
RESTART_SECONDS = 90

# A listener at home that greets each connection with the word "home".
LISTENER = """
import socket, sys
s = socket.socket(); s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
s.bind(("0.0.0.0", int(sys.argv[1]))); s.listen(4)
print("listening", flush=True)
while True:
    c, _ = s.accept(); c.sendall(b"home"); c.close()
"""
CONNECT = """
import socket, sys
c = socket.create_connection((sys.argv[1], int(sys.argv[2])), timeout=5)
print(c.recv(16).decode())
"""


class Probe:
    """portmap_probe in a namespace: its state lines, its end by closing
    its standard input."""

    def __init__(self, nets, ns, binary):
        self.started = time.monotonic()
        self.proc = subprocess.Popen(nets.exec_prefix(ns) + [binary, str(PORT)],
                                     stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.lines = []

    def final_state(self):
        """The first line after "searching": mapped ... or failed ..."""
        while True:
            line = self.proc.stdout.readline()
            if not line:
                raise Failure("the probe ended early: %s" % self.lines)
            self.lines.append(line.split())
            if self.lines[-1][0] in ("mapped", "failed"):
                return self.lines[-1]

    def peak_memory_kb(self):
        with open("/proc/%d/status" % self.proc.pid) as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
        return 0

    def end(self, by_signal=False):
        """Ends the probe as the game ends: its input closed, or SIGTERM."""
        if by_signal:
            self.proc.send_signal(signal.SIGTERM)
        else:
            self.proc.stdin.close()
        rest = self.proc.stdout.read().split()
        self.proc.stdin.close()
        code = self.proc.wait(timeout=10)
        if code != 0 or rest[-1:] != ["idle"]:
            raise Failure("the probe ended with %d after %s" % (code, rest))

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def upnpc_mappings(nets, ns):
    out = subprocess.run(nets.exec_prefix(ns) + ["upnpc", "-i", "-l"], capture_output=True,
                         text=True, timeout=30).stdout
    return [line for line in out.splitlines() if "TCP" in line and "->" in line]


def reach_home(nets, listener_ns, external_port):
    """A connection from the internet to router 0's external_port reaches a
    listener at home."""
    wan = nets.wan(0)
    listener = subprocess.Popen(nets.exec_prefix(listener_ns) +
                                [sys.executable, "-c", LISTENER, str(PORT)],
                                stdout=subprocess.PIPE, text=True)
    try:
        if listener.stdout.readline().strip() != "listening":
            raise Failure("the listener at home did not start")
        reached = subprocess.run(nets.exec_prefix("internet") +
                                 [sys.executable, "-c", CONNECT, wan, external_port],
                                 capture_output=True, text=True, timeout=20)
        if reached.stdout.strip() != "home":
            raise Failure("%s:%s from the internet: %s %s" % (wan, external_port,
                                                             reached.stdout, reached.stderr))
    finally:
        listener.kill()
        listener.wait()


def check_mapped(nets, probe, method, listener_ns, by_signal=False):
    state = probe.final_state()
    wan = nets.wan(0)
    if state[:3] != ["mapped", method, wan] or state[4] != "public":
        raise Failure("expected mapped %s %s ... public, got %s" % (method, wan, state))
    external_port = state[3]
    print("%s: mapped %s:%s after %s ms" % (method, wan, external_port, state[5]))
    reach_home(nets, listener_ns, external_port)
    if not nets.nft_mappings(0):
        raise Failure("mapped, but the router's chains are empty")
    probe.end(by_signal)
    left = nets.nft_mappings(0)
    if left:
        raise Failure("rules left on the router after the end: %s" % left)


def case_upnp(nets, probe_binary):
    nets.start_gateway(0, upnp=True, natpmp=True)
    probe = Probe(nets, "home0", probe_binary)
    try:
        check_mapped(nets, probe, "upnp", "home0")
        left = upnpc_mappings(nets, "home0")
        if left:
            raise Failure("upnpc -l lists mappings after the end: %s" % left)
    finally:
        probe.kill()
        nets.stop_gateway(0)


def case_natpmp(nets, probe_binary):
    nets.start_gateway(0, upnp=False, natpmp=True)
    probe = Probe(nets, "home0", probe_binary)
    try:
        check_mapped(nets, probe, "natpmp", "home0", by_signal=True)
    finally:
        probe.kill()
        nets.stop_gateway(0)


def case_no_gateway(nets, probe_binary):
    probe = Probe(nets, "home0", probe_binary)
    try:
        state = probe.final_state()
        elapsed = time.monotonic() - probe.started
        if state[:2] != ["failed", "no-gateway"] or elapsed > SETTLE_SECONDS:
            raise Failure("no gateway: %s after %.1f s" % (state, elapsed))
        print("no gateway: failed after %s ms" % state[2])
        probe.end()
    finally:
        probe.kill()


def case_port_taken(nets, probe_binary):
    # Another machine of the home holds the port: a mapping to an address
    # of the LAN that nobody has (nothing is ever sent to it).
    nets.start_gateway(0, upnp=True, natpmp=True, secure=False)
    other_machine = nets.home(0).rsplit(".", 1)[0] + ".3"
    other = ["upnpc", "-i", "-a", other_machine, "9999", str(PORT), "TCP"]
    probe = None
    try:
        subprocess.run(nets.exec_prefix("home0") + other, capture_output=True, timeout=30,
                       check=True)
        probe = Probe(nets, "home0", probe_binary)
        state = probe.final_state()
        if state[:4] != ["mapped", "upnp", nets.wan(0), str(PORT + 1)]:
            raise Failure("port taken: expected %d, got %s" % (PORT + 1, state))
        print("port taken: mapped %s after %s ms" % (state[3], state[5]))
        probe.end()
        left = nets.nft_mappings(0)
        if not any(other_machine in rule for rule in left) or \
                any(str(PORT + 1) in rule for rule in left):
            raise Failure("port taken: the router holds %s" % left)
    finally:
        if probe:
            probe.kill()
        nets.stop_gateway(0)


def case_router_restart(nets, probe_binary):
    nets.start_gateway(0, upnp=True, natpmp=True)
    probe = Probe(nets, "home0", probe_binary)
    try:
        state = probe.final_state()
        if state[:3] != ["mapped", "upnp", nets.wan(0)]:
            raise Failure("before the restart: %s" % state)
        killed = time.monotonic()
        nets.restart_gateway(0)
        serving = time.monotonic()
        wait_until(lambda: nets.nft_mappings(0), RESTART_SECONDS,
                   "the mapping on the restarted router")
        back = time.monotonic()
        reach_home(nets, "home0", state[3])
        print("router restart: mapping back %.1f s after miniupnpd served again "
              "(%.1f s after it was killed)" % (back - serving, back - killed))
        probe.end()
        left = nets.nft_mappings(0)
        if left:
            raise Failure("rules left on the router after the end: %s" % left)
    finally:
        probe.kill()
        nets.stop_gateway(0)


def case_stop_while_hung(nets, probe_binary):
    _, logs = nets.start_fake_gateway(0, "silent")
    probe = Probe(nets, "home0", probe_binary)
    try:
        if probe.proc.stdout.readline().split() != ["searching"]:
            raise Failure("the probe did not start searching")
        wait_until(lambda: os.path.exists(logs + ".gateway"), SETTLE_SECONDS,
                   "the probe's request to the silent gateway")
        ended = time.monotonic()
        probe.end()
        elapsed = time.monotonic() - ended
        # The mapper waits a second for the gateway; the rest is start-up
        # slack on a loaded machine.
        if elapsed > 5:
            raise Failure("the end took %.1f s while the gateway was silent" % elapsed)
        print("end while the gateway is silent: %.2f s" % elapsed)
    finally:
        probe.kill()
        nets.stop_gateway(0)


def case_fake_gateway(nets, probe_binary, mode):
    _, logs = nets.start_fake_gateway(0, mode)
    bystander_log = logs + ".bystander"
    probe = Probe(nets, "home0", probe_binary)
    try:
        state = probe.final_state()
        elapsed = time.monotonic() - probe.started
        # A description that names no service is no gateway; one whose
        # control requests fail refuses the mapping.
        expected = "refused" if mode == "huge-control" else "no-gateway"
        if state[:2] != ["failed", expected] or elapsed > SETTLE_SECONDS:
            raise Failure("fake gateway (%s): %s after %.1f s" % (mode, state, elapsed))
        print("fake gateway (%s): %s after %s ms, peak memory %d kB" %
              (mode, " ".join(state[:2]), state[2], probe.peak_memory_kb()))
        if probe.peak_memory_kb() > PEAK_MEMORY_KB:
            raise Failure("fake gateway (%s): peak memory %d kB" % (mode, probe.peak_memory_kb()))
        probe.end()
        if os.path.exists(bystander_log):
            raise Failure("the probe connected to the bystander the gateway named")
    finally:
        probe.kill()
        nets.stop_gateway(0)


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    probe_binary = os.path.abspath(sys.argv[1])
    if not routers.available() or not shutil.which("upnpc"):
        print("skipped: needs network namespaces, nft, miniupnpd and upnpc")
        return SKIP
    work = tempdir("twportmap")
    try:
        with routers.HomeRouters(os.path.join(work, "routers"), count=1) as nets:
            case_upnp(nets, probe_binary)
            case_natpmp(nets, probe_binary)
            case_no_gateway(nets, probe_binary)
            case_port_taken(nets, probe_binary)
            case_router_restart(nets, probe_binary)
            for mode in ("junk", "huge", "huge-control", "silent"):
                case_fake_gateway(nets, probe_binary, mode)
            case_stop_while_hung(nets, probe_binary)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("ok")
    return 0


if __name__ == "__main__":
    sys.exit(main())
