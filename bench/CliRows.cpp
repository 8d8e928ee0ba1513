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
#include <string>
#include <vector>

extern char **environ;

namespace kestrava::bench {

namespace {

// Runs kestrava-cli with \a options on \a folder with its output thrown away,
// as a script would; its undo journals go to \a stateFolder. True when it
// exits with 0.
bool runCli(const std::string &folder, const std::string &stateFolder,
            const std::vector<std::string> &options = {"--spaces=underscores"})
{
    std::vector<std::string> arguments{KESTRAVA_CLI_PATH, "--apply"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    arguments.push_back(folder);
    std::vector<char *> argv;
    for (std::string &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    std::string state = "XDG_STATE_HOME=" + stateFolder;
    std::vector<char *> envp{state.data()};
    for (char **variable = environ; *variable; ++variable) {
        if (std::string(*variable).rfind("XDG_STATE_HOME=", 0) != 0)
            envp.push_back(*variable);
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int spawned = ::posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return spawned == 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
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
        timeRow(what, QStringLiteral("bare loop"), timePair(context.reps, measured, baseline), 1.25));
    removeTree(state);
}

} // namespace kestrava::bench
