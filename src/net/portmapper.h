// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/portmapstate.h"
#include "net/portmapworker.h"

#include <QObject>
#include <atomic>
#include <memory>

class QThread;

namespace tw {

// The game's port mapping on the home router: asked for at start, renewed
// while the game runs, removed at the end. Lives on the caller's thread and
// never blocks it beyond stop()'s bound: every request to the gateway runs
// on a thread of its own and the state comes back as a queued signal.
class PortMapper : public QObject
{
    Q_OBJECT
public:
    // How long stop() waits for the gateway to remove the mapping.
    static constexpr int kStopMilliseconds = 1000;

    // UPnP-IGD first, then NAT-PMP.
    explicit PortMapper(QObject *parent = nullptr);
    // The given gateways instead (tests).
    explicit PortMapper(PortMapWorker::GatewayFactory factory, QObject *parent = nullptr);
    // Removes the mapping as stop() does.
    ~PortMapper() override;

    // Maps TCP internalPort; a mapping held is removed first.
    void start(quint16 internalPort);
    // Removes the mapping, waiting kStopMilliseconds at most. A gateway that
    // takes longer is left to the worker thread, which removes the mapping
    // when it can and then ends on its own.
    void stop();

    const PortMapState &state() const { return m_state; }

signals:
    void stateChanged(const tw::PortMapState &state);

private:
    void onWorkerState(const PortMapState &state);
    void shutDown();

    PortMapWorker::GatewayFactory m_factory;
    QThread *m_thread = nullptr;
    PortMapWorker *m_worker = nullptr; // lives on m_thread
    std::shared_ptr<std::atomic_bool> m_stopping;
    PortMapState m_state;
    // Counts the workers started, so that a state a stopped one sent
    // before it was stopped is dropped.
    quint64 m_generation = 0;
};

} // namespace tw
