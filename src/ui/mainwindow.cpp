// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow.h"

#include "aboutdialog.h"
#include "accessibility.h"
#include "audio/devices.h"
#include "boardplay.h"
#include "boardview.h"
#include "chatwindow.h"
#include "controlactions.h"
#include "controlpanel.h"
#include "editorwindow.h"
#include "gamelogwindow.h"
#include "generatingpanel.h"
#include "keyboardfocus.h"
#include "match/session.h"
#include "net/peeraddress.h"
#include "network.h"
#include "playersdialog.h"
#include "statisticsdialog.h"
#include "util/paths.h"
#include "waitingdialog.h"
#include "widgets.h"
#include "windowplacement.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLocale>
#include <QTimer>

namespace tw {

MainWindow::MainWindow(Feedback &feedback, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_feedback(feedback)
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
    m_audio = std::make_unique<Audio>(m_game.settings(), *m_musicDevice, *m_soundDevice, m_random);
    m_audio->setMusicDirectory(systemDirectory());
    m_log.setPath(GameLog::filePathIn(dataDirectory()));
    m_net = new NetworkController(m_game, m_random, m_feedback, *m_audio, this);
    m_matchController =
        std::make_unique<MatchController>(m_game, m_random, m_feedback, *m_audio, m_net->play(),
                                          m_log, m_clock, *m_generatingPanel, this);
    // The match's side of the window: its layout, the records it counts, and
    // its end; the rest of what it shows is its controller's.
    Match *theMatch = &match();
    connect(theMatch, &Match::modeChanged, this, &MainWindow::applyModeLayout);
    connect(theMatch, &Match::idleTick, m_net, &NetworkController::showConnectionState);
    connect(theMatch, &Match::resultCounted, this, &MainWindow::saveRecords);
    connect(&m_net->play(), &NetPlay::invitationAccepted, theMatch, &Match::begin);
    // Queued: the tick that ended the match, and the statistics window it
    // showed, are done before the boards are cleared. A shutdown in the
    // middle of the match has saved the records without it.
    connect(
        theMatch, &Match::over, this,
        [this] {
            if (!m_closing)
                match().finish();
        },
        Qt::QueuedConnection);
    m_boardPlay = new BoardPlay(m_game, *theMatch, m_feedback, m_ownBoard, m_opponentBoard, this);

    m_actions = new ControlActions(m_game, *m_audio, m_controlPanel, this);
    connect(m_actions, &ControlActions::playerChosen, this, [this] {
        m_net->sendUserInfoIfIdle();
        updateTitle();
    });
    connect(m_controlPanel, &ControlPanel::languageClicked, this, &MainWindow::toggleLanguage);
    connect(m_controlPanel, &ControlPanel::languageChosen, this, &MainWindow::setLanguage);
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

void MainWindow::restoreSession()
{
    m_random.seedFromClock();
    tw::restoreSession(m_game, QLocale::system().uiLanguages());
}

void MainWindow::createCompanions()
{
    makeCompanions();
    if (!m_audio->extractMusic())
        m_feedback.message(
            this, catalogueOf(m_game.settings()).translate("MainWindow", "Sound system init error"),
            QStringLiteral(":-("), BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok);
    m_controlPanel->showSwitches(m_game.settings());
    m_controlPanel->fitScoreCounter();
    m_editorWindow->setSaveLog(m_game.settings().saveLog);
    m_editorWindow->setPort(QString::number(kDefaultPeerPort));
    m_net->startServer();

    applyAreaSize(m_game.boards().areaSize);
    applyModeLayout();
    applyLanguage();
    m_chatWindow->show();
    show();
    m_turnTimer->start();
    m_indicatorTimer->start();
}

void MainWindow::makeCompanions()
{
    m_editorWindow = new EditorWindow(m_game, this);
    m_playersDialog = new PlayersDialog(m_game, m_feedback, this);
    m_statisticsDialog = new StatisticsDialog(m_game, this);
    m_aboutDialog = new AboutDialog(this);
    m_gameLogWindow = new GameLogWindow(m_game.settings(), this);
    m_waitingDialog = new WaitingDialog(m_game.settings(), this);
    m_chatWindow = new ChatWindow(this);
    m_generatingPanel->setCovered({this, m_editorWindow});
    m_actions->attachDialogs(m_playersDialog, m_statisticsDialog, m_aboutDialog);
    m_matchController->showIn({m_ownBoard, m_opponentBoard, m_ownBoardFrame, m_opponentBoardFrame,
                               m_controlPanel, m_turnTimer, m_gameLogWindow, m_statisticsDialog});
    connect(m_editorWindow, &EditorWindow::fleetCleared, this, [this] {
        clearBoard(m_game.boards().ownBoard, m_game.boards().placedFleet);
        m_ownBoard->repaintBoard();
    });
    m_net->attachWindows({this, m_editorWindow, m_chatWindow, m_waitingDialog, m_ownBoard,
                          m_opponentBoard, m_opponentBoardFrame});
    connect(m_editorWindow, &EditorWindow::generateRequested, this, &MainWindow::generateOwnFleet);
    connect(m_editorWindow, &EditorWindow::areaSizeChosen, this, &MainWindow::applyAreaSize);
    setUpKeyboard();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_game.match().gameInProgress) {
        event->ignore();
        return;
    }
    event->accept();
    // Qt quits on the last window closed, which comes back as endProgram():
    // by then the shutdown has run and is not repeated.
    shutDown();
}

void MainWindow::shutDown()
{
    if (m_closing)
        return;
    m_closing = true;
    // No tick may end a match, and count it, after the records are saved.
    m_turnTimer->stop();
    m_indicatorTimer->stop();
    m_audio->stopMusic();
    m_audio->deleteMusicFiles();
    m_net->stopPortMapping();
    // What the logout's request saved is on the disk already.
    if (m_logoutRecords.isEmpty() || sessionFileBytes(m_game) != m_logoutRecords)
        saveSession(m_game);
}

void MainWindow::endProgram()
{
    shutDown();
    // exit(), not quit(): quit() first asks every window to close, and the
    // companion windows refuse. A box still open is left unanswered.
    QCoreApplication::exit(0);
}

void MainWindow::saveRecords()
{
    // After the shutdown the file holds the run as it ended; nothing later
    // is added.
    if (!m_closing)
        saveSession(m_game);
    m_logoutRecords.clear();
}

void MainWindow::saveForLogout()
{
    if (m_closing)
        return;
    m_logoutRecords.clear();
    if (saveSession(m_game))
        m_logoutRecords = sessionFileBytes(m_game);
}

void MainWindow::applyAreaSize(int n)
{
    BoardState &b = m_game.boards();
    b.areaSize = static_cast<std::uint8_t>(n);
    b.pendingAreaSize = static_cast<std::uint8_t>(n);
    m_editorWindow->showAreaSize(n);
    clearBoard(b.ownBoard, b.placedFleet);
    clearBoard(b.opponentBoard);
    m_ownBoard->setCellCount(n);
    m_opponentBoard->setCellCount(n);
    const WindowPlacement windows{this,
                                  m_controlPanel,
                                  m_ownBoardFrame,
                                  m_opponentBoardFrame,
                                  m_ownBoard,
                                  m_opponentBoard,
                                  m_generatingPanel,
                                  m_editorWindow,
                                  m_gameLogWindow,
                                  m_chatWindow};
    windows.arrange(n);
    m_ownBoard->repaintBoard();
    m_opponentBoard->repaintBoard();
    m_net->sendUserInfoIfIdle();
}

void MainWindow::applyModeLayout()
{
    if (m_game.match().gameInProgress) {
        m_boardPlay->forgetAim();
        m_editorWindow->hide();
        m_gameLogWindow->clear();
        m_gameLogWindow->show();
    } else {
        m_editorWindow->show();
        m_gameLogWindow->hide();
        m_controlPanel->showIdle();
        updateTitle();
    }
    m_controlPanel->releasePause();
    m_turnTimer->setInterval(1000);
    m_actions->playModeMusic();
}

void MainWindow::setUpKeyboard()
{
    installAccessibleFactories();
    // The control column top to bottom, then the own board and the opponent's.
    new KeyboardFocus(this, m_gameLogWindow, {this, m_editorWindow},
                      m_controlPanel->tabOrder() << m_ownBoard << m_opponentBoard);
    // After the switches' own handlers: their new state is read at once.
    for (auto clicked :
         {&ControlPanel::musicClicked, &ControlPanel::soundClicked, &ControlPanel::languageClicked})
        connect(m_controlPanel, clicked, this, &MainWindow::updateAccessibleTexts);
    setFocus();
}

void MainWindow::updateAccessibleTexts()
{
    const Settings &s = m_game.settings();
    updateAccessibleName(m_ownBoard, catalogueOf(s).translate("MainWindow", "Your board"));
    updateAccessibleName(m_opponentBoard,
                         catalogueOf(s).translate("MainWindow", "Opponent's board"));
    m_controlPanel->updateAccessibleTexts(s, m_game.match());
    m_editorWindow->updateAccessibleTexts();
}

void MainWindow::generateOwnFleet()
{
    // Runs to its end before any event is handled: no invitation can come
    // meanwhile.
    m_generatingPanel->generate(m_game.boards().ownBoard, m_game.boards().placedFleet);
    m_ownBoard->repaintBoard();
}

void MainWindow::applyLanguage()
{
    // Qt's own texts (the standard buttons) follow the game's catalogue, and
    // every widget is told of the change. The windows are also retranslated
    // here, at once: the event reaches the windows later.
    m_translations.use(languageCode(m_game.settings()));
    retranslate();
}

void MainWindow::retranslate()
{
    m_controlPanel->retranslate(m_game.settings());
    if (!m_game.match().gameInProgress) {
        const Catalogue &texts = catalogueOf(m_game.settings());
        m_ownBoardFrame->setTitle(u' ' + texts.translate("MainWindow", "User") + u' ');
        m_opponentBoardFrame->setTitle(u' ' + texts.translate("MainWindow", "Computer") + u' ');
    }

    m_editorWindow->retranslate();
    m_playersDialog->retranslate();
    m_statisticsDialog->retranslate();
    m_gameLogWindow->retranslate();
    m_waitingDialog->retranslate();
    updateTitle();
    m_controlPanel->applyShortcuts(m_game.settings());
    updateAccessibleTexts();
}

void MainWindow::updateTitle()
{
    const QString &name = m_game.settings().playerName;
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("Tarnwake"));
    else
        setWindowTitle(catalogueOf(m_game.settings())
                           .translate("MainWindow", "Tarnwake - player %1")
                           .arg(name));
}

void MainWindow::toggleLanguage()
{
    Settings &s = m_game.settings();
    // Between English and Russian; from a further language back to English.
    s.englishUi = !s.otherLanguage.isEmpty() || !s.englishUi;
    s.otherLanguage.clear();
    applyLanguage();
}

void MainWindow::setLanguage(const QString &code)
{
    Settings &s = m_game.settings();
    s.englishUi = code != QLatin1String("ru");
    s.otherLanguage = code == QLatin1String("en") || code == QLatin1String("ru") ? QString() : code;
    applyLanguage();
}

void MainWindow::onTurnTick()
{
    m_audio->musicUpkeep(m_game.match().gameInProgress);
    match().tick();
}

void MainWindow::onIndicatorTick()
{
    m_controlPanel->showIndicators(m_game.match());
    m_net->sendAim(m_boardPlay->aimedCell());
    updateAccessibleTexts();
}

void MainWindow::changeEvent(QEvent *event)
{
    // Before the other windows exist, their own start-up translates them.
    if (event->type() == QEvent::LanguageChange && m_editorWindow)
        retranslate();
    QWidget::changeEvent(event);
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    m_chatWindow->typeKey(*event);
    QWidget::keyPressEvent(event);
}

} // namespace tw
