// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliRequest.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

#include <expected>

namespace kestrava::cli {

/// A request read from the arguments, with one note for every value the
/// option rules corrected.
struct ParsedRequest
{
    CliRequest request;
    QStringList notes;
};

/// The options of kestrava-cli and their rules. The naming options mirror the
/// Set Options tab: a value the tab corrects is corrected the same way, and a
/// value it has no correction for is a usage error.
class CliArguments
{
public:
    CliArguments();

    /// Reads \a arguments (the program name first). \a toTerminal picks the
    /// aligned columns over tab-separated lines. A usage error gives its one-line message.
    std::expected<ParsedRequest, QString> parse(const QStringList &arguments, bool toTerminal);
    /// The text of --help.
    QString helpText() const;

    /// The counter start text the count boxes keep: blank, not 1 to 4 digits, or below 1 gives "0001".
    static QString correctedCountText(const QString &text);
    /// The trim length text the trim box keeps: blank gives "50", not 1 to 3 digits or 8 and less "8".
    static QString correctedTrimText(const QString &text);
    /// \a text cut to the 50 characters a text box holds.
    static QString correctedBoxText(const QString &text);

private:
    /// Starts the rules from the preset of --preset, if given.
    std::expected<void, QString> readPreset(ParsedRequest &parsed) const;
    std::expected<void, QString> readNaming(ParsedRequest &parsed) const;
    std::expected<void, QString> readConversions(RenameOptions &options) const;
    std::expected<void, QString> readStamps(ParsedRequest &parsed) const;
    std::expected<void, QString> readNumbering(ParsedRequest &parsed) const;
    std::expected<void, QString> readScope(CliRequest &request) const;
    std::expected<void, QString> readAction(CliRequest &request) const;
    bool anyNamingOptionSet() const;
    QString textOption(const QCommandLineOption &option, QStringList &notes) const;

    QCommandLineParser m_parser;
    QList<QCommandLineOption> m_namingOptions;
    QList<QCommandLineOption> m_scopeOptions;
};

} // namespace kestrava::cli
