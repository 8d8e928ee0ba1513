// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DirectoryListing.h"
#include "DiskOperations.h"
#include "FolderNameRules.h"
#include "RunSimulation.h"

#include <QString>
#include <QStringView>

#include <optional>
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
/// A folder of 100,000 names is normal, so the names live in one buffer and an
/// open-addressing table of their hashes finds them: no allocation per name.
class SimulatedFolder : public EntryNameSink
{
public:
    /// \a files is the number of files the run will take: a hint for the table's size.
    SimulatedFolder(const QString &folderPath, const SimulationSettings &settings, qsizetype files = 0);

    void folderRules(const FolderNameRules &rules) override { m_rules = rules; }
    void entryName(QByteArrayView name) override;

    using Hashes = SimulatedNameHashes;

    /// What the run would do with the file \a oldName given \a newName, taking
    /// the same steps in the same order as RenameRun; a rename changes the folder.
    /// \a hashes, when known, are those prefetch() gave for these names.
    SimulatedFile next(const QString &oldName, const std::expected<QString, RenameError> &newName,
                       const Hashes &hashes = {});
    /// Asks the processor for the table's memory that next() will need for
    /// these names, a few files ahead of their turn: with 100,000 names the
    /// table is larger than the cache and every search would wait for memory.
    /// Gives the hashes it worked out, so that next() need not again; none for
    /// a file that next() will not look up (an unchanged name, one that cannot
    /// be computed).
    Hashes prefetch(const QString &oldName, const std::expected<QString, RenameError> &newName);

private:
    enum class Holder : quint8 {
        Empty,  ///< a slot without a name
        Nobody, ///< the name was freed by a rename of this run
        Entry,  ///< an entry of the folder as it was read
        Run,    ///< an earlier file of this run was renamed to it
    };
    // Everything a search needs of a name but its text, in 12 bytes: a table
    // for 100,000 names then stays small enough to stay mostly in the cache.
    struct Slot
    {
        quint32 hash = 0;
        quint32 offset = 0; // of the name in m_text
        quint16 size = 0;   // a name the table holds is at most 255 units long
        Holder holder = Holder::Empty;
    };

    QString keyOf(const QString &name) const;
    /// Takes \a key for a file of the run, or says who holds it already.
    std::optional<SimulatedOutcome> take(const QString &key, quint32 hash);
    /// The slot holding \a key, or the empty slot where it would go.
    Slot &find(QStringView key, quint32 hash);
    /// Puts \a name, whose text is in m_text, into \a slot, found empty for it.
    void fill(Slot &slot, const Slot &name);
    /// Enters the names read from the folder into the table.
    void settle();
    void grow();

    FolderNameRules m_rules;
    SimulationSettings m_settings;
    OpenFolder m_folder;
    QString m_text; // every name, one after another
    std::vector<Slot> m_slots;
    std::vector<Slot> m_pending; // names read from the folder, not yet in m_slots
    std::size_t m_used = 0;
};

} // namespace kestrava
