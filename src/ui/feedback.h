// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QDialog;
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
    // The player's answer to a box, when it comes.
    using Answered = std::function<void(BoxAnswer)>;

    // Opens an application-modal message box and returns at once; answered,
    // if set, hears the button pressed when the box closes. Return presses
    // defaultButton; Escape and the close button answer No, Cancel, or OK in a
    // box that has only OK, whatever the default.
    virtual void message(QWidget *parent, const QString &text, const QString &caption, BoxIcon icon,
                         BoxButtons buttons, BoxAnswer defaultButton, Answered answered = {});
};

// Shows one of the game's own dialogs application-modal, as a box is, and
// returns at once; closed runs once when the player closes it, however.
void openDialog(QDialog *dialog, std::function<void()> closed);

} // namespace tw
