// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "util/fileops.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>
#include <optional>

namespace tw {

// The settings file, in the part of the INI form that QSettings writes for
// plain keys ("[network]" and "openPortOnRouter=true" lines), so that files
// of older versions read the same. It is read and written as the score
// file is: only a plain file is read, at most MaxSize bytes of it, and
// opening it never waits (a FIFO, a socket, a device or a directory in its
// place is refused without being opened for long, a symbolic link is not
// followed); it is written by replacing it whole (replaceFile()), so a link
// in its place is replaced and what it points to is left alone. No lock
// file is taken: one program owns the file (the single-instance lock).
class SettingsFile
{
public:
    // "group/key" to value as written; a key of the "General" group, which
    // QSettings writes for keys without a group, has no "group/".
    using Values = QMap<QString, QString>;

    // A settings file is a few lines; anything larger is not one.
    static constexpr qint64 MaxSize = 64 * 1024;

    explicit SettingsFile(QString path, FileSync &sync = systemFileSync());

    // What the file holds; empty when it is missing, is not a plain file,
    // is larger than MaxSize or cannot be read, so the caller's defaults
    // stand.
    Values read() const;

    // Replaces the file with the values (its directory made when missing).
    // False, the file left as it was, when the replacement fails, when
    // something other than a plain file or a link to one is in its place, or
    // when the values cannot be written in this form (see text()).
    bool write(const Values &values) const;

    // The values in the lines of a file; unknown lines (comments, lines
    // without '=') are skipped.
    static Values parse(QByteArrayView text);
    // The text of a file holding the values, groups in order; nothing for a
    // key or value that would not read back the same (an empty key, a line
    // break, '=' or a second '/' in a key, ']' in a group) or a text larger
    // than MaxSize.
    static std::optional<QByteArray> text(const Values &values);

private:
    QString m_path;
    FileSync &m_sync;
};

} // namespace tw
