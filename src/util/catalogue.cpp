// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue.h"

#include "translations.h"

#include <map>
#include <memory>

namespace tw {

Catalogue::Catalogue(const QString &code, const QString &file) : m_code(code)
{
    if (!file.isEmpty())
        m_loaded = m_translator.load(file);
    else if (Translations::shippedLanguages().contains(code))
        m_loaded = m_translator.load(Translations::catalogueFile(code));
}

const Catalogue &Catalogue::of(const QString &code)
{
    // Only the interface thread asks; loading a catalogue twice would do no
    // harm either.
    static std::map<QString, std::unique_ptr<Catalogue>> loaded;
    auto &entry = loaded[code];
    if (!entry)
        entry = std::make_unique<Catalogue>(code);
    return *entry;
}

QString Catalogue::translate(const char *context, const char *source, const char *disambiguation,
                             int n) const
{
    QString text =
        m_loaded ? m_translator.translate(context, source, disambiguation, n) : QString();
    if (text.isEmpty())
        text = QString::fromUtf8(source);
    if (n >= 0)
        text.replace(QLatin1String("%n"), QString::number(n));
    return text;
}

} // namespace tw
