#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace tw {

// The player list: choose a name, remove players.
class PlayersDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PlayersDialog(QWidget *parent = nullptr);

    // Sets every caption in the language chosen now.
    void retranslate();

    QLineEdit *m_nameEdit;
    QListWidget *m_playerList;
    QPushButton *m_okButton, *m_removeButton;

    void fillPlayerList();

private:
    void takeClickedName();
    void removeTickedPlayers();
};

} // namespace tw
