// TEMPORARY probe: game-like exit after an effect and music.
#include "match/gamestate.h"
#include "ui/game.h"
#include "ui/mainwindow.h"
#include "../ui/uitest.h"
#include <QApplication>
#include <QTest>
using namespace tw;
int main(int argc, char *argv[])
{
    test::IsolatedDirectories directories;
    QApplication app(argc, argv);
    InitResources();
    test::RecordingFeedback feedback;
    SetUiFeedback(&feedback);
    int rc = 0;
    {
        TForm1 main;
        if (!main.FormCreate()) return 2;
        main.CreateCompanions();
        QTest::qWait(qEnvironmentVariableIntValue("PROBE_WAIT1"));
        main.Label2Click();
        main.Label2Click();
        QTest::qWait(qEnvironmentVariableIntValue("PROBE_WAIT2"));
        main.close();
    }
    return rc;
}
