// SPDX-License-Identifier: GPL-3.0-or-later
// Renames every file of the folder given as its argument with a counter prefix
// ("0001_a.txt"), as a window's run would; armed through KESTRAVA_FAULT_*.
// With --journal first, the run writes its undo journal.
#include "FaultInjection.h"
#include "RunTestKit.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const bool journaled = argc == 3 && qstrcmp(argv[1], "--journal") == 0;
    if (argc != 2 && !journaled) {
        std::fprintf(stderr, "usage: kestrava_faultrun [--journal] <folder>\n");
        return 2;
    }
    (void)kestrava_fault_hits(); // keeps the library among the program's own
    kestrava::testing::RunRig rig;
    kestrava::RunJournal journal;
    if (journaled)
        rig.run.setJournal(&journal);
    if (!rig.folders.setPath(QString::fromLocal8Bit(argv[argc - 1])))
        return 1;
    rig.run.start(kestrava::RunScope::AllFilesInCurrentFolder);
    std::printf("%lld renamed\n", static_cast<long long>(rig.run.intFilesRenamed()));
    return 0;
}
