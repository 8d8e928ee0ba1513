// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QSet>
#include <QString>
#include <QStringView>

#include <expected>
#include <functional>
#include <optional>
#include <utility>
#include <sys/types.h>

namespace kestrava {

enum class RenameStep : quint8;

// The file-system steps of renaming one file. Failures carry the errno value;
// systemErrorText() gives the system's text for it.

/// The system's text for the errno value \a error, such as "Permission denied".
QString systemErrorText(int error);

/// True for a name that stays inside its folder: not empty, not "." or "..",
/// no "/" and no NUL character.
bool isUsableFileName(QStringView name);

/// Whether the owner lacks write permission on \a path (the link itself for a symbolic link).
std::expected<bool, int> isReadOnly(const QString &path);

/// Gives the owner write permission on \a path, leaving the other bits alone.
std::expected<void, int> makeOwnerWritable(const QString &path);

/// Renames \a oldPath to \a newPath in the same folder and never replaces an
/// existing file, also under a race. Where the file system refuses the
/// no-replace flag it links and unlinks instead, and where it refuses links too
/// it renames over an empty placeholder (see RenameMethods.h). A change of letter case only,
/// on a file system that ignores case, goes through a unique temporary name.
std::expected<void, int> renameNoReplace(const QString &oldPath, const QString &newPath);

/// The fallback of renameNoReplace(): a hard link under the new name, then the
/// old name removed. Fails with EEXIST when the new name is taken.
std::expected<void, int> renameByLink(const QString &oldPath, const QString &newPath);

/// A folder held open while its files are renamed, so that each file is
/// reached by its name alone instead of the system walking the folder's path
/// again for every step. A folder that cannot be opened is reached by path.
class OpenFolder
{
public:
    OpenFolder() = default;
    ~OpenFolder() { close(); }
    OpenFolder(const OpenFolder &) = delete;
    OpenFolder &operator=(const OpenFolder &) = delete;

    /// Holds \a folderPath (ending in "/") open, letting go of any folder held before.
    void open(const QString &folderPath);
    void close();
    /// The folder path as given to open().
    const QString &path() const { return m_path; }
    /// The open folder's descriptor, or -1 when it is reached by path.
    int descriptor() const { return m_fd; }
    /// The open folder's device, 0 when it is not open.
    dev_t device() const { return m_device; }

private:
    QString m_path;
    int m_fd = -1;
    dev_t m_device = 0;
};

/// What tells one file from another over time. The inode alone does not: a
/// file made after another was deleted may get its number, and another file
/// system mounted in the same place (a second stick) numbers its files alike.
/// So the size and modification time count too, and the birth time where the
/// file system keeps one; the file system itself is told by its own id (see
/// fileSystemId()), as its device number changes each time it is plugged in.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    /// Nanoseconds since the epoch; 0 where the file system does not keep it.
    qint64 birthNsecs = 0;
    quint64 size = 0;
    /// Nanoseconds since the epoch.
    qint64 modifiedNsecs = 0;
    /// False for an identity recorded before size and time were: then the
    /// device counts instead.
    bool hasSizeAndTime = false;
};

/// The identity of \a name in \a folder (a descriptor or AT_FDCWD), not following a link.
std::expected<FileIdentity, int> fileIdentityAt(int folder, const QByteArray &name);
/// Whether \a found is the file \a recorded: the same inode, size and
/// modification time, and the same birth time where both know it; for an
/// identity recorded without size and time, the same device and inode and
/// birth time. The caller checks the file system (fileSystemId()).
bool isSameFile(const FileIdentity &recorded, const FileIdentity &found);

/// The id of the file system that holds the folder \a folder (a descriptor,
/// or AT_FDCWD with \a path, a path in the folder): the one the file system
/// gives itself (statfs f_fsid; from its UUID on ext4, btrfs and most disk
/// file systems), and where it gives none, its device number, marked as such.
/// 0 when neither can be told.
quint64 fileSystemId(int folder, const QByteArray &path = {});

/// A file of an open folder, its name converted once for the steps that touch it.
struct FolderFile
{
    FolderFile(const OpenFolder &folder, const QString &name);

    /// The folder's descriptor with the bare name, or AT_FDCWD with the full path.
    int folder;
    QByteArray path;
    /// The folder's device, 0 when not known.
    dev_t device;
    /// The file's identity as isReadOnly() found it, so that a later step
    /// needs no second look; identified stays false until then.
    mutable FileIdentity identity;
    mutable bool identified = false;
    /// The permission bits before makeOwnerWritable() changed them, or -1
    /// when they were not changed (or were put back), for the journal.
    mutable int modeBefore = -1;
};

/// As isReadOnly(const QString &), for \a file.
std::expected<bool, int> isReadOnly(const FolderFile &file);
/// As makeOwnerWritable(const QString &), for \a file.
std::expected<void, int> makeOwnerWritable(const FolderFile &file);
/// Takes the owner's write permission away from \a file again, leaving the other bits alone.
std::expected<void, int> clearOwnerWritable(const FolderFile &file);
/// Told the hidden temporary name (as the rename steps use it) that a change of
/// letter case parks a file under, before the file is moved there.
using ParkNotice = std::function<void(const QByteArray &temporaryPath)>;
/// Told that a change of letter case failed and the file could not be put back
/// under its old name (with the errno of that step): it stays under \a temporaryPath.
using LeftParkedNotice = std::function<void(const QByteArray &temporaryPath, int error)>;

/// Who hears of the temporary name of a change of letter case, and of the
/// steps of a rename by a weaker method (see RenameMethods.h).
struct ParkNotices
{
    ParkNotice beforeParking;
    LeftParkedNotice leftParked;
    std::function<void(RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode)> beforeStep;
};

/// As renameNoReplace(const QString &, const QString &), from \a file to \a newFile of the same folder.
std::expected<void, int> renameNoReplace(const FolderFile &file, const FolderFile &newFile,
                                         const ParkNotices &notices = {});

/// Whether an entry of its folder has the name of \a file (a link counts as
/// itself); also true when the folder cannot tell.
bool isNameHeld(const FolderFile &file);
/// Moves \a file aside under a unique hidden temporary name of its folder,
/// never replacing anything; \a notices.beforeParking hears the name before
/// the file moves there. Gives the name, as the rename steps use it.
std::expected<QByteArray, int> parkAside(const FolderFile &file, const ParkNotices &notices = {});
/// As parkAside(), for the name (raw bytes) \a name in the folder open as \a folder.
std::expected<QByteArray, int> parkAsideAt(int folder, const QByteArray &name, const ParkNotices &notices = {});
/// Moves the file parked under \a temporary (as parkAside() gave it) to the
/// name of \a newFile, never replacing anything.
std::expected<void, int> unpark(const FolderFile &newFile, const QByteArray &temporary,
                                const ParkNotices &notices = {});

struct FolderNameRules;
/// Whether renaming \a from to \a to (names or paths, as the rename steps use
/// them) changes only the letter case on a folder with \a rules, where both
/// names are one entry and the rename has to go through a temporary name.
bool isCaseOnlyChange(QByteArrayView from, QByteArrayView to, const FolderNameRules &rules);
/// As renameNoReplace(const QString &, const QString &), for the names (raw
/// bytes) \a from and \a to in the folder open as \a folder.
std::expected<void, int> renameNoReplaceAt(int folder, const QByteArray &from, const QByteArray &to,
                                           const ParkNotices &notices = {});

/// What a folder walk needs to know of a folder before it enters it.
struct FolderIdentity
{
    dev_t device = 0;
    ino_t inode = 0;
    bool isSymLink = false;
    bool isFolder = false;
};

/// The identity of \a path itself, or with \a followLink of what it links to.
std::expected<FolderIdentity, int> folderIdentity(const QString &path, bool followLink = false);

/// The guard of a folder tree's walk: it never follows a link and never enters
/// a folder twice, however the tree's links and mounts lead back to it.
class VisitedFolders
{
public:
    using Key = std::pair<quint64, quint64>;

    /// Forgets every folder, then counts \a startFolder as entered: what counts
    /// is the folder itself, though it may have been reached through a link.
    void begin(const QString &startFolder);
    /// The folder at \a path, as it is on disk now, when the walk may enter it:
    /// a folder, no link, not entered before; empty when it may not. Fails with
    /// the error number when \a path cannot be examined.
    std::expected<std::optional<Key>, int> mayEnter(const QString &path) const;
    /// Counts the folder of \a key as entered.
    void entered(Key key) { m_entered.insert(key); }

private:
    QSet<Key> m_entered;
};

} // namespace kestrava
