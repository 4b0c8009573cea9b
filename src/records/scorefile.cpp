// SPDX-License-Identifier: GPL-3.0-or-later
#include "scorefile.h"

#include "records/records.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <new>
#include <utility>

namespace tw {
namespace {

// The archive attribute the working copy is made with.
constexpr quint32 ArchiveAttribute = 0x20;

// The largest file the loader reads. The packing turns any 7240 bytes into
// far fewer, but units of count 0 are legal, so this is the bound the
// unpacking routines use, not the size this program writes.
constexpr qint64 MaxScoreFileSize = 2 * MaxRlePayload + 1;

// Removes the working copy on every way out of loadScoreFile().
class RemoveOnExit
{
public:
    explicit RemoveOnExit(QString path) : m_path(std::move(path)) {}
    ~RemoveOnExit() { QFile::remove(m_path); }
    RemoveOnExit(const RemoveOnExit &) = delete;
    RemoveOnExit &operator=(const RemoveOnExit &) = delete;

private:
    QString m_path;
};

// The whole file, or nothing when it cannot be opened or read, or is larger
// than the loader takes.
std::optional<QByteArray> readScoreFile(const QString &path)
{
    QFile file;
    if (!openPlainFile(file, path, QIODevice::ReadOnly | QIODevice::ExistingOnly))
        return std::nullopt;
    const qint64 size = file.size();
    if (size > MaxScoreFileSize)
        return std::nullopt;
    QByteArray bytes = file.read(size);
    if (file.error() != QFileDevice::NoError || bytes.size() != size)
        return std::nullopt;
    return bytes;
}

// Keeps a previous file that the save would replace but that cannot be read
// as a score file: a person may still recover records from it. Only the
// newest such file is kept. A file that is not there, or that is not a
// plain file, is none of this function's business.
void keepDamagedFile(const QString &dataDir)
{
    const QDir directory(dataDir);
    const QString path = directory.filePath(QLatin1String(ScoreFileName));
    const QFileInfo info(path);
    if (!info.exists() || !info.isFile())
        return;
    const std::optional<QByteArray> bytes = readScoreFile(path);
    if (bytes && scoreDataFromFile(*bytes))
        return;
    // rename() replaces an older copy in one step; a failure leaves the file
    // where it was, and the save goes on as it did before copies were kept.
    const QByteArray kept =
        QFile::encodeName(directory.filePath(QLatin1String(DamagedScoreFileName)));
    std::rename(QFile::encodeName(path).constData(), kept.constData());
}

} // namespace

std::optional<ScoreBlock> scoreDataFromFile(QByteArrayView fileBytes)
{
    try {
        // The check byte makes seed XOR every byte of the file zero.
        if (fileBytes.isEmpty() || xorChecksum(fileBytes, ScoreFileSeed) != 0)
            return std::nullopt;
        const std::optional<QByteArray> payload = unpackRleBytes(fileBytes.chopped(1));
        if (!payload || payload->size() != ScoreBlockSize)
            return std::nullopt;
        ScoreBlock data = decodeScoreBlock(*payload);
        makeScoreDataSafe(data);
        return data;
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

QByteArray scoreFileBytes(const ScoreBlock &data)
{
    QByteArray bytes = packRleBytes(encodeScoreBlock(data));
    bytes.append(static_cast<char>(xorChecksum(bytes, ScoreFileSeed)));
    return bytes;
}

bool loadScoreFile(ScoreBlock &data, const QString &dataDir, const QString &systemDir)
{
    if (dataDir.isEmpty() || systemDir.isEmpty())
        return false;
    const QString source = QDir(dataDir).filePath(QLatin1String(ScoreFileName));
    const QString copy = QDir(systemDir).filePath(QLatin1String(ScoreFileName));
    if (!QFileInfo::exists(source) || fileSizeOf(source) > MaxScoreFileSize)
        return false;
    // The copy must never be the file itself: it is deleted at the end.
    if (QFileInfo(dataDir).canonicalFilePath() == QFileInfo(systemDir).canonicalFilePath())
        return false;

    const RemoveOnExit removeCopy(copy);
    if (copyFileWithAttr(source, copy, ArchiveAttribute) < 0)
        return false;
    const std::optional<QByteArray> bytes = readScoreFile(copy);
    if (!bytes)
        return false;
    const std::optional<ScoreBlock> loaded = scoreDataFromFile(*bytes);
    if (!loaded)
        return false;
    data = *loaded;
    return true;
}

bool saveScoreFile(ScoreBlock &data, const QString &dataDir, FileSync &sync)
{
    if (dataDir.isEmpty())
        return false;
    for (PlayerRecord &record : data.players)
        normalizeShortString(record.name);
    normalizeShortString(data.playerName);

    try {
        const QByteArray bytes = scoreFileBytes(data);
        keepDamagedFile(dataDir);
        return replaceFile(QDir(dataDir).filePath(QLatin1String(ScoreFileName)), bytes, sync);
    } catch (const std::bad_alloc &) {
        return false;
    }
}

void removeUnfinishedSaves(const QString &dataDir)
{
    if (!dataDir.isEmpty())
        removeUnfinishedReplacements(QDir(dataDir).filePath(QLatin1String(ScoreFileName)));
}

} // namespace tw
