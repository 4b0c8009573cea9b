// Network play through the real windows: the network options, the lamp, the
// waiting window, the chat window and typing into it from the main window.
// The peer is a headless side in the same process, on another loopback
// address.
#include "../ui/uitest.h"
#include "netplay_fixture.h"
#include "ui/game.h"
#include "ui/mainwindow.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
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
        InitResources();
        SetUiFeedback(&s_feedback);
        s_main = new TForm1;
        ASSERT_TRUE(s_main->FormCreate());
        s_main->CreateCompanions();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(s_main));
    }
    static void TearDownTestSuite()
    {
        delete s_main;
        s_main = nullptr;
        SetUiFeedback(nullptr);
        delete s_dirs;
    }

    void SetUp() override
    {
        s_feedback.boxes.clear();
        s_feedback.answers.clear();
        s_main->Form8->Memo1->clear();
    }

    // Links the windows' side to bob with "Ок!", typed like a player.
    void LinkTo(Side &bob)
    {
        TForm2 *editor = s_main->Form2;
        bob.play.StartServer();
        editor->Edit2->setText(bob.address);
        editor->Edit4->clear();
        editor->Edit3->setText(QString::number(bob.play.ServerPort()));
        QTest::mouseClick(editor->Button4, Qt::LeftButton);
        ASSERT_TRUE(WaitFor([&] {
            return editor->StaticText6->text() ==
                       QStringLiteral("Your opponent: Bob (area size: 10)") &&
                   bob.play.PeerConnected() && s_main->PeerConnected();
        }));
    }

    static inline IsolatedDirectories *s_dirs = nullptr;
    static inline RecordingFeedback s_feedback;
    static inline TForm1 *s_main = nullptr;
};

TEST_F(NetUiTest, ChatLineTakes128TypedCharactersButAnyAppendedFromTheMainWindow)
{
    QLineEdit *input = s_main->Form8->Memo1;
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

TEST_F(NetUiTest, HistoryLinesAreCut)
{
    QPlainTextEdit *history = s_main->Form8->Memo2;
    s_main->Form8->addHistoryLine(QString(5000, u'w'));
    EXPECT_EQ(history->document()->lastBlock().text(), QString(1024, u'w') + QStringLiteral("..."));
}

TEST_F(NetUiTest, LinkChatInvitationAndAimThroughTheWindows)
{
    const int port = FreePort();
    Side bob(QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 5);
    LinkTo(bob);
    TForm2 *editor = s_main->Form2;
    EXPECT_TRUE(editor->Button4->isEnabled());
    EXPECT_EQ(editor->Edit3->text(), QString::number(port));
    s_main->Timer1Timer(); // the idle tick shows the link
    EXPECT_EQ(editor->Shape1->brushColor(), QColor(0x00, 0xFF, 0x00));

    // Typed in the main window, sent with Enter there.
    QTest::keyClicks(s_main, QStringLiteral("hi|bob"));
    QTest::keyClick(s_main, Qt::Key_Return);
    EXPECT_TRUE(s_main->Form8->Memo1->text().isEmpty());
    EXPECT_EQ(s_main->Form8->Memo2->document()->lastBlock().text(),
              QStringLiteral("<NewUser> hi bob"));
    ASSERT_TRUE(WaitFor([&] { return bob.windows.chatLines.contains("<NewUser> hi bob"); }));
    bob.windows.chatInput = QStringLiteral("hello");
    bob.play.ChatSend();
    ASSERT_TRUE(WaitFor([&] {
        return s_main->Form8->Memo2->document()->lastBlock().text() ==
               QStringLiteral("<Bob> hello");
    }));

    // Bob invites; the question box of the windows answers No.
    s_feedback.answers = {BoxAnswer::No};
    s_main->Form2->Button3->click(); // a fleet, so the question is asked
    ASSERT_TRUE(WaitFor([] { return FleetComplete(Game().boards.PlacedFleet); }));
    EXPECT_FALSE(bob.match.Begin());
    EXPECT_EQ(s_feedback.boxes.filter(QStringLiteral(":-D | The player Bob inviting")).size(), 1);
    ASSERT_TRUE(WaitFor([&] { return bob.windows.refusals.size() == 1; }));

    // The windows' side invites: it waits behind the waiting window.
    bool waitingShown = false;
    bob.windows.whileAsked = [&] {
        waitingShown =
            s_main->Form7->isVisible() && !s_main->isEnabled() && !s_main->Form2->isEnabled();
    };
    QTest::mouseClick(s_main->SpeedButton1, Qt::LeftButton);
    EXPECT_TRUE(waitingShown);
    EXPECT_FALSE(s_main->Form7->isVisible());
    EXPECT_TRUE(s_main->isEnabled());
    ASSERT_TRUE(WaitFor([] {
        return s_feedback.boxes.contains(
            QStringLiteral(":( | The user doesn't ready to game, or area sizes miscoincide."));
    }));

    // The peer's aim is drawn on the own board during a match.
    Game().match.GameInProgress = true;
    bob.game.match.GameInProgress = true;
    bob.game.match.AimCol = 4;
    bob.game.match.AimRow = 2;
    bob.play.SendAim();
    ASSERT_TRUE(WaitFor([] { return s_main->PaintBox1->stampCount() == 1; }));
    Game().match.GameInProgress = false;

    // "No!" drops the link; the next tick says so.
    QTest::mouseClick(editor->Button5, Qt::LeftButton);
    s_main->Timer1Timer();
    EXPECT_EQ(editor->Shape1->brushColor(), QColor(0xFF, 0x00, 0x00));
    EXPECT_EQ(editor->StaticText6->text(), QStringLiteral("no connection"));
}

// The real question box: a player who presses Escape or closes it has not
// said Yes, whatever the default button.
TEST_F(NetUiTest, InvitationQuestionDismissedIsARefusal)
{
    const int port = FreePort();
    Side bob(QStringLiteral("Bob"), QStringLiteral("127.0.0.2"), port, 6);
    LinkTo(bob);
    s_main->Form2->Button3->click();
    ASSERT_TRUE(WaitFor([] { return FleetComplete(Game().boards.PlacedFleet); }));
    SetUiFeedback(nullptr);
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
        EXPECT_FALSE(bob.match.Begin());
        dismiss.stop();
        EXPECT_EQ(caption, QStringLiteral(":-D"));
        EXPECT_FALSE(Game().match.GameInProgress);
        EXPECT_FALSE(bob.game.match.GameInProgress);
        EXPECT_TRUE(WaitFor([&] { return bob.windows.refusals.size() == refused + 1; }));
    }
    SetUiFeedback(&s_feedback);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
