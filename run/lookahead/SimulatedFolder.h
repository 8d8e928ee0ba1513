// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"
#include "DiskOperations.h"
#include "FolderNameRules.h"
#include "RunSimulation.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <span>
#include <vector>

namespace kestrava {

/// The hashes of a file's names that SimulatedFolder::next() looks up, when
/// worked out ahead.
struct SimulatedNameHashes
{
    quint32 oldName = 0;
    quint32 newName = 0;
    bool known = false;
};

/// One folder as a run would change it, file by file: which names its entries
/// hold at each step and whether an earlier file of the run took them. Filled
/// by readFolderNames(); then next() takes the run's files in the run's order.
///
/// A folder of 100,000 names is normal, so the names live in one buffer (a
/// byte a character for a name in ASCII, the usual one) and an open-addressing
/// table of their hashes finds them: no allocation per name.
class SimulatedFolder : public EntryNameSink
{
public:
    /// \a files is the number of files the run will take: a hint for the table's size.
    SimulatedFolder(const QString &folderPath, const SimulationSettings &settings, qsizetype files = 0);

    void folderRules(const FolderNameRules &rules) override { m_rules = rules; }
    void entryName(QByteArrayView name) override;

    /// What the run would do with its files \a oldNames of the folder (in the
    /// run's order) whose new names were computed as \a newNames: the same
    /// checks, and the same plan of the renames (see planRenames()), as
    /// RenameRun's. A file whose new name another file of the run holds is
    /// renamed when that file moves away first.
    QList<SimulatedFile> simulate(std::span<const QString> oldNames,
                                  std::span<const std::expected<QString, RenameError>> newNames);

private:
    enum class Holder : quint8 {
        Empty, ///< a slot without a name
        Entry, ///< an entry of the folder as it was read
    };
    // Everything a search needs of a name but its text, in 12 bytes: a table
    // for 100,000 names then stays small enough to stay mostly in the cache.
    struct Slot
    {
        quint32 hash = 0;
        quint32 offset = 0; // of the name in m_ascii or m_wide
        quint16 size = 0;   // a name the table holds is at most 255 units long
        Holder holder = Holder::Empty;
        bool wide = false; // in m_wide
    };

    QString keyOf(const QString &name) const;
    /// What becomes of a file before any other file counts: an outcome when
    /// it does not move at all.
    std::optional<SimulatedOutcome> beforePlan(const QString &oldName,
                                               const std::expected<QString, RenameError> &newName);
    /// Whether an entry of the folder as it was read holds \a name.
    bool holdsEntry(const QString &name);
    /// The slot holding \a key, or the empty slot where it would go.
    template<typename View>
    Slot &find(View key, quint32 hash);
    template<typename View>
    bool holdsText(const Slot &slot, View key) const;
    /// Puts \a name, whose text is in a buffer, into \a slot, found empty for it.
    void fill(Slot &slot, const Slot &name);
    /// Enters the names read from the folder into the table.
    void settle();
    void grow();

    FolderNameRules m_rules;
    SimulationSettings m_settings;
    OpenFolder m_folder;
    // Every name, one after another: a name in ASCII compared as the folder
    // compares it (letter case counting) in the first, any other in the second.
    QByteArray m_ascii;
    QString m_wide;
    std::vector<Slot> m_slots;
    std::vector<Slot> m_pending; // names read from the folder, not yet in m_slots
    std::size_t m_used = 0;
};

} // namespace kestrava
