// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHashFunctions>
#include <QStringView>

#include <type_traits>
#include <vector>

namespace kestrava {

/// A hash of a file name, for NameIndex and the look ahead's table of a
/// folder's entries: FNV-1a over the UTF-16 units, started from the process's
/// random seed and mixed at the end. Several times quicker than qHash's keyed
/// hash for short names, which matters at a million names. A name in Latin-1
/// hashes as the same name in UTF-16.
template<typename View>
quint32 nameHash(View key)
{
    static const quint64 seed = quint64(QHashSeed::globalSeed()) ^ 0xCBF29CE484222325ull;
    quint64 hash = seed;
    for (const auto ch : key) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(ch)>, char>)
            hash = (hash ^ uchar(ch)) * 0x100000001B3ull;
        else
            hash = (hash ^ ch.unicode()) * 0x100000001B3ull;
    }
    hash ^= hash >> 29;
    hash *= 0xBF58476D1CE4E5B9ull;
    hash ^= hash >> 32;
    return quint32(hash);
}

/// Finds a position in a list of files by a name of the file at that
/// position, without a copy of any name: a slot holds the name's hash and the
/// position, and the name itself is read from the list through the \a keyAt
/// given to each call, which must give the same key for a position every time.
///
/// A hash of a million names costs 8 bytes a slot here, where a QHash of
/// strings costs 40: a plan keeps two such indexes beside everything else a
/// million-file preview or run holds.
class NameIndex
{
public:
    NameIndex()
        : NameIndex(0)
    {}
    /// Room for \a count names, the table at most half full.
    explicit NameIndex(qsizetype count)
    {
        std::size_t size = 16;
        while (size < std::size_t(count) * 2)
            size *= 2;
        m_slots.resize(size);
    }

    /// The position of the name \a key, or -1.
    template<typename KeyAt>
    qsizetype value(QStringView key, const KeyAt &keyAt) const
    {
        return m_slots[slotOf(key, nameHash(key), keyAt)].position;
    }
    bool contains(QStringView key, const auto &keyAt) const { return value(key, keyAt) >= 0; }

    /// Makes \a position the one of the name \a key, whether or not the name
    /// had one.
    template<typename KeyAt>
    void insert(QStringView key, qsizetype position, const KeyAt &keyAt)
    {
        const quint32 hash = nameHash(key);
        Slot &slot = m_slots[slotOf(key, hash, keyAt)];
        const bool added = slot.position < 0;
        slot = {hash, qint32(position)};
        if (added && ++m_used * 2 > m_slots.size())
            grow();
    }

private:
    struct Slot
    {
        quint32 hash = 0;
        qint32 position = -1; // -1: empty
    };

    // The slot holding \a key, or the empty one where it would go.
    template<typename KeyAt>
    std::size_t slotOf(QStringView key, quint32 hash, const KeyAt &keyAt) const
    {
        const std::size_t mask = m_slots.size() - 1;
        for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
            const Slot &slot = m_slots[at];
            if (slot.position < 0 || (slot.hash == hash && QStringView(keyAt(slot.position)) == key))
                return at;
        }
    }

    void grow()
    {
        std::vector<Slot> old(m_slots.size() * 2);
        std::swap(old, m_slots);
        const std::size_t mask = m_slots.size() - 1;
        for (const Slot &slot : old) {
            if (slot.position < 0)
                continue;
            std::size_t at = slot.hash & mask;
            while (m_slots[at].position >= 0)
                at = (at + 1) & mask;
            m_slots[at] = slot;
        }
    }

    std::vector<Slot> m_slots;
    std::size_t m_used = 0;
};

} // namespace kestrava
