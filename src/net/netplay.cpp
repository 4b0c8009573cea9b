#include "net/netplay.h"

#include "model/board.h"
#include "model/placement.h"
#include "model/shots.h"
#include "util/cp1251.h"

#include <QCoreApplication>
#include <QTimer>
#include <cmath>
#include <cstdint>

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

// Text from the peer, for the windows: every byte one character, control
// characters shown as blanks so that a line stays one line.
QString peerText(QByteArrayView bytes)
{
    QString text = fromCp1251(bytes);
    for (QChar &c : text)
        if (c.unicode() < 32)
            c = u' ';
    return text;
}

QString peerName(QByteArrayView bytes)
{
    return peerText(bytes.first(std::min<qsizetype>(bytes.size(), NetPlay::kMaxNameLength)));
}

// The area size of a C or U packet: a decimal number that fits a byte.
std::optional<int> areaSizeField(QByteArrayView field)
{
    const std::optional<int> n = decimalField(field);
    if (!n || *n > 255)
        return std::nullopt;
    return n;
}

// A text field as the packet builders put it on the wire.
QByteArray wireText(const QString &text)
{
    QByteArray bytes = toCp1251(text);
    bytes.replace(kFieldSeparator, ' ');
    if (bytes.isEmpty())
        bytes = " ";
    return bytes;
}

QByteArray ownBoardText(const GameState &game)
{
    return QByteArray::fromStdString(boardToText(game.boards.ownBoard));
}

// A received board that may be played against: exactly the 225 letters of a
// board holding a complete, legal fleet for the area in the placement phase.
bool readPeerFleet(QByteArrayView text, int areaSize, Board &board)
{
    if (text.size() != BoardCells)
        return false;
    if (!textToBoard(std::string_view(text.data(), static_cast<std::size_t>(text.size())), board))
        return false;
    return isLegalFleet(board, areaSize);
}

std::uint64_t tossHash(QByteArrayView bytes)
{
    std::uint64_t h = 14695981039346656037ull; // FNV-1a
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ull;
    }
    // FNV's low bits depend on few input bits: mix the high ones down.
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdull;
    h ^= h >> 33;
    return h;
}

} // namespace

bool firesFirst(QByteArrayView ownBoard, QByteArrayView ownName, QByteArrayView peerBoard,
                QByteArrayView peerName)
{
    const QByteArray own = ownBoard.toByteArray() + '\n' + ownName.toByteArray();
    const QByteArray peer = peerBoard.toByteArray() + '\n' + peerName.toByteArray();
    if (own == peer)
        return false;
    // Both sides order the pair the same way, so they toss the same coin.
    const bool ownLower = own < peer;
    const QByteArray &lower = ownLower ? own : peer;
    const QByteArray &higher = ownLower ? peer : own;
    const bool lowerFirst = (tossHash(lower + '\0' + higher) & 1u) != 0;
    return ownLower == lowerFirst;
}

NetPlay::NetPlay(GameState &game, NetPlayHost &host, QObject *parent)
    : QObject(parent), m_game(game), m_host(host)
{
    m_random.seedFromClock();
    m_link.setHandler(this);
    connect(&m_link, &PeerLink::clientConnected, this, &NetPlay::onConnected);
    connect(&m_link, &PeerLink::socketError, this, &NetPlay::onConnectError);
    connect(&m_link, &PeerLink::clientHostNameFound, this, &NetPlay::onClientHostNameFound);
}

NetPlay::~NetPlay()
{
    m_link.setHandler(nullptr);
}

QString NetPlay::localized(const char *english, const char *russian) const
{
    return QString::fromUtf8(m_game.settings.englishUi ? english : russian);
}

void NetPlay::showStatus(const QString &text)
{
    m_status = text;
    m_host.showStatus(text);
}

void NetPlay::startServer()
{
    showStatus(localized("server init: Ok", "инициализация сервера: Ок"));
    if (!m_link.listen(m_serverPort))
        showStatus(localized("server error!", "ошибка сервера!"));
}

void NetPlay::connectToPeer()
{
    bool isNumber = false;
    const double number = m_host.portField().toDouble(&isNumber);
    if (!isNumber || std::isnan(number))
        return;
    const QString address = m_host.addressField().trimmed();
    const QString hostName = m_host.hostField().trimmed();
    if (address.isEmpty() && hostName.isEmpty())
        return;
    const double port = number < 0 || number > 2147483647.0 ? kFallbackPort : number;
    m_serverPort = static_cast<int>(std::nearbyint(port)); // a half to the even neighbour
    m_host.setPortField(QString::number(m_serverPort));
    m_link.closeClient();
    startServer();
    if (!m_link.isListening())
        return;
    m_host.setConnectEnabled(false);
    m_link.connectToPeer(address, hostName, m_serverPort);
}

void NetPlay::disconnectFromPeer()
{
    if (m_link.isClientActive()) {
        m_link.closeClient();
        m_host.playSound(m_host.missCue());
    } else {
        m_link.closeClient(); // an attempt still under way
    }
    m_host.setConnectEnabled(true);
}

void NetPlay::onConnected()
{
    const QString name = m_link.clientRemoteHostName();
    showStatus(localized("connection established: ", "успешное подключение: ") + name);
    m_host.setConnectEnabled(true);
    m_host.setAddressField(m_link.clientRemoteAddress().toString());
    m_host.setHostField(name);
    sendPacket(m_link, makeConnectionInvite(m_game.settings.playerName, m_game.boards.areaSize));
    m_host.playSound(QStringLiteral("CONNECT"));
}

void NetPlay::onClientHostNameFound(const QString &name)
{
    // The look-up answers after the connect; its name completes the status
    // text of the connect while that is still shown.
    const QString shown = m_status;
    m_host.setHostField(name);
    for (const QString &prefix :
         {QStringLiteral("connection established: "), QStringLiteral("успешное подключение: ")})
        if (shown.startsWith(prefix))
            showStatus(prefix + name);
}

void NetPlay::onConnectError()
{
    showStatus(localized("connection error!", "ошибка подключения!"));
    m_host.setConnectEnabled(true);
}

void NetPlay::showConnectionState()
{
    if (peerConnected()) {
        m_host.setLamp(true);
        return;
    }
    m_host.setLamp(false);
    showStatus(localized("no connection", "нет подключения"));
}

void NetPlay::sendUserInfo()
{
    sendPacket(m_link, makeUserInfoChange(m_game.settings.playerName, m_game.boards.areaSize));
}

void NetPlay::sendUserInfoIfIdle()
{
    if (peerConnected() && !m_game.match.gameInProgress)
        sendUserInfo();
}

bool NetPlay::fromPeer(const IncomingConnection &from) const
{
    return m_link.isClientActive() && from.remoteAddress == m_link.clientRemoteAddress();
}

void NetPlay::handlePacket(char type, const PacketFields &fields, const IncomingConnection &from)
{
    // While a match runs only its own traffic counts, and only the chat
    // outside it; a packet with the wrong number of fields is no packet.
    const bool inMatch = m_game.match.gameInProgress;
    const int count = payloadCount(fields);
    switch (type) {
    case PacketType::ChatMsg:
        if (count == kNameAndNumberFields && fromPeer(from))
            handleChat(fields);
        break;
    case PacketType::ConnectionInvite:
        if (count == kNameAndNumberFields && !inMatch)
            handleConnectionInvite(fields, from);
        break;
    case PacketType::UserInfoChange:
        if (count == kNameAndNumberFields && !inMatch)
            handleUserInfo(fields);
        break;
    case PacketType::AreaData:
        if (count == kAreaDataFields && !inMatch && fromPeer(from))
            handleAreaData(fields);
        break;
    case PacketType::gameAborted:
        if (count == kNameAndNumberFields && inMatch && fromPeer(from))
            handleGameAborted(fields);
        break;
    case PacketType::ShotData:
        if (count == kNameAndNumberFields && inMatch && fromPeer(from))
            handleShotData(fields);
        break;
    case PacketType::TargetCoords:
        if (count == kNameAndNumberFields && inMatch && fromPeer(from))
            handleTargetCoords(fields);
        break;
    default:
        break;
    }
}

void NetPlay::showOpponentStatus(const QString &name, int areaSize)
{
    const QString n = QString::number(areaSize);
    showStatus(
        m_game.settings.englishUi
            ? QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") + n + u')'
            : QStringLiteral("Ваш супостат: ") + name + QStringLiteral(" (поле: ") + n + u')');
}

void NetPlay::handleConnectionInvite(const PacketFields &fields, const IncomingConnection &from)
{
    const std::optional<int> areaSize = areaSizeField(fields.payload(2));
    if (!areaSize)
        return;
    // No connection back to this very machine, nor away from a link that
    // already goes to another machine.
    const bool fromThisMachine = from.remoteAddress == from.localAddress;
    const bool linkedElsewhere =
        m_link.isClientActive() && m_link.clientRemoteAddress() != from.localAddress;
    if (!fromThisMachine && !linkedElsewhere) {
        m_host.setAddressField(from.remoteAddress.toString());
        m_host.setPortField(QString::number(m_link.listeningPort()));
        m_host.setHostField(from.remoteHostName);
        connectToPeer();
    }
    showOpponentStatus(peerName(fields.payload(1)), *areaSize);
    if (peerConnected())
        sendUserInfo();
}

void NetPlay::handleUserInfo(const PacketFields &fields)
{
    if (const std::optional<int> areaSize = areaSizeField(fields.payload(2)))
        showOpponentStatus(peerName(fields.payload(1)), *areaSize);
}

void NetPlay::handleChat(const PacketFields &fields)
{
    m_host.addChatLine(u'<' + peerName(fields.payload(1)) + QStringLiteral("> ") +
                       peerText(fields.payload(2)));
}

bool NetPlay::waitingForAnswer() const
{
    const AgreementState &a = m_game.agreement;
    return a.awaitingConfirmation && !a.acceptedByUs && !a.inviteDeclined && !a.inviteAccepted;
}

bool NetPlay::readyFor(int areaSize) const
{
    Readiness facts;
    facts.gameInProgress = m_game.match.gameInProgress;
    facts.fleetComplete = fleetComplete(m_game.boards.placedFleet);
    facts.hasPlayerName = !m_game.settings.playerName.isEmpty();
    facts.areaSize = m_game.boards.areaSize;
    facts.modalBusy = m_game.modalBusy;
    return readyForNetworkGame(areaSize, facts);
}

void NetPlay::sendAreaData(bool accepted, char startDigit)
{
    sendPacket(m_link,
               makeAreaData(m_game.settings.playerName, m_game.boards.areaSize,
                            QString::fromLatin1(ownBoardText(m_game)), accepted, startDigit));
}

void NetPlay::noteRefusal()
{
    m_game.agreement.inviteDeclined = true;
    const QString text =
        localized("The user doesn't ready to game, or area sizes miscoincide.",
                  "Пользователь, которому вы отправили запрос, еще не готов к игре "
                  "или несовпадают размеры полей.");
    QTimer::singleShot(0, this, [this, text] { m_host.showRefusal(text); });
}

void NetPlay::decline(char startDigit)
{
    // Answered even while this side waits for its own answer: when the two
    // invitations crossed, the peer waits for one too.
    sendAreaData(false, startDigit);
    noteRefusal();
}

void NetPlay::takePeerBoard(const Invitation &invitation)
{
    BoardState &b = m_game.boards;
    b.opponentBoard = invitation.board;
    armBoard(b.opponentBoard, b.areaSize);
    m_host.setOpponentBoardCaption(u' ' + invitation.name + u' ');
    m_game.match.opponentName = invitation.name;
}

// Who fires first. The invited side draws it at random and sends it back as
// the start digit: "1" when it fires first itself, "0" when the inviting side
// does; the inviting side always obeys it.
//
// When both players press Start at about the same time, the two invitations
// cross: each side, waiting for its answer, receives the other's invitation
// and takes it for the answer. An invitation's "1" and an accepting "1" are
// the same on the wire, so only the marker of this program's invitations
// (kTossingInvitationStart) tells a crossing apart. With the marker, both
// sides are this program and each tosses firesFirst() over the two fleets and
// names, which gives exactly one of them the first shot. Without it the "1" is
// obeyed as it stands: the peer fires first. A crossing with a peer that does
// not toss thus leaves the first shot to neither side, as it would between
// two such peers; the players abort and start again.
bool NetPlay::firesFirstAfterAnswer(const Invitation &answer) const
{
    if (answer.tossing)
        return firesFirst(ownBoardText(m_game), wireText(m_game.settings.playerName),
                          answer.boardText, answer.nameBytes);
    return answer.startField == "0";
}

void NetPlay::handleAreaData(const PacketFields &fields)
{
    AgreementState &a = m_game.agreement;
    const QByteArray &answer = fields.payload(4);
    const QByteArray &start = fields.payload(5);
    const char startDigit = start.isEmpty() ? '1' : start.front();
    if (answer != "Y") {
        // Only an answer to this side's invitation; any other refusal is noise.
        if (waitingForAnswer())
            noteRefusal();
        return;
    }

    Invitation invitation;
    invitation.nameBytes = fields.payload(1);
    invitation.name = peerName(invitation.nameBytes);
    invitation.boardText = fields.payload(3);
    invitation.startDigit = startDigit;
    invitation.startField = start;
    invitation.tossing = start == kTossingInvitationStart;
    const std::optional<int> areaSize = decimalField(fields.payload(2));
    const bool acceptable = areaSize && readyFor(*areaSize) &&
                            readPeerFleet(invitation.boardText, *areaSize, invitation.board);

    if (waitingForAnswer()) {
        if (!acceptable || (start != "0" && start != "1" && !invitation.tossing)) {
            decline(startDigit);
            return;
        }
        takePeerBoard(invitation);
        m_game.match.playerTurn = firesFirstAfterAnswer(invitation);
        a.inviteAccepted = true;
        // The peer may fire at once: its shot waits until the match runs here.
        m_link.holdPackets();
        return;
    }
    // A second invitation while the player still has a first one to answer,
    // or one that comes while this side's own wait is ending, is refused.
    if (!acceptable || m_questionPending || a.awaitingConfirmation) {
        sendAreaData(false, startDigit);
        return;
    }
    // The question's modal loop must not run inside this packet's handling,
    // or no later packet of the connection would arrive while it is open.
    m_questionPending = true;
    m_invitation = invitation;
    QTimer::singleShot(0, this, &NetPlay::askInvitation);
}

void NetPlay::askInvitation()
{
    if (!m_questionPending)
        return;
    const Invitation invitation = m_invitation;
    AgreementState &a = m_game.agreement;
    if (waitingForAnswer()) {
        // The player pressed Start before the question came up: the
        // invitations crossed, and the peer's counts as the answer.
        m_questionPending = false;
        takePeerBoard(invitation);
        m_game.match.playerTurn = firesFirstAfterAnswer(invitation);
        a.inviteAccepted = true;
        m_link.holdPackets();
        return;
    }
    if (a.awaitingConfirmation || m_game.match.gameInProgress || !peerConnected()) {
        m_questionPending = false;
        sendAreaData(false, invitation.startDigit);
        return;
    }
    const QString text =
        m_game.settings.englishUi
            ? QStringLiteral("The player ") + invitation.name +
                  QStringLiteral(" inviting you to a new game. At this moment you're ready to "
                                 "play. Do you want to start game?")
            : QStringLiteral("Игрок ") + invitation.name +
                  QStringLiteral(" приглашает вас к игре. В данный момент вы готовы приступить к "
                                 "ней. Начать игру?");
    const bool yes = m_host.askInvitation(text);
    m_questionPending = false;
    // Things may have changed while the question was open.
    if (!yes || !peerConnected() || !readyFor(m_game.boards.areaSize) || a.awaitingConfirmation) {
        sendAreaData(false, invitation.startDigit);
        return;
    }

    a.awaitingConfirmation = true;
    a.acceptedByUs = true;
    takePeerBoard(invitation);
    const bool weFireFirst = m_random.randInt(2) == 1;
    m_game.match.playerTurn = weFireFirst;
    // The reply leaves before the match begins; Start then runs it.
    sendAreaData(true, weFireFirst ? '1' : '0');
    m_host.pressStart();
    if (a.awaitingConfirmation) { // Start refused to begin
        a.awaitingConfirmation = false;
        a.acceptedByUs = false;
        m_host.paintOpponentBoard();
    }
}

void NetPlay::handleGameAborted(const PacketFields &fields)
{
    // One notice at a time, however many packets come.
    if (m_abortNoticePending)
        return;
    m_abortNoticePending = true;
    const QString name = peerName(fields.payload(1));
    const QString text =
        m_game.settings.englishUi
            ? QStringLiteral("The player ") + name +
                  QStringLiteral(" is finished game. You must abort game too.")
            : QStringLiteral("Игрок ") + name +
                  QStringLiteral(" закончил игру. Вам необходимо выйти из игрового режима, т.к. "
                                 "игра далее не имеет смысла");
    QTimer::singleShot(0, this, [this, text] {
        m_host.showPeerAborted(text);
        m_abortNoticePending = false;
    });
}

void NetPlay::handleShotData(const PacketFields &fields)
{
    const std::optional<int> col = decimalField(fields.payload(1));
    const std::optional<int> row = decimalField(fields.payload(2));
    const int n = m_game.boards.areaSize;
    // The peer fires only in its own turn, and only inside the area; the
    // match refuses a cell that was shot before.
    if (!col || !row || *col >= n || *row >= n || m_game.match.playerTurn)
        return;
    m_host.opponentShot(*col, *row);
}

void NetPlay::handleTargetCoords(const PacketFields &fields)
{
    const std::optional<int> col = decimalField(fields.payload(1));
    const std::optional<int> row = decimalField(fields.payload(2));
    const int n = m_game.boards.areaSize;
    if (!col || !row || *col >= n || *row >= n)
        return;
    m_host.showPeerAim(*col, *row);
}

bool NetPlay::invitePeer()
{
    AgreementState &a = m_game.agreement;
    if (!peerConnected() || a.acceptedByUs)
        return true;
    a.awaitingConfirmation = true;
    sendPacket(m_link, makeInvitation(m_game.settings.playerName, m_game.boards.areaSize,
                                      QString::fromLatin1(ownBoardText(m_game))));
    a.inviteDeclined = false;
    a.inviteAccepted = false;
    m_host.showWaiting(true);
    // The answer comes through the dispatcher, which runs inside this loop.
    while (!a.inviteDeclined && !a.inviteAccepted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!peerConnected())
            a.inviteDeclined = true;
    }
    m_host.showWaiting(false);
    // Packets held since the answer are handed out once Start has begun
    // the match, which it does before it lets events run again.
    m_link.resumePackets();
    if (a.inviteDeclined) {
        a.awaitingConfirmation = false;
        m_host.paintOpponentBoard();
        return false;
    }
    return true;
}

void NetPlay::sendShot(int col, int row)
{
    sendPacket(m_link, makeShotData(col, row));
}

void NetPlay::sendGameAborted()
{
    sendPacket(m_link, makeGameAborted(m_game.settings.playerName, m_game.boards.areaSize));
}

void NetPlay::sendAim()
{
    const MatchState &m = m_game.match;
    AgreementState &a = m_game.agreement;
    if (!peerConnected() || !m.gameInProgress || m.aimCol == -1 || m.aimRow == -1)
        return;
    if (m.aimCol == a.sentAimCol && m.aimRow == a.sentAimRow)
        return;
    sendPacket(m_link, makeTargetCoords(m.aimCol, m.aimRow));
    a.sentAimCol = m.aimCol;
    a.sentAimRow = m.aimRow;
}

void NetPlay::chatSend()
{
    if (!peerConnected())
        return;
    QString text = m_host.chatInput();
    if (text.isEmpty())
        return;
    text.replace(u'|', u' ');
    // The echo shows what the peer will show: the text as it travels.
    const QString line = u'<' + fromCp1251(wireText(m_game.settings.playerName)) +
                         QStringLiteral("> ") + fromCp1251(wireText(text));
    m_host.addChatLine(line);
    const QByteArray body = makeChatMessage(m_game.settings.playerName, text);
    m_host.clearChatInput();
    sendPacket(m_link, body);
}

} // namespace tw
