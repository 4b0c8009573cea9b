// SPDX-License-Identifier: GPL-3.0-or-later
#include "devices.h"

#include "fluidmusic.h"
#include "pulsesound.h"

#include <QtGlobal>

namespace tw {

namespace {

bool silentByRequest()
{
    const QByteArray value = qgetenv("TARNWAKE_SILENT");
    return !value.isEmpty() && value != "0";
}

} // namespace

std::unique_ptr<MusicDevice> makeMusicDevice()
{
    if (silentByRequest())
        return std::make_unique<SilentMusic>();
    return std::make_unique<FluidSynthMusic>();
}

std::unique_ptr<SoundDevice> makeSoundDevice()
{
    if (silentByRequest())
        return std::make_unique<SilentSound>();
    return std::make_unique<PulseSound>();
}

} // namespace tw
