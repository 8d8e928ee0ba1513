// SPDX-License-Identifier: GPL-3.0-or-later
// Where presets live and how they are kept: one file per preset,
// $XDG_CONFIG_HOME/kestrava/presets/<name>.json.
#pragma once

#include "PresetFormat.h"

#include <QString>
#include <QStringList>

#include <expected>
#include <optional>

namespace kestrava::presets {

/// $XDG_CONFIG_HOME/kestrava/presets, or ~/.config/kestrava/presets when the
/// variable is unset or not an absolute path.
QString presetFolder();

/// Why \a name cannot name a preset, or nothing when it can: a name is any text
/// without "/" and control characters that makes a file name the system takes.
std::optional<QString> nameProblem(const QString &name);

/// The names of the presets kept, in natural order (img2 before img10, letter
/// case ignored). Links and files whose names are not text are left out.
QStringList presetNames();

/// True when a preset of \a name is kept (as a file or a link).
bool presetExists(const QString &name);

/// Reads the preset \a name. A file that is missing, a link, not a plain file
/// or unreadable gives the default values and says why in `problems`.
ReadPreset loadPreset(const QString &name);

/// Writes \a values as the preset \a name, replacing one of that name. The file
/// is written beside its final place and renamed over it, so a preset is never
/// found half written. The message says why it could not be saved.
std::expected<void, QString> savePreset(const QString &name, const PresetValues &values);

/// Removes the preset \a name.
std::expected<void, QString> removePreset(const QString &name);

} // namespace kestrava::presets
