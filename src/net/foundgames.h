// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "net/discovery.h"

#include <QAbstractListModel>
#include <vector>

namespace tw {

// The games found on the network, newest first, as the address field's
// drop-down list shows them: "<player> (<area size>), <host>". A game that
// changes what it announces keeps its place.
class FoundGamesModel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role
    {
        AddressRole = Qt::UserRole, // QString, for the address field
        PortRole,                   // int
        PlayerNameRole,             // QString
    };
    // Games kept at once; a newer one pushes the oldest out, so a flood of
    // records cannot grow the list without bound.
    static constexpr int kMaxGames = 50;

    // Follows source when it is given. Precondition: source outlives the model.
    explicit FoundGamesModel(GameDiscovery *source = nullptr, QObject *parent = nullptr);

    void addGame(const FoundGame &game);
    void removeGame(const QString &key);
    // Precondition: 0 <= row < rowCount().
    const FoundGame &game(int row) const { return m_games[static_cast<std::size_t>(row)]; }

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    int rowOf(const QString &key) const;

    std::vector<FoundGame> m_games; // newest first
};

} // namespace tw
