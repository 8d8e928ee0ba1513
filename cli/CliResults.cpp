// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliResults.h"

namespace kestrava::cli {

RunResults::Tally RunResults::tally() const
{
    Tally counts;
    for (const FileResult &file : files)
        ++(file.changed ? counts.renamed : file.done ? counts.unchanged : counts.notDone);
    return counts;
}

QString RunResults::summaryLine() const
{
    const qsizetype total = files.size();
    QString line = (total == 1 ? QStringLiteral("1 file") : QString::number(total) + QStringLiteral(" files"))
        + QStringLiteral(": ");
    const Tally counts = tally();
    const QString renamed = QString::number(counts.renamed);
    const QString unchanged = QString::number(counts.unchanged);
    const QString notDone = QString::number(counts.notDone);
    switch (kind) {
    case RunKind::DryRun:
        line = lookAheadSummary.isEmpty() ? line + renamed + QStringLiteral(" to rename, ") + unchanged
                + QStringLiteral(" unchanged, ") + notDone + QStringLiteral(" would not be renamed")
                                          : lookAheadSummary;
        if (!errors.isEmpty())
            line += errors.size() == 1 ? QStringLiteral(", 1 error") : QStringLiteral(", %1 errors").arg(errors.size());
        return line + QStringLiteral(". Dry run: nothing was renamed; --apply renames.");
    case RunKind::Apply:
        line += renamed + QStringLiteral(" renamed, ") + unchanged + QStringLiteral(" unchanged, ") + notDone
            + QStringLiteral(" not renamed");
        break;
    case RunKind::Undo:
        line += renamed + QStringLiteral(" restored, ") + unchanged + QStringLiteral(" already back, ") + notDone
            + QStringLiteral(" not restored");
        break;
    }
    if (!errors.isEmpty())
        line += errors.size() == 1 ? QStringLiteral(", 1 error") : QStringLiteral(", %1 errors").arg(errors.size());
    return line + u'.';
}

int RunResults::exitStatus() const
{
    return tally().notDone == 0 && errors.isEmpty() ? 0 : 1;
}

} // namespace kestrava::cli
