// SPDX-License-Identifier: GPL-3.0-or-later
#include "util/shutdownsignals.h"

#include <QCoreApplication>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <unistd.h>
#include <vector>

namespace tw {
namespace {

// Runs the event loop until done() or a second has passed.
template <typename Done>
void runLoopUntil(Done done)
{
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.start(1000);
    while (!done() && giveUp.isActive())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

std::sig_atomic_t g_previousHandlerCalls = 0;
extern "C" void countCall(int)
{
    ++g_previousHandlerCalls;
}

// Each signal reaches the callback from the event loop, in order, also when
// several arrive before the loop runs; the previous handlers come back
// afterwards.
TEST(ShutdownSignals, DeliversEachSignalThroughTheEventLoopAndRestoresHandlers)
{
    const auto before = std::signal(SIGHUP, countCall);
    {
        std::vector<int> received;
        const ShutdownSignals watcher([&](int s) { received.push_back(s); });
        ASSERT_TRUE(watcher.isActive());
        ASSERT_EQ(std::raise(SIGHUP), 0);
        ASSERT_EQ(std::raise(SIGINT), 0);
        ASSERT_EQ(std::raise(SIGTERM), 0);
        EXPECT_TRUE(received.empty()) << "nothing runs inside the handler";
        runLoopUntil([&] { return received.size() == 3; });
        EXPECT_EQ(received, (std::vector<int>{SIGHUP, SIGINT, SIGTERM}));
        EXPECT_EQ(g_previousHandlerCalls, 0);
    }
    ASSERT_EQ(std::raise(SIGHUP), 0);
    EXPECT_EQ(g_previousHandlerCalls, 1);
    std::signal(SIGHUP, before);
}

// Before a ShutdownSignals object exists, and again after it, each signal
// ends the process at once as killed by it, also when the program waits.
TEST(ShutdownSignalsDeathTest, EndAtOnceBeforeAndAfterTheEventLoopTakesThem)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    for (const int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signalNumber);
        EXPECT_EXIT(
            {
                endAtOnceOnShutdownSignals();
                std::raise(signalNumber);
                for (;;)
                    ::pause();
            },
            testing::KilledBySignal(signalNumber), "");
        EXPECT_EXIT(
            {
                endAtOnceOnShutdownSignals();
                {
                    const ShutdownSignals watcher([](int) {});
                }
                std::raise(signalNumber);
                for (;;)
                    ::pause();
            },
            testing::KilledBySignal(signalNumber), "");
    }
}

} // namespace
} // namespace tw
