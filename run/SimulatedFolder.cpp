#include "SimulatedFolder.h"

#include "FileNameBytes.h"

#include <QHashFunctions>

#include <algorithm>

namespace kestrava {

namespace {

quint32 hashOf(QStringView key)
{
    const size_t hash = qHash(key, QHashSeed::globalSeed());
    return quint32(hash ^ (quint64(hash) >> 32));
}

bool isAscii(QByteArrayView bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char byte) { return uchar(byte) < 0x80; });
}

} // namespace

SimulatedFolder::SimulatedFolder(const QString &folderPath, const SimulationSettings &settings,
                                 qsizetype files)
    : m_settings(settings)
{
    // Room for the folder's entries and the new names of its files, which are
    // at least as many, while the table stays at most half full.
    std::size_t size = 1024;
    while (size < std::size_t(files) * 4)
        size *= 2;
    m_slots.resize(size);
    // The permissions are read only when they decide anything.
    if (settings.ignoreReadOnly)
        m_folder.open(folderPath);
}

void SimulatedFolder::entryName(QByteArrayView name)
{
    QString decoded;
    QStringView key;
    if (!m_rules.ignoresCase && isAscii(name)) {
        // The usual name goes straight into the buffer.
        const qsizetype offset = m_text.size();
        m_text.append(QLatin1StringView(name));
        key = QStringView(m_text).sliced(offset);
    } else {
        decoded = keyOf(fileNameFromBytes(name));
        key = decoded;
    }
    const quint32 hash = hashOf(key);
    if (Slot &slot = find(key, hash); slot.holder == Holder::Empty)
        fill(slot, key, hash, Holder::Entry);
}

SimulatedFile SimulatedFolder::next(const QString &oldName,
                                    const std::expected<QString, RenameError> &newName)
{
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
    const quint32 newHash = hashOf(newKey);
    Slot *target = &find(newKey, newHash);
    // Where case does not count, a change of case only is a rename onto itself.
    if (target->holder == Holder::Entry && newKey != oldKey)
        return {SimulatedOutcome::NameTaken};
    if (target->holder == Holder::Run && newKey != oldKey)
        return {SimulatedOutcome::NameTakenByRun};
    if (target->holder == Holder::Empty) {
        fill(*target, newKey, newHash, Holder::Run);
    } else {
        target->holder = Holder::Run;
    }
    // The old name is freed unless it is the new one (a change of case only).
    if (newKey != oldKey) {
        if (Slot &old = find(oldKey, hashOf(oldKey)); old.holder != Holder::Empty)
            old.holder = Holder::Nobody;
    }
    return {SimulatedOutcome::Renamed, !oldName.startsWith(u'.') && name.startsWith(u'.')};
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

void SimulatedFolder::fill(Slot &slot, QStringView key, quint32 hash, Holder holder)
{
    // \a key may lie at the end of the buffer already (a name read from the folder).
    qsizetype offset = m_text.size() - key.size();
    if (key.isEmpty() || key.data() != m_text.constData() + offset) {
        offset = m_text.size();
        m_text.append(key);
    }
    slot = {hash, quint32(offset), quint16(key.size()), holder};
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
