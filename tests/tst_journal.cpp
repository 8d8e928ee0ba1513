// SPDX-License-Identifier: GPL-3.0-or-later
#include "JournalFormat.h"
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QThreadPool>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace kestrava;
using namespace kestrava::testing;

class TestJournal : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void stateFolderFollowsTheVariable_data();
    void stateFolderFollowsTheVariable();
    void journalIsPrivateAndRecordsEveryRename();
    void journalOfManyMegabytesReadsBackWhole();
    void damagedJournalIsReadAroundTheDamage_data();
    void damagedJournalIsReadAroundTheDamage();
    void nameLeavingItsFolderIsRefused();
    void firstVersionJournalIsStillUndone();
    void recordWrittenInPlaceIsTheBuiltRecord_data();
    void recordWrittenInPlaceIsTheBuiltRecord();
    void roomReservedAheadIsNotDamage_data();
    void roomReservedAheadIsNotDamage();
    void unwritableJournalGivesOneLineAndTheRunGoesOn_data();
    void unwritableJournalGivesOneLineAndTheRunGoesOn();
    void onlyTheLastTwentyRunsAreKept();
    void keptRunsAreRunsThatCanBeUndone_data();
    void keptRunsAreRunsThatCanBeUndone();
    void linkForStateFolderIsRefused();
    void linkForJournalIsNeverFollowed();
    void openStateFolderIsMadePrivate();
    void impossibleLengthSkipsTheJournal_data();
    void impossibleLengthSkipsTheJournal();
    void journalOthersCouldWriteIsRefused_data();
    void journalOthersCouldWriteIsRefused();

private:
    QTemporaryDir *m_state = nullptr;
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    RunJournal *m_journal = nullptr;
    QString root() const { return m_dir->path(); }
    void runOver(const QStringList &names);
    // Another run over the files of the last, which renames each again.
    bool renameAgain()
    {
        m_rig->folders.setPath(root());
        m_rig->files.selectAll();
        return m_rig->run.start(RunScope::AllFilesInCurrentFolder) && m_rig->run.intFilesRenamed() > 0;
    }
};

void TestJournal::init()
{
    m_state = new QTemporaryDir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_state->isValid() && m_dir->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
    m_rig = new RunRig;
    m_journal = new RunJournal;
    m_rig->run.setJournal(m_journal);
}

void TestJournal::cleanup()
{
    delete m_rig;
    delete m_journal;
    delete m_dir;
    delete m_state;
}

void TestJournal::runOver(const QStringList &names)
{
    for (const QString &name : names)
        QVERIFY(writeFile(root() + u'/' + name));
    QVERIFY(m_rig->folders.setPath(root()));
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
}

void TestJournal::stateFolderFollowsTheVariable_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("folder");
    QTest::newRow("absolute") << QByteArray("/var/x") << "/var/x/kestrava";
    QTest::newRow("relative") << QByteArray("x/y") << QDir::homePath() + "/.local/state/kestrava";
    QTest::newRow("empty") << QByteArray() << QDir::homePath() + "/.local/state/kestrava";
}

void TestJournal::stateFolderFollowsTheVariable()
{
    QFETCH(QByteArray, variable);
    QFETCH(QString, folder);
    qputenv("XDG_STATE_HOME", variable);
    QCOMPARE(journal::stateFolder(), folder);
}

void TestJournal::journalIsPrivateAndRecordsEveryRename()
{
    runOver({"a.txt", "b c.txt", "noext"});
    const QStringList journals = journal::journalPaths();
    QCOMPARE(journals.size(), 1);
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(journal::stateFolder()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0700u);
    QCOMPARE(::stat(QFile::encodeName(journals.first()).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0600u);

    const journal::JournalContents contents = journal::readJournal(journals.first());
    QVERIFY(contents.readable && contents.ended && !contents.undone);
    QCOMPARE(contents.startedAt, QDateTime(QDate(2026, 1, 5), QTime(10, 0)));
    // The name without a dot gets no new name, so it has no record.
    QCOMPARE(contents.renames.size(), 2);
    const journal::RenameEntry &entry = contents.renames.at(1);
    QCOMPARE(entry.folder, QFile::encodeName(root() + u'/'));
    QCOMPARE(entry.oldName, QByteArray("b c.txt"));
    QCOMPARE(entry.newName, QByteArray("0002_b c.txt"));
    QVERIFY(::stat(QFile::encodeName(root() + QStringLiteral("/0002_b c.txt")).constData(), &info) == 0);
    QCOMPARE(entry.identity.inode, quint64(info.st_ino));
    QCOMPARE(entry.identity.device, quint64(info.st_dev));
}

// A journal lets go of the memory of the records it wrote: they must all still
// be in the file, across several steps of letting go, and undo takes them back.
void TestJournal::journalOfManyMegabytesReadsBackWhole()
{
    constexpr int files = 9999;
    const QString stem(236, u'x');
    QStringList names;
    for (int i = 0; i < files; ++i)
        names.append(stem + QString::asprintf("%04d.txt", i));
    runOver(names);
    QCOMPARE(m_rig->run.intFilesRenamed(), files);
    const QString path = journal::journalPaths().value(0);
    QVERIFY(QFileInfo(path).size() > 4 * 1024 * 1024);
    const journal::JournalContents contents = journal::readJournal(path);
    QVERIFY(contents.readable && contents.ended && contents.damagedAt.isEmpty());
    QCOMPARE(contents.renames.size(), files);
    for (const int i : {0, 4000, 8001, files - 1}) {
        QCOMPARE(contents.renames.at(i).oldName, QFile::encodeName(names.at(i)));
        QCOMPARE(contents.renames.at(i).newName, QFile::encodeName(QString::asprintf("%04d_", i + 1) + names.at(i)));
    }
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.filesRestored(), files);
}

void TestJournal::damagedJournalIsReadAroundTheDamage_data()
{
    QTest::addColumn<int>("cut");    // bytes cut from the end
    QTest::addColumn<int>("flipAt"); // byte flipped, counted back from the end; 0 for none
    QTest::addColumn<int>("renamesRead");
    QTest::addColumn<int>("damaged");
    // Each rename record of this run is 82 bytes, its length 2 bytes in; the end record is 20.
    QTest::newRow("end cut mid-record") << 5 << 0 << 3 << 0;
    QTest::newRow("last rename cut mid-record") << 30 << 0 << 2 << 0;
    QTest::newRow("byte of a name flipped") << 0 << 25 << 2 << 1;
    QTest::newRow("length of a record flipped") << 0 << 20 + 82 - 2 << 2 << 1;
}

void TestJournal::damagedJournalIsReadAroundTheDamage()
{
    QFETCH(int, cut);
    QFETCH(int, flipAt);
    QFETCH(int, renamesRead);
    QFETCH(int, damaged);
    runOver({"a.txt", "b.txt", "c.txt"});
    const QString path = journal::journalPaths().value(0);
    QByteArray bytes = readFile(path);
    bytes.chop(cut);
    if (flipAt > 0)
        bytes[bytes.size() - flipAt] = char(bytes[bytes.size() - flipAt] ^ 0x5a);
    QVERIFY(writeFile(path, bytes));

    const journal::JournalContents contents = journal::readJournal(path);
    QCOMPARE(contents.renames.size(), renamesRead);
    QCOMPARE(contents.damagedAt.size(), damaged);
    // Undo takes back what it can read and names the damage.
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.filesRestored(), renamesRead);
    QCOMPARE(undo.log().errors().size(), damaged);
    if (damaged > 0)
        QVERIFY(undo.log().errors().first().startsWith(u"'A damaged record at byte "));
}

void TestJournal::roomReservedAheadIsNotDamage_data()
{
    QTest::addColumn<int>("zeros");         // the room reserved ahead, left as zeros by a killed run
    QTest::addColumn<bool>("undoneInPart"); // an undo marked the first file back after the zeros
    QTest::newRow("killed run, a page of room") << 4096 << false;
    QTest::newRow("killed run, a megabyte of room") << 1024 * 1024 << false;
    QTest::newRow("killed run undone in part") << 4096 << true;
}

// A run killed part way leaves its last records followed by zeros: the journal
// reads as one cut short there, whole and without damage, and undo takes it back.
void TestJournal::roomReservedAheadIsNotDamage()
{
    QFETCH(int, zeros);
    QFETCH(bool, undoneInPart);
    runOver({"a.txt", "b.txt", "c.txt"});
    const QString path = journal::journalPaths().value(0);
    QByteArray bytes = readFile(path);
    bytes.chop(20); // the end record: the run was killed before it
    bytes.append(zeros, '\0');
    journal::RecordBuilder restored;
    if (undoneInPart) {
        restored.start(journal::RecordType::Restored);
        restored.addU64(0);
        bytes.append(restored.finish());
        QVERIFY(QFile::rename(root() + QStringLiteral("/0001_a.txt"), root() + QStringLiteral("/a.txt")));
    }
    QVERIFY(writeFile(path, bytes));

    const journal::JournalContents contents = journal::readJournal(path);
    QVERIFY(contents.readable && !contents.ended);
    QCOMPARE(contents.renames.size(), 3);
    QVERIFY(contents.damagedAt.isEmpty());
    QCOMPARE(contents.renames.at(0).restored, undoneInPart);
    const journal::JournalGlance glance = journal::glanceAt(path);
    QVERIFY(glance.readable && glance.hasRename);
    QCOMPARE(glance.lastRecord, undoneInPart ? journal::RecordType::Restored : journal::RecordType::Rename);
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.filesRestored(), undoneInPart ? 2 : 3);
    QVERIFY(undo.log().errors().isEmpty());
    QCOMPARE(namesIn(root()), QStringList({"a.txt", "b.txt", "c.txt"}));
}

void TestJournal::recordWrittenInPlaceIsTheBuiltRecord_data()
{
    QTest::addColumn<quint64>("number");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("short") << quint64(1) << QByteArray("a.txt");
    QTest::newRow("large number, long name") << ~quint64(0) << QByteArray(255, 'n');
    QTest::newRow("no bytes") << quint64(0) << QByteArray();
    QTest::newRow("bytes that are not text") << quint64(7) << QByteArray("\xff\0\x01KJ", 5);
}

// The map gets each rename written in place, the rest of the journal its
// records built first: the bytes must be the same, for one reader to read both.
void TestJournal::recordWrittenInPlaceIsTheBuiltRecord()
{
    QFETCH(quint64, number);
    QFETCH(QByteArray, bytes);
    journal::RecordBuilder built;
    built.start(journal::RecordType::Rename);
    built.addU64(number);
    built.addU32(quint32(number));
    built.addBytes(bytes);
    QByteArray room(journal::RecordWriter::sizeFor(8 + 4 + bytes.size()) + 1, '\x55');
    journal::RecordWriter written(room.data(), journal::RecordType::Rename);
    written.addU64(number);
    written.addU32(quint32(number));
    written.addBytes(bytes);
    QCOMPARE(written.finish(), room.size() - 1);
    QCOMPARE(room.chopped(1), built.finish());
    QCOMPARE(room.back(), '\x55');
}

// A record that checks out but names a file outside its folder is damage, not work.
void TestJournal::nameLeavingItsFolderIsRefused()
{
    runOver({"a.txt"});
    const QString path = journal::journalPaths().value(0);
    journal::RecordBuilder record;
    record.start(journal::RecordType::Rename);
    record.addU64(7);
    record.addU32(1);
    record.addU64(0);
    record.addU64(0);
    record.addU64(0);
    record.addU32(5);
    record.addBytes("../ab.txt");
    QVERIFY(writeFile(path, readFile(path) + record.finish()));
    const journal::JournalContents contents = journal::readJournal(path);
    QCOMPARE(contents.renames.size(), 1);
    QCOMPARE(contents.damagedAt.size(), 1);
}

// Journals written before the file system's id, size and time were recorded
// are read as they were written, and undone by device and inode.
void TestJournal::firstVersionJournalIsStillUndone()
{
    QVERIFY(writeFile(root() + QStringLiteral("/b.txt"), "a"));
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(root() + QStringLiteral("/b.txt")).constData(), &info), 0);
    QByteArray bytes("KSTRVJNL\x01\0\0\0", 12);
    journal::RecordBuilder record;
    record.start(journal::RecordType::Begin);
    record.addU64(quint64(QDateTime(QDate(2025, 3, 1), QTime(9, 30)).toMSecsSinceEpoch()));
    record.addU8(1);
    record.addBytes(QFile::encodeName(root()));
    bytes += record.finish();
    record.start(journal::RecordType::Folder);
    record.addU32(1);
    record.addBytes(QFile::encodeName(root() + u'/'));
    bytes += record.finish();
    record.start(journal::RecordType::Rename);
    record.addU64(0);
    record.addU32(1);
    record.addU64(info.st_dev);
    record.addU64(info.st_ino);
    record.addU64(0);
    record.addU32(5);
    record.addBytes("a.txtb.txt");
    bytes += record.finish();
    QVERIFY(QDir().mkpath(journal::stateFolder()));
    const QString path = journal::stateFolder() + QStringLiteral("/run-01700000000000000000-1.kjournal");
    QVERIFY(writeFile(path, bytes));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    const journal::JournalContents contents = journal::readJournal(path);
    QVERIFY(contents.readable);
    QCOMPARE(contents.renames.size(), 1);
    QCOMPARE(contents.renames.first().newName, QByteArray("b.txt"));
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QVERIFY(undo.log().errors().isEmpty());
    QCOMPARE(namesIn(root()), QStringList({"a.txt"}));
}

void TestJournal::unwritableJournalGivesOneLineAndTheRunGoesOn_data()
{
    QTest::addColumn<bool>("midRun");
    QTest::addColumn<QString>("reason");
    QTest::newRow("state folder is a file") << false << "Not a directory";
    QTest::newRow("journal cannot grow") << true << "File too large";
}

void TestJournal::unwritableJournalGivesOneLineAndTheRunGoesOn()
{
    QFETCH(bool, midRun);
    QFETCH(QString, reason);
    // Names long enough that the journal of the run passes 100 KiB.
    QStringList names;
    for (int i = 0; i < 200; ++i) {
        names.append(QStringLiteral("file%1").arg(i, 3, 10, QLatin1Char('0')) + QString(230, u'x') + u".txt");
        QVERIFY(writeFile(root() + u'/' + names.last()));
    }
    rlimit previous{};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    if (midRun) {
        // A journal that cannot grow past 80 KiB: it fails after some hundred
        // files, whether it reserves room ahead or writes as it goes.
        ::signal(SIGXFSZ, SIG_IGN);
        rlimit small = previous;
        small.rlim_cur = 80 * 1024;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &small), 0);
    } else {
        QVERIFY(writeFile(journal::stateFolder()));
    }
    QVERIFY(m_rig->folders.setPath(root()));
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    ::setrlimit(RLIMIT_FSIZE, &previous);
    QCOMPARE(m_rig->run.intFilesRenamed(), 200);
    const QStringList errors = m_rig->run.log().errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(QStringLiteral("'This run cannot be undone: ") + reason + u'\''),
             qPrintable(errors.first()));
    QVERIFY(errors.first().contains(journal::stateFolder()));
    QVERIFY(journal::journalPaths().isEmpty());
    QVERIFY(!UndoRun::canUndo());
}

void TestJournal::onlyTheLastTwentyRunsAreKept()
{
    runOver({"a.txt"});
    const QString first = journal::journalPaths().value(0);
    // A run of this process that has begun but renamed nothing yet is not
    // taken for a stale journal by the clean-ups, which go on beside the runs.
    RunJournal begun;
    QVERIFY(begun.begin(RunScope::SelectedFiles, root(), QDateTime::currentDateTime()));
    for (int run = 1; run < 25; ++run)
        QVERIFY(renameAgain());
    QThreadPool::globalInstance()->waitForDone();
    QVERIFY(QFileInfo::exists(begun.path()));
    begun.end(QDateTime::currentDateTime(), false);
    const QStringList journals = journal::journalPaths();
    QCOMPARE(journals.size(), journal::keptJournals);
    QVERIFY(!journals.contains(first));
}

void TestJournal::keptRunsAreRunsThatCanBeUndone_data()
{
    QTest::addColumn<int>("emptyRuns");  // runs with nothing to rename, after the first run
    QTest::addColumn<int>("undoneRuns"); // of the newest runs, undone before more runs follow
    QTest::newRow("twenty runs that renamed nothing") << 20 << 0;
    QTest::newRow("undone runs go before undoable ones") << 0 << 5;
}

// Twenty Starts with nothing to rename leave the run before them to undo, and
// the limit takes runs already undone before those that can still be undone.
void TestJournal::keptRunsAreRunsThatCanBeUndone()
{
    QFETCH(int, emptyRuns);
    QFETCH(int, undoneRuns);
    runOver({"a.txt"});
    const QString first = journal::journalPaths().value(0);
    for (int run = 0; run < emptyRuns; ++run)
        QVERIFY(m_rig->run.start(RunScope::SelectedFiles));
    if (undoneRuns > 0) {
        for (int run = 1; run < journal::keptJournals; ++run)
            QVERIFY(renameAgain());
        RecordingSink sink;
        ScriptedClock clock;
        UndoRun undo(sink, clock);
        for (int run = 0; run < undoneRuns; ++run)
            QVERIFY(undo.start());
        for (int run = 0; run < undoneRuns; ++run)
            QVERIFY(renameAgain());
    }
    QThreadPool::globalInstance()->waitForDone();
    const QStringList journals = journal::journalPaths();
    QCOMPARE(journals.size(), emptyRuns > 0 ? 1 : journal::keptJournals);
    QCOMPARE(journals.first(), first);
    QVERIFY(UndoRun::canUndo());
}

// A link planted in the state folder's place could lead the journals, which
// list the user's files, anywhere: the run renames without a journal and says
// that it cannot be undone, once.
void TestJournal::linkForStateFolderIsRefused()
{
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    QVERIFY(QFile::link(elsewhere.path(), journal::stateFolder()));
    runOver({"a.txt", "b.txt"});
    QCOMPARE(m_rig->run.intFilesRenamed(), 2);
    const QStringList errors = m_rig->run.log().errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u"'This run cannot be undone: ")
                 && errors.first().contains(journal::stateFolder()),
             qPrintable(errors.first()));
    QVERIFY(namesIn(elsewhere.path()).isEmpty());
    QVERIFY(journal::journalPaths().isEmpty());
    QVERIFY(!UndoRun::canUndo());
}

// A link with a journal's name is not a journal: it is neither offered for
// undo nor written through, and the next run writes a journal of its own.
void TestJournal::linkForJournalIsNeverFollowed()
{
    runOver({"a.txt"});
    const QString journalPath = journal::journalPaths().value(0);
    QTemporaryDir elsewhere;
    QVERIFY(elsewhere.isValid());
    const QString target = elsewhere.filePath(QStringLiteral("journal"));
    QVERIFY(QFile::rename(journalPath, target));
    QVERIFY(QFile::link(target, journalPath));
    const QByteArray before = readFile(target);
    QVERIFY(journal::journalPaths().isEmpty());
    QVERIFY(!UndoRun::canUndo());
    QCOMPARE(UndoRun::recoverParkedFiles().filesRestored, 0);

    runOver({"b.txt"});
    QVERIFY(m_rig->run.log().errors().isEmpty());
    const QStringList journals = journal::journalPaths();
    QCOMPARE(journals.size(), 1);
    QVERIFY(journals.first() != journalPath);
    QCOMPARE(UndoRun::newestUndoableRun()->journalPath, journals.first());
    QCOMPARE(readFile(target), before);
    QVERIFY(QFileInfo(journalPath).isSymLink());
}

// A state folder made open to others (by hand, or by an older program) is
// closed again before a journal goes in.
void TestJournal::openStateFolderIsMadePrivate()
{
    const QByteArray folder = QFile::encodeName(journal::stateFolder());
    QCOMPARE(::mkdir(folder.constData(), 0700), 0);
    QCOMPARE(::chmod(folder.constData(), 0755), 0);
    runOver({"a.txt"});
    QVERIFY(m_rig->run.log().errors().isEmpty());
    struct stat info;
    QCOMPARE(::stat(folder.constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0700u);
}

void TestJournal::impossibleLengthSkipsTheJournal_data()
{
    QTest::addColumn<bool>("afterRun"); // the zeros follow a whole run's records, or the header alone
    QTest::newRow("header, then 6 GB of zeros") << false;
    QTest::newRow("a run, then 6 GB of zeros") << true;
}

// No writer leaves more than some megabytes of room: read whole, such a file
// would only cost the memory and time of its length.
void TestJournal::impossibleLengthSkipsTheJournal()
{
    QFETCH(bool, afterRun);
    QString path;
    if (afterRun) {
        runOver({"a.txt"});
        path = journal::journalPaths().value(0);
    } else {
        QVERIFY(QDir().mkpath(journal::stateFolder()));
        path = journal::stateFolder() + QStringLiteral("/run-00000000000000000001-1.kjournal");
        QVERIFY(writeFile(path, journal::fileHeader()));
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
    }
    QVERIFY(QFile::resize(path, 6LL * 1024 * 1024 * 1024));
    QVERIFY(!UndoRun::canUndo());
    QVERIFY(!journal::glanceAt(path).readable);
    QVERIFY(!journal::readJournal(path).readable);
    QCOMPARE(UndoRun::recoverParkedFiles().errors,
             QStringList("'A damaged journal is skipped: its length is impossible'  whilst processing file '" + path
                         + u'\''));
}

void TestJournal::journalOthersCouldWriteIsRefused_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("wholeFolder");
    QTest::newRow("state folder writable by others") << "folder 0777" << true;
    QTest::newRow("state folder of another user") << "folder nobody" << true;
    QTest::newRow("journal of another user") << "journal nobody" << false;
    QTest::newRow("journal others may read") << "journal 0644" << false;
}

// Another user who can write to the state folder could plant a journal that
// renames any file of the user's: such a journal is never read, and one line says so.
void TestJournal::journalOthersCouldWriteIsRefused()
{
    QFETCH(QString, change);
    QFETCH(bool, wholeFolder);
    runOver({"a.txt"});
    const QString path = journal::journalPaths().value(0);
    const QByteArray target = QFile::encodeName(wholeFolder ? journal::stateFolder() : path);
    if (change.endsWith(u"nobody")) {
        if (::geteuid() != 0)
            QSKIP("giving a file to another user needs root");
        QCOMPARE(::chown(target.constData(), 65534, 65534), 0);
    } else {
        QCOMPARE(::chmod(target.constData(), change.endsWith(u"0777") ? 0777 : 0644), 0);
    }
    QVERIFY(!UndoRun::canUndo());
    QVERIFY(!UndoRun::newestUndoableRun());
    const QString reason = wholeFolder ? "Undo journals are not read from a folder that others may change"
                                       : "Not read as an undo journal: it is not a private file of yours";
    QCOMPARE(UndoRun::recoverParkedFiles().errors,
             QStringList(u'\'' + reason + "'  whilst processing file '" + QFile::decodeName(target) + u'\''));
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(!undo.start());
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt"}));
    QCOMPARE(journal::readJournal(path).readable, wholeFolder);
}

QTEST_GUILESS_MAIN(TestJournal)
#include "tst_journal.moc"
