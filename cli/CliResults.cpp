#include "CliResults.h"

#include <algorithm>

namespace kestrava::cli {

qsizetype RunResults::count(bool done) const
{
    return std::count_if(files.cbegin(), files.cend(), [done](const FileResult &file) { return file.done == done; });
}

qsizetype RunResults::renamedCount() const
{
    return std::count_if(files.cbegin(), files.cend(), [](const FileResult &file) {
        return file.changed;
    });
}

qsizetype RunResults::unchangedCount() const
{
    return count(true) - renamedCount();
}

QString RunResults::summaryLine() const
{
    const qsizetype total = files.size();
    QString line = (total == 1 ? QStringLiteral("1 file") : QString::number(total) + QStringLiteral(" files"))
                 + QStringLiteral(": ");
    const QString renamed = QString::number(renamedCount());
    const QString unchanged = QString::number(unchangedCount());
    const QString notDone = QString::number(count(false));
    switch (kind) {
    case RunKind::DryRun:
        return line + renamed + QStringLiteral(" to rename, ") + unchanged + QStringLiteral(" unchanged, ") + notDone
             + QStringLiteral(" would not be renamed. Dry run: nothing was renamed; --apply renames.");
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
    return count(false) == 0 && errors.isEmpty() ? 0 : 1;
}

} // namespace kestrava::cli
