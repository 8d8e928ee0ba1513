// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameOptions.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace kestrava::cli {

/// What the command line asks for.
enum class CliAction { DryRun, Apply, Undo, Help, Version, ListPresets, SavePreset };

/// How the results are printed.
enum class OutputStyle {
    Columns, ///< aligned columns, for a terminal
    Tabs,    ///< one tab-separated line per file, for a pipe or a file
    Json,    ///< one JSON object per line
};

/// Everything one invocation of kestrava-cli is to do, read from its
/// arguments and standard input, with the values the option rules corrected.
struct CliRequest
{
    CliAction action = CliAction::DryRun;
    /// The record the window's options panel would hold for the same choices.
    RenameOptions options;
    /// The counter start texts, as the two count boxes would hold them.
    QString prefixCountText = limits::defaultCountText.toString();
    QString postfixCountText = limits::defaultCountText.toString();
    /// The preset the rules start from (recorded in the run's journal), or the
    /// one --save-preset writes; empty for none.
    QString presetName;
    /// The day the date stamps show.
    QDate today;

    /// The paths given, in order: one folder, or files.
    QStringList paths;
    bool recursive = false;
    bool namesFromStdin = false;
    QString includePattern = QStringLiteral("*.*");
    bool skipReadOnly = false;
    OutputStyle style = OutputStyle::Tabs;
    /// With JSON: each file's fields, as a template reads them, in its object.
    bool showFields = false;
};

} // namespace kestrava::cli
