// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTranslator>

namespace tw {

// The game's texts in one language: its compiled catalogue from the
// resources (:/i18n/tarnwake_<code>.qm). A text the catalogue lacks, or a
// catalogue that is missing or damaged, gives the English source text, so
// the game always has words to show.
class Catalogue
{
public:
    // The catalogue of a language code such as "de"; an empty or unknown
    // code gives the source texts. A file name given is read in place of the
    // game's own catalogue of that code.
    explicit Catalogue(const QString &code, const QString &file = {});
    Catalogue(const Catalogue &) = delete;
    Catalogue &operator=(const Catalogue &) = delete;

    // The catalogue of a code, loaded once and kept for the process: the
    // compiled catalogues are read-only resources.
    static const Catalogue &of(const QString &code);

    // The text in this language, as QCoreApplication::translate gives it
    // (%n filled with n when n >= 0). Source texts are UTF-8.
    QString translate(const char *context, const char *source, const char *disambiguation = nullptr,
                      int n = -1) const;
    bool isLoaded() const { return m_loaded; }
    const QString &code() const { return m_code; }

private:
    QString m_code;
    QTranslator m_translator;
    bool m_loaded = false;
};

} // namespace tw
