#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <expected>
#include <sys/types.h>

namespace kestrava {

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
/// no-replace flag it links and unlinks instead. A change of letter case only,
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

private:
    QString m_path;
    int m_fd = -1;
};

/// A file of an open folder, its name converted once for the steps that touch it.
struct FolderFile
{
    FolderFile(const OpenFolder &folder, const QString &name);

    /// The folder's descriptor with the bare name, or AT_FDCWD with the full path.
    int folder;
    QByteArray path;
};

/// As isReadOnly(const QString &), for \a file.
std::expected<bool, int> isReadOnly(const FolderFile &file);
/// As makeOwnerWritable(const QString &), for \a file.
std::expected<void, int> makeOwnerWritable(const FolderFile &file);
/// Takes the owner's write permission away from \a file again, leaving the other bits alone.
std::expected<void, int> clearOwnerWritable(const FolderFile &file);
/// As renameNoReplace(const QString &, const QString &), from \a file to \a newFile of the same folder.
std::expected<void, int> renameNoReplace(const FolderFile &file, const FolderFile &newFile);

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

} // namespace kestrava
