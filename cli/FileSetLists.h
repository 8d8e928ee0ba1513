// SPDX-License-Identifier: GPL-3.0-or-later
// The lists a run walks when the command line names files rather than a folder.
#pragma once

#include "FileList.h"
#include "FolderList.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace kestrava::cli {

/// The named files of one folder, in run order.
struct FileGroup
{
    /// The folder, absolute, with no link in it and no trailing "/" but for the root.
    QString folder;
    QStringList names;
};

/// The file list of a file set: the named files of the folder the folder list is in.
class FileSetFileList : public FileList
{
public:
    /// Shows \a names, all selected.
    void setNames(const QStringList &names);

    qsizetype count() const override { return m_names.size(); }
    QString name(qsizetype index) const override { return m_names.at(index); }
    bool isSelected(qsizetype) const override { return m_selected; }
    void deselectAll() override { m_selected = false; }

private:
    QStringList m_names;
    bool m_selected = false;
};

/// The folders of a file set as a tree of two levels, so that one run takes
/// every named file: the first group's folder is the top, and every other
/// group's folder is one of its sub-folders, whose parent ("..") is the top
/// again. A run's walk over it renames the groups' files in the groups' order.
class FileSetFolderList : public FolderList
{
public:
    /// \a groups (at least one, folders all different) and \a files must outlive this list.
    FileSetFolderList(const QList<FileGroup> &groups, FileSetFileList &files);

    QString path() const override { return m_groups.at(m_current).folder; }
    std::expected<void, QString> setPath(const QString &path) override;
    qsizetype subFolderCount() const override { return m_current == 0 ? m_groups.size() - 1 : 0; }
    QString subFolderPath(qsizetype index) const override { return m_groups.at(index + 1).folder; }
    bool isSubFolderSymLink(qsizetype) const override { return false; }
    void refresh() override {}

private:
    void enter(qsizetype group);

    const QList<FileGroup> &m_groups;
    FileSetFileList &m_files;
    QHash<QString, qsizetype> m_groupOfFolder;
    qsizetype m_current = 0;
};

} // namespace kestrava::cli
