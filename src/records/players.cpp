// SPDX-License-Identifier: GPL-3.0-or-later
#include "players.h"

#include "records/records.h"
#include "util/cp1251.h"

#include <utility>

namespace tw {

QStringList usedPlayerNames(const ScoreBlock &data)
{
    QStringList names;
    for (const PlayerRecord &record : data.players) {
        if (record.free == 0)
            names.append(recordName(record));
    }
    return names;
}

void removePlayers(ScoreBlock &data, const QStringList &names)
{
    for (const QString &name : names) {
        for (int i = 1; i <= PlayerCount; ++i) {
            if (recordName(data.players[i - 1]) == name)
                resetPlayerRecord(data, i);
        }
    }
}

QString normalizedPlayerName(QString typed)
{
    typed.replace(u'|', u' ');
    typed = keepCp1251(std::move(typed));
    if (typed.isEmpty())
        return QStringLiteral("NewUser");
    return typed.left(MaxNameLength);
}

} // namespace tw
