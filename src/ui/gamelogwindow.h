// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>
#include <QWidget>

namespace tw {

struct Settings;

// The game log window: takes the editor's place during a match.
class GameLogWindow : public QWidget
{
    Q_OBJECT
public:
    // The captions follow the language of the settings.
    explicit GameLogWindow(const Settings &settings, QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    void appendLine(const QString &line);
    void clear();

protected:
    // A language change retranslates the window.
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    QPlainTextEdit *m_logView;
    const Settings &m_settings;
};

} // namespace tw
