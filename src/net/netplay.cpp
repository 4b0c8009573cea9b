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
int PayloadCount(const PacketFields &fields)
{
    for (int k = 0; k <= kMaxPacketFields - 3; ++k)
        if (fields.slot(k + 3) == kPacketEnd)
            return k;
    return -1;
}

// Text from the peer, for the windows: every byte one character, control
// characters shown as blanks so that a line stays one line.
QString PeerText(QByteArrayView bytes)
{
    QString text = FromCp1251(bytes);
    for (QChar &c : text)
        if (c.unicode() < 32)
            c = u' ';
    return text;
}

QString PeerName(QByteArrayView bytes)
{
    return PeerText(bytes.first(std::min<qsizetype>(bytes.size(), NetPlay::kMaxNameLength)));
}

// The area size of a C or U packet: a decimal number that fits a byte.
std::optional<int> AreaSizeField(QByteArrayView field)
{
    const std::optional<int> n = DecimalField(field);
    if (!n || *n > 255)
        return std::nullopt;
    return n;
}

// A text field as the packet builders put it on the wire.
QByteArray WireText(const QString &text)
{
    QByteArray bytes = ToCp1251(text);
    bytes.replace(kFieldSeparator, ' ');
    if (bytes.isEmpty())
        bytes = " ";
    return bytes;
}

QByteArray OwnBoardText(const GameState &game)
{
    return QByteArray::fromStdString(BoardToText(game.boards.OwnBoard));
}

// A received board that may be played against: exactly the 225 letters of a
// board holding a complete, legal fleet for the area in the placement phase.
bool ReadPeerFleet(QByteArrayView text, int areaSize, TBoard &board)
{
    if (text.size() != BoardCells)
        return false;
    if (!TextToBoard(std::string_view(text.data(), static_cast<std::size_t>(text.size())), board))
        return false;
    return IsLegalFleet(board, areaSize);
}

std::uint64_t TossHash(QByteArrayView bytes)
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

bool FiresFirst(QByteArrayView ownBoard, QByteArrayView ownName, QByteArrayView peerBoard,
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
    const bool lowerFirst = (TossHash(lower + '\0' + higher) & 1u) != 0;
    return ownLower == lowerFirst;
}

NetPlay::NetPlay(GameState &game, NetPlayHost &host, QObject *parent)
    : QObject(parent), m_game(game), m_host(host)
{
    m_random.seedFromClock();
    m_link.setHandler(this);
    connect(&m_link, &PeerLink::clientConnected, this, &NetPlay::ClientSocket1Connect);
    connect(&m_link, &PeerLink::socketError, this, &NetPlay::ClientSocket1Error);
    connect(&m_link, &PeerLink::clientHostNameFound, this, &NetPlay::ClientHostNameFound);
}

NetPlay::~NetPlay()
{
    m_link.setHandler(nullptr);
}

QString NetPlay::Tr(const char *english, const char *russian) const
{
    return QString::fromUtf8(m_game.settings.EnglishUI ? english : russian);
}

void NetPlay::ShowStatus(const QString &text)
{
    m_status = text;
    m_host.ShowStatus(text);
}

void NetPlay::StartServer()
{
    ShowStatus(Tr("server init: Ok", "инициализация сервера: Ок"));
    if (!m_link.listen(m_serverPort))
        ShowStatus(Tr("server error!", "ошибка сервера!"));
}

void NetPlay::Button4Click()
{
    bool isNumber = false;
    const double number = m_host.PortField().toDouble(&isNumber);
    if (!isNumber || std::isnan(number))
        return;
    const QString address = m_host.AddressField().trimmed();
    const QString hostName = m_host.HostField().trimmed();
    if (address.isEmpty() && hostName.isEmpty())
        return;
    const double port = number < 0 || number > 2147483647.0 ? kFallbackPort : number;
    m_serverPort = static_cast<int>(std::nearbyint(port)); // a half to the even neighbour
    m_host.SetPortField(QString::number(m_serverPort));
    m_link.closeClient();
    StartServer();
    if (!m_link.isListening())
        return;
    m_host.SetConnectEnabled(false);
    m_link.connectToPeer(address, hostName, m_serverPort);
}

void NetPlay::Button5Click()
{
    if (m_link.isClientActive()) {
        m_link.closeClient();
        m_host.PlaySound(m_host.MissCue());
    } else {
        m_link.closeClient(); // an attempt still under way
    }
    m_host.SetConnectEnabled(true);
}

void NetPlay::ClientSocket1Connect()
{
    const QString name = m_link.clientRemoteHostName();
    ShowStatus(Tr("connection established: ", "успешное подключение: ") + name);
    m_host.SetConnectEnabled(true);
    m_host.SetAddressField(m_link.clientRemoteAddress().toString());
    m_host.SetHostField(name);
    SendPacket(m_link, MakeConnectionInvite(m_game.settings.PlayerName, m_game.boards.AreaSize));
    m_host.PlaySound(QStringLiteral("CONNECT"));
}

void NetPlay::ClientHostNameFound(const QString &name)
{
    // The look-up answers after the connect; its name completes the status
    // text of the connect while that is still shown.
    const QString shown = m_status;
    m_host.SetHostField(name);
    for (const QString &prefix :
         {QStringLiteral("connection established: "), QStringLiteral("успешное подключение: ")})
        if (shown.startsWith(prefix))
            ShowStatus(prefix + name);
}

void NetPlay::ClientSocket1Error()
{
    ShowStatus(Tr("connection error!", "ошибка подключения!"));
    m_host.SetConnectEnabled(true);
}

void NetPlay::ShowConnectionState()
{
    if (PeerConnected()) {
        m_host.SetLamp(true);
        return;
    }
    m_host.SetLamp(false);
    ShowStatus(Tr("no connection", "нет подключения"));
}

void NetPlay::SendUserInfo()
{
    SendPacket(m_link, MakeUserInfoChange(m_game.settings.PlayerName, m_game.boards.AreaSize));
}

void NetPlay::SendUserInfoIfIdle()
{
    if (PeerConnected() && !m_game.match.GameInProgress)
        SendUserInfo();
}

bool NetPlay::FromPeer(const IncomingConnection &from) const
{
    return m_link.isClientActive() && from.remoteAddress == m_link.clientRemoteAddress();
}

void NetPlay::handlePacket(char type, const PacketFields &fields, const IncomingConnection &from)
{
    // While a match runs only its own traffic counts, and only the chat
    // outside it; a packet with the wrong number of fields is no packet.
    const bool inMatch = m_game.match.GameInProgress;
    const int count = PayloadCount(fields);
    switch (type) {
    case PacketType::ChatMsg:
        if (count == kNameAndNumberFields && FromPeer(from))
            HandleChat(fields);
        break;
    case PacketType::ConnectionInvite:
        if (count == kNameAndNumberFields && !inMatch)
            HandleConnectionInvite(fields, from);
        break;
    case PacketType::UserInfoChange:
        if (count == kNameAndNumberFields && !inMatch)
            HandleUserInfo(fields);
        break;
    case PacketType::AreaData:
        if (count == kAreaDataFields && !inMatch && FromPeer(from))
            HandleAreaData(fields);
        break;
    case PacketType::GameAborted:
        if (count == kNameAndNumberFields && inMatch && FromPeer(from))
            HandleGameAborted(fields);
        break;
    case PacketType::ShotData:
        if (count == kNameAndNumberFields && inMatch && FromPeer(from))
            HandleShotData(fields);
        break;
    case PacketType::TargetCoords:
        if (count == kNameAndNumberFields && inMatch && FromPeer(from))
            HandleTargetCoords(fields);
        break;
    default:
        break;
    }
}

void NetPlay::ShowOpponentStatus(const QString &name, int areaSize)
{
    const QString n = QString::number(areaSize);
    ShowStatus(
        m_game.settings.EnglishUI
            ? QStringLiteral("Your opponent: ") + name + QStringLiteral(" (area size: ") + n + u')'
            : QStringLiteral("Ваш супостат: ") + name + QStringLiteral(" (поле: ") + n + u')');
}

void NetPlay::HandleConnectionInvite(const PacketFields &fields, const IncomingConnection &from)
{
    const std::optional<int> areaSize = AreaSizeField(fields.payload(2));
    if (!areaSize)
        return;
    // No connection back to this very machine, nor away from a link that
    // already goes to another machine.
    const bool fromThisMachine = from.remoteAddress == from.localAddress;
    const bool linkedElsewhere =
        m_link.isClientActive() && m_link.clientRemoteAddress() != from.localAddress;
    if (!fromThisMachine && !linkedElsewhere) {
        m_host.SetAddressField(from.remoteAddress.toString());
        m_host.SetPortField(QString::number(m_link.listeningPort()));
        m_host.SetHostField(from.remoteHostName);
        Button4Click();
    }
    ShowOpponentStatus(PeerName(fields.payload(1)), *areaSize);
    if (PeerConnected())
        SendUserInfo();
}

void NetPlay::HandleUserInfo(const PacketFields &fields)
{
    if (const std::optional<int> areaSize = AreaSizeField(fields.payload(2)))
        ShowOpponentStatus(PeerName(fields.payload(1)), *areaSize);
}

void NetPlay::HandleChat(const PacketFields &fields)
{
    m_host.AddChatLine(u'<' + PeerName(fields.payload(1)) + QStringLiteral("> ") +
                       PeerText(fields.payload(2)));
}

bool NetPlay::WaitingForAnswer() const
{
    const AgreementState &a = m_game.agreement;
    return a.AwaitingConfirmation && !a.AcceptedByUs && !a.InviteDeclined && !a.InviteAccepted;
}

bool NetPlay::ReadyFor(int areaSize) const
{
    Readiness facts;
    facts.gameInProgress = m_game.match.GameInProgress;
    facts.fleetComplete = FleetComplete(m_game.boards.PlacedFleet);
    facts.hasPlayerName = !m_game.settings.PlayerName.isEmpty();
    facts.areaSize = m_game.boards.AreaSize;
    facts.modalBusy = m_game.ModalBusy;
    return ReadyForNetworkGame(areaSize, facts);
}

void NetPlay::SendAreaData(bool accepted, char startDigit)
{
    SendPacket(m_link,
               MakeAreaData(m_game.settings.PlayerName, m_game.boards.AreaSize,
                            QString::fromLatin1(OwnBoardText(m_game)), accepted, startDigit));
}

void NetPlay::NoteRefusal()
{
    m_game.agreement.InviteDeclined = true;
    const QString text = Tr("The user doesn't ready to game, or area sizes miscoincide.",
                            "Пользователь, которому вы отправили запрос, еще не готов к игре "
                            "или несовпадают размеры полей.");
    QTimer::singleShot(0, this, [this, text] { m_host.ShowRefusal(text); });
}

void NetPlay::Decline(char startDigit)
{
    // Answered even while this side waits for its own answer: when the two
    // invitations crossed, the peer waits for one too.
    SendAreaData(false, startDigit);
    NoteRefusal();
}

void NetPlay::TakePeerBoard(const Invitation &invitation)
{
    BoardState &b = m_game.boards;
    b.OpponentBoard = invitation.board;
    ArmBoard(b.OpponentBoard, b.AreaSize);
    m_host.SetOpponentBoardCaption(u' ' + invitation.name + u' ');
    m_game.match.OpponentName = invitation.name;
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
// sides are this program and each tosses FiresFirst() over the two fleets and
// names, which gives exactly one of them the first shot. Without it the "1" is
// obeyed as it stands: the peer fires first. A crossing with a peer that does
// not toss thus leaves the first shot to neither side, as it would between
// two such peers; the players abort and start again.
bool NetPlay::firesFirstAfterAnswer(const Invitation &answer) const
{
    if (answer.tossing)
        return FiresFirst(OwnBoardText(m_game), WireText(m_game.settings.PlayerName),
                          answer.boardText, answer.nameBytes);
    return answer.startField == "0";
}

void NetPlay::HandleAreaData(const PacketFields &fields)
{
    AgreementState &a = m_game.agreement;
    const QByteArray &answer = fields.payload(4);
    const QByteArray &start = fields.payload(5);
    const char startDigit = start.isEmpty() ? '1' : start.front();
    if (answer != "Y") {
        // Only an answer to this side's invitation; any other refusal is noise.
        if (WaitingForAnswer())
            NoteRefusal();
        return;
    }

    Invitation invitation;
    invitation.nameBytes = fields.payload(1);
    invitation.name = PeerName(invitation.nameBytes);
    invitation.boardText = fields.payload(3);
    invitation.startDigit = startDigit;
    invitation.startField = start;
    invitation.tossing = start == kTossingInvitationStart;
    const std::optional<int> areaSize = DecimalField(fields.payload(2));
    const bool acceptable = areaSize && ReadyFor(*areaSize) &&
                            ReadPeerFleet(invitation.boardText, *areaSize, invitation.board);

    if (WaitingForAnswer()) {
        if (!acceptable || (start != "0" && start != "1" && !invitation.tossing)) {
            Decline(startDigit);
            return;
        }
        TakePeerBoard(invitation);
        m_game.match.PlayerTurn = firesFirstAfterAnswer(invitation);
        a.InviteAccepted = true;
        // The peer may fire at once: its shot waits until the match runs here.
        m_link.holdPackets();
        return;
    }
    // A second invitation while the player still has a first one to answer,
    // or one that comes while this side's own wait is ending, is refused.
    if (!acceptable || m_questionPending || a.AwaitingConfirmation) {
        SendAreaData(false, startDigit);
        return;
    }
    // The question's modal loop must not run inside this packet's handling,
    // or no later packet of the connection would arrive while it is open.
    m_questionPending = true;
    m_invitation = invitation;
    QTimer::singleShot(0, this, &NetPlay::AskInvitation);
}

void NetPlay::AskInvitation()
{
    if (!m_questionPending)
        return;
    const Invitation invitation = m_invitation;
    AgreementState &a = m_game.agreement;
    if (WaitingForAnswer()) {
        // The player pressed Start before the question came up: the
        // invitations crossed, and the peer's counts as the answer.
        m_questionPending = false;
        TakePeerBoard(invitation);
        m_game.match.PlayerTurn = firesFirstAfterAnswer(invitation);
        a.InviteAccepted = true;
        m_link.holdPackets();
        return;
    }
    if (a.AwaitingConfirmation || m_game.match.GameInProgress || !PeerConnected()) {
        m_questionPending = false;
        SendAreaData(false, invitation.startDigit);
        return;
    }
    const QString text =
        m_game.settings.EnglishUI
            ? QStringLiteral("The player ") + invitation.name +
                  QStringLiteral(" inviting you to a new game. At this moment you're ready to "
                                 "play. Do you want to start game?")
            : QStringLiteral("Игрок ") + invitation.name +
                  QStringLiteral(" приглашает вас к игре. В данный момент вы готовы приступить к "
                                 "ней. Начать игру?");
    const bool yes = m_host.AskInvitation(text);
    m_questionPending = false;
    // Things may have changed while the question was open.
    if (!yes || !PeerConnected() || !ReadyFor(m_game.boards.AreaSize) || a.AwaitingConfirmation) {
        SendAreaData(false, invitation.startDigit);
        return;
    }

    a.AwaitingConfirmation = true;
    a.AcceptedByUs = true;
    TakePeerBoard(invitation);
    const bool weFireFirst = m_random.RandInt(2) == 1;
    m_game.match.PlayerTurn = weFireFirst;
    // The reply leaves before the match begins; Start then runs it.
    SendAreaData(true, weFireFirst ? '1' : '0');
    m_host.PressStart();
    if (a.AwaitingConfirmation) { // Start refused to begin
        a.AwaitingConfirmation = false;
        a.AcceptedByUs = false;
        m_host.PaintOpponentBoard();
    }
}

void NetPlay::HandleGameAborted(const PacketFields &fields)
{
    // One notice at a time, however many packets come.
    if (m_abortNoticePending)
        return;
    m_abortNoticePending = true;
    const QString name = PeerName(fields.payload(1));
    const QString text =
        m_game.settings.EnglishUI
            ? QStringLiteral("The player ") + name +
                  QStringLiteral(" is finished game. You must abort game too.")
            : QStringLiteral("Игрок ") + name +
                  QStringLiteral(" закончил игру. Вам необходимо выйти из игрового режима, т.к. "
                                 "игра далее не имеет смысла");
    QTimer::singleShot(0, this, [this, text] {
        m_host.ShowPeerAborted(text);
        m_abortNoticePending = false;
    });
}

void NetPlay::HandleShotData(const PacketFields &fields)
{
    const std::optional<int> col = DecimalField(fields.payload(1));
    const std::optional<int> row = DecimalField(fields.payload(2));
    const int n = m_game.boards.AreaSize;
    // The peer fires only in its own turn, and only inside the area; the
    // match refuses a cell that was shot before.
    if (!col || !row || *col >= n || *row >= n || m_game.match.PlayerTurn)
        return;
    m_host.OpponentShot(*col, *row);
}

void NetPlay::HandleTargetCoords(const PacketFields &fields)
{
    const std::optional<int> col = DecimalField(fields.payload(1));
    const std::optional<int> row = DecimalField(fields.payload(2));
    const int n = m_game.boards.AreaSize;
    if (!col || !row || *col >= n || *row >= n)
        return;
    m_host.ShowPeerAim(*col, *row);
}

bool NetPlay::InvitePeer()
{
    AgreementState &a = m_game.agreement;
    if (!PeerConnected() || a.AcceptedByUs)
        return true;
    a.AwaitingConfirmation = true;
    SendPacket(m_link, makeInvitation(m_game.settings.PlayerName, m_game.boards.AreaSize,
                                      QString::fromLatin1(OwnBoardText(m_game))));
    a.InviteDeclined = false;
    a.InviteAccepted = false;
    m_host.ShowWaiting(true);
    // The answer comes through the dispatcher, which runs inside this loop.
    while (!a.InviteDeclined && !a.InviteAccepted) {
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        if (!PeerConnected())
            a.InviteDeclined = true;
    }
    m_host.ShowWaiting(false);
    // Packets held since the answer are handed out once Start has begun
    // the match, which it does before it lets events run again.
    m_link.resumePackets();
    if (a.InviteDeclined) {
        a.AwaitingConfirmation = false;
        m_host.PaintOpponentBoard();
        return false;
    }
    return true;
}

void NetPlay::SendShot(int col, int row)
{
    SendPacket(m_link, MakeShotData(col, row));
}

void NetPlay::SendGameAborted()
{
    SendPacket(m_link, MakeGameAborted(m_game.settings.PlayerName, m_game.boards.AreaSize));
}

void NetPlay::SendAim()
{
    const MatchState &m = m_game.match;
    AgreementState &a = m_game.agreement;
    if (!PeerConnected() || !m.GameInProgress || m.AimCol == -1 || m.AimRow == -1)
        return;
    if (m.AimCol == a.SentAimCol && m.AimRow == a.SentAimRow)
        return;
    SendPacket(m_link, MakeTargetCoords(m.AimCol, m.AimRow));
    a.SentAimCol = m.AimCol;
    a.SentAimRow = m.AimRow;
}

void NetPlay::ChatSend()
{
    if (!PeerConnected())
        return;
    QString text = m_host.ChatInput();
    if (text.isEmpty())
        return;
    text.replace(u'|', u' ');
    // The echo shows what the peer will show: the text as it travels.
    const QString line = u'<' + FromCp1251(WireText(m_game.settings.PlayerName)) +
                         QStringLiteral("> ") + FromCp1251(WireText(text));
    m_host.AddChatLine(line);
    const QByteArray body = MakeChatMessage(m_game.settings.PlayerName, text);
    m_host.ClearChatInput();
    SendPacket(m_link, body);
}

} // namespace tw
