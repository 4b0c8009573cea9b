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
#include <optional>
#include <vector>

namespace tw {

// Asks the gateways in turn for a TCP port mapping, keeps it renewed and
// removes it. A search that finds nothing, or a mapping the gateway no longer
// grants, is tried again with backoff until stop(): a router that restarts
// forgets its mappings and tells nobody. Every call blocks on the gateways:
// it lives on a thread of its own (see PortMapper), or on a test's thread
// with fake gateways.
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
    // How often a mapping held is asked for again, whatever its lease: a
    // restarted router has lost it, and only asking finds that out. Asking
    // again for a mapping held is the same request as renewing it.
    static constexpr std::chrono::seconds kCheckInterval{30};
    // When to search again after failedSearches searches in a row found no
    // mapping: 30 s, doubling, at most 10 min.
    static std::chrono::seconds retryDelay(int failedSearches);

    void start(quint16 internalPort);
    // Asks again for the mapping held; looks afresh when the gateway no
    // longer grants it.
    void renew();
    // What the timer runs when it fires: renew() while a mapping is held, a
    // new search after a failed one. Tests call it in the timer's place.
    void attemptDue();
    // Removes the mapping held, if any.
    void stop();

    const PortMapState &state() const { return m_state; }
    // When attemptDue() runs next; nothing when no attempt is due.
    std::optional<std::chrono::milliseconds> nextAttempt() const;

signals:
    void stateChanged(const tw::PortMapState &state);

private:
    // The outcome and, when added, the external port and lease granted.
    Gateway::Added map(Gateway &gateway, quint16 internalPort);
    // Asks each gateway until one maps; schedules the next attempt either way.
    void search();
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
    int m_failedSearches = 0; // in a row, since the last mapping or start()
    QTimer m_attemptTimer;    // the next renewal or search
};

} // namespace tw
