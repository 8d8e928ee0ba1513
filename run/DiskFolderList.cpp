#include "DiskFolderList.h"

#include "DiskFileList.h"

#include <QDir>

namespace kestrava {

DiskFolderList::DiskFolderList(DiskFileList &files)
    : m_files(files)
{}

std::expected<void, QString> DiskFolderList::setPath(const QString &path)
{
    const QString target = resolvePath(m_path, path);
    // One pass gives both lists, so the file list never shows another folder
    // than the folder list, also when the new folder cannot be read.
    auto contents = readFolder(target, m_files.matcher());
    if (!contents)
        return std::unexpected(contents.error());
    m_path = target;
    m_subFolders = std::move(contents->subFolders);
    m_files.setEntries(target, std::move(contents->files));
    m_files.selectAll();
    return {};
}

QString DiskFolderList::subFolderPath(qsizetype index) const
{
    const QString &name = m_subFolders.at(index).name;
    if (m_path.endsWith(u'/'))
        return m_path + name;
    return m_path + u'/' + name;
}

bool DiskFolderList::isSubFolderSymLink(qsizetype index) const
{
    return m_subFolders.at(index).isSymLink;
}

void DiskFolderList::refresh()
{
    // A folder that can no longer be read shows no sub-folders rather than stale ones.
    auto subFolders = listSubFolders(m_path);
    m_subFolders = subFolders ? std::move(*subFolders) : QList<DirectoryEntry>();
}

QString DiskFolderList::resolvePath(const QString &current, const QString &path)
{
    // Parents are taken from the path text, never from the file system's "..",
    // so a walk climbs back exactly the way it came down.
    if (path == u"..")
        return QDir::cleanPath(current + QStringLiteral("/.."));
    if (QDir::isAbsolutePath(path) || current.isEmpty())
        return QDir::cleanPath(QDir(current).absoluteFilePath(path));
    return QDir::cleanPath(current + u'/' + path);
}

} // namespace kestrava
