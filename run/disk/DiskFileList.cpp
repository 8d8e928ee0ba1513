// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskFileList.h"

namespace kestrava {

DiskFileList::DiskFileList(const QString &pattern)
    : m_patternText(pattern)
    , m_matcher(pattern)
{}

std::expected<void, QString> DiskFileList::setFolder(const QString &folder)
{
    auto contents = readFolder(folder, m_matcher);
    if (!contents)
        return std::unexpected(contents.error());
    setEntries(folder, std::move(contents->files));
    return {};
}

void DiskFileList::setEntries(const QString &folder, QList<DirectoryEntry> entries)
{
    m_folder = folder;
    m_entries = std::move(entries);
    m_selected = QBitArray(m_entries.size(), false);
}

std::expected<void, QString> DiskFileList::setPattern(const QString &pattern)
{
    m_patternText = pattern;
    m_matcher = FileNamePattern(pattern);
    if (m_folder.isEmpty()) {
        m_selected.fill(false);
        return {};
    }
    return setFolder(m_folder);
}

} // namespace kestrava
