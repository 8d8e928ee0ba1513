// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenamePlan.h"

#include "LetGoBeside.h"
#include "NameIndex.h"
#include "NumberedName.h"

#include <QSet>

#include <algorithm>
#include <utility>

namespace kestrava {

namespace {

// Names are compared as the folder compares them.
QString keyOf(const QString &name, const FolderNameRules &rules)
{
    return rules.ignoresCase ? name.toCaseFolded() : name;
}

class Planner
{
public:
    Planner(std::span<const PlannedFile> files, const PlanFolder &folder)
        : m_files(files)
        , m_folder(folder)
    {}

private:
    // The names as the folder compares them, of the files' old names and of
    // the moving files' new names.
    const QString &oldKey(qsizetype i) const
    {
        return m_oldKeys.isEmpty() ? m_files[std::size_t(i)].oldName : m_oldKeys.at(i);
    }
    const QString &newKey(qsizetype i) const
    {
        return m_newKeys.isEmpty() ? m_files[std::size_t(i)].newName : m_newKeys.at(i);
    }
    auto oldKeyAt() const
    {
        return [this](qsizetype i) -> const QString & { return oldKey(i); };
    }
    auto newKeyAt() const
    {
        return [this](qsizetype i) -> const QString & { return newKey(i); };
    }

public:
    PlannedRenames plan()
    {
        const qsizetype count = qsizetype(m_files.size());
        fillInParts(m_plan.outcomes, count, PlanOutcome::Stays);
        fillInParts(m_plan.names, count, QString());
        fillInParts(m_plan.numbered, count, false);
        // Where nothing moves (a preview with no rule on) there is nothing to
        // order, and the index of a million names would only cost memory.
        if (std::none_of(m_files.begin(), m_files.end(), [](const PlannedFile &f) { return f.moves; }))
            return std::move(m_plan);
        fillInParts(m_holds, count, qsizetype(-1));
        fillInParts(m_waitsFor, count, qsizetype(-1));
        if (m_folder.rules.ignoresCase) {
            m_oldKeys.reserve(count);
            m_newKeys.reserve(count);
            for (qsizetype i = 0; i < count; ++i) {
                yieldNowAndThen(i);
                m_oldKeys.append(keyOf(file(i).oldName));
                m_newKeys.append(file(i).moves ? keyOf(file(i).newName) : QString());
            }
        }
        m_byOldName = NameIndex(count);
        yieldForBig();
        for (qsizetype i = 0; i < count; ++i) {
            yieldNowAndThen(i);
            m_byOldName.insert(oldKey(i), i, oldKeyAt());
        }
        claimNames();
        settle();
        if (m_folder.stepsWanted)
            order();
        letGoOfBigLists(count, std::move(m_byOldName), std::move(m_claims), std::move(m_wanted),
                        std::move(m_waitsFor), std::move(m_holds), std::move(m_oldKeys), std::move(m_newKeys));
        return std::move(m_plan);
    }

private:
    const PlannedFile &file(qsizetype i) const { return m_files[std::size_t(i)]; }

    void yieldNowAndThen(qsizetype i) const
    {
        if (m_folder.yield && i % 4096 == 4095)
            m_folder.yield();
    }

    // Fills \a list with \a count copies of \a value. The lists of a million
    // files are tens of megabytes of memory fresh to the process, each page
    // of which costs a fault when first written, here up to a tenth of a
    // second for one list: the window answers between their parts.
    template<typename T>
    void fillInParts(QList<T> &list, qsizetype count, const T &value) const
    {
        constexpr qsizetype part = qsizetype(1) << 16;
        list.clear();
        list.reserve(count);
        while (list.size() < count) {
            list.resize(std::min(count, list.size() + part), value);
            yieldForBig();
        }
    }

    // A yield between two steps that are each long for a big folder.
    void yieldForBig() const
    {
        if (m_folder.yield && m_files.size() >= 4096)
            m_folder.yield();
    }

    QString keyOf(const QString &name) const { return kestrava::keyOf(name, m_folder.rules); }

    // Each moving file claims its new name, in the files' order. A change of
    // letter case only keeps the file's own entry, so it claims that first.
    // A claim is kept as the claimant's index plus one, so that one look-up
    // both finds a name's claimant and makes a file the claimant of a name
    // that has none (0).
    void claimNames()
    {
        const qsizetype moving = std::count_if(m_files.begin(), m_files.end(), [](const PlannedFile &f) { return f.moves; });
        // Only a numbered name needs to know every name wanted.
        const bool numbering = m_folder.whenTaken == WhenTaken::Number;
        if (numbering)
            m_wanted.reserve(moving);
        m_claims = NameIndex(moving);
        yieldForBig();
        // Where letter case counts, a moving file's new name is never its own.
        for (qsizetype i = 0; (numbering || m_folder.rules.ignoresCase) && i < qsizetype(m_files.size()); ++i) {
            yieldNowAndThen(i);
            if (!file(i).moves)
                continue;
            const QString &key = newKey(i);
            if (numbering)
                m_wanted.insert(key);
            if (key == oldKey(i))
                m_claims.insert(key, i, newKeyAt());
        }
        for (qsizetype i = 0; i < qsizetype(m_files.size()); ++i) {
            yieldNowAndThen(i);
            if (!file(i).moves)
                continue;
            m_plan.outcomes[i] = PlanOutcome::Moves;
            m_plan.names[i] = file(i).newName;
            const QString &key = newKey(i);
            const qsizetype holder = m_byOldName.value(key, oldKeyAt());
            if (holder == i)
                continue;
            if (const qsizetype claimant = m_claims.value(key, newKeyAt()); claimant >= 0) {
                // A later file whose own name it is keeps it; otherwise an earlier file has it.
                refuse(i, claimant == holder && claimant > i ? PlanOutcome::NameTaken : PlanOutcome::NameTakenByRun);
                continue;
            }
            if (holder >= 0 && !file(holder).moves) {
                refuse(i, PlanOutcome::NameTaken);
                continue;
            }
            if (holder < 0 && m_folder.heldByOther && m_folder.heldByOther(file(i).newName)) {
                refuse(i, PlanOutcome::NameTaken);
                continue;
            }
            m_claims.insert(key, i, newKeyAt());
            if (holder >= 0) {
                m_waitsFor[i] = holder;
                m_holds[holder] = i;
            }
        }
    }

    void refuse(qsizetype i, PlanOutcome outcome)
    {
        m_plan.outcomes[i] = outcome;
        m_refused.append(i);
    }

    // A refused file gets a numbered name or stays; one that stays keeps its
    // old name, so the file that waited for that name is refused in turn.
    void settle()
    {
        while (!m_refused.isEmpty()) {
            std::sort(m_refused.begin(), m_refused.end());
            const QList<qsizetype> refused = std::exchange(m_refused, {});
            for (const qsizetype i : refused) {
                if (m_folder.whenTaken == WhenTaken::Number && giveNumberedName(i))
                    continue;
                if (const qsizetype waiting = m_holds[i]; waiting >= 0) {
                    m_holds[i] = -1;
                    m_waitsFor[waiting] = -1;
                    refuse(waiting, PlanOutcome::NameTaken);
                }
            }
        }
    }

    bool giveNumberedName(qsizetype i)
    {
        const auto isTaken = [this](const QString &name) {
            const QString key = keyOf(name);
            return m_byOldName.contains(key, oldKeyAt()) || m_wanted.contains(key)
                || (m_folder.heldByOther && m_folder.heldByOther(name));
        };
        const std::optional<QString> numbered = numberedFreeName(file(i).newName, isTaken, m_folder.rules);
        if (!numbered)
            return false;
        m_wanted.insert(keyOf(*numbered));
        m_plan.outcomes[i] = PlanOutcome::Moves;
        m_plan.names[i] = *numbered;
        m_plan.numbered[i] = true;
        return true;
    }

    // Each moving file waits for at most one other and is waited for by at
    // most one: the waits form chains and rings. A chain moves from its free
    // end back; a ring parks its first file, moves the rest, and ends with it.
    void order()
    {
        QList<bool> done(m_files.size(), false);
        QList<qsizetype> path;
        // Room for every group and step at once, a ring taking one step more
        // than it has files: a list of a million grown by doubling would copy
        // itself whole into fresh memory.
        const auto moving =
            qsizetype(std::count(m_plan.outcomes.cbegin(), m_plan.outcomes.cend(), PlanOutcome::Moves));
        m_plan.groups.reserve(moving);
        m_plan.steps.reserve(moving + moving / 2);
        for (qsizetype start = 0; start < qsizetype(m_files.size()); ++start) {
            yieldNowAndThen(start);
            if (done[start] || m_plan.outcomes[start] != PlanOutcome::Moves)
                continue;
            path.clear();
            path.append(start);
            bool ring = false;
            for (qsizetype next = m_waitsFor[start]; next >= 0 && !done[next]; next = m_waitsFor[next]) {
                if (next == start) {
                    ring = true;
                    break;
                }
                path.append(next);
            }
            for (const qsizetype i : std::as_const(path))
                done[i] = true;
            using K = PlannedRenames::StepKind;
            m_plan.groups.append({m_plan.steps.size(), start, ring});
            if (ring)
                m_plan.steps.append({start, K::Park});
            for (qsizetype at = path.size() - 1; at >= (ring ? 1 : 0); --at)
                m_plan.steps.append({path[at], K::Direct});
            if (ring)
                m_plan.steps.append({start, K::FromPark});
        }
    }

    std::span<const PlannedFile> m_files;
    const PlanFolder &m_folder;
    PlannedRenames m_plan;
    // The files' keys where they are not the names themselves.
    QList<QString> m_oldKeys;
    QList<QString> m_newKeys;
    NameIndex m_byOldName;
    NameIndex m_claims; // the new name's claimant
    // Every new name wanted, and every numbered name given: a numbered name
    // takes none of them.
    QSet<QString> m_wanted;
    QList<qsizetype> m_waitsFor; // the file holding this one's new name, or -1
    QList<qsizetype> m_holds;    // the file waiting for this one's old name, or -1
    QList<qsizetype> m_refused;
};

} // namespace

PlannedRenames planRenames(std::span<const PlannedFile> files, const PlanFolder &folder)
{
    return Planner(files, folder).plan();
}

FreeNames::FreeNames(std::span<const QString> oldNames, const FolderNameRules &rules)
    : m_ignoresCase(rules.ignoresCase)
{
    m_held.reserve(qsizetype(oldNames.size()));
    for (const QString &name : oldNames)
        m_held.insert(keyOf(name));
}

QString FreeNames::keyOf(const QString &name) const
{
    return m_ignoresCase ? name.toCaseFolded() : name;
}

// As in the plan, the first moving file to want a name that no file of the
// run holds gets it, and the later ones are refused it. A change of letter
// case, which the plan lets claim its name first, wants a name held.
bool FreeNames::claim(const QString &newName)
{
    const QString key = keyOf(newName);
    if (m_held.contains(key))
        return false;
    const qsizetype before = m_wanted.size();
    m_wanted.insert(key);
    return m_wanted.size() > before;
}

} // namespace kestrava
