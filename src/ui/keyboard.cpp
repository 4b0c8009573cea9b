// SPDX-License-Identifier: GPL-3.0-or-later
// Playing from the keyboard and being read by assistive technology: focus
// and tab order, Return on buttons, and the accessible names of the boards
// (the rest is the control column's and the boards' own).
#include "accessibility.h"
#include "mainwindow.h"
#include "match/gamestate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>

namespace tw {

namespace {

// Return and Enter press a focused button or switch, as Space does. The main
// window also keeps a focus of its own when nothing else has it: there typed
// keys go to the chat line, and Qt would otherwise hand the focus to the first
// button whenever the window is activated.
class KeyboardFilter : public QObject
{
public:
    KeyboardFilter(QWidget *mainWindow, QWidget *logWindow)
        : QObject(mainWindow), m_main(mainWindow), m_log(logWindow)
    {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_main && event->type() == QEvent::WindowActivate) {
            if (!m_main->focusWidget())
                m_main->setFocus(Qt::ActiveWindowFocusReason);
            return false;
        }
        if (watched == m_log && event->type() == QEvent::Show &&
            QApplication::activeWindow() == m_main) {
            // The log window appears at Start; the keyboard stays with the
            // boards (some platforms activate every window they show).
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

private:
    QWidget *m_main;
    QWidget *m_log;
};

} // namespace

void MainWindow::setUpKeyboard()
{
    installAccessibleFactories();
    auto *filter = new KeyboardFilter(this, m_gameLogWindow);
    installEventFilter(filter);
    m_gameLogWindow->installEventFilter(filter);
    setFocusPolicy(Qt::TabFocus);
    for (QAbstractButton *button : findChildren<QAbstractButton *>())
        button->installEventFilter(filter);
    for (QAbstractButton *button : m_editorWindow->findChildren<QAbstractButton *>())
        button->installEventFilter(filter);

    // The control column top to bottom, then the own board and the opponent's.
    QList<QWidget *> order = m_controlPanel->tabOrder();
    order << m_ownBoard << m_opponentBoard;
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // After the switches' own handlers: their new state is read at once.
    for (auto clicked :
         {&ControlPanel::musicClicked, &ControlPanel::soundClicked, &ControlPanel::languageClicked})
        connect(m_controlPanel, clicked, this, &MainWindow::updateAccessibleTexts);
    m_gameLogWindow->setAttribute(Qt::WA_ShowWithoutActivating);

    setFocus();
}

void MainWindow::updateAccessibleTexts()
{
    updateAccessibleName(m_ownBoard, localized(m_game.settings, "Your board", "Ваше поле"));
    updateAccessibleName(m_opponentBoard,
                         localized(m_game.settings, "Opponent's board", "Поле противника"));
    m_controlPanel->updateAccessibleTexts(m_game.settings, m_game.match);
    m_editorWindow->updateAccessibleTexts();
}

} // namespace tw
