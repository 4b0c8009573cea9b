#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""A scripted gateway that answers the port mapping's requests with junk
or with huge replies, for the tests with namespaces (routers.py).

    fake_gateway.py <lan-address> <bystander-address> <junk|huge|huge-control|silent> <ready-file>

Runs in a router namespace in place of miniupnpd:
- SSDP (UDP 1900, the multicast group on the LAN): every search is answered
  twice, once with a description on the gateway and once with one on the
  bystander address, where no client may ever connect.
- HTTP on <lan-address>:5000 and <bystander-address>:5000: junk bytes, a
  description far larger than any real one, or silence with the connection
  held open. Each listener appends a line per connection to
  <ready-file>.gateway or <ready-file>.bystander. huge-control describes a
  plausible gateway and gives huge replies to its control requests only.
- NAT-PMP (UDP 5351): junk datagrams of every size up to a full one.
"""

import os
import random
import socket
import struct
import sys
import threading

SSDP_GROUP = "239.255.255.250"
HUGE_BYTES = 64 * 1024 * 1024
DESCRIPTION = """<?xml version="1.0"?>
<root xmlns="urn:schemas-upnp-org:device-1-0"><device>
<deviceType>urn:schemas-upnp-org:device:InternetGatewayDevice:1</deviceType>
<deviceList><device><deviceType>urn:schemas-upnp-org:device:WANDevice:1</deviceType>
<deviceList><device><deviceType>urn:schemas-upnp-org:device:WANConnectionDevice:1</deviceType>
<serviceList><service>
<serviceType>urn:schemas-upnp-org:service:WANIPConnection:1</serviceType>
<serviceId>urn:upnp-org:serviceId:WANIPConn1</serviceId>
<controlURL>/ctl/IPConn</controlURL><eventSubURL>/evt/IPConn</eventSubURL>
<SCPDURL>/WANIPCn.xml</SCPDURL>
</service></serviceList></device></deviceList></device></deviceList>
</device></root>
"""


def http_server(address, mode, on_connect):
    server = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    server.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    server.bind((address, 5000))
    server.listen(16)
    while True:
        conn, _ = server.accept()
        on_connect()
        threading.Thread(target=answer_http, args=(conn, mode), daemon=True).start()


def answer_http(conn, mode):
    try:
        conn.settimeout(5)
        request = conn.recv(4096)
        if mode == "huge-control" and request.startswith(b"GET "):
            body = DESCRIPTION.encode()
            conn.sendall(b"HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\n"
                         b"Content-Length: %d\r\n\r\n" % len(body) + body)
        elif mode == "junk":
            conn.sendall(bytes(random.getrandbits(8) for _ in range(3000)))
        elif mode == "silent":
            conn.settimeout(None)
            while conn.recv(4096):
                pass
        else:
            head = ("HTTP/1.1 200 OK\r\nContent-Type: text/xml\r\nContent-Length: %d\r\n\r\n"
                    % HUGE_BYTES).encode()
            conn.sendall(head + b"<root>")
            chunk = b"<device><deviceType>x</deviceType></device>" * 1000
            sent = 0
            while sent < HUGE_BYTES:
                conn.sendall(chunk)
                sent += len(chunk)
    except OSError:
        pass
    finally:
        conn.close()


def ssdp_server(lan, bystander):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    sock.bind(("0.0.0.0", 1900))
    membership = struct.pack("4s4s", socket.inet_aton(SSDP_GROUP), socket.inet_aton(lan))
    sock.setsockopt(socket.IPPROTO_IP, socket.IP_ADD_MEMBERSHIP, membership)
    while True:
        data, peer = sock.recvfrom(2048)
        if not data.startswith(b"M-SEARCH"):
            continue
        for host in (lan, bystander):
            sock.sendto(("HTTP/1.1 200 OK\r\nCACHE-CONTROL: max-age=120\r\n"
                         "ST: urn:schemas-upnp-org:device:InternetGatewayDevice:1\r\n"
                         "USN: uuid:fake-%s::urn:schemas-upnp-org:device:InternetGatewayDevice:1\r\n"
                         "EXT:\r\nSERVER: fake\r\nLOCATION: http://%s:5000/rootDesc.xml\r\n\r\n"
                         % (host, host)).encode(), peer)


def natpmp_server(lan):
    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind((lan, 5351))
    answers = [b"", b"\x00", b"\x00\x80\x00\x00", b"\x01\x80" + bytes(10),
               b"\x00\x80\x00\x00" + bytes(4) + b"\x00\x00\x00\x00",
               bytes(random.getrandbits(8) for _ in range(1100))]
    while True:
        _, peer = sock.recvfrom(2048)
        for answer in answers:
            sock.sendto(answer, peer)


def main():
    lan, bystander, mode, ready = sys.argv[1:5]
    lock = threading.Lock()

    def reached(name):
        def note():
            with lock, open(ready + "." + name, "a") as f:
                f.write("connection\n")
        return note

    threads = [
        threading.Thread(target=http_server, args=(lan, mode, reached("gateway"))),
        threading.Thread(target=http_server, args=(bystander, mode, reached("bystander"))),
        threading.Thread(target=ssdp_server, args=(lan, bystander)),
        threading.Thread(target=natpmp_server, args=(lan,)),
    ]
    for thread in threads:
        thread.daemon = True
        thread.start()
    with open(ready, "w"):
        pass
    threading.Event().wait()


if __name__ == "__main__":
    main()
