// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileFacts.h"
#include "NameCounters.h"
#include "RenameError.h"
#include "RenameOptions.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

#include <expected>
#include <optional>

namespace kestrava {

/// The new name of a file called \a oldName (no folder) under \a options, with
/// \a today for the date stamps. The name splits at its last dot into base and
/// extension; a name without a dot is all base. A blank name gives the empty
/// text. The counter stamps that are on advance \a counters, and advances made
/// before a failure stay. Fails for a counter of 10000 or more
/// (RenameError::counterPastLimit()) and, when trimming, for a trim length that
/// is not a number, and, before any counter moves, for a find pattern that
/// does not compile (RenameError::patternError()). Characters of the name that stand for bytes that are not
/// UTF-8 (lone surrogates) pass every rule unchanged; where the rules join such
/// bytes into valid UTF-8, the new name holds the characters they spell.
std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, QDate today);
/// The same with the date stamps showing \a stampTime in place of today: the
/// date a file was modified or taken, for the formats with a time to the second.
std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, const QDateTime &stampTime);

/// The same for a file that gives \a facts: its folder, dates and metadata,
/// for a name template and for date stamps that take their date from the file.
/// A file that lacks a value its name needs fails with
/// RenameError::missingValue() ("no date taken", "no artist") before any
/// counter moves, unless the fallback to its modification date covers it.
/// Without \a facts (the sample names, which have no file behind them), each
/// field shows as a placeholder, "[artist]", and so does a date from the file.
/// A template that cannot be read fails every name alike with
/// RenameError::templateError(), before any counter moves.
std::expected<QString, RenameError> BuildNewFilename(const QString &oldName, const RenameOptions &options,
                                                     NameCounters &counters, QDate today, const FileFacts *facts);

/// What is wrong with the name template of \a options, when it is on and
/// cannot be read; nothing otherwise. Every name fails with it, so a run must
/// ask first and rename nothing.
std::optional<QString> nameTemplateError(const RenameOptions &options);

/// The error of the find pattern of \a options, "Pattern error at N: message",
/// when the find is a regular expression that does not compile; nothing
/// otherwise. BuildNewFilename() fails with it for every name, so a run must
/// ask first and rename nothing.
std::optional<QString> findPatternError(const RenameOptions &options);

/// Lower-cases \a strToCaps in place and returns it with a capital at the start
/// of every word. Only "a" to "z" and the apostrophe make up words; any other
/// character, accented letters included, separates them.
QString Capitalise(QString &strToCaps);

/// Replaces, in place, every character of \a strReplace that is exactly
/// \a findChar (a single character) with \a replaceChar, which may be empty.
/// A \a findChar of any other length changes nothing.
void replaceChar(QString &strReplace, const QString &findChar, const QString &replaceChar);

/// The number a trim length text stands for: an optional sign and digits,
/// spaces allowed around them, within the 16-bit signed range. Anything else
/// has no value. 0 or less is returned as it is; the trim then uses 50.
std::optional<qint16> parseTrimLength(QStringView text);

} // namespace kestrava
