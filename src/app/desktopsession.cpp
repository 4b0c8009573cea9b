// SPDX-License-Identifier: GPL-3.0-or-later
#include "desktopsession.h"

namespace tw {

QByteArray chosenDisplayPlatform(const QProcessEnvironment &environment)
{
    if (!environment.value(QStringLiteral("QT_QPA_PLATFORM")).isEmpty())
        return {};
    const bool wayland =
        !environment.value(QStringLiteral("WAYLAND_DISPLAY")).isEmpty() ||
        environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool xwayland = !environment.value(QStringLiteral("DISPLAY")).isEmpty();
    return wayland && xwayland ? QByteArrayLiteral("xcb") : QByteArray();
}

void chooseDisplayPlatform()
{
    const QByteArray platform = chosenDisplayPlatform(QProcessEnvironment::systemEnvironment());
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

} // namespace tw
