// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunController.h"

#include "ChooseFilesPage.h"
#include "DefaultButton.h"
#include "ErrorReporter.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "GoProgress.h"

#include <QGroupBox>
#include <QPushButton>

#include <utility>

namespace kestrava {

RunController::RunController(GoPage *goPage, ChooseFilesPage *chooseFilesPage, DefaultButton *defaultButton,
                             const RunSources &sources, QWidget *window)
    : QObject(window)
    , m_goPage(goPage)
    , m_chooseFilesPage(chooseFilesPage)
    , m_defaultButton(defaultButton)
    , m_progress(new GoProgress(goPage, this))
    , m_messageBox(window)
    , m_prompt(*m_progress, m_messageBox)
    , m_settings(*chooseFilesPage)
    , m_folders(sources.folders)
    , m_run(RunParts{sources.folders, sources.files, m_prompt, *m_progress, sources.names, m_settings, sources.clock})
    , m_undo(*m_progress, sources.clock)
{
    m_run.setJournal(&m_journal);
    // The folder is read again after a run beside the window (see listAgain()),
    // not by the run, which would hold the window while it reads.
    m_run.setListsAgainAtEnd(false);
    // The Go tab shows each renamed file and error as it comes; the run's
    // own record of every file would be read by nobody.
    m_run.setKeepsFileRecords(false);
    // The files of a folder with free new names are renamed while the others
    // are still named, as the command line does; Stop and the choices on the
    // first tab still take effect from the next file. Not in a folder of more
    // than 100,000 files: the index of its free names, built and freed on the
    // window's thread, holds the window for a third of a second at a million.
    m_run.setRenamesWhileNaming(true, 256, 100000);
    connect(chooseFilesPage->folderList(), &FolderChooserList::listingFailed, this,
            [this](const QString &path, const QString &reason, FolderChooserList::Landing landing) {
                if (landing != FolderChooserList::Landing::Opened)
                    logListingFailure(path, reason);
            });
    const Ui::GoPage &page = m_goPage->ui();
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
    // The run renames what the lists show for the folder opened last.
    m_chooseFilesPage->folderList()->waitForListing();
    Q_EMIT renamingStarts();
    beginShowingRun();
    // Nothing in a run is expected to throw; should anything, the window stays
    // usable and says so, and the buttons come back as after any run.
    m_errorReporter->runGuarded([this] {
        m_run.start(m_chooseFilesPage->scope());
        // Before the folder is read again, which holds a second list of its names.
        m_progress->runEnded();
        if (m_run.intFilesRenamed() > 0)
            listAgain(FolderChooserList::Landing::ListedAgainNothingSelected);
    });
    endShowingRun();
    if (m_afterRun)
        std::exchange(m_afterRun, nullptr)();
}

void RunController::cmdUndo_Click()
{
    if (runInProgress())
        return;
    m_chooseFilesPage->folderList()->waitForListing();
    // The journals are read afresh: another window or the command line may
    // have run or undone since the button was last set.
    UndoRun::markFinishedUndos();
    const std::optional<UndoableRun> undoable = UndoRun::newestUndoableRun();
    if (!undoable) {
        updateUndoButton();
        return;
    }
    if (m_prompt.askYesNo(tr("Undo Last Run"), UndoRun::questionText(*undoable, m_folders.path())) != PromptAnswer::Yes)
        return;
    // Yes answers for the run the question named: should another undo have
    // taken it back meanwhile, nothing else is undone in its place.
    Q_EMIT renamingStarts();
    beginShowingRun();
    m_errorReporter->runGuarded([this, &undoable] {
        m_undo.start(undoable->journalPath);
        m_progress->runEnded();
    });
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
    const Ui::GoPage &page = m_goPage->ui();
    page.StopButton->setEnabled(false);
    page.StartButton->setEnabled(true);
    m_defaultButton->setButton(page.StartButton);
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

void RunController::beginShowingRun()
{
    const Ui::GoPage &page = m_goPage->ui();
    // Stop first, so that the keyboard focus leaving Start lands on it.
    page.StopButton->setEnabled(true);
    m_defaultButton->setButton(page.StopButton);
    page.StartButton->setEnabled(false);
    page.cmdUndo->setEnabled(false);
    page.framProgress->show();
    // The run walks the folder and file lists: nobody else may move them meanwhile.
    m_chooseFilesPage->setChoosingEnabled(false);
}

void RunController::endShowingRun()
{
    m_progress->runEnded();
    const Ui::GoPage &page = m_goPage->ui();
    page.StopButton->setEnabled(false);
    page.StartButton->setEnabled(true);
    page.StartButton->setFocus();
    m_chooseFilesPage->setChoosingEnabled(true);
    updateUndoButton();
}

void RunController::updateUndoButton()
{
    m_goPage->ui().cmdUndo->setEnabled(!runInProgress() && UndoRun::canUndo());
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
    listAgain(FolderChooserList::Landing::ListedAgain);
}

void RunController::listAgain(FolderChooserList::Landing landing)
{
    FolderChooserList *folders = m_chooseFilesPage->folderList();
    const QString path = folders->path();
    if (const auto listed = folders->open(path, landing); !listed)
        logListingFailure(path, listed.error());
}

void RunController::logListingFailure(const QString &path, const QString &reason)
{
    m_progress->errorLogged(errorText(reason, path));
    m_progress->flush();
}

} // namespace kestrava
