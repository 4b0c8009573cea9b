// SPDX-License-Identifier: GPL-3.0-or-later
#include "commandline.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QFileInfo>

namespace tw {

CommandLineResult parseCommandLine(const QStringList &arguments)
{
    const QString program = QFileInfo(arguments.value(0, QStringLiteral("tarnwake"))).fileName();
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Tarnwake, a sea battle against the computer or over the network."));
    // Qt's own options are single-dash words ("-platform xcb").
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    parser.addOption(help);
    parser.addOption(version);
    for (const char *name : {"platform", "display", "style"}) {
        QCommandLineOption qtOption(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        qtOption.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(qtOption);
    }

    CommandLineResult result;
    const QString tryHelp = QStringLiteral("Try '%1 --help' for more information.\n").arg(program);
    if (!parser.parse(arguments)) {
        result = {
            false, 2, {}, program + QStringLiteral(": ") + parser.errorText() + u'\n' + tryHelp};
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result = {false,
                  2,
                  {},
                  program + QStringLiteral(": unexpected argument '") +
                      parser.positionalArguments().constFirst() + QStringLiteral("'\n") + tryHelp};
        return result;
    }
    if (parser.isSet(help)) {
        // helpText() names the program by the application object, which does
        // not exist yet.
        QString text = parser.helpText();
        const qsizetype usageEnd = text.indexOf(u'\n');
        text.replace(0, usageEnd, QStringLiteral("Usage: %1 [options]").arg(program));
        result = {false, 0, text, {}};
    } else if (parser.isSet(version)) {
        result = {false, 0, QStringLiteral("Tarnwake %1\n").arg(QStringLiteral(TW_VERSION)), {}};
    }
    return result;
}

QStringList argumentList(int argc, char **argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list << QString::fromLocal8Bit(argv[i]);
    return list;
}

} // namespace tw
