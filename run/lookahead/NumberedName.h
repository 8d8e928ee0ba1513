// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FolderNameRules.h"

#include <QString>

#include <functional>
#include <optional>

namespace kestrava {

/// Says whether an entry of the folder, or a new name given earlier in the
/// run, holds \a name, compared as the folder compares names.
using NameTakenTest = std::function<bool(const QString &name)>;

/// The name a file gets whose new name \a wanted is taken, when such a file is
/// to be numbered: "base (n).ext" with the lowest n, counting from 2, that
/// \a isTaken lets through. The name splits at its last dot, as a new name is
/// computed, except that a name whose only dot is its first (".profile") is
/// all base, and so is a name without a dot ("README (2)"). Where the number
/// would make the name longer than a folder with \a rules takes, whole
/// characters come off the end of the base, never off the number or the
/// extension. Nothing when not even one character of the base fits beside the
/// number and the extension, or when no n below ten million is free.
std::optional<QString> numberedFreeName(const QString &wanted, const NameTakenTest &isTaken,
                                        const FolderNameRules &rules = {});

} // namespace kestrava
