// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/link.h"
#include "net/portmapstate.h"

#include <QString>
#include <optional>

namespace tw {

struct Settings;

// What the network options say of the address a friend connects to.
struct OwnAddress
{
    QString line;        // one short line, in the language of the settings
    QString explanation; // the longer why, as a tooltip; may be empty
    QString address;     // what Copy copies; empty when there is nothing to give
};

// From the router's port mapping as it stands (mappingOn: the switch),
// the port the game listens on and this machine's global IPv6 address, if it
// has one (reached without any mapping, unless a firewall stops it).
OwnAddress describeOwnAddress(const PortMapState &state, bool mappingOn, quint16 listeningPort,
                              const QString &globalIpv6, const Settings &settings);

// What the network options say when the game could not listen on port, in
// place of any address: nobody could connect, and the router is asked for
// nothing. Nothing when failure says the game listens, or is a port that is
// none (the port field says that).
std::optional<OwnAddress> describeListenFailure(PeerLink::ListenFailure failure, int port,
                                                const Settings &settings);

// A global unicast IPv6 address of this machine, or nothing.
QString findGlobalIpv6();

} // namespace tw
