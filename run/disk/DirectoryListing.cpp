// SPDX-License-Identifier: GPL-3.0-or-later
// The disk room: listing folders, renaming without replacing by each file system's method, name bytes and file-type patterns.
#include "DirectoryListing.h"

#include "DiskOperations.h"
#include "FileNameBytes.h"
#include "FileNamePattern.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/sysmacros.h>
#include <vector>

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
        type = S_ISLNK(info.st_mode) ? DT_LNK
            : S_ISDIR(info.st_mode)  ? DT_DIR
            : S_ISREG(info.st_mode)  ? DT_REG
                                     : DT_UNKNOWN;
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

struct SortKey
{
    qsizetype offset;
    qsizetype size;
    qsizetype index;
};

bool isAscii(const QString &name)
{
    return std::all_of(name.cbegin(), name.cend(), [](QChar ch) { return ch.unicode() < 0x80; });
}

// Folded bytes and folded UTF-16 compare alike: by code unit, then by length.
int compareKeys(const char *a, qsizetype aSize, const char *b, qsizetype bSize)
{
    if (const int common = std::memcmp(a, b, std::size_t(std::min(aSize, bSize))); common != 0)
        return common;
    return aSize < bSize ? -1 : aSize > bSize ? 1 : 0;
}

int compareKeys(const QChar *a, qsizetype aSize, const QChar *b, qsizetype bSize)
{
    return QStringView(a, aSize).compare(QStringView(b, bSize));
}

// Puts \a entries in the order of their folded keys, ties in exact order.
template<typename Char>
void sortByKeys(QList<DirectoryEntry> &entries, std::vector<SortKey> &keys, const Char *base)
{
    const QList<DirectoryEntry> &names = entries;
    std::sort(keys.begin(), keys.end(), [base, &names](const SortKey &a, const SortKey &b) {
        if (const int byKey = compareKeys(base + a.offset, a.size, base + b.offset, b.size); byKey != 0)
            return byKey < 0;
        return QString::compare(names.at(a.index).name, names.at(b.index).name) < 0;
    });
    QList<DirectoryEntry> sorted;
    sorted.reserve(entries.size());
    for (const SortKey &key : keys)
        sorted.append(std::move(entries[key.index]));
    entries = std::move(sorted);
}

class FolderHandle
{
public:
    explicit FolderHandle(const QString &path)
        : m_dir(::opendir(fileNameToBytes(path).constData()))
    {}
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

// What one pass over a folder collects.
struct ReadRequest
{
    const FileNamePattern *pattern = nullptr; // files matching it are listed; none without
    bool subFolders = false;                  // list the sub-folders
    EntryNameSink *sink = nullptr;            // gets the rules and every entry's name
    ListingProof *proof = nullptr;            // filled for a later stillHolds()
};

qint64 clockNsecs(clockid_t clock)
{
    timespec now{};
    ::clock_gettime(clock, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

qint64 stampNsecs(const statx_timestamp &stamp)
{
    return qint64(stamp.tv_sec) * 1'000'000'000 + stamp.tv_nsec;
}

// The local file systems whose folders' times come from the kernel's clock, to
// the nanosecond, whenever an entry is added, removed or renamed. Elsewhere (a
// network or FUSE file system) the times may come from another machine.
bool stampsEveryChange(qint64 fileSystemType)
{
    switch (fileSystemType) {
    case TMPFS_MAGIC:
    case EXT4_SUPER_MAGIC: // also ext2 and ext3
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

// One tick of the coarse clock: a time read from it may lag the kernel's own
// stamp of the same moment by up to that much.
qint64 coarseTickNsecs()
{
    static const qint64 tick = [] {
        timespec resolution{};
        if (::clock_getres(CLOCK_REALTIME_COARSE, &resolution) != 0)
            return qint64(10'000'000);
        return std::max<qint64>(qint64(resolution.tv_sec) * 1'000'000'000 + resolution.tv_nsec, 1'000'000);
    }();
    return tick;
}

void takeProof(int folderFd, ListingProof &proof)
{
    proof = ListingProof();
    // Read before the first entry: a change after this moment is stamped at
    // or after it, a change before it is in what readdir returns.
    proof.readAtNsecs = clockNsecs(CLOCK_REALTIME_COARSE);
    proof.readAtMonotonicNsecs = clockNsecs(CLOCK_MONOTONIC_COARSE);
    struct stat folder;
    struct statfs fileSystem;
    if (::fstat(folderFd, &folder) != 0 || ::fstatfs(folderFd, &fileSystem) != 0) {
        proof.entriesFixed = false;
        return;
    }
    proof.device = quint64(folder.st_dev);
    proof.inode = quint64(folder.st_ino);
    proof.fileSystemType = qint64(fileSystem.f_type);
}

std::expected<FolderContents, QString> readEntries(const QString &folderPath, const ReadRequest &request)
{
    if (folderPath.isEmpty())
        return std::unexpected(systemErrorText(ENOENT));
    FolderHandle folder(folderPath);
    if (!folder.get())
        return std::unexpected(systemErrorText(errno));
    const int folderFd = ::dirfd(folder.get());
    if (request.sink)
        request.sink->folderRules(folderNameRules(folderFd));
    if (request.proof)
        takeProof(folderFd, *request.proof);
    const bool wantKinds = request.pattern || request.subFolders;
    FolderContents contents;
    errno = 0;
    while (const dirent *entry = ::readdir(folder.get())) {
        const char *raw = entry->d_name;
        if (raw[0] == '.' && (raw[1] == 0 || (raw[1] == '.' && raw[2] == 0)))
            continue;
        if (request.sink)
            request.sink->entryName(QByteArrayView(raw));
        if (raw[0] == '.' || !wantKinds)
            continue;
        if (request.proof && (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN))
            request.proof->entriesFixed = false;
        QString name = fileNameFromBytes(raw);
        bool isSymLink = false;
        const EntryKind kind = kindOf(folderFd, entry, &isSymLink);
        if (kind == EntryKind::Folder && request.subFolders)
            contents.subFolders.append({std::move(name), isSymLink});
        else if (kind == EntryKind::File && request.pattern && request.pattern->matches(name))
            contents.files.append({std::move(name), isSymLink});
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
    // keys. Plain ASCII names, the usual case, fold by hand to bytes; any
    // other name makes QString fold every name of the list.
    std::vector<SortKey> keys;
    keys.reserve(std::size_t(entries.size()));
    const auto ascii = [](const DirectoryEntry &entry) { return isAscii(entry.name); };
    if (std::all_of(entries.cbegin(), entries.cend(), ascii)) {
        qsizetype length = 0;
        for (const DirectoryEntry &entry : std::as_const(entries))
            length += entry.name.size();
        QByteArray folded(length, Qt::Uninitialized);
        char *out = folded.data();
        for (qsizetype index = 0; index < entries.size(); ++index) {
            const QString &name = entries.at(index).name;
            keys.push_back({out - folded.constData(), name.size(), index});
            for (const QChar ch : name) {
                const char code = char(ch.unicode());
                *out++ = code >= 'A' && code <= 'Z' ? char(code + ('a' - 'A')) : code;
            }
        }
        sortByKeys(entries, keys, folded.constData());
        return;
    }
    QString folded;
    for (qsizetype index = 0; index < entries.size(); ++index) {
        const qsizetype offset = folded.size();
        folded += entries.at(index).name.toCaseFolded();
        keys.push_back({offset, folded.size() - offset, index});
    }
    sortByKeys(entries, keys, folded.constData());
}

std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern)
{
    return readEntries(folderPath, {&pattern, true, nullptr, nullptr});
}

std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern,
                                                  ListingProof &proof)
{
    return readEntries(folderPath, {&pattern, true, nullptr, &proof});
}

std::expected<FolderContents, QString> readFolder(const QString &folderPath, const FileNamePattern &pattern,
                                                  ListingProof &proof, EntryNameSink &sink)
{
    return readEntries(folderPath, {&pattern, true, &sink, &proof});
}

bool stillHolds(const QString &folderPath, const ListingProof &proof)
{
    if (!proof.entriesFixed || !stampsEveryChange(proof.fileSystemType))
        return false;
    constexpr unsigned needed = STATX_INO | STATX_MTIME | STATX_CTIME;
    struct statx folder;
    if (::statx(AT_FDCWD, fileNameToBytes(folderPath).constData(), 0, needed, &folder) != 0
        || (folder.stx_mask & needed) != needed)
        return false;
    if (makedev(folder.stx_dev_major, folder.stx_dev_minor) != proof.device || folder.stx_ino != proof.inode)
        return false;
    // A file system that keeps whole seconds (ext4 with small inodes) cuts a
    // later change's stamp back to before the listing: no proof there.
    if (folder.stx_mtime.tv_nsec == 0 || folder.stx_ctime.tv_nsec == 0)
        return false;
    // The real-time clock set back since the listing would let a later change
    // carry an earlier stamp; the monotonic clock sees no such step.
    const qint64 tick = coarseTickNsecs();
    const qint64 realElapsed = clockNsecs(CLOCK_REALTIME_COARSE) - proof.readAtNsecs;
    const qint64 monotonicElapsed = clockNsecs(CLOCK_MONOTONIC_COARSE) - proof.readAtMonotonicNsecs;
    if (realElapsed < 0 || std::abs(realElapsed - monotonicElapsed) > tick)
        return false;
    // Any change since the listing was read, an entry added, removed or
    // renamed or the folder's permissions changed, stamps the folder no earlier
    // than the listing's time.
    const qint64 before = proof.readAtNsecs - tick;
    return stampNsecs(folder.stx_mtime) < before && stampNsecs(folder.stx_ctime) < before;
}

std::expected<QList<DirectoryEntry>, QString> listFiles(const QString &folderPath, const QString &pattern)
{
    const FileNamePattern matcher(pattern);
    auto contents = readEntries(folderPath, {&matcher, true, nullptr, nullptr});
    if (!contents)
        return std::unexpected(contents.error());
    return std::move(contents->files);
}

std::expected<QList<DirectoryEntry>, QString> listSubFolders(const QString &folderPath)
{
    auto contents = readEntries(folderPath, {nullptr, true, nullptr, nullptr});
    if (!contents)
        return std::unexpected(contents.error());
    return std::move(contents->subFolders);
}

std::expected<FolderContents, QString> readFolderNames(const QString &folderPath, const FileNamePattern *pattern,
                                                       EntryNameSink &sink)
{
    return readEntries(folderPath, {pattern, pattern != nullptr, &sink, nullptr});
}

} // namespace kestrava
