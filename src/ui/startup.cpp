// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's start-up and shutdown: the instance check and the stored
// session, the companion windows made in order, and the ways the program ends
// (the close button, signals, the session manager) with the records saved once.
#include "mainwindow.h"
#include "match/session.h"
#include "model/shiptypes.h"
#include "pictures.h"
#include "util/instance.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLocale>

namespace tw {

bool MainWindow::initialize()
{
    if (isAnotherInstance(QStringLiteral("Tarnwake")))
        return false;
    m_random.seedFromClock();
    checkShipTypes(ShipTypes, [this](const std::string &text, const std::string &caption) {
        m_feedback.message(nullptr, QString::fromStdString(text), QString::fromStdString(caption),
                           BoxIcon::Error, BoxButtons::Ok, BoxAnswer::Ok);
    });
    m_game.boards.selectedShipType = 1;
    m_game.boards.rotation = 0;
    m_game.match.gameInProgress = false;
    // A first start speaks the desktop's language; afterwards the stored
    // setting rules.
    if (!loadSession(m_game))
        m_game.settings.englishUi = prefersEnglish(QLocale::system().uiLanguages());
    m_game.match.endRemark.clear();
    m_game.modalBusy = false;
    return true;
}

void MainWindow::createCompanions()
{
    makeCompanions();
    finishStartup();
}

void MainWindow::makeCompanions()
{
    m_editorWindow = new EditorWindow(m_game, this);
    m_playersDialog = new PlayersDialog(m_game, m_feedback, this);
    m_statisticsDialog = new StatisticsDialog(m_game, this);
    m_aboutDialog = new AboutDialog(this);
    m_gameLogWindow = new GameLogWindow(m_game.settings, this);
    m_waitingDialog = new WaitingDialog(m_game.settings, this);
    m_chatWindow = new ChatWindow(this);
    m_generatingPanel->setCovered({this, m_editorWindow});
    connect(m_editorWindow, &EditorWindow::fleetCleared, this, [this] {
        clearBoard(m_game.boards.ownBoard, m_game.boards.placedFleet);
        paintOwnBoard();
    });
    connect(m_chatWindow, &ChatWindow::sendRequested, m_net, &NetworkController::chatSend);
    m_net->attachWindows(
        {this, m_editorWindow, m_chatWindow, m_waitingDialog, m_ownBoard, m_opponentBoard});
    connect(m_editorWindow, &EditorWindow::generateRequested, this, &MainWindow::generateOwnFleet);
    connect(m_editorWindow, &EditorWindow::changeAreaRequested, this, [this] {
        const BoardState &b = m_game.boards;
        if (b.pendingAreaSize != b.areaSize)
            applyAreaSize(b.pendingAreaSize);
    });
    setUpKeyboard();
}

void MainWindow::finishStartup()
{
    m_game.agreement.phase = AgreementPhase::None;
    if (!m_audio->extractMusic())
        m_feedback.message(this, QStringLiteral("Sound system init error"), QStringLiteral(":-("),
                           BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok);
    m_controlPanel->showSwitches(m_game.settings);
    m_controlPanel->fitScoreCounter();

    m_editorWindow->setSaveLog(m_game.settings.saveLog);
    m_editorWindow->setPort(QStringLiteral("8170"));
    m_net->startServer();

    applyAreaSize(m_game.boards.areaSize);
    applyModeLayout();
    applyLanguage();
    m_chatWindow->show();
    show();
    m_turnTimer->start();
    m_indicatorTimer->start();
}

bool MainWindow::canClose()
{
    return !m_game.match.gameInProgress;
}

void MainWindow::shutDown()
{
    m_audio->stopMusic();
    m_audio->deleteMusicFiles();
    saveSession(m_game);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!canClose()) {
        event->ignore();
        return;
    }
    event->accept();
    shutDown();
}

void MainWindow::endProgram()
{
    if (!m_closing) {
        m_closing = true;
        // No tick may end a match, and count it, after the records are saved.
        m_turnTimer->stop();
        m_indicatorTimer->stop();
        shutDown();
    }
    // exit(), not quit(): quit() first asks every window to close, and the
    // companion windows refuse. exit() also ends the loops of open boxes.
    QCoreApplication::exit(0);
}

void MainWindow::saveRecords()
{
    // After the shutdown the file holds the run as it ended; nothing later
    // is added.
    if (!m_closing)
        saveSession(m_game);
}

} // namespace tw
