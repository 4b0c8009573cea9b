// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>

class QWidget;

namespace tw {

// Keeps the companion windows (the top-level children of the main window:
// editor, game log, chat) with the main window, whatever the window manager
// does with secondary windows: minimizing the main window minimizes those
// that are open, restoring it restores them. They are minimized, not hidden,
// so that the game may still open and close them meanwhile (a match that
// ends while minimized closes the game log): a window closed meanwhile stays
// closed. Modal dialogs are left alone. Install once, on the main window.
class WindowFamily : public QObject
{
    Q_OBJECT

public:
    explicit WindowFamily(QWidget *mainWindow);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void minimizeCompanions();
    void restoreCompanions();

    QWidget *m_mainWindow;
    QList<QPointer<QWidget>> m_minimized;
};

// Brings the main window back from the taskbar and in front of the others,
// as a second start of the game asks for.
void bringForward(QWidget *mainWindow);

} // namespace tw
