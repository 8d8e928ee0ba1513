// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CliResults.h"
#include "ProgressSink.h"

#include <QHash>

namespace kestrava::cli {

/// Follows an undo file by file and keeps one result for each: the undo
/// shows a file's folder and current name, then either logs it as restored
/// under its old name, logs an error, or says nothing (the file already had
/// its old name back), and yields before the next file.
class UndoProgress : public ProgressSink
{
public:
    /// The results so far, in the undo's order.
    QList<FileResult> results;

    /// Reads the old names of the run journalled at \a journalPath, so that a
    /// file the undo fails to put back is shown with the name it was to get.
    void readOldNames(const QString &journalPath);

    void showFile(const QString &name) override;
    void showFolder(const QString &path) override { m_folder = path; }
    void showCount(qint64) override {}
    void showStatus(const QString &) override {}
    void showSummary(const QString &) override {}
    void logsCleared() override {}
    void fileModified(const QString &oldName) override { m_current.newName = oldName; }
    void errorLogged(const QString &text) override;
    void yield() override { finishFile(); }

private:
    void finishFile();

    QString m_folder;
    /// The journal's old name of each file, by the path it was renamed to.
    QHash<QString, QString> m_oldNames;
    bool m_inFile = false;
    FileResult m_current;
};

} // namespace kestrava::cli
