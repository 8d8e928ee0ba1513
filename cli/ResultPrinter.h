// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliRequest.h"
#include "CliResults.h"

#include <QByteArray>
#include <QString>

#include <QStringEncoder>

#include <cstdio>
#include <initializer_list>

namespace kestrava::cli {

/// Prints the results of a command in the chosen style. Every name and text
/// goes through escapedName(), so nothing printed holds a control character
/// or a byte that is not UTF-8.
///
/// - Columns: a heading, then old path, new name and outcome (with its
///   reason) in columns aligned to the longest entry, then the summary line.
/// - Tabs: old path, new name, outcome and reason separated by tabs, one
///   file a line, then the summary line.
/// - Json: one compact object a line: {"folder", "old", "new", "outcome",
///   "reason"} per file, then {"summary", "files", "renamed", "unchanged",
///   "notRenamed", "errors", "action"}, the action "dry-run", "apply" or "undo".
class ResultPrinter
{
public:
    explicit ResultPrinter(OutputStyle style, std::FILE *out = stdout);

    void print(const RunResults &results);
    /// Adds to each file's JSON object its fields, under "fields", as a
    /// template reads them from the file; a field without a value is left out.
    void setShowFields(bool show) { m_showFields = show; }
    /// The errno of the first write that failed, 0 when every line went out.
    int writeError() const { return m_writeError; }

private:
    void printColumns(const RunResults &results);
    void printTabs(const RunResults &results);
    void printJson(const RunResults &results);
    void write(const QString &line);
    void writeFields(std::initializer_list<QStringView> fields);
    void flush();

    OutputStyle m_style;
    std::FILE *m_out;
    QByteArray m_buffer;
    int m_writeError = 0;
    QStringEncoder m_toUtf8{QStringEncoder::Utf8};
    bool m_showFields = false;
};

} // namespace kestrava::cli
