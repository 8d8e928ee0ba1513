// The journal room: the undo journal's format, its writer, undo, and the recovery of parked files.
#include "JournalFormat.h"

#include "FileNameBytes.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
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
    if (length < 1 || qsizetype(length) > data.size() - at - framing)
        return std::nullopt;
    const qsizetype end = at + 6 + qsizetype(length);
    if (qFromLittleEndian<quint32>(data.constData() + end) != fnv1a(data.constData() + at + 2, 4 + length))
        return std::nullopt;
    return Record{RecordType(quint8(data[at + 6])), data.sliced(at + 7, length - 1), end + 4};
}

// The start of the next whole record after \a from, or -1.
qsizetype nextRecordAfter(const QByteArray &data, qsizetype from)
{
    for (qsizetype at = data.indexOf(markerBytes, from); at >= 0; at = data.indexOf(markerBytes, at + 1)) {
        if (recordAt(data, at))
            return at;
    }
    return -1;
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

bool hasHeader(const QByteArray &data)
{
    return data.size() >= headerSize && data.startsWith(magic)
        && qFromLittleEndian<quint32>(data.constData() + 8) == formatVersion;
}

// A name that stays in its folder, whatever a damaged or forged journal holds.
bool isBareName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

QDateTime timeFrom(qint64 msecs)
{
    return QDateTime::fromMSecsSinceEpoch(msecs);
}

bool takeRename(PayloadReader &in, JournalContents &contents, const QHash<quint32, QByteArray> &folders,
                QHash<quint64, qsizetype> &bySequence)
{
    RenameEntry entry;
    entry.sequence = in.read<quint64>();
    entry.folder = folders.value(in.read<quint32>());
    entry.identity.device = in.read<quint64>();
    entry.identity.inode = in.read<quint64>();
    entry.identity.birthNsecs = in.read<qint64>();
    entry.oldName = in.bytes(in.read<quint32>());
    entry.newName = in.rest();
    if (!in.ok() || !isBareName(entry.oldName) || !isBareName(entry.newName))
        return false;
    bySequence.insert(entry.sequence, contents.renames.size());
    contents.renames.append(std::move(entry));
    return true;
}

// Takes one record into \a contents; false when its payload does not fit its type.
bool take(const Record &record, JournalContents &contents, QHash<quint32, QByteArray> &folders,
          QHash<quint64, qsizetype> &bySequence)
{
    PayloadReader in(record.payload);
    switch (record.type) {
    case RecordType::Begin:
        contents.startedAt = timeFrom(in.read<qint64>());
        break;
    case RecordType::Folder: {
        const quint32 id = in.read<quint32>();
        folders.insert(id, in.rest());
        break;
    }
    case RecordType::Rename:
        return takeRename(in, contents, folders, bySequence);
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
    case RecordType::Preset:
        contents.presetName = QString::fromUtf8(in.rest());
        break;
    }
    return in.ok();
}

// One past the last byte of \a file that is not zero: the end of the records
// when room the writer reserved ahead follows them. Read from the end in
// growing blocks, as most journals end with their last record.
qint64 endOfData(QFile &file, qint64 size)
{
    qint64 block = 4 * 1024;
    qint64 end = size;
    while (end > headerSize) {
        const qint64 start = qMax<qint64>(headerSize, end - block);
        if (!file.seek(start))
            return end;
        const QByteArray bytes = file.read(end - start);
        if (bytes.size() != end - start)
            return end;
        for (qsizetype i = bytes.size(); i > 0; --i) {
            if (bytes[i - 1] != '\0')
                return start + i;
        }
        end = start;
        block = qMin<qint64>(block * 4, 1024 * 1024);
    }
    return end;
}

// A journal is read only from a file of its own name, never through a link.
bool openForReading(QFile &file, const QString &path)
{
    const int fd = ::open(nameBytes(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
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

QStringList journalPaths()
{
    const QString folder = stateFolder();
    struct stat info;
    if (::lstat(nameBytes(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return {};
    QStringList paths = QDir(folder).entryList({QStringLiteral("run-*.kjournal")},
                                               QDir::Files | QDir::Hidden | QDir::NoSymLinks, QDir::Name);
    for (QString &path : paths)
        path.prepend(folder + u'/');
    return paths;
}

JournalContents readJournal(const QString &path)
{
    JournalContents contents;
    QFile file;
    if (!openForReading(file, path))
        return contents;
    const QByteArray data = file.readAll();
    if (!hasHeader(data))
        return contents;
    contents.readable = true;
    QHash<quint32, QByteArray> folders;
    QHash<quint64, qsizetype> bySequence;
    qsizetype at = headerSize;
    while (at < data.size()) {
        if (const auto record = recordAt(data, at)) {
            if (!take(*record, contents, folders, bySequence))
                contents.damagedAt.append(at);
            at = record->next;
            continue;
        }
        // Zeros are room the writer reserved and was killed before filling.
        if (data[at] == '\0') {
            const auto past = std::find_if(data.cbegin() + at, data.cend(), [](char byte) { return byte != '\0'; });
            if (past == data.cend())
                break;
            if (recordAt(data, past - data.cbegin())) {
                at = past - data.cbegin();
                continue;
            }
        }
        // Garbage with a whole record after it is damage; at the very end it
        // is the last record, cut short when the writer was killed.
        const qsizetype next = nextRecordAfter(data, at + 1);
        if (next < 0)
            break;
        contents.damagedAt.append(at);
        at = next;
    }
    return contents;
}

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
    for (int pass = 0; pass < 2 && !glance.hasRename; ++pass) {
        qsizetype at = headerSize;
        while (const auto record = recordAt(data, at)) {
            if (record->type == RecordType::Begin)
                glance.startedAt = timeFrom(PayloadReader(record->payload).read<qint64>());
            glance.hasRename = glance.hasRename || record->type == RecordType::Rename;
            if (glance.hasRename)
                break;
            at = record->next;
        }
        // Only a long run without a single rename, or damage, needs the whole file.
        if (pass == 0 && !glance.hasRename && size > data.size())
            data += file.readAll();
    }
    // The last record ends where the bytes that are not zero end, or in the
    // few bytes after, since its own last bytes may be zeros.
    const qint64 dataEnd = endOfData(file, size);
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

} // namespace kestrava::journal
