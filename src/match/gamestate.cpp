// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamestate.h"

namespace tw {

QString localized(const Settings &settings, const char *english, const char *russian)
{
    return QString::fromUtf8(settings.englishUi ? english : russian);
}

} // namespace tw
