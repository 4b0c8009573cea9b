// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

namespace tw {

// Keeps a line edit to characters Windows-1251 can hold, the only ones a
// name can be stored or sent with: others, typed or pasted, are dropped.
class Cp1251Validator : public QValidator
{
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString &input, int &pos) const override;
};

} // namespace tw
