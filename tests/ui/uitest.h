// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers for tests that run the real windows headless.

#include "ui/feedback.h"
#include "ui/mainwindow.h"
#include "ui/resources.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace tw::test {

// Counts beeps and answers message boxes with a scripted answer, remembering
// every text shown; or, while realBoxes is set, shows the platform's own boxes
// for the test to answer on screen, unrecorded.
class RecordingFeedback : public Feedback
{
public:
    void beep() override { ++beeps; }
    BoxAnswer message(QWidget *parent, const QString &text, const QString &caption, BoxIcon icon,
                      BoxButtons buttons, BoxAnswer defaultButton) override
    {
        if (realBoxes)
            return Feedback::message(parent, text, caption, icon, buttons, defaultButton);
        boxes << caption + QStringLiteral(" | ") + text;
        return answers.isEmpty() ? defaultButton : answers.takeFirst();
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

// The main window and its companions as the program's start-up makes them,
// speaking through `feedback`, once the main window shows. With
// `tickByHand` the turn timer is stopped: the test runs the ticks itself.
// Null when the start-up refused (another copy runs) or nothing showed.
inline MainWindow *startMainWindow(Feedback &feedback, bool tickByHand)
{
    initResources();
    auto *main = new MainWindow(&feedback);
    if (!main->initialize()) {
        delete main;
        return nullptr;
    }
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
