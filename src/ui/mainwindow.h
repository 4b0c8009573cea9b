#pragma once

#include "aboutdialog.h"
#include "audio/audio.h"
#include "chatwindow.h"
#include "editorwindow.h"
#include "gamelogwindow.h"
#include "log/gamelog.h"
#include "match/match.h"
#include "model/board.h"
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
// other seven windows and the operations that span them (area layout, mode
// layout, languages, start-up and shutdown). Its side of a match, the
// dialogs and sounds the match asks for and what it does with the match's
// signals, lies in matchscreen.cpp.
class MainWindow : public QWidget, private MatchDialogs, private MatchSounds
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // First phase of start-up, before the other windows exist. False when
    // another instance runs: the program must end without touching a file.
    bool initialize();
    // Creates the other windows in order and finishes the start-up.
    void createCompanions();
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
    void drawScoreCounter();
    void playModeMusic();
    // Both one-way links join this program to the same peer.
    bool peerConnected();
    Audio &audio() { return *m_audio; }
    Match &match() { return *m_match; }
    NetworkController &network() { return *m_net; }

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
    void applyShortcuts();
    void updateAccessibleTexts();

    // The control column and the boards.
    QGroupBox *m_ownBoardFrame, *m_opponentBoardFrame, *m_controlPanel;
    BoardView *m_ownBoard, *m_opponentBoard;
    QToolButton *m_startButton, *m_abortButton, *m_playerButton, *m_scoresButton, *m_aboutButton,
        *m_pauseButton;
    ClickLabel *m_musicToggle, *m_soundToggle, *m_languageToggle;
    Lamp *m_playerTurnLamp, *m_opponentTurnLamp;
    SunkenLabel *m_playerTimeLabel, *m_opponentTimeLabel;
    ScoreCounter *m_scoreCounter;
    QLabel *m_generatingPanel;
    QTimer *m_turnTimer, *m_indicatorTimer;

    // The companion windows, created by createCompanions().
    EditorWindow *m_editorWindow = nullptr;
    PlayersDialog *m_playersDialog = nullptr;
    StatisticsDialog *m_statisticsDialog = nullptr;
    AboutDialog *m_aboutDialog = nullptr;
    GameLogWindow *m_gameLogWindow = nullptr;
    WaitingDialog *m_waitingDialog = nullptr;
    ChatWindow *m_chatWindow = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keys typed in the main window go to the chat input line.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void paintBoard(QPainter &painter, const Board &board, bool opponent);
    void paintBoardFrame(QPainter &painter);
    enum class HoverChange
    {
        None,
        Outside,
        Inside
    };
    // Stores the cell under the pointer; says whether it changed and where.
    HoverChange trackHover(QPoint pixel);
    void previewShipAt(QPoint pixel);
    void placeShip();
    void aimAt(QPoint pixel);
    // The cell cursors of the boards: the same hover and aim as the pointer's.
    bool boardTakesCursor(const BoardView *board) const;
    void moveBoardCursor(BoardView *board, QPoint cell);
    void activateBoard(BoardView *board);
    void generateOwnFleet();
    void generateWithProgress(Board &board, FleetCounts &counts);
    void fireAt();
    void abortMatch();
    void togglePause();
    void showGenerateProgress(const QString &text);
    bool canClose();
    void shutDown();
    void sendUserInfoIfIdle();

    // The match's side of the window (matchscreen.cpp).
    void connectMatch();
    void finishMatch();
    void showMatchStatistics();
    bool ask(Box box) override;
    void generateOpponentFleet(Board &board) override;
    QString drawCue(Cue cue) override;
    void playSound(const QString &name) override;
    void playMusic(const QString &name) override;

    GameLog m_log;
    SystemLogClock m_clock;
    std::unique_ptr<Match> m_match;
    NetworkController *m_net = nullptr;
    std::unique_ptr<MusicDevice> m_musicDevice;
    std::unique_ptr<SoundDevice> m_soundDevice;
    std::unique_ptr<Audio> m_audio;
    QElapsedTimer m_panelPainted; // the progress panel repaints at most once a frame
    bool m_closing = false;
};

} // namespace tw
