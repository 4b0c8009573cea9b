// SPDX-License-Identifier: GPL-3.0-or-later
#include "session.h"

#include "records/records.h"
#include "records/scorefile.h"
#include "util/paths.h"
#include "util/settingsfile.h"
#include "util/translations.h"


namespace tw {

namespace {

const QString LanguageKey = QStringLiteral("language");

bool isTwoFirstLanguages(const QString &code)
{
    return code == QLatin1String("en") || code == QLatin1String("ru");
}

// Sets the language of the settings to a shipped code.
void speak(Settings &settings, const QString &code)
{
    settings.englishUi = code != QLatin1String("ru");
    settings.otherLanguage = isTwoFirstLanguages(code) ? QString() : code;
}

} // namespace

QString loadLanguageSetting()
{
    return SettingsFile(settingsFilePath()).read().value(LanguageKey);
}

void saveLanguageSetting(const QString &code)
{
    // The other settings in the file are kept as they are.
    const SettingsFile file(settingsFilePath());
    SettingsFile::Values values = file.read();
    values.insert(LanguageKey, code);
    file.write(values);
}

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
    const bool loaded = loadSession(game);
    // English and Russian are the score file's; the settings file names a
    // further language. A code no catalogue is shipped for counts as none.
    const QString stored = loadLanguageSetting();
    const bool shipped = Translations::shippedLanguages().contains(stored);
    if (shipped && (!loaded || !isTwoFirstLanguages(stored)))
        speak(game.settings(), stored);
    else if (!loaded) {
        const QString desktop = Translations::desktopChoice(desktopLanguages);
        if (desktop.isEmpty())
            game.settings().englishUi = prefersEnglish(desktopLanguages);
        else
            speak(game.settings(), desktop);
    }
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
    // The settings file is written only when it has to change: English and
    // Russian need no entry, but an entry of another language, or one that
    // is not understood, is put right.
    const QString code = languageCode(game.settings());
    const QString stored = loadLanguageSetting();
    if (stored != code && !(stored.isEmpty() && isTwoFirstLanguages(code)))
        saveLanguageSetting(code);
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
