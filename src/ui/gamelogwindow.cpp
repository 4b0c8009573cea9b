// The game log window.
#include "gamelogwindow.h"

#include "match/gamestate.h"

#include <QCloseEvent>
#include <QVBoxLayout>

namespace tw {

GameLogWindow::GameLogWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("GameLogWindow"));
    resize(544, 164);
    m_logView = new QPlainTextEdit(this);
    m_logView->setObjectName(QStringLiteral("logView"));
    m_logView->setReadOnly(true);
    m_logView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_logView);
}

void GameLogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void GameLogWindow::retranslate()
{
    setWindowTitle(localized("Game log", "Ход игры"));
}

} // namespace tw
