// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs a piece of a test with every write limited to a number of bytes per
// file, the way a full disk stops a write halfway.

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace tw::test {

inline void withFileSizeLimit(rlim_t limit, const std::function<void()> &body)
{
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = limit;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    body();
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace tw::test
