#pragma once

// Helpers for tests that run the real windows headless.

#include "ui/feedback.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

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

} // namespace tw::test
