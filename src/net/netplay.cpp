// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/netplay.h"

#include "net/nettext.h"
#include "util/cp1251.h"

#include <QTimer>

namespace tw {

namespace {

// Payload fields that each packet type carries.
constexpr int kNameAndNumberFields = 2; // C, U, A; also S, T (column, row) and M
constexpr int kAreaDataFields = 5;

// How many payload fields the packet just cut holds: the end field follows
// the last one. -1 when the cut ended without an end field (eight fields).
int payloadCount(const PacketFields &fields)
{
    for (int k = 0; k <= kMaxPacketFields - 3; ++k)
        if (fields.slot(k + 3) == kPacketEnd)
            return k;
    return -1;
}

} // namespace

NetPlay::NetPlay(GameState &game, NetPlayPrompts &prompts, QObject *parent)
    : QObject(parent), m_game(game), m_prompts(prompts), m_connection(game, prompts),
      m_agreement(game, prompts, m_connection)
{
    link().setHandler(this);
    // Forwarded as they come (direct): the windows see them in the order
    // the parts emit them.
    connect(&m_agreement, &MatchAgreement::accepted, this, &NetPlay::invitationAccepted);
    connect(&m_agreement, &MatchAgreement::answered, this, &NetPlay::inviteAnswered);
    connect(&m_agreement, &MatchAgreement::refused, this, &NetPlay::invitationRefused);
    connect(&m_agreement, &MatchAgreement::waitingChanged, this, &NetPlay::waitingChanged);
    connect(&m_agreement, &MatchAgreement::opponentCaptionChanged, this,
            &NetPlay::opponentCaptionChanged);
    connect(&m_agreement, &MatchAgreement::opponentBoardHiddenChanged, this,
            &NetPlay::opponentBoardHiddenChanged);
    connect(&m_connection, &PeerConnection::statusChanged, this, &NetPlay::statusChanged);
    connect(&m_connection, &PeerConnection::lampShown, this, &NetPlay::lampShown);
    connect(&m_connection, &PeerConnection::connectEnabledChanged, this,
            &NetPlay::connectEnabledChanged);
    connect(&m_connection, &PeerConnection::addressFilled, this, &NetPlay::addressFilled);
    connect(&m_connection, &PeerConnection::hostFilled, this, &NetPlay::hostFilled);
    connect(&m_connection, &PeerConnection::portFilled, this, &NetPlay::portFilled);
    connect(&m_connection, &PeerConnection::soundRequested, this, &NetPlay::soundRequested);
}

NetPlay::~NetPlay()
{
    link().setHandler(nullptr);
}

void NetPlay::handlePacket(char type, const PacketFields &fields, const IncomingConnection &from)
{
    // While a match runs only its own traffic counts, and only the chat
    // outside it; a packet with the wrong number of fields is no packet.
    const bool inMatch = m_game.match().gameInProgress;
    const int count = payloadCount(fields);
    switch (type) {
    case PacketType::ChatMsg:
        if (count == kNameAndNumberFields && m_connection.fromPeer(from))
            handleChat(fields);
        break;
    case PacketType::ConnectionInvite:
        // This program's invite carries the port to connect back to as well.
        if ((count == kNameAndNumberFields || count == kNameAndNumberFields + 1) && !inMatch)
            m_connection.handleConnectionInvite(fields, from);
        break;
    case PacketType::UserInfoChange:
        if (count == kNameAndNumberFields && !inMatch)
            m_connection.handleUserInfo(fields, from);
        break;
    case PacketType::AreaData:
        if (count == kAreaDataFields && !inMatch && m_connection.fromPeer(from))
            m_agreement.handleAreaData(fields);
        break;
    case PacketType::gameAborted:
        if (count == kNameAndNumberFields && inMatch && m_connection.fromPeer(from))
            handleGameAborted(fields);
        break;
    case PacketType::ShotData:
        if (count == kNameAndNumberFields && inMatch && m_connection.fromPeer(from))
            handleShotData(fields);
        break;
    case PacketType::TargetCoords:
        if (count == kNameAndNumberFields && inMatch && m_connection.fromPeer(from))
            handleTargetCoords(fields);
        break;
    default:
        break;
    }
}

void NetPlay::handleChat(const PacketFields &fields)
{
    emit chatLineAdded(u'<' + peerName(fields.payload(1)) + QStringLiteral("> ") +
                       peerText(fields.payload(2)));
}

void NetPlay::handleGameAborted(const PacketFields &fields)
{
    // One notice at a time, however many packets come.
    if (m_abortNoticePending)
        return;
    m_abortNoticePending = true;
    const QString name = peerName(fields.payload(1));
    const QString text =
        catalogueOf(m_game.settings())
            .translate("NetPlay", "The player %1 is finished game. You must abort game too.")
            .arg(name);
    QTimer::singleShot(0, this, [this, text] {
        emit peerAborted(text);
        m_abortNoticePending = false;
    });
}

void NetPlay::handleShotData(const PacketFields &fields)
{
    const std::optional<int> col = decimalField(fields.payload(1));
    const std::optional<int> row = decimalField(fields.payload(2));
    // Whether the shot counts (the turn, the area, the cell) is the match's
    // to decide.
    if (col && row)
        emit peerFired(*col, *row);
}

void NetPlay::handleTargetCoords(const PacketFields &fields)
{
    const std::optional<int> col = decimalField(fields.payload(1));
    const std::optional<int> row = decimalField(fields.payload(2));
    const int n = m_game.boards().areaSize;
    if (!col || !row || *col >= n || *row >= n)
        return;
    emit peerAimed(*col, *row);
}

void NetPlay::sendShot(int col, int row)
{
    emit shotSent(col, row);
    sendPacket(link(), makeShotData(col, row));
}

void NetPlay::sendGameAborted()
{
    sendPacket(link(), makeGameAborted(m_game.settings().playerName, m_game.boards().areaSize));
}

void NetPlay::sendAim(int col, int row)
{
    const MatchState &m = m_game.match();
    if (!peerConnected() || !m.gameInProgress || col == -1 || row == -1)
        return;
    if (m_sentAim == std::pair(col, row))
        return;
    sendPacket(link(), makeTargetCoords(col, row));
    m_sentAim = std::pair(col, row);
}

std::optional<AgreedMatch> NetPlay::takeAgreedMatch()
{
    m_sentAim.reset();
    return m_agreement.takeAgreedMatch();
}

void NetPlay::chatSend()
{
    if (!peerConnected())
        return;
    QString text = m_prompts.chatInput();
    if (text.isEmpty())
        return;
    text.replace(u'|', u' ');
    // The echo shows what the peer will show: the text as it travels.
    const QString line = u'<' + fromCp1251(wireText(m_game.settings().playerName)) +
                         QStringLiteral("> ") + fromCp1251(wireText(text));
    emit chatLineAdded(line);
    const QByteArray body = makeChatMessage(m_game.settings().playerName, text);
    emit chatInputCleared();
    sendPacket(link(), body);
}

} // namespace tw
