// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "NameCounters.h"
#include "RenameError.h"
#include "RenameOptions.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QTime>

#include <expected>

namespace kestrava {

/// The date formats, in the order the two date lists show them: the eight
/// day-and-month formats, then "yyyy-mm-dd", "yyyymmdd" and
/// "yyyy-mm-dd hh.mm.ss", which sort by date.
const QStringList &dateFormats();

/// The date text that \a format gives for \a date at \a time. The eight: day
/// and month without a leading zero, "yy" as the last two digits of the
/// four-digit year. The three after them: every part zero-padded, the time in
/// 24 hours; a date without a valid time stands at midnight. A format that is
/// not one of the list, or an invalid date, gives the empty text.
QString dateText(QStringView format, QDate date, QTime time = QTime(0, 0));
/// The same for a date and time together, in the time zone it carries.
QString dateText(QStringView format, const QDateTime &when);

/// The four-digit text of \a counter for a counter stamp, advancing it by one.
/// A counter below 1 is first set to 1. A counter of 10000 or more cannot be
/// written in four digits: it fails and is left as it is.
std::expected<QString, RenameError> takeCounterStamp(qint16 &counter);
/// The text of \a counter in \a digits zero-padded digits, advancing it by
/// \a step. A counter below 1 is first set to 1; one that needs more digits
/// fails and is left as it is.
std::expected<QString, RenameError> takeCounterStamp(int &counter, const NumberingOptions &numbering);

/// Adds to \a base the stamps whose check boxes are on, in their fixed order:
/// prefix counter, prefix text, prefix date, postfix counter, postfix text,
/// postfix date. Each prefix goes in front of what is there already. On a
/// failing counter the stamps added so far stay, and so do counter advances.
/// The date stamps show \a date at \a time: today's date, or a date the file
/// gives (modified, taken) when the options say so.
std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           QDate date, QTime time = QTime(0, 0));
/// The same with \a dateStandIn in place of each date stamp's date, unless it
/// is empty: "[taken]" for a sample name that has no file to take a date from.
std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           QDate date, QTime time, QStringView dateStandIn);
/// The same with the date and time of \a when.
std::expected<void, RenameError> addStamps(QString &base, const RenameOptions &options, NameCounters &counters,
                                           const QDateTime &when);

} // namespace kestrava
