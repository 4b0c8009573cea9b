// SPDX-License-Identifier: GPL-3.0-or-later
#include "keyboardfocus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWidget>

namespace tw {

KeyboardFocus::KeyboardFocus(QWidget *mainWindow, QWidget *logWindow,
                             const QList<QWidget *> &withButtons, const QList<QWidget *> &tabOrder)
    : QObject(mainWindow), m_main(mainWindow), m_log(logWindow)
{
    m_main->installEventFilter(this);
    m_main->setFocusPolicy(Qt::TabFocus);
    m_log->installEventFilter(this);
    m_log->setAttribute(Qt::WA_ShowWithoutActivating);
    for (QWidget *window : withButtons)
        for (QAbstractButton *button : window->findChildren<QAbstractButton *>())
            button->installEventFilter(this);
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

bool KeyboardFocus::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_main && event->type() == QEvent::WindowActivate) {
        if (!m_main->focusWidget())
            m_main->setFocus(Qt::ActiveWindowFocusReason);
        return false;
    }
    if (watched == m_log && event->type() == QEvent::Show &&
        QApplication::activeWindow() == m_main) {
        // Some platforms activate every window they show.
        QTimer::singleShot(0, m_main, [main = m_main] { main->activateWindow(); });
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *button = qobject_cast<QAbstractButton *>(watched);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (!button || !button->hasFocus() ||
        (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter))
        return false;
    if (!key->isAutoRepeat())
        button->click();
    return true;
}

} // namespace tw
