// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunSimulation.h"

#include <QList>
#include <QString>

#include <array>
#include <expected>
#include <span>

namespace kestrava {

/// The look ahead at one folder's files, as the preview and the dry run both
/// show it: what a run would do with each file, counted, and each file's record
/// with its reason. The names must outlive the look ahead.
class FolderLookAhead
{
public:
    /// Reads \a folder once and looks at its files \a oldNames, in the run's
    /// order, whose new names were computed as \a newNames, one for each.
    /// Fails with "<folder>: <the system's text>" when the folder cannot be read.
    static std::expected<FolderLookAhead, QString> read(const QString &folder, std::span<const QString> oldNames,
                                                        std::span<const std::expected<QString, RenameError>> newNames,
                                                        const SimulationSettings &settings);

    qsizetype size() const { return m_files.size(); }
    const SimulatedFile &file(qsizetype index) const { return m_files.at(index); }
    /// Every file counted by what would become of it.
    const SimulationCounts &counts() const { return m_counts; }
    /// Whether the file at \a index is one a preview marks: not renamed as it
    /// is, or becoming hidden.
    bool isMarked(qsizetype index) const;
    /// The file at \a index with its folder, names and reason (empty for a plain
    /// rename). Each reason's text is made once: a folder of 100,000 unchanged
    /// files shares one.
    SimulatedProblem problem(qsizetype index);

private:
    FolderLookAhead(const QString &folderPath, std::span<const QString> oldNames,
                    std::span<const std::expected<QString, RenameError>> newNames);
    QString reason(const SimulatedFile &file, const RenameError *error);

    struct Reason
    {
        bool valid = false;
        QString message;
        int cause = -1;
        QString text;
    };

    QString m_folderPath;
    std::span<const QString> m_oldNames;
    std::span<const std::expected<QString, RenameError>> m_newNames;
    QList<SimulatedFile> m_files;
    SimulationCounts m_counts;
    std::array<Reason, simulatedOutcomeCount * 2> m_reasons;
};

} // namespace kestrava
