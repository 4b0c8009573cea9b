// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tw {

// Ends the process with the given status once limitMs have passed, unless
// it has ended by then. Arm it when the program has saved everything and
// only teardown is left: tearing down the sound players can block on a
// sound server that stopped answering (its replies never come, and neither
// Qt Multimedia nor FluidSynth put a time limit on waiting for them), and
// a closed window must still end the program.
void limitExitTime(int status, int limitMs);

} // namespace tw
