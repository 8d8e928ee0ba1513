// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedFolder.h"

#include "FileNameBytes.h"
#include "NameIndex.h"
#include "RenamePlan.h"

#include <algorithm>

namespace kestrava {

namespace {

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

} // namespace

SimulatedFolder::SimulatedFolder(const QString &folderPath, const SimulationSettings &settings, qsizetype files)
    : m_settings(settings)
{
    // Room for the folder's entries, which are at least the files, while the
    // table stays at most half full; a folder of more entries grows it.
    std::size_t size = 1024;
    while (size < std::size_t(files) * 2)
        size *= 2;
    m_slots.resize(size);
    // Each file's old name and new name, at a usual length, without moving the text.
    m_ascii.reserve(files * 40);
    m_pending.reserve(std::size_t(files));
    // The permissions are read only when they decide anything.
    if (settings.ignoreReadOnly)
        m_folder.open(folderPath);
}

void SimulatedFolder::entryName(QByteArrayView name)
{
    // Entered into the table all at once before the first file, so that the
    // slots can be fetched ahead of their turn.
    if (!m_rules.ignoresCase && isAscii(name)) {
        const qsizetype offset = m_ascii.size();
        m_ascii.append(name); // the usual name, straight into the buffer
        m_pending.push_back(
            {nameHash(QLatin1StringView(name)), quint32(offset), quint16(name.size()), Holder::Entry, false});
        return;
    }
    const qsizetype offset = m_wide.size();
    m_wide.append(keyOf(fileNameFromBytes(name)));
    const QStringView key = QStringView(m_wide).sliced(offset);
    m_pending.push_back({nameHash(key), quint32(offset), quint16(key.size()), Holder::Entry, true});
}

void SimulatedFolder::settle()
{
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        if (i + ahead < m_pending.size())
            __builtin_prefetch(&m_slots[m_pending[i + ahead].hash & (m_slots.size() - 1)]);
        const Slot &entry = m_pending[i];
        Slot &slot = entry.wide ? find(QStringView(m_wide).sliced(entry.offset, entry.size), entry.hash)
                                : find(QLatin1StringView(m_ascii.constData() + entry.offset, entry.size), entry.hash);
        if (slot.holder == Holder::Empty)
            fill(slot, entry);
    }
    m_pending.clear();
    m_pending.shrink_to_fit();
}

std::optional<SimulatedOutcome> SimulatedFolder::beforePlan(const QString &oldName,
                                                            const std::expected<QString, RenameError> &newName)
{
    if (!newName)
        return SimulatedOutcome::NotComputable;
    const QString &name = *newName;
    if (!isUsableFileName(name))
        return SimulatedOutcome::UnusableName;
    if (m_settings.ignoreReadOnly) {
        const auto readOnly = isReadOnly(FolderFile(m_folder, oldName));
        if (readOnly && *readOnly)
            return SimulatedOutcome::ReadOnlySkipped;
    }
    if (name == oldName)
        return SimulatedOutcome::Unchanged;
    if (isNameTooLong(name, m_rules))
        return SimulatedOutcome::NameTooLong;
    return std::nullopt;
}

bool SimulatedFolder::holdsEntry(const QString &name)
{
    const QString key = keyOf(name);
    return find(key, nameHash(key)).holder == Holder::Entry;
}

QList<SimulatedFile> SimulatedFolder::simulate(std::span<const QString> oldNames,
                                               std::span<const std::expected<QString, RenameError>> newNames)
{
    if (!m_pending.empty())
        settle();
    const std::size_t count = std::min(oldNames.size(), newNames.size());
    QList<SimulatedFile> files(static_cast<qsizetype>(count));
    QList<PlannedFile> planned;
    planned.reserve(qsizetype(count));
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<SimulatedOutcome> outcome = beforePlan(oldNames[i], newNames[i]);
        if (outcome)
            files[qsizetype(i)].outcome = *outcome;
        planned.append({oldNames[i], newNames[i].value_or(QString()), !outcome});
    }
    PlanFolder folder;
    folder.rules = m_rules;
    folder.whenTaken = m_settings.whenTaken;
    folder.heldByOther = [this](const QString &name) { return holdsEntry(name); };
    folder.stepsWanted = false;
    const PlannedRenames plan = planRenames(planned, folder);
    for (qsizetype i = 0; i < qsizetype(count); ++i) {
        SimulatedFile &file = files[i];
        switch (plan.outcomes[i]) {
        case PlanOutcome::Stays:
            break;
        case PlanOutcome::NameTaken:
            file.outcome = SimulatedOutcome::NameTaken;
            break;
        case PlanOutcome::NameTakenByRun:
            file.outcome = SimulatedOutcome::NameTakenByRun;
            break;
        case PlanOutcome::Moves:
            file.outcome = SimulatedOutcome::Renamed;
            if (plan.numbered[i])
                file.numberedName = plan.names[i];
            file.becomesHidden = !oldNames[std::size_t(i)].startsWith(u'.') && plan.names[i].startsWith(u'.');
            break;
        }
    }
    return files;
}

QString SimulatedFolder::keyOf(const QString &name) const
{
    return m_rules.ignoresCase ? name.toCaseFolded() : name;
}

template<typename View>
bool SimulatedFolder::holdsText(const Slot &slot, View key) const
{
    if (slot.wide)
        return QStringView(m_wide).sliced(slot.offset, slot.size) == key;
    return QLatin1StringView(m_ascii.constData() + slot.offset, slot.size) == key;
}

template<typename View>
SimulatedFolder::Slot &SimulatedFolder::find(View key, quint32 hash)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot &slot = m_slots[at];
        if (slot.holder == Holder::Empty)
            return slot;
        if (slot.hash == hash && qsizetype(slot.size) == key.size() && holdsText(slot, key))
            return slot;
    }
}

void SimulatedFolder::fill(Slot &slot, const Slot &name)
{
    slot = name;
    // At most half full, so that a search ends after a few slots.
    if (++m_used * 2 > m_slots.size())
        grow();
}

void SimulatedFolder::grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    std::swap(old, m_slots);
    const std::size_t mask = m_slots.size() - 1;
    for (const Slot &slot : old) {
        if (slot.holder == Holder::Empty)
            continue;
        std::size_t at = slot.hash & mask;
        while (m_slots[at].holder != Holder::Empty)
            at = (at + 1) & mask;
        m_slots[at] = slot;
    }
}

} // namespace kestrava
