#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Peak memory of the port mapping against a gateway that sends huge replies.

portmap_probe runs under /usr/bin/time -v in the home namespace of a home
router (tests/e2e/routers.py) whose UPnP gateway is fake_gateway.py: once
answering every request with 64 MiB ("huge"), once describing a plausible
gateway and answering its control requests with 64 MiB ("huge-control"),
and once with a real miniupnpd for comparison. Prints the final state and
the maximum resident set size of each run.

    gateway_memory.py <portmap_probe>

Runs as root; exits 77 where network namespaces cannot be made.
"""

import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests",
                                "e2e"))
import routers  # noqa: E402
from twdriver import tempdir  # noqa: E402

PORT = 8170


def measure(nets, probe):
    """The probe's final state line and its peak resident set in kB."""
    proc = subprocess.Popen(nets.exec_prefix("home0") + ["/usr/bin/time", "-v", probe, str(PORT)],
                            stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True)
    state = "?"
    for line in proc.stdout:
        if line.split()[0] in ("mapped", "failed"):
            state = line.strip()
            break
    proc.stdin.close()  # the probe removes its mapping and ends
    proc.stdout.read()
    err = proc.stderr.read()
    proc.wait(timeout=30)
    peak = next((line.split()[-1] for line in err.splitlines()
                 if "Maximum resident set size" in line), "?")
    return state, peak


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    probe = os.path.abspath(sys.argv[1])
    if not routers.available() or not shutil.which("time", path="/usr/bin"):
        print("skipped: needs network namespaces, nft, miniupnpd and /usr/bin/time")
        return 77
    work = tempdir("twgwmem")
    try:
        with routers.HomeRouters(os.path.join(work, "routers"), count=1) as nets:
            for mode in ("huge", "huge-control", "miniupnpd"):
                if mode == "miniupnpd":
                    nets.start_gateway(0, upnp=True, natpmp=False)
                else:
                    nets.start_fake_gateway(0, mode)
                try:
                    state, peak = measure(nets, probe)
                finally:
                    nets.stop_gateway(0)
                print("%-13s %-40s peak RSS %s kB" % (mode, state, peak))
    finally:
        shutil.rmtree(work, ignore_errors=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
