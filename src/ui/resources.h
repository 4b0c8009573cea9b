// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tw {

// Registers the pictures and sounds built into the program. The game does
// it at start; tests that make windows call it themselves.
void initResources();

} // namespace tw
