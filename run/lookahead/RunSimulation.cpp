// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunSimulation.h"

#include "DirectoryListing.h"
#include "DiskOperations.h"
#include "FileNamePattern.h"
#include "RunLog.h"
#include "NumberingOrder.h"
#include "SimulatedFolder.h"

#include <QCoreApplication>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <iterator>
#include <optional>
#include <utility>

namespace kestrava {

namespace {

// The walk of RenameRun::RenameFolderTree, without renaming.
class TreeWalk
{
public:
    TreeWalk(const FileNamePattern &pattern, const SimulatedNames &names, const SimulationSettings &settings,
             const SimulatedFileObserver &eachFile, const SimulatedNumbering &numbering)
        : m_pattern(pattern)
        , m_names(names)
        , m_settings(settings)
        , m_eachFile(eachFile)
        , m_numbering(numbering)
    {}

    TreeSimulation run(const QString &startFolder)
    {
        m_visited.begin(startFolder);
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
        if (m_numbering.options.perFolder && m_numbering.restartCounters)
            m_numbering.restartCounters();
        if (m_numbering.folderEntered)
            m_numbering.folderEntered(folderPath);
        if (!m_numbering.options.isListOrder())
            putInNumberingOrder(folderPath, contents->files);
        QList<QString> oldNames;
        QList<std::expected<QString, RenameError>> newNames;
        oldNames.reserve(contents->files.size());
        newNames.reserve(contents->files.size());
        for (const DirectoryEntry &entry : std::as_const(contents->files)) {
            oldNames.append(entry.name);
            newNames.append(m_names(entry.name));
        }
        const QList<SimulatedFile> files = state.simulate(oldNames, newNames);
        for (qsizetype i = 0; i < files.size(); ++i) {
            const SimulatedFile &file = files[i];
            const auto &newName = newNames[i];
            m_result.counts.add(file);
            const bool problem = file.outcome != SimulatedOutcome::Renamed || file.becomesHidden;
            if (!problem && !m_eachFile)
                continue;
            SimulatedProblem seen{folderPath, oldNames[i],
                                  file.numberedName.isEmpty() ? newName.value_or(QString()) : file.numberedName, file,
                                  simulatedReasonText(file, newName ? nullptr : &newName.error())};
            if (m_eachFile)
                m_eachFile(seen);
            if (problem)
                m_result.problems.append(std::move(seen));
        }
        return std::move(contents->subFolders);
    }

    void putInNumberingOrder(const QString &folderPath, QList<DirectoryEntry> &files) const
    {
        QList<QString> names;
        names.reserve(files.size());
        for (const DirectoryEntry &entry : std::as_const(files))
            names.append(entry.name);
        QList<DirectoryEntry> ordered;
        ordered.reserve(files.size());
        for (const qsizetype position : numberingOrder(folderPath, names, m_numbering.options))
            ordered.append(std::move(files[position]));
        files = std::move(ordered);
    }

    void enter(const QString &path)
    {
        const auto folder = m_visited.mayEnter(path);
        if (!folder) {
            m_result.unreadableFolders.append({path, systemErrorText(folder.error())});
            return;
        }
        if (!*folder)
            return;
        m_visited.entered(**folder);
        walk(path);
    }

    const FileNamePattern &m_pattern;
    const SimulatedNames &m_names;
    SimulationSettings m_settings;
    const SimulatedFileObserver &m_eachFile;
    const SimulatedNumbering &m_numbering;
    VisitedFolders m_visited;
    TreeSimulation m_result;
};

// The look ahead's texts, in the window's language when a translator is
// installed and in English otherwise (the command line shows them too).
QString lookAheadText(const char *source)
{
    return QCoreApplication::translate("kestrava::RunSimulation", source);
}

// For each outcome: the word a listing of the files gives it (never translated:
// scripts read it), and the singular and plural of its count in a summary,
// "%1" for the number.
struct OutcomeTexts
{
    const char *word;
    const char *one;
    const char *many;
};

constexpr OutcomeTexts Outcomes[] = {
    {"cannot be computed", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 name cannot be computed"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 names cannot be computed")},
    {"unusable name", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 unusable name"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 unusable names")},
    {"name too long", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 name too long"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 names too long")},
    {"name taken", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 name taken"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 names taken")},
    {"taken by an earlier file", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 name taken by an earlier file"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 names taken by earlier files")},
    {"read-only skipped", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 read-only file skipped"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 read-only files skipped")},
    {"unchanged", QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 unchanged"),
     QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 unchanged")},
    {"renamed", nullptr, nullptr},
};
static_assert(std::size(Outcomes) == std::size_t(simulatedOutcomeCount));

QString outcomeCountText(SimulatedOutcome outcome, qint64 count)
{
    const OutcomeTexts &texts = Outcomes[std::size_t(outcome)];
    return lookAheadText(count == 1 ? texts.one : texts.many).arg(count);
}

// Whole sentences, so that a translation may order its words freely: one text
// per scope and per one file or many.
struct SummaryTexts
{
    const char *none;
    const char *allOne;
    const char *allMany;
    const char *someOne;
    const char *someMany;
};

constexpr SummaryTexts FolderSummary{
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "No files to rename"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The %1 file will be renamed"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "All %1 files will be renamed"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 of %2 file will not be renamed (%3)"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1 of %2 files will not be renamed (%3)"),
};
constexpr SummaryTexts TreeSummary{
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "No files to rename in this folder and its sub-folders"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The %1 file in this folder and its sub-folders will be renamed"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation", "All %1 files in this folder and its sub-folders will be renamed"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation",
                      "%1 of %2 file in this folder and its sub-folders will not be renamed (%3)"),
    QT_TRANSLATE_NOOP("kestrava::RunSimulation",
                      "%1 of %2 files in this folder and its sub-folders will not be renamed (%3)"),
};

// The mark of a file that lacks a value, "no date taken" or "no artist": the
// field's own name stays as the template writes it.
QString missingValueText(const QString &mark)
{
    if (mark == u"no date taken")
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "no date taken"));
    if (mark == u"no date modified")
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "no date modified"));
    if (mark.startsWith(u"no "))
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "no %1")).arg(mark.sliced(3));
    return mark;
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
               std::span<const std::expected<QString, RenameError>> newNames, const SimulationSettings &settings)
{
    SimulatedFolder state(folderPathOf(folderPath), settings, qsizetype(oldNames.size()));
    if (const auto read = readFolderNames(folderPath, nullptr, state); !read)
        return std::unexpected(read.error());
    return state.simulate(oldNames, newNames);
}

TreeSimulation simulateTree(const QString &startFolder, const FileNamePattern &pattern, const SimulatedNames &names,
                            const SimulationSettings &settings, const SimulatedFileObserver &eachFile,
                            const SimulatedNumbering &numbering)
{
    return TreeWalk(pattern, names, settings, eachFile, numbering).run(startFolder);
}

bool treeHasFiles(const QString &startFolder, const FileNamePattern &pattern, const std::atomic_bool &cancelled)
{
    VisitedFolders visited;
    visited.begin(startFolder);
    // The folders still to look in; which one first does not matter to the answer.
    QStringList waiting{startFolder};
    while (!waiting.isEmpty() && !cancelled.load(std::memory_order_relaxed)) {
        const QString path = waiting.takeLast();
        const auto contents = readFolder(path, pattern);
        if (!contents)
            continue;
        if (!contents->files.isEmpty())
            return true;
        const QString folderPath = folderPathOf(path);
        for (const DirectoryEntry &sub : contents->subFolders) {
            if (sub.isSymLink)
                continue;
            const QString subPath = folderPath + sub.name;
            if (const auto folder = visited.mayEnter(subPath); folder && *folder) {
                visited.entered(**folder);
                waiting.append(subPath);
            }
        }
    }
    return false;
}

QString outcomeWord(SimulatedOutcome outcome)
{
    return QString::fromLatin1(Outcomes[std::size_t(outcome)].word);
}

QString outcomeWord(FileOutcome outcome)
{
    switch (outcome) {
    case FileOutcome::Renamed:
        return outcomeWord(SimulatedOutcome::Renamed);
    case FileOutcome::Unchanged:
        return outcomeWord(SimulatedOutcome::Unchanged);
    case FileOutcome::SkippedReadOnly:
        return outcomeWord(SimulatedOutcome::ReadOnlySkipped);
    case FileOutcome::Declined:
        return QStringLiteral("declined");
    case FileOutcome::Failed:
        break;
    }
    return QStringLiteral("failed");
}

QString simulationSummary(const SimulationCounts &counts, SimulationScope scope)
{
    const SummaryTexts &texts = scope == SimulationScope::Tree ? TreeSummary : FolderSummary;
    const bool one = counts.files == 1;
    QString text;
    if (counts.files == 0) {
        text = lookAheadText(texts.none);
    } else if (counts.notRenamed() == 0) {
        text = lookAheadText(one ? texts.allOne : texts.allMany).arg(counts.files);
    } else {
        QStringList reasons;
        for (int outcome = 0; outcome < simulatedOutcomeCount; ++outcome) {
            const qint64 count = counts.byOutcome[std::size_t(outcome)];
            if (count > 0 && SimulatedOutcome(outcome) != SimulatedOutcome::Renamed)
                reasons.append(outcomeCountText(SimulatedOutcome(outcome), count));
        }
        text = lookAheadText(one ? texts.someOne : texts.someMany)
                   .arg(QString::number(counts.notRenamed()), QString::number(counts.files),
                        reasons.join(QStringLiteral(", ")));
    }
    if (counts.becomeHidden > 0)
        text += lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "; %1 will become hidden"))
                    .arg(counts.becomeHidden);
    return text;
}

QString simulatedReasonText(const SimulatedFile &file, const RenameError *error)
{
    switch (file.outcome) {
    case SimulatedOutcome::NotComputable:
        if (error && error->cause == RenameError::Cause::MissingValue)
            return missingValueText(error->message);
        if (error && error->cause == RenameError::Cause::TemplateError)
            return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The name template cannot be used: %1"))
                .arg(error->message);
        if (error && error->cause == RenameError::Cause::CounterPastLimit)
            return lookAheadText(
                       QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The counter is past %1, so the new name cannot be computed"))
                .arg(RenameError::counterLimit(error->counterDigits));
        // A pattern's error says what it is and where, the same for every file.
        if (error && error->cause == RenameError::Cause::PatternError)
            return error->message;
        if (error)
            return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The new name cannot be computed: %1"))
                .arg(error->message);
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The new name cannot be computed"));
    case SimulatedOutcome::UnusableName:
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The new name is not a usable file name"));
    case SimulatedOutcome::NameTooLong:
        return systemErrorText(ENAMETOOLONG);
    case SimulatedOutcome::NameTaken:
        return systemErrorText(EEXIST);
    case SimulatedOutcome::NameTakenByRun:
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "%1: an earlier file takes this name first"))
            .arg(systemErrorText(EEXIST));
    case SimulatedOutcome::ReadOnlySkipped:
        return lookAheadText(
            QT_TRANSLATE_NOOP("kestrava::RunSimulation", "Read-only, and read-only files are ignored"));
    case SimulatedOutcome::Unchanged:
        return lookAheadText(QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The new name is the same as the old one"));
    case SimulatedOutcome::Renamed:
        break;
    }
    if (file.becomesHidden)
        return lookAheadText(
            QT_TRANSLATE_NOOP("kestrava::RunSimulation", "The new name starts with a dot: the file will be hidden"));
    return QString();
}

} // namespace kestrava
