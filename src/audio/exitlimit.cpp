// SPDX-License-Identifier: GPL-3.0-or-later
#include "exitlimit.h"

#include <chrono>
#include <cstdlib>
#include <thread>

namespace tw {

void limitExitTime(int status, int limitMs)
{
    // _Exit, not exit: the blocked thread may hold locks that exit handlers
    // and static destructors would wait for. Nothing is left to save.
    std::thread([status, limitMs] {
        std::this_thread::sleep_for(std::chrono::milliseconds(limitMs));
        std::_Exit(status);
    }).detach();
}

} // namespace tw
