#include "mainwindow.h"

#include "audio/devices.h"
#include "desktopsession.h"
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

namespace {

constexpr int W = Pictures::W;
constexpr int H = Pictures::H;

template <typename T>
T *place(QWidget *parent, const char *name, QRect place)
{
    auto *widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(place);
    return widget;
}

QToolButton *controlButton(QWidget *parent, const char *name, int top, const QPixmap &picture)
{
    QToolButton *button = makeFlatButton(parent, name, {4, top, 85, 21}, picture);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    return button;
}

void setTextColor(QWidget *widget, const QColor &color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

QColor windowTextColor()
{
    return QApplication::palette().color(QPalette::WindowText);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("Tarnwake"));
    const Pictures &pictures = Pictures::get();
    QIcon icon(QStringLiteral(":/images/tarnwake.png"));
    icon.addFile(QStringLiteral(":/images/tarnwake-256.png"));
    setWindowIcon(icon);
    resize(536, 348);

    m_controlPanel = place<QGroupBox>(this, "controlPanel", {0, 0, 93, 305});
    m_startButton = controlButton(m_controlPanel, "startButton", 16, pictures.start);
    m_pauseButton = controlButton(m_controlPanel, "pauseButton", 37, pictures.pause);
    m_pauseButton->setCheckable(true);
    m_abortButton = controlButton(m_controlPanel, "abortButton", 58, pictures.abort);
    m_playerButton = controlButton(m_controlPanel, "playerButton", 79, pictures.player);
    m_scoresButton = controlButton(m_controlPanel, "scoresButton", 100, pictures.scores);
    m_aboutButton = controlButton(m_controlPanel, "aboutButton", 121, pictures.about);
    m_aboutButton->setText(QStringLiteral("About"));
    QFont bold = font();
    bold.setBold(true);
    int labelTop = 144;
    for (ClickLabel **label : {&m_musicToggle, &m_soundToggle, &m_languageToggle}) {
        *label = place<ClickLabel>(m_controlPanel, "", {4, labelTop, 85, 13});
        (*label)->setAlignment(Qt::AlignCenter);
        (*label)->setFont(bold);
        (*label)->setCursor(Qt::PointingHandCursor);
        labelTop += 16;
    }
    m_musicToggle->setObjectName(QStringLiteral("musicToggle"));
    m_soundToggle->setObjectName(QStringLiteral("soundToggle"));
    m_languageToggle->setObjectName(QStringLiteral("languageToggle"));
    m_playerTurnLamp = place<Lamp>(m_controlPanel, "playerTurnLamp", {4, 192, 41, 17});
    m_opponentTurnLamp = place<Lamp>(m_controlPanel, "opponentTurnLamp", {48, 192, 41, 17});
    m_playerTimeLabel = place<SunkenLabel>(m_controlPanel, "playerTimeLabel", {4, 212, 85, 17});
    setTextColor(m_playerTimeLabel, Qt::blue);
    m_opponentTimeLabel = place<SunkenLabel>(m_controlPanel, "opponentTimeLabel", {4, 232, 85, 17});
    setTextColor(m_opponentTimeLabel, Qt::red);
    m_scoreCounter = place<ScoreCounter>(m_controlPanel, "scoreCounter", {4, 252, 64, 21});

    m_ownBoardFrame = place<QGroupBox>(this, "ownBoardFrame", {112, 24, 212, 224});
    setTextColor(m_ownBoardFrame, Qt::blue);
    m_ownBoard = place<BoardView>(m_ownBoardFrame, "ownBoard", {4, 16, 204, 204});
    m_opponentBoardFrame = place<QGroupBox>(this, "opponentBoardFrame", {260, 28, 212, 224});
    setTextColor(m_opponentBoardFrame, Qt::red);
    m_opponentBoard = place<BoardView>(m_opponentBoardFrame, "opponentBoard", {4, 16, 204, 204});
    m_ownBoard->setPainter(
        [this](QPainter &p) { paintBoard(p, gameState().boards.ownBoard, false); });
    m_opponentBoard->setPainter([this](QPainter &p) {
        if (!gameState().agreement.awaitingConfirmation())
            paintBoard(p, gameState().boards.opponentBoard, true);
    });

    m_generatingPanel = place<QLabel>(this, "generatingPanel", {148, 128, 181, 25});
    m_generatingPanel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_generatingPanel->setAlignment(Qt::AlignCenter);
    m_generatingPanel->setAutoFillBackground(true);
    m_generatingPanel->hide();

    m_turnTimer = new QTimer(this);
    m_turnTimer->setObjectName(QStringLiteral("turnTimer"));
    m_turnTimer->setInterval(1000);
    m_indicatorTimer = new QTimer(this);
    m_indicatorTimer->setObjectName(QStringLiteral("indicatorTimer"));
    m_indicatorTimer->setInterval(110);

    m_musicDevice = makeMusicDevice();
    m_soundDevice = makeSoundDevice();
    m_audio =
        std::make_unique<Audio>(gameState().settings, *m_musicDevice, *m_soundDevice, gameRandom());
    m_audio->setMusicDirectory(systemDirectory());
    m_log.setPath(GameLog::filePathIn(dataDirectory()));
    m_net = new NetworkController(*this);
    m_match =
        std::make_unique<Match>(gameState(), gameRandom(), static_cast<MatchDialogs &>(*this),
                                static_cast<MatchSounds &>(*this), m_net->play(), m_log, m_clock);
    connectMatch();

    connect(m_ownBoard, &BoardView::mouseMoved, this, &MainWindow::previewShipAt);
    connect(m_ownBoard, &BoardView::mousePressed, this, [this] { placeShip(); });
    connect(m_opponentBoard, &BoardView::mouseMoved, this, &MainWindow::aimAt);
    connect(m_opponentBoard, &BoardView::mousePressed, this, [this] { fireAt(); });
    connect(m_startButton, &QToolButton::clicked, this, &MainWindow::startMatch);
    connect(m_abortButton, &QToolButton::clicked, this, &MainWindow::abortMatch);
    connect(m_pauseButton, &QToolButton::clicked, this, &MainWindow::togglePause);
    connect(m_musicToggle, &ClickLabel::clicked, this, &MainWindow::toggleMusic);
    connect(m_soundToggle, &ClickLabel::clicked, this, &MainWindow::toggleSound);
    connect(m_languageToggle, &ClickLabel::clicked, this, &MainWindow::toggleLanguage);
    connect(m_playerButton, &QToolButton::clicked, this, &MainWindow::choosePlayer);
    connect(m_scoresButton, &QToolButton::clicked, this, &MainWindow::showScores);
    connect(m_aboutButton, &QToolButton::clicked, this, &MainWindow::showAbout);
    connect(m_turnTimer, &QTimer::timeout, this, &MainWindow::onTurnTick);
    connect(m_indicatorTimer, &QTimer::timeout, this, &MainWindow::onIndicatorTick);
}

MainWindow::~MainWindow() = default;

void MainWindow::playModeMusic()
{
    m_audio->playMusic(m_audio->pickTrack(gameState().match.gameInProgress));
}

bool MainWindow::peerConnected()
{
    return m_net->peerConnected();
}

void MainWindow::sendUserInfoIfIdle()
{
    m_net->sendUserInfoIfIdle();
}

bool MainWindow::initialize()
{
    if (isAnotherInstance(QStringLiteral("Tarnwake")))
        return false;
    gameRandom().seedFromClock();
    initShipTypes([](const std::string &text, const std::string &caption) {
        uiFeedback().message(nullptr, QString::fromStdString(text), QString::fromStdString(caption),
                             BoxIcon::Error, BoxButtons::Ok, BoxAnswer::Ok);
    });
    GameState &game = gameState();
    game.boards.selectedShipType = 1;
    game.boards.rotation = 0;
    game.match.gameInProgress = false;
    // A first start speaks the desktop's language; afterwards the stored
    // setting rules.
    if (!loadSession(game))
        game.settings.englishUi = prefersEnglish(QLocale::system().uiLanguages());
    game.boards.hoverCol = 0;
    game.boards.hoverRow = 0;
    game.match.endRemark.clear();
    game.modalBusy = false;
    return true;
}

void MainWindow::createCompanions()
{
    m_editorWindow = new EditorWindow(this);
    m_playersDialog = new PlayersDialog(this);
    m_statisticsDialog = new StatisticsDialog(this);
    m_aboutDialog = new AboutDialog(this);
    m_gameLogWindow = new GameLogWindow(this);
    m_waitingDialog = new WaitingDialog(this);
    m_chatWindow = new ChatWindow(this);
    connect(m_editorWindow, &EditorWindow::fleetCleared, this, [this] {
        clearBoard(gameState().boards.ownBoard, gameState().boards.placedFleet);
        paintOwnBoard();
    });
    connect(m_chatWindow, &ChatWindow::sendRequested, m_net, &NetworkController::chatSend);
    m_net->attachWindows();
    connect(m_editorWindow, &EditorWindow::generateRequested, this, &MainWindow::generateOwnFleet);
    connect(m_editorWindow, &EditorWindow::changeAreaRequested, this, [this] {
        const BoardState &b = gameState().boards;
        if (b.pendingAreaSize != b.areaSize)
            applyAreaSize(b.pendingAreaSize);
    });
    setUpKeyboard();
    finishStartup();
}

void MainWindow::finishStartup()
{
    GameState &game = gameState();
    game.agreement.phase = AgreementPhase::None;
    if (!m_audio->extractMusic())
        uiFeedback().message(this, QStringLiteral("Sound system init error"), QStringLiteral(":-("),
                             BoxIcon::Exclamation, BoxButtons::Ok, BoxAnswer::Ok);
    setTextColor(m_musicToggle, game.settings.musicOn ? Qt::red : windowTextColor());
    setTextColor(m_soundToggle, game.settings.soundOn ? Qt::red : windowTextColor());

    m_scoreCounter->resize(4 * Pictures::DigitW, Pictures::DigitH);
    m_scoreCounter->move((m_controlPanel->width() - m_scoreCounter->width()) / 2,
                         m_scoreCounter->y());
    m_controlPanel->resize(m_controlPanel->width(),
                           m_scoreCounter->y() + m_scoreCounter->height() + 4);

    m_editorWindow->m_saveLogCheck->setChecked(game.settings.saveLog);
    m_editorWindow->m_portEdit->setText(QStringLiteral("8170"));
    m_net->startServer();
    m_playersDialog->m_nameEdit->setMaxLength(32);

    applyAreaSize(game.boards.areaSize);
    applyModeLayout();
    applyLanguage();
    m_chatWindow->show();
    show();
    m_turnTimer->start();
    m_indicatorTimer->start();
}

void MainWindow::applyLanguage()
{
    const bool inMatch = gameState().match.gameInProgress;
    m_startButton->setText(localized("Start", "Старт"));
    m_pauseButton->setText(localized("Pause", "Пауза"));
    m_abortButton->setText(localized("Abort", "Прервать"));
    m_playerButton->setText(localized("Player", "Игрок"));
    m_scoresButton->setText(localized("Scores", "Дневник"));
    m_musicToggle->setText(localized("Music", "Музыка"));
    m_soundToggle->setText(localized("Sound", "Звуки"));
    m_languageToggle->setText(localized("Russian", "English"));
    m_controlPanel->setTitle(localized(" Control ", " Управление "));
    if (!inMatch) {
        m_ownBoardFrame->setTitle(localized(" User ", " Пользователь "));
        m_opponentBoardFrame->setTitle(localized(" Computer ", " Компьютер "));
    }

    m_editorWindow->retranslate();
    m_playersDialog->retranslate();
    m_statisticsDialog->retranslate();
    m_gameLogWindow->retranslate();
    m_waitingDialog->retranslate();
    updateTitle();
    applyShortcuts();
    updateAccessibleTexts();
}

void MainWindow::updateTitle()
{
    const QString &name = gameState().settings.playerName;
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("Tarnwake"));
    else
        setWindowTitle(localized("Tarnwake - player ", "Tarnwake - игрок ") + name);
}

void MainWindow::drawScoreCounter()
{
    m_scoreCounter->setValue(gameState().match.shownScore);
}

void MainWindow::toggleMusic()
{
    Settings &s = gameState().settings;
    s.musicOn = !s.musicOn;
    setTextColor(m_musicToggle, s.musicOn ? Qt::red : windowTextColor());
    if (s.musicOn)
        playModeMusic();
    else
        m_audio->stopMusic();
}

void MainWindow::toggleSound()
{
    Settings &s = gameState().settings;
    s.soundOn = !s.soundOn;
    setTextColor(m_soundToggle, s.soundOn ? Qt::red : windowTextColor());
    if (s.soundOn)
        m_audio->playSound(QStringLiteral("wrong3"));
}

void MainWindow::toggleLanguage()
{
    Settings &s = gameState().settings;
    s.englishUi = !s.englishUi;
    applyLanguage();
}

void MainWindow::choosePlayer()
{
    GameState &game = gameState();
    if (game.match.gameInProgress)
        return;
    game.modalBusy = true;
    m_playersDialog->m_nameEdit->setText(game.settings.playerName);
    m_playersDialog->fillPlayerList();
    tw::centerOnScreen(m_playersDialog);
    m_playersDialog->exec();
    game.settings.playerName = normalizedPlayerName(m_playersDialog->m_nameEdit->text());
    sendUserInfoIfIdle();
    updateTitle();
    game.modalBusy = false;
}

void MainWindow::showScores()
{
    GameState &game = gameState();
    game.modalBusy = true;
    m_audio->playSound(QStringLiteral("gong"));
    tw::centerOnScreen(m_statisticsDialog);
    m_statisticsDialog->exec();
    game.modalBusy = false;
}

void MainWindow::showAbout()
{
    GameState &game = gameState();
    game.modalBusy = true;
    m_audio->playMusic(QStringLiteral("logo"));
    tw::centerOnScreen(m_aboutDialog);
    m_aboutDialog->exec();
    playModeMusic();
    game.modalBusy = false;
}

void MainWindow::onTurnTick()
{
    m_audio->musicUpkeep(gameState().match.gameInProgress);
    m_match->tick();
}

void MainWindow::onIndicatorTick()
{
    GameState &game = gameState();
    MatchState &m = game.match;
    if (m.gameInProgress) {
        if (m.playerTurn && m_playerTurnLamp->brushColor() != QColor(Qt::blue)) {
            m_playerTurnLamp->setBrushColor(Qt::blue);
            m_opponentTurnLamp->setBrushColor(buttonFace());
        } else if (!m.playerTurn && m_opponentTurnLamp->brushColor() != QColor(Qt::red)) {
            m_playerTurnLamp->setBrushColor(buttonFace());
            m_opponentTurnLamp->setBrushColor(Qt::red);
        }
    }
    m_net->sendAim();
    if (m.shownScore != m.gameScore) {
        const int step = std::abs(m.gameScore - m.shownScore) > 16 ? 16 : 1;
        m.shownScore += m.gameScore > m.shownScore ? step : -step;
        drawScoreCounter();
    }
    updateAccessibleTexts();
}

bool MainWindow::canClose()
{
    return !gameState().match.gameInProgress;
}

void MainWindow::shutDown()
{
    m_audio->stopMusic();
    m_audio->deleteMusicFiles();
    saveSession(gameState());
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
        saveSession(gameState());
}

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    QLineEdit *input = m_chatWindow->m_input;
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        m_net->chatSend();
    } else if (event->key() == Qt::Key_Backspace) {
        if (!input->text().isEmpty())
            input->setText(input->text().chopped(1));
    } else {
        // Typed characters, control characters aside, join the chat line.
        QString typed = event->text();
        typed.removeIf([](QChar c) { return c.unicode() < 32; });
        if (!typed.isEmpty())
            input->setText(input->text() + typed);
    }
    QWidget::keyPressEvent(event);
}

} // namespace tw
