// SPDX-License-Identifier: GPL-3.0-or-later
// The run on the test FUSE file system of tests/fusefs, in each of its modes,
// against the bare loop of the method the program uses on it.
#include "FuseRows.h"

#include "BenchContext.h"
#include "RunRows.h"

#ifdef KESTRAVA_TESTFS
#include "FuseMountKit.h"
#endif

#include <cstdio>

namespace kestrava::bench {

void addFuseRows(BenchContext &context, const RunnerUnderTest &runner)
{
#ifdef KESTRAVA_TESTFS
    const struct
    {
        const char *refuse;
        BareMethod method;
        const char *what;
    } modes[] = {
        {"flags", BareMethod::LinkThenUnlink, "run, 1 folder × 10,000 files, FUSE without rename flags (link+unlink)"},
        {"links", BareMethod::NoReplaceFlag, "run, 1 folder × 10,000 files, FUSE without hard links (no-replace)"},
        {"both", BareMethod::Placeholder, "run, 1 folder × 10,000 files, FUSE without either (placeholder)"},
    };
    for (const auto &mode : modes) {
        testing::FuseMount mount(QString::fromLatin1(mode.refuse));
        if (!mount.skipReason().isEmpty()) {
            std::fprintf(stderr, "bench: no FUSE rows: %s\n", qPrintable(mount.skipReason()));
            return;
        }
        addMountRunRow(context, QString::fromUtf8(mode.what), mount.backing().toStdString(),
                       mount.mountPoint().toStdString(), mode.method, runner);
    }
#else
    (void)context;
    (void)runner;
    std::fprintf(stderr, "bench: no FUSE rows: the test file system is not built (BUILD_TESTING is off)\n");
#endif
}

} // namespace kestrava::bench
