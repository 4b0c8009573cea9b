// SPDX-License-Identifier: GPL-3.0-or-later
#include "feedback.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

namespace tw {

namespace {

QMessageBox::StandardButton toStandard(BoxAnswer answer)
{
    switch (answer) {
    case BoxAnswer::Ok:
        return QMessageBox::Ok;
    case BoxAnswer::Cancel:
        return QMessageBox::Cancel;
    case BoxAnswer::Yes:
        return QMessageBox::Yes;
    case BoxAnswer::No:
        return QMessageBox::No;
    }
    return QMessageBox::Ok;
}

// What Escape and the close button answer: the answer that does nothing. A
// box that asks must never be accepted by a player who only wants it gone,
// whichever button Return presses.
BoxAnswer dismissAnswer(BoxButtons buttons)
{
    switch (buttons) {
    case BoxButtons::Ok:
        return BoxAnswer::Ok;
    case BoxButtons::OkCancel:
        return BoxAnswer::Cancel;
    case BoxButtons::YesNo:
        return BoxAnswer::No;
    }
    return BoxAnswer::Cancel;
}

BoxAnswer answerOf(QMessageBox::StandardButton button, BoxAnswer dismissed)
{
    switch (button) {
    case QMessageBox::Ok:
        return BoxAnswer::Ok;
    case QMessageBox::Cancel:
        return BoxAnswer::Cancel;
    case QMessageBox::Yes:
        return BoxAnswer::Yes;
    case QMessageBox::No:
        return BoxAnswer::No;
    default:
        return dismissed;
    }
}

} // namespace

void Feedback::beep()
{
    QApplication::beep();
}

void Feedback::message(QWidget *parent, const QString &text, const QString &caption, BoxIcon icon,
                       BoxButtons buttons, BoxAnswer defaultButton, Answered answered)
{
    auto *box = new QMessageBox(parent);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowTitle(caption);
    box->setText(text);
    switch (icon) {
    case BoxIcon::Information:
        box->setIcon(QMessageBox::Information);
        break;
    case BoxIcon::Question:
        box->setIcon(QMessageBox::Question);
        break;
    case BoxIcon::Exclamation:
        box->setIcon(QMessageBox::Warning);
        break;
    case BoxIcon::Error:
        box->setIcon(QMessageBox::Critical);
        break;
    }
    switch (buttons) {
    case BoxButtons::Ok:
        box->setStandardButtons(QMessageBox::Ok);
        break;
    case BoxButtons::OkCancel:
        box->setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case BoxButtons::YesNo:
        box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    box->setDefaultButton(toStandard(defaultButton));
    const BoxAnswer dismissed = dismissAnswer(buttons);
    // The close button of the title bar clicks the escape button too.
    box->setEscapeButton(toStandard(dismissed));
    // Blocks the game's other windows as a box always did, while the event
    // loop goes on: the peer's packets, the clocks and the sound keep running.
    box->setWindowModality(Qt::ApplicationModal);
    QObject::connect(box, &QMessageBox::finished, box, [box, dismissed, answered] {
        if (answered)
            answered(answerOf(box->standardButton(box->clickedButton()), dismissed));
    });
    box->show();
}

void openDialog(QDialog *dialog, std::function<void()> closed)
{
    dialog->setWindowModality(Qt::ApplicationModal);
    QObject::connect(dialog, &QDialog::finished, dialog, std::move(closed),
                     Qt::SingleShotConnection);
    dialog->show();
}

} // namespace tw
