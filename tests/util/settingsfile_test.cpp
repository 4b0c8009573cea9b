// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/oddfiles.h"
#include "util/settingsfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tw {
namespace {

class SettingsFileTest : public testing::Test
{
protected:
    QString path(const char *name) const { return m_dir.filePath(QString::fromLatin1(name)); }

    static void put(const QString &file, const QByteArray &bytes)
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    static QByteArray bytesOf(const QString &file)
    {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
        return in.readAll();
    }

    QStringList entries() const
    {
        return QDir(m_dir.path())
            .entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    QTemporaryDir m_dir;
};

const QString PortMappingKey = QStringLiteral("network/openPortOnRouter");

// What earlier versions left: the file as QSettings writes it.
TEST_F(SettingsFileTest, ReadsAndWritesWhatQSettingsReadsAndWrites)
{
    const QString file = path("tarnwake.conf");
    {
        QSettings settings(file, QSettings::IniFormat);
        settings.setValue(PortMappingKey, false);
        settings.setValue(QStringLiteral("topLevel"), QStringLiteral("x y"));
    }
    const SettingsFile settingsFile(file);
    SettingsFile::Values values = settingsFile.read();
    EXPECT_EQ(values.value(PortMappingKey), QStringLiteral("false"));
    EXPECT_EQ(values.value(QStringLiteral("topLevel")), QStringLiteral("x y"));

    values[PortMappingKey] = QStringLiteral("true");
    ASSERT_TRUE(settingsFile.write(values));
    EXPECT_EQ(bytesOf(file), "[General]\ntopLevel=x y\n\n[network]\nopenPortOnRouter=true\n");
    const QSettings readBack(file, QSettings::IniFormat);
    EXPECT_TRUE(readBack.value(PortMappingKey).toBool());
    EXPECT_EQ(readBack.value(QStringLiteral("topLevel")).toString(), QStringLiteral("x y"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("tarnwake.conf")}) << "no lock, no leftover";
}

TEST_F(SettingsFileTest, ParsesTheLinesItUnderstandsAndSkipsTheRest)
{
    const SettingsFile::Values values = SettingsFile::parse(
        "; a comment\r\n# another\nnot a setting\n=no key\n"
        "  [network]  \r\n openPortOnRouter = false \nempty=\n\n[General]\nplain=1\n");
    EXPECT_EQ(values, (SettingsFile::Values{{PortMappingKey, QStringLiteral("false")},
                                            {QStringLiteral("network/empty"), QString()},
                                            {QStringLiteral("plain"), QStringLiteral("1")}}));
}

TEST_F(SettingsFileTest, RefusesValuesThatWouldNotReadBackTheSame)
{
    const QString file = path("tarnwake.conf");
    const struct
    {
        const char *what;
        QString key, value;
    } cases[] = {
        {"empty key", QString(), QStringLiteral("1")},
        {"line break in a value", PortMappingKey, QStringLiteral("a\nb=c")},
        {"'=' in a key", QStringLiteral("a=b"), QStringLiteral("1")},
        {"two groups", QStringLiteral("a/b/c"), QStringLiteral("1")},
        {"']' in a group", QStringLiteral("a]/b"), QStringLiteral("1")},
        {"the General group named", QStringLiteral("General/b"), QStringLiteral("1")},
        {"a key that reads as a group", QStringLiteral("[b]"), QStringLiteral("1")},
        {"spaces round a value", PortMappingKey, QStringLiteral(" true")},
        {"a text over the bound", PortMappingKey, QString(SettingsFile::MaxSize, u'x')},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_FALSE(SettingsFile::text({{c.key, c.value}}));
        EXPECT_FALSE(SettingsFile(file).write({{c.key, c.value}}));
        EXPECT_FALSE(QFileInfo::exists(file));
    }
}

// Nothing in the settings file's place holds the reader or the writer, and
// what is there is left as it was: reading gives nothing (the defaults
// stand), writing is refused. A read that opened a FIFO would wait for a
// writer for ever: this test would hang.
TEST_F(SettingsFileTest, WhatIsNotAPlainFileIsNeitherReadNorWritten)
{
    for (const test::OddFile &odd : test::oddFiles()) {
        SCOPED_TRACE(odd.kind);
        const QString file = path(odd.kind);
        ASSERT_TRUE(test::makeOddFile(odd, file));
        const SettingsFile settingsFile(file);
        EXPECT_TRUE(settingsFile.read().isEmpty());
        EXPECT_FALSE(settingsFile.write({{PortMappingKey, QStringLiteral("false")}}));
        EXPECT_TRUE(test::isOddFileIntact(odd, file));
        EXPECT_EQ(entries().size(), 1) << entries().join(u' ').toStdString();
        QFile::remove(file);
        QDir(file).removeRecursively();
    }
}

TEST_F(SettingsFileTest, AFileOverTheBoundIsNotReadAndIsReplacedByAWrite)
{
    const QString file = path("tarnwake.conf");
    const QByteArray line = "[network]\nopenPortOnRouter=false\n";
    QByteArray large = line;
    while (large.size() <= SettingsFile::MaxSize)
        large += "key" + QByteArray::number(large.size()) + "=1\n";
    put(file, large);
    EXPECT_TRUE(SettingsFile(file).read().isEmpty());

    put(file, line + QByteArray(SettingsFile::MaxSize - line.size(), '\n'));
    EXPECT_EQ(SettingsFile(file).read().value(PortMappingKey), QStringLiteral("false"))
        << "exactly at the bound";

    put(file, large);
    ASSERT_TRUE(SettingsFile(file).write({{PortMappingKey, QStringLiteral("true")}}));
    EXPECT_EQ(bytesOf(file), "[network]\nopenPortOnRouter=true\n");
}

// A link in the settings file's place is never gone through: not read, and
// replaced by the new file on a write, the file it points to untouched.
TEST_F(SettingsFileTest, ALinkIsReplacedAndWhatItPointsToKept)
{
    const QString records = path("tarnwake.hsc");
    const QString file = path("tarnwake.conf");
    put(records, "[network]\nopenPortOnRouter=false\n");
    ASSERT_TRUE(QFile::link(records, file));
    const SettingsFile settingsFile(file);
    EXPECT_TRUE(settingsFile.read().isEmpty());
    ASSERT_TRUE(settingsFile.write({{PortMappingKey, QStringLiteral("true")}}));
    EXPECT_FALSE(QFileInfo(file).isSymLink());
    EXPECT_EQ(bytesOf(file), "[network]\nopenPortOnRouter=true\n");
    EXPECT_EQ(bytesOf(records), "[network]\nopenPortOnRouter=false\n");
}

TEST_F(SettingsFileTest, MissingFileReadsEmptyAndAWriteMakesItsDirectory)
{
    const QString file = path("config/tarnwake/tarnwake.conf");
    const SettingsFile settingsFile(file);
    EXPECT_TRUE(settingsFile.read().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("config"))) << "a read makes nothing";
    ASSERT_TRUE(settingsFile.write({{PortMappingKey, QStringLiteral("false")}}));
    EXPECT_EQ(settingsFile.read(),
              (SettingsFile::Values{{PortMappingKey, QStringLiteral("false")}}));
}

} // namespace
} // namespace tw
