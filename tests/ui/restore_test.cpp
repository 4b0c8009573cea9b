// SPDX-License-Identifier: GPL-3.0-or-later
// A score file written by an earlier run gives back its settings.
#include "match/gamestate.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
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
        ScoreBlock data{};
        setDefaultScoreData(data);
        data.areaSize = 12;
        data.englishUi = 0;
        data.saveLog = 1;
        data.musicOn = 0;
        setPlayerName(data, u"Аня");
        QVERIFY(saveScoreFile(data, dataDirectory()));

        initResources();
        MainWindow main(m_feedback);
        main.restoreSession();
        main.createCompanions();

        QCOMPARE(main.game().boards().areaSize, 12);
        QCOMPARE(test::child<BoardView>(&main, "ownBoard")->width(), 14 * 17);
        QVERIFY(!main.game().settings().englishUi);
        QCOMPARE(test::child<ClickLabel>(&main, "languageToggle")->text(),
                 QStringLiteral("English"));
        QCOMPARE(test::child<QToolButton>(&main, "scoresButton")->text(),
                 QStringLiteral("Дневник"));
        QVERIFY(
            test::child<QCheckBox>(test::child<EditorWindow>(&main, "EditorWindow"), "saveLogCheck")
                ->isChecked());
        QVERIFY(!main.game().settings().musicOn);
        QCOMPARE(main.windowTitle(), QStringLiteral("Tarnwake - игрок Аня"));
        QCOMPARE(
            test::child<QLineEdit>(test::child<EditorWindow>(&main, "EditorWindow"), "areaSizeEdit")
                ->text(),
            QStringLiteral("12"));
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
