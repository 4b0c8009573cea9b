// SPDX-License-Identifier: GPL-3.0-or-later
#include "network.h"

#include "audio/audio.h"
#include "boardview.h"
#include "chatwindow.h"
#include "editorwindow.h"
#include "feedback.h"
#include "match/cues.h"
#include "net/avahidiscovery.h"
#include "net/foundgames.h"
#include "ownaddress.h"
#include "pictures.h"
#include "util/paths.h"
#include "waitingdialog.h"
#include "widgets.h"

#include <QEvent>
#include <QGroupBox>
#include <chrono>

namespace tw {

namespace {

const QString kPortMappingKey = QStringLiteral("network/openPortOnRouter");

// A switch as QSettings reads one back: on unless "false", "0" or empty.
bool switchValue(const SettingsFile::Values &values, const QString &key, bool byDefault)
{
    const auto it = values.constFind(key);
    if (it == values.cend())
        return byDefault;
    return !(it->isEmpty() || *it == u"0" || it->compare(u"false", Qt::CaseInsensitive) == 0);
}

} // namespace

NetworkController::NetworkController(GameState &game, Random &random, Feedback &feedback,
                                     Audio &audio, QObject *parent)
    : QObject(parent), m_game(game), m_random(random), m_feedback(feedback), m_audio(audio),
      m_play(game, *this, this), m_discovery(new AvahiDiscovery(this)),
      m_foundGames(new FoundGamesModel(m_discovery, this)), m_portMapper(new PortMapper(this)),
      m_settingsFile(settingsFilePath())
{
    m_portMappingAllowed = qEnvironmentVariable("TARNWAKE_PORT_MAPPING") != u"off";
    m_portMappingOn = switchValue(m_settingsFile.read(), kPortMappingKey, true);
    connect(m_portMapper, &PortMapper::stateChanged, this, [this](const PortMapState &state) {
        // The peer connects back to the port the router gives.
        m_play.connection().setReturnPort(
            state.phase == PortMapState::Phase::Mapped ? state.externalPort : 0);
        showOwnAddress();
    });
    const QString address = qEnvironmentVariable("TARNWAKE_NET_ADDRESS");
    if (!address.isEmpty())
        m_play.link().setLocalAddress(QHostAddress(address));
    const QString journalFile = qEnvironmentVariable("TARNWAKE_NET_JOURNAL");
    if (!journalFile.isEmpty()) {
        m_journal.setFileName(journalFile);
        if (!m_journal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            m_journal.setFileName(QString());
    }
    // The drop-down list of games found, each time it changes, its rows
    // joined by " | " (no player name holds one).
    const auto journalGames = [this] {
        QStringList rows;
        for (int row = 0; row < m_foundGames->rowCount(); ++row)
            rows << m_foundGames->index(row).data().toString();
        journal("games", rows.join(QStringLiteral(" | ")));
    };
    // A shot leaves for the peer, a peer's arrives: the journal notes them,
    // the latter before the match draws it. Start follows an accepted
    // invitation.
    connect(&m_play, &NetPlay::shotSent, this, [this](int col, int row) {
        journal("shot-sent", QString::number(col) + u' ' + QString::number(row));
    });
    connect(&m_play, &NetPlay::peerFired, this, [this](int col, int row) {
        journal("shot-received", QString::number(col) + u' ' + QString::number(row));
        m_shotToDraw = true;
    });
    connect(&m_play, &NetPlay::peerAimed, this, &NetworkController::showPeerAim);
    // The editor is made after this controller: reached when the news comes.
    connect(&m_play, &NetPlay::addressFilled, this,
            [this](const QString &text) { m_windows.editor->setAddress(text); });
    connect(&m_play, &NetPlay::hostFilled, this, [this](const QString &text) {
        journal("host", text);
        m_windows.editor->setHost(text);
    });
    connect(&m_play, &NetPlay::portFilled, this,
            [this](const QString &text) { m_windows.editor->setPort(text); });
    connect(&m_play, &NetPlay::connectEnabledChanged, this,
            [this](bool enabled) { m_windows.editor->setConnectEnabled(enabled); });
    connect(&m_play, &NetPlay::statusChanged, this, &NetworkController::showStatus);
    connect(&m_play, &NetPlay::lampShown, this, &NetworkController::setLamp);
    connect(&m_play, &NetPlay::soundRequested, this,
            [this](const QString &name) { m_audio.playSound(name); });
    connect(&m_play, &NetPlay::chatLineAdded, this, &NetworkController::addChatLine);
    connect(&m_play, &NetPlay::chatInputCleared, this, [this] { m_windows.chat->clearInput(); });
    connect(&m_play, &NetPlay::invitationRefused, this, &NetworkController::showRefusal);
    connect(&m_play, &NetPlay::peerAborted, this, &NetworkController::showPeerAborted);
    connect(&m_play, &NetPlay::waitingChanged, this, &NetworkController::showWaiting);
    if (m_journal.isOpen()) {
        connect(m_foundGames, &QAbstractItemModel::rowsInserted, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::rowsRemoved, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::dataChanged, this, journalGames);
    }
}

NetworkController::~NetworkController() = default;

void NetworkController::attachWindows(const NetworkWindows &windows)
{
    m_windows = windows;
    EditorWindow &editor = *windows.editor;
    connect(&m_play, &NetPlay::opponentCaptionChanged, windows.opponentFrame, &QGroupBox::setTitle);
    connect(&m_play, &NetPlay::opponentBoardHiddenChanged, windows.opponentBoard,
            &BoardView::setConcealed);
    connect(windows.chat, &ChatWindow::sendRequested, this, &NetworkController::chatSend);

    connect(&editor, &EditorWindow::connectRequested, this, [this] { m_play.connectToPeer(); });
    connect(&editor, &EditorWindow::disconnectRequested, this,
            [this] { m_play.disconnectFromPeer(); });
    editor.offerFoundGames(m_foundGames);
    editor.setPortMappingOn(m_portMappingOn);
    connect(&editor, &EditorWindow::portMappingToggled, this, &NetworkController::setPortMappingOn);
    connect(&editor, &EditorWindow::gameChosen, this, &NetworkController::chooseFoundGame);
    if (m_journal.isOpen()) {
        m_ownBoard = windows.ownBoard;
        m_opponentBoard = windows.opponentBoard;
        windows.ownBoard->installEventFilter(this);
        windows.opponentBoard->installEventFilter(this);
    }
}

void NetworkController::journal(const char *kind, const QString &text)
{
    if (!m_journal.isOpen())
        return;
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto micros = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    QByteArray line = QByteArray::number(static_cast<qint64>(micros)) + ' ' + kind;
    if (!text.isEmpty())
        line += ' ' + text.toUtf8();
    m_journal.write(line + '\n');
}

bool NetworkController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_opponentBoard && event->type() == QEvent::MouseButtonPress)
        journal("click");
    else if (watched == m_ownBoard && event->type() == QEvent::Paint && m_shotToDraw) {
        m_shotToDraw = false;
        journal("shot-drawn");
    }
    return QObject::eventFilter(watched, event);
}

void NetworkController::startServer()
{
    m_play.startServer();
    announceGame();
    m_globalIpv6 = findGlobalIpv6();
    updatePortMapping();
}

void NetworkController::setPortMappingOn(bool on)
{
    m_portMappingOn = on;
    // Read again: the language is kept in the same file. Not kept when the
    // file cannot be replaced (something else in its place): the switch
    // still holds for this run.
    SettingsFile::Values values = m_settingsFile.read();
    values.insert(kPortMappingKey, on ? QStringLiteral("true") : QStringLiteral("false"));
    m_settingsFile.write(values);
    journal("port-mapping", on ? QStringLiteral("on") : QStringLiteral("off"));
    updatePortMapping();
}

void NetworkController::updatePortMapping()
{
    const auto listening = static_cast<quint16>(m_play.link().listeningPort());
    const bool wanted = m_portMappingOn && m_portMappingAllowed && listening != 0;
    if (wanted && listening != m_mappedPort) {
        m_mappedPort = listening;
        m_portMapper->start(listening);
    } else if (!wanted && m_mappedPort != 0) {
        m_mappedPort = 0;
        m_portMapper->stop();
    }
    showOwnAddress();
}

void NetworkController::stopPortMapping()
{
    m_mappedPort = 0;
    m_portMapper->stop();
}

void NetworkController::showOwnAddress()
{
    if (!m_windows.editor)
        return;
    const PeerLink &link = m_play.link();
    const auto listening = static_cast<quint16>(link.listeningPort());
    const OwnAddress own = describeListenFailure(link.listenFailure(), m_play.serverPort(), m_game.settings())
                               .value_or(describeOwnAddress(
                                   m_portMapper->state(), m_portMappingOn && m_portMappingAllowed,
                                   listening, m_globalIpv6, m_game.settings()));
    if (own.line != m_ownAddressShown) {
        m_ownAddressShown = own.line;
        journal("own-address", own.line);
    }
    m_windows.editor->showOwnAddress(own.line, own.explanation, own.address);
}

void NetworkController::announceGame()
{
    m_discovery->announce(
        {m_game.settings().playerName, m_game.boards().areaSize, m_play.link().listeningPort()});
}

void NetworkController::chooseFoundGame(const QString &address, int port)
{
    // The host field would win over the address; the game's port is the one
    // both sides must use.
    journal("chosen", address);
    m_windows.editor->setHost(QString());
    m_windows.editor->setPort(QString::number(port));
}

void NetworkController::sendUserInfoIfIdle()
{
    m_play.sendUserInfoIfIdle();
    announceGame();
}

void NetworkController::showConnectionState()
{
    m_inTick = true;
    m_play.showConnectionState();
    m_inTick = false;
    // The program that held the port may have ended: take the port as soon
    // as it is free, so that the player need not do anything.
    PeerLink &link = m_play.link();
    if (!link.isListening() && link.listenFailure() == PeerLink::ListenFailure::InUse)
        link.listen(m_play.serverPort());
    announceGame(); // the port may have changed with the connect button
    updatePortMapping();
}

void NetworkController::sendAim(QPoint cell)
{
    m_play.sendAim(cell.x(), cell.y());
}

void NetworkController::chatSend()
{
    m_play.chatSend();
}

QString NetworkController::addressField()
{
    return m_windows.editor->address();
}

QString NetworkController::hostField()
{
    return m_windows.editor->host();
}

QString NetworkController::portField()
{
    return m_windows.editor->port();
}

void NetworkController::showStatus(const QString &text)
{
    // Every tick of an unlinked program repeats "no connection"; the
    // journal keeps what the ticks change only.
    EditorWindow &editor = *m_windows.editor;
    if (!m_inTick || editor.networkStatus() != text)
        journal("status", text);
    editor.setNetworkStatus(text);
}

void NetworkController::setLamp(bool linked)
{
    if (m_lampLinked != linked)
        journal("lamp", linked ? QStringLiteral("lime") : QStringLiteral("red"));
    m_lampLinked = linked;
    m_windows.editor->setLinked(linked);
}

QString NetworkController::missCue()
{
    return drawCue(ShotCue::Miss, m_random);
}

QString NetworkController::chatInput()
{
    return m_windows.chat->input();
}

void NetworkController::addChatLine(const QString &line)
{
    journal("chat", line);
    m_windows.chat->addLine(line);
}

void NetworkController::askInvitation(const QString &text, std::function<void(bool)> answered)
{
    journal("ask", text);
    m_feedback.message(m_windows.main, text, QStringLiteral(":-D"), BoxIcon::Question,
                       BoxButtons::YesNo, BoxAnswer::Yes,
                       [this, answered = std::move(answered)](BoxAnswer answer) {
                           const bool yes = answer == BoxAnswer::Yes;
                           journal("answer", yes ? QStringLiteral("yes") : QStringLiteral("no"));
                           answered(yes);
                       });
}

void NetworkController::showRefusal(const QString &text)
{
    journal("refused", text);
    m_feedback.message(m_windows.main, text, QStringLiteral(":("), BoxIcon::Information,
                       BoxButtons::Ok, BoxAnswer::Ok);
}

void NetworkController::showPeerAborted(const QString &text)
{
    journal("aborted", text);
    m_feedback.message(m_windows.main, text, QStringLiteral(":-("), BoxIcon::Exclamation,
                       BoxButtons::Ok, BoxAnswer::Ok);
}

void NetworkController::showWaiting(bool shown)
{
    WaitingDialog *waiting = m_windows.waiting;
    m_windows.main->setEnabled(!shown);
    m_windows.editor->setEnabled(!shown);
    if (!shown) {
        waiting->hide();
        return;
    }
    journal("waiting");
    waiting->show();
    centerOnScreen(waiting); // its frame is known once shown
}

void NetworkController::showPeerAim(int col, int row)
{
    m_windows.ownBoard->repaintBoard();
    m_windows.ownBoard->stampCell(Pictures::get().cellPictures.value(Pictures::Sight), {col, row});
}

} // namespace tw
