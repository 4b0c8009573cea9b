#pragma once

#include "net/discovery.h"
#include "net/netplay.h"

#include <QFile>
#include <QObject>

namespace tw {

class FoundGamesModel;
class TForm1;

// Network play as the windows see it: the link to a peer, the packets of a
// match, the chat, and the games on the local network (announced, and listed
// in the address field). Owned by the main window, which reaches every other
// window through it.
//
// Two variables of the environment serve tests and benchmarks that run
// several copies of the game:
//   TARNWAKE_NET_ADDRESS  a local address for both sockets, so two copies
//                         on one machine can each listen on the same port;
//   TARNWAKE_NET_JOURNAL  a file to which every status text, chat line and
//                         message box of network play is appended, with the
//                         click on the opponent board, the drawing of a
//                         peer's shot, the list of games found and the game
//                         chosen from it, each with its time (CLOCK_MONOTONIC,
//                         microseconds). The windows cannot be read from
//                         outside the program; this file can.
class NetworkController : public QObject, private NetPlayHost
{
    Q_OBJECT
public:
    explicit NetworkController(TForm1 &main);
    ~NetworkController() override;

    // Connects the network options and the chat window; they exist once
    // the main window has made its companions.
    void AttachWindows();

    // (Re)starts listening on the port of the network options.
    void StartServer();
    // Both one-way links join this program to the same peer.
    bool PeerConnected();
    // The network step of Start: true when the match may begin.
    bool InvitePeer();
    void SendShot(int col, int row);
    void SendGameAborted();
    // The user info change packet, when linked and no match runs.
    void SendUserInfoIfIdle();
    // The idle connection display of each turn-timer tick.
    void ShowConnectionState();
    // The shared-aim step of the indicator tick.
    void SendAim();
    // Enter in the chat input line (or in the main window).
    void ChatSend();

    NetPlay &play() { return m_play; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // NetPlayHost
    QString AddressField() override;
    QString HostField() override;
    QString PortField() override;
    void SetAddressField(const QString &text) override;
    void SetHostField(const QString &text) override;
    void SetPortField(const QString &text) override;
    void SetConnectEnabled(bool enabled) override;
    void ShowStatus(const QString &text) override;
    void SetLamp(bool linked) override;
    void PlaySound(const QString &name) override;
    QString MissCue() override;
    QString ChatInput() override;
    void ClearChatInput() override;
    void AddChatLine(const QString &line) override;
    bool AskInvitation(const QString &text) override;
    void ShowRefusal(const QString &text) override;
    void ShowPeerAborted(const QString &text) override;
    void ShowWaiting(bool shown) override;
    void SetOpponentBoardCaption(const QString &caption) override;
    void PaintOpponentBoard() override;
    void PressStart() override;
    bool OpponentShot(int col, int row) override;
    void ShowPeerAim(int col, int row) override;

    void Journal(const char *kind, const QString &text = {});
    // Tells the network what this game is: player, area size, port.
    void announceGame();
    void chooseFoundGame(const QString &address, int port);

    TForm1 &m_main;
    NetPlay m_play;
    GameDiscovery *m_discovery;
    FoundGamesModel *m_foundGames;
    QFile m_journal;
    bool m_shotToDraw = false; // a peer's shot waits to be drawn (journal)
    bool m_inTick = false;     // in the idle connection display
};

} // namespace tw
