// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/portmapstate.h"

#include <QString>
#include <QtGlobal>
#include <optional>

namespace tw {

// One way of asking the home router for a port mapping (UPnP-IGD,
// NAT-PMP). Every call blocks, within a bound of the implementation's
// own, and is made from one thread. What comes back is what the gateway
// said, unchecked: the caller checks it.
class Gateway
{
public:
    enum class Outcome
    {
        Added,
        PortTaken, // that external port is mapped to someone else
        Refused,
        NoAnswer,
    };
    struct Added
    {
        Outcome outcome = Outcome::NoAnswer;
        // As the gateway reported them: an external port other than the one
        // asked for, and a lease in seconds (0: no end).
        qint64 externalPort = 0;
        qint64 leaseSeconds = 0;
    };

    virtual ~Gateway() = default;

    virtual PortMapState::Method method() const = 0;
    // Looks for the gateway. Nothing when none answered; otherwise its
    // external address as it reported it, possibly empty or junk.
    virtual std::optional<QString> find() = 0;
    // Precondition: find() answered. TCP to this machine's internalPort.
    virtual Added add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds) = 0;
    // Removes what add() made; answers are not awaited beyond the bound.
    virtual void remove(quint16 internalPort, quint16 externalPort) = 0;
};

} // namespace tw
