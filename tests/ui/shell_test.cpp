// SPDX-License-Identifier: GPL-3.0-or-later
// The game shell as a player meets it: start-up, boards and pointer input,
// the field editor, both languages, the indicators, closing.
#include "common/gamestateaccess.h"
#include "match/gamestate.h"
#include "model/placement.h"
#include "records/scorefile.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"
#include "util/paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <sys/stat.h>

using namespace tw;

class ShellTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithTheDefaults();
    void boardAndWindowSizes_data();
    void boardAndWindowSizes();
    void hoverFollowsTheCellUnderThePointer();
    void handPlacementAndItsBeeps();
    void editorArrowsWrap();
    void typedAreaSizes_data();
    void typedAreaSizes();
    void changeWithTheSameSizeKeepsTheFleet();
    void generateFillsTheBoardAndHidesThePanel();
    void languageSwitchedTwiceGivesEveryCaptionBack();
    void counterRollsTowardTheScore();
    void closingSavesTheSettings();
    void aSaveAtLogoutIsNotWrittenAgainAtTheClose();

private:
    QPoint cellCentre(int col, int row) const { return {(col + 1) * 17 + 8, (row + 1) * 17 + 8}; }
    QStringList allCaptions() const;

    test::RecordingFeedback m_feedback;
    MainWindow *m_main = nullptr;
};

void ShellTest::initTestCase()
{
    m_main = test::startMainWindow(m_feedback, false);
    QVERIFY(m_main);
}

void ShellTest::startsWithTheDefaults()
{
    const GameState &game = m_main->game();
    QCOMPARE(game.boards().areaSize, 10);
    QVERIFY(game.settings().musicOn);
    QVERIFY(game.settings().soundOn);
    QVERIFY(game.settings().englishUi);
    QVERIFY(!game.settings().saveLog);
    QCOMPARE(game.settings().playerName, QStringLiteral("NewUser"));
    for (const PlayerRecord &record : game.scores().players)
        QCOMPARE(record.free, 1);
    QCOMPARE(test::child<ClickLabel>(m_main, "languageToggle")->text(), QStringLiteral("Russian"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tarnwake - player NewUser"));
    QVERIFY(test::child<EditorWindow>(m_main, "EditorWindow")->isVisible());
    QVERIFY(test::child<ChatWindow>(m_main, "ChatWindow")->isVisible());
    QVERIFY(!test::child<GameLogWindow>(m_main, "GameLogWindow")->isVisible());
    QVERIFY(
        !test::child<QCheckBox>(test::child<EditorWindow>(m_main, "EditorWindow"), "saveLogCheck")
             ->isChecked());
}

void ShellTest::boardAndWindowSizes_data()
{
    QTest::addColumn<int>("area");
    QTest::addColumn<int>("box");
    QTest::addColumn<int>("clientWidth");
    QTest::newRow("10") << 10 << 204 << 2 * (204 + 8) + 93;
    QTest::newRow("15") << 15 << 289 << 2 * (289 + 8) + 93;
    QTest::newRow("12") << 12 << 238 << 2 * (238 + 8) + 93;
}

void ShellTest::boardAndWindowSizes()
{
    QFETCH(int, area);
    QFETCH(int, box);
    QFETCH(int, clientWidth);
    BoardState &b = m_main->game().boards();
    b.placedFleet[1] = 2;
    b.ownBoard.at(1, 1) = CellShip;
    m_main->applyAreaSize(area);
    QCOMPARE(test::child<BoardView>(m_main, "ownBoard")->size(), QSize(box, box));
    QCOMPARE(test::child<BoardView>(m_main, "opponentBoard")->size(), QSize(box, box));
    QCOMPARE(m_main->width(), clientWidth);
    QCOMPARE(m_main->height(),
             std::max(test::child<QGroupBox>(m_main, "controlPanel")->height(), box + 20));
    QCOMPARE(test::child<QGroupBox>(m_main, "opponentBoardFrame")->x(),
             test::child<QGroupBox>(m_main, "ownBoardFrame")->x() +
                 test::child<QGroupBox>(m_main, "ownBoardFrame")->width());
    QCOMPARE(b.placedFleet, FleetCounts{});
    QCOMPARE(b.ownBoard.at(1, 1), CellWater);
    QCOMPARE(
        test::child<QLineEdit>(test::child<EditorWindow>(m_main, "EditorWindow"), "areaSizeEdit")
            ->text(),
        QString::number(area));
    // The editor sits right below the main window, the chat beside it.
    QCOMPARE(test::child<EditorWindow>(m_main, "EditorWindow")->x(), m_main->x());
    QCOMPARE(test::child<ChatWindow>(m_main, "ChatWindow")->x(),
             test::child<EditorWindow>(m_main, "EditorWindow")->x() +
                 test::child<EditorWindow>(m_main, "EditorWindow")->frameGeometry().width());
    QCOMPARE(test::child<GameLogWindow>(m_main, "GameLogWindow")->geometry(),
             test::child<EditorWindow>(m_main, "EditorWindow")->geometry());
    m_main->applyAreaSize(10);
}

void ShellTest::hoverFollowsTheCellUnderThePointer()
{
    BoardState &b = m_main->game().boards();
    BoardView *own = test::child<BoardView>(m_main, "ownBoard");
    b.selectedShipType = 5;
    b.rotation = 0;
    QTest::mouseMove(own, {16, 16});
    QCOMPARE(test::boardPlayOf(m_main).hoveredCell(), QPoint(-1, -1));
    QCOMPARE(own->stampCount(), 0);
    QTest::mouseMove(own, {17, 17});
    QCOMPARE(test::boardPlayOf(m_main).hoveredCell(), QPoint(0, 0));
    QCOMPARE(own->stampCount(), 4); // the four cells of the straight ship
    // Moving within the cell draws nothing new; leaving through the frame wipes it.
    QTest::mouseMove(own, {30, 30});
    QCOMPARE(own->stampCount(), 4);
    QTest::mouseMove(own, {5, 100});
    QCOMPARE(own->stampCount(), 0);
    // The opponent board shows no aim outside a match.
    QTest::mouseMove(test::child<BoardView>(m_main, "opponentBoard"), cellCentre(3, 3));
    QCOMPARE(test::child<BoardView>(m_main, "opponentBoard")->stampCount(), 0);
}

void ShellTest::handPlacementAndItsBeeps()
{
    BoardState &b = m_main->game().boards();
    BoardView *own = test::child<BoardView>(m_main, "ownBoard");
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "clearButton")
        ->click(); // Clear
    b.selectedShipType = 5;
    b.rotation = 0;
    const int beeps = m_feedback.beeps;

    QTest::mouseMove(own, cellCentre(7, 0));
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(7, 0));
    QCOMPARE(m_feedback.beeps, beeps + 1); // it would need column 11
    QTest::mouseMove(own, cellCentre(6, 0));
    QTest::mouseClick(own, Qt::RightButton, {}, cellCentre(6, 0));
    QCOMPARE(m_feedback.beeps, beeps + 1);
    QCOMPARE(b.ownBoard.at(7, 1), CellShip);
    QCOMPARE(b.placedFleet[4], 1);
    QTest::mouseMove(own, cellCentre(0, 2));
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(0, 2));
    QCOMPARE(m_feedback.beeps, beeps + 2); // a second four-cell ship

    // The rest of the fleet by hand, then every further click beeps and no
    // preview is drawn.
    const int plan[][4] = {{2, 0, 0, 2}, {2, 0, 3, 2}, {2, 0, 6, 2}, {3, 0, 0, 4}, {4, 0, 4, 4},
                           {1, 0, 0, 7}, {1, 0, 2, 7}, {1, 0, 4, 7}, {1, 0, 6, 7}};
    for (const auto &p : plan) {
        b.selectedShipType = static_cast<std::uint8_t>(p[0]);
        b.rotation = static_cast<std::int8_t>(p[1]);
        QTest::mouseMove(own, cellCentre(p[2], p[3]));
        QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(p[2], p[3]));
    }
    QCOMPARE(m_feedback.beeps, beeps + 2);
    QVERIFY(fleetComplete(b.placedFleet));
    QVERIFY(isLegalFleet(b.ownBoard, 10));
    QTest::mouseMove(own, cellCentre(9, 9));
    QCOMPARE(own->stampCount(), 0);
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(9, 9));
    QCOMPARE(m_feedback.beeps, beeps + 3);
}

void ShellTest::editorArrowsWrap()
{
    EditorWindow *editor = test::child<EditorWindow>(m_main, "EditorWindow");
    BoardState &b = m_main->game().boards();
    b.selectedShipType = 1;
    test::child<QToolButton>(editor, "previousShipTypeButton")->click();
    QCOMPARE(b.selectedShipType, 11);
    test::child<QToolButton>(editor, "nextShipTypeButton")->click();
    QCOMPARE(b.selectedShipType, 1);
    b.rotation = 0;
    test::child<QToolButton>(editor, "rotateLeftButton")->click();
    QCOMPARE(b.rotation, 3);
    test::child<QToolButton>(editor, "rotateRightButton")->click();
    QCOMPARE(b.rotation, 0);
    b.pendingAreaSize = 10;
    test::child<QToolButton>(editor, "smallerAreaButton")->click();
    QCOMPARE(b.pendingAreaSize, 15);
    QCOMPARE(test::child<QLineEdit>(editor, "areaSizeEdit")->text(), QStringLiteral("15"));
    test::child<QToolButton>(editor, "largerAreaButton")->click();
    QCOMPARE(b.pendingAreaSize, 10);
    QCOMPARE(b.areaSize, 10); // the area changes only with Change
}

void ShellTest::typedAreaSizes_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("pending");
    QTest::addColumn<QString>("shown");
    QTest::newRow("9") << "9" << 11 << "9";
    QTest::newRow("16") << "16" << 11 << "16";
    QTest::newRow("100") << "100" << 11 << "100";
    QTest::newRow("eleven digits") << "12345678901" << 11 << "12345678901";
    QTest::newRow("not a number") << "abc" << 11 << "abc";
    QTest::newRow("12.4") << "12.4" << 12 << "12";
    QTest::newRow("12.5 to even") << "12.5" << 12 << "12";
    QTest::newRow("13.5 to even") << "13.5" << 14 << "14";
    QTest::newRow("13") << "13" << 13 << "13";
}

void ShellTest::typedAreaSizes()
{
    QFETCH(QString, typed);
    QFETCH(int, pending);
    QFETCH(QString, shown);
    m_main->game().boards().pendingAreaSize = 11;
    QLineEdit *edit =
        test::child<QLineEdit>(test::child<EditorWindow>(m_main, "EditorWindow"), "areaSizeEdit");
    // The whole text arrives at once, as when pasted: typed key by key, a
    // prefix such as "12" would already be a valid size.
    edit->selectAll();
    edit->insert(typed);
    QCOMPARE(m_main->game().boards().pendingAreaSize, pending);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(m_main->game().boards().areaSize, 10);
}

void ShellTest::changeWithTheSameSizeKeepsTheFleet()
{
    BoardState &b = m_main->game().boards();
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "generateButton")
        ->click(); // Generate
    const Board fleet = b.ownBoard;
    b.pendingAreaSize = 10;
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "changeAreaButton")
        ->click();
    QCOMPARE(b.ownBoard, fleet);
    b.pendingAreaSize = 13;
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "changeAreaButton")
        ->click();
    QCOMPARE(b.areaSize, 13);
    QCOMPARE(b.placedFleet, FleetCounts{});
    m_main->applyAreaSize(10);
}

void ShellTest::generateFillsTheBoardAndHidesThePanel()
{
    BoardState &b = m_main->game().boards();
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "clearButton")
        ->click();
    b.selectedShipType = 1;
    QTest::mouseMove(test::child<BoardView>(m_main, "ownBoard"), cellCentre(0, 0));
    QTest::mouseClick(test::child<BoardView>(m_main, "ownBoard"), Qt::LeftButton, {},
                      cellCentre(0, 0));
    test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "generateButton")
        ->click();
    QVERIFY(isLegalFleet(b.ownBoard, 10)); // the hand-placed ship is replaced
    QCOMPARE(b.placedFleet, RequiredFleet);
    QVERIFY(!test::child<QLabel>(m_main, "generatingPanel")->isVisible());
    QVERIFY(m_main->isEnabled());
    QVERIFY(test::child<EditorWindow>(m_main, "EditorWindow")->isEnabled());
    QVERIFY(!m_main->game().modalBusy());
}

QStringList ShellTest::allCaptions() const
{
    QStringList captions;
    const QList<QWidget *> windows = {m_main,
                                      test::child<EditorWindow>(m_main, "EditorWindow"),
                                      test::child<PlayersDialog>(m_main, "PlayersDialog"),
                                      test::child<StatisticsDialog>(m_main, "StatisticsDialog"),
                                      test::child<GameLogWindow>(m_main, "GameLogWindow"),
                                      test::child<WaitingDialog>(m_main, "WaitingDialog"),
                                      test::child<ChatWindow>(m_main, "ChatWindow")};
    for (QWidget *window : windows) {
        captions << window->windowTitle();
        for (auto *label : window->findChildren<QLabel *>())
            captions << label->objectName() + u'=' + label->text();
        for (auto *button : window->findChildren<QAbstractButton *>())
            captions << button->objectName() + u'=' + button->text();
        for (auto *box : window->findChildren<QGroupBox *>())
            captions << box->objectName() + u'=' + box->title();
    }
    return captions;
}

void ShellTest::languageSwitchedTwiceGivesEveryCaptionBack()
{
    const QStringList english = allCaptions();
    m_main->toggleLanguage();
    QVERIFY(!m_main->game().settings().englishUi);
    QCOMPARE(test::child<ClickLabel>(m_main, "languageToggle")->text(), QStringLiteral("English"));
    QCOMPARE(test::child<QToolButton>(m_main, "startButton")->text(), QStringLiteral("Старт"));
    QCOMPARE(test::child<EditorWindow>(m_main, "EditorWindow")->windowTitle(),
             QStringLiteral("Редактор поля и сетевые установки"));
    QCOMPARE(
        test::child<QPushButton>(test::child<EditorWindow>(m_main, "EditorWindow"), "connectButton")
            ->text(),
        QStringLiteral("Ок!"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tarnwake - игрок NewUser"));
    QVERIFY(allCaptions() != english);
    m_main->toggleLanguage();
    QCOMPARE(allCaptions(), english);
}

void ShellTest::counterRollsTowardTheScore()
{
    MatchState &m = matchOf(m_main->game());
    test::child<ScoreCounter>(m_main, "scoreCounter")->setValue(0);
    m.gameScore = 100;
    QList<int> shown;
    while (test::child<ScoreCounter>(m_main, "scoreCounter")->value() != m.gameScore &&
           shown.size() < 50) {
        m_main->onIndicatorTick();
        shown << test::child<ScoreCounter>(m_main, "scoreCounter")->value();
    }
    QCOMPARE(shown, (QList<int>{16, 32, 48, 64, 80, 96, 97, 98, 99, 100}));
    // Leaving a match resets it at once, without rolling.
    m_main->applyModeLayout();
    QCOMPARE(test::child<ScoreCounter>(m_main, "scoreCounter")->value(), 0);
}

void ShellTest::closingSavesTheSettings()
{
    // What the session manager's request saved is not the end: the logout
    // may be cancelled and the game played on.
    m_main->saveForLogout();
    m_main->toggleLanguage(); // Russian
    test::child<QCheckBox>(test::child<EditorWindow>(m_main, "EditorWindow"), "saveLogCheck")
        ->click();
    QVERIFY(m_main->game().settings().saveLog);
    m_main->applyAreaSize(14);
    QVERIFY(m_main->close());
    ScoreBlock saved{};
    QVERIFY(loadScoreFile(saved, dataDirectory(), systemDirectory()));
    QCOMPARE(saved.englishUi, 0);
    QCOMPARE(saved.saveLog, 1);
    QCOMPARE(saved.areaSize, 14);
    QCOMPARE(saved.musicOn, 1);
}

// The session manager asks for the data at logout, then to quit: with
// nothing changed in between, the score file is written once.
void ShellTest::aSaveAtLogoutIsNotWrittenAgainAtTheClose()
{
    delete m_main;
    m_main = test::startMainWindow(m_feedback, false);
    QVERIFY(m_main);
    const QByteArray file =
        QFile::encodeName(QDir(dataDirectory()).filePath(QLatin1String(ScoreFileName)));
    const auto inode = [&file] {
        struct stat info
        {};
        return ::stat(file.constData(), &info) == 0 ? info.st_ino : 0;
    };
    const ino_t before = inode();
    m_main->saveForLogout();
    const ino_t saved = inode();
    QVERIFY(saved != 0);
    QVERIFY(saved != before); // every save makes a new file
    m_main->endProgram();
    QCOMPARE(inode(), saved);
}

int main(int argc, char *argv[])
{
    return test::runWindowTest<ShellTest>(argc, argv);
}

#include "shell_test.moc"
