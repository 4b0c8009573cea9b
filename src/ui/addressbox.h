// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>

class QAbstractItemModel;
class QLineEdit;

namespace tw {

// The address field as an editable drop-down of the games found on the
// network. The field stays the line edit it was: typing in it works as
// before, and the list coming and going never changes what it holds; only
// choosing a game writes that game's address into it.
class AddressBox : public QComboBox
{
    Q_OBJECT
public:
    // Takes edit's place and geometry in its parent and edit itself as its
    // line edit. Precondition: games outlives the box.
    AddressBox(QLineEdit *edit, QAbstractItemModel *games);

signals:
    // A game was chosen; the field holds its address already.
    void gameChosen(const QString &address, int port);

private:
    void chooseGame(int row);
};

} // namespace tw
