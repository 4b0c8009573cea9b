// SPDX-License-Identifier: GPL-3.0-or-later
// The game log window.
#include "gamelogwindow.h"

#include "match/gamestate.h"

#include <QCloseEvent>
#include <QEvent>
#include <QVBoxLayout>

namespace tw {

GameLogWindow::GameLogWindow(const Settings &settings, QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      m_settings(settings)
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

void GameLogWindow::appendLine(const QString &line)
{
    m_logView->appendPlainText(line);
}

void GameLogWindow::clear()
{
    m_logView->clear();
}

void GameLogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void GameLogWindow::retranslate()
{
    setWindowTitle(catalogueOf(m_settings).translate("GameLogWindow", "Game log"));
}

void GameLogWindow::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QWidget::changeEvent(event);
}

} // namespace tw
