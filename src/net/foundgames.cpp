// SPDX-License-Identifier: GPL-3.0-or-later
#include "net/foundgames.h"

#include <algorithm>

namespace tw {

FoundGamesModel::FoundGamesModel(GameDiscovery *source, QObject *parent)
    : QAbstractListModel(parent)
{
    if (!source)
        return;
    connect(source, &GameDiscovery::gameFound, this, &FoundGamesModel::addGame);
    connect(source, &GameDiscovery::gameLost, this, &FoundGamesModel::removeGame);
}

int FoundGamesModel::rowOf(const QString &key) const
{
    const auto it = std::find_if(m_games.begin(), m_games.end(),
                                 [&key](const FoundGame &game) { return game.key == key; });
    return it == m_games.end() ? -1 : static_cast<int>(it - m_games.begin());
}

void FoundGamesModel::addGame(const FoundGame &game)
{
    const int row = rowOf(game.key);
    if (row >= 0) {
        FoundGame &known = m_games[static_cast<std::size_t>(row)];
        if (known == game)
            return;
        known = game;
        emit dataChanged(index(row), index(row));
        return;
    }
    if (rowCount() >= kMaxGames) {
        const int last = rowCount() - 1;
        beginRemoveRows({}, last, last);
        m_games.pop_back();
        endRemoveRows();
    }
    beginInsertRows({}, 0, 0);
    m_games.insert(m_games.begin(), game);
    endInsertRows();
}

void FoundGamesModel::removeGame(const QString &key)
{
    const int row = rowOf(key);
    if (row < 0)
        return;
    beginRemoveRows({}, row, row);
    m_games.erase(m_games.begin() + row);
    endRemoveRows();
}

int FoundGamesModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_games.size());
}

QVariant FoundGamesModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const FoundGame &found = game(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return found.playerName + QStringLiteral(" (") + QString::number(found.areaSize) +
               QStringLiteral("), ") + (found.hostName.isEmpty() ? found.address : found.hostName);
    case AddressRole:
        return found.address;
    case PortRole:
        return found.port;
    case PlayerNameRole:
        return found.playerName;
    default:
        return {};
    }
}

} // namespace tw
