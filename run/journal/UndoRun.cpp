// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoRun.h"

#include "DiskOperations.h"
#include "ProgressSink.h"
#include "RenameMethods.h"
#include "RunClock.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QScopedValueRollback>
#include <QSet>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrava {

using journal::JournalContents;
using journal::RecordType;
using journal::RenameEntry;

namespace {

// Undo's texts go through the translator the window installs; without one, as
// for the command line, they stay English. Those a run shows too keep the run's.
QString undoText(const char *source)
{
    return QCoreApplication::translate("kestrava::UndoRun", source);
}

QString runText(const char *source)
{
    return QCoreApplication::translate("kestrava::RenameRun", source);
}

// Whether \a name in \a folder is the recorded file itself; otherwise errno
// says why not, or is 0 when another file has the name. A file on another
// device than its folder (a file mounted over its name) is another file.
bool isRecordedFile(const UndoFolder &folder, const QByteArray &name, const RenameEntry &entry)
{
    const auto found = fileIdentityAt(folder.fd, name);
    if (!found) {
        errno = found.error();
        return false;
    }
    errno = 0;
    return isSameFile(entry.identity, *found) && (!entry.identity.hasSizeAndTime || found->device == folder.device);
}

// Opens \a path as the folder of files to put back.
UndoFolder openUndoFolder(const QByteArray &path)
{
    UndoFolder folder;
    folder.fd = ::open(path.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    struct stat info;
    if (folder.fd < 0 || ::fstat(folder.fd, &info) != 0) {
        folder.error = errno;
        if (folder.fd >= 0)
            ::close(folder.fd);
        folder.fd = -1;
        return folder;
    }
    folder.device = quint64(info.st_dev);
    folder.fileSystem = fileSystemId(folder.fd);
    return folder;
}

// Whether the folder holds the file system the run renamed the file on. When
// another one, or none, is mounted in its place, nothing of it is touched.
bool holdsFileSystemOf(const UndoFolder &folder, const RenameEntry &entry)
{
    return entry.fileSystem == 0 || folder.fileSystem == entry.fileSystem;
}

// An empty file of the user's own under a step's new name, with the inode the
// placeholder was made with, or, made by a run killed before it could say
// which, with no permission bits, as only placeholders are made.
bool isOwnPlaceholder(const struct stat &info, quint64 inode)
{
    return S_ISREG(info.st_mode) && info.st_size == 0 && info.st_nlink == 1 && info.st_uid == ::geteuid()
        && (inode != 0 ? quint64(info.st_ino) == inode : (info.st_mode & 07777) == 0);
}

// Clears what a kill left of the steps of a weaker rename method, so that the
// file is under one name again: the second name a link made, when both names
// still are the recorded file, and an empty placeholder that is still ours.
// Whatever else is there now was made by someone else, and stays.
void clearSteps(const UndoFolder &folder, const RenameEntry &entry)
{
    for (auto step = entry.steps.crbegin(); step != entry.steps.crend(); ++step) {
        struct stat made;
        if (::fstatat(folder.fd, step->to.constData(), &made, AT_SYMLINK_NOFOLLOW) != 0)
            continue;
        if (step->step == RenameStep::Link) {
            struct stat first;
            if (::fstatat(folder.fd, step->from.constData(), &first, AT_SYMLINK_NOFOLLOW) == 0
                && first.st_dev == made.st_dev && first.st_ino == made.st_ino
                && isRecordedFile(folder, step->to, entry))
                ::unlinkat(folder.fd, step->to.constData(), 0);
        } else if (isOwnPlaceholder(made, step->inode) && !isRecordedFile(folder, step->to, entry)) {
            ::unlinkat(folder.fd, step->to.constData(), 0);
        }
    }
}

QString notMountedText()
{
    return undoText(
        QT_TRANSLATE_NOOP("kestrava::UndoRun", "The file system this file was renamed on is not mounted here"));
}

void appendRecord(int fd, RecordType type, std::optional<quint64> sequence = std::nullopt,
                  QByteArrayView extra = {})
{
    if (fd < 0)
        return;
    journal::RecordBuilder record;
    record.start(type);
    if (sequence)
        record.addU64(*sequence);
    record.addBytes(extra);
    const QByteArray &bytes = record.finish();
    // A lost mark only means the file is looked at again, and found back already.
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        return;
}

qint64 filesLeft(const JournalContents &contents)
{
    return std::count_if(contents.renames.cbegin(), contents.renames.cend(),
                         [](const RenameEntry &entry) { return !entry.restored && !entry.leftAlone; });
}

// The folders of the files left, named as the question names them.
UndoableRun undoableRun(const QString &path, qint64 left, const JournalContents &contents)
{
    UndoableRun run;
    run.journalPath = path;
    run.fileCount = left;
    run.startedAt = contents.startedAt;
    run.scope = contents.scope;
    run.presetName = contents.presetName;
    QSet<QByteArray> folders;
    for (const RenameEntry &entry : contents.renames) {
        if (!entry.restored && !entry.leftAlone)
            folders.insert(entry.folder);
    }
    QByteArray folder = contents.startFolder;
    if (!folder.endsWith('/'))
        folder.append('/');
    if (contents.scope != int(RunScope::AllFilesIncludingSubFolders) || contents.startFolder.isEmpty()) {
        const auto first = std::find_if(contents.renames.cbegin(), contents.renames.cend(),
                                        [](const RenameEntry &entry) { return !entry.restored && !entry.leftAlone; });
        folder = first->folder;
    }
    run.folder = journal::nameText(folder);
    run.otherFolders = folders.size() - (folders.contains(folder) ? 1 : 0);
    return run;
}

QString withoutEndSlash(QString folder)
{
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    return folder;
}

// The error text for a file that stays under its temporary name: both names,
// since nothing else would show the user where the file went.
QString leftParkedText(int error, const RenameEntry &entry)
{
    return systemErrorText(error)
        + undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun",
                                     "; the file is left as %1, as its old name %2 cannot be given back"))
              .arg(journal::nameText(entry.parkedName), journal::nameText(entry.oldName));
}

QString refusalText(const journal::RefusedJournal &refused)
{
    switch (refused.reason) {
    case journal::Refusal::FolderNotPrivate:
        return errorText(
            undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun",
                                       "Undo journals are not read from a folder that others may change")),
            refused.path);
    case journal::Refusal::JournalNotPrivate:
        break;
    }
    return errorText(
        undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Not read as an undo journal: it is not a private file of yours")),
        refused.path);
}

// A journal another process holds is still offered: undo then says who holds it,
// rather than pass over a run that may be newer than the one it would take.
bool mayBeUndone(const journal::JournalGlance &glance)
{
    return glance.readable && glance.hasRename && glance.lastRecord != RecordType::Undone;
}

QString inUseText(qint64 pid)
{
    if (pid <= 0)
        return undoText(
            QT_TRANSLATE_NOOP("kestrava::UndoRun", "This run is in use by another process; nothing was undone"));
    QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
    const QString name =
        comm.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(comm.readAll().trimmed()) : QStringLiteral("?");
    return undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "This run is in use by process %1 (%2); nothing was undone"))
        .arg(pid)
        .arg(name);
}

} // namespace

UndoRun::UndoRun(ProgressSink &progress, RunClock &clock)
    : m_progress(progress)
    , m_clock(clock)
{}

bool UndoRun::canUndo()
{
    const QStringList paths = journal::journalPaths();
    return std::any_of(paths.crbegin(), paths.crend(),
                       [](const QString &path) { return mayBeUndone(journal::glanceAt(path)); });
}

std::optional<UndoableRun> UndoRun::newestUndoableRun()
{
    JournalContents contents;
    return newestUndoableRun(contents);
}

std::optional<UndoableRun> UndoRun::newestUndoableRun(JournalContents &contents)
{
    const QStringList paths = journal::journalPaths();
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        if (!mayBeUndone(journal::glanceAt(*path)))
            continue;
        contents = journal::readJournal(*path);
        if (const qint64 left = filesLeft(contents); left > 0)
            return undoableRun(*path, left, contents);
    }
    contents = JournalContents();
    return std::nullopt;
}

void UndoRun::markFinishedUndos()
{
    const QStringList paths = journal::journalPaths();
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        if (!mayBeUndone(journal::glanceAt(*path)))
            continue;
        if (filesLeft(journal::readJournal(*path)) > 0)
            return;
        // Every rename was dealt with, but the undo ended before it could say so.
        const int fd = journal::openLocked(journal::nameBytes(*path), 0);
        appendRecord(fd, RecordType::Undone);
        if (fd >= 0)
            ::close(fd);
    }
}

QString UndoRun::questionText(const UndoableRun &run, const QString &shownFolder)
{
    QString text =
        run.presetName.isEmpty()
            ? undoText(
                  QT_TRANSLATE_NOOP("kestrava::UndoRun", "Rename the %1 files of the run of %2 back to their old names?"))
                  .arg(run.fileCount)
                  .arg(QLocale().toString(run.startedAt, QLocale::ShortFormat))
            : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun",
                                         "Rename the %1 files of the run of %2 with the preset \"%3\" back to their "
                                         "old names?"))
                  .arg(run.fileCount)
                  .arg(QLocale().toString(run.startedAt, QLocale::ShortFormat), run.presetName);
    if (run.folder.isEmpty())
        return text;
    const QString folder = withoutEndSlash(run.folder);
    text += u"\n\n"
        + (run.otherFolders == 0
               ? undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Folder: %1")).arg(folder)
               : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Folders: %1 and %2 more"))
                     .arg(folder)
                     .arg(run.otherFolders));
    switch (run.scope) {
    case int(RunScope::SelectedFiles):
        text += u'\n' + undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Scope: selected files"));
        break;
    case int(RunScope::AllFilesInCurrentFolder):
        text += u'\n' + undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Scope: all files in the folder"));
        break;
    case int(RunScope::AllFilesIncludingSubFolders):
        text += u'\n' + undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Scope: all files including sub-folders"));
        break;
    default:
        break;
    }
    // Once the window's own runs are undone, the next may be another folder's.
    if (!shownFolder.isEmpty() && withoutEndSlash(shownFolder) != folder)
        text += u"\n\n"
            + undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "This is not the folder shown in the window."));
    return text;
}

bool UndoRun::start()
{
    if (m_running)
        return false;
    markFinishedUndos();
    const auto run = newestUndoableRun();
    return run && start(run->journalPath);
}

bool UndoRun::start(const QString &journalPath)
{
    if (m_running)
        return false;
    // Cleared however start() is left.
    const QScopedValueRollback<bool> running(m_running, true);
    m_stopRequested = false;
    forgetRenameMethods();
    m_log.clear();
    m_progress.showStatus(runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "WORKING ...")));
    m_progress.logsCleared();
    m_startedAt = m_clock.now();
    m_endedAt = m_startedAt;
    undoJournal(journalPath);
    m_endedAt = m_clock.now();
    m_progress.showStatus(m_stopRequested ? runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "INTERRUPTED BY USER"))
                                          : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "UNDONE")));
    m_progress.showSummary(summaryText());
    m_progress.showFolder(QString());
    m_progress.showFile(QString());
    return true;
}

// The journal is locked before it is read, so that two undos never take back
// the same run at once, and what an undo before this one did is in what is read.
void UndoRun::undoJournal(const QString &path)
{
    const QByteArray journalBytes = journal::nameBytes(path);
    m_journalFd = journal::openLocked(journalBytes, 0);
    if (m_journalFd < 0) {
        const int error = errno;
        logError(error == EWOULDBLOCK
                     ? inUseText(journal::lockHolder(path))
                     : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "This run cannot be undone: "))
                         + systemErrorText(error),
                 {}, journalBytes);
        return;
    }
    JournalContents contents;
    const auto newest = newestUndoableRun(contents);
    if (!newest || newest->journalPath != path) {
        logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun",
                                            "This run is no longer the one to undo; nothing was undone")),
                 {}, journalBytes);
        closeJournal();
        return;
    }
    for (const qint64 at : contents.damagedAt)
        logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "A damaged record at byte %1 was skipped")).arg(at),
                 {}, journalBytes);
    bool everyFileDone = true;
    QByteArray folderShown;
    // A ring of renames (a swap, a rotation) is taken back as it was made:
    // the file whose new name another file wants back as its old name goes
    // aside first, under a temporary name the journal learns before.
    QHash<QByteArray, qsizetype> byNewName;
    for (qsizetype i = 0; i < contents.renames.size(); ++i) {
        const RenameEntry &entry = contents.renames.at(i);
        if (!entry.restored && !entry.leftAlone)
            byNewName.insert(entry.folder + entry.newName, i);
    }
    for (qsizetype at = contents.renames.size() - 1; at >= 0; --at) {
        const auto entry = contents.renames.cbegin() + at;
        if (entry->restored || entry->leftAlone)
            continue;
        byNewName.remove(entry->folder + entry->newName);
        if (const qsizetype holder = byNewName.value(entry->folder + entry->oldName, -1); holder >= 0 && !m_stopRequested)
            parkAhead(contents.renames[holder]);
        if (m_stopRequested) {
            everyFileDone = false;
            break;
        }
        if (entry->folder != folderShown) {
            folderShown = entry->folder;
            m_progress.showFolder(journal::nameText(folderShown));
        }
        m_progress.showFile(journal::nameText(entry->newName));
        m_progress.showCount(filesRestored());
        const Outcome outcome = undoOne(*entry);
        if (outcome == Outcome::Failed)
            everyFileDone = false;
        else if (outcome == Outcome::LeftAlone)
            recordLeftAlone(entry->sequence);
        else
            appendRecord(m_journalFd, RecordType::Restored, entry->sequence);
        if (outcome == Outcome::Restored) {
            const QString oldName = journal::nameText(entry->oldName);
            m_log.addModified(oldName);
            m_progress.fileModified(oldName);
        }
        m_progress.yield();
    }
    if (everyFileDone)
        appendRecord(m_journalFd, RecordType::Undone);
    closeJournal();
    closeFolders();
}

// Moves the file of \a entry, still under its new name, aside under a
// temporary name, recorded as its parked name, so that an earlier file of the
// run can have that name back; undoOne() then finds it there.
void UndoRun::parkAhead(RenameEntry &entry)
{
    const UndoFolder &folder = undoFolder(entry.folder);
    if (folder.fd < 0 || !holdsFileSystemOf(folder, entry) || !isRecordedFile(folder, entry.newName, entry))
        return;
    ParkNotices notices;
    notices.beforeParking = [this, &entry](const QByteArray &temporary) {
        appendRecord(m_journalFd, RecordType::Parked, entry.sequence, temporary);
        if (m_journalFd >= 0)
            ::fdatasync(m_journalFd);
    };
    if (const auto aside = parkAsideAt(folder.fd, entry.newName, notices))
        entry.parkedName = *aside;
}

void UndoRun::closeJournal()
{
    if (m_journalFd >= 0) {
        ::fdatasync(m_journalFd);
        ::close(m_journalFd);
    }
    m_journalFd = -1;
}

// Puts one file back under its old name, from its new name or, when a run
// died between the two steps of a change of letter case, its temporary name.
UndoRun::Outcome UndoRun::undoOne(const RenameEntry &entry)
{
    if (entry.folder.isEmpty()) {
        logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "The journal lost the folder of this file")), {},
                 entry.newName);
        return Outcome::Failed;
    }
    const UndoFolder &folder = undoFolder(entry.folder);
    if (folder.fd < 0) {
        logError(systemErrorText(folder.error), entry.folder, entry.newName);
        return Outcome::Failed;
    }
    // Left on offer: the right file system may be mounted again later.
    if (!holdsFileSystemOf(folder, entry)) {
        logError(notMountedText(), entry.folder, entry.newName);
        return Outcome::Failed;
    }
    clearSteps(folder, entry);
    QByteArray current = entry.newName;
    bool found = isRecordedFile(folder, current, entry);
    const int newNameError = errno;
    if (!found && isRecordedFile(folder, entry.oldName, entry))
        return Outcome::AlreadyBack;
    if (!found && !entry.parkedName.isEmpty() && isRecordedFile(folder, entry.parkedName, entry)) {
        current = entry.parkedName;
        found = true;
    }
    if (!found) {
        const QString reason = newNameError != 0
            ? systemErrorText(newNameError)
            : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Replaced by another file"));
        logError(reason, entry.folder, entry.newName);
        if (newNameError == 0)
            return leaveAlone(journal::LeftAloneReason::Replaced, 0);
        if (newNameError == ENOENT)
            return leaveAlone(journal::LeftAloneReason::Gone, newNameError);
        return Outcome::Failed;
    }
    // Undo's own change of letter case parks the file too: the journal learns
    // the temporary name first, so that a kill between the steps loses nothing.
    ParkNotices notices;
    notices.beforeStep = [this, &entry](RenameStep step, const QByteArray &from, const QByteArray &to,
                                        quint64 inode) {
        char fields[1 + 8 + 4];
        fields[0] = char(step);
        qToLittleEndian(inode, fields + 1);
        qToLittleEndian(quint32(from.size()), fields + 9);
        const QByteArray payload = QByteArray(fields, sizeof fields) + from + to;
        appendRecord(m_journalFd, RecordType::Step, entry.sequence, payload);
    };
    notices.beforeParking = [this, &entry](const QByteArray &temporary) {
        const qsizetype slash = temporary.lastIndexOf('/');
        appendRecord(m_journalFd, RecordType::Parked, entry.sequence, QByteArrayView(temporary).sliced(slash + 1));
        if (m_journalFd >= 0)
            ::fdatasync(m_journalFd);
    };
    if (const auto renamed = renameNoReplaceAt(folder.fd, current, entry.oldName, notices); !renamed) {
        if (current == entry.parkedName) {
            logError(leftParkedText(renamed.error(), entry), entry.folder, current);
            return Outcome::Failed;
        }
        // The file stays under the name it has now: the line names it by that
        // name, and says which name is taken.
        if (renamed.error() == EEXIST) {
            logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "Old name %1 is taken"))
                         .arg(journal::nameText(entry.oldName)),
                     entry.folder, current);
            return leaveAlone(journal::LeftAloneReason::OldNameTaken, EEXIST);
        }
        logError(systemErrorText(renamed.error()), entry.folder, current);
        return Outcome::Failed;
    }
    restorePermissions(folder, entry);
    return Outcome::Restored;
}

// A file that cannot go back is left as it is; its reason is kept until the
// entry's sequence number is recorded with it.
UndoRun::Outcome UndoRun::leaveAlone(journal::LeftAloneReason reason, int error)
{
    m_leftAloneReason = reason;
    m_leftAloneError = error;
    return Outcome::LeftAlone;
}

void UndoRun::recordLeftAlone(quint64 sequence)
{
    char extra[5];
    extra[0] = char(m_leftAloneReason);
    qToLittleEndian(quint32(m_leftAloneError), extra + 1);
    appendRecord(m_journalFd, RecordType::LeftAlone, sequence, QByteArrayView(extra, 5));
}

// Puts back the permission bits the run changed to rename the file, with the
// same check as for its name: only while it is still the recorded file. The
// file is back under its old name either way; a failure is an error of its own.
void UndoRun::restorePermissions(const UndoFolder &folder, const RenameEntry &entry)
{
    if (entry.modeBefore < 0)
        return;
    if (!isRecordedFile(folder, entry.oldName, entry)) {
        logError(systemErrorText(errno != 0 ? errno : ESTALE), entry.folder, entry.oldName);
        return;
    }
    if (::fchmodat(folder.fd, entry.oldName.constData(), mode_t(entry.modeBefore), 0) != 0)
        logError(systemErrorText(errno), entry.folder, entry.oldName);
}

const UndoFolder &UndoRun::undoFolder(const QByteArray &folder)
{
    auto known = m_folders.find(folder);
    if (known == m_folders.end())
        known = m_folders.insert(folder, openUndoFolder(folder));
    return *known;
}

void UndoRun::closeFolders()
{
    for (const UndoFolder &folder : std::as_const(m_folders)) {
        if (folder.fd >= 0)
            ::close(folder.fd);
    }
    m_folders.clear();
}

void UndoRun::logError(const QString &description, const QByteArray &folder, const QByteArray &name)
{
    const QString text = errorText(description, journal::nameText(folder + name));
    m_log.addError(text);
    m_progress.errorLogged(text);
}

QString UndoRun::summaryText() const
{
    const qint64 msecs = m_startedAt.isValid() && m_endedAt.isValid() ? m_startedAt.msecsTo(m_endedAt) : 0;
    return summaryText(filesRestored(), std::max<qint64>(0, roundToSeconds(msecs)));
}

QString UndoRun::summaryText(qint64 filesRestored, qint64 elapsedSeconds)
{
    if (filesRestored == 0)
        return undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", " No Files were Restored"));
    // The double space after "total of" is the run's summary's too.
    return undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", " A total of  %1 files were restored")).arg(filesRestored)
        + elapsedText(elapsedSeconds);
}

namespace {

// Puts back under their old names the files of \a renames after \a index in
// \a folder that are still the recorded files under their new names, the
// last first; gives how many went back.
qint64 takeBackAfter(const QList<RenameEntry> &renames, qsizetype index, const UndoFolder &folder)
{
    qint64 back = 0;
    for (qsizetype at = renames.size() - 1; at > index; --at) {
        const RenameEntry &entry = renames.at(at);
        if (entry.restored || entry.folder != renames.at(index).folder
            || !isRecordedFile(folder, entry.newName, entry))
            continue;
        if (renameNoReplaceAt(folder.fd, entry.newName, entry.oldName))
            ++back;
    }
    return back;
}

} // namespace

ParkedRecovery UndoRun::recoverParkedFiles()
{
    ParkedRecovery recovery;
    const journal::JournalList journals = journal::listJournals();
    for (const journal::RefusedJournal &refused : journals.refused)
        recovery.errors.append(refusalText(refused));
    for (const QString &path : journals.paths) {
        // A run that ended finished or undid each of its two-step renames itself.
        const journal::JournalGlance glance = journal::glanceAt(path);
        if (glance.impossible)
            recovery.errors.append(errorText(
                undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "A damaged journal is skipped: its length is impossible")),
                path));
        if (!glance.readable || glance.lastRecord == RecordType::End || glance.lastRecord == RecordType::Undone
            || journal::isInUse(path))
            continue;
        const QList<RenameEntry> renames = journal::readJournal(path).renames;
        for (qsizetype index = 0; index < renames.size(); ++index) {
            const RenameEntry &entry = renames.at(index);
            if (entry.restored || (entry.parkedName.isEmpty() && entry.steps.isEmpty()))
                continue;
            const UndoFolder folder = openUndoFolder(entry.folder);
            if (folder.fd < 0)
                continue;
            if (!holdsFileSystemOf(folder, entry)) {
                recovery.errors.append(errorText(
                    notMountedText(),
                    journal::nameText(entry.folder + (entry.parkedName.isEmpty() ? entry.newName : entry.parkedName))));
                ::close(folder.fd);
                continue;
            }
            clearSteps(folder, entry);
            if (!entry.parkedName.isEmpty() && isRecordedFile(folder, entry.parkedName, entry)) {
                auto renamed = renameNoReplaceAt(folder.fd, entry.parkedName, entry.oldName);
                // The first file of a ring waits parked while the others
                // move; killed before it moved on, the ring is taken back, the
                // last of them first, so that its old name is free again.
                if (!renamed && renamed.error() == EEXIST
                    && takeBackAfter(renames, index, folder) > 0)
                    renamed = renameNoReplaceAt(folder.fd, entry.parkedName, entry.oldName);
                if (renamed)
                    ++recovery.filesRestored;
                else
                    recovery.errors.append(errorText(leftParkedText(renamed.error(), entry),
                                                                journal::nameText(entry.folder + entry.parkedName)));
            }
            ::close(folder.fd);
        }
    }
    return recovery;
}

} // namespace kestrava
