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
#include <QSignalSpy>
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
    // Runs Start and waits for the match's end; while the match runs, `step`
    // is called again and again from a timer. The statistics window is closed as soon as it
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
    const PlayerRecord *record() const;

    test::RecordingFeedback m_feedback;
    MainWindow *m_main = nullptr;
};

void MatchUiTest::initTestCase()
{
    initResources();
    setUiFeedback(&m_feedback);
    m_main = new MainWindow;
    QVERIFY(m_main->initialize());
    m_main->createCompanions();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
    m_main->m_turnTimer->stop(); // the test ticks by itself
    gameState().settings.saveLog = true;
}

void MatchUiTest::init()
{
    gameRandom().seed(2024);
    m_main->m_editorWindow->m_generateButton->click(); // Generate
    QVERIFY(fleetComplete(gameState().boards.placedFleet));
}

void MatchUiTest::playMatch(const std::function<void()> &step,
                            const std::function<void()> &onStatistics)
{
    QTimer driver;
    driver.setInterval(0);
    connect(&driver, &QTimer::timeout, this, [&] {
        if (m_main->m_statisticsDialog->isVisible()) {
            if (onStatistics)
                onStatistics();
            m_main->m_statisticsDialog->accept();
            return;
        }
        if (gameState().match.gameInProgress)
            step();
    });
    driver.start();
    QSignalSpy modes(&m_main->match(), &Match::modeChanged);
    QTest::mouseClick(m_main->m_startButton, Qt::LeftButton);
    // The match runs on events; it is over once its boards are cleared away.
    if (gameState().match.gameInProgress)
        QTRY_VERIFY_WITH_TIMEOUT(!modes.isEmpty() && !modes.last().at(0).toBool(), 120000);
    driver.stop();
}

void MatchUiTest::tickSoon()
{
    QMetaObject::invokeMethod(
        m_main, [this] { m_main->onTurnTick(); }, Qt::QueuedConnection);
}

void MatchUiTest::clickOpponentCell(int col, int row)
{
    const QPoint pixel((col + 1) * 17 + 8, (row + 1) * 17 + 8);
    QTest::mouseMove(m_main->m_opponentBoard, pixel);
    QTest::mouseClick(m_main->m_opponentBoard, Qt::LeftButton, {}, pixel);
}

void MatchUiTest::fireAtNextCell()
{
    const BoardState &b = gameState().boards;
    for (int x = 1; x <= b.areaSize; ++x)
        for (int y = 1; y <= b.areaSize; ++y) {
            const auto code = b.opponentBoard.at(x, y);
            if (code == CellWater || code == CellIntact) {
                clickOpponentCell(x - 1, y - 1);
                return;
            }
        }
}

QStringList MatchUiTest::logLines() const
{
    QFile file(GameLog::filePathIn(dataDirectory()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

const PlayerRecord *MatchUiTest::record() const
{
    for (const PlayerRecord &r : gameState().scores.players)
        if (r.free == 0 && recordName(r) == gameState().settings.playerName)
            return &r;
    return nullptr;
}

void MatchUiTest::wholeMatchToTheStatisticsWindowAndBack()
{
    QFile::remove(GameLog::filePathIn(dataDirectory()));
    QString remark;
    int tick = 0;
    playMatch(
        [&] {
            QVERIFY(!m_main->m_editorWindow->isVisible());
            QVERIFY(m_main->m_gameLogWindow->isVisible());
            // The player fires at once on each turn; the computer's turns
            // pass with the ticks of the turn timer.
            if (gameState().match.playerTurn && ++tick % 3)
                fireAtNextCell();
            else
                tickSoon();
        },
        [&] { remark = gameState().match.endRemark; });

    QVERIFY(!remark.isEmpty());
    QVERIFY(gameState().match.endRemark.isEmpty());
    QVERIFY(!gameState().match.gameInProgress);
    QVERIFY(m_main->m_editorWindow->isVisible());
    QVERIFY(!m_main->m_gameLogWindow->isVisible());
    QCOMPARE(gameState().boards.placedFleet, FleetCounts{});
    QCOMPARE(boardToText(gameState().boards.ownBoard), std::string(225, 'C'));
    const PlayerRecord *r = record();
    QVERIFY(r);
    QCOMPARE(r->wins + r->losses, 1);

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
    QVERIFY(winner.endsWith(r->wins ? QStringLiteral("the winner is NewUser")
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
        MatchState &m = gameState().match;
        ++steps;
        if (steps == 1) {
            m.playerTurn = true;
            QTest::mouseClick(m_main->m_pauseButton, Qt::LeftButton); // Pause down
            QVERIFY(m.paused);
            QCOMPARE(m_main->m_turnTimer->interval(), 100);
            timeAtPause = m.playerTime;
            const int beeps = m_feedback.beeps;
            clickOpponentCell(0, 0);
            QCOMPARE(m_feedback.beeps, beeps + 1);
            QCOMPARE(gameState().boards.opponentBoard.at(1, 1) == CellMiss, false);
            for (int i = 0; i < 5; ++i)
                m_main->onTurnTick();
            QCOMPARE(m.playerTime, timeAtPause);
            QCOMPARE(m_main->m_ownBoard->stampCount(), 5);            // the scramble
            QTest::mouseClick(m_main->m_pauseButton, Qt::LeftButton); // continue
            QVERIFY(!m.paused);
            QCOMPARE(m_main->m_ownBoard->stampCount(), 0);
            m_main->onTurnTick();
            QCOMPARE(m.playerTime, timeAtPause + 1);
        }
        // Surrender to end the match quickly.
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(m_main->m_abortButton, Qt::LeftButton);
        tickSoon();
    });
    QVERIFY(timeAtPause >= 0);
}

void MatchUiTest::abortCountsALossAndKeepsTheBattleRecords()
{
    const PlayerRecord *before = record();
    QVERIFY(before); // from the matches above
    const PlayerRecord saved = *before;
    QStringList boxes;
    playMatch([&] {
        gameState().match.playerTurn = true;
        fireAtNextCell(); // a few points, so the top score could change
        m_feedback.answers = {BoxAnswer::Cancel};
        QTest::mouseClick(m_main->m_abortButton, Qt::LeftButton);
        QVERIFY(gameState().match.gameInProgress);
        QVERIFY(!gameState().match.gameAborted);
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(m_main->m_abortButton, Qt::LeftButton);
        QVERIFY(gameState().match.gameAborted);
        tickSoon();
    });
    const PlayerRecord *after = record();
    QCOMPARE(after->losses, saved.losses + 1);
    QCOMPARE(after->wins, saved.wins);
    QCOMPARE(after->longestBattle, saved.longestBattle);
    QCOMPARE(after->shortestBattle, saved.shortestBattle);
    QCOMPARE(after->topScore, saved.topScore);
    QVERIFY(after->lastGame >= saved.lastGame);
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
        QTest::mouseClick(m_main->m_abortButton, Qt::LeftButton);
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
