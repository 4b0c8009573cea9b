// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <functional>
#include <optional>

// Layers of the score file: an XOR check byte and run-length packing, plus
// the plain file routines the score file and the log sit on.
//
// Every routine taking a path fails (-1 or false) on any failure (missing
// file, an open, read or write error, running out of memory) and never
// throws.

namespace tw {

// Told the total number of bytes and how many are done; answers whether to
// go on. An empty function counts as one that always answers yes.
using ProgressFn = std::function<bool(qint64 total, qint64 done)>;

// The two bytes that open every packed form: "QV".
inline constexpr char RleMagic[2] = {'Q', 'V'};

// Largest payload the packing routines take or give back: unpacking fails
// rather than produce more, so a tiny hostile file cannot make it allocate
// without bound.
inline constexpr qint64 MaxRlePayload = 16 * 1024 * 1024;

// Opens the plain file at path (a symbolic link to one counts) in file, with
// mode's access and its Append, Truncate and Unbuffered flags; without
// ExistingOnly a missing file is made, 0666 less the umask. Anything else at
// path (a FIFO, a socket, a device, a directory) is refused, false, without
// waiting: such a file could hold a read or write for ever. Every routine
// here opens the files it is given this way.
bool openPlainFile(QFile &file, const QString &path, QIODevice::OpenMode mode);

// The size in bytes; -1 when the file is missing or cannot be opened.
qint64 fileSizeOf(const QString &path);

// Copies source to target, replacing a target that exists, and gives the
// target the attributes. Attributes are the Windows attribute bits; on this
// platform only the read-only bit (0x01) means something (it removes the
// write permissions); the others, the archive bit 0x20 among them, leave the
// ordinary permissions. Returns the number of bytes copied; -1 also when the
// two paths are the same text or the target cannot be removed.
qint64 copyFileWithAttr(const QString &source, const QString &target, quint32 attributes);

// seed XOR every byte: the score file's check byte makes that zero.
quint8 xorChecksum(QByteArrayView bytes, quint8 seed);

// The packed form of the bytes, magic included. Precondition: at most
// MaxRlePayload bytes.
QByteArray packRleBytes(QByteArrayView payload, const ProgressFn &progress = {});

// Makes what was written to an open file durable: fdatasync() for the
// system's. Tests give one that fails, as a disk that reports an I/O error
// on flushing does.
class FileSync
{
public:
    virtual ~FileSync() = default;
    // True when the data written to fd is on the disk.
    virtual bool syncData(int fd) = 0;
};

// fdatasync(), retried when a signal interrupts it.
FileSync &systemFileSync();

// Replaces the file at path with bytes, never leaving a half-written file
// under that name: the bytes go to a new file beside it (the name of path,
// ".new-" and six letters or digits; see removeUnfinishedReplacements()),
// which is flushed to the disk by sync and then renamed over path. On any
// failure (no new file can be made, a short write, a failed flush, close or
// rename) the new file is removed, path is left exactly as it was and the
// answer is false. A new file gets the permissions of the file it replaces,
// or 0666 less the umask. Something at path that is not a plain file (a
// FIFO, a socket, a device, a directory) is not replaced: false.
bool replaceFile(const QString &path, QByteArrayView bytes, FileSync &sync = systemFileSync());

// Removes the new files that replaceFile() made for path and left behind when the process was
// killed before the rename. Precondition: nobody is replacing path right now. Answers how many
// went.
int removeUnfinishedReplacements(const QString &path);

// The payload of a packed form, or nothing when the magic is missing, a unit
// is cut short or the payload would exceed MaxRlePayload.
std::optional<QByteArray> unpackRleBytes(QByteArrayView packed, const ProgressFn &progress = {});

} // namespace tw
