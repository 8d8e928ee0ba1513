// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedFolder.h"

#include "FileNameBytes.h"

#include <QHashFunctions>

#include <algorithm>

namespace kestrava {

namespace {

// FNV-1a over the UTF-16 units, started from the process's random seed and
// mixed at the end: several times quicker than qHash's keyed hash for short
// names, which matters at half a million names a look ahead.
quint32 hashOf(QStringView key)
{
    static const quint64 seed = quint64(QHashSeed::globalSeed()) ^ 0xCBF29CE484222325ull;
    quint64 hash = seed;
    for (const QChar ch : key)
        hash = (hash ^ ch.unicode()) * 0x100000001B3ull;
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return quint32(hash);
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

} // namespace

SimulatedFolder::SimulatedFolder(const QString &folderPath, const SimulationSettings &settings, qsizetype files)
    : m_settings(settings)
{
    // Room for the folder's entries and the new names of its files, which are
    // at least as many, while the table stays at most half full.
    std::size_t size = 1024;
    while (size < std::size_t(files) * 4)
        size *= 2;
    m_slots.resize(size);
    // Each file's old name and new name, at a usual length, without moving the text.
    m_text.reserve(files * 40);
    m_pending.reserve(std::size_t(files));
    // The permissions are read only when they decide anything.
    if (settings.ignoreReadOnly)
        m_folder.open(folderPath);
}

void SimulatedFolder::entryName(QByteArrayView name)
{
    const qsizetype offset = m_text.size();
    if (!m_rules.ignoresCase && isAscii(name))
        m_text.append(QLatin1StringView(name)); // the usual name, straight into the buffer
    else
        m_text.append(keyOf(fileNameFromBytes(name)));
    const QStringView key = QStringView(m_text).sliced(offset);
    // Entered into the table all at once before the first file, so that the
    // slots can be fetched ahead of their turn.
    m_pending.push_back({hashOf(key), quint32(offset), quint16(key.size()), Holder::Entry});
}

SimulatedFolder::Hashes SimulatedFolder::prefetch(const QString &oldName,
                                                  const std::expected<QString, RenameError> &newName)
{
    // Where case does not count the table holds folded names, which next() folds itself.
    if (m_rules.ignoresCase || !newName || *newName == oldName)
        return {};
    const Hashes hashes{hashOf(oldName), hashOf(*newName), true};
    const std::size_t mask = m_slots.size() - 1;
    __builtin_prefetch(&m_slots[hashes.oldName & mask]);
    __builtin_prefetch(&m_slots[hashes.newName & mask]);
    return hashes;
}

void SimulatedFolder::settle()
{
    constexpr std::size_t ahead = 8;
    for (std::size_t i = 0; i < m_pending.size(); ++i) {
        if (i + ahead < m_pending.size())
            __builtin_prefetch(&m_slots[m_pending[i + ahead].hash & (m_slots.size() - 1)]);
        const Slot &entry = m_pending[i];
        const QStringView key = QStringView(m_text).sliced(entry.offset, entry.size);
        if (Slot &slot = find(key, entry.hash); slot.holder == Holder::Empty)
            fill(slot, entry);
    }
    m_pending.clear();
    m_pending.shrink_to_fit();
}

SimulatedFile SimulatedFolder::next(const QString &oldName, const std::expected<QString, RenameError> &newName,
                                    const Hashes &hashes)
{
    if (!m_pending.empty())
        settle();
    if (!newName)
        return {SimulatedOutcome::NotComputable};
    const QString &name = *newName;
    if (!isUsableFileName(name))
        return {SimulatedOutcome::UnusableName};
    if (m_settings.ignoreReadOnly) {
        const auto readOnly = isReadOnly(FolderFile(m_folder, oldName));
        if (readOnly && *readOnly)
            return {SimulatedOutcome::ReadOnlySkipped};
    }
    if (name == oldName)
        return {SimulatedOutcome::Unchanged};
    if (isNameTooLong(name, m_rules))
        return {SimulatedOutcome::NameTooLong};
    const QString oldKey = keyOf(oldName);
    const QString newKey = keyOf(name);
    // Hashes worked out ahead are of the names as they are, which are the keys
    // only where case counts.
    const bool known = hashes.known && !m_rules.ignoresCase;
    // Where case does not count, a change of case only is a rename onto itself.
    if (newKey != oldKey) {
        if (const auto taken = take(newKey, known ? hashes.newName : hashOf(newKey)))
            return {*taken};
        if (Slot &old = find(oldKey, known ? hashes.oldName : hashOf(oldKey)); old.holder != Holder::Empty)
            old.holder = Holder::Nobody;
    } else if (Slot &own = find(newKey, hashOf(newKey)); own.holder != Holder::Empty) {
        own.holder = Holder::Run;
    }
    return {SimulatedOutcome::Renamed, !oldName.startsWith(u'.') && name.startsWith(u'.')};
}

std::optional<SimulatedOutcome> SimulatedFolder::take(const QString &key, quint32 hash)
{
    Slot &slot = find(key, hash);
    if (slot.holder == Holder::Entry)
        return SimulatedOutcome::NameTaken;
    if (slot.holder == Holder::Run)
        return SimulatedOutcome::NameTakenByRun;
    if (slot.holder == Holder::Nobody) {
        slot.holder = Holder::Run;
    } else {
        const qsizetype offset = m_text.size();
        m_text.append(key);
        fill(slot, {hash, quint32(offset), quint16(key.size()), Holder::Run});
    }
    return std::nullopt;
}

QString SimulatedFolder::keyOf(const QString &name) const
{
    return m_rules.ignoresCase ? name.toCaseFolded() : name;
}

SimulatedFolder::Slot &SimulatedFolder::find(QStringView key, quint32 hash)
{
    const std::size_t mask = m_slots.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        Slot &slot = m_slots[at];
        if (slot.holder == Holder::Empty)
            return slot;
        if (slot.hash == hash && qsizetype(slot.size) == key.size()
            && QStringView(m_text).sliced(slot.offset, slot.size) == key)
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
