#include "RunSimulation.h"

#include "DirectoryListing.h"
#include "DiskOperations.h"
#include "FileNamePattern.h"
#include "SimulatedFolder.h"

#include <QSet>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

namespace kestrava {

namespace {

QString folderPathOf(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

// The walk of RenameRun::RenameFolderTree, without renaming.
class TreeWalk
{
public:
    TreeWalk(const FileNamePattern &pattern, const SimulatedNames &names,
             const SimulationSettings &settings)
        : m_pattern(pattern), m_names(names), m_settings(settings)
    {
    }

    TreeSimulation run(const QString &startFolder)
    {
        // The start folder may be reached through a link; what counts is the folder itself.
        if (const auto start = folderIdentity(startFolder, true))
            m_visited.insert({quint64(start->device), quint64(start->inode)});
        walk(startFolder);
        return std::move(m_result);
    }

private:
    void walk(const QString &path)
    {
        const QString folderPath = folderPathOf(path);
        if (const auto subFolders = simulateFiles(path, folderPath)) {
            for (const DirectoryEntry &sub : *subFolders) {
                if (!sub.isSymLink)
                    enter(folderPath + sub.name);
            }
        }
    }

    // The files of one folder; gives its sub-folders. The folder's table of
    // names is let go before the walk goes deeper.
    std::optional<QList<DirectoryEntry>> simulateFiles(const QString &path, const QString &folderPath)
    {
        SimulatedFolder state(folderPath, m_settings);
        auto contents = readFolderNames(path, &m_pattern, state);
        if (!contents) {
            m_result.unreadableFolders.append({path, contents.error()});
            return std::nullopt;
        }
        for (const DirectoryEntry &entry : std::as_const(contents->files)) {
            const auto newName = m_names(entry.name);
            const SimulatedFile file = state.next(entry.name, newName);
            m_result.counts.add(file);
            if (file.outcome != SimulatedOutcome::Renamed || file.becomesHidden) {
                m_result.problems.append({folderPath, entry.name, newName.value_or(QString()), file,
                                          simulatedReasonText(file, newName ? nullptr : &newName.error())});
            }
        }
        return std::move(contents->subFolders);
    }

    void enter(const QString &path)
    {
        const auto identity = folderIdentity(path);
        if (!identity) {
            m_result.unreadableFolders.append({path, systemErrorText(identity.error())});
            return;
        }
        if (identity->isSymLink || !identity->isFolder)
            return;
        const std::pair<quint64, quint64> key{quint64(identity->device), quint64(identity->inode)};
        if (m_visited.contains(key))
            return;
        m_visited.insert(key);
        walk(path);
    }

    const FileNamePattern &m_pattern;
    const SimulatedNames &m_names;
    SimulationSettings m_settings;
    QSet<std::pair<quint64, quint64>> m_visited;
    TreeSimulation m_result;
};

QString countText(qint64 count, const char16_t *one, const char16_t *many)
{
    return QString::number(count) + u' ' + QString::fromUtf16(count == 1 ? one : many);
}

QString outcomeCountText(SimulatedOutcome outcome, qint64 count)
{
    switch (outcome) {
    case SimulatedOutcome::NotComputable:
        return countText(count, u"name cannot be computed", u"names cannot be computed");
    case SimulatedOutcome::UnusableName: return countText(count, u"unusable name", u"unusable names");
    case SimulatedOutcome::NameTooLong: return countText(count, u"name too long", u"names too long");
    case SimulatedOutcome::NameTaken: return countText(count, u"name taken", u"names taken");
    case SimulatedOutcome::NameTakenByRun:
        return countText(count, u"name taken by an earlier file", u"names taken by earlier files");
    case SimulatedOutcome::ReadOnlySkipped:
        return countText(count, u"read-only file skipped", u"read-only files skipped");
    case SimulatedOutcome::Unchanged: return countText(count, u"unchanged", u"unchanged");
    case SimulatedOutcome::Renamed: break;
    }
    return QString();
}

} // namespace

void SimulationCounts::add(const SimulatedFile &file)
{
    ++files;
    ++byOutcome[std::size_t(file.outcome)];
    if (file.becomesHidden)
        ++becomeHidden;
}

std::expected<QList<SimulatedFile>, QString>
simulateFolder(const QString &folderPath, std::span<const QString> oldNames,
               std::span<const std::expected<QString, RenameError>> newNames,
               const SimulationSettings &settings)
{
    SimulatedFolder state(folderPathOf(folderPath), settings, qsizetype(oldNames.size()));
    if (const auto read = readFolderNames(folderPath, nullptr, state); !read)
        return std::unexpected(read.error());
    const std::size_t count = std::min(oldNames.size(), newNames.size());
    QList<SimulatedFile> files;
    files.reserve(qsizetype(count));
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < count; ++i) {
        if (i + ahead < count)
            state.prefetch(oldNames[i + ahead], newNames[i + ahead]);
        files.append(state.next(oldNames[i], newNames[i]));
    }
    return files;
}

TreeSimulation simulateTree(const QString &startFolder, const FileNamePattern &pattern,
                            const SimulatedNames &names, const SimulationSettings &settings)
{
    return TreeWalk(pattern, names, settings).run(startFolder);
}

QString simulationSummary(const SimulationCounts &counts, SimulationScope scope)
{
    const QString where = scope == SimulationScope::Tree
        ? QStringLiteral(" in this folder and its sub-folders") : QString();
    const QString files = counts.files == 1 ? QStringLiteral(" file") : QStringLiteral(" files");
    QString text;
    if (counts.files == 0) {
        text = QStringLiteral("No files to rename") + where;
    } else if (counts.notRenamed() == 0) {
        text = (counts.files == 1 ? QStringLiteral("The") : QStringLiteral("All")) + u' '
            + QString::number(counts.files) + files + where + QStringLiteral(" will be renamed");
    } else {
        QStringList reasons;
        for (int outcome = 0; outcome < simulatedOutcomeCount; ++outcome) {
            const qint64 count = counts.byOutcome[std::size_t(outcome)];
            if (count > 0 && SimulatedOutcome(outcome) != SimulatedOutcome::Renamed)
                reasons.append(outcomeCountText(SimulatedOutcome(outcome), count));
        }
        text = QString::number(counts.notRenamed()) + QStringLiteral(" of ")
            + QString::number(counts.files) + files + where + QStringLiteral(" will not be renamed (")
            + reasons.join(QStringLiteral(", ")) + u')';
    }
    if (counts.becomeHidden > 0)
        text += QStringLiteral("; ") + QString::number(counts.becomeHidden)
            + QStringLiteral(" will become hidden");
    return text;
}

QString simulatedReasonText(const SimulatedFile &file, const RenameError *error)
{
    switch (file.outcome) {
    case SimulatedOutcome::NotComputable:
        if (error && error->cause == RenameError::Cause::CounterPastLimit)
            return QStringLiteral("The counter is past 9999, so the new name cannot be computed");
        if (error)
            return QStringLiteral("The new name cannot be computed: ") + error->message;
        return QStringLiteral("The new name cannot be computed");
    case SimulatedOutcome::UnusableName: return QStringLiteral("The new name is not a usable file name");
    case SimulatedOutcome::NameTooLong: return systemErrorText(ENAMETOOLONG);
    case SimulatedOutcome::NameTaken: return systemErrorText(EEXIST);
    case SimulatedOutcome::NameTakenByRun:
        return systemErrorText(EEXIST) + QStringLiteral(": an earlier file takes this name first");
    case SimulatedOutcome::ReadOnlySkipped:
        return QStringLiteral("Read-only, and read-only files are ignored");
    case SimulatedOutcome::Unchanged: return QStringLiteral("The new name is the same as the old one");
    case SimulatedOutcome::Renamed: break;
    }
    if (file.becomesHidden)
        return QStringLiteral("The new name starts with a dot: the file will be hidden");
    return QString();
}

} // namespace kestrava
