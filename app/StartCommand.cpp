#include "StartCommand.h"

#include "KestravaVersion.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace kestrava {

namespace {

// Command-line failures end with 2, the status of a usage error, so that a script
// can tell them from a program that ran.
constexpr int UsageError = 2;

QString errorLine(const QString &text)
{
    return QStringLiteral("kestrava: ") + text + u'\n';
}

} // namespace

StartCommand StartCommand::parse(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Renames many files at once so that their names follow one common format.\n"
                       "Starts in the current folder, in the given folder, or in the folder of the\n"
                       "given files with those files selected."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("paths"), QStringLiteral("A folder, or files of one folder."),
                                 QStringLiteral("[paths...]"));

    StartCommand command;
    if (!parser.parse(arguments)) {
        command.exitAtOnce = true;
        command.exitCode = UsageError;
        command.errors = errorLine(parser.errorText());
        return command;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        command.exitAtOnce = true;
        command.output = parser.helpText();
        return command;
    }
    if (parser.isSet(version)) {
        command.exitAtOnce = true;
        command.output = QStringLiteral("Kestrava " KESTRAVA_VERSION "\n");
        return command;
    }

    command.start = StartPaths::resolve(parser.positionalArguments());
    if (!command.start.missing.isEmpty()) {
        command.exitAtOnce = true;
        command.exitCode = UsageError;
        command.errors = errorLine(QStringLiteral("\"%1\" does not exist").arg(command.start.missing.constFirst()));
        return command;
    }
    for (const QString &path : std::as_const(command.start.ignored))
        command.errors += errorLine(
            QStringLiteral("\"%1\" is ignored: only files of \"%2\" are opened").arg(path, command.start.folder));
    return command;
}

} // namespace kestrava
