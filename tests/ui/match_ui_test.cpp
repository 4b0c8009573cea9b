// Whole matches against the computer, played through the windows with real
// mouse events, from Start to the statistics window and back.
#include "log/gamelog.h"
#include "match/gamestate.h"
#include "model/placement.h"
#include "ui/game.h"
#include "ui/mainwindow.h"
#include "uitest.h"
#include "util/paths.h"

#include <QApplication>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace tw;

class MatchUiTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void wholeMatchToTheStatisticsWindowAndBack();
    void pauseCountsNoTimeAndRefusesShots();
    void abortCountsALossAndKeepsTheBattleRecords();
    void closingIsRefusedDuringAMatch();

private:
    // Runs Start; while its match loop runs, `step` is called again and
    // again from a timer. The statistics window is closed as soon as it
    // shows, after `onStatistics` had a look at it.
    void playMatch(const std::function<void()> &step,
                   const std::function<void()> &onStatistics = {});
    void clickOpponentCell(int col, int row);
    // A tick of the turn timer that may end the match. Queued: a timer never
    // fires again while its own slot runs, so a tick made from the driver
    // would keep the driver from closing the statistics window.
    void tickSoon();
    // The player's next shot: the first cell not shot yet, column by column.
    void fireAtNextCell();
    QStringList logLines() const;
    const TPlayerRecord *record() const;

    test::RecordingFeedback m_feedback;
    TForm1 *m_main = nullptr;
};

void MatchUiTest::initTestCase()
{
    InitResources();
    SetUiFeedback(&m_feedback);
    m_main = new TForm1;
    QVERIFY(m_main->FormCreate());
    m_main->CreateCompanions();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_main->Timer1->stop(); // the test ticks by itself
    Game().settings.SaveLog = true;
}

void MatchUiTest::init()
{
    GameRandom().seed(2024);
    m_main->Form2->Button3->click(); // Generate
    QVERIFY(FleetComplete(Game().boards.PlacedFleet));
}

void MatchUiTest::playMatch(const std::function<void()> &step,
                            const std::function<void()> &onStatistics)
{
    QTimer driver;
    driver.setInterval(0);
    connect(&driver, &QTimer::timeout, this, [&] {
        if (m_main->Form4->isVisible()) {
            if (onStatistics)
                onStatistics();
            m_main->Form4->accept();
            return;
        }
        if (Game().match.GameInProgress)
            step();
    });
    driver.start();
    QTest::mouseClick(m_main->SpeedButton1, Qt::LeftButton);
    driver.stop();
}

void MatchUiTest::tickSoon()
{
    QMetaObject::invokeMethod(
        m_main, [this] { m_main->Timer1Timer(); }, Qt::QueuedConnection);
}

void MatchUiTest::clickOpponentCell(int col, int row)
{
    const QPoint pixel((col + 1) * 17 + 8, (row + 1) * 17 + 8);
    QTest::mouseMove(m_main->PaintBox2, pixel);
    QTest::mouseClick(m_main->PaintBox2, Qt::LeftButton, {}, pixel);
}

void MatchUiTest::fireAtNextCell()
{
    const BoardState &b = Game().boards;
    for (int x = 1; x <= b.AreaSize; ++x)
        for (int y = 1; y <= b.AreaSize; ++y) {
            const auto code = b.OpponentBoard.at(x, y);
            if (code == CellWater || code == CellIntact) {
                clickOpponentCell(x - 1, y - 1);
                return;
            }
        }
}

QStringList MatchUiTest::logLines() const
{
    QFile file(GameLog::FilePathIn(DataDirectory()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const TPlayerRecord *MatchUiTest::record() const
{
    for (const TPlayerRecord &r : Game().ScoreData.Players)
        if (r.Free == 0 && RecordName(r) == Game().settings.PlayerName)
            return &r;
    return nullptr;
}

void MatchUiTest::wholeMatchToTheStatisticsWindowAndBack()
{
    QFile::remove(GameLog::FilePathIn(DataDirectory()));
    QString remark;
    int tick = 0;
    playMatch(
        [&] {
            QVERIFY(!m_main->Form2->isVisible());
            QVERIFY(m_main->Form6->isVisible());
            // The player fires at once on each turn; the computer's turns
            // pass with the ticks of the turn timer.
            if (Game().match.PlayerTurn && ++tick % 3)
                fireAtNextCell();
            else
                tickSoon();
        },
        [&] { remark = Game().match.EndRemark; });

    QVERIFY(!remark.isEmpty());
    QVERIFY(Game().match.EndRemark.isEmpty());
    QVERIFY(!Game().match.GameInProgress);
    QVERIFY(m_main->Form2->isVisible());
    QVERIFY(!m_main->Form6->isVisible());
    QCOMPARE(Game().boards.PlacedFleet, TFleetCounts{});
    QCOMPARE(BoardToText(Game().boards.OwnBoard), std::string(225, 'C'));
    const TPlayerRecord *r = record();
    QVERIFY(r);
    QCOMPARE(r->Wins + r->Losses, 1);

    // The log file holds the match from its first line to the last row.
    const QStringList lines = logLines();
    QVERIFY(lines.size() > 30);
    QCOMPARE(lines[0], QString());
    QCOMPARE(lines[1], QStringLiteral("--------------------> New game"));
    QCOMPARE(lines[2], QStringLiteral("Player: NewUser"));
    QCOMPARE(lines[3], QStringLiteral("Opponent: computer"));
    QVERIFY(lines[4].endsWith(QStringLiteral(" start")));
    const int summary = static_cast<int>(lines.indexOf(QRegularExpression("Game time: .*")));
    QVERIFY(summary > 5);
    const QString winner = lines[summary - 1];
    QVERIFY(winner.endsWith(r->Wins ? QStringLiteral("the winner is NewUser")
                                    : QStringLiteral("computer wins")));
    for (int i = 5; i < summary - 1; ++i)
        QVERIFY2(QRegularExpression("^(NewUser|computer): [A-J]\\d+ (wrong|bingo|ship "
                                    "destroyed)$")
                     .match(lines[i])
                     .hasMatch(),
                 qPrintable(lines[i]));
    QCOMPARE(lines[summary + 1], QStringLiteral("Ships placing of NewUser: "));
    QCOMPARE(lines[summary + 12], QStringLiteral("Ships placing of computer: "));
    QCOMPARE(lines.size(), summary + 23);
    int shipCells = 0;
    for (int row = 0; row < 10; ++row)
        for (const QString &line : {lines[summary + 2 + row], lines[summary + 13 + row]}) {
            QVERIFY(QRegularExpression("^ [O-]{10}$").match(line).hasMatch());
            shipCells += static_cast<int>(line.count(u'O'));
        }
    QCOMPARE(shipCells, 2 * FleetCells);
}

void MatchUiTest::pauseCountsNoTimeAndRefusesShots()
{
    int steps = 0;
    int timeAtPause = -1;
    playMatch([&] {
        MatchState &m = Game().match;
        ++steps;
        if (steps == 1) {
            m.PlayerTurn = true;
            QTest::mouseClick(m_main->SpeedButton6, Qt::LeftButton); // Pause down
            QVERIFY(m.Paused);
            QCOMPARE(m_main->Timer1->interval(), 100);
            timeAtPause = m.PlayerTime;
            const int beeps = m_feedback.beeps;
            clickOpponentCell(0, 0);
            QCOMPARE(m_feedback.beeps, beeps + 1);
            QCOMPARE(Game().boards.OpponentBoard.at(1, 1) == CellMiss, false);
            for (int i = 0; i < 5; ++i)
                m_main->Timer1Timer();
            QCOMPARE(m.PlayerTime, timeAtPause);
            QCOMPARE(m_main->PaintBox1->stampCount(), 5);            // the scramble
            QTest::mouseClick(m_main->SpeedButton6, Qt::LeftButton); // continue
            QVERIFY(!m.Paused);
            QCOMPARE(m_main->PaintBox1->stampCount(), 0);
            m_main->Timer1Timer();
            QCOMPARE(m.PlayerTime, timeAtPause + 1);
        }
        // Surrender to end the match quickly.
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(m_main->SpeedButton2, Qt::LeftButton);
        tickSoon();
    });
    QVERIFY(timeAtPause >= 0);
}

void MatchUiTest::abortCountsALossAndKeepsTheBattleRecords()
{
    const TPlayerRecord *before = record();
    QVERIFY(before); // from the matches above
    const TPlayerRecord saved = *before;
    QStringList boxes;
    playMatch([&] {
        Game().match.PlayerTurn = true;
        fireAtNextCell(); // a few points, so the top score could change
        m_feedback.answers = {BoxAnswer::Cancel};
        QTest::mouseClick(m_main->SpeedButton2, Qt::LeftButton);
        QVERIFY(Game().match.GameInProgress);
        QVERIFY(!Game().match.GameAborted);
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(m_main->SpeedButton2, Qt::LeftButton);
        QVERIFY(Game().match.GameAborted);
        tickSoon();
    });
    const TPlayerRecord *after = record();
    QCOMPARE(after->Losses, saved.Losses + 1);
    QCOMPARE(after->Wins, saved.Wins);
    QCOMPARE(after->LongestBattle, saved.LongestBattle);
    QCOMPARE(after->ShortestBattle, saved.ShortestBattle);
    QCOMPARE(after->TopScore, saved.TopScore);
    QVERIFY(after->LastGame >= saved.LastGame);
    QVERIFY(m_feedback.boxes.last().startsWith(QStringLiteral(":-? | Do you want to abort")));
    QVERIFY(logLines().contains(QStringLiteral("The game is aborted by user.")));
}

void MatchUiTest::closingIsRefusedDuringAMatch()
{
    bool refused = false;
    playMatch([&] {
        refused = !m_main->close();
        QVERIFY(m_main->isVisible());
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(m_main->SpeedButton2, Qt::LeftButton);
        tickSoon();
    });
    QVERIFY(refused);
}

int main(int argc, char *argv[])
{
    // Static, so that it outlives the instance lock inside it.
    static test::IsolatedDirectories directories;
    qputenv("TARNWAKE_SILENT", "1");
    QApplication app(argc, argv);
    MatchUiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "match_ui_test.moc"
