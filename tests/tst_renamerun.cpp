// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTestKit.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/stat.h>

using namespace kestrava;
using namespace kestrava::testing;
using namespace Qt::StringLiterals;

class TestRenameRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void summaryText_data();
    void summaryText();
    void roundToSeconds_data();
    void roundToSeconds();
    void threeFilesIn125Seconds();
    void runPastMidnightShowsItsTrueLength();
    void nothingRenamedWhenEveryFileIsDeclined();
    void cancelStopsBeforeTheNextFile();
    void secondStartDuringAYieldIsRefused();
    void logIsNewestFirst();
    void optionChangedDuringARunTakesEffectFromTheNextFile();
    void choiceChangedDuringALongRunLeavesNoFileUnasked_data();
    void choiceChangedDuringALongRunLeavesNoFileUnasked();
    void stopDuringALongRunReportsEveryFileRenamed_data();
    void stopDuringALongRunReportsEveryFileRenamed();
    void bigFolderYieldsBeforeItsFirstRename();
    void everyRunNumbersFromTheStartFields();
    void oneStatusPerVisitedFile();
    void permissionFailureStillCountsTheRename();
    void fileNotRenamedKeepsItsPermissions_data();
    void fileNotRenamedKeepsItsPermissions();
    void folderWithoutWritePermissionLogsEveryFile();
    void readOnlyFileSystemLogsEveryFile();

private:
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    QString root() const { return m_dir->path(); }
    void openFolderWith(const QStringList &names);
    static QDateTime at(int day, int h, int m, int s, int ms = 0)
    {
        return QDateTime(QDate(2026, 3, day), QTime(h, m, s, ms));
    }
};

void TestRenameRun::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_rig = new RunRig;
}

void TestRenameRun::cleanup()
{
    delete m_rig;
    delete m_dir;
}

void TestRenameRun::openFolderWith(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeFile(root() + u'/' + name));
    QVERIFY(m_rig->folders.setPath(root()));
}

void TestRenameRun::summaryText_data()
{
    QTest::addColumn<qint64>("files");
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("summary");
    QTest::newRow("none") << qint64(0) << qint64(125) << " No Files were Renamed";
    QTest::newRow("three in 125 s") << qint64(3) << qint64(125)
                                    << " A total of  3 files were renamed taking 2 minutes 5 seconds.";
    QTest::newRow("a few seconds") << qint64(1) << qint64(59)
                                   << " A total of  1 files were renamed taking 0 minutes 59 seconds.";
    QTest::newRow("past 16 bits") << qint64(40000) << qint64(3600)
                                  << " A total of  40000 files were renamed taking 60 minutes 0 seconds.";
}

void TestRenameRun::summaryText()
{
    QFETCH(qint64, files);
    QFETCH(qint64, seconds);
    QFETCH(QString, summary);
    QCOMPARE(RenameRun::summaryText(files, seconds), summary);
}

void TestRenameRun::roundToSeconds_data()
{
    QTest::addColumn<qint64>("msecs");
    QTest::addColumn<qint64>("seconds");
    QTest::newRow("below half") << qint64(1499) << qint64(1);
    QTest::newRow("above half") << qint64(1501) << qint64(2);
    QTest::newRow("half to even up") << qint64(1500) << qint64(2);
    QTest::newRow("half to even down") << qint64(2500) << qint64(2);
    QTest::newRow("half of zero") << qint64(500) << qint64(0);
}

void TestRenameRun::roundToSeconds()
{
    QFETCH(qint64, msecs);
    QFETCH(qint64, seconds);
    QCOMPARE(kestrava::roundToSeconds(msecs), seconds);
}

void TestRenameRun::threeFilesIn125Seconds()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    m_rig->clock.times = {at(2, 10, 0, 0), at(2, 10, 2, 5)};
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->run.lngStartTime(), 36000);
    QCOMPARE(m_rig->run.lngEndTime(), 36125);
    const QStringList tail{"status COMPLETED", "summary A total of  3 files were renamed taking 2 minutes 5 seconds.",
                           "folder ", "file "};
    QCOMPARE(m_rig->sink.events.last(4), tail);
    QCOMPARE(m_rig->run.summaryText(), tail[1].mid(7));
    QCOMPARE(m_rig->run.strStartFolder(), root());
}

void TestRenameRun::runPastMidnightShowsItsTrueLength()
{
    openFolderWith({"a.txt"});
    m_rig->clock.times = {at(2, 23, 59, 0, 400), at(3, 0, 1, 5)};
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->run.lngStartTime(), 86340);
    QCOMPARE(m_rig->run.lngEndTime(), 86465);
    QCOMPARE(m_rig->run.summaryText(), QStringLiteral(" A total of  1 files were renamed taking 2 minutes 5 seconds."));
}

void TestRenameRun::nothingRenamedWhenEveryFileIsDeclined()
{
    openFolderWith({"a.txt", "b.txt"});
    m_rig->settings.confirm = true;
    m_rig->prompt.answers = {PromptAnswer::No, PromptAnswer::No};
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->prompt.texts.size(), 2);
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("summary No Files were Renamed")));
}

void TestRenameRun::cancelStopsBeforeTheNextFile()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    m_rig->settings.confirm = true;
    m_rig->prompt.answers = {PromptAnswer::Yes, PromptAnswer::Cancel};
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->prompt.texts.size(), 2);
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt", "c.txt"}));
    QCOMPARE(m_rig->sink.files, QStringList({"a.txt", "b.txt"}));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status INTERRUPTED BY USER")));
    QCOMPARE(m_rig->files.selectedCount(), 0);
}

void TestRenameRun::secondStartDuringAYieldIsRefused()
{
    openFolderWith({"a.txt", "b.txt"});
    bool secondStarted = true;
    m_rig->sink.onYield = [&](int n) {
        if (n == 1) {
            QVERIFY(m_rig->run.isRunning());
            secondStarted = m_rig->run.start(RunScope::AllFilesIncludingSubFolders);
        }
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QVERIFY(!secondStarted);
    QVERIFY(!m_rig->run.isRunning());
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt"}));
    QCOMPARE(m_rig->sink.events.count(QStringLiteral("status WORKING ...")), 1);
}

void TestRenameRun::logIsNewestFirst()
{
    openFolderWith({"a.txt", "b.txt", "c.txt"});
    FixedNames upper;
    upper.rule = [](const QString &old) { return old.left(1).toUpper(); };
    RenameRun run = m_rig->runWith(upper);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(run.log().modifiedText(), QStringLiteral("C\nB\nA\n"));
    QCOMPARE(run.log().modifiedNewestFirst(0), QStringLiteral("C"));
    QCOMPARE(run.log().modifiedNewestFirst(2), QStringLiteral("A"));
    QCOMPARE(run.intFilesRenamed(), 3);
    QCOMPARE(namesIn(root()), QStringList({"A", "B", "C"}));
}

void TestRenameRun::optionChangedDuringARunTakesEffectFromTheNextFile()
{
    openFolderWith({"a.txt", "b.txt"});
    m_rig->prompt.answers = {PromptAnswer::No};
    m_rig->sink.onYield = [this](int n) {
        if (n == 1)
            m_rig->settings.confirm = true;
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->prompt.texts, QStringList({"Rename this File ?\n\nOLD : b.txt\nNEW : 0002_b.txt"}));
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "b.txt"}));
}

// In a long folder the renames run ahead of the reports: a file renamed before
// confirmation was turned on is logged as renamed, and every other is asked.
// The runs of these two tables: renames made once every name is known, and
// renames of free names made while the others are still worked out, where the
// first yield comes after 4,096 names and the renames have already begun.
static void addLongRunRows()
{
    QTest::addColumn<int>("files");
    QTest::addColumn<bool>("whileNaming");
    QTest::addColumn<int>("atYield");
    QTest::addColumn<int>("leastRenamed");
    QTest::addColumn<int>("mostRenamed");
    QTest::newRow("renames after the names") << 300 << false << 3 << 3 << 299;
    QTest::newRow("renames while naming") << 5000 << true << 1 << 0 << 4095;
}

void TestRenameRun::choiceChangedDuringALongRunLeavesNoFileUnasked_data()
{
    addLongRunRows();
}

void TestRenameRun::choiceChangedDuringALongRunLeavesNoFileUnasked()
{
    QFETCH(int, files);
    QFETCH(bool, whileNaming);
    QFETCH(int, atYield);
    QFETCH(int, leastRenamed);
    QFETCH(int, mostRenamed);
    QStringList names;
    for (int i = 0; i < files; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 4, 10, QChar(u'0')));
    openFolderWith(names);
    m_rig->run.setRenamesWhileNaming(whileNaming, 1);
    m_rig->prompt.answers = QList<PromptAnswer>(files, PromptAnswer::No);
    m_rig->sink.onYield = [&](int n) {
        if (n == atYield)
            m_rig->settings.confirm = true;
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    const qsizetype renamed = files - namesIn(root()).filter(QRegularExpression(u"^f\\d{4}\\.txt$"_s)).size();
    QVERIFY(renamed >= leastRenamed);
    QVERIFY2(renamed <= mostRenamed, "files were renamed unasked after confirmation was turned on");
    QCOMPARE(m_rig->run.intFilesRenamed(), renamed);
    QCOMPARE(m_rig->prompt.texts.size(), files - renamed);
    QCOMPARE(m_rig->run.log().statuses().size(), files);
}

// Stopped, the run ends soon, and the log names every file it renamed.
void TestRenameRun::stopDuringALongRunReportsEveryFileRenamed_data()
{
    addLongRunRows();
}

void TestRenameRun::stopDuringALongRunReportsEveryFileRenamed()
{
    QFETCH(int, files);
    QFETCH(bool, whileNaming);
    QFETCH(int, atYield);
    QFETCH(int, leastRenamed);
    QFETCH(int, mostRenamed);
    QStringList names;
    for (int i = 0; i < files; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 4, 10, QChar(u'0')));
    openFolderWith(names);
    m_rig->run.setRenamesWhileNaming(whileNaming, 1);
    m_rig->sink.onYield = [&](int n) {
        if (n == atYield)
            m_rig->run.stop();
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QStringList renamedOnDisk = namesIn(root()).filter(QRegularExpression(u"^\\d{4}_"_s));
    QVERIFY(renamedOnDisk.size() >= leastRenamed);
    QVERIFY2(renamedOnDisk.size() <= mostRenamed, "the stop did not end the run");
    QStringList logged = m_rig->run.log().modified();
    logged.sort();
    renamedOnDisk.sort();
    QCOMPARE(logged, renamedOnDisk);
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status INTERRUPTED BY USER")));
}

// Naming and planning thousands of files takes a while: the window handles its
// events (a click on Stop) before the first file is renamed.
void TestRenameRun::bigFolderYieldsBeforeItsFirstRename()
{
    QStringList names;
    for (int i = 0; i < 5000; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 4, 10, QChar(u'0')));
    openFolderWith(names);
    qsizetype renamedAtFirstYield = -1;
    m_rig->sink.onYield = [&](int n) {
        if (n == 1) {
            renamedAtFirstYield = 5000 - namesIn(root()).filter(QRegularExpression(u"^f\\d{4}\\.txt$"_s)).size();
            m_rig->run.stop();
        }
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(renamedAtFirstYield, 0);
    QCOMPARE(m_rig->run.intFilesRenamed(), 0);
    QCOMPARE(namesIn(root()), names);
}

void TestRenameRun::everyRunNumbersFromTheStartFields()
{
    openFolderWith({"a.txt"});
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QVERIFY(m_rig->folders.setPath(root()));
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(namesIn(root()), QStringList({"0001_0001_a.txt"}));
    QCOMPARE(m_rig->run.log().modified(), QStringList({"0001_0001_a.txt"}));
}

void TestRenameRun::oneStatusPerVisitedFile()
{
    openFolderWith({"a.txt", "b.txt", "c.txt", "d.txt", "e"});
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/b.txt").constData(), 0444), 0);
    QVERIFY(writeFile(root() + u"/taken.txt", "keep"));
    m_rig->settings.ignoreReadOnly_ = true;
    FixedNames names;
    names.rule = [](const QString &old) {
        return old == u"a.txt" ? QStringLiteral("A.txt") : old == u"c.txt" ? old : QStringLiteral("taken.txt");
    };
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QList<FileOutcome> outcomes;
    for (const FileStatus &status : run.log().statuses())
        outcomes.append(status.outcome);
    QCOMPARE(outcomes,
             QList<FileOutcome>({FileOutcome::Renamed, FileOutcome::SkippedReadOnly, FileOutcome::Unchanged,
                                 FileOutcome::Failed, FileOutcome::Failed}));
    QCOMPARE(run.log().statuses()[3].reason, QStringLiteral("File exists"));
    QCOMPARE(readFile(root() + u"/taken.txt"), QByteArray("keep"));
    QCOMPARE(run.intFilesRenamed(), 1);
    // The two failures are logged; the read-only skip and the unchanged name are choices.
    QCOMPARE(run.log().errors(),
             QStringList({u"'File exists'  whilst processing file '" + root() + u"/d.txt'",
                          u"'File exists'  whilst processing file '" + root() + u"/e'"}));
}

void TestRenameRun::permissionFailureStillCountsTheRename()
{
    if (::geteuid() != 0)
        QSKIP("needs a file owned by another user, made here as root");
    openFolderWith({"theirs.txt"});
    QCOMPARE(::chmod(QFile::encodeName(root()).constData(), 0777), 0);
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/theirs.txt").constData(), 0444), 0);
    {
        UnprivilegedFileAccess asNobody; // may rename in the folder, may not chmod the file
        QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    }
    QCOMPARE(namesIn(root()), QStringList({"0001_theirs.txt"}));
    QCOMPARE(m_rig->run.intFilesRenamed(), 1);
    QCOMPARE(m_rig->run.log().errors(),
             QStringList({"'Operation not permitted'  whilst processing file '" + root() + "/theirs.txt'"}));
}

void TestRenameRun::fileNotRenamedKeepsItsPermissions_data()
{
    QTest::addColumn<QString>("newName");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QStringList>("errors");
    QTest::newRow("declined") << "new.txt" << true << QStringList();
    QTest::newRow("unchanged") << "r.txt" << false << QStringList();
    QTest::newRow("name taken") << "taken.txt" << false
                                << QStringList{"'File exists'  whilst processing file '%1/r.txt'"};
    QTest::newRow("renamed") << "new.txt" << false << QStringList();
}

void TestRenameRun::fileNotRenamedKeepsItsPermissions()
{
    QFETCH(QString, newName);
    QFETCH(bool, confirm);
    QFETCH(QStringList, errors);
    openFolderWith({"r.txt", "taken.txt"});
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/r.txt").constData(), 0440), 0);
    m_rig->settings.confirm = confirm;
    m_rig->prompt.answers = {PromptAnswer::No, PromptAnswer::No};
    FixedNames names;
    names.rule = [&newName](const QString &old) { return old == u"r.txt" ? newName : old; };
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    for (QString &error : errors)
        error = error.arg(root());
    QCOMPARE(run.log().errors(), errors);
    const bool renamed = QFile::exists(root() + u"/new.txt");
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(root() + (renamed ? u"/new.txt" : u"/r.txt")).constData(), &info), 0);
    // A renamed read-only file is left writable, as the run has always done.
    QCOMPARE(info.st_mode & 0777, renamed ? 0640u : 0440u);
}

void TestRenameRun::folderWithoutWritePermissionLogsEveryFile()
{
    openFolderWith({"a.txt", "b.txt", "r.txt"});
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/r.txt").constData(), 0444), 0);
    QCOMPARE(::chmod(QFile::encodeName(root()).constData(), 0555), 0);
    {
        UnprivilegedFileAccess asNobody;
        QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    }
    QCOMPARE(::chmod(QFile::encodeName(root()).constData(), 0755), 0);
    QStringList expected;
    for (const char *name : {"/a.txt", "/b.txt", "/r.txt"})
        expected.append(u"'Permission denied'  whilst processing file '" + root() + QLatin1StringView(name) + u'\'');
    QCOMPARE(m_rig->run.log().errors(), expected);
    QCOMPARE(m_rig->run.intErrorCount(), 3);
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt", "r.txt"}));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("summary No Files were Renamed")));
}

void TestRenameRun::readOnlyFileSystemLogsEveryFile()
{
    const QString mountPoint = root() + u"/disk";
    QVERIFY(QDir(root()).mkdir(QStringLiteral("disk")));
    const QByteArray point = QFile::encodeName(mountPoint);
    if (::mount("tmpfs", point.constData(), "tmpfs", 0, "size=1m") != 0)
        QSKIP(
            qPrintable(QStringLiteral("cannot mount a file system here: ") + QString::fromLocal8Bit(strerror(errno))));
    const auto unmount = qScopeGuard([&point] { ::umount2(point.constData(), MNT_DETACH); });
    QVERIFY(writeFile(mountPoint + u"/a.txt"));
    QVERIFY(writeFile(mountPoint + u"/r.txt"));
    QCOMPARE(::chmod(QFile::encodeName(mountPoint + u"/r.txt").constData(), 0444), 0);
    QCOMPARE(::mount(nullptr, point.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    QVERIFY(m_rig->folders.setPath(mountPoint));
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(m_rig->run.log().errors(),
             QStringList({u"'Read-only file system'  whilst processing file '" + mountPoint + u"/a.txt'",
                          u"'Read-only file system'  whilst processing file '" + mountPoint + u"/r.txt'"}));
    QCOMPARE(namesIn(mountPoint), QStringList({"a.txt", "r.txt"}));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));
}

QTEST_GUILESS_MAIN(TestRenameRun)
#include "tst_renamerun.moc"
