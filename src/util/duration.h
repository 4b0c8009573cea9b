// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace tw {

// A duration as hh:mm:ss, each field at least two digits, preceded by the
// number of days and "d " from one day on: 3725 gives "01:02:05", 90061
// gives "1d 01:01:01".
QString formatDuration(quint32 seconds);

} // namespace tw
