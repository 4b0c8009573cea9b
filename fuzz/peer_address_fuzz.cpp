// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the parsers of addresses that players type and
// that gateways report, and checks what must always hold:
//   - an accepted peer address has a host and a port in 1..65535, and
//     written back as "host:port" (IPv6 in brackets) parses to itself;
//   - an accepted port is 1..65535 and is its text's decimal value;
//   - an IPv4 address parsed is written back as the same text;
//   - an external address shown parses to itself, and is never zero,
//     multicast or reserved;
//   - a gateway URL yields a host only when it starts with http:// and that
//     host, written back, follows the scheme.
//
// Input: the whole input, as UTF-8 for the typed forms and as bytes for
// the gateway's URL.

#include "net/peeraddress.h"

#include <QHostAddress>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, int line = __builtin_LINE())
{
    if (!condition) {
        std::fprintf(stderr, "invariant broken at line %d\n", line);
        std::abort();
    }
}

void checkPeerAddress(const QString &text)
{
    const auto address = tw::parsePeerAddress(text);
    if (!address)
        return;
    check(!address->host.isEmpty());
    check(address->port >= 1);
    const bool ipv6 = address->host.contains(u':');
    const QString written = (ipv6 ? u'[' + address->host + u']' : address->host) + u':' +
                            QString::number(address->port);
    check(tw::parsePeerAddress(written) == address);
}

void checkPort(const QString &text)
{
    const auto port = tw::parsePort(text);
    if (!port)
        return;
    check(*port >= 1 && text.toUInt() == *port);
}

void checkIpv4(const QString &text)
{
    const auto address = tw::parseIpv4(text);
    if (!address)
        return;
    check(QHostAddress(*address).toString() == text);
    const auto external = tw::checkExternalAddress(text);
    if (!external)
        return;
    check(tw::classifyExternalIpv4(*address) != tw::ExternalReach::Unusable);
    check(external->text == text);
    check(tw::checkExternalAddress(external->text) == external);
}

void checkGatewayUrl(QByteArrayView bytes)
{
    const auto host = tw::httpUrlIpv4Host(bytes);
    if (!host)
        return;
    const QByteArray written = QHostAddress(*host).toString().toLatin1();
    check(bytes.size() >= 7 + written.size());
    check(QByteArrayView(bytes.first(7)).compare("http://", Qt::CaseInsensitive) == 0);
    check(bytes.sliced(7).startsWith(written));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QByteArrayView bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const QString text = QString::fromUtf8(bytes);
    checkPeerAddress(text);
    checkPort(text);
    checkIpv4(text);
    checkGatewayUrl(bytes);
    return 0;
}
