// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace tw {

enum class BoxIcon
{
    Information,
    Question,
    Exclamation,
    Error
};
enum class BoxButtons
{
    Ok,
    OkCancel,
    YesNo
};
enum class BoxAnswer
{
    Ok,
    Cancel,
    Yes,
    No
};

// The two ways the game speaks to the player outside its windows: the system
// beep and message boxes. Tests put a recording double in their place.
class Feedback
{
public:
    virtual ~Feedback() = default;
    virtual void beep();
    // Shows a modal message box; returns the button pressed. Return presses
    // defaultButton; Escape and the close button answer No, Cancel, or OK in a
    // box that has only OK, whatever the default.
    virtual BoxAnswer message(QWidget *parent, const QString &text, const QString &caption,
                              BoxIcon icon, BoxButtons buttons, BoxAnswer defaultButton);
};

} // namespace tw
