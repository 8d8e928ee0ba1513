// SPDX-License-Identifier: GPL-3.0-or-later
// The Choose Files room: the page, its folder and file lists with their models, the file-type filter and the drives.
#include "ChooseFilesPage.h"

#include "ErrorReporter.h"
#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "Volumes.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QRadioButton>
#include <QTimer>

namespace kestrava {

ChooseFilesPage::ChooseFilesPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChooseFilesPage"));
    buildLayout();
    createLists();
    openStartFolder();
    fillDriveList();
    connectHandlers();
}

void ChooseFilesPage::fillFileSpecCombo()
{
    for (int number = 1; number <= FileTypeTable::RowCount; ++number)
        addFileSpec(m_fileTypeTable.pattern(number).value_or(QString()));
}

void ChooseFilesPage::addFileSpec(const QString &text)
{
    int position = 0;
    while (position < m_ui.FileSpecCombo->count()
           && QString::compare(m_ui.FileSpecCombo->itemText(position), text, Qt::CaseInsensitive) <= 0)
        ++position;
    m_ui.FileSpecCombo->insertItem(position, text);
}

std::expected<void, QString> ChooseFilesPage::reReadLists()
{
    std::expected<void, QString> result;
    // A folder being read is newer than anything read again now.
    if (m_folderList->isListing())
        return result;
    if (m_ui.optAllFilesCurrentDir->isChecked()) {
        result = m_fileList->reread();
        if (result)
            m_fileList->selectAll();
    }
    m_folderList->refresh();
    return result;
}

RunScope ChooseFilesPage::scope() const
{
    if (m_ui.optAllFiles->isChecked())
        return RunScope::AllFilesIncludingSubFolders;
    if (m_ui.optAllFilesCurrentDir->isChecked())
        return RunScope::AllFilesInCurrentFolder;
    return RunScope::SelectedFiles;
}

void ChooseFilesPage::setChoosingEnabled(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{
             m_ui.Drive1, m_ui.Dir1, m_ui.FileSpecCombo, m_ui.File1, m_ui.optSelectedFiles,
             m_ui.optAllFilesCurrentDir, m_ui.optAllFiles})
        control->setEnabled(enabled);
}

void ChooseFilesPage::createLists()
{
    m_fileList = new FileChooserList(m_ui.File1);
    m_folderList = new FolderChooserList(m_ui.Dir1, *m_fileList);
}

void ChooseFilesPage::openStartFolder()
{
    // The lists start where the program was started. The handlers are not connected
    // yet: filling the lists for the first time is not a change of folder.
    for (const QString &folder : {QDir::currentPath(), QDir::homePath(), QDir::rootPath()}) {
        if (m_folderList->setPath(folder))
            return;
    }
}

void ChooseFilesPage::fillDriveList()
{
    // Linux keeps no current folder per volume: the list shows the volume holding
    // the start folder, and picking a volume opens its root.
    m_ui.Drive1->addItems(Volumes::roots(m_folderList->path()));
    m_ui.Drive1->setCurrentIndex(m_ui.Drive1->findText(Volumes::rootOf(m_folderList->path())));
}

void ChooseFilesPage::connectHandlers()
{
    connect(m_ui.Drive1, &QComboBox::currentIndexChanged, this, &ChooseFilesPage::Drive1_Change);
    // The filter is exactly what was typed: inline completion would turn "*.M"
    // into "*.MP3" and filter by a pattern nobody typed.
    m_ui.FileSpecCombo->setCompleter(nullptr);
    connect(m_ui.FileSpecCombo, &QComboBox::editTextChanged, this, &ChooseFilesPage::FileSpecCombo_Change);
    connect(m_ui.FileSpecCombo, &QComboBox::activated, this, [this] {
        if (!m_fileSpecChangeHandled)
            FileSpecCombo_Click();
    });
    connect(m_folderList, &FolderChooserList::pathChanged, this, &ChooseFilesPage::Dir1_Change);
    connect(m_folderList, &FolderChooserList::openRequested, this, &ChooseFilesPage::Dir1_Open);
    connect(m_folderList, &FolderChooserList::listingFailed, this,
            [this](const QString &, const QString &reason, FolderChooserList::Landing landing) {
                if (landing == FolderChooserList::Landing::Opened)
                    reportError(reason);
            });
    // Selecting an option, by the user or from code, runs its handling once.
    const auto onSelected = [this](QRadioButton *option, void (ChooseFilesPage::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, option, handler](bool checked) {
            if (!checked)
                return;
            // A scope chosen while a folder is read applies to that folder. Showing
            // it chooses "All Files in Current Folder"; the choice made after that wins.
            if (m_folderList->isListing()) {
                m_folderList->waitForListing();
                if (!option->isChecked()) {
                    option->setChecked(true);
                    return;
                }
            }
            (this->*handler)();
        });
    };
    onSelected(m_ui.optSelectedFiles, &ChooseFilesPage::optSelectedFiles_Click);
    onSelected(m_ui.optAllFilesCurrentDir, &ChooseFilesPage::optAllFilesCurrentDir_Click);
    onSelected(m_ui.optAllFiles, &ChooseFilesPage::optAllFiles_Click);
}

void ChooseFilesPage::reportError(const QString &text)
{
    if (m_errorReporter)
        m_errorReporter->showError(ErrorReporter::programTitle(), text);
}

void ChooseFilesPage::guarded(const std::function<void()> &handler)
{
    if (m_errorReporter)
        m_errorReporter->runGuarded(handler);
    else
        handler();
}

void ChooseFilesPage::markFileSpecChangeHandled()
{
    if (m_fileSpecChangeHandled)
        return;
    m_fileSpecChangeHandled = true;
    QTimer::singleShot(0, this, [this] { m_fileSpecChangeHandled = false; });
}

void ChooseFilesPage::Drive1_Change(int index)
{
    if (index < 0)
        return;
    const QString root = m_ui.Drive1->itemText(index);
    guarded([this, &root] {
        // The drive list keeps showing a volume that failed; the other lists stay.
        if (const auto reason = Volumes::notReadyReason(root)) {
            reportError(*reason);
            return;
        }
        if (const auto opened = m_folderList->open(root); !opened)
            reportError(opened.error());
    });
}

// The file list has already followed into the new folder.
void ChooseFilesPage::Dir1_Change()
{
    m_fileListUnreadable = false;
    m_fileList->selectAll();
    m_ui.optAllFilesCurrentDir->setChecked(true);
}

void ChooseFilesPage::Dir1_Open(int row)
{
    guarded([this, row] {
        if (const auto opened = m_folderList->openRow(row); !opened)
            reportError(opened.error());
    });
}

void ChooseFilesPage::FileSpecCombo_Click()
{
    guarded([this] {
        // The filter applies to the folder the user opened last.
        m_folderList->waitForListing();
        // The text goes to the file list exactly as typed, unchecked; the table
        // only names it, and only when it is one of its patterns to the letter.
        const QString text = m_ui.FileSpecCombo->currentText();
        const auto listed = m_fileList->setPattern(text);
        m_ui.lblSelectedFileType->setText(m_fileTypeTable.describe(text).value_or(tr("(User Defined File Type)")));
        // A folder that vanished is reported once, not at every keystroke of a pattern.
        if (!listed && !m_fileListUnreadable)
            reportError(listed.error());
        m_fileListUnreadable = !listed;
    });
}

void ChooseFilesPage::FileSpecCombo_Change()
{
    markFileSpecChangeHandled();
    FileSpecCombo_Click();
}

void ChooseFilesPage::optSelectedFiles_Click()
{
    m_fileList->deselectAll();
}

void ChooseFilesPage::optAllFilesCurrentDir_Click()
{
    m_fileList->selectAll();
}

void ChooseFilesPage::optAllFiles_Click()
{
    m_fileList->selectAll();
}

} // namespace kestrava
