// SPDX-License-Identifier: GPL-3.0-or-later
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
#include "RenameMethods.h"

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

/// The kinds of record. The payloads (integers little-endian), as version 2
/// writes them; version 1 had no file-system id in Folder and no size and
/// modification time in Rename, and is read as it was:
enum class RecordType : quint8 {
    Begin = 1,    ///< i64 start (ms since the epoch, UTC), u8 scope, start folder bytes
    Folder = 2,   ///< u32 folder id, u64 file-system id (see fileSystemId()), folder path bytes ending in "/"
    Rename = 3,   ///< u64 sequence, u32 folder id, u64 device, u64 inode, i64 birth (ns, 0 unknown),
                  ///< u64 size, i64 modification time (ns), u32 old length, old name, new name
    Parked = 4,   ///< u64 sequence of the rename, bare temporary name
    End = 5,      ///< i64 end (ms since the epoch, UTC), u8 stopped by the user
    Restored = 6, ///< u64 sequence of a rename that undo has dealt with
    Undone = 7,   ///< no payload: every rename of the journal is taken back
    LeftAlone = 8, ///< u64 sequence of a rename undo had to leave, u8 LeftAloneReason, u32 errno (0: none)
    Step = 9,      ///< u64 sequence of the rename (or its undo), u8 RenameStep, u64 inode (0: not yet known),
                   ///< u32 length of the first name, the name the step starts from, the name it makes
    Permissions = 10, ///< u64 sequence of the rename, u32 the permission bits the run changed for it
    Preset = 11,   ///< the name (UTF-8) of the preset the run's rules came from, after Begin; readers
                   ///< that do not know it skip it
};

/// Why undo left a file as the run left it. Such a file is not tried again, so
/// that one file that cannot go back does not keep older runs from undo.
enum class LeftAloneReason : quint8 {
    Gone = 1,         ///< nothing has the file's new name any more
    Replaced = 2,     ///< another file has its new name
    OldNameTaken = 3, ///< another file has its old name
};

/// The version written; readers read every version up to it.
inline constexpr quint32 formatVersion = 2;
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
/// Why journals, or the whole state folder, are not read.
enum class Refusal : quint8 {
    /// The state folder is not the user's own, or group or others may write to it.
    FolderNotPrivate,
    /// A journal is not a regular file of the user's own with mode 0600.
    JournalNotPrivate,
};

/// A journal, or the state folder, that readers leave alone, and why.
struct RefusedJournal
{
    QString path;
    Refusal reason;
};

/// The journals of stateFolder() and what was refused there.
struct JournalList
{
    QStringList paths; ///< full paths, in the order of their sequence numbers
    QList<RefusedJournal> refused;
};

/// The journals in stateFolder() that may be read. Another user who could
/// write to the folder could plant a journal that renames any file the user
/// may rename, so a folder that is not the user's alone holds none, and a
/// journal counts only as a regular file of the user's own that nobody else
/// may read or write (0600). A state folder that is itself a link holds none.
JournalList listJournals();
/// As listJournals(), of the journals in \a folder.
JournalList listJournalsIn(const QString &folder);
/// listJournals().paths.
QStringList journalPaths();
/// The sequence number in the name of the journal at \a path
/// ("run-<number>-<process>.kjournal"); 0 for a name without one.
quint64 journalSequence(const QString &path);
/// Whether the open file \a fd may be read as a journal: a regular file of the
/// user's own with mode 0600.
bool isPrivateJournal(int fd);

/// A step of a weaker rename method (see RenameMethods.h), as journaled.
struct TakenStep
{
    RenameStep step;
    QByteArray from;
    QByteArray to;
    quint64 inode = 0; ///< a placeholder's, once made; 0 when unknown
};

/// One rename of a journal.
struct RenameEntry
{
    quint64 sequence = 0;
    QByteArray folder; ///< path ending in "/"; empty when its folder record was damaged
    quint64 fileSystem = 0; ///< the id of the folder's file system at the run; 0 when not recorded
    FileIdentity identity;
    QByteArray oldName;
    QByteArray newName;
    QByteArray parkedName; ///< the temporary name of a two-step rename, if any
    bool restored = false; ///< undo has already dealt with it
    /// Why undo left it alone, if it did; then it is not tried again.
    std::optional<LeftAloneReason> leftAlone;
    int leftAloneError = 0; ///< the errno of that attempt, 0 when none
    /// The steps that a kill may have left half done, in order: Link and
    /// Placeholder only, a placeholder's inode filled in once it was made.
    QList<TakenStep> steps;
    /// The permission bits the run changed to rename the file (a read-only
    /// file made writable), for undo to put back; -1 when it changed none.
    int modeBefore = -1;
};

/// All that a journal says, as far as it can be read.
struct JournalContents
{
    bool readable = false;      ///< opened, and the magic and version are right
    bool impossible = false;    ///< not read: its length is no journal's (see glanceAt())
    QDateTime startedAt;        ///< local time
    int scope = -1;             ///< the run's RunScope as recorded; -1 when not known
    QByteArray startFolder;     ///< the folder the run started in
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
    /// Not readable: zeros run on for longer than a writer reserves room, as
    /// in a file lengthened by hand. Read on, it would only cost time.
    bool impossible = false;
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
/// The process that holds the lock of \a path, as the system lists it; 0 when
/// it cannot be told.
qint64 lockHolder(const QString &path);

} // namespace kestrava::journal
