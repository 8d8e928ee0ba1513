#include "DirectoryListing.h"

#include "DiskOperations.h"
#include "FileNamePattern.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <vector>
#include <sys/stat.h>

namespace kestrava {

namespace {

enum class EntryKind { Other, File, Folder };

// The type the entry stands for after following a link; the kernel's d_type
// answers without a stat for the usual entries.
EntryKind kindOf(int folderFd, const dirent *entry, bool *isSymLink)
{
    *isSymLink = false;
    unsigned char type = entry->d_type;
    struct stat info;
    if (type == DT_UNKNOWN) {
        if (::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other;
        type = S_ISLNK(info.st_mode) ? DT_LNK : S_ISDIR(info.st_mode) ? DT_DIR
             : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_LNK) {
        *isSymLink = true;
        if (::fstatat(folderFd, entry->d_name, &info, 0) != 0)
            return EntryKind::Other; // a dangling link names nothing to rename
        type = S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
    }
    if (type == DT_REG)
        return EntryKind::File;
    if (type == DT_DIR)
        return EntryKind::Folder;
    return EntryKind::Other;
}

// Appends \a name folded to one case to \a folded: plain ASCII names, the
// usual case, are folded here; any other name as QString folds it.
void appendCaseFolded(QString &folded, const QString &name)
{
    for (const QChar ch : name) {
        if (ch.unicode() >= 0x80) {
            folded += name.toCaseFolded();
            return;
        }
    }
    for (const QChar ch : name) {
        const char16_t code = ch.unicode();
        folded += QChar(code >= u'A' && code <= u'Z' ? char16_t(code + (u'a' - u'A')) : code);
    }
}

class FolderHandle
{
public:
    explicit FolderHandle(const QString &path) : m_dir(::opendir(QFile::encodeName(path).constData())) {}
    ~FolderHandle()
    {
        if (m_dir)
            ::closedir(m_dir);
    }
    FolderHandle(const FolderHandle &) = delete;
    FolderHandle &operator=(const FolderHandle &) = delete;
    DIR *get() const { return m_dir; }

private:
    DIR *m_dir;
};

std::expected<FolderContents, QString> readEntries(const QString &folderPath,
                                                   const FileNamePattern *pattern,
                                                   bool wantFiles)
{
    if (folderPath.isEmpty())
        return std::unexpected(systemErrorText(ENOENT));
    FolderHandle folder(folderPath);
    if (!folder.get())
        return std::unexpected(systemErrorText(errno));
    const int folderFd = ::dirfd(folder.get());
    FolderContents contents;
    errno = 0;
    while (const dirent *entry = ::readdir(folder.get())) {
        if (entry->d_name[0] == '.')
            continue;
        bool isSymLink = false;
        const EntryKind kind = kindOf(folderFd, entry, &isSymLink);
        if (kind == EntryKind::Folder) {
            contents.subFolders.append({QFile::decodeName(entry->d_name), isSymLink});
        } else if (kind == EntryKind::File && wantFiles) {
            QString name = QFile::decodeName(entry->d_name);
            if (pattern->matches(name))
                contents.files.append({std::move(name), isSymLink});
        }
        errno = 0;
    }
    if (errno != 0)
        return std::unexpected(systemErrorText(errno));
    sortByName(contents.files);
    sortByName(contents.subFolders);
    return contents;
}

} // namespace

void sortByName(QList<DirectoryEntry> &entries)
{
    // Each name is folded once, into one buffer, and the sort moves small
    // records that point into it: comparing two names then reads only their
    // keys, which keeps a folder of 100,000 files quick to sort.
    struct Key
    {
        qsizetype offset;
        qsizetype size;
        qsizetype index;
    };
    QString folded;
    std::vector<Key> keys;
    keys.reserve(std::size_t(entries.size()));
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const qsizetype offset = folded.size();
        appendCaseFolded(folded, entries.at(index).name);
        keys.push_back({offset, folded.size() - offset, index});
    }
    const QChar *base = folded.constData();
    const QList<DirectoryEntry> &names = entries;
    std::sort(keys.begin(), keys.end(), [base, &names](const Key &a, const Key &b) {
        const int byKey = QStringView(base + a.offset, a.size).compare(QStringView(base + b.offset, b.size));
        if (byKey != 0)
            return byKey < 0;
        return QString::compare(names.at(a.index).name, names.at(b.index).name) < 0;
    });
    QList<DirectoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const Key &key : keys)
        sorted.append(std::move(entries[key.index]));
    entries = std::move(sorted);
}

std::expected<FolderContents, QString> readFolder(const QString &folderPath,
                                                  const FileNamePattern &pattern)
{
    return readEntries(folderPath, &pattern, true);
}

std::expected<QList<DirectoryEntry>, QString> listFiles(const QString &folderPath,
                                                        const QString &pattern)
{
    const FileNamePattern matcher(pattern);
    auto contents = readEntries(folderPath, &matcher, true);
    if (!contents)
        return std::unexpected(contents.error());
    return std::move(contents->files);
}

std::expected<QList<DirectoryEntry>, QString> listSubFolders(const QString &folderPath)
{
    auto contents = readEntries(folderPath, nullptr, false);
    if (!contents)
        return std::unexpected(contents.error());
    return std::move(contents->subFolders);
}

} // namespace kestrava
