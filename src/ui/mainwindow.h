// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "aboutdialog.h"
#include "audio/audio.h"
#include "boardplay.h"
#include "boardview.h"
#include "chatwindow.h"
#include "controlpanel.h"
#include "editorwindow.h"
#include "feedback.h"
#include "gamelogwindow.h"
#include "generatingpanel.h"
#include "log/gamelog.h"
#include "match/gamestate.h"
#include "match/match.h"
#include "matchcontroller.h"
#include "model/board.h"
#include "model/random.h"
#include "network.h"
#include "playersdialog.h"
#include "statisticsdialog.h"
#include "waitingdialog.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <memory>

namespace tw {

// The main window: both boards, the control column, the timers. It owns the
// game state, the other seven windows, the match's controller and the board
// play, and the operations that span them (area layout in windowlayout.cpp,
// focus and accessible names in keyboard.cpp, start-up and shutdown in
// startup.cpp, languages). What it shows of the match's signals, and the
// buttons that drive the match, lie in matchscreen.cpp.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // Message boxes and the beep go through the feedback given, the
    // platform's when none is (tests hand in a recording one).
    explicit MainWindow(Feedback *feedback = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    // First phase of start-up, before the other windows exist. False when
    // another instance runs: the program must end without touching a file.
    bool initialize();
    // Creates the other windows in order and finishes the start-up.
    void createCompanions();
    // Only the first half of that: the other windows, made and joined to
    // this one, nothing shown or started.
    void makeCompanions();
    void finishStartup();
    // Ends the program as closing the main window does (music stopped, its
    // files deleted, records saved), but also during a match, which is then
    // not counted: for signals and the session manager. Leaves every event
    // loop; a second call only leaves them again.
    void endProgram();
    bool isShutDown() const { return m_closing; }
    // Stores the records and settings as they stand (the score file).
    void saveRecords();

    void applyAreaSize(int n);
    void applyModeLayout();
    void applyLanguage();
    void updateTitle();
    void paintOwnBoard();
    void paintOpponentBoard();
    void playModeMusic();
    // Both one-way links join this program to the same peer.
    bool peerConnected();
    // The state of the running game, its random source and its audio, owned
    // here and lent to the other windows, the match and the network.
    GameState &game() { return m_game; }
    Random &random() { return m_random; }
    Audio &audio() { return *m_audio; }
    // The cell under the pointer or the board cursor, and the cell aimed at on
    // the opponent board (-1 before the first aim of a match); 0-based.
    QPoint hoveredCell() const { return m_boardPlay->hoveredCell(); }
    QPoint aimedCell() const { return m_boardPlay->aimedCell(); }
    Match &match() { return m_matchController->match(); }

    // Start: begins a match, or invites the peer to one; returns at once.
    void startMatch();
    void choosePlayer();
    void showScores();
    void showAbout();
    void toggleMusic();
    void toggleSound();
    void toggleLanguage();
    // One tick of the turn timer and of the indicator timer.
    void onTurnTick();
    void onIndicatorTick();
    // Keyboard play and the names assistive technology reads (keyboard.cpp).
    void setUpKeyboard();
    void updateAccessibleTexts();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keys typed in the main window go to the chat input line.
    void keyPressEvent(QKeyEvent *event) override;

private:
    // The control column and the boards.
    ControlPanel *m_controlPanel;
    QGroupBox *m_ownBoardFrame, *m_opponentBoardFrame;
    BoardView *m_ownBoard, *m_opponentBoard;
    GeneratingPanel *m_generatingPanel;
    QTimer *m_turnTimer, *m_indicatorTimer;

    // The companion windows, created by createCompanions().
    EditorWindow *m_editorWindow = nullptr;
    PlayersDialog *m_playersDialog = nullptr;
    StatisticsDialog *m_statisticsDialog = nullptr;
    AboutDialog *m_aboutDialog = nullptr;
    GameLogWindow *m_gameLogWindow = nullptr;
    WaitingDialog *m_waitingDialog = nullptr;
    ChatWindow *m_chatWindow = nullptr;

    void generateOwnFleet();
    void abortMatch();
    void togglePause();
    bool canClose();
    void shutDown();
    void sendUserInfoIfIdle();

    // The match's side of the window (matchscreen.cpp).
    void connectMatch();
    void finishMatch();
    void showMatchStatistics();

    Feedback m_platformFeedback;
    Feedback &m_feedback;
    GameState m_game;
    Random m_random;
    GameLog m_log;
    SystemLogClock m_clock;
    std::unique_ptr<MatchController> m_matchController;
    NetworkController *m_net = nullptr;
    std::unique_ptr<MusicDevice> m_musicDevice;
    std::unique_ptr<SoundDevice> m_soundDevice;
    std::unique_ptr<Audio> m_audio;
    BoardPlay *m_boardPlay = nullptr;
    bool m_closing = false;
};

} // namespace tw
