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
};

// A NetPlayHost with no windows: fields empty, questions answered No.
// Tests and fuzzers derive from it and override only what they watch.
class NullNetPlayHost : public NetPlayHost
{
public:
    QString addressField() override { return {}; }
    QString hostField() override { return {}; }
    QString portField() override { return {}; }
    void setAddressField(const QString &) override {}
    void setHostField(const QString &) override {}
    void setPortField(const QString &) override {}
    void setConnectEnabled(bool) override {}
    void showStatus(const QString &) override {}
    void setLamp(bool) override {}
    void playSound(const QString &) override {}
    QString missCue() override { return {}; }
    QString chatInput() override { return {}; }
    void clearChatInput() override {}
    void addChatLine(const QString &) override {}
    bool askInvitation(const QString &) override { return false; }
    void showRefusal(const QString &) override {}
    void showPeerAborted(const QString &) override {}
    void showWaiting(bool) override {}
    void setOpponentBoardCaption(const QString &) override {}
    void paintOpponentBoard() override {}
};

} // namespace tw
