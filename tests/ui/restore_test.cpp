// A score file written by an earlier run gives back its settings.
#include "match/gamestate.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "ui/game.h"
#include "ui/mainwindow.h"
#include "uitest.h"
#include "util/paths.h"

#include <QApplication>
#include <QTest>

using namespace tw;

class RestoreTest : public QObject
{
    Q_OBJECT

private slots:
    void settingsComeFromTheScoreFile()
    {
        TScoreData data{};
        SetDefaultScoreData(data);
        data.AreaSize = 12;
        data.EnglishUI = 0;
        data.SaveLog = 1;
        data.MusicOn = 0;
        SetPlayerName(data, u"Аня");
        QVERIFY(SaveScoreFile(data, DataDirectory()));

        InitResources();
        SetUiFeedback(&m_feedback);
        TForm1 main;
        QVERIFY(main.FormCreate());
        main.CreateCompanions();

        QCOMPARE(Game().boards.AreaSize, 12);
        QCOMPARE(main.PaintBox1->width(), 14 * 17);
        QVERIFY(!Game().settings.EnglishUI);
        QCOMPARE(main.Label3->text(), QStringLiteral("English"));
        QCOMPARE(main.SpeedButton4->text(), QStringLiteral("Дневник"));
        QVERIFY(main.Form2->CheckBox1->isChecked());
        QVERIFY(!Game().settings.MusicOn);
        QCOMPARE(main.windowTitle(), QStringLiteral("Tarnwake - игрок Аня"));
        QCOMPARE(main.Form2->Edit1->text(), QStringLiteral("12"));
        QVERIFY(m_feedback.boxes.filter(QStringLiteral("Программная ошибка")).isEmpty());
    }

private:
    test::RecordingFeedback m_feedback;
};

int main(int argc, char *argv[])
{
    // Static, so that it outlives the instance lock inside it.
    static test::IsolatedDirectories directories;
    QApplication app(argc, argv);
    RestoreTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "restore_test.moc"
