// SPDX-License-Identifier: GPL-3.0-or-later
#include "windowfamily.h"

#include <QEvent>
#include <QWidget>
#include <QWindowStateChangeEvent>

namespace tw {

WindowFamily::WindowFamily(QWidget *mainWindow) : QObject(mainWindow), m_mainWindow(mainWindow)
{
    mainWindow->installEventFilter(this);
}

bool WindowFamily::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_mainWindow && event->type() == QEvent::WindowStateChange) {
        const auto *change = static_cast<QWindowStateChangeEvent *>(event);
        const bool wasMinimized = change->oldState().testFlag(Qt::WindowMinimized);
        const bool isMinimized = m_mainWindow->isMinimized();
        if (isMinimized && !wasMinimized)
            minimizeCompanions();
        else if (wasMinimized && !isMinimized)
            restoreCompanions();
    }
    return QObject::eventFilter(watched, event);
}

void WindowFamily::minimizeCompanions()
{
    const auto children = m_mainWindow->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow() && child->isVisible() && !child->isModal() && !child->isMinimized()) {
            m_minimized.append(child);
            child->setWindowState(child->windowState() | Qt::WindowMinimized);
        }
    }
}

void WindowFamily::restoreCompanions()
{
    const QList<QPointer<QWidget>> minimized = std::exchange(m_minimized, {});
    for (const QPointer<QWidget> &window : minimized) {
        // Also for one closed meanwhile, so that it opens normally next time.
        if (window)
            window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    }
}

void bringForward(QWidget *mainWindow)
{
    mainWindow->setWindowState((mainWindow->windowState() & ~Qt::WindowMinimized) |
                               Qt::WindowActive);
    mainWindow->show();
    mainWindow->raise();
    mainWindow->activateWindow();
}

} // namespace tw
