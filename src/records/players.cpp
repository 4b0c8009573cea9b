#include "players.h"

#include "records/records.h"
#include "util/cp1251.h"

#include <utility>

namespace tw {

QStringList UsedPlayerNames(const TScoreData &data)
{
    QStringList names;
    for (const TPlayerRecord &record : data.Players) {
        if (record.Free == 0)
            names.append(RecordName(record));
    }
    return names;
}

void RemovePlayers(TScoreData &data, const QStringList &names)
{
    for (const QString &name : names) {
        for (int i = 1; i <= PlayerCount; ++i) {
            if (RecordName(data.Players[i - 1]) == name)
                ResetPlayerRecord(data, i);
        }
    }
}

QString NormalizedPlayerName(QString typed)
{
    typed.replace(u'|', u' ');
    typed = KeepCp1251(std::move(typed));
    if (typed.isEmpty())
        return QStringLiteral("NewUser");
    return typed.left(MaxNameLength);
}

} // namespace tw
