// SPDX-License-Identifier: GPL-3.0-or-later
// What a player may type in the address field, and which external addresses
// a gateway may report before the game shows them.
#include "net/peeraddress.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace tw;

namespace {

struct AddressCase
{
    const char16_t *typed;
    std::optional<PeerAddress> expected;
};

PeerAddress at(const char *host, quint16 port = kDefaultPeerPort)
{
    return {QString::fromLatin1(host), port};
}

const AddressCase kAddressCases[] = {
    {u"alpha", at("alpha")},
    {u"  alpha.example:9000 ", at("alpha.example", 9000)},
    {u"Host-1.lan:1", at("Host-1.lan", 1)},
    {u"203.0.113.7", at("203.0.113.7")},
    {u"203.0.113.7:65535", at("203.0.113.7", 65535)},
    {u"10.0.0.1:08170", at("10.0.0.1", 8170)},
    {u"[2001:db8::7]:8171", at("2001:db8::7", 8171)},
    {u"[2001:DB8::7]", at("2001:db8::7")},
    {u"2001:db8::7", at("2001:db8::7")},
    {u"::ffff:203.0.113.7", at("::ffff:203.0.113.7")},
    // Ports: decimal 1..65535 only.
    {u"alpha:0", std::nullopt},
    {u"alpha:65536", std::nullopt},
    {u"alpha:99999", std::nullopt},
    {u"alpha:100000", std::nullopt},
    {u"alpha:", std::nullopt},
    {u"alpha:+80", std::nullopt},
    {u"alpha:-80", std::nullopt},
    {u"alpha: 80", std::nullopt},
    {u"alpha:80 x", std::nullopt},
    {u"alpha:0x50", std::nullopt},
    {u"alpha:\u0668\u0660", std::nullopt}, // Arabic-Indic digits
    {u"[2001:db8::7]:", std::nullopt},
    {u"[2001:db8::7]8170", std::nullopt},
    {u"[2001:db8::7]:0", std::nullopt},
    // Hosts.
    {u"", std::nullopt},
    {u"   ", std::nullopt},
    {u":8170", std::nullopt},
    {u"al pha", std::nullopt},
    {u"alpha..lan", std::nullopt},
    {u"-alpha", std::nullopt},
    {u"alpha_1", std::nullopt},
    {u"alph\u00e4", std::nullopt},
    {u"1.2.3", std::nullopt},
    {u"256.1.1.1", std::nullopt},
    {u"010.0.0.1", std::nullopt},
    {u"1.2.3.4.5", std::nullopt},
    {u"[203.0.113.7]:8170", std::nullopt},
    {u"[alpha]:8170", std::nullopt},
    {u"[2001:db8::7", std::nullopt},
    {u"2001:db8::7:8170:1:2:3:4:5", std::nullopt},
    {u"2001:db8::g", std::nullopt},
    {u"[fe80::1%eth0]:8171", at("fe80::1%eth0", 8171)},
    {u"20:01db::%7]:8171", std::nullopt},
    {u"[fe80::1%]:8171", std::nullopt},
    {u"[fe80::1%eth 0]", std::nullopt},
    // Written back longer than typed; the zone is an interface name.
    {u"0::b0:1%eth0", at("::0.176.0.1%eth0", 8170)},
    {u"[fe80::1%abcdefghijklmno]", at("fe80::1%abcdefghijklmno", 8170)},
    {u"[fe80::1%abcdefghijklmnop]", std::nullopt},
};

void PrintTo(const AddressCase &c, std::ostream *os)
{
    *os << QString::fromUtf16(c.typed).toStdString();
}

class PeerAddressTest : public testing::TestWithParam<AddressCase>
{};

TEST_P(PeerAddressTest, ParsesOrRefuses)
{
    const AddressCase &c = GetParam();
    const auto parsed = parsePeerAddress(QStringView(c.typed));
    ASSERT_EQ(parsed.has_value(), c.expected.has_value());
    if (parsed) {
        EXPECT_EQ(parsed->host, c.expected->host);
        EXPECT_EQ(parsed->port, c.expected->port);
    }
}

INSTANTIATE_TEST_SUITE_P(Typed, PeerAddressTest, testing::ValuesIn(kAddressCases));

TEST(PeerAddressTest, AnAddressWithoutAPortTakesTheOneGiven)
{
    EXPECT_EQ(parsePeerAddress(u"alpha", 8172), at("alpha", 8172));
    EXPECT_EQ(parsePeerAddress(u"203.0.113.7", 8172), at("203.0.113.7", 8172));
    EXPECT_EQ(parsePeerAddress(u"[2001:db8::7]", 8172), at("2001:db8::7", 8172));
    EXPECT_EQ(parsePeerAddress(u"2001:db8::7", 8172), at("2001:db8::7", 8172));
    EXPECT_EQ(parsePeerAddress(u"203.0.113.7:8170", 8172), at("203.0.113.7", 8170));
}

// What the address field shows of a peer, read back as the same peer.
TEST(PeerAddressTest, AddressTextNamesThePortOnlyWhenItDiffers)
{
    const struct
    {
        const char *address;
        quint16 port;
        const char *shown;
    } cases[] = {
        {"203.0.113.7", 8170, "203.0.113.7"},
        {"203.0.113.7", 8171, "203.0.113.7:8171"},
        {"::ffff:203.0.113.7", 8171, "203.0.113.7:8171"},
        {"2001:db8::7", 8170, "2001:db8::7"},
        {"2001:db8::7", 8171, "[2001:db8::7]:8171"},
    };
    for (const auto &c : cases) {
        const QString shown =
            addressText(QHostAddress(QString::fromLatin1(c.address)), c.port, 8170);
        EXPECT_EQ(shown, QString::fromLatin1(c.shown));
        const auto read = parsePeerAddress(shown, 8170);
        ASSERT_TRUE(read) << c.shown;
        EXPECT_EQ(read->port, c.port);
        EXPECT_EQ(QHostAddress(read->host)
                      .isEqual(QHostAddress(QString::fromLatin1(c.address)),
                               QHostAddress::ConvertV4MappedToIPv4),
                  true)
            << c.shown;
    }
}

TEST(PeerAddressLimitsTest, LongHostNamesAndLabels)
{
    const QString label63(63, u'a');
    EXPECT_TRUE(parsePeerAddress(label63));
    EXPECT_FALSE(parsePeerAddress(label63 + u'a'));
    const QString name253 = QStringList(4, label63).join(u'.').left(253);
    EXPECT_TRUE(parsePeerAddress(name253 + QStringLiteral(":80")));
    EXPECT_FALSE(parsePeerAddress(name253 + QStringLiteral("a")));
}

struct ExternalCase
{
    const char16_t *reported;
    std::optional<ExternalAddress> shown;
};

ExternalAddress shown(const char *text, bool behindAnotherNat)
{
    return {QString::fromLatin1(text), behindAnotherNat};
}

const ExternalCase kExternalCases[] = {
    {u"198.51.100.2", shown("198.51.100.2", false)},
    {u"203.0.113.7", shown("203.0.113.7", false)},
    {u"8.8.4.4", shown("8.8.4.4", false)},
    {u"172.32.0.1", shown("172.32.0.1", false)},
    {u"100.128.0.1", shown("100.128.0.1", false)},
    {u"10.1.0.1", shown("10.1.0.1", true)},
    {u"172.16.0.1", shown("172.16.0.1", true)},
    {u"172.31.255.255", shown("172.31.255.255", true)},
    {u"192.168.1.1", shown("192.168.1.1", true)},
    {u"100.64.0.1", shown("100.64.0.1", true)},
    {u"100.127.255.254", shown("100.127.255.254", true)},
    {u"169.254.3.4", shown("169.254.3.4", true)},
    {u"127.0.0.1", shown("127.0.0.1", true)},
    {u"", std::nullopt},
    {u"0.0.0.0", std::nullopt},
    {u"0.1.2.3", std::nullopt},
    {u"255.255.255.255", std::nullopt},
    {u"224.0.0.1", std::nullopt},
    {u"240.0.0.1", std::nullopt},
    {u"203.0.113.7 ", std::nullopt},
    {u"203.0.113", std::nullopt},
    {u"203.0.113.07", std::nullopt},
    {u"203.0.113.256", std::nullopt},
    {u"2001:db8::1", std::nullopt},
    {u"router.lan", std::nullopt},
    {u"(null)", std::nullopt},
};

void PrintTo(const ExternalCase &c, std::ostream *os)
{
    *os << QString::fromUtf16(c.reported).toStdString();
}

class ExternalAddressTest : public testing::TestWithParam<ExternalCase>
{};

TEST_P(ExternalAddressTest, ShownOnlyWhenUsable)
{
    const ExternalCase &c = GetParam();
    EXPECT_EQ(checkExternalAddress(QStringView(c.reported)), c.shown);
}

INSTANTIATE_TEST_SUITE_P(Reported, ExternalAddressTest, testing::ValuesIn(kExternalCases));

// Only an http address on an IPv4 literal names a host we may compare
// with the gateway's.
TEST(GatewayUrlTest, HostOfHttpAddressesOnly)
{
    const std::pair<const char *, std::optional<quint32>> cases[] = {
        {"http://10.1.0.1:5000/rootDesc.xml", 0x0A010001},
        {"HTTP://10.1.0.1/ctl/IPConn", 0x0A010001},
        {"http://10.1.0.1", 0x0A010001},
        {"http://10.1.0.1:5000", 0x0A010001},
        {"http://10.1.0.1:0/", std::nullopt},
        {"http://10.1.0.1:65536/", std::nullopt},
        {"http://10.1.0.1:/", std::nullopt},
        {"http://10.1.0.1@203.0.113.9/", std::nullopt},
        {"http://router.lan:5000/", std::nullopt},
        {"http://[fe80::1]:5000/", std::nullopt},
        {"https://10.1.0.1/", std::nullopt},
        {"ftp://10.1.0.1/", std::nullopt},
        {"http://", std::nullopt},
        {"", std::nullopt},
        {"http://010.1.0.1/", std::nullopt},
    };
    for (const auto &[url, host] : cases)
        EXPECT_EQ(httpUrlIpv4Host(QByteArrayView(url)), host) << url;
}

} // namespace
