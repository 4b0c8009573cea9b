// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QtGlobal>

namespace tw {

// Where the lines of a log get their date and time, so tests can fix them.
class LogClock
{
public:
    virtual ~LogClock() = default;
    // Local date and time.
    virtual QDateTime now() const = 0;
};

// The computer's local clock.
class SystemLogClock final : public LogClock
{
public:
    QDateTime now() const override;
};

// Appends one line to the text file at path, creating the file when missing.
//
// A file that has reached sizeLimit bytes is trimmed first: its first
// size / 4 bytes are dropped, even in the middle of a line, so it keeps its
// last three quarters. The trimmed file replaces the old one only once it is
// written whole, so a failed trim loses nothing; the line is appended either
// way. The check comes before the append, so the file may grow past the limit
// by the lines written since; the next line trims it again.
//
// The line is: the date in the system locale's short format and a blank (with
// withDate), the time in its long format and a blank (with withTime), then
// text, UTF-8 encoded, then CR LF. Date and time come from one reading of
// clock. The line is written in one write.
//
// Returns false when the trim or the append failed; a line that could not be
// written is lost without a message. Never throws.
bool appendTextLine(const QString &path, const QString &text, bool withTime, bool withDate,
                    qint64 sizeLimit, const LogClock &clock) noexcept;

} // namespace tw
