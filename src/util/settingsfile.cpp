// SPDX-License-Identifier: GPL-3.0-or-later
#include "settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

constexpr QLatin1StringView GeneralGroup("General");

// The bytes of the plain file at path, or nothing: see SettingsFile::read().
std::optional<QByteArray> readSmallPlainFile(const QString &path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened, so that no device is ever opened;
    // checked again on what was opened, in case the name changed hands in
    // between. O_NONBLOCK keeps that open from waiting on a FIFO, O_NOFOLLOW
    // from going through a link.
    struct stat info
    {};
    if (::lstat(name.constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    const int fd =
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    std::optional<QByteArray> bytes;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= limit) {
        // One byte more than the limit tells a file that grew since.
        QByteArray buffer(limit + 1, Qt::Uninitialized);
        qint64 got = 0;
        ssize_t n = 0;
        while (got < buffer.size() &&
               ((n = ::read(fd, buffer.data() + got, std::size_t(buffer.size() - got))) > 0 ||
                (n < 0 && errno == EINTR)))
            got += qMax<ssize_t>(n, 0);
        if (n >= 0 && got <= limit) {
            buffer.truncate(got);
            bytes = std::move(buffer);
        }
    }
    ::close(fd);
    return bytes;
}

bool writable(const QString &text, QStringView forbidden)
{
    for (QChar c : text) {
        if (c == u'\n' || c == u'\r' || forbidden.contains(c))
            return false;
    }
    return true;
}

} // namespace

SettingsFile::SettingsFile(QString path, FileSync &sync) : m_path(std::move(path)), m_sync(sync) {}

SettingsFile::Values SettingsFile::read() const
{
    const std::optional<QByteArray> bytes = readSmallPlainFile(m_path, MaxSize);
    return bytes ? parse(*bytes) : Values{};
}

bool SettingsFile::write(const Values &values) const
{
    const std::optional<QByteArray> bytes = text(values);
    if (!bytes || !QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return false;
    return replaceFile(m_path, *bytes, m_sync);
}

SettingsFile::Values SettingsFile::parse(QByteArrayView text)
{
    Values values;
    QString group;
    for (const QByteArrayView rawLine :
         QByteArray::fromRawData(text.data(), text.size()).split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = line.mid(1, line.size() - 2).trimmed();
            if (group == GeneralGroup)
                group.clear();
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        if (key.isEmpty())
            continue;
        values.insert(group.isEmpty() ? key : group + u'/' + key, line.mid(equals + 1).trimmed());
    }
    return values;
}

std::optional<QByteArray> SettingsFile::text(const Values &values)
{
    // Keys of one group together, the groupless ones first, as QSettings
    // writes them.
    QMap<QString, QList<QPair<QString, QString>>> groups;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(u'/');
        const QString group = slash < 0 ? QString(GeneralGroup) : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        const QString value = it.value();
        // "General/key" would come back as "key".
        if (group.trimmed() != group || group.isEmpty() || !writable(group, u"]") ||
            (slash >= 0 && group == GeneralGroup) || key.trimmed() != key || key.isEmpty() ||
            !writable(key, u"=/") || key.startsWith(u'[') || key.startsWith(u';') ||
            key.startsWith(u'#') || value.trimmed() != value || !writable(value, u""))
            return std::nullopt;
        groups[group].append({key, value});
    }
    QByteArray out;
    const auto appendGroup = [&out](const QString &group, const auto &lines) {
        if (!out.isEmpty())
            out += '\n';
        out += '[' + group.toUtf8() + "]\n";
        for (const auto &[key, value] : lines)
            out += key.toUtf8() + '=' + value.toUtf8() + '\n';
    };
    if (groups.contains(GeneralGroup))
        appendGroup(GeneralGroup, groups.value(GeneralGroup));
    for (auto it = groups.cbegin(); it != groups.cend(); ++it) {
        if (it.key() != GeneralGroup)
            appendGroup(it.key(), it.value());
    }
    if (out.size() > MaxSize)
        return std::nullopt;
    return out;
}

} // namespace tw
