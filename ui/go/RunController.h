// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ChooserRunSettings.h"
#include "FolderChooserList.h"
#include "MessageBoxPrompt.h"
#include "ProgressPrompt.h"
#include "RenameRun.h"
#include "RunJournal.h"
#include "UndoRun.h"

#include <QObject>

class QWidget;

#include <functional>

namespace kestrava {

class ChooseFilesPage;
class DefaultButton;
class ErrorReporter;
class FileList;
class FolderList;
class GoPage;
class GoProgress;
class NameSource;

/// The window's parts a run takes its files and names from.
struct RunSources
{
    FolderList &folders; ///< `Dir1`
    FileList &files;     ///< `File1`
    NameSource &names;   ///< the options, with the run's own counters
    RunClock &clock;     ///< the window's clock
};

/// Runs renames, and their undo, from the Go tab: the Start, Stop and Undo
/// buttons, the progress shown while a run or an undo goes on, and the window's
/// protection of either in progress. Every run writes an undo journal.
class RunController : public QObject
{
    Q_OBJECT

public:
    /// Works the Go page's buttons and progress on \a goPage, runs the scope
    /// chosen on \a chooseFilesPage and locks its choosing during a run, and
    /// moves the window's \a defaultButton between Start and Stop. The pages,
    /// the default button and \a sources must outlive this object; \a window
    /// is its parent and that of its message boxes.
    RunController(GoPage *goPage, ChooseFilesPage *chooseFilesPage, DefaultButton *defaultButton,
                  const RunSources &sources, QWidget *window);
    ~RunController() override;

    /// Renames the files of the chosen scope, showing progress, and shows the outcome.
    void StartButton_Click();
    /// Asks the run or the undo to stop before its next file.
    void StopButton_Click();
    /// Asks whether to take back the newest run not yet undone and, on Yes,
    /// undoes that run, and only that one, showing progress as a run does.
    void cmdUndo_Click();

    /// True while a run or an undo goes on (either yields to the window's
    /// events between files).
    bool runInProgress() const { return m_run.isRunning() || m_undo.isRunning(); }
    /// Stops a run or undo in progress, as Stop does, and calls \a afterRun once
    /// it has ended (after the file in hand). Returns false, and does nothing,
    /// when neither is in progress.
    bool stopThen(std::function<void()> afterRun);

    /// Asks the questions of a run through \a prompt (nullptr: the message box).
    void setPrompt(Prompt *prompt);
    /// The name of the preset the options come from, which the journal of each
    /// following run records; empty for none.
    void setPresetName(const QString &name) { m_journal.setPresetName(name); }
    /// Where a failure inside a run or an undo is shown; must outlive this object.
    void setErrorReporter(ErrorReporter *reporter) { m_errorReporter = reporter; }

    GoProgress *progress() const { return m_progress; }
    /// The last run, or the one in progress.
    const RenameRun &run() const { return m_run; }
    /// The last undo, or the one in progress.
    const UndoRun &undo() const { return m_undo; }
    /// Offers Undo when a run can be taken back and nothing is going on.
    void updateUndoButton();

Q_SIGNALS:
    /// A run or an undo is about to rename files: what the window shows of
    /// them elsewhere (the files preview) is out of date from now on.
    void renamingStarts();

private:
    void beginShowingRun();
    void endShowingRun();
    /// Puts back files a killed run left under temporary names, and lists the
    /// ones it could not.
    void recoverParkedFiles();
    /// Lists the folder list's folder again, so that the restored names show.
    void refreshAfterUndo();
    /// Reads the folder list's folder again beside the window, to show the new names.
    void listAgain(FolderChooserList::Landing landing);
    /// Logs, under the run, that its folder could not be read again.
    void logListingFailure(const QString &path, const QString &reason);

    GoPage *m_goPage = nullptr;
    ChooseFilesPage *m_chooseFilesPage = nullptr;
    DefaultButton *m_defaultButton = nullptr;
    ErrorReporter *m_errorReporter = nullptr;
    GoProgress *m_progress = nullptr;
    MessageBoxPrompt m_messageBox;
    ProgressPrompt m_prompt;
    ChooserRunSettings m_settings;
    std::function<void()> m_afterRun;
    FolderList &m_folders;
    RunJournal m_journal;
    RenameRun m_run;
    UndoRun m_undo;
};

} // namespace kestrava
