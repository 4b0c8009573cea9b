// The game shell as a player meets it: start-up, boards and pointer input,
// the field editor, both languages, the indicators, closing.
#include "match/gamestate.h"
#include "model/placement.h"
#include "records/scorefile.h"
#include "ui/game.h"
#include "ui/mainwindow.h"
#include "uitest.h"
#include "util/paths.h"

#include <QAbstractButton>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

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

private:
    QPoint cellCentre(int col, int row) const { return {(col + 1) * 17 + 8, (row + 1) * 17 + 8}; }
    QStringList allCaptions() const;

    test::RecordingFeedback m_feedback;
    TForm1 *m_main = nullptr;
};

void ShellTest::initTestCase()
{
    InitResources();
    SetUiFeedback(&m_feedback);
    m_main = new TForm1;
    QVERIFY(m_main->FormCreate());
    m_main->CreateCompanions();
    QVERIFY(QTest::qWaitForWindowExposed(m_main));
}

void ShellTest::startsWithTheDefaults()
{
    const GameState &game = Game();
    QCOMPARE(game.boards.AreaSize, 10);
    QVERIFY(game.settings.MusicOn);
    QVERIFY(game.settings.SoundOn);
    QVERIFY(game.settings.EnglishUI);
    QVERIFY(!game.settings.SaveLog);
    QCOMPARE(game.settings.PlayerName, QStringLiteral("NewUser"));
    for (const TPlayerRecord &record : game.ScoreData.Players)
        QCOMPARE(record.Free, 1);
    QCOMPARE(m_main->Label3->text(), QStringLiteral("Russian"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tarnwake - player NewUser"));
    QVERIFY(m_main->Form2->isVisible());
    QVERIFY(m_main->Form8->isVisible());
    QVERIFY(!m_main->Form6->isVisible());
    QVERIFY(!m_main->Form2->CheckBox1->isChecked());
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
    BoardState &b = Game().boards;
    b.PlacedFleet[1] = 2;
    b.OwnBoard.at(1, 1) = CellShip;
    m_main->ApplyAreaSize(area);
    QCOMPARE(m_main->PaintBox1->size(), QSize(box, box));
    QCOMPARE(m_main->PaintBox2->size(), QSize(box, box));
    QCOMPARE(m_main->width(), clientWidth);
    QCOMPARE(m_main->height(), std::max(m_main->GroupBox3->height(), box + 20));
    QCOMPARE(m_main->GroupBox2->x(), m_main->GroupBox1->x() + m_main->GroupBox1->width());
    QCOMPARE(b.PlacedFleet, TFleetCounts{});
    QCOMPARE(b.OwnBoard.at(1, 1), CellWater);
    QCOMPARE(m_main->Form2->Edit1->text(), QString::number(area));
    // The editor sits right below the main window, the chat beside it.
    QCOMPARE(m_main->Form2->x(), m_main->x());
    QCOMPARE(m_main->Form8->x(), m_main->Form2->x() + m_main->Form2->frameGeometry().width());
    QCOMPARE(m_main->Form6->geometry(), m_main->Form2->geometry());
    m_main->ApplyAreaSize(10);
}

void ShellTest::hoverFollowsTheCellUnderThePointer()
{
    BoardState &b = Game().boards;
    BoardView *own = m_main->PaintBox1;
    b.SelectedShipType = 5;
    b.Rotation = 0;
    QTest::mouseMove(own, {16, 16});
    QCOMPARE(b.HoverCol, -1);
    QCOMPARE(b.HoverRow, -1);
    QCOMPARE(own->stampCount(), 0);
    QTest::mouseMove(own, {17, 17});
    QCOMPARE(b.HoverCol, 0);
    QCOMPARE(b.HoverRow, 0);
    QCOMPARE(own->stampCount(), 4); // the four cells of the straight ship
    // Moving within the cell draws nothing new; leaving through the frame wipes it.
    QTest::mouseMove(own, {30, 30});
    QCOMPARE(own->stampCount(), 4);
    QTest::mouseMove(own, {5, 100});
    QCOMPARE(own->stampCount(), 0);
    // The opponent board shows no aim outside a match.
    QTest::mouseMove(m_main->PaintBox2, cellCentre(3, 3));
    QCOMPARE(m_main->PaintBox2->stampCount(), 0);
}

void ShellTest::handPlacementAndItsBeeps()
{
    BoardState &b = Game().boards;
    BoardView *own = m_main->PaintBox1;
    m_main->Form2->Button1->click(); // Clear
    b.SelectedShipType = 5;
    b.Rotation = 0;
    const int beeps = m_feedback.beeps;

    QTest::mouseMove(own, cellCentre(7, 0));
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(7, 0));
    QCOMPARE(m_feedback.beeps, beeps + 1); // it would need column 11
    QTest::mouseMove(own, cellCentre(6, 0));
    QTest::mouseClick(own, Qt::RightButton, {}, cellCentre(6, 0));
    QCOMPARE(m_feedback.beeps, beeps + 1);
    QCOMPARE(b.OwnBoard.at(7, 1), CellShip);
    QCOMPARE(b.PlacedFleet[4], 1);
    QTest::mouseMove(own, cellCentre(0, 2));
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(0, 2));
    QCOMPARE(m_feedback.beeps, beeps + 2); // a second four-cell ship

    // The rest of the fleet by hand, then every further click beeps and no
    // preview is drawn.
    const int plan[][4] = {{2, 0, 0, 2}, {2, 0, 3, 2}, {2, 0, 6, 2}, {3, 0, 0, 4}, {4, 0, 4, 4},
                           {1, 0, 0, 7}, {1, 0, 2, 7}, {1, 0, 4, 7}, {1, 0, 6, 7}};
    for (const auto &p : plan) {
        b.SelectedShipType = static_cast<std::uint8_t>(p[0]);
        b.Rotation = static_cast<std::int8_t>(p[1]);
        QTest::mouseMove(own, cellCentre(p[2], p[3]));
        QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(p[2], p[3]));
    }
    QCOMPARE(m_feedback.beeps, beeps + 2);
    QVERIFY(FleetComplete(b.PlacedFleet));
    QVERIFY(IsLegalFleet(b.OwnBoard, 10));
    QTest::mouseMove(own, cellCentre(9, 9));
    QCOMPARE(own->stampCount(), 0);
    QTest::mouseClick(own, Qt::LeftButton, {}, cellCentre(9, 9));
    QCOMPARE(m_feedback.beeps, beeps + 3);
}

void ShellTest::editorArrowsWrap()
{
    TForm2 *editor = m_main->Form2;
    BoardState &b = Game().boards;
    b.SelectedShipType = 1;
    editor->SpeedButton1->click();
    QCOMPARE(b.SelectedShipType, 11);
    editor->SpeedButton2->click();
    QCOMPARE(b.SelectedShipType, 1);
    b.Rotation = 0;
    editor->SpeedButton3->click();
    QCOMPARE(b.Rotation, 3);
    editor->SpeedButton4->click();
    QCOMPARE(b.Rotation, 0);
    b.PendingAreaSize = 10;
    editor->SpeedButton5->click();
    QCOMPARE(b.PendingAreaSize, 15);
    QCOMPARE(editor->Edit1->text(), QStringLiteral("15"));
    editor->SpeedButton6->click();
    QCOMPARE(b.PendingAreaSize, 10);
    QCOMPARE(b.AreaSize, 10); // the area changes only with Change
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
    Game().boards.PendingAreaSize = 11;
    QLineEdit *edit = m_main->Form2->Edit1;
    // The whole text arrives at once, as when pasted: typed key by key, a
    // prefix such as "12" would already be a valid size.
    edit->selectAll();
    edit->insert(typed);
    QCOMPARE(Game().boards.PendingAreaSize, pending);
    QCOMPARE(edit->text(), shown);
    QCOMPARE(Game().boards.AreaSize, 10);
}

void ShellTest::changeWithTheSameSizeKeepsTheFleet()
{
    BoardState &b = Game().boards;
    m_main->Form2->Button3->click(); // Generate
    const TBoard fleet = b.OwnBoard;
    b.PendingAreaSize = 10;
    m_main->Form2->Button2->click();
    QCOMPARE(b.OwnBoard, fleet);
    b.PendingAreaSize = 13;
    m_main->Form2->Button2->click();
    QCOMPARE(b.AreaSize, 13);
    QCOMPARE(b.PlacedFleet, TFleetCounts{});
    m_main->ApplyAreaSize(10);
}

void ShellTest::generateFillsTheBoardAndHidesThePanel()
{
    BoardState &b = Game().boards;
    m_main->Form2->Button1->click();
    b.SelectedShipType = 1;
    QTest::mouseMove(m_main->PaintBox1, cellCentre(0, 0));
    QTest::mouseClick(m_main->PaintBox1, Qt::LeftButton, {}, cellCentre(0, 0));
    m_main->Form2->Button3->click();
    QVERIFY(IsLegalFleet(b.OwnBoard, 10)); // the hand-placed ship is replaced
    QCOMPARE(b.PlacedFleet, RequiredFleet);
    QVERIFY(!m_main->Panel1->isVisible());
    QVERIFY(m_main->isEnabled());
    QVERIFY(m_main->Form2->isEnabled());
    QVERIFY(!Game().ModalBusy);
}

QStringList ShellTest::allCaptions() const
{
    QStringList captions;
    const QList<QWidget *> windows = {m_main,        m_main->Form2, m_main->Form3, m_main->Form4,
                                      m_main->Form6, m_main->Form7, m_main->Form8};
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
    m_main->Label3Click();
    QVERIFY(!Game().settings.EnglishUI);
    QCOMPARE(m_main->Label3->text(), QStringLiteral("English"));
    QCOMPARE(m_main->SpeedButton1->text(), QStringLiteral("Старт"));
    QCOMPARE(m_main->Form2->windowTitle(), QStringLiteral("Редактор поля и сетевые установки"));
    QCOMPARE(m_main->Form2->Button4->text(), QStringLiteral("Ок!"));
    QCOMPARE(m_main->windowTitle(), QStringLiteral("Tarnwake - игрок NewUser"));
    QVERIFY(allCaptions() != english);
    m_main->Label3Click();
    QCOMPARE(allCaptions(), english);
}

void ShellTest::counterRollsTowardTheScore()
{
    MatchState &m = Game().match;
    m.ShownScore = 0;
    m.GameScore = 100;
    QList<int> shown;
    while (m.ShownScore != m.GameScore && shown.size() < 50) {
        m_main->Timer4Timer();
        shown << m_main->PaintBox3->value();
    }
    QCOMPARE(shown, (QList<int>{16, 32, 48, 64, 80, 96, 97, 98, 99, 100}));
    // Leaving a match resets it at once, without rolling.
    m_main->ApplyModeLayout();
    QCOMPARE(m_main->PaintBox3->value(), 0);
}

void ShellTest::closingSavesTheSettings()
{
    m_main->Label3Click(); // Russian
    m_main->Form2->CheckBox1->click();
    QVERIFY(Game().settings.SaveLog);
    m_main->ApplyAreaSize(14);
    QVERIFY(m_main->close());
    TScoreData saved{};
    QVERIFY(LoadScoreFile(saved, DataDirectory(), SystemDirectory()));
    QCOMPARE(saved.EnglishUI, 0);
    QCOMPARE(saved.SaveLog, 1);
    QCOMPARE(saved.AreaSize, 14);
    QCOMPARE(saved.MusicOn, 1);
}

int main(int argc, char *argv[])
{
    // Static, so that it outlives the instance lock inside it.
    static test::IsolatedDirectories directories;
    QApplication app(argc, argv);
    ShellTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "shell_test.moc"
