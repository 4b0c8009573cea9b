#include "gamestate.h"

namespace tw {

GameState &Game()
{
    static GameState state;
    return state;
}

QString Lang(const char *english, const char *russian)
{
    return QString::fromUtf8(Game().settings.EnglishUI ? english : russian);
}

} // namespace tw
