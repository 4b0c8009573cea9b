// SPDX-License-Identifier: GPL-3.0-or-later
// Prints the player records of a score file, one "name<TAB>wins<TAB>losses"
// line per used record, for tests that check what a program saved.
//   dump_records <data directory> <private scratch directory>
#include "records/scorefile.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        QTextStream(stderr) << "usage: dump_records <data dir> <scratch dir>\n";
        return 2;
    }
    tw::ScoreBlock data{};
    if (!tw::loadScoreFile(data, args[1], args[2])) {
        QTextStream(stderr) << "no readable score file in " << args[1] << '\n';
        return 1;
    }
    QTextStream out(stdout);
    for (const tw::PlayerRecord &record : data.players)
        if (!record.free)
            out << tw::shortStringText(record.name) << '\t' << record.wins << '\t' << record.losses
                << '\n';
    return 0;
}
