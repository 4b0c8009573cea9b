// SPDX-License-Identifier: GPL-3.0-or-later
// The player list window.
#include "playersdialog.h"

#include "cp1251validator.h"
#include "feedback.h"
#include "match/gamestate.h"
#include "match/session.h"
#include "records/players.h"

#include <QEvent>

namespace tw {

namespace {

// An entry of the player list, which keeps alphabetical order: letter case
// counts only between names that are otherwise equal.
class NameItem : public QListWidgetItem
{
public:
    using QListWidgetItem::QListWidgetItem;

    bool operator<(const QListWidgetItem &other) const override
    {
        const int order = text().compare(other.text(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : text() < other.text();
    }
};

} // namespace

PlayersDialog::PlayersDialog(GameState &game, Feedback &feedback, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint), m_game(game), m_feedback(feedback)
{
    setObjectName(QStringLiteral("PlayersDialog"));
    setFixedSize(281, 145);
    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("nameEdit"));
    m_nameEdit->setGeometry(0, 0, 281, 21);
    m_nameEdit->setValidator(new Cp1251Validator(m_nameEdit));
    m_nameEdit->setMaxLength(32);
    m_playerList = new QListWidget(this);
    m_playerList->setObjectName(QStringLiteral("playerList"));
    m_playerList->setGeometry(0, 24, 281, 97);
    m_playerList->setSortingEnabled(true);
    m_removeButton = new QPushButton(this);
    m_removeButton->setObjectName(QStringLiteral("removeButton"));
    m_removeButton->setGeometry(0, 124, 217, 21);
    m_removeButton->setAutoDefault(false);
    m_okButton = new QPushButton(QStringLiteral("Ok"), this);
    m_okButton->setObjectName(QStringLiteral("okButton"));
    m_okButton->setGeometry(220, 124, 61, 21);
    m_okButton->setDefault(true);
    connect(m_okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_playerList, &QListWidget::itemClicked, this, &PlayersDialog::takeClickedName);
    connect(m_removeButton, &QPushButton::clicked, this, &PlayersDialog::removeTickedPlayers);
}

QString PlayersDialog::name() const
{
    return m_nameEdit->text();
}

void PlayersDialog::setName(const QString &name)
{
    m_nameEdit->setText(name);
}

void PlayersDialog::fillPlayerList()
{
    m_playerList->clear();
    for (const QString &name : usedPlayerNames(m_game.scores())) {
        auto *item = new NameItem(name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
        m_playerList->addItem(item); // the list sorts its entries
    }
}

void PlayersDialog::takeClickedName()
{
    const int row = m_playerList->currentRow();
    if (row >= 0 && row < m_playerList->count())
        m_nameEdit->setText(m_playerList->item(row)->text());
}

void PlayersDialog::removeTickedPlayers()
{
    QStringList ticked;
    for (int row = 0; row < m_playerList->count(); ++row) {
        const QListWidgetItem *item = m_playerList->item(row);
        if (item->checkState() == Qt::Checked)
            ticked.append(item->text());
    }
    if (ticked.isEmpty())
        return;
    m_feedback.message(this,
                       catalogueOf(m_game.settings())
                           .translate("PlayersDialog", "Do you want to remove selected users?"),
                       QStringLiteral(":-?"), BoxIcon::Exclamation, BoxButtons::OkCancel,
                       BoxAnswer::Cancel, [this, ticked](BoxAnswer answer) {
                           if (answer != BoxAnswer::Ok)
                               return;
                           removePlayers(m_game.scores(), ticked);
                           // Kept at once: a crash later in the run must not bring them back.
                           saveSession(m_game);
                           fillPlayerList();
                       });
}

void PlayersDialog::retranslate()
{
    setWindowTitle(catalogueOf(m_game.settings()).translate("PlayersDialog", "Enter your name"));
    m_removeButton->setText(
        catalogueOf(m_game.settings()).translate("PlayersDialog", "Remove selected users"));
}

void PlayersDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

} // namespace tw
