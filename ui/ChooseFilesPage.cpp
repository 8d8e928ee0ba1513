#include "ChooseFilesPage.h"

#include "ErrorReporter.h"
#include "FileChooserList.h"
#include "FolderChooserList.h"

#include <QDir>
#include <QListView>
#include <QRadioButton>

namespace kestrava {

ChooseFilesPage::ChooseFilesPage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChooseFilesPage"));
    buildLayout();
    createLists();
    openStartFolder();
    connectHandlers();
}

void ChooseFilesPage::createLists()
{
    m_fileList = new FileChooserList(m_File1);
    m_folderList = new FolderChooserList(m_Dir1, *m_fileList);
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

void ChooseFilesPage::connectHandlers()
{
    connect(m_folderList, &FolderChooserList::pathChanged, this, &ChooseFilesPage::Dir1_Change);
    connect(m_folderList, &FolderChooserList::openRequested, this, &ChooseFilesPage::Dir1_Open);
    // Selecting an option, by the user or from code, runs its handling once.
    const auto onSelected = [this](QRadioButton *option, void (ChooseFilesPage::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onSelected(m_optSelectedFiles, &ChooseFilesPage::optSelectedFiles_Click);
    onSelected(m_optAllFilesCurrentDir, &ChooseFilesPage::optAllFilesCurrentDir_Click);
    onSelected(m_optAllFiles, &ChooseFilesPage::optAllFiles_Click);
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

// The file list has already followed into the new folder.
void ChooseFilesPage::Dir1_Change()
{
    m_fileList->selectAll();
    m_optAllFilesCurrentDir->setChecked(true);
}

void ChooseFilesPage::Dir1_Open(int row)
{
    guarded([this, row] {
        if (const auto opened = m_folderList->openRow(row); !opened)
            reportError(opened.error());
    });
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
