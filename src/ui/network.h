#pragma once

#include <QObject>

namespace tw {

class TForm1;

// Network play as the windows see it: the link to a peer, the packets of a
// match, the chat. Owned by the main window, which reaches every other window
// through it.
class NetworkController : public QObject
{
    Q_OBJECT
public:
    explicit NetworkController(TForm1 &main);
    ~NetworkController() override;

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

private:
    TForm1 &m_main;
};

} // namespace tw
