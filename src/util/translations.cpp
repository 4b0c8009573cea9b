// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include "catalogue.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace tw {

Translations::~Translations()
{
    removeInstalled();
}

QStringList Translations::shippedLanguages()
{
    return {QStringLiteral("en"), QStringLiteral("ru"), QStringLiteral("de"),
            QStringLiteral("fr"), QStringLiteral("es"), QStringLiteral("uk")};
}

QString Translations::nativeName(const QString &code)
{
    // Each catalogue names its language itself (QLocale would name the
    // region too: "español de España").
    //: The name of the language of this catalogue, in that language: "Deutsch".
    return Catalogue::of(code).translate("Language", "English", "the language's own name");
}

QString Translations::desktopChoice(const QStringList &uiLanguages)
{
    const QStringList shipped = shippedLanguages();
    for (const QString &language : uiLanguages) {
        const QString code = language.section(u'-', 0, 0).section(u'_', 0, 0).toLower();
        if (shipped.contains(code))
            return code;
    }
    return {};
}

QString Translations::catalogueFile(const QString &code)
{
    return QStringLiteral(":/i18n/tarnwake_") + code + QStringLiteral(".qm");
}

bool Translations::use(const QString &code)
{
    removeInstalled();
    m_code = code;
    if (!shippedLanguages().contains(code))
        return false;
    // Qt's texts first: the game's catalogue, installed last, is asked first.
    if (m_qt.load(QStringLiteral("qtbase_") + code,
                  QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        m_qtInstalled = QCoreApplication::installTranslator(&m_qt);
    if (m_game.load(catalogueFile(code)))
        m_gameInstalled = QCoreApplication::installTranslator(&m_game);
    return m_gameInstalled;
}

void Translations::removeInstalled()
{
    if (m_gameInstalled)
        QCoreApplication::removeTranslator(&m_game);
    if (m_qtInstalled)
        QCoreApplication::removeTranslator(&m_qt);
    m_gameInstalled = m_qtInstalled = false;
}

} // namespace tw
