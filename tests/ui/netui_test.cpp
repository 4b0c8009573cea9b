// SPDX-License-Identifier: GPL-3.0-or-later
// Network play through the real windows: the network options, the lamp, the
// waiting window, the chat window and typing into it from the main window.
// The peer is a headless side in the same process, on another loopback
// address.
#include "../net/netplay_fixture.h"
#include "common/gamestateaccess.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"
#include "util/paths.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QSettings>
#include <QSignalSpy>
#include <QTextBlock>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {

class NetUiTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dirs = new IsolatedDirectories;
        // The start-up listens on 8170 of this address only.
        qputenv("TARNWAKE_NET_ADDRESS", "127.0.0.1");
        s_main = startMainWindow(s_feedback, false);
        ASSERT_TRUE(s_main);
    }
    static void TearDownTestSuite()
    {
        delete s_main;
        s_main = nullptr;
        delete s_dirs;
    }

    void SetUp() override
    {
        s_feedback.boxes.clear();
        s_feedback.answers.clear();
        test::child<QLineEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "input")->clear();
    }

    // Links the windows' side to bob with "Ок!", typed like a player.
    void linkTo(Side &bob)
    {
        EditorWindow *editor = test::child<EditorWindow>(s_main, "EditorWindow");
        bob.play.startServer();
        test::child<QLineEdit>(editor, "addressEdit")->setText(bob.address);
        test::child<QLineEdit>(editor, "hostEdit")->clear();
        test::child<QLineEdit>(editor, "portEdit")->setText(QString::number(bob.play.serverPort()));
        QTest::mouseClick(test::child<QPushButton>(editor, "connectButton"), Qt::LeftButton);
        ASSERT_TRUE(waitFor([&] {
            return test::child<SunkenLabel>(editor, "networkStatusLabel")->text() ==
                       QStringLiteral("Your opponent: Bob (area size: 10)") &&
                   bob.play.peerConnected() && test::networkOf(s_main).play().peerConnected();
        }));
    }

    static inline IsolatedDirectories *s_dirs = nullptr;
    static inline RecordingFeedback s_feedback;
    static inline MainWindow *s_main = nullptr;
};

TEST_F(NetUiTest, ChatLineTakes128TypedCharactersButAnyAppendedFromTheMainWindow)
{
    QLineEdit *input =
        test::child<QLineEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "input");
    QTest::keyClicks(input, QString(126, u'x'));
    QGuiApplication::clipboard()->setText(QStringLiteral("abcd"));
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier); // a paste stops at the limit too
    QTest::keyClicks(input, QStringLiteral("xx"));
    EXPECT_EQ(input->text(), QString(126, u'x') + QStringLiteral("ab"));

    input->clear();
    QTest::keyClicks(s_main, QString(200, u'y'));
    EXPECT_EQ(input->text(), QString(200, u'y'));
    QTest::keyClick(input, Qt::Key_Z); // the line is over the limit: no more typing
    EXPECT_EQ(input->text().size(), 200);
    QTest::keyClick(input, Qt::Key_Backspace); // but it can be edited down
    EXPECT_EQ(input->text().size(), 199);
    QGuiApplication::clipboard()->setText(QStringLiteral("pasted"));
    QTest::keyClick(input, Qt::Key_V, Qt::ControlModifier); // nor pasted into
    EXPECT_EQ(input->text().size(), 199);
    QTest::keyClick(s_main, Qt::Key_Backspace);
    EXPECT_EQ(input->text().size(), 198);

    input->clear();
    QTest::keyClick(s_main, Qt::Key_Backspace);
    EXPECT_TRUE(input->text().isEmpty());
}

// The switch that opens the port on the router is kept in the settings
// file; the environment of the tests keeps any router from being asked.
TEST_F(NetUiTest, PortMappingSwitchIsKeptInTheSettingsFile)
{
    EditorWindow *editor = test::child<EditorWindow>(s_main, "EditorWindow");
    auto *check = test::child<QCheckBox>(editor, "portMappingCheck");
    const QString file = settingsFilePath();
    ASSERT_TRUE(file.startsWith(qEnvironmentVariable("TARNWAKE_DATA_DIR")));
    EXPECT_TRUE(check->isChecked()) << "on until the player turns it off";
    EXPECT_FALSE(QFile::exists(file)) << "nothing written before a change";
    for (const bool on : {false, true}) {
        QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(4, check->height() / 2));
        EXPECT_EQ(check->isChecked(), on);
        QSettings settings(file, QSettings::IniFormat);
        EXPECT_EQ(settings.value(QStringLiteral("network/openPortOnRouter")).toBool(), on);
    }
    // Asked for nothing, the router gave no address to copy; only this
    // machine's own IPv6 address could be given.
    auto *copy = test::child<QPushButton>(editor, "copyAddressButton");
    const QString line = test::child<SunkenLabel>(editor, "ownAddressLabel")->text();
    EXPECT_EQ(copy->isEnabled(), line.startsWith(QStringLiteral("Your address: [")))
        << line.toStdString();
    if (copy->isEnabled()) {
        QTest::mouseClick(copy, Qt::LeftButton);
        EXPECT_TRUE(line.endsWith(QGuiApplication::clipboard()->text()));
    }
}

TEST_F(NetUiTest, HistoryLinesAreCut)
{
    QPlainTextEdit *history =
        test::child<QPlainTextEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "history");
    test::child<ChatWindow>(s_main, "ChatWindow")->addLine(QString(5000, u'w'));
    EXPECT_EQ(history->document()->lastBlock().text(), QString(1024, u'w') + QStringLiteral("..."));
}

TEST_F(NetUiTest, LinkChatInvitationAndAimThroughTheWindows)
{
    const int port = freePort();
    Side bob(QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 5);
    linkTo(bob);
    EditorWindow *editor = test::child<EditorWindow>(s_main, "EditorWindow");
    EXPECT_TRUE(test::child<QPushButton>(editor, "connectButton")->isEnabled());
    EXPECT_EQ(test::child<QLineEdit>(editor, "portEdit")->text(), QString::number(port));
    s_main->onTurnTick(); // the idle tick shows the link
    EXPECT_EQ(test::child<Lamp>(editor, "connectionLamp")->brushColor(), QColor(0x00, 0xFF, 0x00));

    // Typed in the main window, sent with Enter there.
    QTest::keyClicks(s_main, QStringLiteral("hi|bob"));
    QTest::keyClick(s_main, Qt::Key_Return);
    EXPECT_TRUE(test::child<QLineEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "input")
                    ->text()
                    .isEmpty());
    EXPECT_EQ(test::child<QPlainTextEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "history")
                  ->document()
                  ->lastBlock()
                  .text(),
              QStringLiteral("<NewUser> hi bob"));
    ASSERT_TRUE(waitFor([&] { return bob.windows.chatLines.contains("<NewUser> hi bob"); }));
    bob.windows.typedChat = QStringLiteral("hello");
    bob.play.chatSend();
    ASSERT_TRUE(waitFor([&] {
        return test::child<QPlainTextEdit>(test::child<ChatWindow>(s_main, "ChatWindow"), "history")
                   ->document()
                   ->lastBlock()
                   .text() == QStringLiteral("<Bob> hello");
    }));

    // Bob invites; the question box of the windows answers No.
    s_feedback.answers = {BoxAnswer::No};
    test::child<QPushButton>(test::child<EditorWindow>(s_main, "EditorWindow"), "generateButton")
        ->click(); // a fleet, so the question is asked
    ASSERT_TRUE(waitFor([] { return fleetComplete(s_main->game().boards().placedFleet); }));
    EXPECT_FALSE(pressStart(bob));
    EXPECT_EQ(s_feedback.boxes.filter(QStringLiteral(":-D | The player Bob inviting")).size(), 1);
    ASSERT_TRUE(waitFor([&] { return bob.windows.refusals.size() == 1; }));

    // The windows' side invites: it waits behind the waiting window.
    bool waitingShown = false;
    bob.windows.whileAsked = [&] {
        waitingShown = test::child<WaitingDialog>(s_main, "WaitingDialog")->isVisible() &&
                       !s_main->isEnabled() &&
                       !test::child<EditorWindow>(s_main, "EditorWindow")->isEnabled();
    };
    QTest::mouseClick(test::child<QToolButton>(s_main, "startButton"), Qt::LeftButton);
    ASSERT_TRUE(waitFor([] {
        return test::networkOf(s_main).play().agreement().phase() != AgreementPhase::AwaitingAnswer;
    }));
    EXPECT_TRUE(waitingShown);
    EXPECT_FALSE(test::child<WaitingDialog>(s_main, "WaitingDialog")->isVisible());
    EXPECT_TRUE(s_main->isEnabled());
    ASSERT_TRUE(waitFor([] {
        return s_feedback.boxes.contains(
            QStringLiteral(":( | The user doesn't ready to game, or area sizes miscoincide."));
    }));

    // The peer's aim is drawn on the own board during a match.
    matchOf(s_main->game()).gameInProgress = true;
    matchOf(bob.game).gameInProgress = true;
    bob.play.sendAim(4, 2);
    ASSERT_TRUE(
        waitFor([] { return test::child<BoardView>(s_main, "ownBoard")->stampCount() == 1; }));
    matchOf(s_main->game()).gameInProgress = false;

    // "No!" drops the link; the next tick says so.
    QTest::mouseClick(test::child<QPushButton>(editor, "disconnectButton"), Qt::LeftButton);
    s_main->onTurnTick();
    EXPECT_EQ(test::child<Lamp>(editor, "connectionLamp")->brushColor(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(test::child<SunkenLabel>(editor, "networkStatusLabel")->text(),
              QStringLiteral("no connection"));
}

// The real question box: a player who presses Escape or closes it has not
// said Yes, whatever the default button.
TEST_F(NetUiTest, InvitationQuestionDismissedIsARefusal)
{
    const int port = freePort();
    Side bob(QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 6);
    linkTo(bob);
    test::child<QPushButton>(test::child<EditorWindow>(s_main, "EditorWindow"), "generateButton")
        ->click();
    ASSERT_TRUE(waitFor([] { return fleetComplete(s_main->game().boards().placedFleet); }));
    s_feedback.realBoxes = true;
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "closed");
        QString caption;
        QTimer dismiss;
        QObject::connect(&dismiss, &QTimer::timeout, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            caption = box->windowTitle();
            if (escape)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->close();
        });
        dismiss.start(20);
        const qsizetype refused = bob.windows.refusals.size();
        EXPECT_FALSE(pressStart(bob));
        dismiss.stop();
        EXPECT_EQ(caption, QStringLiteral(":-D"));
        EXPECT_FALSE(matchOf(s_main->game()).gameInProgress);
        EXPECT_FALSE(matchOf(bob.game).gameInProgress);
        EXPECT_TRUE(waitFor([&] { return bob.windows.refusals.size() == refused + 1; }));
    }
    s_feedback.realBoxes = false;
}

// While the statistics window or the invitation question is open the game
// goes on: the peer's chat arrives and the turn timer ticks. Under the
// statistics window the peer's invitation is refused without a question;
// the question, answered Yes later, begins the match on both sides.
TEST_F(NetUiTest, ThePeerAndTheClockGoOnWhileAWindowIsOpen)
{
    const int port = freePort();
    Side bob(QStringLiteral("Bob"), QStringLiteral("127.0.0.3"), port, 7);
    linkTo(bob);
    test::child<QPushButton>(test::child<EditorWindow>(s_main, "EditorWindow"), "generateButton")
        ->click();
    ASSERT_TRUE(waitFor([] { return fleetComplete(s_main->game().boards().placedFleet); }));
    QSignalSpy ticks(&s_main->match(), &Match::idleTick);
    const auto chatArrives = [&bob](const QString &text) {
        bob.windows.typedChat = text;
        bob.play.chatSend();
        return waitFor([&text] {
            return test::child<QPlainTextEdit>(test::child<ChatWindow>(s_main, "ChatWindow"),
                                               "history")
                ->toPlainText()
                .contains(QStringLiteral("<Bob> ") + text);
        });
    };
    const auto clockTicks = [&ticks] {
        const qsizetype before = ticks.size();
        return waitFor([&] { return ticks.size() >= before + 2; }, 10000);
    };

    auto *statistics = test::child<StatisticsDialog>(s_main, "StatisticsDialog");
    QTest::mouseClick(test::child<QToolButton>(s_main, "scoresButton"), Qt::LeftButton);
    ASSERT_TRUE(statistics->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), statistics);
    EXPECT_TRUE(s_main->game().modalBusy());
    EXPECT_TRUE(chatArrives(QStringLiteral("looking at the records?")));
    EXPECT_TRUE(clockTicks());
    const qsizetype refused = bob.windows.refusals.size();
    EXPECT_FALSE(pressStart(bob));
    EXPECT_TRUE(waitFor([&] { return bob.windows.refusals.size() == refused + 1; }));
    EXPECT_TRUE(s_feedback.boxes.filter(QStringLiteral(":-D")).isEmpty());
    statistics->accept();
    EXPECT_FALSE(s_main->game().modalBusy());

    s_feedback.realBoxes = true;
    EXPECT_FALSE(bob.match.begin());
    QMessageBox *question = nullptr;
    ASSERT_TRUE(waitFor([&] {
        question = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        return question != nullptr;
    }));
    EXPECT_EQ(question->windowTitle(), QStringLiteral(":-D"));
    EXPECT_TRUE(chatArrives(QStringLiteral("well?")));
    EXPECT_TRUE(clockTicks());
    EXPECT_TRUE(bob.windows.waiting);
    question->button(QMessageBox::Yes)->click();
    s_feedback.realBoxes = false;
    ASSERT_TRUE(waitFor([&] {
        return matchOf(s_main->game()).gameInProgress && matchOf(bob.game).gameInProgress;
    }));
    EXPECT_NE(matchOf(s_main->game()).playerTurn, matchOf(bob.game).playerTurn);
    EXPECT_EQ(matchOf(s_main->game()).opponentName, QStringLiteral("Bob"));

    // The windows' side gives up; the statistics window of the end closes.
    s_feedback.answers = {BoxAnswer::Ok};
    QTest::mouseClick(test::child<QToolButton>(s_main, "abortButton"), Qt::LeftButton);
    EXPECT_TRUE(matchOf(s_main->game()).gameAborted);
    ASSERT_TRUE(waitFor([&] { return statistics->isVisible(); }, 10000));
    statistics->accept();
    EXPECT_TRUE(waitFor([] {
        return !matchOf(s_main->game()).gameInProgress && !s_main->game().modalBusy() &&
               s_main->game().boards().placedFleet == FleetCounts{};
    }));
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
