#pragma once

#include <QDialog>
#include <QLabel>

namespace tw {

// Waiting for the peer to confirm a match.
class WaitingDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitingDialog(QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    QLabel *m_messageLabel;

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace tw
