// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace tw::test {

// Runs tw_util_probe with the arguments in the given environment and returns
// what it printed, trimmed.
inline QString runProbe(const QStringList &args, const QProcessEnvironment &env)
{
    QProcess probe;
    probe.setProcessEnvironment(env);
    probe.start(QStringLiteral(TW_UTIL_PROBE), args);
    EXPECT_TRUE(probe.waitForFinished(10000));
    EXPECT_EQ(probe.exitCode(), 0) << probe.readAllStandardError().toStdString();
    return QString::fromUtf8(probe.readAllStandardOutput()).trimmed();
}

} // namespace tw::test
