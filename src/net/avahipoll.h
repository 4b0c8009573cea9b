// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Avahi's main-loop interface on the Qt event loop: watches are socket
// notifiers and timeouts single-shot timers, so Avahi's callbacks run from
// the event loop of the thread that uses the poll, like any other event.

struct AvahiPoll;

namespace tw {

// One for the whole program; it holds no state of its own.
const AvahiPoll *qtAvahiPoll();

} // namespace tw
