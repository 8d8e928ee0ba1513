// SPDX-License-Identifier: GPL-3.0-or-later
// kestrava-cli: Kestrava's renaming rules, run and undo from a terminal or a script.
#include "CliArguments.h"
#include "CliCommand.h"
#include "NameText.h"
#include "PresetStore.h"

#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
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

// 0 when \a text was written, else 2 with one line that says why.
int printOut(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    errno = 0;
    if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) == std::size_t(bytes.size())
        && std::fflush(stdout) == 0)
        return 0;
    printMessage(QStringLiteral("the results could not be written: ") + QString::fromLocal8Bit(std::strerror(errno != 0 ? errno : EIO)));
    return 2;
}

// A run over a big folder touches a lot of fresh memory, and each fault for a
// fresh page costs, on a virtual machine most of all: with the allocator
// asking for huge pages, a run of 100,000 files takes a quarter as many
// faults and a fifth less time. The allocator reads its tunables only as a
// process starts, so the program starts itself once more with them (about
// 20 ms), unless the caller chose otherwise. Where that fails, it goes on as
// it is.
void askForHugePages(char *argv[])
{
    const char *tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables && std::strstr(tunables, "glibc.malloc.hugetlb"))
        return;
    const std::string chosen = tunables ? tunables : "";
    const std::string wanted = chosen + (chosen.empty() ? "" : ":") + "glibc.malloc.hugetlb=1";
    if (::setenv("GLIBC_TUNABLES", wanted.c_str(), 1) == 0)
        ::execv("/proc/self/exe", argv);
    if (tunables)
        ::setenv("GLIBC_TUNABLES", chosen.c_str(), 1);
    else
        ::unsetenv("GLIBC_TUNABLES");
}

// The status of a usage error: nothing was renamed, the command itself was wrong.
constexpr int UsageError = 2;

// As GNU programs end a usage error: where to read how it is used.
void printHelpPointer()
{
    std::fputs("Try 'kestrava-cli --help' for more information.\n", stderr);
}

const char versionText[] = "kestrava-cli " KESTRAVA_VERSION "\n"
                           "Copyright (C) 2026 Dunsmore\n"
                           "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                           "This is free software: you are free to change and redistribute it.\n"
                           "There is NO WARRANTY, to the extent permitted by law.\n";

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
        printHelpPointer();
        return UsageError;
    }
    CliRequest &request = parsed->request;
    if (request.action == CliAction::Help)
        return printOut(cli.helpText());
    if (request.action == CliAction::Version)
        return printOut(QString::fromUtf8(versionText));
    if (request.action == CliAction::ListPresets) {
        QString names;
        for (const QString &name : presets::presetNames())
            names += name + u'\n';
        return printOut(names);
    }
    // Before anything is printed or standard input read, which a fresh start would repeat.
    if (request.action == CliAction::Apply || request.action == CliAction::DryRun || request.action == CliAction::Undo)
        askForHugePages(argv);
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
        return UsageError;
    }
    request.today = *today;
    if (request.namesFromStdin)
        request.paths = namesFromStandardInput();
    // The command finds the rest of the usage errors (a missing path, a folder among files).
    CliCommand command(request);
    const int status = command.run();
    if (status == UsageError && !command.outputFailed())
        printHelpPointer();
    return status;
}
