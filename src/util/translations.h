// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <QTranslator>

namespace tw {

// The language the application speaks: the game's catalogue and Qt's own
// (the standard buttons and dialogs, qtbase_<code>.qm from Qt's translations
// directory) installed into the application. Installing sends every widget a
// LanguageChange event. A missing or damaged catalogue leaves that part in
// English; the game goes on.
class Translations
{
public:
    Translations() = default;
    ~Translations();
    Translations(const Translations &) = delete;
    Translations &operator=(const Translations &) = delete;

    // The codes of the languages with a catalogue in the game, English first.
    static QStringList shippedLanguages();
    // A language's own name for itself ("Deutsch"), for the language menu.
    static QString nativeName(const QString &code);
    // The first shipped language of the desktop's list (QLocale's
    // uiLanguages: "de-AT", "pt_BR"...), or an empty string.
    static QString desktopChoice(const QStringList &uiLanguages);
    // Where the compiled catalogue of a code is kept.
    static QString catalogueFile(const QString &code);

    // Replaces the installed catalogues with those of code. Returns whether
    // the game's catalogue loaded; false leaves the application in English.
    bool use(const QString &code);
    const QString &current() const { return m_code; }

private:
    void removeInstalled();

    QString m_code;
    QTranslator m_game;
    QTranslator m_qt;
    bool m_gameInstalled = false;
    bool m_qtInstalled = false;
};

} // namespace tw
