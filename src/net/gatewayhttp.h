// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The HTTP that UPnP-IGD needs, with a bound on what a reply may hold and on
// how long it may take. miniupnpc keeps whole replies in memory however
// large the gateway makes them; a gateway is any device that answers the
// multicast search, so the size of what it sends is ours to limit.

#include <QByteArray>
#include <QByteArrayView>
#include <chrono>
#include <optional>

namespace tw {

struct GatewayReply
{
    int status = 0;
    QByteArray body;
    // Ours, dotted IPv4, as the connection to the gateway used it.
    QByteArray localAddress;
};

// Replies larger than this, head and body, are given up: a gateway's
// description is a few KiB.
inline constexpr qsizetype kMaxGatewayReplyBytes = 64 * 1024;
// From the connect to the reply's last byte.
inline constexpr std::chrono::milliseconds kGatewayTimeout{3000};

// GET of url, "http://a.b.c.d[:port][/path]"; with a SOAP action, a POST
// of body as that action's request. Nothing when it cannot be connected to,
// the reply is too large, late or no HTTP.
std::optional<GatewayReply> requestFromGateway(QByteArrayView url, QByteArrayView soapAction = {},
                                               QByteArrayView body = {});

// A whole HTTP/1.x reply as it came, up to the closed connection: status and
// body, the body cut to its Content-Length or joined from its chunks.
// Nothing when it is no HTTP reply or ends before its body does.
std::optional<GatewayReply> parseGatewayReply(QByteArrayView bytes);

} // namespace tw
