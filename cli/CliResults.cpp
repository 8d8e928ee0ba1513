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
        return file.done && file.outcome != u"unchanged";
    });
}

qsizetype RunResults::unchangedCount() const
{
    return count(true) - renamedCount();
}

QString RunResults::summaryLine() const
{
    const auto files = [](qsizetype n) {
        return n == 1 ? QStringLiteral("1 file") : QString::number(n) + QStringLiteral(" files");
    };
    QString line = files(this->files.size()) + QStringLiteral(": ");
    if (applied) {
        line += QString::number(renamedCount()) + QStringLiteral(" renamed, ") + QString::number(unchangedCount())
              + QStringLiteral(" unchanged, ") + QString::number(count(false)) + QStringLiteral(" not renamed");
        if (!errors.isEmpty())
            line += QStringLiteral(", %1 error(s)").arg(errors.size());
        return line + u'.';
    }
    return line + QString::number(renamedCount()) + QStringLiteral(" to rename, ")
         + QString::number(unchangedCount()) + QStringLiteral(" unchanged, ") + QString::number(count(false))
         + QStringLiteral(" would not be renamed. Dry run: nothing was renamed; --apply renames.");
}

int RunResults::exitStatus() const
{
    return count(false) == 0 && errors.isEmpty() ? 0 : 1;
}

} // namespace kestrava::cli
