// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameRun.h"

#include "DiskOperations.h"
#include "FileList.h"
#include "FileNameBytes.h"
#include "FileRenamer.h"
#include "FolderList.h"
#include "NameSource.h"
#include "ProgressSink.h"
#include "Prompt.h"
#include "RenameMethods.h"
#include "RunClock.h"
#include "RunJournal.h"
#include "RunSettings.h"

#include <QCoreApplication>
#include <QScopedValueRollback>
#include <QTimeZone>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <future>
#include <system_error>
#include <optional>
#include <utility>

namespace kestrava {

namespace {

// The run's texts go through the translator the window installs; without one, as
// for the command line, they stay English.
QString runText(const char *source)
{
    return QCoreApplication::translate("kestrava::RenameRun", source);
}

// The texts a run may write for each of many files, looked up once a run.
struct PerFileTexts
{
    QString unusableName = runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "Not a usable file name"));
};

PerFileTexts &perFileTexts()
{
    static PerFileTexts texts;
    return texts;
}

qint64 msecsSinceMidnightOf(const QDateTime &day, const QDateTime &moment)
{
    if (!day.isValid() || !moment.isValid())
        return 0;
    return day.date().startOfDay(day.timeZone()).msecsTo(moment);
}

} // namespace

RenameRun::RenameRun(const RunParts &parts)
    : m_parts(parts)
{}

bool RenameRun::start(RunScope scope)
{
    if (m_running)
        return false;
    // Cleared however start() is left.
    const QScopedValueRollback<bool> running(m_running, true);
    m_stopRequested = false;
    forgetRenameMethods();
    m_parts.names.beginRun();
    m_log.clear();
    m_startFolder = m_parts.folders.path();
    perFileTexts() = PerFileTexts();
    m_parts.progress.showStatus(runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "WORKING ...")));
    m_parts.progress.logsCleared();
    m_startedAt = m_parts.clock.now();
    m_endedAt = m_startedAt;
    if (m_journal) {
        m_journal->begin(scope, m_startFolder, m_startedAt);
        reportJournalFailure();
    }
    if (const QString failure = m_parts.names.failureOfEveryName(); !failure.isEmpty()) {
        // Every file would fail alike: one line says why, and no folder is walked.
        LogError(failure);
    } else if (scope == RunScope::AllFilesIncludingSubFolders) {
        RenameFolderTree();
    } else {
        m_parts.progress.filesPlanned(m_parts.files.selectedCount());
        RenameSelectedFiles();
    }
    m_endedAt = m_parts.clock.now();
    if (m_journal) {
        endJournal();
        reportJournalFailure();
    }
    m_openFolder.close();
    refillFileList();
    m_parts.files.deselectAll();
    m_parts.progress.showStatus(m_stopRequested
                                    ? runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "INTERRUPTED BY USER"))
                                    : runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "COMPLETED")));
    m_parts.progress.showSummary(summaryText());
    m_parts.progress.showFolder(QString());
    m_parts.progress.showFile(QString());
    return true;
}

// Closing a big run's journal takes a while: unmapping it, cutting it to its
// size and flushing it to disk, a tenth of a second for a million renames on
// tmpfs and more on a slow disk. The run's thread, which may be the window's,
// keeps answering meanwhile; nothing else touches the journal until it is done.
void RenameRun::endJournal()
{
    const auto end = [journal = m_journal, at = m_endedAt, stopped = m_stopRequested] { journal->end(at, stopped); };
    std::future<void> ended;
    try {
        ended = std::async(std::launch::async, end);
    } catch (const std::system_error &) {
        end(); // no thread to be had: the journal is ended all the same
        return;
    }
    // A Stop pressed now comes after the last file: it stops nothing.
    const bool stopped = m_stopRequested;
    while (ended.wait_for(std::chrono::milliseconds(5)) != std::future_status::ready)
        m_parts.progress.yield();
    m_stopRequested = stopped;
}

bool RenameRun::RenameFile(const QString &strCurrentPath, const QString &strFileName, const QString &strNewFilename)
{
    // A walk renames the files of one folder after another: the folder is held
    // open while the run is in it. A call outside a run lets go of it at once.
    if (m_openFolder.path() != strCurrentPath)
        m_openFolder.open(strCurrentPath);
    DiskOutcome outcome = renameOneFile(strCurrentPath, strFileName, strNewFilename);
    if (!m_running)
        m_openFolder.close();
    return reportRename(strCurrentPath, strFileName, strNewFilename, std::move(outcome));
}

bool RenameRun::reportRename(const QString &folderPath, const QString &name, const QString &newName,
                             DiskOutcome &&outcome)
{
    FileStatus status = statusOf(folderPath, name, newName, std::move(outcome));
    // A file the run meant to rename and did not, other than by the user's
    // choice, is an error like any other: it is logged and counted.
    if (status.outcome == FileOutcome::Failed)
        LogError(errorText(status.reason, folderPath + name));
    const bool renamed = status.outcome == FileOutcome::Renamed;
    m_log.addStatus(std::move(status));
    return renamed;
}

DiskOutcome RenameRun::renameOneFile(const QString &folderPath, const QString &name, const QString &newName)
{
    FileRenamer renamer(m_journal, m_parts.settings.ignoreReadOnly());
    if (!m_parts.settings.confirmFiles())
        return renamer.rename(m_openFolder, folderPath, name, newName);
    return renamer.rename(m_openFolder, folderPath, name, newName,
                          [&] { return askConfirmation(name, newName); });
}

// The status of a file the disk is done with, and the error-log lines of what
// went wrong beside the rename, in the order it went wrong.
FileStatus RenameRun::statusOf(const QString &folderPath, const QString &name, const QString &newName,
                               DiskOutcome &&outcome)
{
    FileStatus status{folderPath, name, newName, outcome.outcome, QString()};
    if (outcome.rare && !outcome.rare->journalFailure.isEmpty())
        LogError(outcome.rare->journalFailure);
    if (outcome.outcome == FileOutcome::Renamed) {
        // The file did change its name, so it counts as renamed; the trouble with
        // its permissions is an error of its own.
        if (outcome.permissionError != 0)
            LogError(errorText(systemErrorText(outcome.permissionError), folderPath + name));
        return status;
    }
    if (outcome.outcome != FileOutcome::Failed)
        return status;
    if (outcome.restoreError != 0)
        LogError(errorText(systemErrorText(outcome.restoreError), folderPath + name));
    status.reason = systemErrorText(outcome.error);
    if (outcome.rare && !outcome.rare->leftParked.isEmpty()) {
        const QByteArray &temporary = outcome.rare->leftParked;
        status.reason +=
            QCoreApplication::translate("kestrava::RenameRun",
                                        "; the file is left as %1, as its old name %2 cannot be given back: %3")
                .arg(fileNameFromBytes(temporary.sliced(temporary.lastIndexOf('/') + 1)), name,
                     systemErrorText(outcome.rare->leftParkedError));
    }
    return status;
}

bool RenameRun::parkFirstOfRing(const QString &folderPath, const QString &name, const QString &newName,
                                ParkedFile &parked)
{
    parked = ParkedFile();
    DiskOutcome outcome;
    const std::optional<FolderFile> file =
        FileRenamer(m_journal, m_parts.settings.ignoreReadOnly())
            .prepare(m_openFolder, name, newName, [&] { return askConfirmation(name, newName); }, nullptr, outcome,
                     parked.madeWritable);
    parked.permissionError = outcome.permissionError;
    if (!file) {
        reportRename(folderPath, name, newName, std::move(outcome));
        return false;
    }
    const auto aside = journaledPark(folderPath, *file, FolderFile(m_openFolder, newName), parked.sequence);
    if (!aside) {
        if (parked.madeWritable)
            restoreReadOnly(*file, folderPath + name);
        LogError(errorText(aside.error(), folderPath + name));
        m_log.addStatus({folderPath, name, newName, FileOutcome::Failed, aside.error()});
        return false;
    }
    parked.temporary = *aside;
    parked.parked = true;
    return true;
}

bool RenameRun::finishRing(const QString &folderPath, const QString &name, const QString &newName,
                           const ParkedFile &parked)
{
    const FolderFile file(m_openFolder, name);
    FileStatus status{folderPath, name, newName, FileOutcome::Failed, QString()};
    if (const auto moved = journaledUnpark(file, FolderFile(m_openFolder, newName), parked); !moved) {
        status.reason = moved.error();
        if (parked.madeWritable)
            restoreReadOnly(file, folderPath + name);
        LogError(errorText(status.reason, folderPath + name));
    } else {
        if (parked.permissionError != 0)
            LogError(errorText(systemErrorText(parked.permissionError), folderPath + name));
        status.outcome = FileOutcome::Renamed;
    }
    const bool renamed = status.outcome == FileOutcome::Renamed;
    m_log.addStatus(std::move(status));
    return renamed;
}

// The renamed files' old names are gone from disk: the file list shows the
// folder as the run leaves it, so that a second Start works on real names.
void RenameRun::refillFileList()
{
    if (intFilesRenamed() == 0 || !m_listAgainAtEnd)
        return;
    const QString path = m_parts.folders.path();
    if (const auto listed = m_parts.folders.setPath(path); !listed)
        LogError(errorText(listed.error(), path));
}

void RenameRun::restoreReadOnly(const FolderFile &file, const QString &path)
{
    if (const auto restored = clearOwnerWritable(file); !restored)
        LogError(errorText(systemErrorText(restored.error()), path));
}

bool RenameRun::askConfirmation(const QString &name, const QString &newName)
{
    if (!m_parts.settings.confirmFiles())
        return true;
    const PromptAnswer answer = m_parts.prompt.ask(runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "Confirm Rename")),
                                                   confirmationText(name, newName));
    if (answer == PromptAnswer::Cancel)
        m_stopRequested = true;
    return answer == PromptAnswer::Yes;
}

void RenameRun::RecordFileModified(const QString &The_Filename)
{
    m_log.addModified(The_Filename);
    m_parts.progress.fileModified(The_Filename);
}

void RenameRun::LogError(const QString &The_Error)
{
    m_log.addError(The_Error);
    m_parts.progress.errorLogged(The_Error);
}

qint64 RenameRun::lngStartTime() const
{
    return roundToSeconds(msecsSinceMidnightOf(m_startedAt, m_startedAt));
}

qint64 RenameRun::lngEndTime() const
{
    return roundToSeconds(msecsSinceMidnightOf(m_startedAt, m_endedAt));
}

QString RenameRun::summaryText() const
{
    // Both times count from the same midnight, so a run past midnight keeps its
    // true length; a clock set back during the run gives 0, never less.
    return summaryText(intFilesRenamed(), std::max<qint64>(0, lngEndTime() - lngStartTime()));
}

QString RenameRun::summaryText(qint64 filesRenamed, qint64 elapsedSeconds)
{
    if (filesRenamed == 0)
        return runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " No Files were Renamed"));
    return runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " A total of ")) + u' ' + QString::number(filesRenamed)
        + runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " files were renamed")) + elapsedText(elapsedSeconds);
}

QString RenameRun::confirmationText(const QString &oldName, const QString &newName)
{
    return runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "Rename this File ?")) + u'\n' + u'\n'
        + runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "OLD : ")) + oldName + u'\n'
        + runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "NEW : ")) + newName;
}

} // namespace kestrava
