# SPDX-License-Identifier: GPL-3.0-or-later
"""Home routers in network namespaces, for the tests of the port mapping.

An internet namespace joins the routers' WAN sides: 198.51.100.0/24 and
203.0.113.0/24 (documentation ranges, routed nowhere). Each router
masquerades its home LAN (10.<k+1>.0.0/24) with nftables and runs the real
miniupnpd, UPnP-IGD and NAT-PMP each switchable, started and stopped by its
process id. Behind each router one home namespace, 10.<k+1>.0.2, whose
default gateway is the router.

miniupnpd counts the documentation ranges as reserved and will not take
them for its external address; it learns it by STUN instead, from the small
responder here (run as a script in the internet namespace), which answers
every binding request with the address the request came from.

Traffic stays on this machine: every address used is one that this module
puts on veth pairs between namespaces it makes and removes itself.

    python3 routers.py stun <ready-file>    the STUN responder (internal)
"""

import os
import shutil
import socket
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from twdriver import Failure, wait_until

# Per router: internet side, router WAN, router LAN, home.
PLAN = [
    ("198.51.100.1", "198.51.100.2", "10.1.0.1", "10.1.0.2"),
    ("203.0.113.1", "203.0.113.2", "10.2.0.1", "10.2.0.2"),
]
STUN_PORT = 3478
UPNP_HTTP_PORT = 5000

# miniupnpd's default table and chains, as its nftables back end expects
# them (the package's nft_init.sh cannot run: it sources a file the package
# does not ship). From the WAN only what miniupnpd maps reaches the LAN.
NFT_RULES = """
table inet filter {
    chain forward {
        type filter hook forward priority 0; policy drop;
        ct state established,related accept
        iifname "%(lan)s" oifname "%(wan)s" accept
        jump miniupnpd
    }
    chain miniupnpd {
    }
    chain prerouting {
        type nat hook prerouting priority dstnat; policy accept;
        jump prerouting_miniupnpd
    }
    chain prerouting_miniupnpd {
    }
    chain postrouting {
        type nat hook postrouting priority srcnat; policy accept;
        jump postrouting_miniupnpd
        oifname "%(wan)s" masquerade
    }
    chain postrouting_miniupnpd {
    }
}
"""

MINIUPNPD_CONFIG = """ext_ifname=%(wan)s
listening_ip=%(lan)s
http_port=%(http_port)d
enable_upnp=%(upnp)s
enable_natpmp=%(natpmp)s
ext_perform_stun=yes
ext_stun_host=%(stun_host)s
ext_stun_port=%(stun_port)d
secure_mode=%(secure)s
system_uptime=yes
notify_interval=60
clean_ruleset_interval=0
uuid=3d3cec3a-8cf0-11e0-98ee-0019%(k)08x
allow 1024-65535 %(lan_net)s 1024-65535
deny 0-65535 0.0.0.0/0 0-65535
"""


def available():
    """Whether namespaces can be made and the programs are here."""
    for program in ("ip", "nft", "miniupnpd"):
        if not shutil.which(program):
            return False
    probe = "twrprobe%d" % os.getpid()
    if subprocess.run(["ip", "netns", "add", probe], capture_output=True).returncode != 0:
        return False
    subprocess.run(["ip", "netns", "del", probe], capture_output=True)
    return True


def run(*args):
    out = subprocess.run(list(args), capture_output=True, text=True)
    if out.returncode != 0:
        raise Failure("%s: %s" % (" ".join(args), out.stderr.strip()))
    return out.stdout


class Daemon:
    """A process of a namespace, stopped by its id."""

    def __init__(self, argv, log_path):
        self.log_path = log_path
        with open(log_path, "w") as log:
            self.proc = subprocess.Popen(argv, stdin=subprocess.DEVNULL, stdout=log,
                                         stderr=subprocess.STDOUT)

    def log(self):
        with open(self.log_path, errors="replace") as f:
            return f.read()

    def running(self):
        return self.proc.poll() is None

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait(timeout=10)


class HomeRouters:
    """The internet, `count` routers (1 or 2) and a home behind each.

    Namespace names: ns("internet"), ns("router0"), ns("home0"), ... The
    routers forward and masquerade at once; miniupnpd runs only after
    start_gateway(k). Everything is removed by close(), also when __init__
    fails half-way.
    """

    def __init__(self, workdir, count=2):
        self.workdir = workdir
        self.prefix = "twr%d" % os.getpid()
        self.count = count
        self.daemons = []
        self.gateways = {}
        self.gateway_options = {}  # per router, as start_gateway() last had them
        self.made = []
        self.fakes_started = 0
        try:
            self._make()
        except Exception:
            self.close()
            raise

    def ns(self, name):
        return self.prefix + name

    def exec_prefix(self, name):
        return ["ip", "netns", "exec", self.ns(name)]

    def wan(self, k):
        return PLAN[k][1]

    def home(self, k):
        return PLAN[k][3]

    def _add_ns(self, name):
        run("ip", "netns", "add", self.ns(name))
        self.made.append(self.ns(name))
        run("ip", "-n", self.ns(name), "link", "set", "lo", "up")

    def _veth(self, a, dev_a, b, dev_b):
        run("ip", "link", "add", dev_a, "netns", self.ns(a), "type", "veth", "peer", "name", dev_b,
            "netns", self.ns(b))
        for ns, dev in ((a, dev_a), (b, dev_b)):
            run("ip", "-n", self.ns(ns), "link", "set", dev, "multicast", "on", "up")

    def _make(self):
        os.makedirs(self.workdir, exist_ok=True)
        self._add_ns("internet")
        # The internet routes between the routers.
        run(*self.exec_prefix("internet"), "sysctl", "-q", "-w", "net.ipv4.ip_forward=1")
        for k in range(self.count):
            outside, wan, lan, home = PLAN[k]
            router, house = "router%d" % k, "home%d" % k
            self._add_ns(router)
            self._add_ns(house)
            wan_dev, lan_dev = "wan%d" % k, "lan%d" % k
            self._veth("internet", "net%d" % k, router, wan_dev)
            self._veth(router, lan_dev, house, "eth%d" % k)
            run("ip", "-n", self.ns("internet"), "addr", "add", outside + "/24", "dev",
                "net%d" % k)
            run("ip", "-n", self.ns(router), "addr", "add", wan + "/24", "dev", wan_dev)
            run("ip", "-n", self.ns(router), "addr", "add", lan + "/24", "dev", lan_dev)
            run("ip", "-n", self.ns(router), "route", "add", "default", "via", outside)
            run("ip", "-n", self.ns(router), "route", "add", "224.0.0.0/4", "dev", lan_dev)
            run("ip", "-n", self.ns(house), "addr", "add", home + "/24", "dev", "eth%d" % k)
            run("ip", "-n", self.ns(house), "route", "add", "default", "via", lan)
            run("ip", "-n", self.ns(house), "route", "add", "224.0.0.0/4", "dev", "eth%d" % k)
            run(*self.exec_prefix(router), "sysctl", "-q", "-w", "net.ipv4.ip_forward=1")
            rules = os.path.join(self.workdir, "router%d.nft" % k)
            with open(rules, "w") as f:
                f.write(NFT_RULES % {"lan": lan_dev, "wan": wan_dev})
            run(*self.exec_prefix(router), "nft", "-f", rules)

    def _start_stun(self):
        if "stun" in self.gateways:
            return
        ready = os.path.join(self.workdir, "stun.ready")
        daemon = Daemon(self.exec_prefix("internet") +
                        [sys.executable, os.path.abspath(__file__), "stun", ready],
                        os.path.join(self.workdir, "stun.log"))
        self.daemons.append(daemon)
        wait_until(lambda: os.path.exists(ready) or not daemon.running(), 10, "the STUN responder")
        if not daemon.running():
            raise Failure("STUN responder: " + daemon.log())
        self.gateways["stun"] = daemon

    def start_gateway(self, k, upnp=True, natpmp=True, secure=True):
        """Runs miniupnpd on router k and waits until it serves. Not secure:
        a client may map ports to other LAN addresses than its own."""
        self._start_stun()
        self.gateway_options[k] = {"upnp": upnp, "natpmp": natpmp, "secure": secure}
        outside, wan, lan, _ = PLAN[k]
        config = os.path.join(self.workdir, "miniupnpd%d.conf" % k)
        with open(config, "w") as f:
            f.write(MINIUPNPD_CONFIG % {
                "wan": "wan%d" % k, "lan": "lan%d" % k, "http_port": UPNP_HTTP_PORT,
                "upnp": "yes" if upnp else "no", "natpmp": "yes" if natpmp else "no",
                "secure": "yes" if secure else "no",
                "stun_host": outside, "stun_port": STUN_PORT, "k": k,
                "lan_net": lan.rsplit(".", 1)[0] + ".0/24"})
        pid_file = os.path.join(self.workdir, "miniupnpd%d.pid" % k)
        daemon = Daemon(self.exec_prefix("router%d" % k) +
                        ["miniupnpd", "-f", config, "-d", "-P", pid_file],
                        os.path.join(self.workdir, "miniupnpd%d.log" % k))
        self.daemons.append(daemon)
        self.gateways[k] = daemon
        # It learns its external address by STUN before it listens.
        needed = ["Port forwarding is now enabled"]
        needed += ["HTTP listening on port"] if upnp else []
        needed += ["Listening for NAT-PMP"] if natpmp else []
        wait_until(lambda: not daemon.running() or all(n in daemon.log() for n in needed), 15,
                   "miniupnpd on router %d" % k)
        if not daemon.running():
            raise Failure("miniupnpd on router %d ended:\n%s" % (k, daemon.log()))
        return daemon

    def start_fake_gateway(self, k, mode):
        """Runs fake_gateway.py on router k in place of miniupnpd, with a
        bystander address on the router's LAN side (10.<k+1>.0.9). Returns
        the daemon and the prefix of the files its listeners write to
        (prefix + ".gateway", prefix + ".bystander")."""
        lan = PLAN[k][2]
        bystander = lan.rsplit(".", 1)[0] + ".9"
        if not any(bystander in line for line in
                   run("ip", "-n", self.ns("router%d" % k), "addr", "show").splitlines()):
            run("ip", "-n", self.ns("router%d" % k), "addr", "add", bystander + "/24", "dev",
                "lan%d" % k)
        self.fakes_started += 1
        ready = os.path.join(self.workdir, "fake%d-%s-%d.ready" % (k, mode, self.fakes_started))
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "fake_gateway.py")
        daemon = Daemon(self.exec_prefix("router%d" % k) +
                        [sys.executable, script, lan, bystander, mode, ready],
                        ready[:-len(".ready")] + ".log")
        self.daemons.append(daemon)
        self.gateways[k] = daemon
        wait_until(lambda: os.path.exists(ready) or not daemon.running(), 10, "the fake gateway")
        if not daemon.running():
            raise Failure("fake gateway: " + daemon.log())
        return daemon, ready

    def restart_gateway(self, k):
        """Router k restarts as after a power cut: miniupnpd killed, without
        a chance to remove anything, the rules it kept flushed, and started
        again as it was. Returns once it serves again.

        The flush is what makes it a restart: miniupnpd killed leaves its
        rules in the chains, and started again it takes them as its own
        mappings (it lists and removes them as before), so that a router
        restarted without the flush has lost nothing."""
        daemon = self.gateways.pop(k)
        daemon.proc.kill()
        daemon.proc.wait(timeout=10)
        for chain in ("miniupnpd", "prerouting_miniupnpd", "postrouting_miniupnpd"):
            run(*self.exec_prefix("router%d" % k), "nft", "flush", "chain", "inet", "filter",
                chain)
        return self.start_gateway(k, **self.gateway_options[k])

    def stop_gateway(self, k):
        daemon = self.gateways.pop(k, None)
        if daemon:
            daemon.stop()

    def nft_mappings(self, k):
        """The rules miniupnpd keeps in router k's chains, one a line."""
        lines = []
        for chain in ("miniupnpd", "prerouting_miniupnpd", "postrouting_miniupnpd"):
            out = run(*self.exec_prefix("router%d" % k), "nft", "list", "chain", "inet",
                      "filter", chain)
            lines += [line.strip() for line in out.splitlines()
                      if line.strip() and not line.strip().startswith(("table", "chain", "}"))]
        return lines

    def close(self):
        for daemon in reversed(self.daemons):
            daemon.stop()
        self.daemons = []
        self.gateways = {}
        for ns in reversed(self.made):
            subprocess.run(["ip", "netns", "del", ns], capture_output=True)
        self.made = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def serve_stun(ready_path):
    """Answers each STUN binding request with its own source address
    (XOR-MAPPED-ADDRESS and MAPPED-ADDRESS); ignores everything else.

    Request and answer as STUN defines them: a 20-byte header (type,
    length of what follows, magic cookie 0x2112A442, 12-byte transaction
    id), then attributes (type, length, value padded to 4 bytes).
    """
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("0.0.0.0", STUN_PORT))
    with open(ready_path, "w"):
        pass
    cookie = 0x2112A442
    while True:
        data, (host, port) = sock.recvfrom(2048)
        if len(data) < 20:
            continue
        kind, _, _ = struct.unpack("!HHI", data[:8])
        if kind != 0x0001:
            continue
        transaction = data[8:20]
        address = struct.unpack("!I", socket.inet_aton(host))[0]
        xor = struct.pack("!BBHI", 0, 1, port ^ (cookie >> 16), address ^ cookie)
        plain = struct.pack("!BBH4s", 0, 1, port, socket.inet_aton(host))
        attributes = (struct.pack("!HH", 0x0020, len(xor)) + xor +
                      struct.pack("!HH", 0x0001, len(plain)) + plain)
        sock.sendto(struct.pack("!HHI", 0x0101, len(attributes), cookie) + transaction +
                    attributes, (host, port))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "stun":
        serve_stun(sys.argv[2])
    else:
        sys.exit(__doc__)
