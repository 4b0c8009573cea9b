// SPDX-License-Identifier: GPL-3.0-or-later
// Music and sound as the player meets them in the main window: the start-up
// with a music file that cannot be written, the two switches and their
// colours, the about box's tune, and the files removed at shutdown.
#include "match/gamestate.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"
#include "util/paths.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTest>
#include <QTimer>

using namespace tw;

class AudioShellTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void oneBoxAndTheOtherFilesWhenATrackCannotBeWritten();
    void musicSwitchStopsAndRestartsWithItsColour();
    void soundSwitchColour();
    void aboutBoxPlaysTheLogoThenTheModesMusic();
    void closingRemovesTheMusicFiles();

private:
    QStringList musicFiles() const
    {
        return QDir(m_directory).entryList({QStringLiteral("twkm*.mid")}, QDir::Files);
    }
    QColor colourOf(const QWidget *label) const
    {
        return label->palette().color(QPalette::WindowText);
    }

    test::RecordingFeedback m_feedback;
    QString m_directory;
    MainWindow *m_main = nullptr;
};

void AudioShellTest::initTestCase()
{
    initResources();
    // Permissions stop nothing when the tests run as root, so music file 5
    // is made unwritable by a directory in its place.
    m_directory = systemDirectory();
    QVERIFY(!m_directory.isEmpty());
    QVERIFY(QDir(m_directory).mkpath(QStringLiteral("twkm5.mid")));
    m_main = new MainWindow(m_feedback);
    m_main->restoreSession();
    m_main->createCompanions();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void AudioShellTest::oneBoxAndTheOtherFilesWhenATrackCannotBeWritten()
{
    QCOMPARE(m_feedback.boxes, QStringList({QStringLiteral(":-( | Sound system init error")}));
    QStringList expected;
    for (int n = 1; n <= 13; ++n)
        if (n != 5)
            expected << QStringLiteral("twkm%1.mid").arg(n);
    expected.sort();
    QStringList found = musicFiles();
    found.sort();
    QCOMPARE(found, expected);
    // Idle at start: the idle track.
    QCOMPARE(m_main->audio().currentTrack(), QStringLiteral("MAIN1"));
}

void AudioShellTest::musicSwitchStopsAndRestartsWithItsColour()
{
    QVERIFY(m_main->game().settings().musicOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "musicToggle")), QColor(Qt::red));
    test::actionsOf(m_main).toggleMusic();
    QVERIFY(!m_main->game().settings().musicOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "musicToggle")),
             QApplication::palette().color(QPalette::WindowText));
    QVERIFY(m_main->audio().currentTrack().isEmpty());
    test::actionsOf(m_main).toggleMusic();
    QVERIFY(m_main->game().settings().musicOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "musicToggle")), QColor(Qt::red));
    QCOMPARE(m_main->audio().currentTrack(), QStringLiteral("MAIN1"));
}

void AudioShellTest::soundSwitchColour()
{
    QVERIFY(m_main->game().settings().soundOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "soundToggle")), QColor(Qt::red));
    test::actionsOf(m_main).toggleSound();
    QVERIFY(!m_main->game().settings().soundOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "soundToggle")),
             QApplication::palette().color(QPalette::WindowText));
    test::actionsOf(m_main).toggleSound();
    QVERIFY(m_main->game().settings().soundOn);
    QCOMPARE(colourOf(test::child<ClickLabel>(m_main, "soundToggle")), QColor(Qt::red));
}

void AudioShellTest::aboutBoxPlaysTheLogoThenTheModesMusic()
{
    QString whileOpen;
    bool busyWhileOpen = false;
    QTimer::singleShot(0, m_main, [&] {
        whileOpen = m_main->audio().currentTrack();
        busyWhileOpen = m_main->game().modalBusy();
        test::child<AboutDialog>(m_main, "AboutDialog")->reject();
    });
    test::actionsOf(m_main).showAbout();
    QVERIFY(QTest::qWaitFor(
        [this] { return !test::child<AboutDialog>(m_main, "AboutDialog")->isVisible(); }));
    QCOMPARE(whileOpen, QStringLiteral("LOGO"));
    QVERIFY(busyWhileOpen);
    QVERIFY(!m_main->game().modalBusy());
    QCOMPARE(m_main->audio().currentTrack(), QStringLiteral("MAIN1"));
}

void AudioShellTest::closingRemovesTheMusicFiles()
{
    QVERIFY(m_main->close());
    QVERIFY(musicFiles().isEmpty());
    QVERIFY(QFileInfo(m_directory + QStringLiteral("twkm5.mid")).isDir());
    QCOMPARE(m_feedback.boxes.size(), 1);
}

int main(int argc, char *argv[])
{
    // Static, so that it outlives the instance lock inside it.
    static test::IsolatedDirectories directories;
    QApplication app(argc, argv);
    AudioShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_audio_test.moc"
