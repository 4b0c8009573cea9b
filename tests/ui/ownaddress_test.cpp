// SPDX-License-Identifier: GPL-3.0-or-later
// What the network options say of the address to give a friend, from the
// router's port mapping as it stands.
#include "match/gamestate.h"
#include "ui/ownaddress.h"

#include <gtest/gtest.h>

using namespace tw;

namespace {

PortMapState mapped(const char *address, quint16 port, bool behindAnotherNat = false)
{
    PortMapState state = PortMapState::inPhase(PortMapState::Phase::Mapped);
    state.method = PortMapState::Method::Upnp;
    state.externalAddress = QString::fromLatin1(address);
    state.externalPort = port;
    state.behindAnotherNat = behindAnotherNat;
    return state;
}

struct Case
{
    const char *name;
    PortMapState state;
    bool mappingOn;
    const char *ipv6;
    const char *line;
    const char *address; // what Copy copies
    bool explained;      // a tooltip says why
};

TEST(OwnAddressTest, SaysWhatAFriendConnectsToOrWhyThereIsNothing)
{
    using Failure = PortMapState::Failure;
    const Case cases[] = {
        {"mapped", mapped("203.0.113.7", 8170), true, "", "Your address: 203.0.113.7:8170",
         "203.0.113.7:8170", false},
        {"another external port", mapped("203.0.113.7", 8171), true, "",
         "Your address: 203.0.113.7:8171", "203.0.113.7:8171", true},
        {"router behind a carrier NAT", mapped("100.64.3.4", 8170, true), true, "",
         "Behind another NAT: 100.64.3.4:8170", "100.64.3.4:8170", true},
        {"mapped, no address told", mapped("", 8170), true, "", "Your port on the router: 8170", "",
         true},
        {"asking", PortMapState::inPhase(PortMapState::Phase::Searching), true, "",
         "Your address: asking the router...", "", false},
        {"no gateway", PortMapState::failedFor(Failure::NoGateway), true, "",
         "No router answered: no port opened", "", true},
        {"refused", PortMapState::failedFor(Failure::Refused), true, "",
         "The router refused to open the port", "", true},
        {"ports taken", PortMapState::failedFor(Failure::PortTaken), true, "",
         "The router's ports are all taken", "", true},
        {"switched off", mapped("203.0.113.7", 8170), false, "", "Opening the port is off", "",
         false},
        {"IPv6 when nothing is mapped", PortMapState::failedFor(Failure::NoGateway), true,
         "2001:db8::7", "Your address: [2001:db8::7]:8170", "[2001:db8::7]:8170", true},
        {"IPv6 with the switch off", PortMapState{}, false, "2001:db8::7",
         "Your address: [2001:db8::7]:8170", "[2001:db8::7]:8170", true},
        {"the mapping before IPv6", mapped("203.0.113.7", 8170), true, "2001:db8::7",
         "Your address: 203.0.113.7:8170", "203.0.113.7:8170", false},
    };
    Settings english;
    for (const Case &c : cases) {
        const OwnAddress own =
            describeOwnAddress(c.state, c.mappingOn, 8170, QString::fromLatin1(c.ipv6), english);
        EXPECT_EQ(own.line, QString::fromUtf8(c.line)) << c.name;
        EXPECT_EQ(own.address, QString::fromLatin1(c.address)) << c.name;
        EXPECT_EQ(!own.explanation.isEmpty(), c.explained) << c.name;
    }
}

TEST(OwnAddressTest, SpeaksRussian)
{
    Settings russian;
    russian.englishUi = false;
    EXPECT_EQ(describeOwnAddress(mapped("203.0.113.7", 8170), true, 8170, {}, russian).line,
              QStringLiteral("Ваш адрес: 203.0.113.7:8170"));
    EXPECT_EQ(describeOwnAddress(PortMapState::failedFor(PortMapState::Failure::NoGateway), true,
                                 8170, {}, russian)
                  .line,
              QStringLiteral("Роутер не ответил: порт не открыт"));
}

TEST(OwnAddressTest, PortTheGameCannotListenOnSaysWhatIsBusyAndWhatToDo)
{
    using Failure = PeerLink::ListenFailure;
    const Settings english;
    EXPECT_FALSE(describeListenFailure(Failure::None, 8169, english));
    // The port field itself refuses a port that is none.
    EXPECT_FALSE(describeListenFailure(Failure::NoTcpPort, 70000, english));
    const auto busy = describeListenFailure(Failure::InUse, 8169, english);
    ASSERT_TRUE(busy);
    EXPECT_EQ(busy->line, QStringLiteral("Port 8169 is taken by another program"));
    EXPECT_TRUE(busy->explanation.contains(u"8169"));
    EXPECT_TRUE(busy->address.isEmpty()); // nothing a friend could reach
    for (const Failure failure : {Failure::NotAllowed, Failure::Other}) {
        const auto refused = describeListenFailure(failure, 80, english);
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->line, QStringLiteral("The game cannot listen on port 80"));
        EXPECT_TRUE(refused->address.isEmpty());
    }
    Settings russian;
    russian.englishUi = false;
    EXPECT_EQ(describeListenFailure(Failure::InUse, 8169, russian)->line,
              QStringLiteral("Порт 8169 занят другой программой"));
}

} // namespace
