// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace kestrava {

/// Which files a run renames, as the scope options on the Choose Files tab say.
enum class RunScope {
    SelectedFiles,               ///< the selected entries of the file list
    AllFilesInCurrentFolder,     ///< the same: the scope selected every entry
    AllFilesIncludingSubFolders, ///< the current folder and, depth first, every folder below
};

/// The error log's text for a failure described by \a description at \a path,
/// as the run, its journal and undo write it.
QString errorText(const QString &description, const QString &path);
/// \a msecs rounded to whole seconds, halves to the even second.
qint64 roundToSeconds(qint64 msecs);
/// The end of a summary: " taking 1 minutes 15 seconds." for 75 \a elapsedSeconds.
QString elapsedText(qint64 elapsedSeconds);
/// \a path with "/" appended unless it ends in one: the folder path that file
/// names are appended to.
QString folderPathOf(const QString &path);

/// What became of one visited file.
enum class FileOutcome {
    Renamed,         ///< renamed on disk
    Declined,        ///< the user answered No or Cancel
    SkippedReadOnly, ///< read-only, and read-only files are ignored
    Unchanged,       ///< the new name equals the old one
    Failed,          ///< not renamed; the reason says why
};

/// The record of one visited file.
struct FileStatus
{
    QString folderPath; ///< ends in "/"
    QString oldName;
    QString newName; ///< empty when it could not be computed
    FileOutcome outcome = FileOutcome::Failed;
    QString reason; ///< for Failed: the system's or the name computation's text
};

} // namespace kestrava

// A run keeps one status per file; a list of 100,000 grows by moving them.
Q_DECLARE_TYPEINFO(kestrava::FileStatus, Q_RELOCATABLE_TYPE);

namespace kestrava {

/// The records of one run: a status per visited file, the new names of the
/// renamed files and the error texts, each in the order they happened.
class RunLog
{
public:
    /// Forgets everything, as a new run starts.
    void clear();

    /// Whether the log keeps a status and a new name per file (the default),
    /// or only counts them. A caller that shows the files as they come has no
    /// use for a second record of each: for a million files it is 130 MB.
    void setKeepsFileRecords(bool keep) { m_keepsFileRecords = keep; }

    void addStatus(const FileStatus &status)
    {
        if (m_keepsFileRecords)
            m_statuses.append(status);
    }
    void addStatus(FileStatus &&status)
    {
        if (m_keepsFileRecords)
            m_statuses.append(std::move(status));
    }
    void addModified(const QString &newName)
    {
        ++m_filesRenamed;
        if (m_keepsFileRecords)
            m_modified.append(newName);
    }
    /// Makes room for the records of \a files more files in one go, before
    /// they come: a list of a million statuses growing as it goes copies
    /// itself whole, a tenth of a second in which the window answers nothing.
    void makeRoomFor(qsizetype files)
    {
        if (!m_keepsFileRecords)
            return;
        const auto roomFor = [files](auto &list) {
            const qsizetype needed = list.size() + files;
            if (list.capacity() < needed)
                list.reserve(std::max(needed, 2 * list.capacity()));
        };
        roomFor(m_statuses);
        roomFor(m_modified);
    }
    void addError(const QString &text) { m_errors.append(text); }

    /// Number of files renamed (entries of the modified-files log).
    qint64 filesRenamed() const { return m_filesRenamed; }
    /// Number of errors logged.
    qint64 errorCount() const { return m_errors.size(); }

    /// New names of the renamed files, oldest first (none unless kept).
    const QStringList &modified() const { return m_modified; }
    /// The entry at \a row of the modified-files log as shown (row 0 is the newest),
    /// for a list model over a log of any length.
    QString modifiedNewestFirst(qsizetype row) const { return m_modified.at(m_modified.size() - 1 - row); }
    /// The modified-files log as shown: newest first, each name followed by "\n".
    QString modifiedText() const;
    /// The error texts, oldest first.
    const QStringList &errors() const { return m_errors; }
    /// One status per visited file, in the order visited (none unless kept).
    const QList<FileStatus> &statuses() const { return m_statuses; }
    /// The statuses, handed over: the log keeps none.
    QList<FileStatus> takeStatuses() { return std::exchange(m_statuses, {}); }

private:
    bool m_keepsFileRecords = true;
    qint64 m_filesRenamed = 0;
    QStringList m_modified;
    QStringList m_errors;
    QList<FileStatus> m_statuses;
};

} // namespace kestrava
