// The undo journal's disk writes fail while a run goes on: the run renames
// every file all the same, says once that it cannot be undone, and offers
// nothing for undo, since a journal known only in part could not take the
// run back whole.
#include "FaultInjection.h"
#include "JournalFormat.h"
#include "RunJournal.h"
#include "RunTestKit.h"
#include "UndoRun.h"

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
    QTest::addColumn<int>("nth"); // 0: every call
    // The journal's writes: its header with the start, the folder, then one
    // record per rename.
    for (const int error : {ENOSPC, EIO}) {
        const char *name = error == ENOSPC ? "ENOSPC" : "EIO";
        QTest::addRow("write %s at the start", name) << QByteArray("write") << error << 1;
        QTest::addRow("write %s at the first rename", name) << QByteArray("write") << error << 3;
        QTest::addRow("write %s at the third rename", name) << QByteArray("write") << error << 5;
        QTest::addRow("fdatasync %s", name) << QByteArray("fdatasync") << error << 0;
    }
}

void TestJournalFaults::failedJournalWriteLosesNothing()
{
    QFETCH(QByteArray, call);
    QFETCH(int, error);
    QFETCH(int, nth);
    const QStringList names{"a.txt", "b.txt", "c.txt", "d.txt"};
    for (const QString &name : names)
        QVERIFY(writeFile(m_dir->filePath(name), name.toUtf8()));
    RunRig rig;
    RunJournal journal;
    rig.run.setJournal(&journal);
    QVERIFY(rig.folders.setPath(m_dir->path()));
    {
        FaultScope faults({call.constData(), error, nth, nullptr, nullptr, nullptr});
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

QTEST_GUILESS_MAIN(TestJournalFaults)
#include "tst_journalfaults.moc"
