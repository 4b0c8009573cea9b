#pragma once

#include <QString>

namespace tw {

// What network play needs from the windows.
class NetPlayHost
{
public:
    virtual ~NetPlayHost() = default;

    // The network options: address, host name and port fields, "Ок!", the
    // status line and the connection lamp.
    virtual QString addressField() = 0;
    virtual QString hostField() = 0;
    virtual QString portField() = 0;
    virtual void setAddressField(const QString &text) = 0;
    virtual void setHostField(const QString &text) = 0;
    virtual void setPortField(const QString &text) = 0;
    virtual void setConnectEnabled(bool enabled) = 0;
    virtual void showStatus(const QString &text) = 0;
    virtual void setLamp(bool linked) = 0;

    virtual void playSound(const QString &name) = 0;
    virtual QString missCue() = 0;

    // The chat window: its input line and its history.
    virtual QString chatInput() = 0;
    virtual void clearChatInput() = 0;
    virtual void addChatLine(const QString &line) = 0;

    // Modal boxes. Never called from inside a packet's handling: their loops
    // would stop the connection that delivered it.
    virtual bool askInvitation(const QString &text) = 0; // true for Yes
    virtual void showRefusal(const QString &text) = 0;
    virtual void showPeerAborted(const QString &text) = 0;

    // The waiting window shown, with the main window and the editor
    // disabled; or hidden, with both enabled again.
    virtual void showWaiting(bool shown) = 0;
    virtual void setOpponentBoardCaption(const QString &caption) = 0;
    virtual void paintOpponentBoard() = 0;
    // Start, on behalf of a player who accepted an invitation; runs the match
    // and returns when it is over.
    virtual void pressStart() = 0;
    // The peer's shot at the 0-based cell of the own board; true after a hit.
    virtual bool opponentShot(int col, int row) = 0;
    // The peer aims at the 0-based cell of the own board.
    virtual void showPeerAim(int col, int row) = 0;
};

} // namespace tw
