#pragma once

#include "audio/audio.h"
#include "forms.h"
#include "log/gamelog.h"
#include "match/match.h"
#include "model/board.h"
#include "network.h"

#include <QElapsedTimer>
#include <QGroupBox>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <memory>

namespace tw {

// The main window: both boards, the control column, the timers. It owns the
// other seven windows and the operations that span them (area layout, mode
// layout, languages, start-up and shutdown).
class TForm1 : public QWidget, private MatchHost
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    // First phase of start-up, before the other windows exist. False when
    // another instance runs: the program must end without touching a file.
    bool FormCreate();
    // Creates the other windows in order and finishes the start-up.
    void CreateCompanions();
    void LateStartup();
    // Ends the program as closing the main window does (music stopped, its
    // files deleted, records saved), but also during a match, which is then
    // not counted: for signals and the session manager. Leaves every event
    // loop; a second call only leaves them again.
    void shutDown();
    bool isShutDown() const { return m_closing; }
    // Stores the records and settings as they stand (the score file).
    void saveRecords() override;

    void ApplyAreaSize(int n);
    void ApplyModeLayout();
    void ApplyLanguage();
    void UpdateTitle();
    void PaintOwnBoard();
    void PaintOpponentBoard();
    void DrawScoreCounter();
    void PlayModeMusic();
    // Both one-way links join this program to the same peer.
    bool PeerConnected() override;
    Audio &audio() { return *m_audio; }
    Match &match() { return *m_match; }
    NetworkController &network() { return *m_net; }

    // Start: runs the whole match and returns when it is over.
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void Label1Click();
    void Label2Click();
    void Label3Click();
    // One tick of the turn timer and of the indicator timer.
    void Timer1Timer();
    void Timer4Timer();
    // Keyboard play and the names assistive technology reads (keyboard.cpp).
    void setUpKeyboard();
    void applyShortcuts();
    void updateAccessibleTexts();

    // The control column and the boards.
    QGroupBox *GroupBox1, *GroupBox2, *GroupBox3;
    BoardView *PaintBox1, *PaintBox2;
    QToolButton *SpeedButton1, *SpeedButton2, *SpeedButton3, *SpeedButton4, *SpeedButton5,
        *SpeedButton6;
    ClickLabel *Label1, *Label2, *Label3;
    Lamp *Shape1, *Shape2;
    StaticText *StaticText1, *StaticText2;
    ScoreCounter *PaintBox3;
    QLabel *Panel1;
    QTimer *Timer1, *Timer4;

    // The companion windows, created by CreateCompanions().
    TForm2 *Form2 = nullptr;
    TForm3 *Form3 = nullptr;
    TForm4 *Form4 = nullptr;
    TForm5 *Form5 = nullptr;
    TForm6 *Form6 = nullptr;
    TForm7 *Form7 = nullptr;
    TForm8 *Form8 = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    // Keys typed in the main window go to the chat input line.
    void keyPressEvent(QKeyEvent *event) override;

private:
    void PaintBoard(QPainter &painter, const TBoard &board, bool opponent);
    void PaintBoardFrame(QPainter &painter);
    enum class HoverChange
    {
        None,
        Outside,
        Inside
    };
    // Stores the cell under the pointer; says whether it changed and where.
    HoverChange TrackHover(QPoint pixel);
    void PaintBox1MouseMove(QPoint pixel);
    void PaintBox1MouseDown();
    void PaintBox2MouseMove(QPoint pixel);
    // The cell cursors of the boards: the same hover and aim as the pointer's.
    bool boardTakesCursor(const BoardView *board) const;
    void moveBoardCursor(BoardView *board, QPoint cell);
    void activateBoard(BoardView *board);
    void GenerateOwnFleet();
    void GenerateWithProgress(TBoard &board, TFleetCounts &counts);
    void PaintBox2MouseDown();
    void SpeedButton2Click();
    void SpeedButton6Click();
    void ShowGenerateProgress(const QString &text);
    bool FormCloseQuery();
    void FormClose();
    void SendUserInfoIfIdle();

    // MatchHost
    bool InvitePeer() override;
    void SendShot(int col, int row) override;
    void SendGameAborted() override;
    void Beep() override;
    bool Ask(Box box) override;
    void GenerateOpponentFleet(TBoard &board) override;
    QString ExplosionCue() override;
    QString DestroyCue() override;
    QString MissCue() override;
    void PlaySound(const QString &name) override;
    void PlayMusic(const QString &name) override;
    void MemoLine(const QString &line) override;
    void LogLine(const QString &text, bool withTime, bool withDate) override;
    void EnterMatchLayout() override;
    void LeaveMatchLayout() override;
    void SetOwnBoardCaption(const QString &caption) override;
    void SetOpponentBoardCaption(const QString &caption) override;
    void Scramble(bool ownBoard, bool columnNumber, int picture, int x, int y) override;
    void PutOutTurnLamp(bool playerLamp) override;
    void ShowTurnTimes(const QString &player, const QString &opponent) override;
    void SetTurnInterval(int milliseconds) override;
    void ShowConnectionState() override;
    void ShowStatistics() override;
    QDateTime Now() override;

    std::unique_ptr<Match> m_match;
    NetworkController *m_net = nullptr;
    GameLog m_log;
    std::unique_ptr<MusicDevice> m_musicDevice;
    std::unique_ptr<SoundDevice> m_soundDevice;
    std::unique_ptr<Audio> m_audio;
    QElapsedTimer m_panelPainted; // the progress panel repaints at most once a frame
    bool m_closing = false;
};

} // namespace tw
