// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QString>

class QProgressBar;

namespace kestrava {

/// The Go tab's progress bar `prgRun` during a run: files done out of those the
/// run will process, with the time left once the run has gone on for a second,
/// or, in a tree walk, folders done out of those found so far. It keeps the
/// run's numbers as they come and shows them only when asked, at the display's pace.
class RunProgressBar
{
    Q_DECLARE_TR_FUNCTIONS(kestrava::RunProgressBar)

public:
    /// Shows on \a bar, which must outlive this object.
    explicit RunProgressBar(QProgressBar *bar);

    /// A run begins: the bar empties and the run's clock starts.
    void begin();
    /// The run will process \a files files of one folder.
    void planFiles(qint64 files);
    /// The run moves on to its next file; the ones before it are done.
    void fileBegun()
    {
        if (m_measure != Measure::Files)
            return;
        m_done = m_begun++;
        m_changed = true;
    }
    /// The run has done every file it began.
    void filesEnded()
    {
        if (m_measure != Measure::Files)
            return;
        m_done = m_begun;
        m_changed = true;
    }
    /// A tree walk has done \a done of the \a found folders it knows of.
    void setFolders(qint64 done, qint64 found);
    /// Brings the bar up to date with the numbers since the last call.
    void show();

    /// The bar's text over files: the share done, and the time left when known
    /// (\a secondsLeft >= 0).
    static QString filesText(int percent, qint64 secondsLeft);
    /// The bar's text in a tree walk.
    static QString foldersText(qint64 done, qint64 found);
    /// A time span as the bar shows it: "45 s", "1 min 20 s", "2 h 5 min".
    static QString durationText(qint64 seconds);
    /// The time left, in whole seconds rounded up, after \a elapsedMsecs for
    /// \a done of \a total; -1 while too little is known to say.
    static qint64 secondsLeft(qint64 elapsedMsecs, qint64 done, qint64 total);

private:
    enum class Measure { None, Files, Folders };

    QProgressBar *m_bar = nullptr;
    Measure m_measure = Measure::None;
    QElapsedTimer m_sinceBegin;
    qint64 m_total = 0;
    qint64 m_done = 0;
    qint64 m_begun = 0;
    bool m_changed = false;
};

} // namespace kestrava
