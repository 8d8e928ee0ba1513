#include "RunController.h"

#include "ChooseFilesPage.h"
#include "ErrorReporter.h"
#include "FolderList.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "KestravaForm.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>

#include <utility>

namespace kestrava {

RunController::RunController(KestravaForm *form, const RunSources &sources)
    : QObject(form)
    , m_form(form)
    , m_progress(new GoProgress(form->goPage(), this))
    , m_messageBox(form)
    , m_prompt(*m_progress, m_messageBox)
    , m_settings(*form->chooseFilesPage())
    , m_folders(sources.folders)
    , m_run(RunParts{sources.folders, sources.files, m_prompt, *m_progress, sources.names, m_settings, sources.clock})
    , m_undo(*m_progress, sources.clock)
{
    m_run.setJournal(&m_journal);
    const Ui::GoPage &page = form->goPage()->ui();
    connect(page.StartButton, &QPushButton::clicked, this, &RunController::StartButton_Click);
    connect(page.StopButton, &QPushButton::clicked, this, &RunController::StopButton_Click);
    connect(page.cmdUndo, &QPushButton::clicked, this, &RunController::cmdUndo_Click);
    recoverParkedFiles();
    updateUndoButton();
}

RunController::~RunController() = default;

void RunController::StartButton_Click()
{
    // Start is enabled again by Stop while the run still finishes its file.
    if (runInProgress())
        return;
    beginShowingRun();
    // Nothing in a run is expected to throw; should anything, the window stays
    // usable and says so, and the buttons come back as after any run.
    m_form->errorReporter()->runGuarded([this] { m_run.start(chosenScope()); });
    endShowingRun();
    if (m_afterRun)
        std::exchange(m_afterRun, nullptr)();
}

void RunController::cmdUndo_Click()
{
    if (runInProgress())
        return;
    // The journals are read afresh: another window or the command line may
    // have run or undone since the button was last set.
    const std::optional<UndoableRun> undoable = UndoRun::newestUndoableRun();
    if (!undoable) {
        updateUndoButton();
        return;
    }
    if (m_prompt.askYesNo(tr("Undo Last Run"), UndoRun::questionText(*undoable)) != PromptAnswer::Yes)
        return;
    beginShowingRun();
    m_form->errorReporter()->runGuarded([this] { m_undo.start(); });
    if (m_undo.filesRestored() > 0)
        refreshAfterUndo();
    endShowingRun();
    if (m_afterRun)
        std::exchange(m_afterRun, nullptr)();
}

void RunController::StopButton_Click()
{
    m_run.stop();
    m_undo.stop();
    const Ui::GoPage &page = m_form->goPage()->ui();
    page.StopButton->setEnabled(false);
    page.StartButton->setEnabled(true);
    m_form->setDefaultButton(page.StartButton);
}

bool RunController::stopThen(std::function<void()> afterRun)
{
    if (!runInProgress())
        return false;
    if (!m_run.blnStopRequested() && !m_undo.stopRequested())
        StopButton_Click();
    m_afterRun = std::move(afterRun);
    return true;
}

void RunController::setPrompt(Prompt *prompt)
{
    m_prompt.choose(prompt);
}

RunScope RunController::chosenScope() const
{
    const Ui::ChooseFilesPage &page = m_form->chooseFilesPage()->ui();
    if (page.optAllFiles->isChecked())
        return RunScope::AllFilesIncludingSubFolders;
    if (page.optAllFilesCurrentDir->isChecked())
        return RunScope::AllFilesInCurrentFolder;
    return RunScope::SelectedFiles;
}

void RunController::setChooserEnabled(bool enabled)
{
    const Ui::ChooseFilesPage &page = m_form->chooseFilesPage()->ui();
    const QList<QWidget *> chooser{
        page.Drive1,     page.Dir1, page.FileSpecCombo, page.File1, page.optSelectedFiles, page.optAllFilesCurrentDir,
        page.optAllFiles};
    for (QWidget *control : chooser)
        control->setEnabled(enabled);
}

void RunController::beginShowingRun()
{
    const Ui::GoPage &page = m_form->goPage()->ui();
    // Stop first, so that the keyboard focus leaving Start lands on it.
    page.StopButton->setEnabled(true);
    m_form->setDefaultButton(page.StopButton);
    page.StartButton->setEnabled(false);
    page.cmdUndo->setEnabled(false);
    page.framProgress->show();
    // The run walks the folder and file lists: nobody else may move them meanwhile.
    setChooserEnabled(false);
}

void RunController::endShowingRun()
{
    m_progress->flush();
    const Ui::GoPage &page = m_form->goPage()->ui();
    page.StopButton->setEnabled(false);
    page.StartButton->setEnabled(true);
    page.StartButton->setFocus();
    setChooserEnabled(true);
    updateUndoButton();
}

void RunController::updateUndoButton()
{
    m_form->goPage()->ui().cmdUndo->setEnabled(!runInProgress() && UndoRun::canUndo());
}

void RunController::recoverParkedFiles()
{
    // Only failures are shown: a file put back is simply where it belongs.
    const ParkedRecovery recovery = UndoRun::recoverParkedFiles();
    for (const QString &error : recovery.errors)
        m_progress->errorLogged(error);
    if (!recovery.errors.isEmpty())
        m_progress->flush();
}

void RunController::refreshAfterUndo()
{
    const QString path = m_folders.path();
    if (const auto listed = m_folders.setPath(path); !listed)
        m_progress->errorLogged(RenameRun::errorText(listed.error(), path));
}

} // namespace kestrava
