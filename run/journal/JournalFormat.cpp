// SPDX-License-Identifier: GPL-3.0-or-later
// The journal room: the undo journal's format, its writer, undo, and the recovery of parked files.
#include "JournalFormat.h"

#include "FileNameBytes.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace kestrava::journal {

namespace {

constexpr char magic[] = "KSTRVJNL";
constexpr qsizetype headerSize = 12;
constexpr qsizetype framing = 2 + 4 + 4; // marker, length, checksum
// The marker 0x4A4B as it lies in the file.
constexpr char markerBytes[] = "KJ";
// Big enough for every record a run ends with (End, Restored, Undone).
constexpr qsizetype tailSize = 256;
constexpr qsizetype glanceSize = 64 * 1024;
// The longest record a writer makes is a folder's path (at most PATH_MAX
// bytes) or two names of at most 255 bytes with their fields: a length
// beyond this is damage, whatever bytes follow.
constexpr qsizetype maxRecordLength = 64 * 1024;
// The most room a writer reserves ahead of its records (see RunJournal),
// with a margin: zeros running on beyond it are no journal's.
constexpr qint64 longestRoom = 32 * 1024 * 1024;
constexpr qsizetype pieceSize = 1024 * 1024;

quint32 fnv1a(const char *data, qsizetype size)
{
    quint32 hash = 2166136261u;
    for (qsizetype i = 0; i < size; ++i) {
        hash ^= quint8(data[i]);
        hash *= 16777619u;
    }
    return hash;
}

struct Record
{
    RecordType type;
    QByteArray payload;
    qsizetype next;
};

// The whole record at \a at of \a data, if there is one that checks out.
std::optional<Record> recordAt(const QByteArray &data, qsizetype at)
{
    if (at + framing + 1 > data.size() || data[at] != markerBytes[0] || data[at + 1] != markerBytes[1])
        return std::nullopt;
    const quint32 length = qFromLittleEndian<quint32>(data.constData() + at + 2);
    if (length < 1 || length > maxRecordLength || qsizetype(length) > data.size() - at - framing)
        return std::nullopt;
    const qsizetype end = at + 6 + qsizetype(length);
    if (qFromLittleEndian<quint32>(data.constData() + end) != fnv1a(data.constData() + at + 2, 4 + length))
        return std::nullopt;
    return Record{RecordType(quint8(data[at + 6])), data.sliced(at + 7, length - 1), end + 4};
}

// Reads the fields of a payload in order; a payload too short reads as zeros
// and leaves ok() false.
class PayloadReader
{
public:
    explicit PayloadReader(const QByteArray &payload)
        : m_data(payload)
    {}
    template<typename T>
    T read()
    {
        if (m_at + qsizetype(sizeof(T)) > m_data.size()) {
            m_ok = false;
            return T(0);
        }
        const T value = qFromLittleEndian<T>(m_data.constData() + m_at);
        m_at += sizeof(T);
        return value;
    }
    QByteArray bytes(qsizetype count)
    {
        if (count < 0 || m_at + count > m_data.size()) {
            m_ok = false;
            return {};
        }
        const QByteArray value = m_data.sliced(m_at, count);
        m_at += count;
        return value;
    }
    QByteArray rest() { return bytes(m_data.size() - m_at); }
    bool ok() const { return m_ok; }

private:
    const QByteArray &m_data;
    qsizetype m_at = 0;
    bool m_ok = true;
};

// The version of a journal that starts with \a data; 0 when it is none that can be read.
quint32 versionOf(const QByteArray &data)
{
    if (data.size() < headerSize || !data.startsWith(magic))
        return 0;
    const quint32 version = qFromLittleEndian<quint32>(data.constData() + 8);
    return version >= 1 && version <= formatVersion ? version : 0;
}

bool hasHeader(const QByteArray &data)
{
    return versionOf(data) != 0;
}

struct KnownFolder
{
    QByteArray path;
    quint64 fileSystem = 0;
};

// What reading a journal keeps between its records.
struct ReadState
{
    quint32 version = formatVersion;
    QHash<quint32, KnownFolder> folders;
    QHash<quint64, qsizetype> bySequence;
};

// A name that stays in its folder, whatever a damaged or forged journal holds.
bool isBareName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

QDateTime timeFrom(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs);
}

bool takeRename(PayloadReader &in, JournalContents &contents, ReadState &state)
{
    RenameEntry entry;
    entry.sequence = in.read<quint64>();
    const KnownFolder folder = state.folders.value(in.read<quint32>());
    entry.folder = folder.path;
    entry.fileSystem = folder.fileSystem;
    entry.identity.device = in.read<quint64>();
    entry.identity.inode = in.read<quint64>();
    entry.identity.birthNsecs = in.read<qint64>();
    if (state.version >= 2) {
        entry.identity.size = in.read<quint64>();
        entry.identity.modifiedNsecs = in.read<qint64>();
        entry.identity.hasSizeAndTime = true;
    }
    entry.oldName = in.bytes(in.read<quint32>());
    entry.newName = in.rest();
    if (!in.ok() || !isBareName(entry.oldName) || !isBareName(entry.newName))
        return false;
    state.bySequence.insert(entry.sequence, contents.renames.size());
    contents.renames.append(std::move(entry));
    return true;
}

// Takes one record into \a contents; false when its payload does not fit its type.
bool take(const Record &record, JournalContents &contents, ReadState &state)
{
    QHash<quint64, qsizetype> &bySequence = state.bySequence;
    PayloadReader in(record.payload);
    switch (record.type) {
    case RecordType::Begin: {
        contents.startedAt = timeFrom(in.read<qint64>());
        const quint8 scope = in.read<quint8>();
        if (in.ok()) {
            contents.scope = scope;
            contents.startFolder = in.rest();
        }
        break;
    }
    case RecordType::Folder: {
        const quint32 id = in.read<quint32>();
        KnownFolder folder;
        if (state.version >= 2)
            folder.fileSystem = in.read<quint64>();
        folder.path = in.rest();
        state.folders.insert(id, folder);
        break;
    }
    case RecordType::Rename:
        return takeRename(in, contents, state);
    case RecordType::Parked: {
        const qsizetype index = bySequence.value(in.read<quint64>(), -1);
        const QByteArray name = in.rest();
        if (!isBareName(name))
            return false;
        if (index >= 0)
            contents.renames[index].parkedName = name;
        break;
    }
    case RecordType::End:
        contents.ended = true;
        break;
    case RecordType::Restored: {
        const qsizetype index = bySequence.value(in.read<quint64>(), -1);
        if (index >= 0 && in.ok())
            contents.renames[index].restored = true;
        break;
    }
    case RecordType::Undone:
        contents.undone = true;
        break;
    case RecordType::Step: {
        const qsizetype index = bySequence.value(in.read<quint64>(), -1);
        const quint8 step = in.read<quint8>();
        const quint64 inode = in.read<quint64>();
        TakenStep taken{RenameStep(step), in.bytes(in.read<quint32>()), in.rest(), inode};
        if (!in.ok() || step < quint8(RenameStep::Link) || step > quint8(RenameStep::PlaceholderMade)
            || !isBareName(taken.from) || !isBareName(taken.to))
            return false;
        if (index < 0)
            break;
        QList<TakenStep> &steps = contents.renames[index].steps;
        if (taken.step != RenameStep::PlaceholderMade)
            steps.append(std::move(taken));
        else if (!steps.isEmpty() && steps.last().step == RenameStep::Placeholder && steps.last().to == taken.to)
            steps.last().inode = inode;
        break;
    }
    case RecordType::Permissions: {
        const qsizetype index = bySequence.value(in.read<quint64>(), -1);
        const quint32 mode = in.read<quint32>();
        if (index >= 0 && in.ok() && mode <= 07777)
            contents.renames[index].modeBefore = int(mode);
        break;
    }
    case RecordType::LeftAlone: {
        const qsizetype index = bySequence.value(in.read<quint64>(), -1);
        const quint8 reason = in.read<quint8>();
        const int error = int(in.read<quint32>());
        if (reason < quint8(LeftAloneReason::Gone) || reason > quint8(LeftAloneReason::OldNameTaken))
            return false;
        if (index >= 0 && in.ok()) {
            contents.renames[index].leftAlone = LeftAloneReason(reason);
            contents.renames[index].leftAloneError = error;
        }
        break;
    }
    case RecordType::Preset:
        contents.presetName = QString::fromUtf8(in.rest());
        break;
    }
    return in.ok();
}

// The first byte that is not zero, or \a end; a block at a time, since room
// reserved ahead can be megabytes of zeros.
const char *firstNonZero(const char *from, const char *end)
{
    static constexpr char zeros[256] = {};
    while (end - from >= qsizetype(sizeof zeros) && std::memcmp(from, zeros, sizeof zeros) == 0)
        from += sizeof zeros;
    return std::find_if(from, end, [](char byte) { return byte != '\0'; });
}

// One past the last byte of \a file that is not zero: the end of the records
// when room the writer reserved ahead follows them. Read from the end in
// growing blocks, as most journals end with their last record. -1 when the
// zeros run on for longer than the writer ever reserves.
qint64 endOfData(QFile &file, qint64 size)
{
    qint64 block = 4 * 1024;
    qint64 end = size;
    while (end > headerSize) {
        if (size - end > longestRoom)
            return -1;
        const qint64 start = qMax<qint64>(headerSize, end - block);
        if (!file.seek(start))
            return end;
        const QByteArray bytes = file.read(end - start);
        if (bytes.size() != end - start)
            return end;
        if (firstNonZero(bytes.cbegin(), bytes.cend()) != bytes.cend()) {
            for (qsizetype i = bytes.size(); i > 0; --i) {
                if (bytes[i - 1] != '\0')
                    return start + i;
            }
        }
        end = start;
        block = qMin<qint64>(block * 4, 1024 * 1024);
    }
    return end;
}

// The bytes of a journal from some offset on, read in pieces: however long
// the file, no more than a few pieces are held at once.
class PieceReader
{
public:
    explicit PieceReader(QFile &file)
        : m_file(file)
    {}
    // Makes the bytes [at, at + count) available, or as many as the file has,
    // and lets go of those before \a at.
    void need(qint64 at, qint64 count)
    {
        if (at - m_base > pieceSize) {
            const qint64 drop = qMin<qint64>(at - m_base, m_bytes.size());
            m_bytes.remove(0, drop);
            m_base += drop;
        }
        while (!m_atEnd && m_base + m_bytes.size() < at + count) {
            const QByteArray more = m_file.read(pieceSize);
            m_atEnd = more.isEmpty();
            m_bytes += more;
        }
    }
    const QByteArray &bytes() const { return m_bytes; }
    qsizetype index(qint64 at) const { return qsizetype(at - m_base); }
    qint64 offset(qsizetype index) const { return m_base + index; }
    bool endsAt(qint64 at) const { return m_atEnd && at >= m_base + m_bytes.size(); }

private:
    QFile &m_file;
    QByteArray m_bytes;
    qint64 m_base = 0;
    bool m_atEnd = false;
};

enum class ScanEnd { Finished, Stopped, Impossible };

// Visits each whole record of \a file from the first after the header, in
// order, telling \a damaged of each damaged stretch skipped; \a visit returns
// false to stop. Impossible when zeros run on for longer than the writer ever
// reserves: no journal looks like that.
template<typename Visit, typename Damaged>
ScanEnd scanRecords(QFile &file, Visit visit, Damaged damaged)
{
    if (!file.seek(0))
        return ScanEnd::Finished;
    PieceReader in(file);
    const qint64 wholeRecord = framing + maxRecordLength;
    qint64 at = headerSize;
    for (;;) {
        in.need(at, wholeRecord);
        if (in.endsAt(at))
            return ScanEnd::Finished;
        if (const auto record = recordAt(in.bytes(), in.index(at))) {
            if (!visit(*record, at))
                return ScanEnd::Stopped;
            at = in.offset(record->next);
            continue;
        }
        // Zeros are room the writer reserved and was killed before filling.
        if (in.bytes()[in.index(at)] == '\0') {
            qint64 past = at;
            for (;;) {
                in.need(past, pieceSize);
                const QByteArray &bytes = in.bytes();
                const auto found = firstNonZero(bytes.cbegin() + in.index(past), bytes.cend());
                past = in.offset(found - bytes.cbegin());
                if (past - at > longestRoom)
                    return ScanEnd::Impossible;
                if (found != bytes.cend() || in.endsAt(past))
                    break;
            }
            if (in.endsAt(past))
                return ScanEnd::Finished;
            in.need(past, wholeRecord);
            if (recordAt(in.bytes(), in.index(past))) {
                at = past;
                continue;
            }
        }
        // Garbage with a whole record after it is damage; at the very end it
        // is the last record, cut short when the writer was killed. Each piece
        // is searched with a whole record's bytes after it in view.
        qint64 next = -1;
        for (qint64 from = at + 1; next < 0 && !in.endsAt(from); from += pieceSize) {
            in.need(from, pieceSize + wholeRecord);
            const QByteArray &bytes = in.bytes();
            const qsizetype last = in.index(from) + pieceSize;
            for (qsizetype i = bytes.indexOf(markerBytes, in.index(from)); i >= 0 && i < last;
                 i = bytes.indexOf(markerBytes, i + 1)) {
                if (recordAt(bytes, i)) {
                    next = in.offset(i);
                    break;
                }
            }
        }
        if (next < 0)
            return ScanEnd::Finished;
        damaged(at);
        at = next;
    }
}

bool isPrivateFile(const struct stat &info)
{
    return S_ISREG(info.st_mode) && info.st_uid == ::geteuid() && (info.st_mode & 07777) == 0600;
}

// A journal is read only from a file of its own name, never through a link,
// and only when it is private to the user.
bool openForReading(QFile &file, const QString &path)
{
    const int fd = ::open(nameBytes(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (isPrivateJournal(fd) && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return true;
    ::close(fd);
    return false;
}

} // namespace

QByteArray fileHeader()
{
    QByteArray header(magic, 8);
    char version[4];
    qToLittleEndian(formatVersion, version);
    header.append(version, 4);
    return header;
}

void RecordBuilder::start(RecordType type)
{
    m_bytes.resize(0);
    m_bytes.append(markerBytes, 2);
    m_bytes.append(4, '\0'); // the length, filled in by finish()
    addU8(quint8(type));
}

void RecordBuilder::addU32(quint32 value)
{
    char bytes[4];
    qToLittleEndian(value, bytes);
    m_bytes.append(bytes, 4);
}

void RecordBuilder::addU64(quint64 value)
{
    char bytes[8];
    qToLittleEndian(value, bytes);
    m_bytes.append(bytes, 8);
}

const QByteArray &RecordBuilder::finish()
{
    qToLittleEndian(quint32(m_bytes.size() - 6), m_bytes.data() + 2);
    addU32(fnv1a(m_bytes.constData() + 2, m_bytes.size() - 2));
    return m_bytes;
}

RecordWriter::RecordWriter(char *to, RecordType type)
    : m_start(to)
    , m_at(to + 7)
{
    std::memcpy(to, markerBytes, 2);
    to[6] = char(type);
}

qsizetype RecordWriter::finish()
{
    qToLittleEndian(quint32(m_at - m_start - 6), m_start + 2);
    addU32(fnv1a(m_start + 2, m_at - m_start - 2));
    return m_at - m_start;
}

QByteArray nameBytes(const QString &name)
{
    return fileNameToBytes(name);
}

QString nameText(const QByteArray &bytes)
{
    return fileNameFromBytes(bytes);
}

QString stateFolder()
{
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    if (!base.startsWith(u'/'))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/kestrava");
}

bool isPrivateJournal(int fd)
{
    struct stat info;
    return ::fstat(fd, &info) == 0 && isPrivateFile(info);
}

JournalList listJournals()
{
    return listJournalsIn(stateFolder());
}

JournalList listJournalsIn(const QString &folder)
{
    JournalList list;
    struct stat info;
    if (::lstat(nameBytes(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return list;
    if (info.st_uid != ::geteuid() || (info.st_mode & 0022) != 0) {
        list.refused.append({folder, Refusal::FolderNotPrivate});
        return list;
    }
    const QStringList names = QDir(folder).entryList({QStringLiteral("run-*.kjournal")},
                                                     QDir::AllEntries | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &name : names) {
        const QString path = folder + u'/' + name;
        if (::lstat(nameBytes(path).constData(), &info) == 0 && isPrivateFile(info))
            list.paths.append(path);
        else
            list.refused.append({path, Refusal::JournalNotPrivate});
    }
    std::stable_sort(list.paths.begin(), list.paths.end(), [](const QString &a, const QString &b) {
        return journalSequence(a) < journalSequence(b);
    });
    return list;
}

QStringList journalPaths()
{
    return listJournals().paths;
}

quint64 journalSequence(const QString &path)
{
    const QString name = path.section(u'/', -1);
    return name.startsWith(u"run-") ? name.mid(4).section(u'-', 0, 0).toULongLong() : 0;
}

JournalContents readJournal(const QString &path)
{
    JournalContents contents;
    QFile file;
    if (!openForReading(file, path))
        return contents;
    ReadState state;
    state.version = versionOf(file.read(headerSize));
    if (state.version == 0)
        return contents;
    contents.readable = true;
    const ScanEnd end = scanRecords(
        file,
        [&](const Record &record, qint64 at) {
            if (!take(record, contents, state))
                contents.damagedAt.append(at);
            return true;
        },
        [&](qint64 at) { contents.damagedAt.append(at); });
    if (end == ScanEnd::Impossible) {
        contents = JournalContents();
        contents.impossible = true;
    }
    return contents;
}

namespace {

JournalGlance impossibleGlance()
{
    JournalGlance glance;
    glance.impossible = true;
    return glance;
}

} // namespace

JournalGlance glanceAt(const QString &path)
{
    JournalGlance glance;
    QFile file;
    if (!openForReading(file, path))
        return glance;
    const qint64 size = file.size();
    QByteArray data = file.read(glanceSize);
    if (!hasHeader(data))
        return glance;
    glance.readable = true;
    qsizetype at = headerSize;
    while (const auto record = recordAt(data, at)) {
        if (record->type == RecordType::Begin)
            glance.startedAt = timeFrom(PayloadReader(record->payload).read<qint64>());
        glance.hasRename = record->type == RecordType::Rename;
        if (glance.hasRename)
            break;
        at = record->next;
    }
    // Only a long run without a single rename, or damage, needs the whole file.
    if (!glance.hasRename && size > data.size()) {
        const auto visit = [&](const Record &record, qint64) {
            glance.hasRename = record.type == RecordType::Rename;
            return !glance.hasRename;
        };
        if (scanRecords(file, visit, [](qint64) {}) == ScanEnd::Impossible)
            return impossibleGlance();
    }
    // The last record ends where the bytes that are not zero end, or in the
    // few bytes after, since its own last bytes may be zeros.
    const qint64 dataEnd = endOfData(file, size);
    if (dataEnd < 0)
        return impossibleGlance();
    const qint64 tailStart = qMax<qint64>(headerSize, dataEnd - tailSize);
    file.seek(tailStart);
    const QByteArray tail = file.read(qMin(size, dataEnd + 16) - tailStart);
    for (qsizetype at = tail.lastIndexOf(markerBytes); at >= 0; at = tail.lastIndexOf(markerBytes, at - 1)) {
        const auto record = recordAt(tail, at);
        if (record && record->next >= dataEnd - tailStart) {
            glance.lastRecord = record->type;
            break;
        }
        if (at == 0)
            break;
    }
    return glance;
}

int openLocked(const QByteArray &path, int extraFlags)
{
    return openLockedAt(AT_FDCWD, path, extraFlags);
}

int openLockedAt(int folderFd, const QByteArray &name, int extraFlags)
{
    const int fd = ::openat(folderFd, name.constData(), O_RDWR | O_APPEND | O_NOFOLLOW | O_CLOEXEC | extraFlags, 0600);
    if (fd < 0)
        return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        errno = error;
        return -1;
    }
    return fd;
}

bool isInUse(const QString &path)
{
    const int fd = ::open(nameBytes(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK;
    ::close(fd);
    return locked;
}

qint64 lockHolder(const QString &path)
{
    struct stat info;
    if (::stat(nameBytes(path).constData(), &info) != 0)
        return 0;
    // Each line: "1: FLOCK  ADVISORY  WRITE <pid> <major>:<minor>:<inode> 0 EOF",
    // major and minor in hex; waiting locks have "->" after the number.
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray file = QByteArray::number(major(info.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(minor(info.st_dev), 16).rightJustified(2, '0') + ':'
        + QByteArray::number(quint64(info.st_ino));
    // Files of /proc show a size of 0, so they are read to the end, not to their size.
    const QList<QByteArray> lines = locks.readAll().split('\n');
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields.at(1) == "FLOCK" && fields.at(5) == file)
            return fields.at(4).toLongLong();
    }
    return 0;
}

} // namespace kestrava::journal
