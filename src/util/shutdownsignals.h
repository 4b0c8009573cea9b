// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace tw {

// Until the program has something to save, SIGTERM, SIGINT and SIGHUP end it
// at once, as killed by that signal, whatever it waits for (a display that
// never answers holds the start for ever). Call first thing in main(); a
// ShutdownSignals object takes the signals over from there.
void endAtOnceOnShutdownSignals();

// Turns SIGTERM, SIGINT and SIGHUP (logout, kill, Ctrl+C, a closed terminal)
// into a call of onSignal from the event loop, so that the program can end
// the way it ends when closed. The handler itself only writes the signal's
// number to a pipe (the one thing that is safe there); a QSocketNotifier
// reads it back in the event loop. Signals that arrive before the loop runs
// wait in the pipe.
//
// At most one object at a time; the previous handlers are put back when it
// is destroyed. Must be created and destroyed in the main thread.
class ShutdownSignals
{
public:
    explicit ShutdownSignals(std::function<void(int signalNumber)> onSignal);
    ~ShutdownSignals();
    ShutdownSignals(const ShutdownSignals &) = delete;
    ShutdownSignals &operator=(const ShutdownSignals &) = delete;

    // False when the pipe or the handlers could not be set up; the signals
    // then keep their previous handling.
    bool isActive() const { return m_active; }

private:
    void readPipe();

    std::function<void(int)> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_fds[2] = {-1, -1};
    bool m_active = false;
};

} // namespace tw
