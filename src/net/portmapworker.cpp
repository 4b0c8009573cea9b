// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/portmapworker.h"

#include "net/peeraddress.h"

#include <algorithm>

namespace tw {

PortMapWorker::PortMapWorker(GatewayFactory factory,
                             std::shared_ptr<const std::atomic_bool> stopping)
    : m_factory(std::move(factory)), m_stopping(std::move(stopping)), m_attemptTimer(this)
{
    m_attemptTimer.setSingleShot(true);
    connect(&m_attemptTimer, &QTimer::timeout, this, &PortMapWorker::attemptDue);
}

std::chrono::seconds PortMapWorker::renewalDelay(qint64 leaseSeconds)
{
    constexpr qint64 kShortest = 30;
    constexpr qint64 kLongest = 30 * 60;
    if (leaseSeconds <= 0)
        return std::chrono::seconds(kLongest);
    return std::chrono::seconds(std::clamp(leaseSeconds / 2, kShortest, kLongest));
}

std::chrono::seconds PortMapWorker::retryDelay(int failedSearches)
{
    constexpr qint64 kFirst = 30;
    constexpr qint64 kLongest = 10 * 60;
    qint64 delay = kFirst;
    for (int k = 1; k < failedSearches && delay < kLongest; ++k)
        delay *= 2;
    return std::chrono::seconds(std::min(delay, kLongest));
}

std::optional<std::chrono::milliseconds> PortMapWorker::nextAttempt() const
{
    if (!m_attemptTimer.isActive())
        return std::nullopt;
    return m_attemptTimer.intervalAsDuration();
}

void PortMapWorker::setState(const PortMapState &state)
{
    if (state == m_state)
        return;
    m_state = state;
    emit stateChanged(m_state);
}

Gateway::Added PortMapWorker::map(Gateway &gateway, quint16 internalPort)
{
    Gateway::Added added;
    for (int k = 0; k < kPortsTried && internalPort + k <= 65535 && !stopping(); ++k) {
        const auto asked = static_cast<quint16>(internalPort + k);
        added = gateway.add(internalPort, asked, kLeaseSeconds);
        if (added.outcome == Gateway::Outcome::Added) {
            // NAT-PMP chooses the external port; a port outside 1..65535
            // is no mapping anyone could reach.
            if (added.externalPort < 1 || added.externalPort > 65535) {
                gateway.remove(internalPort, asked);
                return {Gateway::Outcome::Refused, 0, 0};
            }
            return added;
        }
        if (added.outcome != Gateway::Outcome::PortTaken)
            return added;
    }
    return added;
}

void PortMapWorker::start(quint16 internalPort)
{
    removeMapping();
    m_internalPort = internalPort;
    m_failedSearches = 0;
    setState(PortMapState::inPhase(PortMapState::Phase::Searching));
    search();
}

void PortMapWorker::search()
{
    m_attemptTimer.stop();
    if (m_gateways.empty() && m_factory)
        m_gateways = m_factory();

    auto failure = PortMapState::Failure::NoGateway;
    for (const auto &gateway : m_gateways) {
        if (stopping())
            return;
        const auto reported = gateway->find();
        if (!reported || stopping())
            continue;
        const Gateway::Added added = map(*gateway, m_internalPort);
        if (added.outcome != Gateway::Outcome::Added) {
            // The most telling reason wins: a port taken says more than a
            // refusal, which says more than silence.
            if (added.outcome == Gateway::Outcome::PortTaken)
                failure = PortMapState::Failure::PortTaken;
            else if (failure == PortMapState::Failure::NoGateway)
                failure = PortMapState::Failure::Refused;
            continue;
        }
        m_active = gateway.get();
        m_externalPort = static_cast<quint16>(added.externalPort);
        m_failedSearches = 0;
        PortMapState mapped = PortMapState::inPhase(PortMapState::Phase::Mapped);
        mapped.method = gateway->method();
        if (const auto external = checkExternalAddress(*reported)) {
            mapped.externalAddress = external->text;
            mapped.behindAnotherNat = external->behindAnotherNat;
        }
        mapped.externalPort = m_externalPort;
        setState(mapped);
        m_attemptTimer.start(
            std::min<std::chrono::seconds>(renewalDelay(added.leaseSeconds), kCheckInterval));
        return;
    }
    if (stopping())
        return;
    // The failure stays shown while the next search runs: a flash of
    // "searching" every few minutes would tell the player nothing new.
    setState(PortMapState::failedFor(failure));
    m_attemptTimer.start(retryDelay(++m_failedSearches));
}

void PortMapWorker::renew()
{
    if (!m_active || stopping())
        return;
    const Gateway::Added added = m_active->add(m_internalPort, m_externalPort, kLeaseSeconds);
    if (added.outcome == Gateway::Outcome::Added && added.externalPort == m_externalPort) {
        m_attemptTimer.start(
            std::min<std::chrono::seconds>(renewalDelay(added.leaseSeconds), kCheckInterval));
        return;
    }
    // Lost (a restarted router, a port given to someone else, a new port
    // granted): map afresh so that the state shown says where we are.
    start(m_internalPort);
}

void PortMapWorker::attemptDue()
{
    if (stopping())
        return;
    if (m_active)
        renew();
    else if (m_state.phase == PortMapState::Phase::Failed)
        search();
}

void PortMapWorker::stop()
{
    removeMapping();
    setState({});
}

void PortMapWorker::removeMapping()
{
    m_attemptTimer.stop();
    if (m_active)
        m_active->remove(m_internalPort, m_externalPort);
    m_active = nullptr;
    m_externalPort = 0;
}

} // namespace tw
