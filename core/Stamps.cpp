// SPDX-License-Identifier: GPL-3.0-or-later
#include "Stamps.h"

#include "SpaceTrim.h"

#include <algorithm>

namespace kestrava {

namespace {

QString twoDigits(int value)
{
    return QString::number(value).rightJustified(2, u'0');
}

// The formats after the eight pad every part to its full width, so that the
// text order of the names is their date order.
QString sortableDateText(qsizetype index, QDate date, QTime time)
{
    const QString year = QString::number(date.year()).rightJustified(4, u'0');
    if (index == 9)
        return year + twoDigits(date.month()) + twoDigits(date.day());
    const QString day = year + u'-' + twoDigits(date.month()) + u'-' + twoDigits(date.day());
    if (index == 8)
        return day;
    if (!time.isValid())
        time = QTime(0, 0);
    return day + u' ' + twoDigits(time.hour()) + u'.' + twoDigits(time.minute()) + u'.' + twoDigits(time.second());
}

} // namespace

const QStringList &dateFormats()
{
    static const QStringList formats{
        QStringLiteral("ddmmyy"),
        QStringLiteral("dd-mm-yy"),
        QStringLiteral("ddmmyyyy"),
        QStringLiteral("dd-mm-yyyy"),
        QStringLiteral("mmddyy"),
        QStringLiteral("mm-dd-yy"),
        QStringLiteral("mmddyyyy"),
        QStringLiteral("mm-dd-yyyy"),
        // Zero-padded, largest unit first: names sort by their dates.
        QStringLiteral("yyyy-mm-dd"),
        QStringLiteral("yyyymmdd"),
        QStringLiteral("yyyy-mm-dd hh.mm.ss"),
    };
    return formats;
}

QString dateText(QStringView format, const QDateTime &when)
{
    return dateText(format, when.date(), when.time());
}

QString dateText(QStringView format, QDate date, QTime time)
{
    const qsizetype index = dateFormats().indexOf(format);
    if (index < 0 || !date.isValid())
        return {};
    if (index >= 8)
        return sortableDateText(index, date, time);
    const QString day = QString::number(date.day());
    const QString month = QString::number(date.month());
    const QString year = QString::number(date.year()).rightJustified(4, u'0');
    const QString shortYear = year.right(2);
    const QChar dash = u'-';
    // The eight: the list order interleaves plain and dashed forms; the index names them.
    switch (index) {
    case 0:
        return day + month + shortYear;
    case 1:
        return day + dash + month + dash + shortYear;
    case 2:
        return day + month + year;
    case 3:
        return day + dash + month + dash + year;
    case 4:
        return month + day + shortYear;
    case 5:
        return month + dash + day + dash + shortYear;
    case 6:
        return month + day + year;
    default:
        return month + dash + day + dash + year;
    }
}

std::expected<QString, RenameError> takeCounterStamp(qint16 &counter)
{
    int wide = counter;
    const auto stamp = takeCounterStamp(wide, NumberingOptions{});
    counter = qint16(wide);
    return stamp;
}

std::expected<QString, RenameError> takeCounterStamp(int &counter, const NumberingOptions &numbering)
{
    // The fields keep both in range; a record filled elsewhere is held to it.
    const int digits = std::clamp(numbering.digits, limits::minCounterDigits, limits::maxCounterDigits);
    const int step = std::clamp(numbering.step, limits::minCounterStep, limits::maxCounterStep);
    if (counter < 1)
        counter = 1;
    if (counter > RenameError::counterLimit(digits))
        return std::unexpected(RenameError::counterPastLimit(digits));
    const QString text = QString::number(counter).rightJustified(digits, u'0');
    // Nine digits and a step of 999 stay well inside an int.
    counter += step;
    return text;
}

namespace {

std::expected<void, RenameError> addPrefixes(QString &base, const RenameOptions &options, NameCounters &counters,
                                             QDate date, QTime time, QStringView standIn)
{
    if (options.prefixCounter) {
        const auto counter = takeCounterStamp(counters.intPrefixCounter, options.numbering);
        if (!counter)
            return std::unexpected(counter.error());
        base = *counter + u'_' + base;
    }
    if (options.prefixName)
        base = withoutLeadingSpaces(options.prefixText) + base;
    if (options.prefixDate)
        base = (standIn.isEmpty() ? dateText(options.datePrefix, date, time) : standIn.toString()) + u'_' + base;
    return {};
}

std::expected<void, RenameError> addPostfixes(QString &base, const RenameOptions &options, NameCounters &counters,
                                              QDate date, QTime time, QStringView standIn)
{
    if (options.postfixCounter) {
        const auto counter = takeCounterStamp(counters.intPostfixCounter, options.numbering);
        if (!counter)
            return std::unexpected(counter.error());
        base += u'_' + *counter;
    }
    if (options.postfixName)
        base += withoutTrailingSpaces(options.postfixText);
    if (options.postfixDate)
        base += u'_' + (standIn.isEmpty() ? dateText(options.datePostfix, date, time) : standIn.toString());
    return {};
}

} // namespace

std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           QDate date, QTime time)
{
    return addStamps(base, options, counters, date, time, {});
}

std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           QDate date, QTime time, QStringView dateStandIn)
{
    const auto prefixes = addPrefixes(base, options, counters, date, time, dateStandIn);
    if (!prefixes)
        return prefixes;
    return addPostfixes(base, options, counters, date, time, dateStandIn);
}

std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           const QDateTime &when)
{
    return addStamps(base, options, counters, when.date(), when.time());
}

} // namespace kestrava
