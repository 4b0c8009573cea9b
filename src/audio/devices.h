// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "audio.h"

#include <memory>

namespace tw {

// The players of the running game: FluidSynth with the system's General MIDI
// soundfont for the music, the desktop's sound server for the effects. With the
// environment variable TARNWAKE_SILENT set to anything but empty or "0",
// silent ones instead: for tests, or a machine whose sound should stay off.
std::unique_ptr<MusicDevice> makeMusicDevice();
std::unique_ptr<SoundDevice> makeSoundDevice();

} // namespace tw
