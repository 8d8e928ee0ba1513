// The undo journal's file format, shared by the writer (RunJournal) and the
// readers (UndoRun and the start-up recovery).
//
// A journal starts with the 8 bytes "KSTRVJNL" and a little-endian 32-bit
// version. Records follow, each
//     u16 marker 0x4A4B ("KJ"), u32 length, u8 type, payload, u32 checksum
// where length counts the type and payload bytes and the checksum is FNV-1a
// over the length, type and payload. A reader skips a damaged record by looking
// for the next marker whose record checks out, so a byte gone wrong costs one
// record and a file cut short by a kill is read up to its last whole record.
// Zero bytes between records are room the writer reserved ahead and did not
// fill before it was killed (an undo may append records after them); they
// are skipped, and at the end of the file they end the journal.
// All integers are little-endian.
#pragma once

#include "DiskOperations.h"

#include <QByteArray>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QtEndian>

#include <cstring>

#include <optional>

namespace kestrava::journal {

/// The kinds of record. The payloads (integers little-endian):
enum class RecordType : quint8 {
    Begin = 1,    ///< i64 start (ms since the epoch, UTC), u8 scope, start folder bytes
    Folder = 2,   ///< u32 folder id, folder path bytes ending in "/"
    Rename = 3,   ///< u64 sequence, u32 folder id, u64 device, u64 inode, i64 birth (ns, 0 unknown),
                  ///< u32 old length, old name, new name
    Parked = 4,   ///< u64 sequence of the rename, bare temporary name
    End = 5,      ///< i64 end (ms since the epoch, UTC), u8 stopped by the user
    Restored = 6, ///< u64 sequence of a rename that undo has dealt with
    Undone = 7,   ///< no payload: every rename of the journal is taken back
    Preset = 8,   ///< the name (UTF-8) of the preset the run's rules came from, after Begin; readers
                  ///< that do not know it skip it
};

inline constexpr quint32 formatVersion = 1;
/// The journals of this many runs are kept.
inline constexpr int keptJournals = 20;

/// The bytes a file starts with: magic and version.
QByteArray fileHeader();

/// Builds one record into a reusable buffer.
class RecordBuilder
{
public:
    /// Empties the buffer (keeping its memory) and starts a record of \a type.
    void start(RecordType type);
    void addU8(quint8 value) { m_bytes.append(char(value)); }
    void addU32(quint32 value);
    void addU64(quint64 value);
    void addBytes(QByteArrayView bytes) { m_bytes.append(bytes); }
    /// Fills in the length and checksum; returns the whole record.
    const QByteArray &finish();

private:
    QByteArray m_bytes;
};

/// Writes one record straight into memory that has room for it, such as the
/// map of a journal: the record of every rename, with no buffer between.
class RecordWriter
{
public:
    /// The bytes of a record whose payload is \a payloadSize bytes.
    static constexpr qsizetype sizeFor(qsizetype payloadSize) { return 2 + 4 + 1 + payloadSize + 4; }
    /// Starts a record of \a type at \a to.
    RecordWriter(char *to, RecordType type);
    void addU32(quint32 value)
    {
        qToLittleEndian(value, m_at);
        m_at += 4;
    }
    void addU64(quint64 value)
    {
        qToLittleEndian(value, m_at);
        m_at += 8;
    }
    void addBytes(QByteArrayView bytes)
    {
        if (!bytes.isEmpty())
            std::memcpy(m_at, bytes.data(), size_t(bytes.size()));
        m_at += bytes.size();
    }
    /// Fills in the length and checksum; returns the bytes of the whole record.
    qsizetype finish();

private:
    char *m_start;
    char *m_at;
};

/// The bytes a name or path is stored as, and back. The one place where the
/// journal turns names into bytes.
QByteArray nameBytes(const QString &name);
QString nameText(const QByteArray &bytes);

/// Where journals live: $XDG_STATE_HOME/kestrava, or ~/.local/state/kestrava
/// when the variable is unset or not an absolute path.
QString stateFolder();
/// The journals in stateFolder(), full paths, oldest first. Links are not
/// journals, and a state folder that is itself a link holds none.
QStringList journalPaths();

/// One rename of a journal.
struct RenameEntry
{
    quint64 sequence = 0;
    QByteArray folder; ///< path ending in "/"; empty when its folder record was damaged
    FileIdentity identity;
    QByteArray oldName;
    QByteArray newName;
    QByteArray parkedName; ///< the temporary name of a two-step rename, if any
    bool restored = false; ///< undo has already dealt with it
};

/// All that a journal says, as far as it can be read.
struct JournalContents
{
    bool readable = false;      ///< opened, and the magic and version are right
    QDateTime startedAt;        ///< local time
    bool ended = false;         ///< the run's end was recorded
    bool undone = false;        ///< marked fully undone
    QString presetName;         ///< the preset the run's rules came from; empty for none
    QList<RenameEntry> renames; ///< in the order they were made
    QList<qint64> damagedAt;    ///< byte offsets of damaged stretches that were skipped
};

/// Reads the journal at \a path.
JournalContents readJournal(const QString &path);

/// A quick look at a journal: its start and first records, and its last record.
struct JournalGlance
{
    bool readable = false;
    bool hasRename = false;
    QDateTime startedAt;
    std::optional<RecordType> lastRecord; ///< empty when the last record is cut short or long
};

/// Reads as little of \a path as needed for a JournalGlance.
JournalGlance glanceAt(const QString &path);

/// Opens \a path for appending with an exclusive lock on the open file, so that
/// a journal a run or an undo is writing is never touched by another. A link is
/// not followed. The file is open for reading too, as a map of it needs.
/// -1 with errno set on failure (EWOULDBLOCK when another holds the lock).
int openLocked(const QByteArray &path, int extraFlags);
/// As openLocked(), for \a name in the folder open as \a folderFd.
int openLockedAt(int folderFd, const QByteArray &name, int extraFlags);
/// Whether another open file holds the lock of \a path.
bool isInUse(const QString &path);

} // namespace kestrava::journal
