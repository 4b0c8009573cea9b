#include "network.h"

#include "addressbox.h"
#include "feedback.h"
#include "mainwindow.h"
#include "net/avahidiscovery.h"
#include "net/foundgames.h"
#include "pictures.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <chrono>

namespace tw {

NetworkController::NetworkController(MainWindow &main)
    : QObject(&main), m_main(main), m_play(gameState(), *this, this),
      m_discovery(new AvahiDiscovery(this)), m_foundGames(new FoundGamesModel(m_discovery, this))
{
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
    connect(&m_play, &NetPlay::invitationAccepted, &m_main, &MainWindow::startMatch);
    if (m_journal.isOpen()) {
        connect(m_foundGames, &QAbstractItemModel::rowsInserted, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::rowsRemoved, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::dataChanged, this, journalGames);
    }
}

NetworkController::~NetworkController() = default;

void NetworkController::attachWindows()
{
    EditorWindow *editor = m_main.m_editorWindow;
    connect(editor->m_connectButton, &QPushButton::clicked, this,
            [this] { m_play.connectToPeer(); });
    connect(editor->m_disconnectButton, &QPushButton::clicked, this,
            [this] { m_play.disconnectFromPeer(); });
    auto *addressBox = new AddressBox(editor->m_addressEdit, m_foundGames);
    connect(addressBox, &AddressBox::gameChosen, this, &NetworkController::chooseFoundGame);
    if (m_journal.isOpen()) {
        m_ownBoard = m_main.m_ownBoard;
        m_opponentBoard = m_main.m_opponentBoard;
        m_main.m_ownBoard->installEventFilter(this);
        m_main.m_opponentBoard->installEventFilter(this);
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
}

void NetworkController::announceGame()
{
    const GameState &game = gameState();
    m_discovery->announce(
        {game.settings.playerName, game.boards.areaSize, m_play.link().listeningPort()});
}

void NetworkController::chooseFoundGame(const QString &address, int port)
{
    // The host field would win over the address; the game's port is the one
    // both sides must use.
    journal("chosen", address);
    setHostField(QString());
    setPortField(QString::number(port));
}

bool NetworkController::peerConnected()
{
    return m_play.peerConnected();
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
    announceGame(); // the port may have changed with the connect button
}

void NetworkController::sendAim()
{
    m_play.sendAim();
}

void NetworkController::chatSend()
{
    m_play.chatSend();
}

QString NetworkController::addressField()
{
    return m_main.m_editorWindow->m_addressEdit->text();
}

QString NetworkController::hostField()
{
    return m_main.m_editorWindow->m_hostEdit->text();
}

QString NetworkController::portField()
{
    return m_main.m_editorWindow->m_portEdit->text();
}

void NetworkController::setAddressField(const QString &text)
{
    m_main.m_editorWindow->m_addressEdit->setText(text);
}

void NetworkController::setHostField(const QString &text)
{
    m_main.m_editorWindow->m_hostEdit->setText(text);
}

void NetworkController::setPortField(const QString &text)
{
    m_main.m_editorWindow->m_portEdit->setText(text);
}

void NetworkController::setConnectEnabled(bool enabled)
{
    m_main.m_editorWindow->m_connectButton->setEnabled(enabled);
}

void NetworkController::showStatus(const QString &text)
{
    // Every tick of an unlinked program repeats "no connection"; the
    // journal keeps what the ticks change only.
    if (!m_inTick || m_main.m_editorWindow->m_networkStatusLabel->text() != text)
        journal("status", text);
    m_main.m_editorWindow->m_networkStatusLabel->setText(text);
}

void NetworkController::setLamp(bool linked)
{
    // The lamp colours of the network options: lime, or red.
    const QColor colour = linked ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00);
    if (m_main.m_editorWindow->m_connectionLamp->brushColor() != colour)
        journal("lamp", linked ? QStringLiteral("lime") : QStringLiteral("red"));
    m_main.m_editorWindow->m_connectionLamp->setBrushColor(colour);
}

void NetworkController::playSound(const QString &name)
{
    m_main.audio().playSound(name);
}

QString NetworkController::missCue()
{
    return m_main.audio().missCue();
}

QString NetworkController::chatInput()
{
    return m_main.m_chatWindow->m_input->text();
}

void NetworkController::clearChatInput()
{
    m_main.m_chatWindow->m_input->clear();
}

void NetworkController::addChatLine(const QString &line)
{
    journal("chat", line);
    m_main.m_chatWindow->addHistoryLine(line);
}

bool NetworkController::askInvitation(const QString &text)
{
    journal("ask", text);
    const bool yes = uiFeedback().message(&m_main, text, QStringLiteral(":-D"), BoxIcon::Question,
                                          BoxButtons::YesNo, BoxAnswer::Yes) == BoxAnswer::Yes;
    journal("answer", yes ? QStringLiteral("yes") : QStringLiteral("no"));
    return yes;
}

void NetworkController::showRefusal(const QString &text)
{
    journal("refused", text);
    uiFeedback().message(&m_main, text, QStringLiteral(":("), BoxIcon::Information, BoxButtons::Ok,
                         BoxAnswer::Ok);
}

void NetworkController::showPeerAborted(const QString &text)
{
    journal("aborted", text);
    uiFeedback().message(&m_main, text, QStringLiteral(":-("), BoxIcon::Exclamation, BoxButtons::Ok,
                         BoxAnswer::Ok);
}

void NetworkController::showWaiting(bool shown)
{
    WaitingDialog *waiting = m_main.m_waitingDialog;
    m_main.setEnabled(!shown);
    m_main.m_editorWindow->setEnabled(!shown);
    if (!shown) {
        waiting->hide();
        return;
    }
    journal("waiting");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    waiting->show();
    const QRect frame = waiting->frameGeometry();
    waiting->move(screen.x() + (screen.width() - frame.width()) / 2,
                  screen.y() + (screen.height() - frame.height()) / 2);
}

void NetworkController::setOpponentBoardCaption(const QString &caption)
{
    m_main.m_opponentBoardFrame->setTitle(caption);
}

void NetworkController::paintOpponentBoard()
{
    m_main.paintOpponentBoard();
}

void NetworkController::showPeerAim(int col, int row)
{
    constexpr int W = Pictures::W;
    constexpr int H = Pictures::H;
    m_main.paintOwnBoard();
    m_main.m_ownBoard->stamp(Pictures::get().cellPictures.value(Pictures::Sight),
                             {(col + 1) * W, (row + 1) * H});
}

} // namespace tw
