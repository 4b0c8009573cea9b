// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamestate.h"

namespace tw {

QString languageCode(const Settings &settings)
{
    if (!settings.otherLanguage.isEmpty())
        return settings.otherLanguage;
    return settings.englishUi ? QStringLiteral("en") : QStringLiteral("ru");
}

const Catalogue &catalogueOf(const Settings &settings)
{
    return Catalogue::of(languageCode(settings));
}

} // namespace tw
