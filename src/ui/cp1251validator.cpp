// SPDX-License-Identifier: GPL-3.0-or-later
#include "cp1251validator.h"

#include "util/cp1251.h"

namespace tw {

QValidator::State Cp1251Validator::validate(QString &input, int &pos) const
{
    QString kept;
    kept.reserve(input.size());
    int keptPos = 0;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isCp1251Char(input[i]))
            continue;
        kept.append(input[i]);
        if (i < pos)
            ++keptPos;
    }
    input = kept;
    pos = keptPos;
    return Acceptable;
}

} // namespace tw
