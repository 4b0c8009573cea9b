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
// every text shown.
class RecordingFeedback : public Feedback
{
public:
    void beep() override { ++beeps; }
    BoxAnswer message(QWidget *, const QString &text, const QString &caption, BoxIcon, BoxButtons,
                      BoxAnswer defaultButton) override
    {
        boxes << caption + QStringLiteral(" | ") + text;
        return answers.isEmpty() ? defaultButton : answers.takeFirst();
    }

    int beeps = 0;
    QStringList boxes;
    QList<BoxAnswer> answers;
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
