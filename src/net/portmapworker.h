// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/gateway.h"
#include "net/portmapstate.h"

#include <QObject>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace tw {

// Asks the gateways in turn for a TCP port mapping, keeps it renewed and
// removes it. Every call blocks on the gateways: it lives on a thread of
// its own (see PortMapper), or on a test's thread with fake gateways.
class PortMapWorker : public QObject
{
    Q_OBJECT
public:
    using Gateways = std::vector<std::unique_ptr<Gateway>>;
    // Called on the worker's thread at the first start, so that the
    // gateways live and die there. Tried in the order given.
    using GatewayFactory = std::function<Gateways()>;

    static constexpr quint32 kLeaseSeconds = 3600;
    // External ports tried when the gateway says one is taken: the internal
    // port first, then the ports above it.
    static constexpr int kPortsTried = 8;

    // stopping: set by the owner when it no longer waits for this worker,
    // so that a start in progress makes no further request.
    PortMapWorker(GatewayFactory factory, std::shared_ptr<const std::atomic_bool> stopping);

    // When to renew a lease of leaseSeconds as the gateway granted it (0: no
    // end): halfway, within 30 s and 30 min, so that a gateway that grants
    // leases of a second cannot make us ask continually.
    static std::chrono::seconds renewalDelay(qint64 leaseSeconds);

    void start(quint16 internalPort);
    // Asks again for the mapping held; looks afresh when the gateway no
    // longer grants it.
    void renew();
    // Removes the mapping held, if any.
    void stop();

    const PortMapState &state() const { return m_state; }

signals:
    void stateChanged(const tw::PortMapState &state);

private:
    // The outcome and, when added, the external port and lease granted.
    Gateway::Added map(Gateway &gateway, quint16 internalPort);
    // Without a change of state: a new search follows, or the stop says Idle.
    void removeMapping();
    bool stopping() const { return m_stopping->load(); }
    void setState(const PortMapState &state);

    GatewayFactory m_factory;
    std::shared_ptr<const std::atomic_bool> m_stopping;
    Gateways m_gateways;
    Gateway *m_active = nullptr; // the one that holds the mapping
    quint16 m_internalPort = 0;
    quint16 m_externalPort = 0;
    PortMapState m_state;
    QTimer m_renewTimer;
};

} // namespace tw
