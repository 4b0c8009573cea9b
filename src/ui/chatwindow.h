// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

class QKeyEvent;

namespace tw {

// The mini chat.
class ChatWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ChatWindow(QWidget *parent = nullptr);

    // The input line: what is typed there.
    QString input() const;
    void clearInput();
    // A key typed into the main window, as if typed at the end of the input
    // line (no length limit there): Return and Enter send it, Backspace
    // takes off its last character, the rest but control characters joins it.
    void typeKey(const QKeyEvent &event);
    // A line of the history, cut when a peer sent a very long one.
    void addLine(const QString &line);

signals:
    // Enter in the input line.
    void sendRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    QLineEdit *m_input;
    QPlainTextEdit *m_history;
};

} // namespace tw
