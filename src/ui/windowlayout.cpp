// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's layout: the area size sets the size of both boards and
// where the companion windows stand; the mode (editing or a match) sets which
// of them show.
#include "mainwindow.h"
#include "match/gamestate.h"
#include "pictures.h"

#include <QGuiApplication>
#include <QScreen>

namespace tw {

namespace {

constexpr int W = Pictures::W;
constexpr int H = Pictures::H;

} // namespace

void MainWindow::applyAreaSize(int n)
{
    BoardState &b = m_game.boards;
    b.areaSize = static_cast<std::uint8_t>(n);
    b.pendingAreaSize = static_cast<std::uint8_t>(n);
    m_editorWindow->showAreaSize(n);
    clearBoard(b.ownBoard, b.placedFleet);
    clearBoard(b.opponentBoard);
    m_ownBoard->setCellCount(n);
    m_opponentBoard->setCellCount(n);

    m_ownBoard->resize(W * (n + 2), W * (n + 2));
    m_ownBoardFrame->resize(m_ownBoard->width() + 2 * m_ownBoard->x(),
                            m_ownBoard->height() + m_ownBoard->y() + m_ownBoard->x());
    m_opponentBoard->resize(m_ownBoard->size());
    m_opponentBoardFrame->resize(m_ownBoardFrame->size());
    m_ownBoardFrame->move(m_controlPanel->width(), 0);
    m_opponentBoardFrame->move(m_ownBoardFrame->x() + m_ownBoardFrame->width(), 0);

    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const int clientWidth = 2 * m_ownBoardFrame->width() + m_controlPanel->width();
    const int clientHeight = std::max(m_controlPanel->height(), m_ownBoardFrame->height());
    setFixedSize(clientWidth, clientHeight);
    tw::centerOnScreen(this);
    m_generatingPanel->move((clientWidth - m_generatingPanel->width()) / 2,
                            (clientHeight - m_generatingPanel->height()) / 2);

    // The frame adds to the client size once the window manager has decorated
    // the window; before that both are the same.
    const int frameExtra = frameGeometry().height() - height();
    const int editorHeight = m_editorWindow->frameGeometry().height();
    const int top = screen.y() + screen.height() - (clientHeight + frameExtra) - editorHeight - 32;
    move(x(), top);
    const QRect mainFrame(x(), top, clientWidth + frameGeometry().width() - width(),
                          clientHeight + frameExtra);

    m_editorWindow->move(mainFrame.left(), mainFrame.bottom() + 1);
    m_gameLogWindow->setGeometry(m_editorWindow->geometry());
    const int chatTop = mainFrame.bottom() + 1;
    m_chatWindow->move(mainFrame.left() + m_editorWindow->frameGeometry().width(), chatTop);
    m_chatWindow->resize(
        std::max(100, mainFrame.width() - m_editorWindow->frameGeometry().width()),
        std::max(60, screen.y() + screen.height() - chatTop - 32 -
                         (m_chatWindow->frameGeometry().height() - m_chatWindow->height())));

    paintOwnBoard();
    paintOpponentBoard();
    sendUserInfoIfIdle();
}

void MainWindow::applyModeLayout()
{
    if (m_game.match.gameInProgress) {
        m_boardPlay->forgetAim();
        m_editorWindow->hide();
        m_gameLogWindow->clear();
        m_gameLogWindow->show();
        m_controlPanel->releasePause();
        m_turnTimer->setInterval(1000);
    } else {
        m_editorWindow->show();
        m_gameLogWindow->hide();
        m_controlPanel->releasePause();
        m_controlPanel->showIdle();
        m_turnTimer->setInterval(1000);
        updateTitle();
    }
    playModeMusic();
}

} // namespace tw
