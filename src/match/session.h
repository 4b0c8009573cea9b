// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "gamestate.h"

#include <QByteArray>
#include <QStringList>

namespace tw {

// Fills the records and settings from the score file in the data directory,
// or with the defaults when there is none or it is damaged. Removes what a
// killed save left there first. Answers whether the file was read (false:
// the defaults were set). Precondition: the single-instance lock is held.
bool loadSession(GameState &game);

// The language of a first start, when no settings exist yet: Russian when the
// user's first interface language is Russian ("ru", "ru-RU", "ru_UA"...),
// English otherwise. uiLanguages as QLocale::uiLanguages() gives them.
bool prefersEnglish(const QStringList &uiLanguages);

// The start-up's loadSession(): a first start, with no settings stored yet,
// speaks the desktop's language when the game has a catalogue for it (its
// interface languages as QLocale::uiLanguages() gives them), else English;
// afterwards the stored setting rules, a further language in the settings
// file before the score file's English or Russian.
void restoreSession(GameState &game, const QStringList &desktopLanguages);

// The language kept in the settings file ("de"; empty when none is kept),
// and storing one there. The score file keeps only whether English or
// Russian is spoken; a further language is kept here.
QString loadLanguageSetting();
void saveLanguageSetting(const QString &code);

// Copies the settings into the records and writes the score file, and the
// language into the settings file when that has to change.
bool saveSession(GameState &game);

// The bytes saveSession() would write now (the settings copied into the
// records, nothing written): tells whether anything changed since a save.
QByteArray sessionFileBytes(GameState &game);

} // namespace tw
