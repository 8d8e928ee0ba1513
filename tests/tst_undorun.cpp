// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

/// A run over real folders that writes its journal.
struct JournaledRig : RunRig
{
    RunJournal journal;
    JournaledRig() { run.setJournal(&journal); }

    bool renameAll(const QString &folder)
    {
        return folders.setPath(folder) && run.start(RunScope::AllFilesInCurrentFolder);
    }
};

/// An undo reporting to a recording sink.
struct UndoRig
{
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo{sink, clock};
};

QStringList numberedNames(int count)
{
    QStringList names;
    for (int i = 0; i < count; ++i)
        names.append(QStringLiteral("f%1.txt").arg(i, 5, 10, QLatin1Char('0')));
    return names;
}

} // namespace

class TestUndoRun : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void runThenUndoPutsEveryNameBack();
    void twoRunsAreUndoneOneAfterTheOther();
    void restartFindsTheLastSessionsRun();
    void runThatRenamedNothingIsPassedOver();
    void finishedUndoIsMarkedOnlyWhenAsked();
    void stopLeavesTheRestForTheNextUndo();
    void undoNeverReplacesAFile_data();
    void undoNeverReplacesAFile();
    void runKilledHalfwayIsUndoneCompletely();
    void dependentRenamesAreUndoneExactly_data();
    void dependentRenamesAreUndoneExactly();
    void parkedFileIsPutBack_data();
    void parkedFileIsPutBack();
    void clockSetBackKeepsTheOrderOfRuns();
    void readOnlyFileIsReadOnlyAgainAfterUndo();
    void runInUseIsNotUndone_data();
    void runInUseIsNotUndone();
    void summaryText_data();
    void summaryText();

private:
    QTemporaryDir *m_state = nullptr;
    QTemporaryDir *m_dir = nullptr;
    QString root() const { return m_dir->path(); }
    void makeFiles(const QStringList &names);
};

void TestUndoRun::init()
{
    m_state = new QTemporaryDir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_state->isValid() && m_dir->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
}

void TestUndoRun::cleanup()
{
    delete m_dir;
    delete m_state;
}

void TestUndoRun::makeFiles(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeFile(root() + u'/' + name, name.toUtf8()));
}

void TestUndoRun::runThenUndoPutsEveryNameBack()
{
    const QStringList before{"a b.txt", "c.txt", "d.txt"};
    makeFiles(before);
    QVERIFY(!UndoRun::canUndo());
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    QCOMPARE(namesIn(root()), QStringList({"0001_a b.txt", "0002_c.txt", "0003_d.txt"}));
    QVERIFY(UndoRun::canUndo());
    const auto run = UndoRun::newestUndoableRun();
    QVERIFY(run);
    QCOMPARE(run->fileCount, 3);
    QCOMPARE(run->startedAt, QDateTime(QDate(2026, 1, 5), QTime(10, 0)));
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QCOMPARE(UndoRun::questionText(*run, root()),
             QStringLiteral("Rename the 3 files of the run of 1/5/26 10:00 AM back to their old names?\n\n"
                            "Folder: %1\nScope: all files in the folder")
                 .arg(root()));

    UndoRig undo;
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), before);
    for (const QString &name : before)
        QCOMPARE(readFile(root() + u'/' + name), name.toUtf8());
    // Newest first, each restored name logged as the run logs its new names.
    QCOMPARE(undo.undo.log().modified(), QStringList({"d.txt", "c.txt", "a b.txt"}));
    QVERIFY(undo.sink.events.contains(QStringLiteral("modified a b.txt")));
    QCOMPARE(undo.sink.events.last(4),
             QStringList({"status UNDONE", "summary A total of  3 files were restored taking 0 minutes 0 seconds.",
                          "folder ", "file "}));
    QVERIFY(undo.undo.log().errors().isEmpty());
    QVERIFY(!UndoRun::canUndo());
    QVERIFY(!undo.undo.start());
}

void TestUndoRun::twoRunsAreUndoneOneAfterTheOther()
{
    makeFiles({"a.txt", "b.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    QVERIFY(rig.renameAll(root()));
    QCOMPARE(namesIn(root()), QStringList({"0001_0001_a.txt", "0002_0002_b.txt"}));
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt"}));
    QVERIFY(UndoRun::canUndo());
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt"}));
    QVERIFY(!UndoRun::canUndo());
}

void TestUndoRun::restartFindsTheLastSessionsRun()
{
    makeFiles({"a.txt"});
    {
        JournaledRig rig;
        QVERIFY(rig.renameAll(root()));
    }
    UndoRig undo;
    QVERIFY(UndoRun::canUndo());
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), QStringList({"a.txt"}));
}

// Its rename failed (the name is taken), so there is nothing of it to take back.
void TestUndoRun::runThatRenamedNothingIsPassedOver()
{
    makeFiles({"a.txt", "b.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    FixedNames taken;
    taken.rule = [](const QString &) { return QStringLiteral("0001_a.txt"); };
    RenameRun second = rig.runWith(taken);
    second.setJournal(&rig.journal);
    QVERIFY(rig.folders.setPath(root()));
    QVERIFY(second.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(second.log().statuses().last().reason, QStringLiteral("File exists"));
    const auto run = UndoRun::newestUndoableRun();
    QVERIFY(run);
    QCOMPARE(run->fileCount, 2);
    // Having renamed nothing, it left no journal.
    QCOMPARE(journal::journalPaths().size(), 1);
    QVERIFY(run->journalPath == journal::journalPaths().first());
}

// An undo that put every file back but was killed before it could record so.
void TestUndoRun::finishedUndoIsMarkedOnlyWhenAsked()
{
    makeFiles({"a.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QVERIFY(!UndoRun::canUndo());
    journal::RecordBuilder undone;
    undone.start(journal::RecordType::Undone);
    QFile journalFile(journal::journalPaths().first());
    QVERIFY(journalFile.resize(journalFile.size() - undone.finish().size()));
    QVERIFY(UndoRun::canUndo());

    // Asking which run undo would take back changes nothing.
    QVERIFY(!UndoRun::newestUndoableRun());
    QVERIFY(UndoRun::canUndo());
    UndoRun::markFinishedUndos();
    QVERIFY(!UndoRun::canUndo());
}

void TestUndoRun::stopLeavesTheRestForTheNextUndo()
{
    makeFiles({"a.txt", "b.txt", "c.txt", "d.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    UndoRig undo;
    undo.sink.onYield = [&](int n) {
        if (n == 2)
            undo.undo.stop();
    };
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt", "c.txt", "d.txt"}));
    QVERIFY(undo.sink.events.contains(QStringLiteral("status INTERRUPTED BY USER")));
    QVERIFY(UndoRun::canUndo());
    QCOMPARE(UndoRun::newestUndoableRun()->fileCount, 2);
    undo.sink.onYield = nullptr;
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt", "c.txt", "d.txt"}));
    QCOMPARE(undo.undo.summaryText(), QStringLiteral(" A total of  2 files were restored taking 0 minutes 0 seconds."));
    QVERIFY(!UndoRun::canUndo());
}

void TestUndoRun::undoNeverReplacesAFile_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("namesAfter");
    QTest::addColumn<QString>("error");
    QTest::newRow("old name taken") << "old name taken" << QStringList({"0001_a.txt", "a.txt", "b.txt"})
                                    << "'Old name a.txt is taken'  whilst processing file '%1/0001_a.txt'";
    QTest::newRow("replaced") << "replaced" << QStringList({"0001_a.txt", "b.txt"})
                              << "'Replaced by another file'  whilst processing file '%1/0001_a.txt'";
    QTest::newRow("gone") << "gone" << QStringList({"b.txt"})
                          << "'No such file or directory'  whilst processing file '%1/0001_a.txt'";
}

void TestUndoRun::undoNeverReplacesAFile()
{
    QFETCH(QString, change);
    QFETCH(QStringList, namesAfter);
    QFETCH(QString, error);
    // An older run elsewhere, for the undo after this one.
    QTemporaryDir older;
    QVERIFY(writeFile(older.filePath(QStringLiteral("z.txt"))));
    JournaledRig rig;
    QVERIFY(rig.renameAll(older.path()));
    makeFiles({"a.txt", "b.txt"});
    QVERIFY(rig.renameAll(root()));
    const QString renamed = root() + QStringLiteral("/0001_a.txt");
    if (change == u"old name taken")
        QVERIFY(writeFile(root() + QStringLiteral("/a.txt"), "newcomer"));
    if (change != u"old name taken")
        QVERIFY(QFile::remove(renamed));
    // Made after the removal: file systems often give it the removed file's
    // inode, and only the birth time tells the two apart.
    if (change == u"replaced")
        QVERIFY(writeFile(renamed, "another"));
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), namesAfter);
    QCOMPARE(undo.undo.log().errors(), QStringList({error.arg(root())}));
    QVERIFY(undo.sink.events.contains(QStringLiteral("error ") + error.arg(root())));
    if (change == u"old name taken")
        QCOMPARE(readFile(root() + QStringLiteral("/a.txt")), QByteArray("newcomer"));
    if (change == u"replaced")
        QCOMPARE(readFile(renamed), QByteArray("another"));
    // The file left alone is not tried again: the next undo takes the older run.
    QCOMPARE(UndoRun::newestUndoableRun()->fileCount, 1);
    QVERIFY(undo.undo.start());
    QVERIFY(undo.undo.log().errors().isEmpty());
    QCOMPARE(namesIn(older.path()), QStringList({"z.txt"}));
    QCOMPARE(namesIn(root()), namesAfter);
    QVERIFY(!UndoRun::canUndo());
}

// A run killed from outside at any point of its loop: every file it renamed
// is found through the journal, and none is lost.
void TestUndoRun::runKilledHalfwayIsUndoneCompletely()
{
    const int count = 20000;
    const QStringList before = numberedNames(count);
    makeFiles(before);
    renameInKilledChild(root(), count * 30);
    const QStringList halfway = namesIn(root());
    QCOMPARE(halfway.size(), count);
    QVERIFY2(halfway.first().startsWith(u"f") && halfway.last().startsWith(u"renamed-"),
             "the child was not killed halfway");
    UndoRig undo;
    QVERIFY(UndoRun::canUndo());
    QVERIFY(undo.undo.start());
    QCOMPARE(namesIn(root()), before);
    QVERIFY(undo.undo.log().errors().isEmpty());
    QCOMPARE(undo.undo.filesRestored(), before.size() - halfway.filter(QRegularExpression(u"^f"_qs)).size());
}

void TestUndoRun::dependentRenamesAreUndoneExactly_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("rules"); // "old=new"; "when-taken=number" numbers taken names
    QTest::addColumn<QStringList>("after");
    const QString longBase(251, u'y');
    QTest::newRow("chain") << QStringList{"x.txt", "xx.txt"} << QStringList{"x.txt=xx.txt", "xx.txt=xxxx.txt"}
                           << QStringList{"xx.txt=x.txt", "xxxx.txt=xx.txt"};
    QTest::newRow("swap") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=b.txt", "b.txt=a.txt"}
                          << QStringList{"a.txt=b.txt", "b.txt=a.txt"};
    QStringList shift;
    QStringList shiftRules;
    QStringList shifted;
    const auto numbered = [](int i) { return QStringLiteral("%1_x").arg(i, 4, 10, QChar(u'0')); };
    for (int i = 1; i <= 100; ++i) {
        shift.append(numbered(i));
        shiftRules.append(numbered(i) + u'=' + numbered(i + 1));
        shifted.append(numbered(i + 1) + u'=' + numbered(i));
    }
    QTest::newRow("shift up by one over 100 files") << shift << shiftRules << shifted;
    // Enough files for the renames to be made on threads of their own, the swap after them.
    QStringList longShift{"s1", "s2"};
    QStringList longShiftRules{"s1=s2", "s2=s1"};
    QStringList longShifted;
    for (int i = 1; i <= 300; ++i) {
        longShift.append(numbered(i));
        longShiftRules.append(numbered(i) + u'=' + numbered(i + 1));
        longShifted.append(numbered(i + 1) + u'=' + numbered(i));
    }
    longShift.sort();
    longShifted << "s1=s2" << "s2=s1";
    QTest::newRow("shift up by one over 300 files, then a swap") << longShift << longShiftRules << longShifted;
    QTest::newRow("three-way rotation") << QStringList{"a.txt", "b.txt", "c.txt"}
                                        << QStringList{"a.txt=b.txt", "b.txt=c.txt", "c.txt=a.txt"}
                                        << QStringList{"a.txt=c.txt", "b.txt=a.txt", "c.txt=b.txt"};
    QTest::newRow("two swaps and a chain")
        << QStringList{"a", "b", "c", "d", "e", "f"} << QStringList{"a=b", "b=a", "c=d", "d=c", "e=f", "f=g"}
        << QStringList{"a=b", "b=a", "c=d", "d=c", "f=e", "g=f"};
    QTest::newRow("two files to one name, numbered")
        << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=x.txt", "b.txt=x.txt", "when-taken=number"}
        << QStringList{"x (2).txt=b.txt", "x.txt=a.txt"};
    QTest::newRow("a taken (2), numbered")
        << QStringList{"a.txt", "x (2).txt", "x.txt"} << QStringList{"a.txt=x.txt", "when-taken=number"}
        << QStringList{"x (2).txt=x (2).txt", "x (3).txt=a.txt", "x.txt=x.txt"};
    QTest::newRow("numbered at the length limit")
        << QStringList{"a.txt", longBase + ".txt"} << QStringList{"a.txt=" + longBase + ".txt", "when-taken=number"}
        << QStringList{QString(247, u'y') + " (2).txt=a.txt", longBase + ".txt=" + longBase + ".txt"};
}

// The run renames what waits for another file after it, a ring through a
// temporary name; undo gives every file its old name back, rings included.
void TestUndoRun::dependentRenamesAreUndoneExactly()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, rules);
    QFETCH(QStringList, after); // "name=content", the content being the old name
    makeFiles(before);
    JournaledRig rig;
    FixedNames names;
    names.taken = rules.contains(QStringLiteral("when-taken=number")) ? WhenTaken::Number : WhenTaken::Leave;
    names.rule = [&rules](const QString &old) -> std::expected<QString, QString> {
        for (const QString &rule : rules) {
            if (rule.section(u'=', 0, 0) == old)
                return rule.section(u'=', 1);
        }
        return old;
    };
    RenameRun run = rig.runWith(names);
    run.setJournal(&rig.journal);
    QVERIFY(rig.folders.setPath(root()));
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QVERIFY2(run.log().errors().isEmpty(), qPrintable(run.log().errors().join(u'\n')));
    QStringList found;
    for (const QString &name : namesIn(root()))
        found.append(name + u'=' + QString::fromUtf8(readFile(root() + u'/' + name)));
    QCOMPARE(found, after);
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QVERIFY2(undo.undo.log().errors().isEmpty(), qPrintable(undo.undo.log().errors().join(u'\n')));
    QCOMPARE(namesIn(root()), before);
    for (const QString &name : before)
        QCOMPARE(readFile(root() + u'/' + name), name.toUtf8());
    QVERIFY(!UndoRun::canUndo());
}

void TestUndoRun::parkedFileIsPutBack_data()
{
    QTest::addColumn<bool>("atStartUp");
    QTest::addColumn<bool>("oldNameTaken"); // another file took "a.txt" meanwhile
    QTest::addColumn<bool>("ring"); // a swap of a.txt and b.txt, killed with b.txt moved already
    QTest::newRow("start-up recovery") << true << false << false;
    QTest::newRow("undo") << false << false << false;
    QTest::newRow("start-up recovery, old name taken") << true << true << false;
    QTest::newRow("undo, old name taken") << false << true << false;
    QTest::newRow("start-up recovery, swap killed between its steps") << true << false << true;
    QTest::newRow("undo, swap killed between its steps") << false << false << true;
}

// A run that died between the two steps of a change of letter case left the
// file under its temporary name; the journal knows the name.
void TestUndoRun::parkedFileIsPutBack()
{
    QFETCH(bool, atStartUp);
    QFETCH(bool, oldNameTaken);
    QFETCH(bool, ring);
    makeFiles(ring ? QStringList{"a.txt", "b.txt"} : QStringList{"a.txt"});
    const QString temporary = QStringLiteral(".kestrava-1f.tmp");
    {
        RunJournal journal;
        QVERIFY(journal.begin(RunScope::AllFilesInCurrentFolder, root(), QDateTime::currentDateTime()));
        OpenFolder folder;
        folder.open(root() + u'/');
        journal.recordRename(root() + u'/', FolderFile(folder, QStringLiteral("a.txt")),
                             FolderFile(folder, ring ? QStringLiteral("b.txt") : QStringLiteral("A.txt")));
        journal.recordParked(QFile::encodeName(temporary));
        QVERIFY(QFile::rename(root() + QStringLiteral("/a.txt"), root() + u'/' + temporary));
        journal.recordOutcome(true);
        if (ring) {
            // The ring's second file takes the first one's old name.
            journal.recordRename(root() + u'/', FolderFile(folder, QStringLiteral("b.txt")),
                                 FolderFile(folder, QStringLiteral("a.txt")));
            QVERIFY(QFile::rename(root() + QStringLiteral("/b.txt"), root() + QStringLiteral("/a.txt")));
            journal.recordOutcome(true);
        }
        // The run dies here: no end is recorded.
    }
    if (oldNameTaken)
        QVERIFY(writeFile(root() + QStringLiteral("/a.txt"), "intruder"));
    QStringList errors;
    if (atStartUp) {
        const ParkedRecovery recovery = UndoRun::recoverParkedFiles();
        QCOMPARE(recovery.filesRestored, oldNameTaken ? 0 : 1);
        errors = recovery.errors;
    } else {
        UndoRig undo;
        QVERIFY(undo.undo.start());
        QCOMPARE(undo.undo.filesRestored(), oldNameTaken ? 0 : ring ? 2 : 1);
        errors = undo.undo.log().errors();
    }
    if (oldNameTaken) {
        // The file stays parked, and the one line says where and what it was.
        QCOMPARE(errors.size(), 1);
        QVERIFY2(errors.first().startsWith(u'\'' + systemErrorText(EEXIST)) && errors.first().contains(temporary)
                     && errors.first().contains(QStringLiteral("old name a.txt")),
                 qPrintable(errors.first()));
        QCOMPARE(readFile(root() + u'/' + temporary), QByteArray("a.txt"));
        QCOMPARE(readFile(root() + QStringLiteral("/a.txt")), QByteArray("intruder"));
        return;
    }
    QVERIFY(errors.isEmpty());
    if (atStartUp)
        QCOMPARE(UndoRun::recoverParkedFiles().filesRestored, 0);
    QCOMPARE(namesIn(root()), ring ? QStringList({"a.txt", "b.txt"}) : QStringList({"a.txt"}));
    QCOMPARE(readFile(root() + QStringLiteral("/a.txt")), QByteArray("a.txt"));
    if (ring)
        QCOMPARE(readFile(root() + QStringLiteral("/b.txt")), QByteArray("b.txt"));
}

// The run made the read-only file writable to rename it; undo puts back its
// old name and its old permissions alike.
void TestUndoRun::readOnlyFileIsReadOnlyAgainAfterUndo()
{
    makeFiles({"a.txt"});
    const QByteArray path = QFile::encodeName(root() + QStringLiteral("/a.txt"));
    QCOMPARE(::chmod(path.constData(), 0444), 0);
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(root() + QStringLiteral("/0001_a.txt")).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, 0644u);
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QVERIFY(undo.undo.log().errors().isEmpty());
    QCOMPARE(::stat(path.constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, 0444u);
}

// A run made with the clock an hour back is still the newest: undo takes it
// back first, and the run before it next.
void TestUndoRun::clockSetBackKeepsTheOrderOfRuns()
{
    const QString faketime = QStandardPaths::findExecutable(QStringLiteral("faketime"));
    if (faketime.isEmpty())
        QSKIP("faketime is not installed (scripts/install-deps installs it)");
#if defined(__SANITIZE_ADDRESS__)
    // faketime preloads its library ahead of the AddressSanitizer runtime,
    // which then refuses to start the child at all.
    QSKIP("faketime's preload cannot run before the AddressSanitizer runtime");
#endif
    makeFiles({"a.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    QProcess later;
    later.start(faketime, {QStringLiteral("-f"), QStringLiteral("-1h"), QStringLiteral(KESTRAVA_FAULTRUN),
                           QStringLiteral("--journal"), root()});
    QVERIFY(later.waitForFinished(30000));
    QCOMPARE(later.readAllStandardOutput(), QByteArray("1 renamed\n"));
    QCOMPARE(namesIn(root()), QStringList({"0001_0001_a.txt"}));
    UndoRig undo;
    QVERIFY(undo.undo.start());
    QVERIFY(undo.undo.log().errors().isEmpty());
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt"}));
    QVERIFY(undo.undo.start());
    QVERIFY(undo.undo.log().errors().isEmpty());
    QCOMPARE(namesIn(root()), QStringList({"a.txt"}));
}

void TestUndoRun::runInUseIsNotUndone_data()
{
    QTest::addColumn<bool>("newerRunWriting"); // else: another undo holds the newest run's journal
    QTest::newRow("another undo holds the run") << false;
    QTest::newRow("another process is writing a newer run") << true;
}

// Two processes never take back one run at once, and an undo never reaches
// past a run that another process is still writing.
void TestUndoRun::runInUseIsNotUndone()
{
    QFETCH(bool, newerRunWriting);
    makeFiles({"a.txt", "b.txt"});
    JournaledRig rig;
    QVERIFY(rig.renameAll(root()));
    const QString ranFirst = journal::journalPaths().value(0);
    int ready[2];
    int finish[2];
    QCOMPARE(::pipe(ready), 0);
    QCOMPARE(::pipe(finish), 0);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        RunJournal writing;
        if (newerRunWriting) {
            writing.begin(RunScope::AllFilesInCurrentFolder, root(), QDateTime::currentDateTime());
            OpenFolder folder;
            folder.open(root() + u'/');
            writing.recordRename(root() + u'/', FolderFile(folder, QStringLiteral("0001_a.txt")),
                                 FolderFile(folder, QStringLiteral("x.txt")));
        } else {
            (void)!journal::openLocked(QFile::encodeName(ranFirst), 0);
        }
        char byte = 0;
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(finish[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    QCOMPARE(::read(ready[0], &byte, 1), 1);
    const QString held = journal::journalPaths().constLast();
    UndoRig undo;
    const bool started = undo.undo.start();
    (void)!::write(finish[1], &byte, 1);
    ::waitpid(child, nullptr, 0);
    for (const int fd : {ready[0], ready[1], finish[0], finish[1]})
        ::close(fd);
    QVERIFY(started);
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt"}));
    QCOMPARE(undo.undo.log().errors(),
             QStringList(QStringLiteral("'This run is in use by process %1 (tst_undorun); nothing was undone'  "
                                        "whilst processing file '%2'")
                             .arg(child)
                             .arg(held)));
}

void TestUndoRun::summaryText_data()
{
    QTest::addColumn<qint64>("files");
    QTest::addColumn<qint64>("seconds");
    QTest::addColumn<QString>("summary");
    QTest::newRow("none") << qint64(0) << qint64(5) << " No Files were Restored";
    QTest::newRow("three in 125 s") << qint64(3) << qint64(125)
                                    << " A total of  3 files were restored taking 2 minutes 5 seconds.";
}

void TestUndoRun::summaryText()
{
    QFETCH(qint64, files);
    QFETCH(qint64, seconds);
    QFETCH(QString, summary);
    QCOMPARE(UndoRun::summaryText(files, seconds), summary);
}

QTEST_GUILESS_MAIN(TestUndoRun)
#include "tst_undorun.moc"
