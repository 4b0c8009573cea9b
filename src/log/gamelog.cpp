#include "log/gamelog.h"

namespace tw {

namespace {

const LogClock &SystemClock()
{
    static const SystemLogClock clock;
    return clock;
}

} // namespace

GameLog::GameLog(const QString &dataDirectory) : GameLog(dataDirectory, SystemClock()) {}

GameLog::GameLog(const QString &dataDirectory, const LogClock &clock)
    : m_clock(&clock), m_path(dataDirectory.isEmpty() ? QString() : FilePathIn(dataDirectory))
{}

QString GameLog::FilePathIn(const QString &dataDirectory)
{
    return dataDirectory + QLatin1Char('/') + QLatin1String(kFileName);
}

void GameLog::LogLine(const QString &text, bool withTime, bool withDate)
{
    if (!m_enabled || m_path.isEmpty())
        return;
    // The log goes on whether or not this line made it.
    AppendTextLine(m_path, text, withTime, withDate, kSizeLimit, *m_clock);
}

} // namespace tw
