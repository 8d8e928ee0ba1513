// SPDX-License-Identifier: GPL-3.0-or-later
// The undo journal's disk writes fail while a run goes on: the run renames
// every file all the same, says once that it cannot be undone, and offers
// nothing for undo, since a journal known only in part could not take the
// run back whole.
#include "FaultInjection.h"
#include "JournalFormat.h"
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

using namespace kestrava;
using namespace kestrava::testing;

class TestJournalFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void failedJournalWriteLosesNothing_data();
    void failedJournalWriteLosesNothing();
    void roomLeftAfterTheEndIsHarmless();

private:
    QTemporaryDir *m_state = nullptr;
    QTemporaryDir *m_dir = nullptr;
};

void TestJournalFaults::init()
{
    m_state = new QTemporaryDir;
    m_dir = new QTemporaryDir;
    QVERIFY(m_state->isValid() && m_dir->isValid());
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
}

void TestJournalFaults::cleanup()
{
    delete m_dir;
    delete m_state;
}

void TestJournalFaults::failedJournalWriteLosesNothing_data()
{
    QTest::addColumn<QByteArray>("call");
    QTest::addColumn<int>("error");
    QTest::addColumn<int>("nth");       // 0: every call
    QTest::addColumn<bool>("reserves"); // the file system can reserve room for the journal
    QTest::addColumn<int>("files");
    // Where room can be reserved, the journal reserves it at the start and
    // again when a long run fills it; the records themselves need no call.
    // Elsewhere it writes its header with the start, the folder, then one
    // record per rename.
    for (const int error : {ENOSPC, EIO}) {
        const char *name = error == ENOSPC ? "ENOSPC" : "EIO";
        QTest::addRow("fallocate %s at the start", name) << QByteArray("fallocate") << error << 1 << true << 4;
        QTest::addRow("fallocate %s as the run grows", name) << QByteArray("fallocate") << error << 2 << true << 150;
        QTest::addRow("write %s at the start", name) << QByteArray("write") << error << 1 << false << 4;
        QTest::addRow("write %s at the first rename", name) << QByteArray("write") << error << 3 << false << 4;
        QTest::addRow("write %s at the third rename", name) << QByteArray("write") << error << 5 << false << 4;
        QTest::addRow("fdatasync %s", name) << QByteArray("fdatasync") << error << 0 << true << 4;
        QTest::addRow("fdatasync %s, no room reserved", name) << QByteArray("fdatasync") << error << 0 << false << 4;
    }
    QTest::newRow("mmap ENOMEM at the start") << QByteArray("mmap") << ENOMEM << 1 << true << 4;
    QTest::newRow("mmap ENOMEM as the run grows") << QByteArray("mmap") << ENOMEM << 2 << true << 150;
}

void TestJournalFaults::failedJournalWriteLosesNothing()
{
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    QFETCH(int, nth);
    QFETCH(bool, reserves);
    QFETCH(int, files);
    // Long names fill the room first reserved in some hundred files.
    QStringList names;
    for (int i = 0; i < files; ++i) {
        const QString stem = files <= 26 ? QString(QChar(u'a' + i))
                                         : QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')) + QString(230, u'x');
        names.append(stem + u".txt");
    }
    for (const QString &name : names)
        QVERIFY(writeFile(m_dir->filePath(name), name.toUtf8()));
    RunRig rig;
    RunJournal journal;
    rig.run.setJournal(&journal);
    QVERIFY(rig.folders.setPath(m_dir->path()));
    {
        FaultScope faults({call.constData(), error, nth, nullptr, nullptr, nullptr});
        if (!reserves)
            faults.arm({"fallocate", EOPNOTSUPP, 0, nullptr, nullptr, nullptr});
        QVERIFY(rig.run.start(RunScope::AllFilesInCurrentFolder));
        QVERIFY(faults.hits() >= 1);
    }
    QCOMPARE(rig.run.intFilesRenamed(), names.size());
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString newName = QStringLiteral("%1_").arg(i + 1, 4, 10, QLatin1Char('0')) + names.at(i);
        QCOMPARE(readFile(m_dir->filePath(newName)), names.at(i).toUtf8());
    }
    const QStringList errors = rig.run.log().errors();
    QCOMPARE(errors.size(), 1);
    QVERIFY2(errors.first().startsWith(u"'This run cannot be undone: " + systemErrorText(error) + u'\''),
             qPrintable(errors.first()));
    QVERIFY(journal::journalPaths().isEmpty());
    QVERIFY(!UndoRun::canUndo());
}

// Room reserved and not used is cut off at the end only to save space: where
// that fails, the journal still reads whole and undo takes the run back.
void TestJournalFaults::roomLeftAfterTheEndIsHarmless()
{
    const QStringList names{"a.txt", "b.txt", "c.txt"};
    for (const QString &name : names)
        QVERIFY(writeFile(m_dir->filePath(name), name.toUtf8()));
    RunRig rig;
    RunJournal journal;
    rig.run.setJournal(&journal);
    QVERIFY(rig.folders.setPath(m_dir->path()));
    {
        FaultScope faults({"ftruncate", EIO, 0, nullptr, nullptr, nullptr});
        QVERIFY(rig.run.start(RunScope::AllFilesInCurrentFolder));
        QCOMPARE(faults.hits(), 1);
    }
    QCOMPARE(rig.run.intFilesRenamed(), names.size());
    QVERIFY(rig.run.log().errors().isEmpty());
    const QString path = journal::journalPaths().value(0);
    QVERIFY(QFileInfo(path).size() > 4096);
    const journal::JournalContents contents = journal::readJournal(path);
    QVERIFY(contents.ended);
    QCOMPARE(contents.renames.size(), names.size());
    QVERIFY(contents.damagedAt.isEmpty());
    QCOMPARE(journal::glanceAt(path).lastRecord, journal::RecordType::End);
    RecordingSink sink;
    ScriptedClock clock;
    UndoRun undo(sink, clock);
    QVERIFY(undo.start());
    QCOMPARE(undo.filesRestored(), names.size());
    QVERIFY(undo.log().errors().isEmpty());
    QCOMPARE(namesIn(m_dir->path()), names);
}

QTEST_GUILESS_MAIN(TestJournalFaults)
#include "tst_journalfaults.moc"
