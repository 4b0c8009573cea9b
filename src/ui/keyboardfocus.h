// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>

class QWidget;

namespace tw {

// Where the keyboard goes. Tab walks the widgets in the order given. Return
// and Enter press a focused button or switch, as Space does. The main
// window keeps a focus of its own when nothing else has it: there typed
// keys go to the chat line, and Qt would otherwise hand the focus to the
// first button whenever the window is activated. The log window, shown at
// Start, leaves the keyboard with the boards.
class KeyboardFocus : public QObject
{
public:
    // Takes the buttons of the windows given. Precondition: every window
    // outlives this object, the main window's child.
    KeyboardFocus(QWidget *mainWindow, QWidget *logWindow, const QList<QWidget *> &withButtons,
                  const QList<QWidget *> &tabOrder);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_main;
    QWidget *m_log;
};

} // namespace tw
