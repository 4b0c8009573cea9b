// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for tests that run the real windows headless.

// The windows the tests look into, found by their object names.
#include "match/match.h"
#include "ui/aboutdialog.h"
#include "ui/boardplay.h"
#include "ui/boardview.h"
#include "ui/chatwindow.h"
#include "ui/controlactions.h"
#include "ui/controlpanel.h"
#include "ui/editorwindow.h"
#include "ui/feedback.h"
#include "ui/gamelogwindow.h"
#include "ui/mainwindow.h"
#include "ui/network.h"
#include "ui/playersdialog.h"
#include "ui/resources.h"
#include "ui/statisticsdialog.h"
#include "ui/waitingdialog.h"
#include "ui/widgets.h"

#include <QApplication>
#include <QByteArray>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace tw::test {

// Counts beeps and answers message boxes at once with a scripted answer,
// remembering every text shown; or, while realBoxes is set, opens the
// platform's own boxes for the test to answer on screen, unrecorded.
class RecordingFeedback : public Feedback
{
public:
    void beep() override { ++beeps; }
    void message(QWidget *parent, const QString &text, const QString &caption, BoxIcon icon,
                 BoxButtons buttons, BoxAnswer defaultButton, Answered answered) override
    {
        if (realBoxes) {
            Feedback::message(parent, text, caption, icon, buttons, defaultButton,
                              std::move(answered));
            return;
        }
        boxes << caption + QStringLiteral(" | ") + text;
        const BoxAnswer answer = answers.isEmpty() ? defaultButton : answers.takeFirst();
        if (answered)
            answered(answer);
    }

    int beeps = 0;
    QStringList boxes;
    QList<BoxAnswer> answers;
    bool realBoxes = false;
};

// Private data and runtime directories for one test process, set before the
// game looks for its files.
struct IsolatedDirectories
{
    QTemporaryDir data;
    QTemporaryDir runtime;

    IsolatedDirectories()
    {
        qputenv("TARNWAKE_DATA_DIR", data.path().toLocal8Bit());
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        QFile::setPermissions(runtime.path(),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

// A widget of a window found by its object name, as a user's tool finds it
// (the window's own widgets are private).
template <typename T>
T *child(const QObject *window, const char *name)
{
    return window->findChild<T *>(QString::fromLatin1(name));
}

// The main window's parts, each its only one.
inline BoardPlay &boardPlayOf(QWidget *main)
{
    return *main->findChild<BoardPlay *>();
}
inline ControlActions &actionsOf(QWidget *main)
{
    return *main->findChild<ControlActions *>();
}
inline NetworkController &networkOf(QWidget *main)
{
    return *main->findChild<NetworkController *>();
}

// The main window and its companions as the program's start-up makes them,
// speaking through `feedback`, once the main window shows. With
// `tickByHand` the turn timer is stopped: the test runs the ticks itself.
// Null when nothing showed.
inline MainWindow *startMainWindow(Feedback &feedback, bool tickByHand)
{
    initResources();
    auto *main = new MainWindow(feedback);
    main->restoreSession();
    main->createCompanions();
    if (!QTest::qWaitForWindowExposed(main)) {
        delete main;
        return nullptr;
    }
    if (tickByHand)
        main->findChild<QTimer *>(QStringLiteral("turnTimer"))->stop();
    return main;
}

// Runs a QtTest class of window tests silent, in directories of its own.
template <typename Test>
int runWindowTest(int argc, char **argv)
{
    // Static, so that it outlives the instance lock inside it.
    static IsolatedDirectories directories;
    qputenv("TARNWAKE_SILENT", "1");
    QApplication app(argc, argv);
    Test test;
    return QTest::qExec(&test, argc, argv);
}

} // namespace tw::test
