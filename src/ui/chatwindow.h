// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace tw {

// The mini chat.
class ChatWindow : public QWidget
{
    Q_OBJECT
public:
    explicit ChatWindow(QWidget *parent = nullptr);

    // The input line: what is typed there, and keys typed into the main
    // window added at its end (no length limit) or taken off it.
    QString input() const;
    void clearInput();
    void appendToInput(const QString &text);
    void eraseLastInput();
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
