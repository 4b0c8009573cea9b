// SPDX-License-Identifier: GPL-3.0-or-later
// The port mapping's course against scripted gateways: which gateway and
// port it takes, what it reports, renewal and removal, and that the
// caller's thread never waits on a gateway beyond the bound of stop().
#include "net/portmapper.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>
#include <condition_variable>
#include <gtest/gtest.h>
#include <map>
#include <mutex>

using namespace tw;
using Phase = PortMapState::Phase;
using Method = PortMapState::Method;
using Failure = PortMapState::Failure;
using Outcome = Gateway::Outcome;

namespace {

// What one scripted gateway answers and what it was asked. Shared with the
// test, which may outlive the worker thread or be outlived by it.
struct Script
{
    Method method = Method::Upnp;
    std::optional<QString> external;            // find()'s answer
    std::map<quint16, Gateway::Added> byPort;   // add()'s answer per port asked
    Gateway::Added otherwise{Outcome::Refused}; // for ports not listed
    bool grantAsked = true;                     // Added: the port asked is the port granted

    std::mutex mutex;
    std::condition_variable changed;
    bool blockFind = false; // find() waits until the test clears it
    std::vector<quint16> added;
    std::vector<quint16> removed;
    int finds = 0;
    int alive = 0; // gateways made and not yet destroyed
};

class ScriptedGateway : public Gateway
{
public:
    explicit ScriptedGateway(std::shared_ptr<Script> script) : m_script(std::move(script))
    {
        std::lock_guard lock(m_script->mutex);
        ++m_script->alive;
    }
    ~ScriptedGateway() override
    {
        std::lock_guard lock(m_script->mutex);
        --m_script->alive;
        m_script->changed.notify_all();
    }

    Method method() const override { return m_script->method; }
    std::optional<QString> find() override
    {
        std::unique_lock lock(m_script->mutex);
        ++m_script->finds;
        m_script->changed.notify_all();
        m_script->changed.wait(lock, [this] { return !m_script->blockFind; });
        return m_script->external;
    }
    Added add(quint16 internalPort, quint16 externalPort, quint32 leaseSeconds) override
    {
        Q_UNUSED(internalPort);
        Q_UNUSED(leaseSeconds);
        std::lock_guard lock(m_script->mutex);
        const auto it = m_script->byPort.find(externalPort);
        Added answer = it == m_script->byPort.end() ? m_script->otherwise : it->second;
        if (answer.outcome == Outcome::Added) {
            if (m_script->grantAsked)
                answer.externalPort = externalPort;
            // What the caller can remove: the port granted, or the one it
            // asked for when the grant makes no sense.
            const bool sane = answer.externalPort >= 1 && answer.externalPort <= 65535;
            m_script->added.push_back(sane ? static_cast<quint16>(answer.externalPort)
                                           : externalPort);
        }
        return answer;
    }
    void remove(quint16 internalPort, quint16 externalPort) override
    {
        Q_UNUSED(internalPort);
        std::lock_guard lock(m_script->mutex);
        m_script->removed.push_back(externalPort);
        m_script->changed.notify_all();
    }

private:
    std::shared_ptr<Script> m_script;
};

PortMapWorker::GatewayFactory gatewaysOf(std::vector<std::shared_ptr<Script>> scripts)
{
    return [scripts] {
        PortMapWorker::Gateways gateways;
        for (const auto &script : scripts)
            gateways.push_back(std::make_unique<ScriptedGateway>(script));
        return gateways;
    };
}

std::shared_ptr<Script> script(Method method, std::optional<QString> external,
                               std::map<quint16, Gateway::Added> byPort = {},
                               Gateway::Added otherwise = {Outcome::Refused})
{
    auto s = std::make_shared<Script>();
    s->method = method;
    s->external = std::move(external);
    s->byPort = std::move(byPort);
    s->otherwise = otherwise;
    return s;
}

const Gateway::Added kAdded{Outcome::Added, 0, 3600};
const Gateway::Added kTaken{Outcome::PortTaken};
const QString kPublic = QStringLiteral("203.0.113.7");

PortMapState mapped(Method method, const char *address, bool behindAnotherNat, quint16 port)
{
    return {Phase::Mapped,    method, Failure::None, QString::fromLatin1(address),
            behindAnotherNat, port};
}

PortMapState failed(Failure failure)
{
    return PortMapState::failedFor(failure);
}

struct CourseCase
{
    const char *name;
    std::function<std::vector<std::shared_ptr<Script>>()> gateways;
    PortMapState expected;
};

const CourseCase kCourses[] = {
    {"UpnpFirst",
     [] {
         return std::vector{script(Method::Upnp, kPublic, {{8170, kAdded}}),
                            script(Method::NatPmp, kPublic, {}, kAdded)};
     },
     mapped(Method::Upnp, "203.0.113.7", false, 8170)},
    {"NatPmpWhereUpnpFindsNothing",
     [] {
         auto natpmp = script(Method::NatPmp, QStringLiteral("198.51.100.2"), {}, kAdded);
         natpmp->grantAsked = false;
         natpmp->otherwise.externalPort = 40123;
         return std::vector{script(Method::Upnp, std::nullopt), natpmp};
     },
     mapped(Method::NatPmp, "198.51.100.2", false, 40123)},
    {"NextPortsWhenTaken",
     [] {
         return std::vector{
             script(Method::Upnp, kPublic, {{8170, kTaken}, {8171, kTaken}, {8172, kAdded}})};
     },
     mapped(Method::Upnp, "203.0.113.7", false, 8172)},
    {"EveryPortTaken", [] { return std::vector{script(Method::Upnp, kPublic, {}, kTaken)}; },
     failed(Failure::PortTaken)},
    {"Refused", [] { return std::vector{script(Method::Upnp, kPublic)}; },
     failed(Failure::Refused)},
    {"NoGateway",
     [] {
         return std::vector{script(Method::Upnp, std::nullopt),
                            script(Method::NatPmp, std::nullopt)};
     },
     failed(Failure::NoGateway)},
    {"CarrierNatAddressWarns",
     [] { return std::vector{script(Method::Upnp, QStringLiteral("100.64.1.2"), {}, kAdded)}; },
     mapped(Method::Upnp, "100.64.1.2", true, 8170)},
    {"JunkAddressNotShown",
     [] { return std::vector{script(Method::Upnp, QStringLiteral("0.0.0.0"), {}, kAdded)}; },
     mapped(Method::Upnp, "", false, 8170)},
    {"GrantedPortOutOfRangeIsNoMapping",
     [] {
         auto natpmp = script(Method::NatPmp, kPublic, {}, {Outcome::Added, 70000, 3600});
         natpmp->grantAsked = false;
         return std::vector{natpmp};
     },
     failed(Failure::Refused)},
};

void PrintTo(const CourseCase &course, std::ostream *os)
{
    *os << course.name;
}

class PortMapCourseTest : public testing::TestWithParam<CourseCase>
{};

TEST_P(PortMapCourseTest, EndsAsExpectedAndStopRemovesWhatWasMade)
{
    const auto scripts = GetParam().gateways();
    PortMapWorker worker(gatewaysOf(scripts), std::make_shared<std::atomic_bool>(false));
    QSignalSpy states(&worker, &PortMapWorker::stateChanged);
    worker.start(8170);
    ASSERT_GE(states.size(), 2);
    EXPECT_EQ(states.first().at(0).value<PortMapState>().phase, Phase::Searching);
    EXPECT_EQ(worker.state(), GetParam().expected);

    worker.stop();
    EXPECT_EQ(worker.state().phase, Phase::Idle);
    for (const auto &s : scripts) {
        // A port granted out of range is removed at once; any other at the stop.
        EXPECT_EQ(s->removed, s->added) << "method " << int(s->method);
    }
}

INSTANTIATE_TEST_SUITE_P(Gateways, PortMapCourseTest, testing::ValuesIn(kCourses),
                         [](const auto &test) { return std::string(test.param.name); });

TEST(PortMapRenewalTest, HalfTheLeaseWithinBounds)
{
    using std::chrono::seconds;
    const std::pair<qint64, seconds> cases[] = {
        {3600, seconds(1800)},       {7200, seconds(1800)}, {0, seconds(1800)},
        {-5, seconds(1800)},         {120, seconds(60)},    {1, seconds(30)},
        {4294967295, seconds(1800)},
    };
    for (const auto &[lease, delay] : cases)
        EXPECT_EQ(PortMapWorker::renewalDelay(lease), delay) << lease;
}

TEST(PortMapRenewalTest, KeepsThePortOrMapsAfresh)
{
    auto upnp = script(Method::Upnp, kPublic, {{8170, kAdded}});
    PortMapWorker worker(gatewaysOf({upnp}), std::make_shared<std::atomic_bool>(false));
    worker.start(8170);
    worker.renew();
    EXPECT_EQ(upnp->added, (std::vector<quint16>{8170, 8170}));
    EXPECT_EQ(worker.state(), mapped(Method::Upnp, "203.0.113.7", false, 8170));

    // The router restarted and gave 8170 to someone else meanwhile: the
    // search starts afresh, without a moment of Idle between.
    upnp->byPort = {{8170, kTaken}, {8171, kAdded}};
    QSignalSpy states(&worker, &PortMapWorker::stateChanged);
    worker.renew();
    ASSERT_EQ(states.size(), 2);
    EXPECT_EQ(states.first().at(0).value<PortMapState>().phase, Phase::Searching);
    EXPECT_EQ(worker.state(), mapped(Method::Upnp, "203.0.113.7", false, 8171));
    EXPECT_EQ(upnp->removed, (std::vector<quint16>{8170}));
}

TEST(PortMapRetryTest, BackoffDoublesFromHalfAMinuteToTenMinutes)
{
    const int expected[] = {30, 60, 120, 240, 480, 600, 600};
    for (int failed = 1; failed <= 7; ++failed)
        EXPECT_EQ(PortMapWorker::retryDelay(failed).count(), expected[failed - 1]) << failed;
    EXPECT_EQ(PortMapWorker::retryDelay(1000).count(), 600);
}

using std::chrono::milliseconds;
using std::chrono::seconds;

std::vector<Phase> phasesOf(const QSignalSpy &states)
{
    std::vector<Phase> phases;
    for (const auto &arguments : states)
        phases.push_back(arguments.at(0).value<PortMapState>().phase);
    return phases;
}

// The test stands in for the clock: it reads when the worker wants to try
// next and runs that attempt itself.
TEST(PortMapRetryTest, FailedSearchIsTriedAgainUntilAGatewayMaps)
{
    auto upnp = script(Method::Upnp, std::nullopt, {{8170, kAdded}});
    PortMapWorker worker(gatewaysOf({upnp}), std::make_shared<std::atomic_bool>(false));
    worker.start(8170);
    EXPECT_EQ(worker.state(), failed(Failure::NoGateway));
    EXPECT_EQ(worker.nextAttempt(), milliseconds(seconds(30)));

    // Still nothing: the failure stays shown, without a flash of searching,
    // and the next attempt waits twice as long.
    QSignalSpy states(&worker, &PortMapWorker::stateChanged);
    worker.attemptDue();
    EXPECT_TRUE(states.isEmpty());
    EXPECT_EQ(upnp->finds, 2);
    EXPECT_EQ(worker.nextAttempt(), milliseconds(seconds(60)));

    // A router that refuses is asked again too.
    upnp->external = kPublic;
    upnp->byPort.clear();
    worker.attemptDue();
    EXPECT_EQ(worker.state(), failed(Failure::Refused));
    EXPECT_EQ(worker.nextAttempt(), milliseconds(seconds(120)));

    upnp->byPort = {{8170, kAdded}};
    worker.attemptDue();
    EXPECT_EQ(worker.state(), mapped(Method::Upnp, "203.0.113.7", false, 8170));
    EXPECT_EQ(worker.nextAttempt(), milliseconds(PortMapWorker::kCheckInterval));

    worker.stop();
    EXPECT_FALSE(worker.nextAttempt());
    worker.attemptDue();
    EXPECT_EQ(upnp->finds, 4);
    EXPECT_EQ(worker.state().phase, Phase::Idle);
}

// A restarted router has forgotten the mapping and, while it is down,
// answers nothing. Each wait is at most the check interval, so the mapping
// is back within two of them after the router is up again.
TEST(PortMapRetryTest, RouterRestartMapsAgainWithinTwoChecks)
{
    auto upnp = script(Method::Upnp, kPublic, {{8170, kAdded}});
    PortMapWorker worker(gatewaysOf({upnp}), std::make_shared<std::atomic_bool>(false));
    worker.start(8170);
    const PortMapState held = mapped(Method::Upnp, "203.0.113.7", false, 8170);
    ASSERT_EQ(worker.state(), held);
    ASSERT_LE(worker.nextAttempt().value_or(milliseconds::max()),
              milliseconds(PortMapWorker::kCheckInterval));

    // Down: the check finds no answer and the search no gateway.
    upnp->external = std::nullopt;
    upnp->byPort.clear();
    upnp->otherwise = {Outcome::NoAnswer};
    QSignalSpy states(&worker, &PortMapWorker::stateChanged);
    worker.attemptDue();
    EXPECT_EQ(phasesOf(states), (std::vector{Phase::Searching, Phase::Failed}));
    EXPECT_EQ(worker.state(), failed(Failure::NoGateway));
    EXPECT_LE(worker.nextAttempt().value_or(milliseconds::max()),
              milliseconds(PortMapWorker::kCheckInterval));

    // Up again, with its rules flushed.
    upnp->external = kPublic;
    upnp->otherwise = kAdded;
    worker.attemptDue();
    EXPECT_EQ(worker.state(), held);
    EXPECT_EQ(upnp->added, (std::vector<quint16>{8170, 8170}));

    // Renewed and checked again at the check interval, not the lease's half.
    worker.attemptDue();
    EXPECT_EQ(upnp->added, (std::vector<quint16>{8170, 8170, 8170}));
    EXPECT_EQ(worker.nextAttempt(), milliseconds(PortMapWorker::kCheckInterval));
    EXPECT_EQ(worker.state(), held);
}

TEST(PortMapperThreadTest, StateArrivesQueuedAndStopRemovesBeforeReturning)
{
    auto upnp = script(Method::Upnp, kPublic, {{8170, kAdded}});
    PortMapper mapper(gatewaysOf({upnp}));
    QSignalSpy states(&mapper, &PortMapper::stateChanged);
    mapper.start(8170);
    EXPECT_EQ(mapper.state().phase, Phase::Searching);
    while (mapper.state().phase != Phase::Mapped)
        ASSERT_TRUE(states.wait(5000));
    EXPECT_EQ(mapper.state(), mapped(Method::Upnp, "203.0.113.7", false, 8170));

    mapper.stop();
    EXPECT_EQ(mapper.state().phase, Phase::Idle);
    std::lock_guard lock(upnp->mutex);
    EXPECT_EQ(upnp->removed, (std::vector<quint16>{8170}));
}

TEST(PortMapperThreadTest, GatewayThatHangsHoldsNeitherStartNorStop)
{
    auto upnp = script(Method::Upnp, kPublic, {{8170, kAdded}});
    upnp->blockFind = true;
    QElapsedTimer clock;
    clock.start();
    {
        PortMapper mapper(gatewaysOf({upnp}));
        mapper.start(8170);
        EXPECT_LT(clock.elapsed(), 500);
        {
            // The worker is inside find() before the stop.
            std::unique_lock lock(upnp->mutex);
            ASSERT_TRUE(upnp->changed.wait_for(lock, std::chrono::seconds(5),
                                               [&] { return upnp->finds > 0; }));
        }
        mapper.stop();
        EXPECT_EQ(mapper.state().phase, Phase::Idle);
    }
    // A generous bound around kStopMilliseconds: the point is that it ends.
    EXPECT_LT(clock.elapsed(), PortMapper::kStopMilliseconds + 2000);

    // Released, the left-behind worker asks for nothing more and ends,
    // its gateways with it.
    std::unique_lock lock(upnp->mutex);
    upnp->blockFind = false;
    upnp->changed.notify_all();
    EXPECT_TRUE(
        upnp->changed.wait_for(lock, std::chrono::seconds(10), [&] { return upnp->alive == 0; }));
    EXPECT_TRUE(upnp->added.empty());
}

} // namespace

// The mapper's worker thread posts to the application's event loop, which
// must outlive every test.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
