// SPDX-License-Identifier: GPL-3.0-or-later
#include "session.h"

#include "records/records.h"
#include "records/scorefile.h"
#include "util/paths.h"

namespace tw {

bool loadSession(GameState &game)
{
    ScoreBlock &data = game.scores();
    // This is the one running game (the lock is held): a save left halfway
    // can only be one that a kill interrupted.
    removeUnfinishedSaves(dataDirectory());
    const bool loaded = loadScoreFile(data, dataDirectory(), systemDirectory());
    if (!loaded)
        setDefaultScoreData(data);
    game.settings().musicOn = data.musicOn != 0;
    game.settings().soundOn = data.soundOn != 0;
    game.settings().englishUi = data.englishUi != 0;
    game.settings().saveLog = data.saveLog != 0;
    game.settings().playerName = playerNameOf(data);
    game.boards().areaSize = data.areaSize;
    game.boards().pendingAreaSize = data.areaSize;
    return loaded;
}

void restoreSession(GameState &game, const QStringList &desktopLanguages)
{
    if (!loadSession(game))
        game.settings().englishUi = prefersEnglish(desktopLanguages);
}

namespace {

ScoreBlock &recordsWithSettings(GameState &game)
{
    ScoreBlock &data = game.scores();
    data.musicOn = game.settings().musicOn ? 1 : 0;
    data.soundOn = game.settings().soundOn ? 1 : 0;
    data.englishUi = game.settings().englishUi ? 1 : 0;
    data.saveLog = game.settings().saveLog ? 1 : 0;
    data.areaSize = game.boards().areaSize;
    setPlayerName(data, game.settings().playerName);
    return data;
}

} // namespace

bool saveSession(GameState &game)
{
    return saveScoreFile(recordsWithSettings(game), dataDirectory());
}

QByteArray sessionFileBytes(GameState &game)
{
    ScoreBlock data = recordsWithSettings(game);
    for (PlayerRecord &record : data.players)
        normalizeShortString(record.name);
    normalizeShortString(data.playerName);
    return scoreFileBytes(data);
}

bool prefersEnglish(const QStringList &uiLanguages)
{
    if (uiLanguages.isEmpty())
        return true;
    const QString first = uiLanguages.constFirst().toLower();
    return !(first == QLatin1String("ru") || first.startsWith(QLatin1String("ru-")) ||
             first.startsWith(QLatin1String("ru_")));
}

} // namespace tw
