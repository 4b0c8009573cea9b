// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for tests of the real players: what reaches stderr, and time
// passing with the event loop running.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <cstdio>
#include <unistd.h>

namespace tw::test {

// Everything written to stderr while it lives.
class StderrCapture
{
public:
    StderrCapture() : m_file(std::tmpfile())
    {
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(::fileno(m_file), 2);
    }
    ~StderrCapture()
    {
        restore();
        std::fclose(m_file);
    }

    QByteArray text()
    {
        restore();
        QFile file;
        file.open(m_file, QIODevice::ReadOnly);
        file.seek(0);
        return file.readAll();
    }

private:
    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }

    std::FILE *m_file;
    int m_saved = -1;
};

inline void runEventsFor(int ms)
{
    const QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
}

} // namespace tw::test
