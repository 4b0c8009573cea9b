// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/commandline.h"
#include "app/desktopsession.h"
#include "app/game.h"
#include "util/shutdownsignals.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    // Until the window exists nothing needs saving: a signal ends the start at
    // once, also one that waits for a display that never answers.
    tw::endAtOnceOnShutdownSignals();
    // --help and --version answer before any display is opened.
    const tw::CommandLineResult command = tw::parseCommandLine(tw::argumentList(argc, argv));
    if (!command.startGame) {
        std::fputs(command.output.toLocal8Bit().constData(), stdout);
        std::fputs(command.errorOutput.toLocal8Bit().constData(), stderr);
        return command.exitCode;
    }
    tw::chooseDisplayPlatform();
    QApplication app(argc, argv);
    return tw::runGame(app);
}
