// SPDX-License-Identifier: GPL-3.0-or-later
// The look-ahead room: what a run would do with each file, worked out without touching the disk.
#include "FolderLookAhead.h"

#include "RunLog.h"

namespace kestrava {

FolderLookAhead::FolderLookAhead(const QString &folderPath, std::span<const QString> oldNames,
                                 std::span<const std::expected<QString, RenameError>> newNames)
    : m_folderPath(folderPath)
    , m_oldNames(oldNames)
    , m_newNames(newNames)
{}

std::expected<FolderLookAhead, QString> FolderLookAhead::read(const QString &folder, std::span<const QString> oldNames,
                                                              std::span<const std::expected<QString, RenameError>> newNames,
                                                              const SimulationSettings &settings)
{
    auto files = simulateFolder(folder, oldNames, newNames, settings);
    if (!files)
        return std::unexpected(folder + QStringLiteral(": ") + files.error());
    FolderLookAhead lookAhead(folderPathOf(folder), oldNames, newNames);
    lookAhead.m_files = std::move(*files);
    for (const SimulatedFile &file : std::as_const(lookAhead.m_files))
        lookAhead.m_counts.add(file);
    return lookAhead;
}

bool FolderLookAhead::isMarked(qsizetype index) const
{
    const SimulatedFile &file = m_files.at(index);
    return file.outcome != SimulatedOutcome::Renamed || file.becomesHidden;
}

SimulatedProblem FolderLookAhead::problem(qsizetype index)
{
    const SimulatedFile &file = m_files.at(index);
    const auto &newName = m_newNames[std::size_t(index)];
    // A numbered name is the one the file gets.
    return {m_folderPath, m_oldNames[std::size_t(index)],
            file.numberedName.isEmpty() ? newName.value_or(QString()) : file.numberedName, file,
            reason(file, newName ? nullptr : &newName.error())};
}

QString FolderLookAhead::reason(const SimulatedFile &file, const RenameError *error)
{
    Reason &cached = m_reasons[std::size_t(file.outcome) * 2 + (file.becomesHidden ? 1 : 0)];
    const QString message = error ? error->message : QString();
    const int cause = error ? int(error->cause) : -1;
    if (!cached.valid || cached.message != message || cached.cause != cause)
        cached = {true, message, cause, simulatedReasonText(file, error)};
    return cached.text;
}

} // namespace kestrava
