// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tw {

class Feedback;
class GameState;

// The player list: choose a name, remove players.
class PlayersDialog : public QDialog
{
    Q_OBJECT
public:
    // Lists and removes the players of the state's records; asks through the
    // feedback before removing.
    PlayersDialog(GameState &game, Feedback &feedback, QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    // The name field.
    QString name() const;
    void setName(const QString &name);
    void fillPlayerList();

protected:
    // A language change retranslates the window.
    void changeEvent(QEvent *event) override;

private:
    QLineEdit *m_nameEdit;
    QListWidget *m_playerList;
    QPushButton *m_okButton, *m_removeButton;

    void takeClickedName();
    void removeTickedPlayers();

    GameState &m_game;
    Feedback &m_feedback;
};

} // namespace tw
