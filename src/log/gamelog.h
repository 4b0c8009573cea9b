// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "log/textlog.h"

#include <QString>
#include <utility>

namespace tw {

// The log file of the matches: one line a call while logging is on. Lines are
// lost silently when the file cannot be written; the match goes on. Tests
// derive from it to watch the lines.
class GameLog
{
public:
    static constexpr qint64 kSizeLimit = 65536;
    static constexpr const char *kFileName = "TWLog.txt";

    // Logs to "TWLog.txt" in dataDirectory; with an empty directory, nowhere
    // until setPath(). Logging starts switched off. The clock must outlive
    // the log; by default it is the system clock.
    explicit GameLog(const QString &dataDirectory = {});
    GameLog(const QString &dataDirectory, const LogClock &clock);
    virtual ~GameLog() = default;

    // "TWLog.txt" in dataDirectory.
    static QString filePathIn(const QString &dataDirectory);

    void setEnabled(bool enabled) { m_enabled = enabled; }
    bool isEnabled() const { return m_enabled; }

    // The log file itself; empty logs nowhere.
    void setPath(QString filePath) { m_path = std::move(filePath); }
    const QString &path() const { return m_path; }

    // Appends text as one line, after the date and the time when asked for
    // (see appendTextLine); an empty text makes an empty line. Does nothing
    // while disabled: the file is not even looked at.
    virtual void logLine(const QString &text, bool withTime = false, bool withDate = false);

private:
    const LogClock *m_clock;
    QString m_path;
    bool m_enabled = false;
};

} // namespace tw
