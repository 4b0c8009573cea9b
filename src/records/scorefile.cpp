#include "scorefile.h"

#include "model/board.h"
#include "records/records.h"
#include "util/fileops.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <new>
#include <utility>

namespace tw {
namespace {

// The archive attribute the working copy is made with.
constexpr quint32 ArchiveAttribute = 0x20;

// Values the layout can hold but this program never writes; reading past a
// name's 32 characters or laying out an area beyond the board would follow.
bool holdsOnlyValidValues(const ScoreBlock &data)
{
    for (const PlayerRecord &record : data.players) {
        if (record.name.length > MaxNameLength)
            return false;
    }
    return data.playerName.length <= MaxNameLength && data.areaSize >= MinAreaSize &&
           data.areaSize <= MaxAreaSize;
}

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

} // namespace

bool loadScoreFile(ScoreBlock &data, const QString &dataDir, const QString &systemDir)
{
    if (dataDir.isEmpty() || systemDir.isEmpty())
        return false;
    const QString source = QDir(dataDir).filePath(QLatin1String(ScoreFileName));
    const QString copy = QDir(systemDir).filePath(QLatin1String(ScoreFileName));
    if (!QFileInfo::exists(source))
        return false;
    // The copy must never be the file itself: it is deleted at the end.
    if (QFileInfo(dataDir).canonicalFilePath() == QFileInfo(systemDir).canonicalFilePath())
        return false;

    const RemoveOnExit removeCopy(copy);
    const ProgressFn goOn = [](qint64, qint64) { return true; };
    if (copyFileWithAttr(source, copy, ArchiveAttribute) < 0 ||
        verifyAndStrip(copy, ScoreFileSeed) < 0 || unpackRle(copy, goOn) < 0 ||
        fileSizeOf(copy) != qint64{sizeof(ScoreBlock)})
        return false;

    QFile file(copy);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    ScoreBlock loaded;
    if (file.read(reinterpret_cast<char *>(&loaded), sizeof loaded) != qint64{sizeof loaded} ||
        !holdsOnlyValidValues(loaded))
        return false;
    data = loaded;
    return true;
}

bool saveScoreFile(ScoreBlock &data, const QString &dataDir)
{
    if (dataDir.isEmpty())
        return false;
    for (PlayerRecord &record : data.players)
        normalizeShortString(record.name);
    normalizeShortString(data.playerName);

    try {
        QByteArray bytes =
            packRleBytes(QByteArrayView(reinterpret_cast<const char *>(&data), sizeof data));
        bytes.append(static_cast<char>(xorChecksum(bytes, ScoreFileSeed)));
        // QSaveFile writes a temporary file in the same directory and renames
        // it over the old file on commit; it never writes the old file in
        // place. Unbuffered, because a buffered QSaveFile commits a file that
        // a full disk cut short as if it were whole.
        QSaveFile file(QDir(dataDir).filePath(QLatin1String(ScoreFileName)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
            return false;
        if (file.write(bytes) != bytes.size()) {
            file.cancelWriting();
            return false;
        }
        return file.commit();
    } catch (const std::bad_alloc &) {
        return false;
    }
}

} // namespace tw
