// SPDX-License-Identifier: GPL-3.0-or-later
// A folder list climbing back to a folder it read before may take that earlier
// listing instead of reading the folder again, but only when the folder
// provably has not changed: whatever happened meanwhile, it must show the
// same lists as a fresh read.
#include "DirectoryListing.h"
#include "DiskFileList.h"
#include "DiskFolderList.h"
#include "FileNamePattern.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

using namespace kestrava;

namespace {

// What another program does to the folder, or to what it links to, between
// the folder list's first read and its climb back.
using Change = std::function<void(const QString &folder, const QString &outside)>;

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
}

void link(const QString &target, const QString &path)
{
    QVERIFY2(::symlink(QFile::encodeName(target).constData(), QFile::encodeName(path).constData()) == 0,
             qPrintable(path));
}

// The file systems whose folder times prove a listing unchanged, as the
// folder list knows them; elsewhere nothing may be reused at all.
bool folderTimesProve(const QString &path)
{
    struct statfs fileSystem;
    struct stat folder;
    if (::statfs(QFile::encodeName(path).constData(), &fileSystem) != 0
        || ::stat(QFile::encodeName(path).constData(), &folder) != 0 || folder.st_mtim.tv_nsec == 0)
        return false;
    switch (fileSystem.f_type) {
    case TMPFS_MAGIC:
    case EXT4_SUPER_MAGIC:
    case XFS_SUPER_MAGIC:
    case BTRFS_SUPER_MAGIC:
        return true;
    default:
        return false;
    }
}

QStringList names(const QList<DirectoryEntry> &entries)
{
    QStringList result;
    for (const DirectoryEntry &entry : entries)
        result.append(entry.name + (entry.isSymLink ? QStringLiteral(" (link)") : QString()));
    return result;
}

} // namespace

Q_DECLARE_METATYPE(Change)

class TestHeldListings : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void climbingBackShowsWhatAFreshReadShows_data();
    void climbingBackShowsWhatAFreshReadShows();
};

void TestHeldListings::climbingBackShowsWhatAFreshReadShows_data()
{
    QTest::addColumn<bool>("withLink");
    QTest::addColumn<Change>("change");
    QTest::addColumn<bool>("mayReuse");

    const Change nothing = [](const QString &, const QString &) {};
    // clang-format off
    QTest::newRow("unchanged")               << false << nothing << true;
    QTest::newRow("file added")              << false << Change([](const QString &f, const QString &) { touch(f + "/c.txt"); }) << false;
    QTest::newRow("file removed")            << false << Change([](const QString &f, const QString &) { QVERIFY(QFile::remove(f + "/a.txt")); }) << false;
    QTest::newRow("file renamed")            << false << Change([](const QString &f, const QString &) { QVERIFY(QFile::rename(f + "/a.txt", f + "/z.txt")); }) << false;
    QTest::newRow("sub-folder added")        << false << Change([](const QString &f, const QString &) { QVERIFY(QDir(f).mkdir("New")); }) << false;
    QTest::newRow("file became a folder")    << false << Change([](const QString &f, const QString &) { QVERIFY(QFile::remove(f + "/a.txt")); QVERIFY(QDir(f).mkdir("a.txt")); }) << false;
    QTest::newRow("permissions changed")     << false << Change([](const QString &f, const QString &) { QVERIFY(::chmod(QFile::encodeName(f).constData(), 0750) == 0); }) << false;
    QTest::newRow("folder replaced")         << false << Change([](const QString &f, const QString &o) { QVERIFY(QDir().rename(f, o + "/old")); QVERIFY(QDir().mkpath(f + "/Sub")); touch(f + "/d.txt"); }) << false;
    QTest::newRow("link, unchanged")         << true  << nothing << false;
    QTest::newRow("link's target now a folder") << true << Change([](const QString &, const QString &o) { QVERIFY(QFile::remove(o + "/target")); QVERIFY(QDir(o).mkdir("target")); }) << false;
    QTest::newRow("link's target removed")   << true  << Change([](const QString &, const QString &o) { QVERIFY(QFile::remove(o + "/target")); }) << false;
    // clang-format on
}

void TestHeldListings::climbingBackShowsWhatAFreshReadShows()
{
    QFETCH(bool, withLink);
    QFETCH(Change, change);
    QFETCH(bool, mayReuse);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString folder = root.path() + "/Folder";
    const QString outside = root.path() + "/Outside";
    QVERIFY(QDir().mkpath(folder + "/Sub"));
    QVERIFY(QDir().mkpath(outside));
    touch(folder + "/a.txt");
    touch(folder + "/B.txt");
    touch(folder + "/Sub/inner.txt");
    if (withLink) {
        touch(outside + "/target");
        link(outside + "/target", folder + "/linked");
    }
    // The folder's own last change must lie clearly before the first read.
    QTest::qSleep(30);

    DiskFileList files;
    DiskFolderList folders(files);
    QVERIFY(folders.setPath(folder));
    QVERIFY(folders.setPath(folder + "/Sub"));
    change(folder, outside);
    const qint64 reusedBefore = folders.listingsReused();
    QVERIFY(folders.setPath(QStringLiteral("..")));
    folders.refresh();

    const auto fresh = readFolder(folder, files.matcher());
    QVERIFY(fresh);
    QCOMPARE(folders.path(), folder);
    QCOMPARE(names(files.entries()), names(fresh->files));
    QCOMPARE(names(folders.subFolders()), names(fresh->subFolders));
    QCOMPARE(files.selectedCount(), fresh->files.size());
    const bool reused = folders.listingsReused() > reusedBefore;
    if (!mayReuse)
        QVERIFY2(!reused, "a listing was reused although the folder changed or may have");
    else if (folderTimesProve(folder))
        QVERIFY2(reused, "an unchanged folder was read again");
}

QTEST_GUILESS_MAIN(TestHeldListings)
#include "tst_heldlistings.moc"
