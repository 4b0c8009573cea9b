// The player list, statistics, about, game log, waiting and chat windows.
#include "cp1251validator.h"
#include "forms.h"
#include "match/gamestate.h"
#include "util/jpegimage.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QFile>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QVBoxLayout>

namespace tw {

namespace {

// The chat input line takes at most this many typed characters.
constexpr int MaxTypedChat = 128;
constexpr int MaxHistoryLines = 5000;
constexpr int MaxHistoryLineLength = 1024;

// The chat input line. What the player types or pastes stops at a length
// limit; what the program puts there with setText() (the main window appends
// the keys typed into it) does not, and a line the main window made longer
// takes no more typed characters but can still be edited down.
// QLineEdit::setMaxLength() would cut setText() as well.
class ChatInputLine : public QLineEdit
{
public:
    ChatInputLine(QWidget *parent, int limit) : QLineEdit(parent), m_limit(limit)
    {
        setAcceptDrops(false);
    }

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event == QKeySequence::Paste) {
            insertLimited(QGuiApplication::clipboard()->text());
            event->accept();
            return;
        }
        const QString typed = event->text();
        const bool typing = !typed.isEmpty() && typed.front().unicode() >= 32 &&
                            !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
        if (typing && room() < typed.size()) {
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }

    void inputMethodEvent(QInputMethodEvent *event) override
    {
        if (room() < event->commitString().size()) {
            event->accept();
            return;
        }
        QLineEdit::inputMethodEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (event->button() == Qt::MiddleButton) { // the X11 selection
            insertLimited(QGuiApplication::clipboard()->text(QClipboard::Selection));
            event->accept();
            return;
        }
        QLineEdit::mouseReleaseEvent(event);
    }

    void contextMenuEvent(QContextMenuEvent *event) override
    {
        QMenu *menu = createStandardContextMenu();
        if (QAction *paste = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            paste->disconnect();
            connect(paste, &QAction::triggered, this,
                    [this] { insertLimited(QGuiApplication::clipboard()->text()); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event->globalPos());
    }

private:
    qsizetype room() const { return m_limit - (text().size() - selectedText().size()); }

    void insertLimited(const QString &text)
    {
        const qsizetype n = std::max<qsizetype>(0, room());
        if (n > 0 || hasSelectedText())
            insert(text.left(n));
    }

    int m_limit;
};

} // namespace

PlayersDialog::PlayersDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("PlayersDialog"));
    setFixedSize(281, 145);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setGeometry(0, 0, 281, 21);
    m_nameEdit->setValidator(new Cp1251Validator(m_nameEdit));
    m_playerList = new QListWidget(this);
    m_playerList->setObjectName(QStringLiteral("playerList"));
    m_playerList->setGeometry(0, 24, 281, 97);
    m_playerList->setSortingEnabled(true);
    m_removeButton = new QPushButton(this);
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_removeButton->setGeometry(0, 124, 217, 21);
    m_removeButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(220, 124, 61, 21);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_playerList, &QListWidget::itemClicked, this, &PlayersDialog::takeClickedName);
    connect(m_removeButton, &QPushButton::clicked, this, &PlayersDialog::removeTickedPlayers);
}

StatisticsDialog::StatisticsDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("StatisticsDialog"));
    setFixedSize(517, 185);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("scrollArea"));
    m_scrollArea->setGeometry(0, 0, 517, 161);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrollArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_scrollArea->verticalScrollBar()->setSingleStep(8);
    m_scrollArea->verticalScrollBar()->setPageStep(32);
    m_scrollArea->setFocusPolicy(Qt::NoFocus);
    // The scroll range reaches the bottom of the paint box, 4 pixels in.
    auto *page = new QWidget;
    page->resize(489, 5);
    m_statisticsView = new PaintBox(page);
    m_statisticsView->setObjectName(QStringLiteral("statisticsView"));
    m_statisticsView->setGeometry(4, 4, 485, 1);
    m_statisticsView->setOnPaint([this](QPainter &painter) { paintStatistics(painter); });
    connect(m_statisticsView, &PaintBox::resized, page, [this, page] {
        page->resize(page->width(), m_statisticsView->geometry().bottom() + 1);
    });
    m_scrollArea->setWidget(page);
    m_okButton = makeFlatButton(this, "okButton", {0, 164, 517, 21});
    m_okButton->setText(QStringLiteral("Ok"));
    m_okButton->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(m_okButton, &QToolButton::clicked, this, &QDialog::accept);
}

AboutDialog::AboutDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(400, 296);
    QFile file(QStringLiteral(":/images/about.jpg"));
    if (file.open(QIODevice::ReadOnly))
        m_picture = decodeJpeg(file.readAll());
    m_text = QStringLiteral("Tarnwake 2.5\n"
                            "A sea battle for the Linux desktop.\n"
                            "Made by the Tarnwake developers.\n"
                            "Free software: GNU GPL version 3 or later,\n"
                            "with no warranty of any kind.\n"
                            "News and bug tracker: the project's page.\n"
                            "Like the game? Help it sail on:\n"
                            "  report the bugs you meet,\n"
                            "  translate it into your language,\n"
                            "  send us a patch, a picture or a tune.");
}

void AboutDialog::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    if (m_picture.isNull())
        painter.fillRect(rect(), QColor(0, 0, 64));
    else
        painter.drawImage(rect(), m_picture);
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    const QRect box(4, 4, 285, 221);
    const int flags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
    painter.setPen(QColor(128, 0, 0)); // the maroon shadow: one pixel right, one up
    painter.drawText(box.translated(1, -1), flags, m_text);
    painter.setPen(QColor(0, 255, 255));
    painter.drawText(box, flags, m_text);
}

void AboutDialog::keyPressEvent(QKeyEvent *)
{
    accept();
}

void AboutDialog::mousePressEvent(QMouseEvent *)
{
    accept();
}

GameLogWindow::GameLogWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("GameLogWindow"));
    resize(544, 164);
    m_logView = new QPlainTextEdit(this);
    m_logView->setObjectName(QStringLiteral("logView"));
    m_logView->setReadOnly(true);
    m_logView->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_logView);
}

void GameLogWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

WaitingDialog::WaitingDialog(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("WaitingDialog"));
    setFixedSize(257, 48);
    m_messageLabel = new QLabel(this);
    m_messageLabel->setObjectName(QStringLiteral("messageLabel"));
    m_messageLabel->setGeometry(rect());
    m_messageLabel->setAlignment(Qt::AlignCenter);
    m_messageLabel->setWordWrap(true);
    m_messageLabel->setAutoFillBackground(true);
    QPalette palette = m_messageLabel->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    m_messageLabel->setPalette(palette);
}

void WaitingDialog::showEvent(QShowEvent *event)
{
    m_messageLabel->setText(localized("Waiting confirmation from opponent side...",
                                      "Ожидание подтверждения на начало игры..."));
    centerOnScreen(this);
    QDialog::showEvent(event);
}

void WaitingDialog::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void WaitingDialog::keyPressEvent(QKeyEvent *event)
{
    event->ignore(); // Escape must not close it either
}

ChatWindow::ChatWindow(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("ChatWindow"));
    setWindowTitle(QStringLiteral("Mini Chat"));
    resize(397, 239);
    m_input = new ChatInputLine(this, MaxTypedChat);
    m_input->setObjectName(QStringLiteral("input"));
    m_input->setFixedHeight(21);
    m_history = new QPlainTextEdit(this);
    m_history->setObjectName(QStringLiteral("history"));
    m_history->setReadOnly(true);
    m_history->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Older lines go once the history holds this many; nobody scrolls back that far.
    m_history->setMaximumBlockCount(MaxHistoryLines);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_input);
    layout->addWidget(m_history);
    connect(m_input, &QLineEdit::returnPressed, this, &ChatWindow::sendRequested);
}

void ChatWindow::addHistoryLine(const QString &line)
{
    // A peer may send long lines; each is cut so the capped history stays small.
    if (line.size() > MaxHistoryLineLength)
        m_history->appendPlainText(line.left(MaxHistoryLineLength) + QStringLiteral("..."));
    else
        m_history->appendPlainText(line);
}

void ChatWindow::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace tw
