// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/discovery.h"
#include "net/netplay.h"
#include "net/portmapper.h"
#include "util/settingsfile.h"

#include <QFile>
#include <QObject>
#include <optional>

class QGroupBox;

namespace tw {

class Audio;
class BoardView;
class ChatWindow;
class EditorWindow;
class Feedback;
class FoundGamesModel;
class WaitingDialog;

// The windows network play shows itself in; they are made after the
// controller.
struct NetworkWindows
{
    QWidget *main;            // owns the message boxes; disabled while waiting
    EditorWindow *editor;     // the network options
    ChatWindow *chat;         // the chat history and input line
    WaitingDialog *waiting;   // shown while an invitation waits for its answer
    BoardView *ownBoard;      // where the peer's aim shows
    BoardView *opponentBoard; // clicked to fire (the journal notes it); hidden
                              // while the peer's fleet is being agreed on
    QGroupBox *opponentFrame; // its title names the peer
};

// Network play as the windows see it: the link to a peer, the packets of a
// match, the chat, and the games on the local network (announced, and listed
// in the address field). Owned by the main window.
//
// It also opens the game's port on the home router (PortMapper) while the
// switch in the network options is on, a setting kept in the settings file.
//
// Three variables of the environment serve tests and benchmarks that run
// several copies of the game:
//   TARNWAKE_NET_ADDRESS  a local address for both sockets, so two copies
//                         on one machine can each listen on the same port;
//   TARNWAKE_NET_JOURNAL  a file to which every status text, chat line and
//                         message box of network play is appended, with the
//                         click on the opponent board, the drawing of a
//                         peer's shot, the list of games found and the game
//                         chosen from it, the address to give a friend as
//                         it changes, each with its time (CLOCK_MONOTONIC,
//                         microseconds). The windows cannot be read from
//                         outside the program; this file can;
//   TARNWAKE_PORT_MAPPING "off": no router is asked for anything, whatever
//                         the switch says (tests outside a lab network).
class NetworkController : public QObject, private NetPlayPrompts
{
    Q_OBJECT
public:
    // Every reference must outlive the controller. The random source draws
    // the cue of a refused connection.
    NetworkController(GameState &game, Random &random, Feedback &feedback, Audio &audio,
                      QObject *parent);
    ~NetworkController() override;

    // Connects the windows, once the main window has made them.
    void attachWindows(const NetworkWindows &windows);

    // (Re)starts listening on the port of the network options.
    void startServer();
    // The user info change packet, when linked and no match runs.
    void sendUserInfoIfIdle();
    // The idle connection display of each turn-timer tick.
    void showConnectionState();
    // The shared-aim step of the indicator tick.
    void sendAim(QPoint cell);
    // Enter in the chat input line (or in the main window).
    void chatSend();
    // Removes the port mapping from the router (at most a second), as the
    // program ends; the destructor does it too.
    void stopPortMapping();

    NetPlay &play() { return m_play; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // NetPlayPrompts
    QString addressField() override;
    QString hostField() override;
    QString portField() override;
    QString chatInput() override;
    void askInvitation(const QString &text, std::function<void(bool)> answered) override;
    QString missCue() override;

    // What network play tells the windows (its signals).
    void showStatus(const QString &text);
    void setLamp(bool linked);
    void addChatLine(const QString &line);
    void showRefusal(const QString &text);
    void showPeerAborted(const QString &text);
    void showWaiting(bool shown);

    // The peer's aim at the 0-based cell, drawn on the own board.
    void showPeerAim(int col, int row);

    void journal(const char *kind, const QString &text = {});
    // Tells the network what this game is: player, area size, port.
    void announceGame();
    void chooseFoundGame(const QString &address, int port);
    // The router's port mapping follows the switch and the port listened on.
    void updatePortMapping();
    void setPortMappingOn(bool on);
    void showOwnAddress();

    GameState &m_game;
    Random &m_random;
    Feedback &m_feedback;
    Audio &m_audio;
    NetworkWindows m_windows{};
    NetPlay m_play;
    GameDiscovery *m_discovery;
    FoundGamesModel *m_foundGames;
    QFile m_journal;
    bool m_shotToDraw = false; // a peer's shot waits to be drawn (journal)
    // The boards the journal watches, taken as plain objects when the filter
    // is installed: the filter still sees their events while they are being
    // destroyed, when they are boards no more.
    const QObject *m_ownBoard = nullptr;
    const QObject *m_opponentBoard = nullptr;
    bool m_inTick = false; // in the idle connection display
    // What the lamp shows: nothing yet (black), linked (lime) or not (red).
    std::optional<bool> m_lampLinked;
    PortMapper *m_portMapper;
    // The settings file and what it held at the start with the changes
    // since: a change writes them all, without reading the file again.
    SettingsFile m_settingsFile;
    bool m_portMappingOn = true;
    // Off in the environment: tests, which must not talk to a real router.
    bool m_portMappingAllowed = true;
    quint16 m_mappedPort = 0; // the port listened on that the mapping is for
    QString m_globalIpv6;     // found when the server starts
    QString m_ownAddressShown;
};

} // namespace tw
