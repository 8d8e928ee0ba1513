// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRows.h"

#include "BareLoops.h"
#include "BenchContext.h"
#include "BenchFolders.h"

#include <dirent.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

extern char **environ;

namespace kestrava::bench {

namespace {

// Runs \a arguments (the program first) in \a workingFolder with \a variables
// added to the environment (replacing one of the same name), standard input
// read from \a input (or /dev/null) and standard output thrown away, as a
// script would. True when it exits with 0.
bool runProgram(std::vector<std::string> arguments, const std::string &workingFolder = {},
                const std::vector<std::string> &variables = {}, const std::string &input = "/dev/null")
{
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::vector<std::string> added = variables;
    std::vector<char *> envp;
    for (std::string &variable : added)
        envp.push_back(variable.data());
    for (char **variable = environ; *variable; ++variable) {
        const std::string_view existing(*variable);
        const bool replaced = std::any_of(variables.begin(), variables.end(), [&](const std::string &v) {
            return existing.substr(0, existing.find('=') + 1) == std::string_view(v).substr(0, v.find('=') + 1);
        });
        if (!replaced)
            envp.push_back(*variable);
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, input.c_str(), O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child = 0;
    const int spawned = ::posix_spawnp(&child, argv.front(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Runs kestrava-cli with \a options on \a folder, its undo journals in
// \a stateFolder. True when it exits with 0.
bool runCli(const std::string &folder, const std::string &stateFolder,
            const std::vector<std::string> &options = {"--spaces=underscores"})
{
    std::vector<std::string> arguments{KESTRAVA_CLI_PATH, "--apply"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(folder);
    return runProgram(arguments, {}, {"XDG_STATE_HOME=" + stateFolder});
}

// The number of files of \a folder whose names start with six digits and "_".
int numberedFiles(const std::string &folder)
{
    int numbered = 0;
    if (DIR *dir = ::opendir(folder.c_str())) {
        while (const dirent *entry = ::readdir(dir)) {
            const std::string name = entry->d_name;
            numbered += name.size() > 7 && name[6] == '_'
                && std::all_of(name.begin(), name.begin() + 6, [](char c) { return c >= '0' && c <= '9'; });
        }
        ::closedir(dir);
    }
    return numbered;
}

} // namespace

void addNumberingRow(BenchContext &context)
{
    const QString what =
        QStringLiteral("kestrava-cli --apply, prefix counter, natural order, 1 folder × 100,000 files (fresh process)");
    const std::string state = context.root + "/numbering-state";
    const auto side = [&](const char *order, const char *path) {
        Contender contender;
        contender.prepare = [&context, path](int rep) {
            if (!makeFolder(context.pathFor(path, rep), bigFolderFiles))
                failBench(QStringLiteral("cannot make the folder of the numbering row"));
        };
        contender.run = [&context, &state, &what, order, path](int rep) {
            if (!runCli(context.pathFor(path, rep), state,
                        {"--prefix-counter=1", "--counter-digits=6", "--order", order}))
                failBench(what + QStringLiteral(": kestrava-cli did not rename every file"));
        };
        contender.check = [&context, &what, path](int rep) {
            if (numberedFiles(context.pathFor(path, rep)) != bigFolderFiles)
                failBench(what + QStringLiteral(": not every file was numbered"));
            removeTree(context.pathFor(path, rep));
        };
        return contender;
    };
    context.rows.push_back(timeRow(what, QStringLiteral("the same in name order"),
                                   timePair(context.reps, side("natural", "natural"), side("name", "name-order")),
                                   1.25));
    removeTree(state);
}

void addCliRow(BenchContext &context)
{
    const QString what = QStringLiteral("kestrava-cli --apply, 1 folder × 100,000 files (fresh process)");
    const std::string state = context.root + "/cli-state";
    Contender measured;
    measured.prepare = [&](int rep) {
        if (!makeFolder(context.pathFor("cli", rep), bigFolderFiles))
            failBench(QStringLiteral("cannot make the folder of the command line"));
    };
    measured.run = [&](int rep) {
        if (!runCli(context.pathFor("cli", rep), state))
            failBench(what + QStringLiteral(": kestrava-cli did not rename every file"));
    };
    measured.check = [&](int rep) {
        if (rep == 0) {
            checkSameListing(context.pathFor("cli", 0), context.pathFor("cli-bare", 0), "cli");
            removeTree(context.pathFor("cli-bare", 0));
        }
        removeTree(context.pathFor("cli", rep));
    };
    int bareRenamed = 0;
    Contender baseline;
    baseline.prepare = [&](int rep) {
        if (!makeFolder(context.pathFor("cli-bare", rep), bigFolderFiles))
            failBench(QStringLiteral("cannot make the folder of the bare loop"));
    };
    baseline.run = [&](int rep) {
        BareNaming naming{false, 1};
        bareRenamed = bareRenameFolder(context.pathFor("cli-bare", rep), naming);
    };
    baseline.check = [&](int rep) {
        if (bareRenamed != bigFolderFiles)
            failBench(what + QStringLiteral(": the bare loop renamed %1 files").arg(bareRenamed));
        if (rep != 0)
            removeTree(context.pathFor("cli-bare", rep));
    };
    context.rows.push_back(
        timeRow(what, QStringLiteral("bare loop"), timePair(context.reps, measured, baseline), 1.15));
    removeTree(state);
}

namespace {

// One contender of the peer rows: \a run renames the spaces of the folder
// \a name of repetition rep to underscores. The first repetition's folder is
// kept, to be compared with the other side's once both have run.
Contender spacesToUnderscores(BenchContext &context, const char *name, int files, const QString &what,
                              std::function<bool(const std::string &)> run)
{
    Contender contender;
    contender.prepare = [&context, name, files](int rep) {
        if (!makeFolder(context.pathFor(name, rep), files))
            failBench(QStringLiteral("cannot make the folder of ") + QString::fromLatin1(name));
    };
    contender.run = [&context, name, what, run](int rep) {
        if (!run(context.pathFor(name, rep)))
            failBench(what + QStringLiteral(": ") + QString::fromLatin1(name) + QStringLiteral(" failed"));
    };
    contender.check = [&context, name](int rep) {
        if (rep != 0)
            removeTree(context.pathFor(name, rep));
    };
    return contender;
}

} // namespace

void addPeerRows(BenchContext &context, int files)
{
    const QString count = files >= 1000000 ? QStringLiteral("1,000,000") : QStringLiteral("100,000");
    const std::string state = context.root + "/peer-state";
    const std::string names = context.root + "/peer-names";
    const auto kestrava = [&](const std::string &folder) { return runCli(folder, state); };
    // perl rename takes its names on standard input, NUL-separated, as from
    // find -print0: a hundred thousand names do not fit on one command line.
    // The list is written once, outside the time.
    {
        std::string list;
        for (int i = 0; i < files; ++i)
            list += benchFileName(i) + '\0';
        FILE *out = std::fopen(names.c_str(), "wb");
        if (!out || std::fwrite(list.data(), 1, list.size(), out) != list.size() || std::fclose(out) != 0)
            failBench(QStringLiteral("cannot write the names for perl rename"));
    }
    const auto perlRename = [&](const std::string &folder) {
        return runProgram({"file-rename", "-0", "s/ /_/g"}, folder, {}, names);
    };
    const auto mmv = [](const std::string &folder) {
        return runProgram({"mmv", "* * * * * *", "#1_#2_#3_#4_#5_#6"}, folder);
    };
    // Each row interleaves kestrava-cli with one peer; the kestrava-cli side's
    // folder of each repetition is compared with the peer's.
    struct Peer
    {
        const char *name;
        QString command;
        std::function<bool(const std::string &)> run;
        double maxRatio;
    };
    std::vector<Peer> peers{
        {"peer-perl", QStringLiteral("perl rename 's/ /_/g'"), perlRename, 0.9},
        {"peer-mmv", QStringLiteral("mmv '* * * * * *' '#1_#2_#3_#4_#5_#6'"), mmv, 0.9},
    };
    // At a hundred thousand files the command line's own row has the bare loop.
    if (files >= 1000000) {
        const auto bare = [files](const std::string &folder) {
            BareNaming naming{false, 1};
            return bareRenameFolder(folder, naming) == files;
        };
        peers.push_back({"peer-bare", QStringLiteral("bare loop"), bare, 1.15});
    }
    for (const Peer &peer : peers) {
        const QString what = QStringLiteral("kestrava-cli --apply against ") + peer.command + QStringLiteral(", 1 folder × ")
            + count + QStringLiteral(" files");
        const PairTimes times = timePair(context.reps, spacesToUnderscores(context, "peer-cli", files, what, kestrava),
                                         spacesToUnderscores(context, peer.name, files, what, peer.run));
        context.rows.push_back(timeRow(what, peer.command, times, peer.maxRatio));
        checkSameListing(context.pathFor("peer-cli", 0), context.pathFor(peer.name, 0), peer.name);
        removeTree(context.pathFor("peer-cli", 0));
        removeTree(context.pathFor(peer.name, 0));
    }
    removeTree(state);
    ::unlink(names.c_str());
}

} // namespace kestrava::bench
