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
            hideCompanions();
        else if (wasMinimized && !isMinimized)
            showCompanions();
    }
    return QObject::eventFilter(watched, event);
}

void WindowFamily::hideCompanions()
{
    const auto children = m_mainWindow->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
    for (QWidget *child : children) {
        if (child->isWindow() && child->isVisible() && !child->isModal()) {
            m_hidden.append(child);
            child->hide();
        }
    }
}

void WindowFamily::showCompanions()
{
    const QList<QPointer<QWidget>> hidden = std::exchange(m_hidden, {});
    for (const QPointer<QWidget> &window : hidden) {
        if (window)
            window->show();
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
