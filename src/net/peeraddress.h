// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QHostAddress>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <optional>

namespace tw {

// The port a game listens on unless the player's address says otherwise.
inline constexpr quint16 kDefaultPeerPort = 8170;

// Where to reach a peer, as the player typed it. host is a host name as
// typed, or an IP address in its usual text form (an IPv6 one without
// brackets).
struct PeerAddress
{
    QString host;
    quint16 port = kDefaultPeerPort;

    bool operator==(const PeerAddress &) const = default;
};

// A port as text: 1 to 5 ASCII decimal digits, 1..65535. No sign, no space.
std::optional<quint16> parsePort(QStringView text);

// What a player types in the address field: "host", "host:port",
// "a.b.c.d", "a.b.c.d:port", "[v6]" , "[v6]:port" or a bare IPv6 address
// (which takes no port). Space around the whole is ignored, space inside is
// not. Nothing is looked up: a host name is only checked for its form. Without
// a port the address takes defaultPort.
std::optional<PeerAddress> parsePeerAddress(QStringView text,
                                            quint16 defaultPort = kDefaultPeerPort);

// An address as the address field shows it: "a.b.c.d" or an IPv6 address,
// with ":port" (IPv6 in brackets) when port is not defaultPort.
QString addressText(const QHostAddress &address, quint16 port, quint16 defaultPort);

// A dotted-quad IPv4 address, strictly: four decimal parts 0..255 without
// leading zeros (which some parsers read as octal). In host byte order.
std::optional<quint32> parseIpv4(QStringView text);

// What a gateway's external address is good for.
enum class ExternalReach
{
    Unusable,         // zero, broadcast, multicast or reserved: not shown
    BehindAnotherNat, // private, carrier NAT, link-local or loopback
    Public,
};

// Precondition: address in host byte order.
ExternalReach classifyExternalIpv4(quint32 address);

// A gateway's external address after the checks: shown only when present.
struct ExternalAddress
{
    QString text; // dotted quad, normalised
    bool behindAnotherNat = false;

    bool operator==(const ExternalAddress &) const = default;
};

// The external address as a gateway reports it, as text. Anything but a
// strict dotted quad that is not Unusable gives nothing.
std::optional<ExternalAddress> checkExternalAddress(QStringView fromGateway);
std::optional<ExternalAddress> checkExternalAddress(quint32 address);

// The host of an address a gateway gives for its description or control
// point, when it is "http://a.b.c.d" followed by nothing, ":port" or
// "/path". Names, IPv6 and other schemes give nothing: the caller compares
// the host with the gateway's before connecting anywhere.
std::optional<quint32> httpUrlIpv4Host(QByteArrayView url);

} // namespace tw
