// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"
#include "FileList.h"
#include "FileNamePattern.h"

#include <QBitArray>
#include <QList>
#include <QString>

#include <expected>

namespace kestrava {

/// A file list read from disk: the files of one folder matching a pattern list,
/// each with a selected flag. Selection changes work on the whole list at once.
class DiskFileList : public FileList
{
public:
    explicit DiskFileList(const QString &pattern = QStringLiteral("*.*"));

    /// The folder listed; empty before the first listing.
    QString folder() const { return m_folder; }
    /// The pattern list as given.
    QString pattern() const { return m_patternText; }
    /// The compiled pattern, for listing a folder in one pass with its sub-folders.
    const FileNamePattern &matcher() const { return m_matcher; }
    /// The listed entries, in order.
    const QList<DirectoryEntry> &entries() const { return m_entries; }

    /// Lists \a folder with the pattern; nothing selected. On failure the list is unchanged.
    std::expected<void, QString> setFolder(const QString &folder);
    /// Takes \a entries, already listed with matcher(), as the files of \a folder; nothing selected.
    void setEntries(const QString &folder, QList<DirectoryEntry> entries);
    /// Changes the pattern and lists the folder again; nothing selected.
    std::expected<void, QString> setPattern(const QString &pattern);
    /// Lists the folder again; nothing selected.
    std::expected<void, QString> reread() { return setFolder(m_folder); }

    /// Selects every entry.
    void selectAll() { m_selected.fill(true); }
    /// Selects or deselects the entry at \a index.
    void setSelected(qsizetype index, bool selected) { m_selected.setBit(index, selected); }
    /// Number of selected entries.
    qsizetype selectedCount() const override { return m_selected.count(true); }

    qsizetype count() const override { return m_entries.size(); }
    QString name(qsizetype index) const override { return m_entries.at(index).name; }
    bool isSelected(qsizetype index) const override { return m_selected.testBit(index); }
    void deselectAll() override { m_selected.fill(false); }

private:
    QString m_folder;
    QString m_patternText;
    FileNamePattern m_matcher;
    QList<DirectoryEntry> m_entries;
    QBitArray m_selected;
};

} // namespace kestrava
