// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

namespace tw {

// The display platform to ask Qt for, or empty to leave Qt's own choice.
// The windows sit side by side at fixed places, which only X11 lets a
// program choose: on a Wayland session with XWayland (DISPLAY set) the game
// asks for "xcb". A platform the user chose (QT_QPA_PLATFORM) always stands,
// and without XWayland the game runs natively.
QByteArray chosenDisplayPlatform(const QProcessEnvironment &environment);

// Applies chosenDisplayPlatform() for this process; call before the
// application object exists.
void chooseDisplayPlatform();

} // namespace tw
