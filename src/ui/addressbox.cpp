// SPDX-License-Identifier: GPL-3.0-or-later
#include "addressbox.h"

#include "net/foundgames.h"

#include <QAbstractItemView>
#include <QLineEdit>

namespace tw {

AddressBox::AddressBox(QLineEdit *edit, QAbstractItemModel *games) : QComboBox(edit->parentWidget())
{
    setObjectName(QStringLiteral("AddressBox"));
    setGeometry(edit->geometry());
    // With a placeholder, a first game found does not become the current
    // item, which would write it into the field.
    setPlaceholderText(QStringLiteral(" "));
    setEditable(true);
    setLineEdit(edit);
    setInsertPolicy(QComboBox::NoInsert);
    setModel(games);
    setCompleter(nullptr); // no completion of typed addresses to players' names
    setCurrentIndex(-1);
    setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    view()->setTextElideMode(Qt::ElideRight);
    view()->setMinimumWidth(240);
    connect(this, &QComboBox::activated, this, &AddressBox::chooseGame);
    show();
}

void AddressBox::chooseGame(int row)
{
    const QModelIndex index = model()->index(row, 0);
    const QString address = index.data(FoundGamesModel::AddressRole).toString();
    const int port = index.data(FoundGamesModel::PortRole).toInt();
    // No current item: the list may change under it (the game gone, others
    // come) without touching the field.
    setCurrentIndex(-1);
    lineEdit()->setText(address);
    if (!address.isEmpty())
        emit gameChosen(address, port);
}

} // namespace tw
