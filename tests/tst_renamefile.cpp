// SPDX-License-Identifier: GPL-3.0-or-later
#include "DiskOperations.h"
#include "FolderNameRules.h"
#include "RunTestKit.h"

#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

class TestRenameFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void renamesWithinTheFolder();
    void neverReplacesAnExistingFile();
    void sameNameIsNotRenamedButStillAsked();
    void caseOnlyChangeIsARename();
    void confirmation_data();
    void confirmation();
    void readOnlySkippedWhenIgnored();
    void readOnlyMadeWritableAndRenamed();
    void unusableNewNamesLeaveTheFileAlone_data();
    void unusableNewNamesLeaveTheFileAlone();
    void missingFileIsFalse();
    void missingFolderIsFalseAndHoldsNothingOpen();
    void symbolicLinkIsRenamedItself();
    void sameFileUnderTwoNamesKeepsBoth();
    void linkFallbackRenamesWithoutReplacing();
    void caseOnlyPathNeedsACaseBlindFolder_data();
    void caseOnlyPathNeedsACaseBlindFolder();
    void linksDifferingInCaseStayApart();

private:
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    QString folder() const { return m_dir->path() + u'/'; }
};

void TestRenameFile::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_rig = new RunRig;
}

void TestRenameFile::cleanup()
{
    delete m_rig;
    delete m_dir;
}

void TestRenameFile::renamesWithinTheFolder()
{
    QVERIFY(writeFile(folder() + u"old.txt", "data"));
    QVERIFY(m_rig->run.RenameFile(folder(), QStringLiteral("old.txt"), QStringLiteral("new.txt")));
    QCOMPARE(namesIn(folder()), QStringList({"new.txt"}));
    QCOMPARE(readFile(folder() + u"new.txt"), QByteArray("data"));
    QCOMPARE(m_rig->run.log().statuses().last().outcome, FileOutcome::Renamed);
    QVERIFY(m_rig->prompt.texts.isEmpty());
}

void TestRenameFile::neverReplacesAnExistingFile()
{
    QVERIFY(writeFile(folder() + u"a.txt", "first"));
    QVERIFY(writeFile(folder() + u"b.txt", "second"));
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("a.txt"), QStringLiteral("b.txt")));
    QCOMPARE(readFile(folder() + u"a.txt"), QByteArray("first"));
    QCOMPARE(readFile(folder() + u"b.txt"), QByteArray("second"));
    const FileStatus status = m_rig->run.log().statuses().last();
    QCOMPARE(status.outcome, FileOutcome::Failed);
    QCOMPARE(status.reason, QStringLiteral("File exists"));
    // A refused rename is an error like any other, with the system's text.
    QCOMPARE(m_rig->run.log().errors(),
             QStringList({u"'File exists'  whilst processing file '" + folder() + u"a.txt'"}));
}

void TestRenameFile::sameNameIsNotRenamedButStillAsked()
{
    QVERIFY(writeFile(folder() + u"same.txt"));
    m_rig->settings.confirm = true;
    m_rig->prompt.answers = {PromptAnswer::Yes};
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("same.txt"), QStringLiteral("same.txt")));
    QCOMPARE(m_rig->prompt.texts.size(), 1);
    QCOMPARE(m_rig->run.log().statuses().last().outcome, FileOutcome::Unchanged);
    QCOMPARE(namesIn(folder()), QStringList({"same.txt"}));
}

void TestRenameFile::caseOnlyChangeIsARename()
{
    QVERIFY(writeFile(folder() + u"a.txt", "x"));
    QVERIFY(m_rig->run.RenameFile(folder(), QStringLiteral("a.txt"), QStringLiteral("A.TXT")));
    QCOMPARE(namesIn(folder()), QStringList({"A.TXT"}));
}

void TestRenameFile::confirmation_data()
{
    QTest::addColumn<PromptAnswer>("answer");
    QTest::addColumn<bool>("renamed");
    QTest::addColumn<bool>("stopRequested");
    QTest::newRow("yes") << PromptAnswer::Yes << true << false;
    QTest::newRow("no") << PromptAnswer::No << false << false;
    QTest::newRow("cancel") << PromptAnswer::Cancel << false << true;
}

void TestRenameFile::confirmation()
{
    QFETCH(PromptAnswer, answer);
    QFETCH(bool, renamed);
    QFETCH(bool, stopRequested);
    QVERIFY(writeFile(folder() + u"old name.txt"));
    m_rig->settings.confirm = true;
    m_rig->prompt.answers = {answer};
    QCOMPARE(m_rig->run.RenameFile(folder(), QStringLiteral("old name.txt"), QStringLiteral("New.txt")), renamed);
    QCOMPARE(m_rig->prompt.titles, QStringList({"Confirm Rename"}));
    QCOMPARE(m_rig->prompt.texts, QStringList({"Rename this File ?\n\nOLD : old name.txt\nNEW : New.txt"}));
    QCOMPARE(m_rig->run.blnStopRequested(), stopRequested);
    QCOMPARE(namesIn(folder()), QStringList({renamed ? "New.txt" : "old name.txt"}));
    if (!renamed)
        QCOMPARE(m_rig->run.log().statuses().last().outcome, FileOutcome::Declined);
}

void TestRenameFile::readOnlySkippedWhenIgnored()
{
    const QString path = folder() + u"locked.txt";
    QVERIFY(writeFile(path));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0440), 0);
    m_rig->settings.ignoreReadOnly_ = true;
    m_rig->settings.confirm = true;
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("locked.txt"), QStringLiteral("x.txt")));
    QVERIFY(m_rig->prompt.texts.isEmpty());
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0440));
    QCOMPARE(m_rig->run.log().statuses().last().outcome, FileOutcome::SkippedReadOnly);
}

void TestRenameFile::readOnlyMadeWritableAndRenamed()
{
    const QString path = folder() + u"locked.txt";
    QVERIFY(writeFile(path));
    QCOMPARE(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    QVERIFY(m_rig->run.RenameFile(folder(), QStringLiteral("locked.txt"), QStringLiteral("free.txt")));
    struct stat info;
    QCOMPARE(::stat(QFile::encodeName(folder() + u"free.txt").constData(), &info), 0);
    QCOMPARE(info.st_mode & 07777, mode_t(0644)); // owner write added, nothing else changed
    QCOMPARE(m_rig->run.intErrorCount(), 0);
}

void TestRenameFile::unusableNewNamesLeaveTheFileAlone_data()
{
    QTest::addColumn<QString>("newName");
    QTest::newRow("empty") << QString();
    QTest::newRow("dot") << ".";
    QTest::newRow("dot dot") << "..";
    QTest::newRow("into the parent") << "../escaped.txt";
    QTest::newRow("into a sub-folder") << "sub/moved.txt";
    QTest::newRow("NUL") << QStringView(u"a\0b.txt", 7).toString();
}

void TestRenameFile::unusableNewNamesLeaveTheFileAlone()
{
    QFETCH(QString, newName);
    QVERIFY(QDir(folder()).mkdir(QStringLiteral("sub")));
    QVERIFY(writeFile(folder() + u"keep.txt"));
    m_rig->settings.confirm = true;
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("keep.txt"), newName));
    QVERIFY(m_rig->prompt.texts.isEmpty());
    QCOMPARE(namesIn(folder()), QStringList({"keep.txt", "sub"}));
    QCOMPARE(namesIn(folder() + u"sub"), QStringList());
    QCOMPARE(m_rig->run.log().statuses().last().outcome, FileOutcome::Failed);
}

void TestRenameFile::missingFileIsFalse()
{
    m_rig->settings.confirm = true;
    m_rig->prompt.answers = {PromptAnswer::Yes};
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("gone.txt"), QStringLiteral("x.txt")));
    QCOMPARE(m_rig->prompt.texts.size(), 1);
    QCOMPARE(m_rig->run.log().statuses().last().reason, QStringLiteral("No such file or directory"));
    QCOMPARE(namesIn(folder()), QStringList());
}

// Outside a run the folder is opened for the one file and let go at once;
// a folder that cannot be opened still gives the system's text.
void TestRenameFile::missingFolderIsFalseAndHoldsNothingOpen()
{
    const auto openFiles = [] { return QDir(QStringLiteral("/proc/self/fd")).count(); };
    const qsizetype before = openFiles();
    QVERIFY(writeFile(folder() + u"a.txt"));
    QVERIFY(m_rig->run.RenameFile(folder(), QStringLiteral("a.txt"), QStringLiteral("b.txt")));
    QVERIFY(!m_rig->run.RenameFile(folder() + u"nowhere/", QStringLiteral("a.txt"), QStringLiteral("c.txt")));
    QCOMPARE(m_rig->run.log().statuses().last().reason, QStringLiteral("No such file or directory"));
    QCOMPARE(namesIn(folder()), QStringList({"b.txt"}));
    QCOMPARE(openFiles(), before);
}

void TestRenameFile::symbolicLinkIsRenamedItself()
{
    QVERIFY(writeFile(folder() + u"target.txt", "t"));
    QVERIFY(QFile::link(folder() + u"target.txt", folder() + u"link.txt"));
    QVERIFY(m_rig->run.RenameFile(folder(), QStringLiteral("link.txt"), QStringLiteral("moved.txt")));
    QCOMPARE(namesIn(folder()), QStringList({"moved.txt", "target.txt"}));
    QCOMPARE(QFile::symLinkTarget(folder() + u"moved.txt"), folder() + u"target.txt");
}

void TestRenameFile::sameFileUnderTwoNamesKeepsBoth()
{
    // Two names of one file look, to the no-replace rename, like a case-only
    // change on a case-blind file system; the detour must not lose either name.
    QVERIFY(writeFile(folder() + u"a.txt", "shared"));
    QCOMPARE(
        ::link(QFile::encodeName(folder() + u"a.txt").constData(), QFile::encodeName(folder() + u"b.txt").constData()),
        0);
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("a.txt"), QStringLiteral("b.txt")));
    QCOMPARE(namesIn(folder()), QStringList({"a.txt", "b.txt"}));
    QCOMPARE(readFile(folder() + u"a.txt"), QByteArray("shared"));
}

void TestRenameFile::linkFallbackRenamesWithoutReplacing()
{
    QVERIFY(writeFile(folder() + u"a.txt", "a"));
    QVERIFY(writeFile(folder() + u"b.txt", "b"));
    const auto refused = renameByLink(folder() + u"a.txt", folder() + u"b.txt");
    QVERIFY(!refused);
    QCOMPARE(refused.error(), EEXIST);
    QCOMPARE(readFile(folder() + u"a.txt"), QByteArray("a"));
    QCOMPARE(readFile(folder() + u"b.txt"), QByteArray("b"));
    QVERIFY(renameByLink(folder() + u"a.txt", folder() + u"c.txt"));
    QCOMPARE(namesIn(folder()), QStringList({"b.txt", "c.txt"}));
    QCOMPARE(readFile(folder() + u"c.txt"), QByteArray("a"));
}

void TestRenameFile::caseOnlyPathNeedsACaseBlindFolder_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<bool>("ignoresCase");
    QTest::addColumn<bool>("caseOnly");
    QTest::newRow("case-blind, case only") << QByteArray("a.txt") << QByteArray("A.TXT") << true << true;
    QTest::newRow("case-blind, paths") << QByteArray("/f/a.txt") << QByteArray("/f/A.txt") << true << true;
    QTest::newRow("case-blind, beyond ASCII")
        << QByteArray("\xc3\xa9t\xc3\xa9") << QByteArray("\xc3\x89T\xc3\x89") << true << true;
    QTest::newRow("case-blind, same name") << QByteArray("a.txt") << QByteArray("a.txt") << true << false;
    QTest::newRow("case-blind, other name") << QByteArray("a.txt") << QByteArray("b.txt") << true << false;
    QTest::newRow("case-blind, folder differs only")
        << QByteArray("/F/a.txt") << QByteArray("/f/a.txt") << true << false;
    QTest::newRow("case-sensitive") << QByteArray("a.txt") << QByteArray("A.txt") << false << false;
}

void TestRenameFile::caseOnlyPathNeedsACaseBlindFolder()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(bool, ignoresCase);
    QFETCH(bool, caseOnly);
    FolderNameRules rules;
    rules.ignoresCase = ignoresCase;
    QCOMPARE(isCaseOnlyChange(from, to, rules), caseOnly);
}

// On a case-sensitive file system "a.txt" and "A.txt" can be two hard links
// of one file: the new name is taken like any other, and nothing moves.
void TestRenameFile::linksDifferingInCaseStayApart()
{
    QVERIFY(!folderNameRules(folder()).ignoresCase);
    QVERIFY(writeFile(folder() + u"a.txt", "shared"));
    QCOMPARE(
        ::link(QFile::encodeName(folder() + u"a.txt").constData(), QFile::encodeName(folder() + u"A.txt").constData()),
        0);
    const auto refused = renameNoReplace(folder() + u"a.txt", folder() + u"A.txt");
    QVERIFY(!refused);
    QCOMPARE(refused.error(), EEXIST);
    QVERIFY(!m_rig->run.RenameFile(folder(), QStringLiteral("a.txt"), QStringLiteral("A.txt")));
    QVERIFY(m_rig->run.log().errors().constLast().startsWith(u'\'' + systemErrorText(EEXIST) + u'\''));
    QCOMPARE(namesIn(folder()), QStringList({"A.txt", "a.txt"}));
    QCOMPARE(readFile(folder() + u"a.txt"), QByteArray("shared"));
}

QTEST_GUILESS_MAIN(TestRenameFile)
#include "tst_renamefile.moc"
