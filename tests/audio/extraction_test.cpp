// SPDX-License-Identifier: GPL-3.0-or-later
// Writing the music files at start-up and removing them at shutdown, when
// every file can be written and when some cannot. The tests run as root on
// CI, where permissions stop nothing, so a file is made unwritable by
// putting a directory in its place, or its directory under a regular file.
#include "audio/audio.h"
#include "fakes.h"
#include "match/gamestate.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace tw;

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

class ExtractionTest : public ::testing::Test
{
protected:
    QTemporaryDir dir;
    Settings settings;
    test::FakeMusic music;
    test::FakeSound sound;
    Random random{1};
    Audio audio{settings, music, sound, random};
};

TEST_F(ExtractionTest, WritesEveryTrackAndReplacesOldFiles)
{
    audio.setMusicDirectory(dir.path() + u'/');
    ASSERT_TRUE(writeAll(audio.musicFile(5), "left over from an earlier run, and longer than..."
                                             "................................................"));
    ASSERT_TRUE(audio.extractMusic());
    for (int n = 1; n <= 13; ++n) {
        SCOPED_TRACE(n);
        EXPECT_EQ(audio.musicFile(n), dir.path() + QStringLiteral("/twkm%1.mid").arg(n));
        const QByteArray expected = audioResource(QString::fromLatin1(MusicTracks[n - 1]));
        ASSERT_FALSE(expected.isEmpty());
        EXPECT_EQ(readAll(audio.musicFile(n)), expected);
    }

    audio.deleteMusicFiles();
    EXPECT_TRUE(QDir(dir.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    audio.deleteMusicFiles(); // missing files are no error
}

TEST_F(ExtractionTest, AnUnwritableFileFailsAloneAndItsTrackStaysSilent)
{
    audio.setMusicDirectory(dir.path() + u'/');
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("twkm5.mid")));
    EXPECT_FALSE(audio.extractMusic());
    for (int n = 1; n <= 13; ++n) {
        SCOPED_TRACE(n);
        if (n == 5)
            EXPECT_TRUE(QFileInfo(audio.musicFile(n)).isDir());
        else
            EXPECT_EQ(readAll(audio.musicFile(n)),
                      audioResource(QString::fromLatin1(MusicTracks[n - 1])));
    }

    // The track whose file failed: its name is taken, nothing is opened.
    audio.playMusic(QStringLiteral("game5"));
    EXPECT_EQ(audio.currentTrack(), QStringLiteral("GAME5"));
    EXPECT_TRUE(music.calls.isEmpty());
    audio.playMusic(QStringLiteral("game6"));
    EXPECT_EQ(music.calls, QStringList({"open twkm6.mid", "play"}));

    // Shutdown removes what was written and leaves the stranger alone.
    audio.deleteMusicFiles();
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"twkm5.mid"}));
}

TEST_F(ExtractionTest, NoUsableDirectoryWritesNothingAnywhere)
{
    ASSERT_TRUE(writeAll(dir.filePath(QStringLiteral("plain")), "a regular file"));
    // Run from an empty working directory, which must stay empty.
    QTemporaryDir work;
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(work.path()));
    for (const QString &directory : {dir.filePath(QStringLiteral("plain")) + u'/', QString()}) {
        SCOPED_TRACE(directory.toStdString());
        audio.setMusicDirectory(directory);
        EXPECT_FALSE(audio.extractMusic());
        audio.playMusic(QStringLiteral("game1"));
        EXPECT_TRUE(music.calls.isEmpty());
        audio.stopMusic();
        audio.deleteMusicFiles();
    }
    EXPECT_TRUE(QDir(work.path()).isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden));
    EXPECT_EQ(readAll(dir.filePath(QStringLiteral("plain"))), QByteArray("a regular file"));
    QDir::setCurrent(before);
}

} // namespace
