// Renames every file of the folder given as its argument with a counter prefix
// ("0001_a.txt"), as a window's run would; armed through KESTRAVA_FAULT_*.
#include "FaultInjection.h"
#include "RunTestKit.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrava_faultrun <folder>\n");
        return 2;
    }
    (void)kestrava_fault_hits(); // keeps the library among the program's own
    kestrava::testing::RunRig rig;
    if (!rig.folders.setPath(QString::fromLocal8Bit(argv[1])))
        return 1;
    rig.run.start(kestrava::RunScope::AllFilesInCurrentFolder);
    std::printf("%lld renamed\n", static_cast<long long>(rig.run.intFilesRenamed()));
    return 0;
}
