// SPDX-License-Identifier: GPL-3.0-or-later
#include <QGuiApplication>
#include <gtest/gtest.h>

// QIcon chooses between a picture and its @2x twin by the
// application's device pixel ratio, which needs a GUI application object.
int main(int argc, char **argv)
{
    // Test discovery runs this program during the build, outside ctest's
    // environment; it must not look for a display either.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
