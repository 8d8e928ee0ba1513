// SPDX-License-Identifier: GPL-3.0-or-later
// Runs over real folders while the fault-injection library makes one step of
// the disk work fail, or changes the folder at that step: no file is ever
// lost, replaced or moved, and the run goes on to the next file.
#include "FaultInjection.h"
#include "RunTestKit.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <sys/stat.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

const int kErrors[] = {EIO, ENOSPC, EROFS, EACCES, ENAMETOOLONG, EXDEV};
const char *const kErrorNames[] = {"EIO", "ENOSPC", "EROFS", "EACCES", "ENAMETOOLONG", "EXDEV"};

QByteArray contentOf(const QString &name)
{
    return "content of " + name.toUtf8();
}

/// "name=content" for every entry of \a folder, sorted.
QStringList snapshot(const QString &folder)
{
    QStringList entries;
    for (const QString &name : namesIn(folder))
        entries.append(name + u'=' + QString::fromUtf8(readFile(folder + u'/' + name)));
    return entries;
}

bool anyErrorHolds(const RunLog &log, const QString &first, const QString &second)
{
    for (const QString &error : log.errors()) {
        if (error.contains(first) && error.contains(second))
            return true;
    }
    return false;
}

QString reasonFor(const RunLog &log, const QString &oldName)
{
    for (const FileStatus &status : log.statuses()) {
        if (status.oldName == oldName)
            return status.reason;
    }
    return QStringLiteral("<not visited>");
}

enum class Change { TakeNewName, DeleteFile, RenameFileAway };

struct ChangeAtRename
{
    QString folder;
    Change change;
};

void changeFolder(void *data)
{
    const auto *at = static_cast<const ChangeAtRename *>(data);
    const QString file = at->folder + QStringLiteral("/b.txt");
    switch (at->change) {
    case Change::TakeNewName:
        writeFile(at->folder + QStringLiteral("/0002_b.txt"), "intruder");
        break;
    case Change::DeleteFile:
        QFile::remove(file);
        break;
    case Change::RenameFileAway:
        QFile::rename(file, at->folder + QStringLiteral("/z.txt"));
        break;
    }
}

} // namespace

class TestRunFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void failedStepLosesNothing_data();
    void failedStepLosesNothing();
    void failedFolderReadLosesNothing_data();
    void failedFolderReadLosesNothing();
    void folderThatCannotBeHeldOpenIsReachedByPath();
    void folderChangedAtTheRename_data();
    void folderChangedAtTheRename();
    void killAtARenameLosesNothing();
    void ringWithAFailedStepLosesNothing_data();
    void ringWithAFailedStepLosesNothing();

private:
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    QString root() const { return m_dir->path(); }
    void makeFiles(const QString &folder, const QStringList &names, bool readOnly = false);
};

void TestRunFaults::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_rig = new RunRig;
}

void TestRunFaults::cleanup()
{
    delete m_rig;
    delete m_dir;
}

void TestRunFaults::makeFiles(const QString &folder, const QStringList &names, bool readOnly)
{
    QVERIFY(QDir().mkpath(folder));
    for (const QString &name : names) {
        QVERIFY(writeFile(folder + u'/' + name, contentOf(name)));
        if (readOnly)
            QCOMPARE(::chmod(QFile::encodeName(folder + u'/' + name).constData(), 0444), 0);
    }
}

void TestRunFaults::failedStepLosesNothing_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("viaLink");  // the file system refuses the no-replace rename
    QTest::addColumn<bool>("readOnly"); // the files need write permission first
    QTest::addColumn<bool>("renamedAnyway");
    for (std::size_t i = 0; i < std::size(kErrors); ++i) {
        const char *name = kErrorNames[i];
        const int error = kErrors[i];
        QTest::addRow("renameat2 %s", name) << QByteArray("renameat2") << error << false << false << false;
        // A link refused with EXDEV within one folder means the file system keeps
        // no links: the rename goes on by the placeholder method instead.
        QTest::addRow("linkat %s", name) << QByteArray("linkat") << error << true << false << (error == EXDEV);
        QTest::addRow("unlinkat %s", name) << QByteArray("unlinkat") << error << true << false << false;
        // The name still changes; only the permission stays as it was.
        QTest::addRow("fchmodat %s", name) << QByteArray("fchmodat") << error << false << true << true;
    }
}

// The second file's step fails: it keeps its name and content, the files
// before and after it are renamed, and the failure carries the system's text.
void TestRunFaults::failedStepLosesNothing()
{
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    QFETCH(bool, viaLink);
    QFETCH(bool, readOnly);
    QFETCH(bool, renamedAnyway);
    makeFiles(root(),
              {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt"), QStringLiteral("d.txt")},
              readOnly);
    QVERIFY(m_rig->folders.setPath(root()));
    int hits = 0;
    {
        FaultScope faults;
        if (viaLink)
            faults.arm({"renameat2", EINVAL, 0, nullptr, nullptr, nullptr});
        faults.arm({call.constData(), error, 0, "b.txt", nullptr, nullptr});
        QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
        hits = faults.hits();
    }
    QVERIFY(hits >= 1);
    const QString b = renamedAnyway ? QStringLiteral("0002_b.txt") : QStringLiteral("b.txt");
    QStringList expected{QStringLiteral("0001_a.txt=content of a.txt"), b + QStringLiteral("=content of b.txt"),
                         QStringLiteral("0003_c.txt=content of c.txt"), QStringLiteral("0004_d.txt=content of d.txt")};
    expected.sort();
    QCOMPARE(snapshot(root()), expected);
    QCOMPARE(m_rig->run.intFilesRenamed(), renamedAnyway ? 4 : 3);
    const QString text = systemErrorText(error);
    if (!renamedAnyway)
        QCOMPARE(reasonFor(m_rig->run.log(), QStringLiteral("b.txt")), text);
    // A permission left as it was is an error of its own; a rename that found
    // another way is not.
    if (!renamedAnyway || call == "fchmodat")
        QVERIFY(anyErrorHolds(m_rig->run.log(), text, QStringLiteral("b.txt")));
}

void TestRunFaults::ringWithAFailedStepLosesNothing_data()
{
    QTest::addColumn<QString>("struck"); // the name whose first rename fails
    QTest::addColumn<int>("error");
    QTest::addColumn<QStringList>("reasons"); // of a.txt, b.txt and c.txt
    const QString exists = systemErrorText(EEXIST);
    // The rotation parks a.txt, moves c.txt to a.txt and b.txt to c.txt, and
    // ends with a.txt from its temporary name to b.txt.
    QTest::newRow("temporary step fails") << "a.txt" << EIO << QStringList{systemErrorText(EIO), exists, exists};
    QTest::newRow("temporary step refused") << "a.txt" << EACCES
                                            << QStringList{systemErrorText(EACCES), exists, exists};
    QTest::newRow("step after parking fails") << "c.txt" << EIO << QStringList{exists, exists, systemErrorText(EIO)};
}

// A ring of renames whose step fails leaves every file under its old name,
// none under a temporary one, and says why for each.
void TestRunFaults::ringWithAFailedStepLosesNothing()
{
    QFETCH(QString, struck);
    QFETCH(int, error);
    QFETCH(QStringList, reasons);
    const QStringList names{QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")};
    makeFiles(root(), names);
    const QStringList before = snapshot(root());
    FixedNames rotation;
    rotation.rule = [](const QString &old) -> std::expected<QString, QString> {
        return old == u"a.txt" ? QStringLiteral("b.txt") : old == u"b.txt" ? QStringLiteral("c.txt") : QStringLiteral("a.txt");
    };
    RenameRun run = m_rig->runWith(rotation);
    QVERIFY(m_rig->folders.setPath(root()));
    {
        const QByteArray name = struck.toUtf8();
        FaultScope faults({"renameat2", error, 1, name.constData(), nullptr, nullptr});
        QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
        QCOMPARE(faults.hits(), 1);
    }
    QCOMPARE(snapshot(root()), before);
    QCOMPARE(run.intFilesRenamed(), 0);
    for (qsizetype i = 0; i < names.size(); ++i)
        QCOMPARE(reasonFor(run.log(), names.at(i)), reasons.at(i));
    QCOMPARE(run.log().errors().size(), 3);
}

void TestRunFaults::failedFolderReadLosesNothing_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("error");
    for (std::size_t i = 0; i < std::size(kErrors); ++i) {
        QTest::addRow("openat %s", kErrorNames[i]) << QByteArray("openat") << kErrors[i];
        QTest::addRow("getdents64 %s", kErrorNames[i]) << QByteArray("getdents64") << kErrors[i];
    }
}

// A sub-folder that cannot be opened or read is logged and left alone; the
// walk goes on with the next sub-folder.
void TestRunFaults::failedFolderReadLosesNothing()
{
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    makeFiles(root(), {QStringLiteral("a.txt")});
    makeFiles(root() + QStringLiteral("/sub1"), {QStringLiteral("a.txt"), QStringLiteral("b.txt")});
    makeFiles(root() + QStringLiteral("/sub2"), {QStringLiteral("a.txt")});
    QVERIFY(m_rig->folders.setPath(root()));
    {
        FaultScope faults({call.constData(), error, 0, "sub1", nullptr, nullptr});
        QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));
        QVERIFY(faults.hits() >= 1);
    }
    QCOMPARE(namesIn(root()),
             QStringList({QStringLiteral("0001_a.txt"), QStringLiteral("sub1"), QStringLiteral("sub2")}));
    QCOMPARE(snapshot(root() + QStringLiteral("/sub1")),
             QStringList({QStringLiteral("a.txt=content of a.txt"), QStringLiteral("b.txt=content of b.txt")}));
    QCOMPARE(snapshot(root() + QStringLiteral("/sub2")), QStringList({QStringLiteral("0002_a.txt=content of a.txt")}));
    QVERIFY(anyErrorHolds(m_rig->run.log(), systemErrorText(error), QStringLiteral("sub1")));
}

// Holding the folder open only saves the system work; without it every file
// is reached by its full path and still renamed.
void TestRunFaults::folderThatCannotBeHeldOpenIsReachedByPath()
{
    makeFiles(root(), {QStringLiteral("a.txt"), QStringLiteral("b.txt")});
    QVERIFY(m_rig->folders.setPath(root()));
    const QByteArray folderName = QFileInfo(root()).fileName().toUtf8();
    {
        // The first open of the folder in the run is the one that holds it.
        FaultScope faults({"openat", EACCES, 1, folderName.constData(), nullptr, nullptr});
        QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
        QVERIFY(faults.hits() >= 1);
    }
    QCOMPARE(
        snapshot(root()),
        QStringList({QStringLiteral("0001_a.txt=content of a.txt"), QStringLiteral("0002_b.txt=content of b.txt")}));
    QVERIFY(m_rig->run.log().errors().isEmpty());
}

void TestRunFaults::folderChangedAtTheRename_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("bAfter"); // what is left of the second file, "name=content"
    QTest::addColumn<int>("error");
    QTest::newRow("new name taken") << int(Change::TakeNewName)
                                    << QStringLiteral("0002_b.txt=intruder;b.txt=content of b.txt") << EEXIST;
    QTest::newRow("file deleted") << int(Change::DeleteFile) << QString() << ENOENT;
    QTest::newRow("file renamed away") << int(Change::RenameFileAway) << QStringLiteral("z.txt=content of b.txt")
                                       << ENOENT;
}

// Another program changes the folder just as the second file is renamed: the
// rename neither replaces nor resurrects anything, and the run goes on.
void TestRunFaults::folderChangedAtTheRename()
{
    QFETCH(int, change);
    QFETCH(QString, bAfter);
    QFETCH(int, error);
    makeFiles(root(), {QStringLiteral("a.txt"), QStringLiteral("b.txt"), QStringLiteral("c.txt")});
    QVERIFY(m_rig->folders.setPath(root()));
    ChangeAtRename at{root(), Change(change)};
    {
        FaultScope faults({"renameat2", 0, 1, "b.txt", changeFolder, &at});
        QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
        QCOMPARE(faults.hits(), 1);
    }
    QStringList expected{QStringLiteral("0001_a.txt=content of a.txt"), QStringLiteral("0003_c.txt=content of c.txt")};
    if (!bAfter.isEmpty())
        expected += bAfter.split(u';');
    expected.sort();
    QCOMPARE(snapshot(root()), expected);
    QCOMPARE(reasonFor(m_rig->run.log(), QStringLiteral("b.txt")), systemErrorText(error));
    QVERIFY(anyErrorHolds(m_rig->run.log(), systemErrorText(error), QStringLiteral("b.txt")));
}

// A run killed while it stands at its third rename leaves two files renamed
// and the others as they were.
void TestRunFaults::killAtARenameLosesNothing()
{
    const QStringList names{QStringLiteral("f1.txt"), QStringLiteral("f2.txt"), QStringLiteral("f3.txt"),
                            QStringLiteral("f4.txt"), QStringLiteral("f5.txt")};
    makeFiles(root() + QStringLiteral("/files"), names);
    QTemporaryDir signal;
    QVERIFY(signal.isValid());
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KESTRAVA_FAULT_CALL"), QStringLiteral("renameat2"));
    environment.insert(QStringLiteral("KESTRAVA_FAULT_NTH"), QStringLiteral("3"));
    environment.insert(QStringLiteral("KESTRAVA_FAULT_PAUSE"), signal.path());
    child.setProcessEnvironment(environment);
    child.start(QStringLiteral(KESTRAVA_FAULTRUN), {root() + QStringLiteral("/files")});
    QVERIFY(child.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(signal.filePath(QStringLiteral("reached"))), 20000);
    child.kill();
    QVERIFY(child.waitForFinished());
    QCOMPARE(snapshot(root() + QStringLiteral("/files")),
             QStringList({QStringLiteral("0001_f1.txt=content of f1.txt"),
                          QStringLiteral("0002_f2.txt=content of f2.txt"), QStringLiteral("f3.txt=content of f3.txt"),
                          QStringLiteral("f4.txt=content of f4.txt"), QStringLiteral("f5.txt=content of f5.txt")}));
}

QTEST_GUILESS_MAIN(TestRunFaults)
#include "tst_runfaults.moc"
