#include "session.h"

#include "records/records.h"
#include "records/scorefile.h"
#include "util/paths.h"

namespace tw {

bool LoadSession(GameState &game)
{
    TScoreData &data = game.ScoreData;
    // This is the one running game (the lock is held): a save left halfway
    // can only be one that a kill interrupted.
    removeUnfinishedSaves(DataDirectory());
    const bool loaded = LoadScoreFile(data, DataDirectory(), SystemDirectory());
    if (!loaded)
        SetDefaultScoreData(data);
    game.settings.MusicOn = data.MusicOn != 0;
    game.settings.SoundOn = data.SoundOn != 0;
    game.settings.EnglishUI = data.EnglishUI != 0;
    game.settings.SaveLog = data.SaveLog != 0;
    game.settings.PlayerName = PlayerNameOf(data);
    game.boards.AreaSize = data.AreaSize;
    game.boards.PendingAreaSize = data.AreaSize;
    return loaded;
}

bool SaveSession(GameState &game)
{
    TScoreData &data = game.ScoreData;
    data.MusicOn = game.settings.MusicOn ? 1 : 0;
    data.SoundOn = game.settings.SoundOn ? 1 : 0;
    data.EnglishUI = game.settings.EnglishUI ? 1 : 0;
    data.SaveLog = game.settings.SaveLog ? 1 : 0;
    data.AreaSize = game.boards.AreaSize;
    SetPlayerName(data, game.settings.PlayerName);
    return SaveScoreFile(data, DataDirectory());
}

} // namespace tw
