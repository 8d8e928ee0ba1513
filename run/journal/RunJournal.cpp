// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunJournal.h"

#include "DiskOperations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThreadPool>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <utility>

namespace kestrava {

using journal::RecordType;

namespace {

// The room reserved when a journal starts: some hundreds of renames. Each
// time it fills, it doubles, up to this much more at a time, so that a run of
// a million files reserves room some fifteen times.
constexpr qint64 firstReservation = 64 * 1024;
constexpr qint64 largestGrowth = 16 * 1024 * 1024;

qint64 monotonicMsecs()
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC_COARSE, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// A journal's name holds its sequence number, which orders the runs.
QString journalName(quint64 sequence)
{
    return QStringLiteral("run-%1-%2.kjournal").arg(sequence, 20, 10, QLatin1Char('0')).arg(::getpid());
}

// The number after those of every journal in the state folder. The wall clock
// would not do: set back (a time zone, a correction, by hand), it would put a
// new run before older ones. The caller holds the folder's lock, so that two
// runs starting at once never take the same number. Older journals, named by
// the clock in nanoseconds, get numbers below the ones that follow them.
quint64 nextSequence()
{
    quint64 largest = 0;
    for (const QString &path : journal::journalPaths())
        largest = qMax(largest, journal::journalSequence(path));
    return largest + 1;
}

// The name as the rename steps use it: bare, or the last part of a full path.
// The journal takes every file name from here, in the bytes the rename gets.
QByteArrayView bareName(const QByteArray &path)
{
    const auto *slash = static_cast<const char *>(::memrchr(path.constData(), '/', size_t(path.size())));
    return slash ? QByteArrayView(slash + 1, path.constData() + path.size()) : QByteArrayView(path);
}

QString absoluteFolder(const QString &folderPath)
{
    return folderPath.startsWith(u'/') ? folderPath : QDir::currentPath() + u'/' + folderPath;
}

// Opens the state folder, making it when missing. The journals say which files
// a user renamed, so the folder is the user's alone (0700), and a link in its
// place is refused rather than followed to wherever it points.
int openStateFolder(const QString &folder)
{
    QDir().mkpath(folder.section(u'/', 0, -2));
    const QByteArray path = journal::nameBytes(folder);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return -1;
    const int fd = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    struct stat info;
    int error = 0;
    if (::fstat(fd, &info) != 0)
        error = errno;
    else if (info.st_uid != ::geteuid())
        error = EACCES;
    else if ((info.st_mode & 0077) != 0 && ::fchmod(fd, info.st_mode & 0700) != 0)
        error = errno;
    if (error != 0) {
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

} // namespace

// A journal left unended reads as the journal of a killed run.
RunJournal::~RunJournal()
{
    closeMap();
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RunJournal::begin(RunScope scope, const QString &startFolder, const QDateTime &startedAt)
{
    closeMap();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_reserved = 0;
    m_written = 0;
    m_failure.clear();
    m_folder.clear();
    m_folderId = 0;
    m_sequence = 0;
    m_awaitingOutcome = false;
    m_renamed = 0;
    const QString folder = journal::stateFolder();
    m_path = folder;
    const int folderFd = openStateFolder(folder);
    if (folderFd < 0) {
        fail(errno);
        return false;
    }
    // The lock is let go when the folder is closed below.
    while (::flock(folderFd, LOCK_EX) != 0 && errno == EINTR) {
    }
    const quint64 sequence = nextSequence();
    for (int attempt = 0; attempt < 100 && m_fd < 0; ++attempt) {
        const QString name = journalName(sequence + quint64(attempt));
        m_path = folder + u'/' + name;
        // O_EXCL fails on any entry of that name, a link included, so a
        // planted link is never followed: the next name is tried instead.
        m_fd = journal::openLockedAt(folderFd, journal::nameBytes(name), O_CREAT | O_EXCL);
        if (m_fd < 0 && errno != EEXIST)
            break;
    }
    const int error = errno;
    ::close(folderFd);
    if (m_fd < 0) {
        m_path = folder;
        fail(error);
        return false;
    }
    if (!reserve(firstReservation))
        return false;
    m_record.start(RecordType::Begin);
    m_record.addU64(quint64(startedAt.toMSecsSinceEpoch()));
    m_record.addU8(quint8(scope));
    m_record.addBytes(journal::nameBytes(startFolder));
    QByteArray start = journal::fileHeader() + m_record.finish();
    if (!m_presetName.isEmpty()) {
        m_record.start(RecordType::Preset);
        m_record.addBytes(m_presetName.toUtf8());
        start += m_record.finish();
    }
    if (!write(start))
        return false;
    m_lastSync = monotonicMsecs();
    return true;
}

void RunJournal::recordRename(const QString &folderPath, const FolderFile &file, const FolderFile &newFile)
{
    if (m_fd < 0)
        return;
    if (!file.identified) {
        const auto identity = fileIdentityAt(file.folder, file.path);
        if (!identity)
            return;
        file.identity = *identity;
        file.identified = true;
    }
    if (folderPath != m_folder || m_folderId == 0) {
        m_record.start(RecordType::Folder);
        m_record.addU32(++m_folderId);
        m_record.addU64(fileSystemId(file.folder, file.path));
        m_record.addBytes(journal::nameBytes(absoluteFolder(folderPath)));
        if (!write(m_record.finish()))
            return;
        m_folder = folderPath;
    }
    // The one record of every file goes straight where it is kept.
    const QByteArrayView oldName = bareName(file.path);
    const QByteArrayView newName = bareName(newFile.path);
    char *to = room(journal::RecordWriter::sizeFor(8 + 4 + 8 + 8 + 8 + 8 + 8 + 4 + oldName.size() + newName.size()));
    if (!to)
        return;
    journal::RecordWriter record(to, RecordType::Rename);
    record.addU64(m_sequence++);
    record.addU32(m_folderId);
    record.addU64(file.identity.device);
    record.addU64(file.identity.inode);
    record.addU64(quint64(file.identity.birthNsecs));
    record.addU64(file.identity.size);
    record.addU64(quint64(file.identity.modifiedNsecs));
    record.addU32(quint32(oldName.size()));
    record.addBytes(oldName);
    record.addBytes(newName);
    m_awaitingOutcome = commit(record.finish());
    if (m_awaitingOutcome && file.modeBefore >= 0) {
        m_record.start(RecordType::Permissions);
        m_record.addU64(m_sequence - 1);
        m_record.addU32(quint32(file.modeBefore));
        m_awaitingOutcome = write(m_record.finish());
    }
    if (m_awaitingOutcome)
        syncNowAndThen();
}

void RunJournal::recordOutcome(bool renamed)
{
    if (m_fd < 0 || !std::exchange(m_awaitingOutcome, false))
        return;
    if (renamed) {
        ++m_renamed;
        return;
    }
    m_record.start(RecordType::Restored);
    m_record.addU64(m_sequence - 1);
    write(m_record.finish());
}

void RunJournal::recordParked(const QByteArray &temporaryPath)
{
    if (m_fd < 0 || m_sequence == 0)
        return;
    m_record.start(RecordType::Parked);
    m_record.addU64(m_sequence - 1);
    m_record.addBytes(bareName(temporaryPath));
    write(m_record.finish());
}

void RunJournal::recordStep(RenameStep step, const QByteArray &from, const QByteArray &to, quint64 inode)
{
    if (m_sequence == 0)
        return;
    recordStepOf(m_sequence - 1, step, from, to, inode);
}

void RunJournal::recordTakenBack(quint64 sequence)
{
    if (m_fd < 0 || sequence >= m_sequence)
        return;
    m_record.start(RecordType::Restored);
    m_record.addU64(sequence);
    if (write(m_record.finish()) && m_renamed > 0)
        --m_renamed;
}

void RunJournal::recordStepOf(quint64 sequence, RenameStep step, const QByteArray &from, const QByteArray &to,
                              quint64 inode)
{
    if (m_fd < 0 || sequence >= m_sequence)
        return;
    const QByteArrayView fromName = bareName(from);
    m_record.start(RecordType::Step);
    m_record.addU64(sequence);
    m_record.addU8(quint8(step));
    m_record.addU64(inode);
    m_record.addU32(quint32(fromName.size()));
    m_record.addBytes(fromName);
    m_record.addBytes(bareName(to));
    write(m_record.finish());
}

void RunJournal::end(const QDateTime &endedAt, bool stopped)
{
    if (m_fd < 0)
        return;
    m_record.start(RecordType::End);
    m_record.addU64(quint64(endedAt.toMSecsSinceEpoch()));
    m_record.addU8(stopped ? 1 : 0);
    if (!write(m_record.finish()))
        return;
    closeMap();
    // A run that renamed nothing has nothing to undo: its journal would only
    // push the journal of a run that did out of those kept.
    if (m_renamed == 0) {
        ::unlink(journal::nameBytes(m_path).constData());
        ::close(m_fd);
        m_fd = -1;
        return;
    }
    // Cutting off the room that was not used only saves space: a journal that
    // keeps it reads the same, so failing here is no reason to lose the journal.
    if (m_reserved > m_written)
        (void)!::ftruncate(m_fd, m_written);
    if (::fdatasync(m_fd) != 0) {
        fail(errno);
        return;
    }
    ::close(m_fd);
    m_fd = -1;
    // Looking at every kept journal opens and reads twenty files, a few
    // milliseconds that a run of 10,000 files would wait a twentieth of its
    // time for: the older journals go beside the run, now this one is whole.
    QThreadPool::globalInstance()->start([path = m_path] { removeOldJournals(path); });
}

QString RunJournal::takeFailure()
{
    return std::exchange(m_failure, QString());
}

bool RunJournal::write(const QByteArray &record)
{
    char *to = room(record.size());
    if (!to)
        return false;
    std::memcpy(to, record.constData(), size_t(record.size()));
    return commit(record.size());
}

// Where the next record of \a size bytes is to be put: in the map, with room
// reserved for it, or in a buffer for write(). Null after fail().
char *RunJournal::room(qsizetype size)
{
    if (!m_map) {
        if (m_unwritten.size() < size)
            m_unwritten.resize(size);
        return m_unwritten.data();
    }
    const qint64 needed = m_written + size;
    if (needed > m_reserved) {
        qint64 reserved = m_reserved;
        while (reserved < needed)
            reserved += qMin(reserved, largestGrowth);
        if (!reserve(reserved))
            return nullptr;
    }
    return m_map + m_written;
}

// Keeps the record of \a size bytes put at room(): in the map it is kept
// already, and it counts; otherwise it is written to the file.
bool RunJournal::commit(qsizetype size)
{
    if (m_map) {
        m_written += size;
        letGoOfWrittenPages();
        return true;
    }
    qsizetype done = 0;
    while (done < size) {
        const ssize_t written = ::write(m_fd, m_unwritten.constData() + done, size_t(size - done));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            fail(written < 0 ? errno : ENOSPC);
            return false;
        }
        done += written;
    }
    m_written += done;
    return true;
}

// Reserves the file's first \a size bytes and maps them, or, on a file system
// that can do neither, leaves the journal to write(). False after fail().
//
// The map is only safe while nobody shortens the file under it, which would
// stop the program on its next record. Nobody does: the journal is locked,
// lives in a folder that only its user may enter, and Kestrava itself only
// ever appends to a journal of another run.
bool RunJournal::reserve(qint64 size)
{
    int reserved;
    do
        reserved = ::fallocate(m_fd, 0, m_reserved, size - m_reserved);
    while (reserved != 0 && errno == EINTR);
    if (reserved != 0) {
        const int error = errno;
        if (m_reserved == 0 && (error == EOPNOTSUPP || error == ENOSYS))
            return true;
        fail(error);
        return false;
    }
    // The first room is mapped at once rather than a page at a fault, which
    // reads the pages: a disk file system is given no zeros to write. Room
    // added later faults in as records reach it, since mapping room that a
    // run may never use cost more than it saved.
    void *map = m_map ? ::mremap(m_map, size_t(m_reserved), size_t(size), MREMAP_MAYMOVE)
                      : ::mmap(nullptr, size_t(size), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_POPULATE, m_fd, 0);
    if (map == MAP_FAILED) {
        const int error = errno;
        if (m_reserved == 0 && error == ENODEV && ::ftruncate(m_fd, 0) == 0)
            return true;
        fail(error);
        return false;
    }
    m_map = static_cast<char *>(map);
    m_reserved = size;
    return true;
}

void RunJournal::closeMap()
{
    if (m_map)
        ::munmap(m_map, size_t(m_reserved));
    m_map = nullptr;
    m_letGo = 0;
}

// The pages of the map count in the program's memory as long as they stay
// mapped: the journal of a million renames is some 130 MB, on top of what
// the run itself holds. Records already written are kept by the file (its
// page cache, flushed by fdatasync() as always), so their pages are let go
// of every two megabytes; the last stretch stays, as the newest records may
// still be completed.
void RunJournal::letGoOfWrittenPages()
{
    constexpr qint64 step = qint64(2) << 20;
    constexpr qint64 keptMapped = qint64(64) << 10;
    const qint64 upTo = (m_written - keptMapped) / step * step;
    if (upTo <= m_letGo)
        return;
    // Failing to let go only costs memory.
    (void)::madvise(m_map + m_letGo, size_t(upTo - m_letGo), MADV_DONTNEED);
    m_letGo = upTo;
}

// A journal known only in part must not be offered for undo, so it goes.
void RunJournal::fail(int error)
{
    // The window shows this line in its error log, in the window's language.
    const char *source = QT_TRANSLATE_NOOP("kestrava::RunJournal", "This run cannot be undone: ");
    const QString cannot = QCoreApplication::translate("kestrava::RunJournal", source);
    m_failure = errorText(cannot + systemErrorText(error), m_path);
    closeMap();
    if (m_fd >= 0) {
        ::unlink(journal::nameBytes(m_path).constData());
        ::close(m_fd);
    }
    m_fd = -1;
}

void RunJournal::syncNowAndThen()
{
    const qint64 now = monotonicMsecs();
    if (now - m_lastSync < 1000)
        return;
    m_lastSync = now;
    if (::fdatasync(m_fd) != 0)
        fail(errno);
}

// Keeps the journals of the last keptJournals runs that renamed something, this
// one included. Fully undone runs go first, the oldest first, so that runs
// that can still be undone stay as long as they can; a journal without a
// rename (a run killed before its first) is worth nothing and goes too.
// Journals in use, and those that cannot be read, are left alone.
void RunJournal::removeOldJournals(const QString &newest)
{
    // One clean-up at a time: two would each remove the excess they counted.
    static std::mutex oneAtATime;
    const std::lock_guard lock(oneAtATime);
    QStringList undone;
    QStringList undoable;
    qsizetype withRenames = 0;
    // The folder of the journal just ended: the state folder named by the
    // environment may have changed since.
    for (const QString &path : journal::listJournalsIn(newest.left(newest.lastIndexOf(u'/'))).paths) {
        const journal::JournalGlance glance = journal::glanceAt(path);
        if (!glance.readable)
            continue;
        const bool inUse = path == newest || journal::isInUse(path);
        if (!glance.hasRename) {
            if (!inUse)
                QFile::remove(path);
            continue;
        }
        ++withRenames;
        if (!inUse)
            (glance.lastRecord == RecordType::Undone ? undone : undoable).append(path);
    }
    qsizetype excess = withRenames - journal::keptJournals;
    for (const QStringList *paths : {&undone, &undoable}) {
        for (qsizetype i = 0; i < paths->size() && excess > 0; ++i) {
            if (QFile::remove(paths->at(i)))
                --excess;
        }
    }
}

} // namespace kestrava
