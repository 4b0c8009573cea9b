// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/gamelog.h"

namespace tw {

namespace {

const LogClock &systemClock()
{
    static const SystemLogClock clock;
    return clock;
}

} // namespace

GameLog::GameLog(const QString &dataDirectory) : GameLog(dataDirectory, systemClock()) {}

GameLog::GameLog(const QString &dataDirectory, const LogClock &clock)
    : m_clock(&clock), m_path(dataDirectory.isEmpty() ? QString() : filePathIn(dataDirectory))
{}

QString GameLog::filePathIn(const QString &dataDirectory)
{
    return dataDirectory + QLatin1Char('/') + QLatin1String(kFileName);
}

void GameLog::logLine(const QString &text, bool withTime, bool withDate)
{
    if (!m_enabled || m_path.isEmpty())
        return;
    // The log goes on whether or not this line made it.
    appendTextLine(m_path, text, withTime, withDate, kSizeLimit, *m_clock);
}

} // namespace tw
