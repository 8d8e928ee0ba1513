// SPDX-License-Identifier: GPL-3.0-or-later
// Shared by the tests that build the real window over temporary folders.
#pragma once

#include "ChooseFilesPage.h"
#include "ErrorReporter.h"
#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "KestravaForm.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

namespace kestrava::testing {

/// Records every failure the window would have shown in a message box.
class RecordingErrorReporter : public ErrorReporter
{
public:
    QStringList titles;
    QStringList texts;

    void showError(const QString &title, const QString &text) override
    {
        titles.append(title);
        texts.append(text);
    }
};

/// Creates \a folder (and its parents) holding an empty file for each of \a names.
inline bool makeFiles(const QString &folder, const QStringList &names)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &name : names) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

/// A fresh temporary folder, made the process's current folder while the rig
/// lives, and the real window started in it and shown, its failures recorded.
template<typename Form = KestravaForm>
class WindowRig
{
public:
    WindowRig()
        : m_startFolder(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
    }
    ~WindowRig()
    {
        form.reset();
        QDir::setCurrent(m_startFolder);
    }
    WindowRig(const WindowRig &) = delete;
    WindowRig &operator=(const WindowRig &) = delete;

    /// Builds and shows the window; make the start folder's files first.
    void start()
    {
        form = std::make_unique<Form>();
        form->setErrorReporter(&errors);
        form->show();
    }

    bool isValid() const { return m_dir.isValid(); }
    QString root() const { return m_dir.path(); }
    ChooseFilesPage *page() const { return form->chooseFilesPage(); }
    /// The lists, once they show the folder opened last.
    FileChooserList &files() const
    {
        form->folderList()->waitForListing();
        return *form->fileList();
    }
    FolderChooserList &folders() const
    {
        form->folderList()->waitForListing();
        return *form->folderList();
    }

    /// The names in the file list, in order.
    QStringList listed() const
    {
        QStringList names;
        for (qsizetype i = 0; i < files().count(); ++i)
            names.append(files().name(i));
        return names;
    }
    /// The selected names in the file list, in order.
    QStringList selected() const
    {
        QStringList names;
        for (qsizetype i = 0; i < files().count(); ++i) {
            if (files().isSelected(i))
                names.append(files().name(i));
        }
        return names;
    }

    std::unique_ptr<Form> form;
    RecordingErrorReporter errors;

private:
    QString m_startFolder;
    QTemporaryDir m_dir;
};

} // namespace kestrava::testing
