// SPDX-License-Identifier: GPL-3.0-or-later
// Test helper run as a child process.
//   tw_util_probe runtime                 prints runtimeDirectory()
//   tw_util_probe instance KEY [N] [hold] prints "first" or "another" for each
//                                         of N calls of isAnotherInstance(KEY),
//                                         then with "hold" keeps running until
//                                         its standard input closes
#include "util/instance.h"
#include "util/paths.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The game's application name differs from its file name; the lock must
    // not depend on them matching.
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwake"));
    const QStringList args = QCoreApplication::arguments();
    QTextStream out(stdout);

    if (args.size() == 2 && args[1] == QLatin1String("runtime")) {
        out << tw::runtimeDirectory() << Qt::endl;
        return 0;
    }
    if (args.size() >= 3 && args[1] == QLatin1String("instance")) {
        const int calls = args.size() >= 4 ? args[3].toInt() : 1;
        QStringList answers;
        for (int i = 0; i < calls; ++i)
            answers << (tw::isAnotherInstance(args[2]) ? QStringLiteral("another")
                                                       : QStringLiteral("first"));
        out << answers.join(QLatin1Char(' ')) << Qt::endl;
        if (args.size() >= 5 && args[4] == QLatin1String("hold")) {
            while (std::getchar() != EOF) {
            }
        }
        return 0;
    }
    return 2;
}
