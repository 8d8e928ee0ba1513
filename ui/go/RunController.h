#pragma once

#include "ChooserRunSettings.h"
#include "MessageBoxPrompt.h"
#include "ProgressPrompt.h"
#include "RenameRun.h"
#include "RunJournal.h"
#include "UndoRun.h"

#include <QObject>

#include <functional>

namespace kestrava {

class FileList;
class FolderList;
class GoProgress;
class KestravaForm;
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
    /// Works on \a form's controls; \a sources must outlive this object.
    RunController(KestravaForm *form, const RunSources &sources);
    ~RunController() override;

    /// Renames the files of the chosen scope, showing progress, and shows the outcome.
    void StartButton_Click();
    /// Asks the run or the undo to stop before its next file.
    void StopButton_Click();
    /// Asks whether to take back the newest run not yet undone and, on Yes,
    /// undoes it, showing progress as a run does.
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

    GoProgress *progress() const { return m_progress; }
    /// The last run, or the one in progress.
    const RenameRun &run() const { return m_run; }
    /// The last undo, or the one in progress.
    const UndoRun &undo() const { return m_undo; }
    /// Offers Undo when a run can be taken back and nothing is going on.
    void updateUndoButton();

private:
    RunScope chosenScope() const;
    /// Locks or frees the controls that choose the files, which the run walks.
    void setChooserEnabled(bool enabled);
    void beginShowingRun();
    void endShowingRun();
    /// Puts back files a killed run left under temporary names, and lists the
    /// ones it could not.
    void recoverParkedFiles();
    /// Lists the folder list's folder again, so that the restored names show.
    void refreshAfterUndo();

    KestravaForm *m_form = nullptr;
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
