// SPDX-License-Identifier: GPL-3.0-or-later
#include "resources.h"

#include <QtGlobal>

// Resources of a static library must be registered by name, outside any
// namespace.
static void initTarnwakeResources()
{
    Q_INIT_RESOURCE(images);
    Q_INIT_RESOURCE(audio);
}

namespace tw {

void initResources()
{
    initTarnwakeResources();
}

} // namespace tw
