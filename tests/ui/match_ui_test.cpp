// SPDX-License-Identifier: GPL-3.0-or-later
// Whole matches against the computer, played through the windows with real
// mouse events, from Start to the statistics window and back.
#include "common/gamestateaccess.h"
#include "log/gamelog.h"
#include "match/gamestate.h"
#include "model/placement.h"
#include "ui/mainwindow.h"
#include "ui/pictures.h"
#include "ui/resources.h"
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
    m_main = test::startMainWindow(m_feedback, true); // the tests tick by themselves
    QVERIFY(m_main);
    m_main->game().settings().saveLog = true;
}

void MatchUiTest::init()
{
    m_main->random().seed(2024);
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "generateButton")
        ->click(); // Generate
    QVERIFY(fleetComplete(m_main->game().boards().placedFleet));
}

void MatchUiTest::playMatch(const std::function<void()> &step,
                            const std::function<void()> &onStatistics)
{
    QTimer driver;
    driver.setInterval(0);
    bool started = false;
    connect(&driver, &QTimer::timeout, this, [&] {
        if (test::child<StatisticsDialog>(m_main, "StatisticsDialog")->isVisible()) {
            if (onStatistics)
                onStatistics();
            test::child<StatisticsDialog>(m_main, "StatisticsDialog")->accept();
            return;
        }
        if (!matchOf(m_main->game()).gameInProgress)
            return;
        if (!started) {
            // Whatever the last match aimed at, a new one starts with no aim.
            started = true;
            QCOMPARE(test::boardPlayOf(m_main).aimedCell(), QPoint(-1, -1));
        }
        step();
    });
    driver.start();
    QSignalSpy modes(&m_main->match(), &Match::modeChanged);
    QTest::mouseClick(test::child<QToolButton>(m_main, "startButton"), Qt::LeftButton);
    // The match runs on events; it is over once its boards are cleared away.
    if (matchOf(m_main->game()).gameInProgress)
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
    QTest::mouseMove(test::child<BoardView>(m_main, "opponentBoard"), pixel);
    QTest::mouseClick(test::child<BoardView>(m_main, "opponentBoard"), Qt::LeftButton, {}, pixel);
}

void MatchUiTest::fireAtNextCell()
{
    const BoardState &b = m_main->game().boards();
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
    for (const PlayerRecord &r : m_main->game().scores().players)
        if (r.free == 0 && recordName(r) == m_main->game().settings().playerName)
            return &r;
    return nullptr;
}

void MatchUiTest::wholeMatchToTheStatisticsWindowAndBack()
{
    QFile::remove(GameLog::filePathIn(dataDirectory()));
    QString remark;
    bool keptUnderTheWindow = false;
    int tick = 0;
    playMatch(
        [&] {
            QVERIFY(!test::child<EditorWindow>(m_main, "EditorWindow")->isVisible());
            QVERIFY(test::child<GameLogWindow>(m_main, "GameLogWindow")->isVisible());
            // The player fires at once on each turn; the computer's turns
            // pass with the ticks of the turn timer.
            if (matchOf(m_main->game()).playerTurn && ++tick % 3)
                fireAtNextCell();
            else
                tickSoon();
        },
        [&] {
            remark = matchOf(m_main->game()).endRemark;
            // Under the window the match stays as it ended, and counts as
            // a dialog open: an invitation now is refused.
            keptUnderTheWindow =
                m_main->game().modalBusy() && m_main->game().boards().placedFleet != FleetCounts{};
        });

    QVERIFY(!remark.isEmpty());
    QVERIFY(keptUnderTheWindow);
    QVERIFY(test::boardPlayOf(m_main).aimedCell() != QPoint(-1, -1)); // the next match must drop it
    QVERIFY(matchOf(m_main->game()).endRemark.isEmpty());
    QVERIFY(!matchOf(m_main->game()).gameInProgress);
    QVERIFY(test::child<EditorWindow>(m_main, "EditorWindow")->isVisible());
    QVERIFY(!test::child<GameLogWindow>(m_main, "GameLogWindow")->isVisible());
    QCOMPARE(m_main->game().boards().placedFleet, FleetCounts{});
    QCOMPARE(boardToText(m_main->game().boards().ownBoard), std::string(225, 'C'));
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
        MatchState &m = matchOf(m_main->game());
        ++steps;
        if (steps == 1) {
            m.playerTurn = true;
            QTest::mouseClick(test::child<QToolButton>(m_main, "pauseButton"),
                              Qt::LeftButton); // Pause down
            QVERIFY(m.paused);
            QCOMPARE(test::child<QTimer>(m_main, "turnTimer")->interval(), 100);
            timeAtPause = m.playerTime;
            const int beeps = m_feedback.beeps;
            clickOpponentCell(0, 0);
            QCOMPARE(m_feedback.beeps, beeps + 1);
            QCOMPARE(m_main->game().boards().opponentBoard.at(1, 1) == CellMiss, false);
            for (int i = 0; i < 5; ++i)
                m_main->onTurnTick();
            QCOMPARE(m.playerTime, timeAtPause);
            // Each paused tick scrambles a cell of each board; the board
            // paints the scramble from the match state.
            auto *own = test::child<BoardView>(m_main, "ownBoard");
            const auto scrambledCells = [&] {
                std::vector<QPoint> cells;
                for (int x = 1; x <= BoardSide; ++x)
                    for (int y = 1; y <= BoardSide; ++y)
                        if (m.ownScramble.at(x, y).picture >= 0)
                            cells.emplace_back(x, y);
                return cells;
            };
            const std::vector<QPoint> scrambled = scrambledCells();
            QVERIFY(!scrambled.empty() && scrambled.size() <= 5);
            const Scramble::Mark mark = m.ownScramble.at(scrambled[0].x(), scrambled[0].y());
            const Pictures &pictures = Pictures::get();
            const QImage picture =
                (mark.columnNumber ? pictures.columnNumbers : pictures.rowLetters)
                    .value(mark.picture)
                    .toImage();
            const QImage shown = own->grab().toImage().convertToFormat(picture.format());
            const QPoint at(scrambled[0].x() * Pictures::W, scrambled[0].y() * Pictures::H);
            QCOMPARE(shown.copy(QRect(at, picture.size())), picture);
            QTest::mouseClick(test::child<QToolButton>(m_main, "pauseButton"),
                              Qt::LeftButton); // continue
            QVERIFY(!m.paused);
            QVERIFY(scrambledCells().empty());
            QCOMPARE(own->stampCount(), 0);
            m_main->onTurnTick();
            QCOMPARE(m.playerTime, timeAtPause + 1);
        }
        // Surrender to end the match quickly.
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(test::child<QToolButton>(m_main, "abortButton"), Qt::LeftButton);
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
        matchOf(m_main->game()).playerTurn = true;
        fireAtNextCell(); // a few points, so the top score could change
        m_feedback.answers = {BoxAnswer::Cancel};
        QTest::mouseClick(test::child<QToolButton>(m_main, "abortButton"), Qt::LeftButton);
        QVERIFY(matchOf(m_main->game()).gameInProgress);
        QVERIFY(!matchOf(m_main->game()).gameAborted);
        m_feedback.answers = {BoxAnswer::Ok};
        QTest::mouseClick(test::child<QToolButton>(m_main, "abortButton"), Qt::LeftButton);
        QVERIFY(matchOf(m_main->game()).gameAborted);
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
        QTest::mouseClick(test::child<QToolButton>(m_main, "abortButton"), Qt::LeftButton);
        tickSoon();
    });
    QVERIFY(refused);
}

int main(int argc, char *argv[])
{
    return test::runWindowTest<MatchUiTest>(argc, argv);
}

#include "match_ui_test.moc"
