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

NetworkController::NetworkController(TForm1 &main)
    : QObject(&main), m_main(main), m_play(Game(), *this, this),
      m_discovery(new AvahiDiscovery(this)), m_foundGames(new FoundGamesModel(m_discovery, this))
{
    const QString address = qEnvironmentVariable("TARNWAKE_NET_ADDRESS");
    if (!address.isEmpty())
        m_play.link().setLocalAddress(QHostAddress(address));
    const QString journal = qEnvironmentVariable("TARNWAKE_NET_JOURNAL");
    if (!journal.isEmpty()) {
        m_journal.setFileName(journal);
        if (!m_journal.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
            m_journal.setFileName(QString());
    }
    // The drop-down list of games found, each time it changes, its rows
    // joined by " | " (no player name holds one).
    const auto journalGames = [this] {
        QStringList rows;
        for (int row = 0; row < m_foundGames->rowCount(); ++row)
            rows << m_foundGames->index(row).data().toString();
        Journal("games", rows.join(QStringLiteral(" | ")));
    };
    if (m_journal.isOpen()) {
        connect(m_foundGames, &QAbstractItemModel::rowsInserted, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::rowsRemoved, this, journalGames);
        connect(m_foundGames, &QAbstractItemModel::dataChanged, this, journalGames);
    }
}

NetworkController::~NetworkController() = default;

void NetworkController::AttachWindows()
{
    TForm2 *editor = m_main.Form2;
    connect(editor->Button4, &QPushButton::clicked, this, [this] { m_play.Button4Click(); });
    connect(editor->Button5, &QPushButton::clicked, this, [this] { m_play.Button5Click(); });
    auto *addressBox = new AddressBox(editor->Edit2, m_foundGames);
    connect(addressBox, &AddressBox::gameChosen, this, &NetworkController::chooseFoundGame);
    if (m_journal.isOpen()) {
        m_main.PaintBox1->installEventFilter(this);
        m_main.PaintBox2->installEventFilter(this);
    }
}

void NetworkController::Journal(const char *kind, const QString &text)
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
    if (watched == m_main.PaintBox2 && event->type() == QEvent::MouseButtonPress)
        Journal("click");
    else if (watched == m_main.PaintBox1 && event->type() == QEvent::Paint && m_shotToDraw) {
        m_shotToDraw = false;
        Journal("shot-drawn");
    }
    return QObject::eventFilter(watched, event);
}

void NetworkController::StartServer()
{
    m_play.StartServer();
    announceGame();
}

void NetworkController::announceGame()
{
    const GameState &game = Game();
    m_discovery->announce(
        {game.settings.PlayerName, game.boards.AreaSize, m_play.link().listeningPort()});
}

void NetworkController::chooseFoundGame(const QString &address, int port)
{
    // The host field would win over the address; the game's port is the one
    // both sides must use.
    Journal("chosen", address);
    SetHostField(QString());
    SetPortField(QString::number(port));
}

bool NetworkController::PeerConnected()
{
    return m_play.PeerConnected();
}

bool NetworkController::InvitePeer()
{
    return m_play.InvitePeer();
}

void NetworkController::SendShot(int col, int row)
{
    Journal("shot-sent", QString::number(col) + u' ' + QString::number(row));
    m_play.SendShot(col, row);
}

void NetworkController::SendGameAborted()
{
    m_play.SendGameAborted();
}

void NetworkController::SendUserInfoIfIdle()
{
    m_play.SendUserInfoIfIdle();
    announceGame();
}

void NetworkController::ShowConnectionState()
{
    m_inTick = true;
    m_play.ShowConnectionState();
    m_inTick = false;
    announceGame(); // the port may have changed with the connect button
}

void NetworkController::SendAim()
{
    m_play.SendAim();
}

void NetworkController::ChatSend()
{
    m_play.ChatSend();
}

QString NetworkController::AddressField()
{
    return m_main.Form2->Edit2->text();
}

QString NetworkController::HostField()
{
    return m_main.Form2->Edit4->text();
}

QString NetworkController::PortField()
{
    return m_main.Form2->Edit3->text();
}

void NetworkController::SetAddressField(const QString &text)
{
    m_main.Form2->Edit2->setText(text);
}

void NetworkController::SetHostField(const QString &text)
{
    m_main.Form2->Edit4->setText(text);
}

void NetworkController::SetPortField(const QString &text)
{
    m_main.Form2->Edit3->setText(text);
}

void NetworkController::SetConnectEnabled(bool enabled)
{
    m_main.Form2->Button4->setEnabled(enabled);
}

void NetworkController::ShowStatus(const QString &text)
{
    // Every tick of an unlinked program repeats "no connection"; the
    // journal keeps what the ticks change only.
    if (!m_inTick || m_main.Form2->StaticText6->text() != text)
        Journal("status", text);
    m_main.Form2->StaticText6->setText(text);
}

void NetworkController::SetLamp(bool linked)
{
    // The lamp colours of the network options: lime, or red.
    const QColor colour = linked ? QColor(0x00, 0xFF, 0x00) : QColor(0xFF, 0x00, 0x00);
    if (m_main.Form2->Shape1->brushColor() != colour)
        Journal("lamp", linked ? QStringLiteral("lime") : QStringLiteral("red"));
    m_main.Form2->Shape1->setBrushColor(colour);
}

void NetworkController::PlaySound(const QString &name)
{
    m_main.audio().PlaySound(name);
}

QString NetworkController::MissCue()
{
    return m_main.audio().MissCue();
}

QString NetworkController::ChatInput()
{
    return m_main.Form8->Memo1->text();
}

void NetworkController::ClearChatInput()
{
    m_main.Form8->Memo1->clear();
}

void NetworkController::AddChatLine(const QString &line)
{
    Journal("chat", line);
    m_main.Form8->addHistoryLine(line);
}

bool NetworkController::AskInvitation(const QString &text)
{
    Journal("ask", text);
    const bool yes = UiFeedback().message(&m_main, text, QStringLiteral(":-D"), BoxIcon::Question,
                                          BoxButtons::YesNo, BoxAnswer::Yes) == BoxAnswer::Yes;
    Journal("answer", yes ? QStringLiteral("yes") : QStringLiteral("no"));
    return yes;
}

void NetworkController::ShowRefusal(const QString &text)
{
    Journal("refused", text);
    UiFeedback().message(&m_main, text, QStringLiteral(":("), BoxIcon::Information, BoxButtons::Ok,
                         BoxAnswer::Ok);
}

void NetworkController::ShowPeerAborted(const QString &text)
{
    Journal("aborted", text);
    UiFeedback().message(&m_main, text, QStringLiteral(":-("), BoxIcon::Exclamation, BoxButtons::Ok,
                         BoxAnswer::Ok);
}

void NetworkController::ShowWaiting(bool shown)
{
    TForm7 *waiting = m_main.Form7;
    m_main.setEnabled(!shown);
    m_main.Form2->setEnabled(!shown);
    if (!shown) {
        waiting->hide();
        return;
    }
    Journal("waiting");
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    waiting->show();
    const QRect frame = waiting->frameGeometry();
    waiting->move(screen.x() + (screen.width() - frame.width()) / 2,
                  screen.y() + (screen.height() - frame.height()) / 2);
}

void NetworkController::SetOpponentBoardCaption(const QString &caption)
{
    m_main.GroupBox2->setTitle(caption);
}

void NetworkController::PaintOpponentBoard()
{
    m_main.PaintOpponentBoard();
}

void NetworkController::PressStart()
{
    m_main.SpeedButton1Click();
}

bool NetworkController::OpponentShot(int col, int row)
{
    Journal("shot-received", QString::number(col) + u' ' + QString::number(row));
    m_shotToDraw = true;
    return m_main.match().OpponentShot(col, row);
}

void NetworkController::ShowPeerAim(int col, int row)
{
    constexpr int W = Pictures::W;
    constexpr int H = Pictures::H;
    m_main.PaintOwnBoard();
    m_main.PaintBox1->stamp(Pictures::get().ImageList1.value(Pictures::Sight),
                            {(col + 1) * W, (row + 1) * H});
}

} // namespace tw
