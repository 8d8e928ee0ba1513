// SPDX-License-Identifier: GPL-3.0-or-later
#include "FileSetLists.h"

namespace kestrava::cli {

void FileSetFileList::setNames(const QStringList &names)
{
    m_names = names;
    m_selected = true;
}

FileSetFolderList::FileSetFolderList(const QList<FileGroup> &groups, FileSetFileList &files)
    : m_groups(groups)
    , m_files(files)
{
    m_groupOfFolder.reserve(groups.size());
    for (qsizetype group = 0; group < groups.size(); ++group)
        m_groupOfFolder.insert(groups.at(group).folder, group);
    enter(0);
}

std::expected<void, QString> FileSetFolderList::setPath(const QString &path)
{
    if (path == u"..") {
        enter(0);
        return {};
    }
    if (const auto group = m_groupOfFolder.constFind(path); group != m_groupOfFolder.cend()) {
        enter(*group);
        return {};
    }
    return std::unexpected(QStringLiteral("Not one of the folders of the named files"));
}

void FileSetFolderList::enter(qsizetype group)
{
    m_current = group;
    m_files.setNames(m_groups.at(group).names);
}

} // namespace kestrava::cli
