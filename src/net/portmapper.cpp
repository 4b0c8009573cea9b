// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/portmapper.h"

#include "net/natpmpgateway.h"
#include "net/upnpgateway.h"

#include <QDeadlineTimer>
#include <QThread>

namespace tw {

namespace {

PortMapWorker::Gateways homeRouter()
{
    PortMapWorker::Gateways gateways;
    gateways.push_back(std::make_unique<UpnpGateway>());
    gateways.push_back(std::make_unique<NatPmpGateway>());
    return gateways;
}

} // namespace

PortMapper::PortMapper(QObject *parent) : PortMapper(homeRouter, parent) {}

PortMapper::PortMapper(PortMapWorker::GatewayFactory factory, QObject *parent)
    : QObject(parent), m_factory(std::move(factory))
{}

PortMapper::~PortMapper()
{
    shutDown();
}

void PortMapper::start(quint16 internalPort)
{
    shutDown();
    m_stopping = std::make_shared<std::atomic_bool>(false);
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("port mapping"));
    m_worker = new PortMapWorker(m_factory, m_stopping);
    m_worker->moveToThread(m_thread);
    // The worker and the gateways it made end on their own thread.
    connect(m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    connect(
        m_worker, &PortMapWorker::stateChanged, this,
        [this, generation = ++m_generation](const PortMapState &state) {
            if (generation == m_generation)
                onWorkerState(state);
        },
        Qt::QueuedConnection);
    m_thread->start();
    QMetaObject::invokeMethod(m_worker,
                              [worker = m_worker, internalPort] { worker->start(internalPort); });
    onWorkerState(PortMapState::inPhase(PortMapState::Phase::Searching));
}

void PortMapper::stop()
{
    shutDown();
    onWorkerState({});
}

void PortMapper::shutDown()
{
    if (!m_thread)
        return;
    m_stopping->store(true);
    ++m_generation;
    disconnect(m_worker, nullptr, this, nullptr);
    // The thread ends itself after the removal: a quit() from here could end
    // its event loop before the removal was ever run.
    QMetaObject::invokeMethod(m_worker, [worker = m_worker] {
        worker->stop();
        QThread::currentThread()->quit();
    });
    if (m_thread->wait(QDeadlineTimer(kStopMilliseconds))) {
        delete m_thread;
    } else {
        // Still in a request to the gateway: the thread removes the mapping
        // after it and ends; its object goes when it has.
        connect(m_thread, &QThread::finished, m_thread, &QObject::deleteLater);
        if (m_thread->isFinished())
            m_thread->deleteLater();
    }
    m_thread = nullptr;
    m_worker = nullptr;
    m_stopping.reset();
}

void PortMapper::onWorkerState(const PortMapState &state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(m_state);
}

} // namespace tw
