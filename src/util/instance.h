// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tw {

// Takes the single-instance lock named by key and answers whether another
// running process already holds it. The lock is a lock file in
// runtimeDirectory(); once taken it is held until the process ends (it is
// removed at a normal exit). A lock left behind by a process that died is
// taken over. Asking again for a key this process holds answers false. When
// no lock can be made at all (no private directory) the answer is false, so
// that the game still starts.
bool isAnotherInstance(const QString &key);

} // namespace tw
