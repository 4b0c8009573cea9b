# SPDX-License-Identifier: GPL-3.0-or-later
"""Machines for the programs that twdriver drives: network namespaces joined
by veth pairs, each with its own /etc/hosts, and on a machine that asks for
it a system bus and an Avahi daemon of its own.

Traffic stays on this machine: 10.77.x.x and fd77:x:: addresses on veth
pairs between namespaces that this module makes and removes itself.
"""

import os
import shutil
import subprocess

from twdriver import Failure, wait_until


class Namespaces:
    """Network namespaces joined by veth pairs, each pair a /24 of 10.77.x
    and a /64 of fd77:x::.

    links: list of (ns_a, ns_b) pairs; pair k gets 10.77.k.1 and 10.77.k.2,
    and fd77:k::1 and fd77:k::2.
    hosts: name -> address or list of addresses, written to every namespace's
    /etc/hosts, so reverse look-ups answer without any name server.
    devices: ns -> its veth devices, in the order of the links.
    """

    @staticmethod
    def available():
        probe = "twprobe%d" % os.getpid()
        if subprocess.run(["ip", "netns", "add", probe], capture_output=True).returncode != 0:
            return False
        subprocess.run(["ip", "netns", "del", probe], capture_output=True)
        return True

    def __init__(self, names, links, hosts):
        self.prefix = "tw%d" % os.getpid()
        self.names = {n: self.prefix + n for n in names}
        self.addresses = {}
        self.devices = {}
        try:
            for ns in self.names.values():
                self._ip("netns", "add", ns)
                etc = "/etc/netns/" + ns
                os.makedirs(etc, exist_ok=True)
                with open(etc + "/hosts", "w") as f:
                    f.write("127.0.0.1 localhost\n")
                    for name, addresses in hosts.items():
                        for address in ([addresses] if isinstance(addresses, str) else addresses):
                            f.write("%s %s\n" % (address, name))
                with open(etc + "/resolv.conf", "w") as f:
                    f.write("nameserver 127.0.0.1\n")  # nobody there: look-ups fail at once
                self._ip("-n", ns, "link", "set", "lo", "up")
            for k, (a, b) in enumerate(links):
                va, vb = "%s%s%d" % (self.prefix, a, k), "%s%s%d" % (self.prefix, b, k)
                self._ip("link", "add", va, "netns", self.names[a], "type", "veth", "peer", "name",
                         vb, "netns", self.names[b])
                for ns, dev, host in ((a, va, 1), (b, vb, 2)):
                    address = "10.77.%d.%d" % (k, host)
                    self.addresses.setdefault(ns, []).append(address)
                    self.devices.setdefault(ns, []).append(dev)
                    self._ip("-n", self.names[ns], "addr", "add", address + "/24", "dev", dev)
                    # No duplicate address detection: usable at once.
                    self._ip("-n", self.names[ns], "addr", "add", "fd77:%d::%d/64" % (k, host),
                             "dev", dev, "nodad")
                    self._ip("-n", self.names[ns], "link", "set", dev, "up")
        except Exception:
            self.remove()
            raise

    @staticmethod
    def _ip(*args):
        out = subprocess.run(["ip"] + list(args), capture_output=True, text=True)
        if out.returncode != 0:
            raise Failure("ip %s: %s" % (" ".join(args), out.stderr.strip()))

    def exec_prefix(self, name):
        return ["ip", "netns", "exec", self.names[name]]

    def remove(self):
        for ns in self.names.values():
            subprocess.run(["ip", "netns", "del", ns], capture_output=True)
            shutil.rmtree("/etc/netns/" + ns, ignore_errors=True)


BUS_CONFIG = """<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=%s</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_destination="*"/>
    <allow receive_sender="*"/>
  </policy>
</busconfig>
"""

AVAHI_CONFIG = """[server]
host-name=%s
use-ipv4=yes
use-ipv6=yes
allow-interfaces=%s
enable-dbus=yes
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
"""


class LanDaemons:
    """A machine's own system bus and Avahi daemon, in one namespace.

    Both are started here and stopped by their process ids; the daemon
    announces on the given interfaces only, and the services of `services`
    (file name -> Avahi service-group XML) as its static services. `bus` is
    the bus address to give the programs (DBUS_SYSTEM_BUS_ADDRESS).
    """

    def __init__(self, nets, ns, host_name, interfaces, workdir, services=None):
        os.makedirs(workdir, exist_ok=True)
        services_dir = os.path.join(workdir, "services")
        os.makedirs(services_dir, exist_ok=True)
        for name, xml in (services or {}).items():
            with open(os.path.join(services_dir, name), "w") as f:
                f.write(xml)
        self.host_name = host_name
        self.procs = []
        self.log_path = os.path.join(workdir, "avahi.log")
        socket = os.path.join(workdir, "system_bus_socket")
        self.bus = "unix:path=" + socket
        bus_conf = os.path.join(workdir, "bus.conf")
        with open(bus_conf, "w") as f:
            f.write(BUS_CONFIG % socket)
        avahi_conf = os.path.join(workdir, "avahi-daemon.conf")
        with open(avahi_conf, "w") as f:
            f.write(AVAHI_CONFIG % (host_name, ",".join(interfaces)))
        prefix = nets.exec_prefix(ns)
        try:
            self.procs.append(subprocess.Popen(
                prefix + ["dbus-daemon", "--nofork", "--nopidfile", "--config-file=" + bus_conf],
                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
            wait_until(lambda: os.path.exists(socket), 10, "the system bus of " + host_name)
            # The daemon's pid file and socket live in /run/avahi-daemon: a
            # private /run of its own keeps two daemons apart, and its own
            # static services replace the machine's. ip netns exec gives every
            # command its own mount namespace already.
            with open(self.log_path, "w") as log:
                self.procs.append(subprocess.Popen(
                    prefix + ["env", "DBUS_SYSTEM_BUS_ADDRESS=" + self.bus, "sh", "-c",
                              "mount -t tmpfs tmpfs /run && mkdir /run/avahi-daemon && "
                              "mount --bind %s /etc/avahi/services && exec "
                              "avahi-daemon --no-drop-root --no-chroot --no-rlimits -f %s" %
                              (services_dir, avahi_conf)],
                    stdout=log, stderr=subprocess.STDOUT))
            wait_until(lambda: "Server startup complete" in self.log(), 15,
                       "the avahi daemon of " + host_name)
        except Exception:
            self.stop()
            raise

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def stop(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait(timeout=10)
        self.procs = []
