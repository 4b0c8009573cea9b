// SPDX-License-Identifier: GPL-3.0-or-later
// The port mapping as the game runs it, in a program of its own for the
// tests with a real router: maps a TCP port at start, prints every state
// as one line, and removes the mapping on SIGTERM, SIGINT or SIGHUP, or
// when its standard input closes.
//
//     portmap_probe [internal-port]
//
// Lines on standard output:
//     searching
//     mapped <upnp|natpmp> <external address or -> <external port> <public|nat> <ms since start>
//     failed <no-gateway|refused|port-taken> <ms since start>
//     idle
#include "net/peeraddress.h"
#include "net/portmapper.h"
#include "util/shutdownsignals.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <cstdio>
#include <unistd.h>

using namespace tw;

namespace {

const char *methodName(PortMapState::Method method)
{
    return method == PortMapState::Method::Upnp ? "upnp" : "natpmp";
}

const char *failureName(PortMapState::Failure failure)
{
    switch (failure) {
    case PortMapState::Failure::NoGateway:
        return "no-gateway";
    case PortMapState::Failure::PortTaken:
        return "port-taken";
    default:
        return "refused";
    }
}

void print(const PortMapState &state, qint64 elapsed)
{
    switch (state.phase) {
    case PortMapState::Phase::Idle:
        std::printf("idle\n");
        break;
    case PortMapState::Phase::Searching:
        std::printf("searching\n");
        break;
    case PortMapState::Phase::Mapped:
        std::printf("mapped %s %s %u %s %lld\n", methodName(state.method),
                    state.externalAddress.isEmpty() ? "-" : qPrintable(state.externalAddress),
                    unsigned(state.externalPort), state.behindAnotherNat ? "nat" : "public",
                    static_cast<long long>(elapsed));
        break;
    case PortMapState::Phase::Failed:
        std::printf("failed %s %lld\n", failureName(state.failure),
                    static_cast<long long>(elapsed));
        break;
    }
    std::fflush(stdout);
}

} // namespace

int main(int argc, char **argv)
{
    endAtOnceOnShutdownSignals();
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    const auto port = args.size() > 1 ? parsePort(args[1]) : std::optional(kDefaultPeerPort);
    if (!port) {
        std::fprintf(stderr, "usage: portmap_probe [internal-port]\n");
        return 2;
    }

    PortMapper mapper;
    QElapsedTimer clock;
    QObject::connect(&mapper, &PortMapper::stateChanged, &app,
                     [&clock](const PortMapState &state) { print(state, clock.elapsed()); });
    const auto end = [&] {
        mapper.stop();
        app.quit();
    };
    ShutdownSignals shutdown([&](int) { end(); });
    QSocketNotifier input(STDIN_FILENO, QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &app, [&] {
        char buffer[256];
        if (read(STDIN_FILENO, buffer, sizeof buffer) <= 0) {
            input.setEnabled(false);
            end();
        }
    });

    clock.start();
    mapper.start(*port);
    return app.exec();
}
