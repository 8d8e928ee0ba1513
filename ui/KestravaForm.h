// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RenameError.h"
#include "WindowClock.h"

#include <QString>
#include <QWidget>

#include <expected>
#include <memory>

class QPushButton;
class QTabWidget;

namespace kestrava {

class AboutPage;
class ChooseFilesPage;
class DefaultButton;
class ErrorReporter;
class FileChooserList;
class FolderChooserList;
class GoPage;
class HelpPage;
class RulesNameSource;
class OptionsPage;
class PresetController;
class Prompt;
class PreviewPage;
class RunController;
class TreeFilesCheck;
class TabStrip;

/// The program's one window: a strip of eight tabs leading through the steps.
class KestravaForm : public QWidget
{
    Q_OBJECT

public:
    /// The tabs of `SSTabStrip`, by index.
    enum class Tab { ChooseFiles = 0, SetOptions, PreviewResults, Go, Spacer, Help, About, Exit };

    explicit KestravaForm(QWidget *parent = nullptr);
    ~KestravaForm() override;

    QTabWidget *SSTabStrip() const;
    ChooseFilesPage *chooseFilesPage() const { return m_chooseFilesPage; }
    OptionsPage *optionsPage() const { return m_optionsPage; }
    PreviewPage *previewPage() const { return m_previewPage; }
    GoPage *goPage() const { return m_goPage; }
    HelpPage *helpPage() const { return m_helpPage; }
    AboutPage *aboutPage() const { return m_aboutPage; }

    /// `File1`: the files a run and the previews take, with their selection.
    FileChooserList *fileList() const;
    /// `Dir1`: the folder a run starts from and walks.
    FolderChooserList *folderList() const;

    /// Where failures are shown (a message box unless replaced); \a reporter must
    /// outlive the window. nullptr restores the message box.
    void setErrorReporter(ErrorReporter *reporter);
    ErrorReporter *errorReporter() const { return m_errorReporter; }

    /// Refreshes the four sample names of the options tab.
    void ShowSampleMask();
    /// The new name of \a strFileName under the options tab's controls as they
    /// are now, advancing the window's name counters for the counter stamps.
    std::expected<QString, RenameError> BuildNewFilename(const QString &strFileName);
    /// Fills the file-type table behind the filter combo; the first step of start-up.
    void InitData();
    /// Prepares the Go tab: warns when no file is selected, empties the log of modified files.
    void SetReadyToGo();
    /// Shows "Note : You have not selected any files to Rename !" when the
    /// chosen scope has no file to rename: the selection of the current
    /// folder, or for "All Files including Sub-Folders" the whole tree.
    void showNoFilesNote();

    /// Opens \a folder in `Dir1` as a change of folder there does (every file selected,
    /// scope "All Files in Current Folder") and shows the "Choose Files..." tab. A
    /// folder that cannot be opened is reported, the lists stay, and false is returned.
    /// A big folder is read beside the window (see FolderChooserList::open()): true
    /// then says it is being read, and a failure found later is reported then.
    bool openFolder(const QString &folder);
    /// Chooses the scope "Selected Files in Current Folder" with exactly the entries of
    /// `File1` named in \a names selected. Returns the names `File1` does not list.
    /// A folder still being read is waited for; should it fail, every name is returned.
    QStringList selectFiles(const QStringList &names);

    /// Makes `button` the one that Enter presses (nullptr for none).
    void setDefaultButton(QPushButton *button);
    QPushButton *defaultButton() const;

    /// The presets of the More Options dialog.
    PresetController *presetController() const { return m_presetController; }
    /// Remembers the window's size, place and maximised state, and with
    /// `chkRememberOptions` ticked its options, from one start to the next:
    /// takes back what was remembered now and remembers anew when the window
    /// closes. A place no screen shows any more is dropped.
    void rememberBetweenStarts();

    /// Start, Stop and the run they control.
    RunController *runController() const { return m_runController; }
    /// True while a renaming run is under way. The step tabs then only show their
    /// pages: their handling would re-read the lists, reload the counters and empty
    /// the log that the run is using.
    bool runInProgress() const;

    /// Reads dates and times from \a clock (nullptr: the system clock): the
    /// sample names, the files preview and the run all read this one clock.
    /// \a clock must outlive the window or be replaced first.
    void setClock(const RunClock *clock);

Q_SIGNALS:
    /// Emitted each time the window sets about ending the program: on the "Exit"
    /// tab, and again once a run it stopped for that has ended.
    void endingProgram();

protected:
    void showEvent(QShowEvent *event) override;
    /// Beyond its starting size, which is also its smallest, the window's growth
    /// goes to the tab strip and the pages' anchored controls.
    void resizeEvent(QResizeEvent *event) override;
    /// Closing the window during a run stops the run first; the window closes
    /// once the file in hand is done, so no rename is left half done.
    void closeEvent(QCloseEvent *event) override;

private:
    void buildLayout();
    void addTabs();
    /// The start-up steps that run once the controls exist.
    void Form_Load();
    /// The steps that run when the window is first shown.
    void Form_Activate();
    /// Places the window in the middle of its screen.
    void centreOnScreen();
    /// Runs the handling of the tab that has just become current.
    void SSTabStrip_Click();
    void enterChooseFilesTab();
    void enterSetOptionsTab();
    /// The files preview of `File1`'s selection.
    void enterPreviewResultsTab();
    /// Ends the program at once, asking nothing: the "Exit" tab. A run yielding
    /// inside the event loop is stopped first and the program ends once it has.
    void endProgram();
    Tab currentTab() const;

    WindowClock m_clock;
    TabStrip *m_tabStrip = nullptr;
    ChooseFilesPage *m_chooseFilesPage = nullptr;
    OptionsPage *m_optionsPage = nullptr;
    PreviewPage *m_previewPage = nullptr;
    GoPage *m_goPage = nullptr;
    HelpPage *m_helpPage = nullptr;
    AboutPage *m_aboutPage = nullptr;
    DefaultButton *m_defaultButton = nullptr;
    std::unique_ptr<ErrorReporter> m_messageBoxReporter;
    ErrorReporter *m_errorReporter = nullptr;
    bool m_activated = false;
    std::unique_ptr<RulesNameSource> m_runNames;
    RunController *m_runController = nullptr;
    std::unique_ptr<Prompt> m_presetPrompt;
    PresetController *m_presetController = nullptr;
    bool m_remembering = false;
    /// Writes what rememberBetweenStarts() takes back.
    void remember() const;
    /// Whether the sub-folders hold a file, for the Go tab's note.
    TreeFilesCheck *m_treeFilesCheck = nullptr;
};

} // namespace kestrava
