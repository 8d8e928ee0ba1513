#pragma once

#include "ChooserRunSettings.h"
#include "MessageBoxPrompt.h"
#include "ProgressPrompt.h"
#include "RenameRun.h"

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

/// Runs renames from the Go tab: the Start and Stop buttons, the progress shown
/// while a run goes on, and the window's protection of a run in progress.
class RunController : public QObject
{
    Q_OBJECT

public:
    /// Works on \a form's controls; \a sources must outlive this object.
    RunController(KestravaForm *form, const RunSources &sources);
    ~RunController() override;

    /// Renames the files of the chosen scope, showing progress, and shows the outcome.
    void StartButton_Click();
    /// Asks the run to stop before its next file.
    void StopButton_Click();

    /// True while a run goes on (it yields to the window's events between files).
    bool runInProgress() const { return m_run.isRunning(); }
    /// Stops a run in progress, as Stop does, and calls \a afterRun once the run
    /// has ended (after the file in hand). Returns false, and does nothing, when
    /// no run is in progress.
    bool stopThen(std::function<void()> afterRun);

    /// Asks the questions of a run through \a prompt (nullptr: the message box).
    void setPrompt(Prompt *prompt);

    GoProgress *progress() const { return m_progress; }
    /// The last run, or the one in progress.
    const RenameRun &run() const { return m_run; }

private:
    RunScope chosenScope() const;
    /// Locks or frees the controls that choose the files, which the run walks.
    void setChooserEnabled(bool enabled);
    void beginShowingRun();
    void endShowingRun();

    KestravaForm *m_form = nullptr;
    GoProgress *m_progress = nullptr;
    MessageBoxPrompt m_messageBox;
    ProgressPrompt m_prompt;
    ChooserRunSettings m_settings;
    std::function<void()> m_afterRun;
    RenameRun m_run;
};

} // namespace kestrava
