// SPDX-License-Identifier: GPL-3.0-or-later
// The order room: the order in which a folder's files are numbered, previewed and renamed.
#pragma once

#include "RenameOptions.h"

#include <QList>
#include <QString>

#include <functional>

namespace kestrava {

/// The positions in \a names of the files of \a folderPath, which \a names holds
/// in the file list's order, in the order \a numbering chooses: the list's own
/// order; by name with digits compared by value, letter case ignored as the list
/// ignores it, ties broken by the names' bytes; by modification time, oldest
/// first; by size, smallest first; or by the date a photo or video was taken,
/// oldest first, the files without one last in the list's order. Equal times or sizes keep the list's order,
/// and reverse turns the whole order round, so every order is total and the same
/// on every run. A file whose time or size cannot be read counts as 0. Only the
/// last three orders read the disk, the last through the shared metadata cache.
///
/// The run, the preview, the look ahead and the command line all order a
/// folder's files here, so that they number each file alike.
/// \a yield, where given, is called every few thousand files read, so that a
/// window reading a big folder's times, sizes or photos keeps handling its events.
QList<qsizetype> numberingOrder(const QString &folderPath, const QList<QString> &names,
                                const NumberingOptions &numbering, const std::function<void()> &yield = {});

/// \a names (the files of \a folderPath in the file list's order) in the order
/// \a numbering chooses.
QList<QString> inNumberingOrder(const QString &folderPath, QList<QString> names, const NumberingOptions &numbering);

} // namespace kestrava
