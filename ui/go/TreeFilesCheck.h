// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

namespace kestrava {

/// Finds out, beside the window, whether a run of "All Files including
/// Sub-Folders" would meet any file: a tree of thousands of folders takes its
/// time, and one with files in it is usually known at its first folder.
class TreeFilesCheck : public QObject
{
    Q_OBJECT

public:
    explicit TreeFilesCheck(QObject *parent = nullptr);
    /// Gives up the look under way, which then ends unseen.
    ~TreeFilesCheck() override;

    /// Starts looking from \a startFolder for files that match \a pattern; a
    /// look still under way is given up.
    void start(const QString &startFolder, const QString &pattern);
    /// Gives up the look under way, if any: its answer is not reported.
    void cancel();
    /// Whether an answer is still to come.
    bool isBusy() const { return m_busy; }

Q_SIGNALS:
    /// The answer of the newest look: whether the tree holds a file to rename.
    void answered(bool hasFiles);

private:
    quint64 m_generation = 0;
    bool m_busy = false;
    std::shared_ptr<std::atomic_bool> m_cancelled;
};

} // namespace kestrava
