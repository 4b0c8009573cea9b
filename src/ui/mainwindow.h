// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio/audio.h"
#include "feedback.h"
#include "log/gamelog.h"
#include "match/gamestate.h"
#include "matchcontroller.h"
#include "model/random.h"
#include "util/translations.h"

#include <QWidget>
#include <memory>

class QGroupBox;
class QTimer;

namespace tw {

class AboutDialog;
class BoardPlay;
class BoardView;
class ChatWindow;
class ControlActions;
class ControlPanel;
class EditorWindow;
class GameLogWindow;
class GeneratingPanel;
class NetworkController;
class PlayersDialog;
class StatisticsDialog;
class WaitingDialog;

// The main window: both boards, the control column and the timers. It owns
// the game state, its random source, audio and log, and the other seven
// windows. The match, the boards' input, network play and the column's other
// buttons each have a controller of their own.
class MainWindow : public QWidget
{
    Q_OBJECT
public:
    // Message boxes and the beep go through the feedback given (tests hand
    // in a recording one). Precondition: it outlives the window.
    explicit MainWindow(Feedback &feedback, QWidget *parent = nullptr);
    ~MainWindow() override;

    // First phase of start-up, before the other windows exist: the random
    // source and the stored records and settings.
    void restoreSession();
    // Creates the other windows in order and finishes the start-up.
    void createCompanions();
    // Only the first half of that: the other windows, made and joined to
    // this one, nothing shown or started.
    void makeCompanions();
    // Ends the program as closing the main window does (the shutdown below,
    // then every event loop left with status 0), but also during a match,
    // which is then not counted: for signals and the session manager. A
    // second call, or one after the window was closed, only leaves the loops
    // again.
    void endProgram();
    // Stores the records and settings as they stand (the score file).
    void saveRecords();
    // The same for the session manager's request at logout, which may be
    // cancelled, the game then running on: the shutdown that follows
    // writes the file again only if something changed since.
    void saveForLogout();

    // The area size chosen in the editor: both boards cleared and resized,
    // the windows placed anew.
    void applyAreaSize(int n);
    // The editing layout or the match layout, as the match stands.
    void applyModeLayout();
    // The state of the running game, its random source and its audio, owned
    // here and lent to the other windows, the match and the network.
    GameState &game() { return m_game; }
    Random &random() { return m_random; }
    Audio &audio() { return *m_audio; }
    Match &match() { return m_matchController->match(); }

    // The language switch's click: English and Russian swap; from a further
    // language it goes to English.
    void toggleLanguage();
    // Speaks a shipped language, by its code ("de").
    void setLanguage(const QString &code);
    // One tick of the turn timer and of the indicator timer.
    void onTurnTick();
    void onIndicatorTick();

protected:
    void closeEvent(QCloseEvent *event) override;
    // A language change retranslates this window and its companions.
    void changeEvent(QEvent *event) override;
    // Keys typed in the main window go to the chat input line.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void setUpKeyboard();
    // Installs the settings' language and retranslates every window.
    void applyLanguage();
    void retranslate();
    void updateTitle();
    void updateAccessibleTexts();
    void generateOwnFleet();
    // The one shutdown, run once whichever way the program ends: the timers
    // stopped first, the music stopped and its files deleted, the port
    // mapping removed, the records written.
    void shutDown();

    // The control column and the boards.
    ControlPanel *m_controlPanel;
    QGroupBox *m_ownBoardFrame, *m_opponentBoardFrame;
    BoardView *m_ownBoard, *m_opponentBoard;
    GeneratingPanel *m_generatingPanel;
    QTimer *m_turnTimer, *m_indicatorTimer;

    // The companion windows, created by makeCompanions().
    EditorWindow *m_editorWindow = nullptr;
    PlayersDialog *m_playersDialog = nullptr;
    StatisticsDialog *m_statisticsDialog = nullptr;
    AboutDialog *m_aboutDialog = nullptr;
    GameLogWindow *m_gameLogWindow = nullptr;
    WaitingDialog *m_waitingDialog = nullptr;
    ChatWindow *m_chatWindow = nullptr;

    Feedback &m_feedback;
    Translations m_translations;
    GameState m_game;
    Random m_random;
    GameLog m_log;
    SystemLogClock m_clock;
    std::unique_ptr<MusicDevice> m_musicDevice;
    std::unique_ptr<SoundDevice> m_soundDevice;
    std::unique_ptr<Audio> m_audio;
    NetworkController *m_net = nullptr;
    std::unique_ptr<MatchController> m_matchController;
    BoardPlay *m_boardPlay = nullptr;
    ControlActions *m_actions = nullptr;
    bool m_closing = false;
    // The bytes saveForLogout() wrote, while they are the last written.
    QByteArray m_logoutRecords;
};

} // namespace tw
