#pragma once

#include "FileTypeTable.h"

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

/// Tab 0, "Choose Files...": the drive, folder and file lists, the file-type filter
/// and the choice of which files a run renames.
class ChooseFilesPage : public QWidget
{
    Q_OBJECT

public:
    /// Starts in the process's current folder, with the lists filled.
    explicit ChooseFilesPage(QWidget *parent = nullptr);

    QLabel *Label1() const { return m_Label1; }
    QGroupBox *framFiles() const { return m_framFiles; }
    QComboBox *Drive1() const { return m_Drive1; }
    QListView *Dir1() const { return m_Dir1; }
    QComboBox *FileSpecCombo() const { return m_FileSpecCombo; }
    QLabel *lblSelectedFileType() const { return m_lblSelectedFileType; }
    QListView *File1() const { return m_File1; }
    QRadioButton *optSelectedFiles() const { return m_optSelectedFiles; }
    QRadioButton *optAllFilesCurrentDir() const { return m_optAllFilesCurrentDir; }
    QRadioButton *optAllFiles() const { return m_optAllFiles; }
    QCheckBox *chkConfirmFiles() const { return m_chkConfirmFiles; }
    QCheckBox *chkIgnoreReadOnly() const { return m_chkIgnoreReadOnly; }

    /// `File1`'s entries and selection, as the run and the previews read them.
    FileChooserList *fileList() const { return m_fileList; }
    /// `Dir1`'s folder, as the run walks it.
    FolderChooserList *folderList() const { return m_folderList; }

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

    QLabel *m_Label1 = nullptr;
    QGroupBox *m_framFiles = nullptr;
    QComboBox *m_Drive1 = nullptr;
    QListView *m_Dir1 = nullptr;
    QComboBox *m_FileSpecCombo = nullptr;
    QLabel *m_lblSelectedFileType = nullptr;
    QListView *m_File1 = nullptr;
    QRadioButton *m_optSelectedFiles = nullptr;
    QRadioButton *m_optAllFilesCurrentDir = nullptr;
    QRadioButton *m_optAllFiles = nullptr;
    QCheckBox *m_chkConfirmFiles = nullptr;
    QCheckBox *m_chkIgnoreReadOnly = nullptr;

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
