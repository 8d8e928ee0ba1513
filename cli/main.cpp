// kestrava-cli: Kestrava's renaming rules, run and undo from a terminal or a script.
#include "CliArguments.h"
#include "CliCommand.h"
#include "NameText.h"
#include "PresetStore.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::cli;

namespace {

// The day the date stamps show: today, or the day KESTRAVA_TODAY gives as YYYY-MM-DD.
std::expected<QDate, QString> chosenToday()
{
    const QByteArray fixed = qgetenv("KESTRAVA_TODAY");
    if (fixed.isEmpty())
        return QDate();
    const QDate day = QDate::fromString(QString::fromLatin1(fixed), Qt::ISODate);
    if (!day.isValid())
        return std::unexpected(
            QStringLiteral("KESTRAVA_TODAY: '%1' is not a date YYYY-MM-DD").arg(QString::fromLatin1(fixed)));
    return day;
}

// The names of standard input, each ended by a NUL (the last one may lack it).
QStringList namesFromStandardInput()
{
    QFile input;
    if (!input.open(stdin, QIODevice::ReadOnly))
        return {};
    QStringList names;
    for (const QByteArray &bytes : input.readAll().split('\0')) {
        if (!bytes.isEmpty())
            names.append(nameFromBytes(bytes));
    }
    return names;
}

void printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kestrava-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KESTRAVA_VERSION));
    // The arguments are taken from argv as they are, so that names in any
    // encoding reach the run byte for byte.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(nameFromBytes(QByteArray(argv[i])));
    CliArguments cli;
    auto parsed = cli.parse(arguments, ::isatty(STDOUT_FILENO));
    if (!parsed) {
        printMessage(parsed.error());
        return 2;
    }
    CliRequest &request = parsed->request;
    if (request.action == CliAction::Help) {
        printOut(cli.helpText());
        return 0;
    }
    if (request.action == CliAction::Version) {
        printOut(QStringLiteral("kestrava-cli " KESTRAVA_VERSION "\n"));
        return 0;
    }
    if (request.action == CliAction::ListPresets) {
        for (const QString &name : presets::presetNames())
            printOut(name + u'\n');
        return 0;
    }
    for (const QString &note : std::as_const(parsed->notes))
        printMessage(note);
    if (request.action == CliAction::SavePreset) {
        const auto saved = presets::savePreset(
            request.presetName, {request.options, request.prefixCountText, request.postfixCountText});
        if (!saved) {
            printMessage(QStringLiteral("--save-preset: ") + saved.error());
            return 1;
        }
        return 0;
    }
    const auto today = chosenToday();
    if (!today) {
        printMessage(today.error());
        return 2;
    }
    request.today = *today;
    if (request.namesFromStdin)
        request.paths = namesFromStandardInput();
    return CliCommand(request).run();
}
