// SPDX-License-Identifier: GPL-3.0-or-later
// The undo journal's reader, given any bytes as a journal: it never crashes,
// takes only names that stay in their folder, marks damage inside the file,
// and agrees with the quick look at the file on whether it is a journal.
#include "FuzzInput.h"
#include "JournalFormat.h"

#include <QByteArray>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::fuzzing;

namespace {

// The reader works on a file, so each input goes to the same one, in memory
// where the system offers it: a disk-backed file costs most of the time.
QByteArray &journalBytesPath()
{
    static QByteArray path;
    return path;
}

const QString &journalFile()
{
    static const QString path = [] {
        QByteArray &name = journalBytesPath();
        name = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        name += "/fuzz_journalreader-XXXXXX";
        const int fd = ::mkstemp(name.data());
        require(fd >= 0, "no temporary file for the journal");
        ::close(fd);
        std::atexit([] { ::unlink(journalBytesPath().constData()); });
        return QString::fromLocal8Bit(name);
    }();
    return path;
}

bool isBareName(const QByteArray &name)
{
    return !name.isEmpty() && name != "." && name != ".." && !name.contains('/') && !name.contains('\0');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    {
        QFile file(journalFile());
        require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size(),
                "the journal could not be written");
    }
    const journal::JournalContents contents = journal::readJournal(journalFile());
    const journal::JournalGlance glance = journal::glanceAt(journalFile());
    require(contents.readable == glance.readable, "the reader and the quick look disagree on the header");
    for (const journal::RenameEntry &entry : contents.renames) {
        require(isBareName(entry.oldName) && isBareName(entry.newName), "a name leaving its folder was taken");
        require(entry.parkedName.isEmpty() || isBareName(entry.parkedName),
                "a temporary name leaving its folder was taken");
    }
    for (const qint64 at : contents.damagedAt)
        require(at >= 12 && at < bytes.size(), "damage placed outside the records");
    return 0;
}
