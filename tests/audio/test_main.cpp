// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <gtest/gtest.h>

// The audio resources live in the static library and are registered by
// name, outside any namespace.
static void initAudioResources()
{
    Q_INIT_RESOURCE(audio);
}

int main(int argc, char **argv)
{
    initAudioResources();
    // The late start of the music player wants an application object and
    // its event loop.
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
