// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaType>
#include <QString>
#include <QtGlobal>

namespace tw {

// How a port mapping on the home router stands, as the network options
// show it.
struct PortMapState
{
    enum class Phase
    {
        Idle,      // not started, or stopped
        Searching, // asking the gateway
        Mapped,
        Failed,
    };
    enum class Method
    {
        None,
        Upnp,
        NatPmp,
    };
    enum class Failure
    {
        None,
        NoGateway, // nothing answered
        Refused,   // a gateway answered but made no mapping
        PortTaken, // every external port tried is in use on the gateway
    };

    Phase phase = Phase::Idle;
    Method method = Method::None;
    Failure failure = Failure::None;
    // The gateway's external address after the checks, empty when it gave
    // none worth showing; and whether that address is itself private.
    QString externalAddress;
    bool behindAnotherNat = false;
    quint16 externalPort = 0; // when mapped

    static PortMapState inPhase(Phase phase)
    {
        PortMapState state;
        state.phase = phase;
        return state;
    }
    static PortMapState failedFor(Failure failure)
    {
        PortMapState state = inPhase(Phase::Failed);
        state.failure = failure;
        return state;
    }

    bool operator==(const PortMapState &) const = default;
};

} // namespace tw

Q_DECLARE_METATYPE(tw::PortMapState)
