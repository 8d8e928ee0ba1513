// SPDX-License-Identifier: GPL-3.0-or-later
// A change of letter case on a file system that ignores case goes through a
// hidden temporary name in two steps. A run killed between them, or another
// program taking the old name in the gap, must never lose the file. These
// tests need a vfat folder, mounted from an image file, and are skipped
// where the system refuses that mount.
#include "FaultInjection.h"
#include "FolderNameRules.h"
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/wait.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

// What the struck call's hook does: stop there for good, or take the old name.
struct AtSecondStep
{
    QString folder;
    bool stopForGood = false;
};

void actAtSecondStep(void *data)
{
    const auto *at = static_cast<const AtSecondStep *>(data);
    if (!at->stopForGood) {
        writeFile(at->folder + QStringLiteral("/a.txt"), "intruder");
        return;
    }
    writeFile(at->folder + QStringLiteral("/reached"), {});
    for (;;)
        ::pause();
}

// The renameat2 calls of "a.txt" to "A.TXT": refused as taken, the file moved
// aside, then moved to its new name.
constexpr int secondStepCall = 3;

struct UpperCaseRig : RunRig
{
    RunJournal journal;
    FixedNames upper;
    RenameRun caseRun = runWith(upper);
    UpperCaseRig()
    {
        upper.rule = [](const QString &name) -> QString { return name.toUpper(); };
        caseRun.setJournal(&journal);
    }
};

QString parkedNameIn(const QString &folder)
{
    const QStringList names = namesIn(folder).filter(QStringLiteral(".kestrava-"));
    return names.size() == 1 ? names.first() : QString();
}

} // namespace

class TestCaseOnlyRename : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();
    void killedBetweenTheStepsIsPutBack_data();
    void killedBetweenTheStepsIsPutBack();
    void oldNameTakenInTheGapKeepsTheFileParked();

private:
    QTemporaryDir *m_state = nullptr;
    QTemporaryDir m_image;
    QString m_folder; // the mounted vfat folder, empty when it could not be mounted
    QString m_skipReason;
};

void TestCaseOnlyRename::initTestCase()
{
    QVERIFY(m_image.isValid());
    if (::geteuid() != 0) {
        m_skipReason = QStringLiteral("mounting a vfat image needs root");
        return;
    }
    if (QStandardPaths::findExecutable(QStringLiteral("mkfs.vfat")).isEmpty()) {
        m_skipReason = QStringLiteral("mkfs.vfat (dosfstools) is not installed");
        return;
    }
    const QString image = m_image.filePath(QStringLiteral("fat.img"));
    const QString mountPoint = m_image.filePath(QStringLiteral("mnt"));
    QVERIFY(QDir().mkpath(mountPoint));
    QProcess make;
    make.start(QStringLiteral("mkfs.vfat"), {QStringLiteral("-C"), image, QStringLiteral("4096")});
    QVERIFY(make.waitForFinished(20000) && make.exitCode() == 0);
    QProcess mount;
    mount.start(QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("loop"), image, mountPoint});
    if (!mount.waitForFinished(20000) || mount.exitCode() != 0) {
        m_skipReason = QStringLiteral("the system refuses to mount a vfat image: ")
            + QString::fromLocal8Bit(mount.readAllStandardError()).trimmed();
        return;
    }
    m_folder = mountPoint;
    QVERIFY(folderNameRules(m_folder).ignoresCase);
}

void TestCaseOnlyRename::init()
{
    if (m_folder.isEmpty())
        QSKIP(qPrintable(m_skipReason));
    m_state = new QTemporaryDir;
    QVERIFY(m_state->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
    for (const QString &name : namesIn(m_folder))
        QVERIFY(QFile::remove(m_folder + u'/' + name));
    QVERIFY(writeFile(m_folder + QStringLiteral("/a.txt"), "content"));
}

void TestCaseOnlyRename::cleanup()
{
    delete m_state;
    m_state = nullptr;
}

void TestCaseOnlyRename::cleanupTestCase()
{
    // The image folder goes with its files: the mount must go first.
    if (!m_folder.isEmpty())
        QCOMPARE(QProcess::execute(QStringLiteral("umount"), {m_folder}), 0);
}

void TestCaseOnlyRename::killedBetweenTheStepsIsPutBack_data()
{
    QTest::addColumn<bool>("atStartUp");
    QTest::addColumn<bool>("killedUndo"); // the undo of the change is killed, not the change itself
    QTest::newRow("start-up recovery") << true << false;
    QTest::newRow("undo") << false << false;
    QTest::newRow("undo killed, start-up recovery") << true << true;
    QTest::newRow("undo killed, undo") << false << true;
}

void TestCaseOnlyRename::killedBetweenTheStepsIsPutBack()
{
    QFETCH(bool, atStartUp);
    QFETCH(bool, killedUndo);
    AtSecondStep at{m_folder, true};
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        UpperCaseRig rig;
        const KestravaFault stop{"renameat2", 0, secondStepCall, nullptr, actAtSecondStep, &at};
        if (!killedUndo)
            kestrava_fault_arm(&stop);
        rig.folders.setPath(m_folder);
        rig.caseRun.start(RunScope::AllFilesInCurrentFolder);
        // Undo's own change back, "A.TXT" to "a.txt", takes the same steps.
        RecordingSink sink;
        ScriptedClock clock;
        UndoRun undo(sink, clock);
        kestrava_fault_arm(&stop);
        undo.start();
        ::_exit(0);
    }
    int status = 0;
    for (int wait = 0; wait < 20000 && !QFile::exists(m_folder + QStringLiteral("/reached")); ++wait)
        ::usleep(1000);
    ::kill(child, SIGKILL);
    ::waitpid(child, &status, 0);
    QVERIFY(QFile::remove(m_folder + QStringLiteral("/reached")));
    const QString parked = parkedNameIn(m_folder);
    QVERIFY2(!parked.isEmpty(), qPrintable(namesIn(m_folder).join(u' ')));
    QCOMPARE(namesIn(m_folder).size(), 1);
    if (atStartUp) {
        const ParkedRecovery recovery = UndoRun::recoverParkedFiles();
        QCOMPARE(recovery.filesRestored, 1);
        QVERIFY(recovery.errors.isEmpty());
    } else {
        RecordingSink sink;
        ScriptedClock clock;
        UndoRun undo(sink, clock);
        QVERIFY(undo.start());
        QCOMPARE(undo.filesRestored(), 1);
    }
    QCOMPARE(namesIn(m_folder), QStringList({"a.txt"}));
    QCOMPARE(readFile(m_folder + QStringLiteral("/a.txt")), QByteArray("content"));
}

// Another program takes "a.txt" while the file is parked: neither the new
// name nor the old one can be had, so the file stays parked, and the run's
// error log and the undo's say under which name, and which name it had.
void TestCaseOnlyRename::oldNameTakenInTheGapKeepsTheFileParked()
{
    UpperCaseRig rig;
    AtSecondStep at{m_folder, false};
    QVERIFY(rig.folders.setPath(m_folder));
    {
        FaultScope faults({"renameat2", 0, secondStepCall, nullptr, actAtSecondStep, &at});
        QVERIFY(rig.caseRun.start(RunScope::AllFilesInCurrentFolder));
        QCOMPARE(faults.hits(), 1);
    }
    const QString parked = parkedNameIn(m_folder);
    QVERIFY(!parked.isEmpty());
    QCOMPARE(namesIn(m_folder).size(), 2);
    QCOMPARE(readFile(m_folder + u'/' + parked), QByteArray("content"));
    QCOMPARE(readFile(m_folder + QStringLiteral("/a.txt")), QByteArray("intruder"));
    QCOMPARE(rig.caseRun.log().errors().size(), 1);
    const QString error = rig.caseRun.log().errors().first();
    QVERIFY2(error.contains(parked) && error.contains(QStringLiteral("old name a.txt"))
                 && error.startsWith(u'\'' + systemErrorText(EEXIST)),
             qPrintable(error));

    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.filesRestored(), 0);
    QCOMPARE(undo.log().errors().size(), 1);
    QVERIFY2(undo.log().errors().first().contains(parked) && undo.log().errors().first().contains(u"a.txt"),
             qPrintable(undo.log().errors().first()));
    QCOMPARE(readFile(m_folder + u'/' + parked), QByteArray("content"));
}

QTEST_GUILESS_MAIN(TestCaseOnlyRename)
#include "tst_caseonlyrename.moc"
