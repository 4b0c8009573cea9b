// SPDX-License-Identifier: GPL-3.0-or-later
#include "log/textlog.h"

#include "util/fileops.h"
#include "util/localtime.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>

namespace tw {

namespace {

// Replaces the file by its bytes from offset on. The bytes kept are read
// first, then written to a temporary file that replaces the old one only when
// complete, so a failure half-way costs nothing of the old contents.
bool dropFront(const QString &path, qint64 offset) noexcept
{
    QByteArray kept;
    try {
        QFile source;
        if (!openPlainFile(source, path, QIODevice::ReadOnly | QIODevice::ExistingOnly) ||
            !source.seek(offset))
            return false;
        kept = source.readAll();
        if (source.error() != QFileDevice::NoError)
            return false;
    } catch (...) {
        return false; // no memory for the bytes kept
    }

    QSaveFile target(path);
    // Where the directory forbids new files but the file itself is writable,
    // write over the file in place rather than fail.
    target.setDirectWriteFallback(true);
    if (!target.open(QIODevice::WriteOnly) || target.write(kept) != kept.size())
        return false;
    return target.commit();
}

} // namespace

QDateTime SystemLogClock::now() const
{
    return QDateTime::currentDateTime();
}

bool appendTextLine(const QString &path, const QString &text, bool withTime, bool withDate,
                    qint64 sizeLimit, const LogClock &clock) noexcept
{
    try {
        bool ok = true;
        const QFileInfo info(path);
        if (info.exists() && info.isFile() && info.size() >= sizeLimit)
            ok = dropFront(path, info.size() / 4);

        QByteArray line;
        if (withDate || withTime) {
            const QDateTime now = clock.now();
            const QLocale locale = QLocale::system();
            if (withDate)
                line += shortDateText(now.date(), locale).toUtf8() + ' ';
            if (withTime)
                line += longTimeText(now.time(), locale).toUtf8() + ' ';
        }
        line += text.toUtf8();
        line += "\r\n";

        // A log that is not a plain file (a FIFO nobody reads, a device)
        // is never written through.
        QFile file;
        if (!openPlainFile(file, path, QIODevice::WriteOnly | QIODevice::Append))
            return false;
        const bool written = file.write(line) == line.size();
        file.close();
        return ok && written && file.error() == QFileDevice::NoError;
    } catch (...) {
        return false;
    }
}

} // namespace tw
