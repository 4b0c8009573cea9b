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

    QLineEdit *m_input;        // the input line
    QPlainTextEdit *m_history; // the history

    void addHistoryLine(const QString &line);

signals:
    void sendRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tw
