// SPDX-License-Identifier: GPL-3.0-or-later
// The game among the desktop's programs: its command line, the display
// platform it picks, the language of a first start, a second start bringing
// the running game forward, and the companion windows going along with the
// main window.
#include "app/commandline.h"
#include "app/desktopsession.h"
#include "app/instancelink.h"
#include "match/gamestate.h"
#include "match/session.h"
#include "ui/chatwindow.h"
#include "ui/editorwindow.h"
#include "ui/gamelogwindow.h"
#include "ui/playersdialog.h"
#include "ui/resources.h"
#include "ui/statisticsdialog.h"
#include "ui/uitest.h"
#include "ui/waitingdialog.h"
#include "ui/windowfamily.h"

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QLocalServer>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <memory>

using namespace tw;

class DesktopTest : public QObject
{
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void helpAndErrorsNeedNoDisplay_data();
    void helpAndErrorsNeedNoDisplay();
    void displayPlatform_data();
    void displayPlatform();
    void firstStartLanguage_data();
    void firstStartLanguage();
    void secondStartReachesTheRunningGame();
    void secondStartGivesUpOnAGameThatDoesNotAnswer();
    void companionsMinimizeAndRestoreWithTheMainWindow();
    void waitingWindowHasNoTitleBarButtons();

private:
    test::IsolatedDirectories m_directories;
};

void DesktopTest::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("startGame");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("errorOutput");

    const QString tryHelp = QStringLiteral("Try 'tarnwake --help' for more information.");
    QTest::newRow("none") << QStringList() << true << 0 << QString() << QString();
    QTest::newRow("--version") << QStringList{"--version"} << false << 0
                               << QStringLiteral("Tarnwake 2.5\n") << QString();
    QTest::newRow("-v") << QStringList{"-v"} << false << 0 << QStringLiteral("Tarnwake 2.5\n")
                        << QString();
    QTest::newRow("--help") << QStringList{"--help"} << false << 0
                            << QStringLiteral("Usage: tarnwake [options]") << QString();
    QTest::newRow("-h wins over -v")
        << QStringList{"-v", "-h"} << false << 0 << QStringLiteral("--version") << QString();
    QTest::newRow("unknown long") << QStringList{"--fullscreen"} << false << 2 << QString()
                                  << QStringLiteral("tarnwake: Unknown option 'fullscreen'.");
    QTest::newRow("unknown short") << QStringList{"-x"} << false << 2 << QString() << tryHelp;
    QTest::newRow("argument") << QStringList{"save.hsc"} << false << 2 << QString()
                              << QStringLiteral("unexpected argument 'save.hsc'");
    QTest::newRow("Qt's own options pass") << QStringList{"-platform", "xcb", "-style", "Fusion"}
                                           << true << 0 << QString() << QString();
    QTest::newRow("Qt option without value")
        << QStringList{"-platform"} << false << 2 << QString() << QStringLiteral("platform");
}

void DesktopTest::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, startGame);
    QFETCH(int, exitCode);
    QFETCH(QString, output);
    QFETCH(QString, errorOutput);

    arguments.prepend(QStringLiteral("/usr/bin/tarnwake"));
    const CommandLineResult result = parseCommandLine(arguments);
    QCOMPARE(result.startGame, startGame);
    QCOMPARE(result.exitCode, exitCode);
    QVERIFY2(output.isEmpty() ? result.output.isEmpty() : result.output.contains(output),
             qPrintable(result.output));
    QVERIFY2(errorOutput.isEmpty() ? result.errorOutput.isEmpty()
                                   : result.errorOutput.contains(errorOutput),
             qPrintable(result.errorOutput));
}

void DesktopTest::helpAndErrorsNeedNoDisplay_data()
{
    QTest::addColumn<QString>("argument");
    QTest::addColumn<int>("exitCode");
    QTest::newRow("help") << QStringLiteral("--help") << 0;
    QTest::newRow("version") << QStringLiteral("--version") << 0;
    QTest::newRow("unknown") << QStringLiteral("--nonsense") << 2;
}

// The real program, with a display that cannot be opened: a program that
// reached for it would abort instead.
void DesktopTest::helpAndErrorsNeedNoDisplay()
{
    QFETCH(QString, argument);
    QFETCH(int, exitCode);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TARNWAKE_BINARY), {argument});
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), exitCode);
    const QByteArray out = program.readAllStandardOutput();
    const QByteArray err = program.readAllStandardError();
    QCOMPARE(out.isEmpty(), exitCode != 0);
    QCOMPARE(err.isEmpty(), exitCode == 0);
    QVERIFY(QDir(m_directories.data.path()).isEmpty());
}

void DesktopTest::displayPlatform_data()
{
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QByteArray>("platform");
    QTest::newRow("X11 session") << QStringList{"DISPLAY=:0", "XDG_SESSION_TYPE=x11"}
                                 << QByteArray();
    QTest::newRow("Wayland with XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0"} << QByteArray("xcb");
    QTest::newRow("Wayland by session type")
        << QStringList{"XDG_SESSION_TYPE=wayland", "DISPLAY=:1"} << QByteArray("xcb");
    QTest::newRow("Wayland without XWayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "XDG_SESSION_TYPE=wayland"} << QByteArray();
    QTest::newRow("user chose Wayland")
        << QStringList{"WAYLAND_DISPLAY=wayland-0", "DISPLAY=:0", "QT_QPA_PLATFORM=wayland"}
        << QByteArray();
    QTest::newRow("no display at all") << QStringList{} << QByteArray();
}

void DesktopTest::displayPlatform()
{
    QFETCH(QStringList, environment);
    QFETCH(QByteArray, platform);
    QProcessEnvironment given;
    for (const QString &entry : environment)
        given.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QCOMPARE(chosenDisplayPlatform(given), platform);
}

void DesktopTest::firstStartLanguage_data()
{
    QTest::addColumn<QStringList>("uiLanguages");
    QTest::addColumn<bool>("english");
    QTest::newRow("Russian") << QStringList{"ru-RU", "ru"} << false;
    QTest::newRow("bare ru") << QStringList{"ru"} << false;
    QTest::newRow("Russian in Ukraine") << QStringList{"ru_UA"} << false;
    QTest::newRow("English") << QStringList{"en-GB"} << true;
    QTest::newRow("Ukrainian") << QStringList{"uk-UA", "ru-RU"} << true;
    QTest::newRow("not ru at the start") << QStringList{"rue"} << true;
    QTest::newRow("C locale") << QStringList{"C"} << true;
    QTest::newRow("none") << QStringList{} << true;
}

void DesktopTest::firstStartLanguage()
{
    QFETCH(QStringList, uiLanguages);
    QFETCH(bool, english);
    QCOMPARE(prefersEnglish(uiLanguages), english);
}

void DesktopTest::secondStartReachesTheRunningGame()
{
    InstanceServer server(QStringLiteral("desktop-test"));
    QVERIFY(server.isListening());
    QSignalSpy requests(&server, &InstanceServer::activationRequested);
    // The second start blocks, so it runs on a thread of its own here, as
    // it would in its own process.
    bool delivered = false;
    std::unique_ptr<QThread> secondStart(QThread::create(
        [&delivered] { delivered = forwardToRunningInstance(QStringLiteral("desktop-test")); }));
    secondStart->start();
    QTRY_COMPARE(requests.size(), 1);
    QVERIFY(secondStart->wait(5000));
    QVERIFY2(delivered, "the running game took the request and answered");
}

void DesktopTest::secondStartGivesUpOnAGameThatDoesNotAnswer()
{
    // No game at all: an answer at once.
    QElapsedTimer clock;
    clock.start();
    QVERIFY(!forwardToRunningInstance(QStringLiteral("nobody-runs"), 1000));
    QVERIFY(clock.elapsed() < 900);

    // A game that listens but never takes the connection (its event loop is
    // not running here): given up after the timeout.
    InstanceServer frozen(QStringLiteral("frozen"));
    QVERIFY(frozen.isListening());
    clock.restart();
    QVERIFY(!forwardToRunningInstance(QStringLiteral("frozen"), 300));
    QVERIFY(clock.elapsed() >= 250);
    QVERIFY(clock.elapsed() < 3000);
}

void DesktopTest::companionsMinimizeAndRestoreWithTheMainWindow()
{
    QWidget main;
    auto *editor = new QWidget(&main, Qt::Tool);
    auto *chat = new QWidget(&main, Qt::Tool);
    auto *gameLog = new QWidget(&main, Qt::Tool);
    auto *closed = new QWidget(&main, Qt::Tool);
    auto *modal = new QDialog(&main);
    modal->setModal(true);
    new WindowFamily(&main);
    main.show();
    for (QWidget *window : {editor, chat, gameLog, static_cast<QWidget *>(modal)})
        window->show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));

    main.showMinimized();
    QTRY_VERIFY(editor->isMinimized());
    QVERIFY(chat->isMinimized());
    QVERIFY(gameLog->isMinimized());
    QVERIFY(!closed->isMinimized() && !closed->isVisible());
    QVERIFY2(!modal->isMinimized() && modal->isVisible(), "a modal dialog is left alone");

    // The match ends meanwhile: the game closes its log.
    gameLog->hide();
    bringForward(&main);
    QTRY_VERIFY(!editor->isMinimized());
    QVERIFY(!main.isMinimized());
    QVERIFY(editor->isVisible() && chat->isVisible() && !chat->isMinimized());
    QVERIFY2(!gameLog->isVisible(), "a window closed meanwhile stays closed");
    QVERIFY2(!closed->isVisible(), "a window that was closed stays closed");
    gameLog->show();
    QVERIFY2(!gameLog->isMinimized(), "and opens normally next time");
}

// The real windows: every companion belongs to the main window, and the
// waiting window offers no close, minimize or maximize button.
void DesktopTest::waitingWindowHasNoTitleBarButtons()
{
    initResources();
    GameState game;
    QWidget main;
    const QList<QWidget *> companions = {
        new EditorWindow(game, &main), new GameLogWindow(game.settings(), &main),
        new WaitingDialog(game.settings(), &main), new ChatWindow(&main)};
    for (QWidget *window : companions) {
        QVERIFY(window->isWindow());
        QCOMPARE(window->parentWidget(), &main);
    }
    const Qt::WindowFlags flags = companions.at(2)->windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    for (Qt::WindowType button : {Qt::WindowCloseButtonHint, Qt::WindowMinimizeButtonHint,
                                  Qt::WindowMaximizeButtonHint, Qt::WindowSystemMenuHint})
        QVERIFY(!flags.testFlag(button));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    DesktopTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "desktop_test.moc"
