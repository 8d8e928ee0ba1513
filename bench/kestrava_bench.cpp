// SPDX-License-Identifier: GPL-3.0-or-later
// The benchmark driver of bench/run: makes its folders under a temporary
// folder, measures every row against its baseline in the same run, and prints
// one table. "--reps N" sets the repetitions (at least 5 for the table of
// record); "--only core,fuse,window,names,startup,memory,cli,peers,numbering,photos" picks groups of rows
// (window-folder, window-tree, window-open and window-preview pick one window
// row, journal the journal row of the core group).
// "--only million" adds the rows of a folder of a million files, which take
// minutes and run only when named (million-open, million-preview, million-run, million-relist,
// million-memory and million-peers pick one). "--disk" says the temporary folder must be on
// a disk, not in memory: the driver stops when it is not.
#include "BenchContext.h"
#include "BenchFolders.h"
#include "ChildRows.h"
#include "CliRows.h"
#include "NameRows.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace kestrava::bench;

namespace {

QStringList onlyFrom(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--only"));
    return at >= 0 ? arguments.value(at + 1).split(u',') : QStringList();
}

int repsFrom(const QStringList &arguments)
{
    const qsizetype at = arguments.indexOf(QStringLiteral("--reps"));
    const int reps = at >= 0 ? arguments.value(at + 1).toInt() : 5;
    return reps > 0 ? reps : 5;
}

// The temporary folder, removed however the driver ends: a benchmark stopped
// by a failed check would otherwise leave a million files in memory.
std::string temporaryRoot;

void note(const char *text)
{
    std::fprintf(stderr, "bench: %s\n", text);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (argc > 1 && qstrcmp(argv[1], "--child") == 0) {
        QStringList arguments;
        for (int i = 2; i < argc; ++i)
            arguments.append(QString::fromLocal8Bit(argv[i]));
        return runChild(arguments);
    }
    // Qt wants a private runtime folder and warns in every process without one.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    QApplication app(argc, argv);
    QTemporaryDir temporary;
    if (!temporary.isValid())
        failBench(QStringLiteral("no temporary folder"));
    BenchContext context;
    context.root = temporary.path().toStdString();
    temporaryRoot = context.root;
    std::atexit([] { removeTree(temporaryRoot); });
    context.reps = repsFrom(QCoreApplication::arguments());
    context.disk = QCoreApplication::arguments().contains(QStringLiteral("--disk"));
    if (context.disk && fileSystemOf(temporary.path()) == u"tmpfs")
        failBench(QStringLiteral("--disk, but the temporary folder is on tmpfs: set TMPDIR to a folder on a disk"));
    context.bigFolder = context.root + "/big";
    note("making a folder of 100,000 files");
    if (!makeFolder(context.bigFolder, bigFolderFiles))
        failBench(QStringLiteral("cannot make the folder of 100,000 files"));
    context.only = onlyFrom(QCoreApplication::arguments());
    if (context.wants("core") || context.wants("journal")) {
        note("run/ rows");
        addCoreRows(context);
    }
    if (context.wants("window") || context.wants("window-folder") || context.wants("window-tree")
        || context.wants("window-open") || context.wants("window-preview") || context.wants("window-preview-marks")) {
        note("window rows");
        addWindowRows(context);
    }
    if (context.wants("photos")) {
        note("photos named by the date taken");
        addPhotoRows(context);
    }
    if (context.wants("fuse")) {
        note("run on FUSE mounts");
        addFuseRows(context);
    }
    if (context.wants("cli")) {
        note("kestrava-cli");
        addCliRow(context);
    }
    if (context.wants("peers")) {
        note("kestrava-cli against perl rename and mmv");
        addPeerRows(context, bigFolderFiles);
    }
    if (context.wants("numbering")) {
        note("numbering in natural order");
        addNumberingRow(context);
    }
    if (context.wants("names")) {
        note("names per second");
        addNameRows(context);
    }
    if (context.wants("startup")) {
        note("start-up");
        addStartupRow(context);
    }
    if (context.wants("memory")) {
        note("peak memory");
        addMemoryRow(context);
    }
    if (context.asked("million") || context.asked("million-open") || context.asked("million-preview")
        || context.asked("million-run") || context.asked("million-relist") || context.asked("million-memory")) {
        note("a million files");
        addMillionRows(context);
    }
    if (context.asked("million") || context.asked("million-peers")) {
        note("kestrava-cli against perl rename and mmv, a million files");
        addPeerRows(context, 1000000);
    }
    printTable(context.rows, context.reps, temporary.path());
    removeTree(context.bigFolder);
    return 0;
}
