// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

namespace tw {

// What the command line asks for. The game takes no arguments of its own;
// --help and --version answer on standard output and end the program, which
// must work without a display, so this runs before the application object.
struct CommandLineResult
{
    bool startGame = true;
    int exitCode = 0;    // when startGame is false
    QString output;      // for standard output
    QString errorOutput; // for standard error
};

// arguments as the process got them, the program's name first. The display
// options of Qt (-platform, -display, -style and their values) are let
// through for the application object; anything else unknown is an error
// with exit status 2.
CommandLineResult parseCommandLine(const QStringList &arguments);

// argv as text, in the local encoding of file names.
QStringList argumentList(int argc, char **argv);

} // namespace tw
