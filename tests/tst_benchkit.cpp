// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of the benchmark driver that decide whether a row is right: the
// gap recorder behind the responsiveness rows, and the folder helpers and the
// bare computation the million rows check both sides with.
#include "BareLoops.h"
#include "BenchFolders.h"
#include "BenchTable.h"
#include "GapRecorder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace kestrava::bench;

namespace {

// Keeps the GUI thread from handling events for \a ms, as a long handler would.
void block(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QThread::usleep(500);
}

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

} // namespace

class TestBenchKit : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The action blocks the event loop for blockMs at startMs after it began,
    // then lets events through until endMs. Only lower bounds, and upper
    // bounds far from them, are checked: the machine may be busy.
    void gapRecorderCountsOnlyStretchesAfterTheFirstSecond_data()
    {
        QTest::addColumn<int>("startMs");
        QTest::addColumn<int>("blockMs");
        QTest::addColumn<int>("endMs");
        QTest::addColumn<double>("afterGraceAtLeast");
        QTest::addColumn<double>("afterGraceBelow");
        QTest::addColumn<double>("wholeAtLeast");
        // clang-format off
        QTest::newRow("block in the first second")     << 0    << 500 << 1300 << 0.0   << 400.0  << 500.0;
        QTest::newRow("block across the first second") << 700  << 600 << 1500 << 250.0 << 550.0  << 600.0;
        QTest::newRow("block after the first second")  << 1100 << 300 << 1600 << 300.0 << 1000.0 << 300.0;
        QTest::newRow("block up to the end")           << 1100 << 300 << 0    << 300.0 << 1000.0 << 300.0;
        // clang-format on
    }
    void gapRecorderCountsOnlyStretchesAfterTheFirstSecond()
    {
        QFETCH(int, startMs);
        QFETCH(int, blockMs);
        QFETCH(int, endMs);
        QFETCH(double, afterGraceAtLeast);
        QFETCH(double, afterGraceBelow);
        QFETCH(double, wholeAtLeast);
        bool ended = false;
        const DrivenAction driven = driveThroughEventLoop(
            [&] {
                QTimer::singleShot(startMs, [&] {
                    block(blockMs);
                    if (endMs == 0)
                        ended = true;
                });
                if (endMs > 0)
                    QTimer::singleShot(endMs, [&] { ended = true; });
            },
            [&] { return ended; });
        QVERIFY(driven.finished);
        QCOMPARE_GE(driven.longestGapAfterGraceMs, afterGraceAtLeast);
        QCOMPARE_LT(driven.longestGapAfterGraceMs, afterGraceBelow);
        QCOMPARE_GE(driven.longestGapMs, wholeAtLeast);
    }

    // restoreFolder() is how the million rows check that a run renamed every
    // file: it must fail on any file left alone, and never replace one.
    void restoreFolderPutsBackOnlyAFolderRenamedInFull_data()
    {
        QTest::addColumn<int>("renamed");
        QTest::addColumn<bool>("blocker");
        QTest::addColumn<bool>("restored");
        QTest::newRow("every file renamed") << 5 << false << true;
        QTest::newRow("one file left alone") << 4 << false << false;
        QTest::newRow("an old name taken by another file") << 5 << true << false;
    }
    void restoreFolderPutsBackOnlyAFolderRenamedInFull()
    {
        QFETCH(int, renamed);
        QFETCH(bool, blocker);
        QFETCH(bool, restored);
        QTemporaryDir temporary;
        const std::string folder = temporary.filePath(QStringLiteral("f")).toStdString();
        QVERIFY(makeFolder(folder, 5));
        const QString path = QString::fromStdString(folder);
        const QStringList original = namesIn(path);
        for (int i = 0; i < renamed; ++i) {
            const QString name = QString::fromStdString(benchFileName(i));
            QVERIFY(QFile::rename(path + u'/' + name, path + u'/' + QString(name).replace(u' ', u'_')));
        }
        const QString takenName = path + u'/' + QString::fromStdString(benchFileName(2));
        if (blocker) {
            QFile taken(takenName);
            QVERIFY(taken.open(QIODevice::WriteOnly));
            taken.write("keep");
        }
        QCOMPARE(restoreFolder(folder, 5), restored);
        if (restored)
            QCOMPARE(namesIn(path), original);
        if (blocker) {
            QFile taken(takenName);
            QVERIFY(taken.open(QIODevice::ReadOnly));
            QCOMPARE(taken.readAll(), QByteArray("keep"));
        }
    }

    // The bare preview counts the files a run would rename: not one whose new
    // name another file has, nor one gone from the folder.
    void bareNamesAgainstFolderCountsWhatARunWouldRename_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("renamable");
        QTest::newRow("folder as listed") << QString() << 4;
        QTest::newRow("a new name taken") << QStringLiteral("take") << 3;
        QTest::newRow("a listed file gone") << QStringLiteral("remove") << 3;
    }
    void bareNamesAgainstFolderCountsWhatARunWouldRename()
    {
        QFETCH(QString, change);
        QFETCH(int, renamable);
        QTemporaryDir temporary;
        const std::string folder = temporary.filePath(QStringLiteral("f")).toStdString();
        QVERIFY(makeFolder(folder, 4));
        const std::vector<std::string> names = bareSortedNames(folder.c_str());
        QCOMPARE(names.size(), std::size_t(4));
        if (change == u"take") {
            std::string newName;
            QVERIFY(BareNaming().newName(names.front(), newName));
            QVERIFY(QFile(QString::fromStdString(folder + '/' + newName)).open(QIODevice::WriteOnly));
        }
        if (change == u"remove")
            QVERIFY(QFile::remove(QString::fromStdString(folder + '/' + names.front())));
        BareNaming naming;
        QCOMPARE(bareNamesAgainstFolder(folder.c_str(), names, naming), std::size_t(renamable));
    }

    void fileSystemIsNamedByTheMountTable()
    {
        QCOMPARE(fileSystemOf(QStringLiteral("/proc/self")), QStringLiteral("proc"));
        QTemporaryDir temporary;
        QVERIFY(!fileSystemOf(temporary.path()).isEmpty());
        QVERIFY(fileSystemOf(temporary.path()) != u"unknown");
    }
};

QTEST_MAIN(TestBenchKit)
#include "tst_benchkit.moc"
