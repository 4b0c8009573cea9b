// SPDX-License-Identifier: GPL-3.0-or-later
// The game's message boxes, answered the ways a player answers them: Return
// takes the default button, while Escape and the close button of the title bar
// never accept anything, whatever the default.
#include "ui/feedback.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <optional>

using namespace tw;

namespace {

enum class Gesture
{
    Return,
    Escape,
    Close
};

// Answers the open modal box by gesture, once it is up.
bool answerBox(Gesture gesture)
{
    QWidget *box = nullptr;
    if (!QTest::qWaitFor([&] { return (box = QApplication::activeModalWidget()) != nullptr; }))
        return false;
    switch (gesture) {
    case Gesture::Return:
        QTest::keyClick(box, Qt::Key_Return);
        break;
    case Gesture::Escape:
        QTest::keyClick(box, Qt::Key_Escape);
        break;
    case Gesture::Close:
        box->close(); // what the title bar's close button does
        break;
    }
    return true;
}

} // namespace

Q_DECLARE_METATYPE(Gesture)
Q_DECLARE_METATYPE(BoxButtons)
Q_DECLARE_METATYPE(BoxAnswer)

class FeedbackTest : public QObject
{
    Q_OBJECT
private slots:
    void answers_data()
    {
        QTest::addColumn<BoxButtons>("buttons");
        QTest::addColumn<BoxAnswer>("defaultButton");
        QTest::addColumn<Gesture>("gesture");
        QTest::addColumn<BoxAnswer>("expected");

        // The invitation question (":-D"): Yes is the default.
        QTest::newRow("invitation, Return")
            << BoxButtons::YesNo << BoxAnswer::Yes << Gesture::Return << BoxAnswer::Yes;
        QTest::newRow("invitation, Escape")
            << BoxButtons::YesNo << BoxAnswer::Yes << Gesture::Escape << BoxAnswer::No;
        QTest::newRow("invitation, closed")
            << BoxButtons::YesNo << BoxAnswer::Yes << Gesture::Close << BoxAnswer::No;
        // A Yes/No box whose default is No.
        QTest::newRow("yes/no default no, Escape")
            << BoxButtons::YesNo << BoxAnswer::No << Gesture::Escape << BoxAnswer::No;
        // OK/Cancel with OK as the default, and the abort and remove-players
        // questions (":-?"), whose default is Cancel.
        QTest::newRow("ok default, Return")
            << BoxButtons::OkCancel << BoxAnswer::Ok << Gesture::Return << BoxAnswer::Ok;
        QTest::newRow("ok default, Escape")
            << BoxButtons::OkCancel << BoxAnswer::Ok << Gesture::Escape << BoxAnswer::Cancel;
        QTest::newRow("ok default, closed")
            << BoxButtons::OkCancel << BoxAnswer::Ok << Gesture::Close << BoxAnswer::Cancel;
        QTest::newRow("abort question, Return")
            << BoxButtons::OkCancel << BoxAnswer::Cancel << Gesture::Return << BoxAnswer::Cancel;
        QTest::newRow("abort question, closed")
            << BoxButtons::OkCancel << BoxAnswer::Cancel << Gesture::Close << BoxAnswer::Cancel;
        // A notice with OK alone is simply dismissed.
        QTest::newRow("notice, Escape")
            << BoxButtons::Ok << BoxAnswer::Ok << Gesture::Escape << BoxAnswer::Ok;
        QTest::newRow("notice, closed")
            << BoxButtons::Ok << BoxAnswer::Ok << Gesture::Close << BoxAnswer::Ok;
    }

    void answers()
    {
        QFETCH(BoxButtons, buttons);
        QFETCH(BoxAnswer, defaultButton);
        QFETCH(Gesture, gesture);
        QFETCH(BoxAnswer, expected);
        Feedback platform;
        std::optional<BoxAnswer> answer;
        // The box opens and the call returns; the answer comes with the
        // gesture, from the application's own loop.
        platform.message(nullptr, QStringLiteral("Do you want to start game?"),
                         QStringLiteral(":-D"), BoxIcon::Question, buttons, defaultButton,
                         [&answer](BoxAnswer given) { answer = given; });
        QVERIFY(!answer);
        QVERIFY(answerBox(gesture));
        QVERIFY(QTest::qWaitFor([&answer] { return answer.has_value(); }));
        QCOMPARE(*answer, expected);
        QVERIFY(QTest::qWaitFor([] { return QApplication::activeModalWidget() == nullptr; }));
    }
};

QTEST_MAIN(FeedbackTest)
#include "feedback_test.moc"
