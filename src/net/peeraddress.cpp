// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/peeraddress.h"

#include <QHostAddress>

namespace tw {

namespace {

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAllDigitsAndDots(QStringView text)
{
    for (QChar c : text) {
        if (!isAsciiDigit(c) && c != u'.')
            return false;
    }
    return true;
}

// Letters, digits and hyphens in dot-separated labels of 1..63 characters,
// no label starting or ending with a hyphen, 253 characters at most.
bool isHostName(QStringView text)
{
    if (text.isEmpty() || text.size() > 253)
        return false;
    qsizetype labelStart = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i == text.size() || text[i] == u'.') {
            const qsizetype length = i - labelStart;
            if (length < 1 || length > 63 || text[labelStart] == u'-' || text[i - 1] == u'-')
                return false;
            labelStart = i + 1;
            continue;
        }
        const QChar c = text[i];
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        if (!letter && !isAsciiDigit(c) && c != u'-')
            return false;
    }
    return true;
}

// An IPv6 address in its text form, normalised; nothing else.
std::optional<QString> parseIpv6(QStringView text)
{
    // Each part is bounded on its own, not the whole: QHostAddress may write
    // an address back longer than it was typed ("0::1:2" as "::0.1.0.2"),
    // and what it writes must read back. The address part is at most
    // INET6_ADDRSTRLEN - 1 characters, the zone an interface name of at most
    // IFNAMSIZ - 1 or a number.
    constexpr qsizetype kLongestAddress = 45;
    constexpr qsizetype kLongestZone = 15;
    if (text.isEmpty() || !text.contains(u':'))
        return std::nullopt;
    // QHostAddress takes anything after '%' as the zone: only an interface
    // name or number may stand there.
    const qsizetype percent = text.indexOf(u'%');
    const qsizetype addressLength = percent < 0 ? text.size() : percent;
    if (addressLength > kLongestAddress || text.size() - addressLength - 1 > kLongestZone)
        return std::nullopt;
    if (percent == text.size() - 1)
        return std::nullopt; // an empty zone
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool digit = isAsciiDigit(c);
        const bool hex = digit || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        const bool letter = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
        const bool allowed = i < percent || percent < 0 ? hex || c == u':' || c == u'.'
                                                        : i == percent || digit || letter ||
                                                              c == u'_' || c == u'-' || c == u'.';
        if (!allowed)
            return std::nullopt;
    }
    QHostAddress address;
    if (!address.setAddress(text.toString()) || address.protocol() != QAbstractSocket::IPv6Protocol)
        return std::nullopt;
    return address.toString();
}

std::optional<PeerAddress> hostWithPort(QStringView host, std::optional<QStringView> port,
                                        quint16 defaultPort)
{
    PeerAddress result{{}, defaultPort};
    if (port) {
        const auto number = parsePort(*port);
        if (!number)
            return std::nullopt;
        result.port = *number;
    }
    if (isAllDigitsAndDots(host)) {
        // Looks like an IPv4 address, so it must be one: "1.2.3" or
        // "010.0.0.1" mean different things to different resolvers.
        const auto ipv4 = parseIpv4(host);
        if (!ipv4)
            return std::nullopt;
        result.host = QHostAddress(*ipv4).toString();
        return result;
    }
    if (!isHostName(host))
        return std::nullopt;
    result.host = host.toString();
    return result;
}

} // namespace

std::optional<quint16> parsePort(QStringView text)
{
    if (text.isEmpty() || text.size() > 5)
        return std::nullopt;
    quint32 value = 0;
    for (QChar c : text) {
        if (!isAsciiDigit(c))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
    }
    if (value < 1 || value > 65535)
        return std::nullopt;
    return static_cast<quint16>(value);
}

std::optional<PeerAddress> parsePeerAddress(QStringView text, quint16 defaultPort)
{
    text = text.trimmed();
    if (text.startsWith(u'[')) {
        const qsizetype close = text.indexOf(u']');
        if (close < 0)
            return std::nullopt;
        const auto host = parseIpv6(text.sliced(1, close - 1));
        if (!host)
            return std::nullopt;
        const QStringView rest = text.sliced(close + 1);
        PeerAddress result{*host, defaultPort};
        if (rest.isEmpty())
            return result;
        if (!rest.startsWith(u':'))
            return std::nullopt;
        const auto port = parsePort(rest.sliced(1));
        if (!port)
            return std::nullopt;
        result.port = *port;
        return result;
    }
    const qsizetype colons = text.count(u':');
    if (colons == 0)
        return hostWithPort(text, std::nullopt, defaultPort);
    if (colons == 1) {
        const qsizetype colon = text.indexOf(u':');
        return hostWithPort(text.first(colon), text.sliced(colon + 1), defaultPort);
    }
    // Two colons or more: an IPv6 address without brackets, which cannot
    // carry a port.
    const auto host = parseIpv6(text);
    if (!host)
        return std::nullopt;
    return PeerAddress{*host, defaultPort};
}

QString addressText(const QHostAddress &address, quint16 port, quint16 defaultPort)
{
    bool isIpv4 = false;
    const quint32 ipv4 = address.toIPv4Address(&isIpv4);
    const QString host = isIpv4 ? QHostAddress(ipv4).toString() : address.toString();
    if (port == defaultPort)
        return host;
    return (isIpv4 ? host : u'[' + host + u']') + u':' + QString::number(port);
}

std::optional<quint32> parseIpv4(QStringView text)
{
    if (text.size() > 15)
        return std::nullopt;
    quint32 address = 0;
    int parts = 0;
    qsizetype i = 0;
    while (true) {
        const qsizetype start = i;
        quint32 part = 0;
        while (i < text.size() && isAsciiDigit(text[i]) && i - start < 3) {
            part = part * 10 + (text[i].unicode() - u'0');
            ++i;
        }
        const qsizetype digits = i - start;
        if (digits == 0 || part > 255 || (digits > 1 && text[start] == u'0'))
            return std::nullopt;
        address = (address << 8) | part;
        ++parts;
        if (i == text.size())
            break;
        if (parts == 4 || text[i] != u'.')
            return std::nullopt;
        ++i;
    }
    if (parts != 4)
        return std::nullopt;
    return address;
}

ExternalReach classifyExternalIpv4(quint32 address)
{
    const auto in = [address](quint32 network, int prefix) {
        const quint32 mask = prefix == 0 ? 0 : ~quint32{0} << (32 - prefix);
        return (address & mask) == network;
    };
    if (in(0x00000000, 8) || in(0xE0000000, 4) || in(0xF0000000, 4))
        return ExternalReach::Unusable; // this network, multicast, reserved and broadcast
    if (in(0x0A000000, 8) || in(0xAC100000, 12) || in(0xC0A80000, 16) || in(0x64400000, 10) ||
        in(0xA9FE0000, 16) || in(0x7F000000, 8))
        return ExternalReach::BehindAnotherNat;
    return ExternalReach::Public;
}

std::optional<ExternalAddress> checkExternalAddress(quint32 address)
{
    const ExternalReach reach = classifyExternalIpv4(address);
    if (reach == ExternalReach::Unusable)
        return std::nullopt;
    return ExternalAddress{QHostAddress(address).toString(),
                           reach == ExternalReach::BehindAnotherNat};
}

std::optional<ExternalAddress> checkExternalAddress(QStringView fromGateway)
{
    const auto address = parseIpv4(fromGateway);
    if (!address)
        return std::nullopt;
    return checkExternalAddress(*address);
}

std::optional<quint32> httpUrlIpv4Host(QByteArrayView url)
{
    constexpr QByteArrayView scheme("http://");
    if (url.size() < scheme.size() ||
        QByteArrayView(url.first(scheme.size())).compare(scheme, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const QByteArrayView rest = url.sliced(scheme.size());
    qsizetype end = 0;
    while (end < rest.size() && rest[end] != ':' && rest[end] != '/')
        ++end;
    // Only ASCII reaches the parser, so a stray byte cannot widen into a digit.
    const QByteArrayView host = rest.first(end);
    if (host.size() > 15)
        return std::nullopt;
    const auto address = parseIpv4(QString::fromLatin1(host));
    if (!address)
        return std::nullopt;
    if (end < rest.size() && rest[end] == ':') {
        qsizetype portEnd = end + 1;
        while (portEnd < rest.size() && rest[portEnd] != '/')
            ++portEnd;
        const QByteArrayView port = rest.sliced(end + 1, portEnd - end - 1);
        if (port.size() > 5 || !parsePort(QString::fromLatin1(port)))
            return std::nullopt;
    }
    return address;
}

} // namespace tw
