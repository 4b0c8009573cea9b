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
class ChatInput : public QLineEdit
{
public:
    ChatInput(QWidget *parent, int limit) : QLineEdit(parent), m_limit(limit)
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

TForm3::TForm3(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm3"));
    setFixedSize(281, 145);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setGeometry(0, 0, 281, 21);
    Edit1->setValidator(new Cp1251Validator(Edit1));
    CheckListBox1 = new QListWidget(this);
    CheckListBox1->setObjectName(QStringLiteral("CheckListBox1"));
    CheckListBox1->setGeometry(0, 24, 281, 97);
    CheckListBox1->setSortingEnabled(true);
    Button2 = new QPushButton(this);
    Button2->setObjectName(QStringLiteral("Button2"));
    Button2->setGeometry(0, 124, 217, 21);
    Button2->setAutoDefault(false);
    Button1 = new QPushButton(QStringLiteral("Ok"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(220, 124, 61, 21);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(CheckListBox1, &QListWidget::itemClicked, this, &TForm3::CheckListBox1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm3::Button2Click);
}

TForm4::TForm4(QWidget *parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm4"));
    setFixedSize(517, 185);
    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
    ScrollBox1->setGeometry(0, 0, 517, 161);
    ScrollBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ScrollBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ScrollBox1->verticalScrollBar()->setSingleStep(8);
    ScrollBox1->verticalScrollBar()->setPageStep(32);
    ScrollBox1->setFocusPolicy(Qt::NoFocus);
    // The scroll range reaches the bottom of the paint box, 4 pixels in.
    auto *page = new QWidget;
    page->resize(489, 5);
    PaintBox1 = new PaintBox(page);
    PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
    PaintBox1->setGeometry(4, 4, 485, 1);
    PaintBox1->setOnPaint([this](QPainter &painter) { PaintBox1Paint(painter); });
    connect(PaintBox1, &PaintBox::resized, page,
            [this, page] { page->resize(page->width(), PaintBox1->geometry().bottom() + 1); });
    ScrollBox1->setWidget(page);
    SpeedButton1 = MakeSpeedButton(this, "SpeedButton1", {0, 164, 517, 21});
    SpeedButton1->setText(QStringLiteral("Ok"));
    SpeedButton1->setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(SpeedButton1, &QToolButton::clicked, this, &QDialog::accept);
}

TForm5::TForm5(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("About"));
    setFixedSize(400, 296);
    QFile file(QStringLiteral(":/images/about.jpg"));
    if (file.open(QIODevice::ReadOnly))
        m_picture = DecodeJpeg(file.readAll());
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

void TForm5::paintEvent(QPaintEvent *)
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

void TForm5::keyPressEvent(QKeyEvent *)
{
    accept();
}

void TForm5::mousePressEvent(QMouseEvent *)
{
    accept();
}

TForm6::TForm6(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TForm6"));
    resize(544, 164);
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo1);
}

void TForm6::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

TForm7::TForm7(QWidget *parent)
    : QDialog(parent,
              Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("TForm7"));
    setFixedSize(257, 48);
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(rect());
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setWordWrap(true);
    Label1->setAutoFillBackground(true);
    QPalette palette = Label1->palette();
    palette.setColor(QPalette::Window, QColor(0, 0, 128));
    palette.setColor(QPalette::WindowText, QColor(0, 255, 0));
    Label1->setPalette(palette);
}

void TForm7::showEvent(QShowEvent *event)
{
    Label1->setText(Lang("Waiting confirmation from opponent side...",
                         "Ожидание подтверждения на начало игры..."));
    CenterOnScreen(this);
    QDialog::showEvent(event);
}

void TForm7::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

void TForm7::keyPressEvent(QKeyEvent *event)
{
    event->ignore(); // Escape must not close it either
}

TForm8::TForm8(QWidget *parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("TForm8"));
    setWindowTitle(QStringLiteral("Mini Chat"));
    resize(397, 239);
    Memo1 = new ChatInput(this, MaxTypedChat);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setFixedHeight(21);
    Memo2 = new QPlainTextEdit(this);
    Memo2->setObjectName(QStringLiteral("Memo2"));
    Memo2->setReadOnly(true);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Older lines go once the history holds this many; nobody scrolls back that far.
    Memo2->setMaximumBlockCount(MaxHistoryLines);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(Memo1);
    layout->addWidget(Memo2);
    connect(Memo1, &QLineEdit::returnPressed, this, &TForm8::sendRequested);
}

void TForm8::addHistoryLine(const QString &line)
{
    // A peer may send long lines; each is cut so the capped history stays small.
    if (line.size() > MaxHistoryLineLength)
        Memo2->appendPlainText(line.left(MaxHistoryLineLength) + QStringLiteral("..."));
    else
        Memo2->appendPlainText(line);
}

void TForm8::closeEvent(QCloseEvent *event)
{
    event->ignore();
}

} // namespace tw
