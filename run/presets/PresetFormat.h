// SPDX-License-Identifier: GPL-3.0-or-later
// A preset's file: one JSON object, each option under a name that says what it
// is and with its value in words, so that a person can read and edit it.
#pragma once

#include "RenameOptions.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace kestrava::presets {

/// The format a preset is written in. A file of a newer format is read as far
/// as its fields are known, and says so.
inline constexpr int formatVersion = 1;

/// Everything a preset holds: the renaming rules and the two counter start
/// texts, which the window keeps in its count boxes rather than in the rules.
struct PresetValues
{
    RenameOptions options;
    QString prefixCountText = limits::defaultCountText.toString();
    QString postfixCountText = limits::defaultCountText.toString();
};

/// A preset as read: the values, each field that could not be taken as it
/// stood left at its default or corrected, and one line naming each such field.
struct ReadPreset
{
    PresetValues values;
    QStringList problems;
};

/// The file text of \a values: every field, in the table's order, indented.
QByteArray toJson(const PresetValues &values);
/// Reads a preset file's text. Never fails: what cannot be read is named in
/// `problems` and the rest is taken.
ReadPreset fromJson(const QByteArray &text);

/// The keys of the fields, in the table's order, "formatVersion" first.
QStringList fieldKeys();

} // namespace kestrava::presets
