// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "audio/devices.h"
#include "feedback.h"
#include "match/gamestate.h"
#include "match/session.h"
#include "model/shiptypes.h"
#include "pictures.h"
#include "records/players.h"
#include "util/instance.h"
#include "util/paths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QScrollBar>

namespace tw {

MainWindow::MainWindow(Feedback *feedback, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_feedback(feedback ? *feedback : m_platformFeedback)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Tarnwake"));
    QIcon icon(QStringLiteral(":/images/tarnwake.png"));
    icon.addFile(QStringLiteral(":/images/tarnwake-256.png"));
    setWindowIcon(icon);
    resize(536, 348);

    m_controlPanel = new ControlPanel(this);

    m_ownBoardFrame = place<QGroupBox>(this, "ownBoardFrame", {112, 24, 212, 224});
    setTextColor(m_ownBoardFrame, Qt::blue);
    m_ownBoard = place<BoardView>(m_ownBoardFrame, "ownBoard", {4, 16, 204, 204});
    m_opponentBoardFrame = place<QGroupBox>(this, "opponentBoardFrame", {260, 28, 212, 224});
    setTextColor(m_opponentBoardFrame, Qt::red);
    m_opponentBoard = place<BoardView>(m_opponentBoardFrame, "opponentBoard", {4, 16, 204, 204});
    m_ownBoard->setBoard(m_game, BoardView::Role::OwnBoard);
    m_opponentBoard->setBoard(m_game, BoardView::Role::OpponentBoard);

    m_generatingPanel = new GeneratingPanel(m_game, m_random, this);

    m_turnTimer = new QTimer(this);
    m_turnTimer->setObjectName(QStringLiteral("turnTimer"));
    m_turnTimer->setInterval(1000);
    m_indicatorTimer = new QTimer(this);
    m_indicatorTimer->setObjectName(QStringLiteral("indicatorTimer"));
    m_indicatorTimer->setInterval(110);

    m_musicDevice = makeMusicDevice();
    m_soundDevice = makeSoundDevice();
    m_audio = std::make_unique<Audio>(m_game.settings, *m_musicDevice, *m_soundDevice, m_random);
    m_audio->setMusicDirectory(systemDirectory());
    m_log.setPath(GameLog::filePathIn(dataDirectory()));
    m_net = new NetworkController(m_game, m_random, m_feedback, *m_audio, this);
    connect(&m_net->play(), &NetPlay::invitationAccepted, this, &MainWindow::startMatch);
    connect(&m_net->play(), &NetPlay::opponentCaptionChanged, m_opponentBoardFrame,
            &QGroupBox::setTitle);
    connect(&m_net->play(), &NetPlay::opponentBoardChanged, this, &MainWindow::paintOpponentBoard);
    m_matchController =
        std::make_unique<MatchController>(m_game, m_random, m_feedback, *m_audio, m_net->play(),
                                          m_log, m_clock, *m_generatingPanel, this);
    connectMatch();

    m_boardPlay = new BoardPlay(m_game, match(), m_feedback, m_ownBoard, m_opponentBoard, this);
    connect(m_controlPanel, &ControlPanel::startClicked, this, &MainWindow::startMatch);
    connect(m_controlPanel, &ControlPanel::abortClicked, this, &MainWindow::abortMatch);
    connect(m_controlPanel, &ControlPanel::pauseClicked, this, &MainWindow::togglePause);
    connect(m_controlPanel, &ControlPanel::musicClicked, this, &MainWindow::toggleMusic);
    connect(m_controlPanel, &ControlPanel::soundClicked, this, &MainWindow::toggleSound);
    connect(m_controlPanel, &ControlPanel::languageClicked, this, &MainWindow::toggleLanguage);
    connect(m_controlPanel, &ControlPanel::playerClicked, this, &MainWindow::choosePlayer);
    connect(m_controlPanel, &ControlPanel::scoresClicked, this, &MainWindow::showScores);
    connect(m_controlPanel, &ControlPanel::aboutClicked, this, &MainWindow::showAbout);
    connect(m_turnTimer, &QTimer::timeout, this, &MainWindow::onTurnTick);
    connect(m_indicatorTimer, &QTimer::timeout, this, &MainWindow::onIndicatorTick);
}

MainWindow::~MainWindow()
{
    // The network controller and the other windows hold references to the
    // state owned here, which dies before QWidget deletes the children: they
    // go first, while it is alive (a closing link still reports its status).
    delete m_net;
    const QList<QWidget *> companions = {m_editorWindow, m_playersDialog, m_statisticsDialog,
                                         m_aboutDialog,  m_gameLogWindow, m_waitingDialog,
                                         m_chatWindow};
    qDeleteAll(companions);
}

void MainWindow::paintOwnBoard()
{
    m_ownBoard->repaintBoard();
}

void MainWindow::paintOpponentBoard()
{
    m_opponentBoard->repaintBoard();
}

void MainWindow::generateOwnFleet()
{
    m_game.modalBusy = true;
    m_generatingPanel->generate(m_game.boards.ownBoard, m_game.boards.placedFleet);
    paintOwnBoard();
    m_game.modalBusy = false;
}

void MainWindow::playModeMusic()
{
    m_audio->playMusic(m_audio->pickTrack(m_game.match.gameInProgress));
}

bool MainWindow::peerConnected()
{
    return m_net->peerConnected();
}

void MainWindow::sendUserInfoIfIdle()
{
    m_net->sendUserInfoIfIdle();
}

void MainWindow::applyLanguage()
{
    m_controlPanel->retranslate(m_game.settings);
    if (!m_game.match.gameInProgress) {
        m_ownBoardFrame->setTitle(localized(m_game.settings, " User ", " Пользователь "));
        m_opponentBoardFrame->setTitle(localized(m_game.settings, " Computer ", " Компьютер "));
    }

    m_editorWindow->retranslate();
    m_playersDialog->retranslate();
    m_statisticsDialog->retranslate();
    m_gameLogWindow->retranslate();
    m_waitingDialog->retranslate();
    updateTitle();
    m_controlPanel->applyShortcuts(m_game.settings.englishUi);
    updateAccessibleTexts();
}

void MainWindow::updateTitle()
{
    const QString &name = m_game.settings.playerName;
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("Tarnwake"));
    else
        setWindowTitle(localized(m_game.settings, "Tarnwake - player ", "Tarnwake - игрок ") +
                       name);
}

void MainWindow::toggleMusic()
{
    Settings &s = m_game.settings;
    s.musicOn = !s.musicOn;
    m_controlPanel->showSwitches(s);
    if (s.musicOn)
        playModeMusic();
    else
        m_audio->stopMusic();
}

void MainWindow::toggleSound()
{
    Settings &s = m_game.settings;
    s.soundOn = !s.soundOn;
    m_controlPanel->showSwitches(s);
    if (s.soundOn)
        m_audio->playSound(QStringLiteral("wrong3"));
}

void MainWindow::toggleLanguage()
{
    Settings &s = m_game.settings;
    s.englishUi = !s.englishUi;
    applyLanguage();
}

void MainWindow::choosePlayer()
{
    if (m_game.match.gameInProgress)
        return;
    m_game.modalBusy = true;
    m_playersDialog->setName(m_game.settings.playerName);
    m_playersDialog->fillPlayerList();
    tw::centerOnScreen(m_playersDialog);
    m_playersDialog->exec();
    m_game.settings.playerName = normalizedPlayerName(m_playersDialog->name());
    sendUserInfoIfIdle();
    updateTitle();
    m_game.modalBusy = false;
}

void MainWindow::showScores()
{
    m_game.modalBusy = true;
    m_audio->playSound(QStringLiteral("gong"));
    tw::centerOnScreen(m_statisticsDialog);
    m_statisticsDialog->exec();
    m_game.modalBusy = false;
}

void MainWindow::showAbout()
{
    m_game.modalBusy = true;
    m_audio->playMusic(QStringLiteral("logo"));
    tw::centerOnScreen(m_aboutDialog);
    m_aboutDialog->exec();
    playModeMusic();
    m_game.modalBusy = false;
}

void MainWindow::onTurnTick()
{
    m_audio->musicUpkeep(m_game.match.gameInProgress);
    match().tick();
}

void MainWindow::onIndicatorTick()
{
    const MatchState &m = m_game.match;
    if (m.gameInProgress)
        m_controlPanel->showTurn(m.playerTurn);
    m_net->sendAim(m_boardPlay->aimedCell());
    m_controlPanel->stepScore(m.gameScore);
    updateAccessibleTexts();
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_net->chatSend();
    } else if (event->key() == Qt::Key_Backspace) {
        m_chatWindow->eraseLastInput();
    } else {
        // Typed characters, control characters aside, join the chat line.
        QString typed = event->text();
        typed.removeIf([](QChar c) { return c.unicode() < 32; });
        if (!typed.isEmpty())
            m_chatWindow->appendToInput(typed);
    }
    QWidget::keyPressEvent(event);
}

} // namespace tw
