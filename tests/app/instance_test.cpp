// SPDX-License-Identifier: GPL-3.0-or-later
// A second copy of the game, started while one runs, ends at once and
// touches no file of the first one.
#include "ui/uitest.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>
#include <csignal>

class InstanceTest : public QObject
{
    Q_OBJECT

private slots:
    void secondCopyEndsAtOnce();
    void secondCopyGivesUpOnAFrozenGame();

private:
    // Every file below the two directories, with its content hash and time.
    QStringList snapshot() const;
    // Whether a running copy listens for a second start.
    bool listening() const;
    tw::test::IsolatedDirectories m_directories;
};

QStringList InstanceTest::snapshot() const
{
    QStringList files;
    for (const QString &root : {m_directories.data.path(), m_directories.runtime.path()}) {
        QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            if (path.endsWith(QLatin1String(".lock")))
                continue; // the first copy's own lock
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                continue;
            files << path + u' ' +
                         QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256)
                             .toHex() +
                         u' ' + QString::number(it.fileInfo().lastModified().toMSecsSinceEpoch());
        }
    }
    files.sort();
    return files;
}

bool InstanceTest::listening() const
{
    QDirIterator it(m_directories.runtime.path(), {QStringLiteral("Tarnwake.socket")}, QDir::System,
                    QDirIterator::Subdirectories);
    return it.hasNext();
}

void InstanceTest::secondCopyEndsAtOnce()
{
    QProcess first;
    first.setProgram(QStringLiteral(TARNWAKE_BINARY));
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start();
    QVERIFY(first.waitForStarted());
    // The first copy is up once it has written its music files.
    QTRY_VERIFY_WITH_TIMEOUT(snapshot().filter(QStringLiteral("twkm13.mid")).size() == 1, 10000);
    QTest::qWait(300);
    const QStringList before = snapshot();

    QProcess second;
    second.setProgram(QStringLiteral(TARNWAKE_BINARY));
    second.start();
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(snapshot(), before);
    QVERIFY(first.state() == QProcess::Running);

    first.kill();
    first.waitForFinished();
}

// The running game is stopped (as if hung): the second copy waits a second
// at most for it, then ends cleanly, still without touching a file.
void InstanceTest::secondCopyGivesUpOnAFrozenGame()
{
    // What the copy killed before left behind must not pass for this one's.
    for (const QString &root : {m_directories.data.path(), m_directories.runtime.path()}) {
        QDir directory(root);
        directory.removeRecursively();
        QVERIFY(directory.mkpath(QStringLiteral(".")));
    }
    QFile::setPermissions(m_directories.runtime.path(),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess first;
    first.setProgram(QStringLiteral(TARNWAKE_BINARY));
    first.setProcessChannelMode(QProcess::ForwardedChannels);
    first.start();
    QVERIFY(first.waitForStarted());
    // Up once it listens for a second start, the last step of its start-up.
    QTRY_VERIFY_WITH_TIMEOUT(listening(), 15000);
    QTest::qWait(300);
    const QStringList before = snapshot();
    QCOMPARE(::kill(pid_t(first.processId()), SIGSTOP), 0);

    QElapsedTimer clock;
    clock.start();
    QProcess second;
    second.setProgram(QStringLiteral(TARNWAKE_BINARY));
    second.start();
    const bool finished = second.waitForFinished(10000);
    ::kill(pid_t(first.processId()), SIGCONT);
    QVERIFY(finished);
    QVERIFY2(clock.elapsed() < 5000, "the second copy waits about a second, not more");
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(snapshot(), before);

    first.kill();
    first.waitForFinished();
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    InstanceTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "instance_test.moc"
