// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLabel>

namespace tw {

struct Settings;

// Waiting for the peer to confirm a match.
class WaitingDialog : public QDialog
{
    Q_OBJECT
public:
    // The captions follow the language of the settings.
    explicit WaitingDialog(const Settings &settings, QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

protected:
    // A language change retranslates the window.
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QLabel *m_messageLabel;
    const Settings &m_settings;
};

} // namespace tw
