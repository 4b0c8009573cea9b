// SPDX-License-Identifier: GPL-3.0-or-later
#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

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
    QString name = QLocale(code).nativeLanguageName();
    if (code == QLatin1String("en"))
        name = QStringLiteral("English"); // not "American English"
    if (!name.isEmpty())
        name[0] = name[0].toUpper();
    return name.isEmpty() ? code : name;
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
