#include "gamestate.h"

namespace tw {

GameState &gameState()
{
    static GameState state;
    return state;
}

QString localized(const char *english, const char *russian)
{
    return localized(gameState().settings, english, russian);
}

QString localized(const Settings &settings, const char *english, const char *russian)
{
    return QString::fromUtf8(settings.englishUi ? english : russian);
}

} // namespace tw
