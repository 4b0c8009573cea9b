// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {
namespace {

// Packed form, after the magic "QV", a sequence of units:
//
//   repeat unit:  HI LO V          HI < 0x80; V stands HI*256+LO times
//   literal unit: 0x80+HI LO B...  HI < 0x80; the HI*256+LO bytes B follow
//
// The encoder never writes a count of 0 or above 32767. The decoder takes a
// count of 0 (the unit adds nothing) and fails on a unit cut short by the end
// of the input.
constexpr qsizetype MaxUnitCount = 32767;
constexpr quint8 LiteralFlag = 0x80;
constexpr quint8 CountHighMask = 0x7F;

constexpr qint64 CopyChunk = 64 * 1024;

quint8 byteAt(QByteArrayView bytes, qsizetype i)
{
    return static_cast<quint8>(bytes[i]);
}

void tell(const ProgressFn &progress, qint64 total, qint64 done)
{
    if (progress)
        progress(total, done);
}

// Files are written unbuffered: a buffered QFile reports a write that the
// disk cut short (full disk, file size limit) as a success.
constexpr QIODevice::OpenMode WriteMode = QIODevice::WriteOnly | QIODevice::Unbuffered;

constexpr char ReplacementInfix[] = ".new-";

class SystemFileSync final : public FileSync
{
public:
    bool syncData(int fd) override
    {
        int rc;
        do
            rc = ::fdatasync(fd);
        while (rc != 0 && errno == EINTR);
        return rc == 0;
    }
};

// The name of a new file beside target: the target's name, ".new-" and six
// letters or digits (a pattern no user names a file by accident).
QString replacementName(const QString &target)
{
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = target + QLatin1String(ReplacementInfix);
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(Letters[QRandomGenerator::global()->bounded(62)]);
    return name;
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char *p = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        p += n;
        left -= n;
    }
    return true;
}

// Removes the new file on every way out of replaceFile() but success.
class UnlinkUnlessKept
{
public:
    explicit UnlinkUnlessKept(QByteArray path) : m_path(std::move(path)) {}
    ~UnlinkUnlessKept()
    {
        if (!m_kept)
            ::unlink(m_path.constData());
    }
    UnlinkUnlessKept(const UnlinkUnlessKept &) = delete;
    UnlinkUnlessKept &operator=(const UnlinkUnlessKept &) = delete;
    void keep() { m_kept = true; }

private:
    QByteArray m_path;
    bool m_kept = false;
};

} // namespace

FileSync &systemFileSync()
{
    static SystemFileSync sync;
    return sync;
}

bool replaceFile(const QString &path, QByteArrayView bytes, FileSync &sync)
{
    try {
        const QByteArray target = QFile::encodeName(path);
        // What is there and is not a plain file (a FIFO, a socket, a device,
        // a directory) was put there by someone else: it is left alone.
        struct stat existing
        {};
        if (::stat(target.constData(), &existing) == 0 && !S_ISREG(existing.st_mode))
            return false;
        QByteArray temporary;
        int fd = -1;
        for (int attempt = 0; fd < 0 && attempt < 100; ++attempt) {
            temporary = QFile::encodeName(replacementName(path));
            fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd < 0 && errno != EEXIST)
                return false;
        }
        if (fd < 0)
            return false;
        UnlinkUnlessKept cleanup(temporary);

        struct stat old
        {};
        bool ok = true;
        if (::stat(target.constData(), &old) == 0 && S_ISREG(old.st_mode))
            ok = ::fchmod(fd, old.st_mode & 07777) == 0;
        ok = ok && writeAll(fd, bytes) && sync.syncData(fd);
        // close() may report a write error that only the flush found.
        ok = ::close(fd) == 0 && ok;
        if (!ok || ::rename(temporary.constData(), target.constData()) != 0)
            return false;
        cleanup.keep();

        // The rename itself reaches the disk with the directory; the new
        // file is whole either way, so a failure here is not one of the save.
        const QByteArray directory = QFile::encodeName(QFileInfo(path).absolutePath());
        const int dirFd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dirFd >= 0) {
            ::fsync(dirFd);
            ::close(dirFd);
        }
        return true;
    } catch (const std::bad_alloc &) {
        return false;
    }
}

int removeUnfinishedReplacements(const QString &path)
{
    const QFileInfo info(path);
    const QRegularExpression pattern(QRegularExpression::anchoredPattern(
        QRegularExpression::escape(info.fileName() + QLatin1String(ReplacementInfix)) +
        QStringLiteral("[A-Za-z0-9]{6}")));
    QDir directory = info.absoluteDir();
    int removed = 0;
    const QStringList candidates = directory.entryList(
        {info.fileName() + QLatin1String(ReplacementInfix) + QStringLiteral("*")},
        QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : candidates) {
        if (pattern.match(name).hasMatch() && directory.remove(name))
            ++removed;
    }
    return removed;
}

bool openPlainFile(QFile &file, const QString &path, QIODevice::OpenMode mode)
{
    int flags = O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    if (mode.testFlag(QIODevice::ReadWrite))
        flags |= O_RDWR;
    else if (mode.testFlag(QIODevice::WriteOnly))
        flags |= O_WRONLY;
    else
        flags |= O_RDONLY;
    if (mode.testFlag(QIODevice::WriteOnly) && !mode.testFlag(QIODevice::ExistingOnly))
        flags |= O_CREAT;
    if (mode.testFlag(QIODevice::Append))
        flags |= O_APPEND;
    if (mode.testFlag(QIODevice::Truncate))
        flags |= O_TRUNC;
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened, so that opening never touches a
    // device; checked again on what was opened, in case the name changed
    // hands in between. O_NONBLOCK keeps that open from waiting on a FIFO.
    struct stat info
    {};
    if (::stat(name.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return false;
    const int fd = ::open(name.constData(), flags, 0666);
    if (fd < 0)
        return false;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0 ||
        !file.open(fd, mode & ~(QIODevice::Truncate | QIODevice::ExistingOnly),
                   QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

qint64 fileSizeOf(const QString &path)
{
    QFile file;
    if (!openPlainFile(file, path, QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return -1;
    return file.size();
}

qint64 copyFileWithAttr(const QString &source, const QString &target, quint32 attributes)
{
    try {
        if (source == target || !QFileInfo(source).isFile())
            return -1;
        QFile in;
        if (!openPlainFile(in, source, QIODevice::ReadOnly | QIODevice::ExistingOnly))
            return -1;
        const QFileInfo targetInfo(target);
        if ((targetInfo.exists() || targetInfo.isSymLink()) && !QFile::remove(target))
            return -1;
        // NewOnly: whatever appears under the name after the removal is not
        // followed or reused.
        QFile out(target);
        if (!out.open(WriteMode | QIODevice::NewOnly))
            return -1;

        const qint64 sourceSize = in.size();
        qint64 copied = 0;
        QByteArray chunk(CopyChunk, Qt::Uninitialized);
        while (copied < sourceSize) {
            const qint64 got = in.read(chunk.data(), qMin(CopyChunk, sourceSize - copied));
            if (got <= 0 || out.write(chunk.constData(), got) != got)
                return -1;
            copied += got;
        }
        if (!out.flush())
            return -1;
        out.close();
        if (out.error() != QFileDevice::NoError)
            return -1;

        constexpr quint32 ReadOnlyAttribute = 0x01;
        if (attributes & ReadOnlyAttribute) {
            const auto writable = QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                  QFileDevice::WriteGroup | QFileDevice::WriteOther;
            if (!out.setPermissions(out.permissions() & ~writable))
                return -1;
        }
        return copied;
    } catch (const std::bad_alloc &) {
        return -1;
    }
}

quint8 xorChecksum(QByteArrayView bytes, quint8 seed)
{
    quint8 x = seed;
    for (const char b : bytes)
        x ^= static_cast<quint8>(b);
    return x;
}

QByteArray packRleBytes(QByteArrayView payload, const ProgressFn &progress)
{
    Q_ASSERT(payload.size() <= MaxRlePayload);
    const qsizetype n = payload.size();
    QByteArray out;
    out.reserve(2 + n + n / 2 + 3);
    out.append(RleMagic, 2);

    const auto appendCount = [&out](quint8 flag, qsizetype count) {
        out.append(static_cast<char>(flag | (count >> 8)));
        out.append(static_cast<char>(count & 0xFF));
    };

    qsizetype p = 0;
    while (p < n) {
        const qsizetype left = n - p;
        if (left <= 3) {
            // The tail is always a literal, even three equal bytes.
            appendCount(LiteralFlag, left);
            out.append(payload.sliced(p));
            break;
        }
        const quint8 value = byteAt(payload, p);
        tell(progress, n, p + 3);
        if (value == byteAt(payload, p + 1) && value == byteAt(payload, p + 2)) {
            qsizetype count = 3;
            while (count < MaxUnitCount && p + count < n && byteAt(payload, p + count) == value) {
                ++count;
                tell(progress, n, p + count);
            }
            appendCount(0, count);
            out.append(static_cast<char>(value));
            p += count;
            continue;
        }
        // A literal runs until three equal bytes in a row, which start the
        // next unit; it always keeps at least its first byte.
        qsizetype count = 3;
        while (count < MaxUnitCount && p + count < n) {
            const qsizetype q = p + count;
            tell(progress, n, q + 1);
            const quint8 b = byteAt(payload, q);
            if (b == byteAt(payload, q - 1) && b == byteAt(payload, q - 2)) {
                count -= 2;
                break;
            }
            ++count;
        }
        appendCount(LiteralFlag, count);
        out.append(payload.sliced(p, count));
        p += count;
    }
    return out;
}

std::optional<QByteArray> unpackRleBytes(QByteArrayView packed, const ProgressFn &progress)
{
    const qsizetype n = packed.size();
    if (n < 2 || packed[0] != RleMagic[0] || packed[1] != RleMagic[1])
        return std::nullopt;

    // The first pass checks every unit and sums the payload before anything
    // is allocated; the second fills a buffer of exactly that size.
    qint64 total = 0;
    for (qsizetype i = 2; i < n;) {
        if (n - i < 2)
            return std::nullopt;
        const quint8 head = byteAt(packed, i);
        const qsizetype count = (head & CountHighMask) * 256 + byteAt(packed, i + 1);
        i += 2;
        const qsizetype body = (head & LiteralFlag) ? count : 1;
        if (n - i < body)
            return std::nullopt;
        i += body;
        total += count;
        if (total > MaxRlePayload)
            return std::nullopt;
    }

    QByteArray out;
    out.reserve(static_cast<qsizetype>(total));
    for (qsizetype i = 2; i < n;) {
        const quint8 head = byteAt(packed, i);
        const qsizetype count = (head & CountHighMask) * 256 + byteAt(packed, i + 1);
        i += 2;
        const qsizetype start = out.size();
        if (head & LiteralFlag) {
            out.append(packed.sliced(i, count));
            i += count;
        } else {
            out.append(count, packed[i]);
            i += 1;
        }
        if (progress) {
            for (qsizetype k = start; k < out.size(); ++k)
                progress(total, k + 1);
        }
    }
    return out;
}

} // namespace tw
