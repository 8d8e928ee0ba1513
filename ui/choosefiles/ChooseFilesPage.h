// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FileTypeTable.h"
#include "RunLog.h"

#include <QWidget>

#include <expected>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QListView;
class QRadioButton;

namespace kestrava {

class ErrorReporter;
class FileChooserList;
class FolderChooserList;

namespace Ui {

/// The controls of the file chooser page that code works with, found by name once
/// the layout table has created them (ChooseFilesPageLayout.cpp).
struct ChooseFilesPage
{
    QComboBox *Drive1 = nullptr;
    QListView *Dir1 = nullptr;
    QComboBox *FileSpecCombo = nullptr;
    QLabel *lblSelectedFileType = nullptr;
    QListView *File1 = nullptr;
    QRadioButton *optSelectedFiles = nullptr;
    QRadioButton *optAllFilesCurrentDir = nullptr;
    QRadioButton *optAllFiles = nullptr;
    QCheckBox *chkConfirmFiles = nullptr;
    QCheckBox *chkIgnoreReadOnly = nullptr;
};

} // namespace Ui

/// Tab 0, "Choose Files...": the drive, folder and file lists, the file-type filter
/// and the choice of which files a run renames.
class ChooseFilesPage : public QWidget
{
    Q_OBJECT

public:
    /// Starts in the process's current folder, with the lists filled.
    explicit ChooseFilesPage(QWidget *parent = nullptr);

    /// The page's controls, which run control reads and locks during a run.
    const Ui::ChooseFilesPage &ui() const { return m_ui; }

    /// `File1`'s entries and selection, as the run and the previews read them.
    FileChooserList *fileList() const { return m_fileList; }
    /// `Dir1`'s folder, as the run walks it.
    FolderChooserList *folderList() const { return m_folderList; }

    /// Which files a run renames, as the scope options say.
    RunScope scope() const;
    /// Frees or locks the controls that choose the files (the drive, folder and
    /// file lists, the filter and the scope), which a run walks.
    void setChoosingEnabled(bool enabled);

    /// Where failures of the page's own handling are shown; must outlive the page.
    void setErrorReporter(ErrorReporter *reporter) { m_errorReporter = reporter; }

    /// The file types behind the filter combo; the window fills it at start-up.
    FileTypeTable &fileTypeTable() { return m_fileTypeTable; }
    /// Adds the pattern of every file type to the filter combo, in table order,
    /// each at its place in the combo's list sorted ignoring letter case.
    void fillFileSpecCombo();
    /// Inserts \a text into the filter combo's list at its sorted place.
    void addFileSpec(const QString &text);
    /// Entering the tab: under "All Files in Current Folder" the file list is read
    /// again and every file selected; the folder list is read again in any case.
    /// A file list that cannot be read stays as it was, and the reason is returned.
    std::expected<void, QString> reReadLists();

private:
    /// Creates the controls from the page's layout table (ChooseFilesPageLayout.cpp).
    void buildLayout();
    void createLists();
    void openStartFolder();
    void connectHandlers();
    void reportError(const QString &text);
    /// Runs a handler so that no failure escapes it (see ErrorReporter::runGuarded).
    void guarded(const std::function<void()> &handler);

    void fillDriveList();
    void markFileSpecChangeHandled();

    void Drive1_Change(int index);
    void Dir1_Change();
    void Dir1_Open(int row);
    void FileSpecCombo_Click();
    void FileSpecCombo_Change();
    void optSelectedFiles_Click();
    void optAllFilesCurrentDir_Click();
    void optAllFiles_Click();

    Ui::ChooseFilesPage m_ui;

    FileChooserList *m_fileList = nullptr;
    FolderChooserList *m_folderList = nullptr;
    ErrorReporter *m_errorReporter = nullptr;
    FileTypeTable m_fileTypeTable;
    // Picking an item of the filter combo changes its text and then reports the
    // pick; the filter is applied once, on the change, until the event is over.
    bool m_fileSpecChangeHandled = false;
    bool m_fileListUnreadable = false;
};

} // namespace kestrava
