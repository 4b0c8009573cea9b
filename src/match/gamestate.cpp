#include "gamestate.h"

namespace tw {

GameState &gameState()
{
    static GameState state;
    return state;
}

QString localized(const char *english, const char *russian)
{
    return QString::fromUtf8(gameState().settings.englishUi ? english : russian);
}

} // namespace tw
