// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTestKit.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

bool makeFiles(const QString &folder, const QStringList &names)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &name : names) {
        if (!writeFile(folder + u'/' + name, name.toUtf8()))
            return false;
    }
    return true;
}

} // namespace

class TestFolderWalk : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void walkerFolderPath_data();
    void walkerFolderPath();
    void folderListCarriesTheFileListAlong();
    void selectedFilesOnlyInListOrder();
    void allFilesOfTheFolderWhenAllSelected();
    void treeWalkDepthFirstWithEmptyFolder();
    void stopAtAYieldInTheMiddleOfATree();
    void nameFailuresAreLoggedAndTheWalkGoesOn();
    void unreadableSubFolderIsLoggedAndSkipped();
    void symbolicLinkLoopEnds();
    void fiveThousandFilesNoneLost();

private:
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    QString root() const { return m_dir->path(); }
    void openRoot() { QVERIFY(m_rig->folders.setPath(root())); }
};

void TestFolderWalk::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_rig = new RunRig;
}

void TestFolderWalk::cleanup()
{
    delete m_rig;
    delete m_dir;
}

void TestFolderWalk::walkerFolderPath_data()
{
    QTest::addColumn<QString>("listPath");
    QTest::addColumn<QString>("folderPath");
    QTest::newRow("root keeps its one slash") << "/"
                                              << "/";
    QTest::newRow("folder gets a slash") << "/tmp/photos"
                                         << "/tmp/photos/";
    QTest::newRow("trailing blank is part of the name") << "/tmp/a "
                                                        << "/tmp/a /";
}

void TestFolderWalk::walkerFolderPath()
{
    QFETCH(QString, listPath);
    QFETCH(QString, folderPath);
    QCOMPARE(folderPathOf(listPath), folderPath);
}

void TestFolderWalk::folderListCarriesTheFileListAlong()
{
    QVERIFY(makeFiles(root() + u"/sub", {"x.txt", "y.doc"}));
    QVERIFY(makeFiles(root(), {"a.txt"}));
    m_rig->files.setPattern(QStringLiteral("*.TXT"));
    openRoot();
    QVERIFY(m_rig->folders.setPath(m_rig->folders.subFolderPath(0)));
    QCOMPARE(m_rig->folders.path(), root() + u"/sub");
    QCOMPARE(m_rig->files.count(), 1);
    QCOMPARE(m_rig->files.name(0), QStringLiteral("x.txt"));
    QCOMPARE(m_rig->files.selectedCount(), 1);
    const auto missing = m_rig->folders.setPath(root() + u"/gone");
    QVERIFY(!missing);
    QCOMPARE(missing.error(), QStringLiteral("No such file or directory"));
    QCOMPARE(m_rig->files.folder(), root() + u"/sub"); // both lists stay where they were
    QVERIFY(m_rig->folders.setPath(QStringLiteral("..")));
    QCOMPARE(m_rig->folders.path(), root());
    QCOMPARE(m_rig->files.name(0), QStringLiteral("a.txt"));
}

void TestFolderWalk::selectedFilesOnlyInListOrder()
{
    QVERIFY(makeFiles(root(), {"c.txt", "A.txt", "b.txt", "d.txt"}));
    openRoot();
    m_rig->files.deselectAll();
    m_rig->files.setSelected(1, true); // b.txt
    m_rig->files.setSelected(3, true); // d.txt
    QVERIFY(m_rig->run.start(RunScope::SelectedFiles));
    QCOMPARE(namesIn(root()), QStringList({"0001_b.txt", "0002_d.txt", "A.txt", "c.txt"}));
    QCOMPARE(m_rig->sink.yields, 4); // one per position, selected or not
    const QStringList expected{"status WORKING ...",  "cleared", "yield", "file b.txt", "count 0",
                               "modified 0001_b.txt", "yield",   "yield", "file d.txt", "count 1",
                               "modified 0002_d.txt", "yield"};
    QCOMPARE(m_rig->sink.events.first(expected.size()), expected);
    QCOMPARE(m_rig->files.selectedCount(), 0);
    // The run lists the folder again at its end: the list shows the names on disk.
    QCOMPARE(m_rig->files.name(1), QStringLiteral("0002_d.txt"));
}

void TestFolderWalk::allFilesOfTheFolderWhenAllSelected()
{
    QVERIFY(makeFiles(root(), {"one.txt", "two.txt", "three.txt"}));
    QVERIFY(makeFiles(root() + u"/sub", {"inner.txt"}));
    openRoot(); // opening a folder selects every file
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(namesIn(root()), QStringList({"0001_one.txt", "0002_three.txt", "0003_two.txt", "sub"}));
    QCOMPARE(namesIn(root() + u"/sub"), QStringList({"inner.txt"}));
    QCOMPARE(m_rig->run.log().modifiedText(), QStringLiteral("0003_two.txt\n0002_three.txt\n0001_one.txt\n"));
    QVERIFY(m_rig->sink.folders.isEmpty());
}

void TestFolderWalk::treeWalkDepthFirstWithEmptyFolder()
{
    QVERIFY(makeFiles(root(), {"b.txt", "a.txt"}));
    QVERIFY(makeFiles(root() + u"/empty", {}));
    QVERIFY(makeFiles(root() + u"/sub1", {"c.txt"}));
    QVERIFY(makeFiles(root() + u"/sub1/deep", {"d.txt"}));
    QVERIFY(makeFiles(root() + u"/sub1/deep/deeper", {}));
    QVERIFY(makeFiles(root() + u"/Sub2", {"e.txt"}));
    openRoot();
    m_rig->files.deselectAll(); // the tree walk takes every file whatever is selected
    QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));

    QCOMPARE(m_rig->sink.files, QStringList({"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}));
    QCOMPARE(m_rig->sink.folders,
             QStringList({root(), root() + u"/empty", root() + u"/sub1", root() + u"/sub1/deep",
                          root() + u"/sub1/deep/deeper", root() + u"/Sub2"}));
    QCOMPARE(namesIn(root()), QStringList({"0001_a.txt", "0002_b.txt", "Sub2", "empty", "sub1"}));
    QCOMPARE(namesIn(root() + u"/sub1"), QStringList({"0003_c.txt", "deep"}));
    QCOMPARE(namesIn(root() + u"/sub1/deep"), QStringList({"0004_d.txt", "deeper"}));
    QCOMPARE(namesIn(root() + u"/Sub2"), QStringList({"0005_e.txt"}));
    // Back on the start folder, listing the new names, nothing selected.
    QCOMPARE(m_rig->folders.path(), root());
    QCOMPARE(m_rig->files.count(), 2);
    QCOMPARE(m_rig->files.name(0), QStringLiteral("0001_a.txt"));
    QCOMPARE(m_rig->files.selectedCount(), 0);
    QCOMPARE(m_rig->run.intFilesRenamed(), 5);
    QCOMPARE(m_rig->run.intErrorCount(), 0);
    QCOMPARE(m_rig->sink.events.last(3).first(),
             QStringLiteral("summary A total of  5 files were renamed taking 0 minutes 0 seconds."));
}

void TestFolderWalk::stopAtAYieldInTheMiddleOfATree()
{
    QVERIFY(makeFiles(root(), {"a.txt"}));
    QVERIFY(makeFiles(root() + u"/one", {"b.txt"}));
    QVERIFY(makeFiles(root() + u"/one/two", {"c.txt"}));
    QVERIFY(makeFiles(root() + u"/one/three", {"d.txt"}));
    openRoot();
    // Yields: after a.txt, before "one", after b.txt, before "two": stop there.
    m_rig->sink.onYield = [this](int n) {
        if (n == 4)
            m_rig->run.stop();
    };
    QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));
    QCOMPARE(m_rig->sink.files, QStringList({"a.txt", "b.txt"}));
    // The sub-folder is still entered, and the lists stay in it.
    QCOMPARE(m_rig->sink.folders.last(), root() + u"/one/three");
    QCOMPARE(m_rig->folders.path(), root() + u"/one/three");
    QCOMPARE(m_rig->files.name(0), QStringLiteral("d.txt"));
    QCOMPARE(m_rig->files.selectedCount(), 0);
    QCOMPARE(namesIn(root() + u"/one/three"), QStringList({"d.txt"}));
    QCOMPARE(namesIn(root() + u"/one/two"), QStringList({"c.txt"}));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status INTERRUPTED BY USER")));
    QCOMPARE(m_rig->run.intFilesRenamed(), 2);
}

void TestFolderWalk::nameFailuresAreLoggedAndTheWalkGoesOn()
{
    QVERIFY(makeFiles(root(), {"a.txt", "b.txt", "noext"}));
    QVERIFY(makeFiles(root() + u"/sub", {"c.txt"}));
    m_rig->names.startValue = 9999;
    openRoot();
    QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));
    const QString invalid = QStringLiteral("'Invalid procedure call or argument'  whilst processing file '");
    QCOMPARE(
        m_rig->run.log().errors(),
        QStringList({invalid + root() + u"/b.txt'", invalid + root() + u"/noext'", invalid + root() + u"/sub/c.txt'"}));
    QCOMPARE(m_rig->run.intErrorCount(), 3);
    QCOMPARE(namesIn(root()), QStringList({"9999_a.txt", "b.txt", "noext", "sub"}));
    QCOMPARE(namesIn(root() + u"/sub"), QStringList({"c.txt"}));
    QCOMPARE(m_rig->run.log().statuses().size(), 4);
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));
}

void TestFolderWalk::unreadableSubFolderIsLoggedAndSkipped()
{
    QVERIFY(makeFiles(root(), {"a.txt"}));
    QVERIFY(makeFiles(root() + u"/locked", {"x.txt"}));
    QVERIFY(makeFiles(root() + u"/open", {"y.txt"}));
    for (const QString &path : QStringList{root(), root() + u"/open"})
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0777), 0);
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/locked").constData(), 0300), 0);
    {
        UnprivilegedFileAccess asNobody;
        openRoot();
        QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));
    }
    QCOMPARE(::chmod(QFile::encodeName(root() + u"/locked").constData(), 0700), 0);
    QCOMPARE(m_rig->run.log().errors(),
             QStringList({"'Permission denied'  whilst processing file '" + root() + "/locked'"}));
    QCOMPARE(namesIn(root() + u"/locked"), QStringList({"x.txt"}));
    QCOMPARE(namesIn(root() + u"/open"), QStringList({"0002_y.txt"}));
    QCOMPARE(m_rig->folders.path(), root());
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));
}

void TestFolderWalk::symbolicLinkLoopEnds()
{
    QVERIFY(makeFiles(root(), {"a.txt"}));
    QVERIFY(makeFiles(root() + u"/sub", {"b.txt"}));
    QVERIFY(QFile::link(root(), root() + u"/sub/loop"));
    QVERIFY(QFile::link(root() + u"/sub", root() + u"/alias"));
    openRoot();
    QVERIFY(m_rig->run.start(RunScope::AllFilesIncludingSubFolders));
    QCOMPARE(m_rig->sink.files, QStringList({"a.txt", "b.txt"}));
    QCOMPARE(namesIn(root() + u"/sub"), QStringList({"0002_b.txt", "loop"}));
    QCOMPARE(m_rig->run.intErrorCount(), 0);
    QCOMPARE(m_rig->folders.path(), root());
}

void TestFolderWalk::fiveThousandFilesNoneLost()
{
    QStringList before;
    for (int i = 0; i < 5000; ++i)
        before.append(QStringLiteral("file%1.dat").arg(i, 4, 10, QLatin1Char('0')));
    QVERIFY(makeFiles(root(), before));
    openRoot();
    QVERIFY(m_rig->run.start(RunScope::AllFilesInCurrentFolder));
    QStringList expected;
    for (int i = 0; i < 5000; ++i)
        expected.append(QStringLiteral("%1_").arg(i + 1, 4, 10, QLatin1Char('0')) + before[i]);
    QCOMPARE(namesIn(root()), expected);
    QCOMPARE(m_rig->run.intFilesRenamed(), 5000);
    QCOMPARE(readFile(root() + u"/5000_file4999.dat"), QByteArray("file4999.dat"));
}

QTEST_GUILESS_MAIN(TestFolderWalk)
#include "tst_folderwalk.moc"
