#include "UndoRun.h"

#include "DiskOperations.h"
#include "ProgressSink.h"
#include "RenameMethods.h"
#include "RunClock.h"

#include <QCoreApplication>
#include <QLocale>
#include <QScopedValueRollback>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
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
// says why not, or is 0 when another file has the name.
bool isRecordedFile(int folder, const QByteArray &name, const RenameEntry &entry)
{
    const auto found = fileIdentityAt(folder, name);
    if (!found) {
        errno = found.error();
        return false;
    }
    errno = 0;
    return isSameFile(entry.identity, *found);
}

void appendRecord(int fd, RecordType type, std::optional<quint64> sequence = std::nullopt)
{
    if (fd < 0)
        return;
    journal::RecordBuilder record;
    record.start(type);
    if (sequence)
        record.addU64(*sequence);
    const QByteArray &bytes = record.finish();
    // A lost mark only means the file is looked at again, and found back already.
    if (::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size())
        return;
}

qint64 filesLeft(const JournalContents &contents)
{
    return std::count_if(contents.renames.cbegin(), contents.renames.cend(),
                         [](const RenameEntry &entry) { return !entry.restored; });
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

bool mayBeUndone(const QString &path, const journal::JournalGlance &glance)
{
    return glance.readable && glance.hasRename && glance.lastRecord != RecordType::Undone && !journal::isInUse(path);
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
                       [](const QString &path) { return mayBeUndone(path, journal::glanceAt(path)); });
}

std::optional<UndoableRun> UndoRun::newestUndoableRun()
{
    const QStringList paths = journal::journalPaths();
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        if (!mayBeUndone(*path, journal::glanceAt(*path)))
            continue;
        const JournalContents contents = journal::readJournal(*path);
        if (const qint64 left = filesLeft(contents); left > 0)
            return UndoableRun{*path, left, contents.startedAt, contents.presetName};
    }
    return std::nullopt;
}

void UndoRun::markFinishedUndos()
{
    const QStringList paths = journal::journalPaths();
    for (auto path = paths.crbegin(); path != paths.crend(); ++path) {
        if (!mayBeUndone(*path, journal::glanceAt(*path)))
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

QString UndoRun::questionText(const UndoableRun &run)
{
    if (!run.presetName.isEmpty())
        return undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun",
                                          "Rename the %1 files of the run of %2 with the preset \"%3\" back to their "
                                          "old names?"))
            .arg(run.fileCount)
            .arg(QLocale().toString(run.startedAt, QLocale::ShortFormat), run.presetName);
    return undoText(
               QT_TRANSLATE_NOOP("kestrava::UndoRun", "Rename the %1 files of the run of %2 back to their old names?"))
        .arg(run.fileCount)
        .arg(QLocale().toString(run.startedAt, QLocale::ShortFormat));
}

bool UndoRun::start()
{
    if (m_running)
        return false;
    markFinishedUndos();
    const auto run = newestUndoableRun();
    if (!run)
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
    undoJournal(*run, journal::readJournal(run->journalPath));
    m_endedAt = m_clock.now();
    m_progress.showStatus(m_stopRequested ? runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "INTERRUPTED BY USER"))
                                          : undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "UNDONE")));
    m_progress.showSummary(summaryText());
    m_progress.showFolder(QString());
    m_progress.showFile(QString());
    return true;
}

void UndoRun::undoJournal(const UndoableRun &run, const JournalContents &contents)
{
    openJournal(run.journalPath, contents);
    bool everyFileDone = true;
    QByteArray folderShown;
    for (auto entry = contents.renames.crbegin(); entry != contents.renames.crend(); ++entry) {
        if (entry->restored)
            continue;
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
    if (m_journalFd >= 0) {
        ::fdatasync(m_journalFd);
        ::close(m_journalFd);
    }
    m_journalFd = -1;
    closeFolders();
}

// Opens the journal to record what is taken back, and names what of it could not be read.
void UndoRun::openJournal(const QString &path, const JournalContents &contents)
{
    const QByteArray journalBytes = journal::nameBytes(path);
    m_journalFd = journal::openLocked(journalBytes, 0);
    if (m_journalFd < 0)
        logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "What is undone cannot be recorded: "))
                     + systemErrorText(errno),
                 {}, journalBytes);
    for (const qint64 at : contents.damagedAt)
        logError(undoText(QT_TRANSLATE_NOOP("kestrava::UndoRun", "A damaged record at byte %1 was skipped")).arg(at),
                 {}, journalBytes);
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
    const int folder = folderDescriptor(entry.folder);
    if (folder < 0) {
        logError(systemErrorText(m_folderErrors.value(entry.folder)), entry.folder, entry.newName);
        return Outcome::Failed;
    }
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
        return Outcome::Failed;
    }
    if (const auto renamed = renameNoReplaceAt(folder, current, entry.oldName); !renamed) {
        if (current == entry.parkedName) {
            logError(leftParkedText(renamed.error(), entry), entry.folder, current);
            return Outcome::Failed;
        }
        logError(systemErrorText(renamed.error()), entry.folder, renamed.error() == EEXIST ? entry.oldName : current);
        return Outcome::Failed;
    }
    return Outcome::Restored;
}

int UndoRun::folderDescriptor(const QByteArray &folder)
{
    if (const auto known = m_folders.constFind(folder); known != m_folders.cend())
        return *known;
    const int fd = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        m_folderErrors.insert(folder, errno);
    m_folders.insert(folder, fd);
    return fd;
}

void UndoRun::closeFolders()
{
    for (const int fd : std::as_const(m_folders)) {
        if (fd >= 0)
            ::close(fd);
    }
    m_folders.clear();
    m_folderErrors.clear();
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

ParkedRecovery UndoRun::recoverParkedFiles()
{
    ParkedRecovery recovery;
    for (const QString &path : journal::journalPaths()) {
        // A run that ended finished or undid each of its two-step renames itself.
        const journal::JournalGlance glance = journal::glanceAt(path);
        if (!glance.readable || glance.lastRecord == RecordType::End || glance.lastRecord == RecordType::Undone
            || journal::isInUse(path))
            continue;
        for (const RenameEntry &entry : journal::readJournal(path).renames) {
            if (entry.parkedName.isEmpty() || entry.restored)
                continue;
            const int folder = ::open(entry.folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (folder < 0)
                continue;
            if (isRecordedFile(folder, entry.parkedName, entry)) {
                const auto renamed = renameNoReplaceAt(folder, entry.parkedName, entry.oldName);
                if (renamed)
                    ++recovery.filesRestored;
                else
                    recovery.errors.append(errorText(leftParkedText(renamed.error(), entry),
                                                                journal::nameText(entry.folder + entry.parkedName)));
            }
            ::close(folder);
        }
    }
    return recovery;
}

} // namespace kestrava
