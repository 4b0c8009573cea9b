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

MainWindow::MainWindow(Feedback *feedback, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint),
      m_feedback(feedback ? *feedback : m_platformFeedback)
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
    m_ownBoard->setBoard(m_game, BoardView::Role::OwnBoard);
    m_opponentBoard->setBoard(m_game, BoardView::Role::OpponentBoard);

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
    m_audio = std::make_unique<Audio>(m_game.settings, *m_musicDevice, *m_soundDevice, m_random);
    m_audio->setMusicDirectory(systemDirectory());
    m_log.setPath(GameLog::filePathIn(dataDirectory()));
    m_net = new NetworkController(m_game, m_random, m_feedback, *m_audio, this);
    connect(&m_net->play(), &NetPlay::invitationAccepted, this, &MainWindow::startMatch);
    connect(&m_net->play(), &NetPlay::opponentCaptionChanged, m_opponentBoardFrame,
            &QGroupBox::setTitle);
    connect(&m_net->play(), &NetPlay::opponentBoardChanged, this, &MainWindow::paintOpponentBoard);
    m_match =
        std::make_unique<Match>(m_game, m_random, static_cast<MatchDialogs &>(*this),
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
    const bool inMatch = m_game.match.gameInProgress;
    m_startButton->setText(localized(m_game.settings, "Start", "Старт"));
    m_pauseButton->setText(localized(m_game.settings, "Pause", "Пауза"));
    m_abortButton->setText(localized(m_game.settings, "Abort", "Прервать"));
    m_playerButton->setText(localized(m_game.settings, "Player", "Игрок"));
    m_scoresButton->setText(localized(m_game.settings, "Scores", "Дневник"));
    m_musicToggle->setText(localized(m_game.settings, "Music", "Музыка"));
    m_soundToggle->setText(localized(m_game.settings, "Sound", "Звуки"));
    m_languageToggle->setText(localized(m_game.settings, "Russian", "English"));
    m_controlPanel->setTitle(localized(m_game.settings, " Control ", " Управление "));
    if (!inMatch) {
        m_ownBoardFrame->setTitle(localized(m_game.settings, " User ", " Пользователь "));
        m_opponentBoardFrame->setTitle(localized(m_game.settings, " Computer ", " Компьютер "));
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
    const QString &name = m_game.settings.playerName;
    if (name.isEmpty())
        setWindowTitle(QStringLiteral("Tarnwake"));
    else
        setWindowTitle(localized(m_game.settings, "Tarnwake - player ", "Tarnwake - игрок ") +
                       name);
}

void MainWindow::showSwitchColours()
{
    const Settings &s = m_game.settings;
    setTextColor(m_musicToggle, s.musicOn ? Qt::red : windowTextColor());
    setTextColor(m_soundToggle, s.soundOn ? Qt::red : windowTextColor());
}

void MainWindow::toggleMusic()
{
    Settings &s = m_game.settings;
    s.musicOn = !s.musicOn;
    showSwitchColours();
    if (s.musicOn)
        playModeMusic();
    else
        m_audio->stopMusic();
}

void MainWindow::toggleSound()
{
    Settings &s = m_game.settings;
    s.soundOn = !s.soundOn;
    showSwitchColours();
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
    m_match->tick();
}

void MainWindow::onIndicatorTick()
{
    MatchState &m = m_game.match;
    if (m.gameInProgress) {
        if (m.playerTurn && m_playerTurnLamp->brushColor() != QColor(Qt::blue)) {
            m_playerTurnLamp->setBrushColor(Qt::blue);
            m_opponentTurnLamp->setBrushColor(buttonFace());
        } else if (!m.playerTurn && m_opponentTurnLamp->brushColor() != QColor(Qt::red)) {
            m_playerTurnLamp->setBrushColor(buttonFace());
            m_opponentTurnLamp->setBrushColor(Qt::red);
        }
    }
    m_net->sendAim(m_aimCell);
    m_scoreCounter->stepToward(m.gameScore);
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
