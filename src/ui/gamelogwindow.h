#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace tw {

// The game log window: takes the editor's place during a match.
class GameLogWindow : public QWidget
{
    Q_OBJECT
public:
    explicit GameLogWindow(QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    QPlainTextEdit *m_logView;

protected:
    void closeEvent(QCloseEvent *event) override;
};

} // namespace tw
