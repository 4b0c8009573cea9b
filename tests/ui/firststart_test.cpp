// SPDX-License-Identifier: GPL-3.0-or-later
// The language of a start under a Russian desktop: Russian when there is no
// score file yet, the stored setting once there is one. Runs twice, with and
// without a score file (TW_STORED_ENGLISH).
#include "match/gamestate.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"
#include "uitest.h"
#include "util/paths.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

using namespace tw;

class FirstStartTest : public QObject
{
    Q_OBJECT

private slots:
    void languageOfTheStart();

private:
    test::RecordingFeedback m_feedback;
    test::IsolatedDirectories m_directories;
};

void FirstStartTest::languageOfTheStart()
{
    QVERIFY(QLocale::system().uiLanguages().value(0).startsWith(QLatin1String("ru")));
    const bool stored = qEnvironmentVariableIsSet("TW_STORED_ENGLISH");
    if (stored) {
        ScoreBlock data{};
        setDefaultScoreData(data);
        data.englishUi = 1;
        QVERIFY(saveScoreFile(data, dataDirectory()));
    }
    initResources();
    MainWindow main(m_feedback);
    main.restoreSession();
    main.createCompanions();
    QCOMPARE(main.game().settings().englishUi, stored);
    QCOMPARE(test::child<ClickLabel>(&main, "languageToggle")->text(),
             stored ? QStringLiteral("Russian") : QStringLiteral("English"));
}

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    FirstStartTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "firststart_test.moc"
