// SPDX-License-Identifier: GPL-3.0-or-later
#include "NumberingOrder.h"

#include "FileFactsReader.h"
#include "FileNameBytes.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>
#include <fcntl.h>
#include <numeric>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace kestrava {

namespace {

QCollator naturalCollator()
{
    // Qt compares plainly, code unit by code unit and numbers ignored, in the C
    // locale of a bare environment (LANG=C): such a user still gets numbers
    // compared by value, in English collation.
    QLocale locale;
    if (locale.language() == QLocale::C)
        locale = QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

bool bytesLess(const QString &a, const QString &b)
{
    return fileNameToBytes(a) < fileNameToBytes(b);
}

QList<qsizetype> naturalOrder(const QList<QString> &names)
{
    // A sort key for each name, made once, costs much less than collating the
    // names afresh at each of a sort's comparisons.
    const QCollator collator = naturalCollator();
    struct Keyed
    {
        QCollatorSortKey key;
        qsizetype position;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(std::size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
        keyed.push_back({collator.sortKey(names.at(i)), i});
    std::sort(keyed.begin(), keyed.end(), [&names](const Keyed &a, const Keyed &b) {
        const int order = a.key.compare(b.key);
        if (order != 0)
            return order < 0;
        return bytesLess(names.at(a.position), names.at(b.position));
    });
    QList<qsizetype> positions;
    positions.reserve(names.size());
    for (const Keyed &file : keyed)
        positions.append(file.position);
    return positions;
}

// The modification time in nanoseconds, or the size, of each file.
// Every this many files read, the caller's yield is called.
constexpr qsizetype filesBetweenYields = 1024;

void yieldNowAndThen(qsizetype i, const std::function<void()> &yield)
{
    if (yield && i % filesBetweenYields == filesBetweenYields - 1)
        yield();
}

std::vector<qint64> diskKeys(const QString &folderPath, const QList<QString> &names, NumberOrder order,
                             const std::function<void()> &yield)
{
    std::vector<qint64> keys(std::size_t(names.size()), 0);
    const int folder = ::open(fileNameToBytes(folderPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const QString prefix = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';
    for (qsizetype i = 0; i < names.size(); ++i) {
        yieldNowAndThen(i, yield);
        // Without the folder open, each file is reached by its whole path.
        const QByteArray name = fileNameToBytes(folder < 0 ? prefix + names.at(i) : names.at(i));
        const int at = folder < 0 ? AT_FDCWD : folder;
        struct stat info;
        // A link to a file counts as the file it leads to, as the file list shows
        // it; a link that leads nowhere as itself.
        if (::fstatat(at, name.constData(), &info, 0) != 0
            && ::fstatat(at, name.constData(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        keys[std::size_t(i)] = order == NumberOrder::Size
            ? qint64(info.st_size)
            : qint64(info.st_mtim.tv_sec) * 1'000'000'000 + qint64(info.st_mtim.tv_nsec);
    }
    if (folder >= 0)
        ::close(folder);
    return keys;
}

// By the date taken, oldest first; files without one after them in the
// list's order, which is by name.
QList<qsizetype> takenOrder(const QString &folderPath, const QList<QString> &names, const std::function<void()> &yield)
{
    const QString prefix = folderPath.endsWith(u'/') ? folderPath : folderPath + u'/';
    std::vector<std::optional<QDateTime>> keys;
    keys.reserve(std::size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i) {
        yieldNowAndThen(i, yield);
        keys.push_back(sharedMetadataCache().metadata(prefix + names.at(i)).taken);
    }
    QList<qsizetype> positions(names.size());
    std::iota(positions.begin(), positions.end(), qsizetype(0));
    std::stable_sort(positions.begin(), positions.end(), [&keys](qsizetype a, qsizetype b) {
        const auto &first = keys[std::size_t(a)];
        const auto &second = keys[std::size_t(b)];
        if (!first || !second)
            return first.has_value() && !second.has_value();
        return *first < *second;
    });
    return positions;
}

} // namespace

QList<qsizetype> numberingOrder(const QString &folderPath, const QList<QString> &names,
                                const NumberingOptions &numbering, const std::function<void()> &yield)
{
    QList<qsizetype> positions;
    switch (numbering.order) {
    case NumberOrder::Natural:
        positions = naturalOrder(names);
        break;
    case NumberOrder::Modified:
    case NumberOrder::Size: {
        const std::vector<qint64> keys = diskKeys(folderPath, names, numbering.order, yield);
        positions.resize(names.size());
        std::iota(positions.begin(), positions.end(), qsizetype(0));
        std::stable_sort(positions.begin(), positions.end(),
                         [&keys](qsizetype a, qsizetype b) { return keys[std::size_t(a)] < keys[std::size_t(b)]; });
        break;
    }
    case NumberOrder::Taken:
        positions = takenOrder(folderPath, names, yield);
        break;
    case NumberOrder::Name:
        positions.resize(names.size());
        std::iota(positions.begin(), positions.end(), qsizetype(0));
        break;
    }
    if (numbering.reverse)
        std::reverse(positions.begin(), positions.end());
    return positions;
}

QList<QString> inNumberingOrder(const QString &folderPath, QList<QString> names, const NumberingOptions &numbering)
{
    if (numbering.isListOrder())
        return names;
    const QList<qsizetype> positions = numberingOrder(folderPath, names, numbering);
    QList<QString> ordered;
    ordered.reserve(names.size());
    for (const qsizetype position : positions)
        ordered.append(std::move(names[position]));
    return ordered;
}

} // namespace kestrava
