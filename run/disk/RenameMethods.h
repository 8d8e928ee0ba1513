// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <expected>
#include <functional>
#include <sys/types.h>

namespace kestrava {

/// The ways of renaming a file in its folder without ever replacing another,
/// from the strongest promise down. A file system that refuses one is asked
/// with the next.
enum class RenameMethod {
    /// The kernel's no-replace rename: one step, nothing can come between.
    NoReplaceFlag,
    /// A hard link under the new name, which cannot replace either, then the old
    /// name removed.
    LinkThenUnlink,
    /// An empty file created under the new name reserves it, then the file is
    /// renamed over that placeholder.
    Placeholder,
};

/// The steps of the weaker methods that leave something behind when the
/// process is killed in the middle: a second name of the file, or an empty
/// placeholder under the new name.
enum class RenameStep : quint8 {
    /// A hard link \a to of \a from is about to be made.
    Link = 1,
    /// An empty placeholder is about to be made under \a to.
    Placeholder = 2,
    /// The placeholder under \a to was made, with the inode given.
    PlaceholderMade = 3,
};

/// Told of each such step just before it is taken (PlaceholderMade: just after).
using StepNotice = std::function<void(RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode)>;

/// Renames \a from to \a to in the folder open as \a folder (a descriptor, or
/// AT_FDCWD with paths) by the strongest method the folder's file system takes,
/// remembered per device. Fails with EEXIST when \a to is taken. \a device is
/// the folder's device where the caller knows it, 0 to have it looked up.
std::expected<void, int> renameWithoutReplacing(int folder, const QByteArray &from, const QByteArray &to,
                                                const StepNotice &notice = {}, dev_t device = 0);

/// A hard link under \a to, then \a from removed. Fails with EEXIST when \a to is taken.
std::expected<void, int> linkThenUnlinkAt(int folder, const QByteArray &from, const QByteArray &to);

/// The method remembered for the file system on \a device: NoReplaceFlag until
/// that file system refuses it.
RenameMethod renameMethodFor(dev_t device);

/// Forgets what was learned of every file system. A run and an undo start with
/// this, since after an unmount the same device number may come back for
/// another file system.
void forgetRenameMethods();

/// How many times a file system has refused a method since the process started.
quint64 refusedRenameMethods();

} // namespace kestrava
