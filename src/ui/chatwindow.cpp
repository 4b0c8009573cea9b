// SPDX-License-Identifier: GPL-3.0-or-later
// The mini chat window.
#include "chatwindow.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
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

QString ChatWindow::input() const
{
    return m_input->text();
}

void ChatWindow::clearInput()
{
    m_input->clear();
}

void ChatWindow::typeKey(const QKeyEvent &event)
{
    const QString text = m_input->text();
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) {
        emit sendRequested();
    } else if (event.key() == Qt::Key_Backspace) {
        if (!text.isEmpty())
            m_input->setText(text.chopped(1));
    } else {
        QString typed = event.text();
        typed.removeIf([](QChar c) { return c.unicode() < 32; });
        if (!typed.isEmpty())
            m_input->setText(text + typed);
    }
}

void ChatWindow::addLine(const QString &line)
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
