// SPDX-License-Identifier: GPL-3.0-or-later
#include "RunTestKit.h"

#include "FileNameBytes.h"
#include "FileNamePattern.h"
#include "FolderNameRules.h"
#include "NameIndex.h"
#include "NewFilename.h"
#include "NumberedName.h"
#include "RenamePlan.h"
#include "RunSimulation.h"

#include <QDateTime>
#include <QMap>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace kestrava;
using namespace kestrava::testing;

Q_DECLARE_METATYPE(kestrava::NumberingOptions)

namespace {

// New names from the naming rules, with counters that carry on from file to
// file: one rule for both the look ahead and the run.
struct RuleNames : NameSource
{
    RenameOptions options;
    NameCounters counters{1, 1};
    void beginRun() override { counters = {1, 1}; }
    std::expected<QString, QString> newName(const QString &oldName) override
    {
        auto name = next(oldName);
        if (!name)
            return std::unexpected(name.error().message);
        return *name;
    }
    std::expected<QString, RenameError> next(const QString &oldName)
    {
        return BuildNewFilename(oldName, options, counters, QDate(2026, 3, 6));
    }
    NumberingOptions numbering() const override { return options.numbering; }
    void restartCounters() override { beginRun(); }
};

// "old=new" pairs; a new name of "!" is a counter past 9999.
std::expected<QString, RenameError> mapped(const QStringList &rules, const QString &oldName)
{
    for (const QString &rule : rules) {
        const qsizetype split = rule.indexOf(u'=');
        if (rule.first(split) != oldName)
            continue;
        const QString newName = rule.sliced(split + 1);
        if (newName == u"!")
            return std::unexpected(RenameError::counterPastLimit());
        return newName;
    }
    return oldName;
}

// Makes \a entries in \a folder: "name" a file, "name/" a folder, "name->target"
// a symbolic link, "name!" a read-only file.
bool makeEntries(const QString &folder, const QStringList &entries)
{
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/')) {
            if (!QDir(folder).mkdir(entry.chopped(1)))
                return false;
        } else if (const qsizetype arrow = entry.indexOf(QStringLiteral("->")); arrow > 0) {
            if (!QFile::link(entry.sliced(arrow + 2), folder + u'/' + entry.first(arrow)))
                return false;
        } else if (entry.endsWith(u'!')) {
            const QString path = folder + u'/' + entry.chopped(1);
            if (!writeFile(path) || ::chmod(QFile::encodeName(path).constData(), 0444) != 0)
                return false;
        } else if (!writeFile(folder + u'/' + entry)) {
            return false;
        }
    }
    return true;
}

const QMap<QString, SimulatedOutcome> outcomeNames{
    {QStringLiteral("computable"), SimulatedOutcome::NotComputable},
    {QStringLiteral("unusable"), SimulatedOutcome::UnusableName},
    {QStringLiteral("long"), SimulatedOutcome::NameTooLong},
    {QStringLiteral("taken"), SimulatedOutcome::NameTaken},
    {QStringLiteral("run"), SimulatedOutcome::NameTakenByRun},
    {QStringLiteral("readonly"), SimulatedOutcome::ReadOnlySkipped},
    {QStringLiteral("unchanged"), SimulatedOutcome::Unchanged},
    {QStringLiteral("renamed"), SimulatedOutcome::Renamed},
};

// The error log's text for a file the run meant to rename and did not.
QString runReason(SimulatedOutcome outcome)
{
    switch (outcome) {
    case SimulatedOutcome::NotComputable:
        return QStringLiteral("Invalid procedure call or argument");
    case SimulatedOutcome::UnusableName:
        return QStringLiteral("Invalid argument");
    case SimulatedOutcome::NameTooLong:
        return QStringLiteral("File name too long");
    default:
        return QStringLiteral("File exists");
    }
}

bool makeRawFile(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
    return fd >= 0 && ::close(fd) == 0;
}

QList<QByteArray> rawNamesIn(const QByteArray &folder)
{
    QList<QByteArray> names;
    if (DIR *dir = ::opendir(folder.constData())) {
        while (const dirent *entry = ::readdir(dir)) {
            if (entry->d_name[0] != '.')
                names.append(QByteArray(entry->d_name));
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

class TestRunSimulation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void runDoesWhatTheLookAheadSays_data();
    void runDoesWhatTheLookAheadSays();
    void summary_data();
    void summary();
    void treeCountsAProblemInASubFolder();
    void namesWithoutADotTakeAPrefixCounter();
    void bytesThatAreNotUtf8AreKept();
    void caseIgnoringFolder();
    void folderAndWalkAgreeOnEveryFile_data();
    void folderAndWalkAgreeOnEveryFile();
    void freeNamesAreThoseThePlanGivesAtOnce_data();
    void freeNamesAreThoseThePlanGivesAtOnce();
    void nameIndexFindsWhatAHashFinds_data();
    void nameIndexFindsWhatAHashFinds();
    void numberedFreeName_data();
    void numberedFreeName();
    void twoFilesToOneNameAreNumbered();
    void walkAndRunNumberInTheChosenOrder_data();
    void walkAndRunNumberInTheChosenOrder();

private:
    QTemporaryDir *m_dir = nullptr;
    RunRig *m_rig = nullptr;
    QString root() const { return m_dir->path(); }
};

void TestRunSimulation::init()
{
    m_dir = new QTemporaryDir;
    QVERIFY(m_dir->isValid());
    m_rig = new RunRig;
}

void TestRunSimulation::cleanup()
{
    delete m_rig;
    delete m_dir;
}

void TestRunSimulation::runDoesWhatTheLookAheadSays_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QStringList>("rules");
    QTest::addColumn<bool>("ignoreReadOnly");
    QTest::addColumn<QStringList>("outcomes"); // one per listed file, in list order
    QTest::addColumn<QString>("summary");

    const QString longName = QString(251, u'x') + QStringLiteral(".txt");
    const QString longUtf8 = QString(126, QChar(0xE9)) + QStringLiteral(".txt"); // 256 bytes
    QTest::newRow("taken and unchanged") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=b.txt"} << false
                                         << QStringList{"taken", "unchanged"}
                                         << "2 of 2 files will not be renamed (1 name taken, 1 unchanged)";
    QTest::newRow("taken by unlisted entries")
        << QStringList{"a.txt", "b.txt", "c.txt", ".h", "dir/", "dangling->nowhere"}
        << QStringList{"a.txt=.h", "b.txt=dir", "c.txt=dangling"} << false << QStringList{"taken", "taken", "taken"}
        << "3 of 3 files will not be renamed (3 names taken)";
    QTest::newRow("taken by entries not in ASCII")
        << QStringList{"a.txt", "b.txt", "\u00e9.txt", ".\u00e9", "caf\u00e9/"}
        << QStringList{"a.txt=caf\u00e9", "b.txt=.\u00e9", "\u00e9.txt=a.txt"} << false
        << QStringList{"taken", "taken", "taken"} << "3 of 3 files will not be renamed (3 names taken)";
    QTest::newRow("chain through a name not in ASCII")
        << QStringList{"a.txt", "\u00e9.txt"} << QStringList{"a.txt=\u00e9.txt", "\u00e9.txt=\u00e8.txt"} << false
        << QStringList{"renamed", "renamed"} << "All 2 files will be renamed";
    QTest::newRow("two files, one name") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=x.txt", "b.txt=x.txt"}
                                         << false << QStringList{"renamed", "run"}
                                         << "1 of 2 files will not be renamed (1 name taken by an earlier file)";
    QTest::newRow("chain through a freed name")
        << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=c.txt", "b.txt=a.txt"} << false
        << QStringList{"renamed", "renamed"} << "All 2 files will be renamed";
    // A name held by a file of the run that moves away is free by its turn.
    QTest::newRow("name freed too late") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=b.txt", "b.txt=c.txt"}
                                         << false << QStringList{"renamed", "renamed"}
                                         << "All 2 files will be renamed";
    QTest::newRow("chain") << QStringList{"x.txt", "xx.txt"} << QStringList{"x.txt=xx.txt", "xx.txt=xxxx.txt"}
                           << false << QStringList{"renamed", "renamed"} << "All 2 files will be renamed";
    QTest::newRow("chain onto a name kept") << QStringList{"a.txt", "b.txt", "c.txt"}
                                            << QStringList{"a.txt=b.txt", "b.txt=c.txt"} << false
                                            << QStringList{"taken", "taken", "unchanged"}
                                            << "3 of 3 files will not be renamed (2 names taken, 1 unchanged)";
    QTest::newRow("swap") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=b.txt", "b.txt=a.txt"} << false
                          << QStringList{"renamed", "renamed"} << "All 2 files will be renamed";
    QTest::newRow("three-way rotation") << QStringList{"a.txt", "b.txt", "c.txt"}
                                        << QStringList{"a.txt=b.txt", "b.txt=c.txt", "c.txt=a.txt"} << false
                                        << QStringList{"renamed", "renamed", "renamed"} << "All 3 files will be renamed";
    QTest::newRow("swap beside a read-only file skipped")
        << QStringList{"a.txt", "b.txt", "r.txt!"} << QStringList{"a.txt=b.txt", "b.txt=a.txt", "r.txt=a.txt"} << true
        << QStringList{"renamed", "renamed", "readonly"}
        << "1 of 3 files will not be renamed (1 read-only file skipped)";
    QStringList shiftEntries;
    QStringList shiftRules;
    for (int i = 1; i <= 100; ++i) {
        shiftEntries.append(QStringLiteral("%1_x").arg(i, 4, 10, QChar(u'0')));
        shiftRules.append(shiftEntries.last() + u'=' + QStringLiteral("%1_x").arg(i + 1, 4, 10, QChar(u'0')));
    }
    QTest::newRow("shift up by one over 100 files") << shiftEntries << shiftRules << false
                                                    << QStringList(100, QStringLiteral("renamed"))
                                                    << "All 100 files will be renamed";
    QTest::newRow("two files to one name, numbered")
        << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=x.txt", "b.txt=x.txt", "when-taken=number"} << false
        << QStringList{"renamed", "renamed"} << "All 2 files will be renamed";
    QTest::newRow("numbered past a taken (2)")
        << QStringList{"a.txt", "x.txt!", "x (2).txt!"} << QStringList{"a.txt=x.txt", "when-taken=number"} << true
        << QStringList{"renamed", "readonly", "readonly"}
        << "2 of 3 files will not be renamed (2 read-only files skipped)";
    QTest::newRow("numbered at the length limit")
        << QStringList{"a.txt", longName} << QStringList{"a.txt=" + longName, "when-taken=number"} << false
        << QStringList{"renamed", "unchanged"} << "1 of 2 files will not be renamed (1 unchanged)";
    QTest::newRow("unusable names") << QStringList{"a.txt", "b.txt", "c.txt", "d.txt"}
                                    << QStringList{"a.txt=", "b.txt=x/y", "c.txt=..", "d.txt=."} << false
                                    << QStringList{"unusable", "unusable", "unusable", "unusable"}
                                    << "4 of 4 files will not be renamed (4 unusable names)";
    QTest::newRow("too long") << QStringList{"a.txt", "b.txt", "c.txt"}
                              << QStringList{"a.txt=" + longName + "x", "b.txt=" + longName, "c.txt=" + longUtf8}
                              << false << QStringList{"long", "renamed", "long"}
                              << "2 of 3 files will not be renamed (2 names too long)";
    QTest::newRow("counter past 9999") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=!", "b.txt=c.txt"}
                                       << false << QStringList{"computable", "renamed"}
                                       << "1 of 2 files will not be renamed (1 name cannot be computed)";
    QTest::newRow("read-only skipped") << QStringList{"a.txt", "r.txt!"} << QStringList{"a.txt=x.txt", "r.txt=y.txt"}
                                       << true << QStringList{"renamed", "readonly"}
                                       << "1 of 2 files will not be renamed (1 read-only file skipped)";
    QTest::newRow("read-only renamed") << QStringList{"r.txt!"} << QStringList{"r.txt=y.txt"} << false
                                       << QStringList{"renamed"} << "The 1 file will be renamed";
    QTest::newRow("becomes hidden") << QStringList{"a.txt", "b.txt"} << QStringList{"a.txt=.a", "b.txt=b2.txt"} << false
                                    << QStringList{"renamed", "renamed"}
                                    << "All 2 files will be renamed; 1 will become hidden";
    QTest::newRow("every reason")
        << QStringList{"a.txt", "b.txt", "c.txt", "d.txt", "e.txt", "f.txt!", "g.txt", ".x"}
        << QStringList{"a.txt=!", "b.txt=", "c.txt=" + longName + "x", "d.txt=.x", "e.txt=.y", "f.txt=z", "g.txt=.y"}
        << true << QStringList{"computable", "unusable", "long", "taken", "renamed", "readonly", "run"}
        << "6 of 7 files will not be renamed (1 name cannot be computed, 1 unusable name, 1 name too long, "
           "1 name taken, 1 name taken by an earlier file, 1 read-only file skipped); 1 will become hidden";
    // Many files, so that the renames run on their own thread, with a swap
    // between two stretches of them.
    QStringList manyEntries{"s1.txt", "s2.txt"};
    QStringList manyRules{"s1.txt=s2.txt", "s2.txt=s1.txt"};
    QStringList manyOutcomes;
    const QList<std::pair<QString, QString>> kinds{{"a", "computable"}, {"b", "unusable"}, {"c", "long"},
                                                   {"d", "taken"},      {"e", "renamed"},  {"f", "readonly"},
                                                   {"g", "run"}};
    for (const auto &[letter, outcome] : kinds) {
        for (int i = 0; i < 60; ++i) {
            const QString name = letter + QStringLiteral("%1.txt").arg(i, 2, 10, QChar(u'0'));
            const QString hidden = QStringLiteral(".y%1").arg(i, 2, 10, QChar(u'0'));
            manyEntries.append(letter == u"f" ? name + u'!' : name);
            manyOutcomes.append(outcome);
            if (letter == u"a")
                manyRules.append(name + u"=!");
            else if (letter == u"b")
                manyRules.append(name + u'=');
            else if (letter == u"c")
                manyRules.append(name + u'=' + longName + u'x');
            else if (letter == u"d")
                manyRules.append(name + u"=.x");
            else if (letter == u"f")
                manyRules.append(name + u"=z" + name);
            else
                manyRules.append(name + u'=' + hidden);
        }
    }
    manyEntries.append(".x");
    manyOutcomes << "renamed" << "renamed";
    QTest::newRow("every reason among 422 files, around a swap")
        << manyEntries << manyRules << true << manyOutcomes
        << "360 of 422 files will not be renamed (60 names cannot be computed, 60 unusable names, 60 names too long, "
           "60 names taken, 60 names taken by earlier files, 60 read-only files skipped); 60 will become hidden";
}

void TestRunSimulation::runDoesWhatTheLookAheadSays()
{
    QFETCH(QStringList, entries);
    QFETCH(QStringList, rules);
    QFETCH(bool, ignoreReadOnly);
    QFETCH(QStringList, outcomes);
    QFETCH(QString, summary);
    QVERIFY(makeEntries(root(), entries));
    QVERIFY(m_rig->folders.setPath(root()));

    // The look ahead, as the window's preview asks for it.
    QStringList oldNames;
    QList<std::expected<QString, RenameError>> newNames;
    for (const DirectoryEntry &entry : m_rig->files.entries()) {
        oldNames.append(entry.name);
        newNames.append(mapped(rules, entry.name));
    }
    const WhenTaken whenTaken =
        rules.contains(QStringLiteral("when-taken=number")) ? WhenTaken::Number : WhenTaken::Leave;
    const auto simulated = simulateFolder(root(), oldNames, newNames, {ignoreReadOnly, whenTaken});
    QVERIFY(simulated.has_value());
    QCOMPARE(simulated->size(), outcomes.size());
    SimulationCounts counts;
    for (qsizetype i = 0; i < outcomes.size(); ++i) {
        QCOMPARE(simulated->at(i).outcome, outcomeNames.value(outcomes.at(i)));
        counts.add(simulated->at(i));
    }
    QCOMPARE(simulationSummary(counts, SimulationScope::Folder), summary);

    // The run renames exactly those files and logs every other one but the
    // unchanged and the skipped read-only ones.
    FixedNames names;
    names.rule = [&rules](const QString &old) -> std::expected<QString, QString> {
        const auto name = mapped(rules, old);
        return name ? std::expected<QString, QString>(*name) : std::unexpected(name.error().message);
    };
    m_rig->settings.ignoreReadOnly_ = ignoreReadOnly;
    names.taken = whenTaken;
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(run.log().statuses().size(), oldNames.size());
    // The run logs its files in the order it renames them, which waits for
    // names held by other files of the run.
    QHash<QString, FileStatus> statuses;
    for (const FileStatus &status : run.log().statuses())
        statuses.insert(status.oldName, status);
    QStringList expectedErrors;
    for (qsizetype i = 0; i < oldNames.size(); ++i) {
        const SimulatedOutcome outcome = simulated->at(i).outcome;
        const FileStatus status = statuses.value(oldNames.at(i));
        QCOMPARE(status.outcome == FileOutcome::Renamed, outcome == SimulatedOutcome::Renamed);
        if (outcome == SimulatedOutcome::Renamed) {
            // The name the look ahead gave is the one the file has now.
            const QString given = simulated->at(i).numberedName.isEmpty() ? *newNames.at(i) : simulated->at(i).numberedName;
            QCOMPARE(status.newName, given);
            QVERIFY2(QFileInfo::exists(root() + u'/' + given), qPrintable(given));
        }
        if (outcome != SimulatedOutcome::Renamed && outcome != SimulatedOutcome::Unchanged
            && outcome != SimulatedOutcome::ReadOnlySkipped)
            expectedErrors.append(u'\'' + runReason(outcome) + u"'  whilst processing file '" + root() + u'/' + oldNames.at(i) + u'\'');
    }
    expectedErrors.sort();
    QStringList errors = run.log().errors();
    errors.sort();
    QCOMPARE(errors, expectedErrors);
    QCOMPARE(run.intErrorCount(), expectedErrors.size());
    QCOMPARE(run.intFilesRenamed(), counts.count(SimulatedOutcome::Renamed));
    QVERIFY(m_rig->sink.events.contains(QStringLiteral("status COMPLETED")));

    // The same folder again, its free names renamed while the others are
    // still worked out: the same names on disk, the same logs in the same order.
    const auto logged = [](const QString &folder, const RenameRun &done) {
        QStringList lines;
        for (const FileStatus &status : done.log().statuses())
            lines.append(status.oldName + u'>' + status.newName + u' ' + QString::number(int(status.outcome)) + u' '
                         + status.reason);
        for (const QString &error : done.log().errors())
            lines.append(QString(error).replace(folder, QStringLiteral("<folder>")));
        return lines;
    };
    QTemporaryDir twin;
    QVERIFY(makeEntries(twin.path(), entries));
    QVERIFY(m_rig->folders.setPath(twin.path()));
    RenameRun early = m_rig->runWith(names);
    early.setRenamesWhileNaming(true, 1);
    QVERIFY(early.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(logged(twin.path(), early), logged(root(), run));
    QCOMPARE(QDir(twin.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
             QDir(root()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot));
}

void TestRunSimulation::summary_data()
{
    QTest::addColumn<QList<int>>("outcomes"); // a count per SimulatedOutcome, in its order
    QTest::addColumn<int>("hidden");
    QTest::addColumn<bool>("tree");
    QTest::addColumn<QString>("summary");
    QTest::newRow("nothing") << QList<int>{0, 0, 0, 0, 0, 0, 0, 0} << 0 << false << "No files to rename";
    QTest::newRow("example") << QList<int>{0, 0, 0, 2, 0, 0, 1, 117} << 0 << false
                             << "3 of 120 files will not be renamed (2 names taken, 1 unchanged)";
    QTest::newRow("plurals")
        << QList<int>{2, 2, 2, 0, 2, 2, 2, 0} << 0 << false
        << "12 of 12 files will not be renamed (2 names cannot be computed, 2 unusable names, "
           "2 names too long, 2 names taken by earlier files, 2 read-only files skipped, 2 unchanged)";
    QTest::newRow("one of one") << QList<int>{0, 0, 0, 1, 0, 0, 0, 0} << 0 << false
                                << "1 of 1 file will not be renamed (1 name taken)";
    QTest::newRow("tree") << QList<int>{0, 0, 0, 0, 0, 0, 0, 40} << 3 << true
                          << "All 40 files in this folder and its sub-folders will be renamed; 3 will become hidden";
    QTest::newRow("tree with a problem")
        << QList<int>{0, 0, 1, 0, 0, 0, 0, 4} << 0 << true
        << "1 of 5 files in this folder and its sub-folders will not be renamed (1 name too long)";
}

void TestRunSimulation::summary()
{
    QFETCH(QList<int>, outcomes);
    QFETCH(int, hidden);
    QFETCH(bool, tree);
    QFETCH(QString, summary);
    SimulationCounts counts;
    for (int outcome = 0; outcome < simulatedOutcomeCount; ++outcome) {
        for (int n = 0; n < outcomes.at(outcome); ++n)
            counts.add({SimulatedOutcome(outcome), false});
    }
    counts.becomeHidden = hidden;
    QCOMPARE(simulationSummary(counts, tree ? SimulationScope::Tree : SimulationScope::Folder), summary);
}

void TestRunSimulation::treeCountsAProblemInASubFolder()
{
    // The counter carries on into the sub-folder, where a folder holds the
    // name b.txt gets; the linked folder is not walked.
    QVERIFY(makeEntries(root(), {"a.txt", "sub/", "alias->sub", "skip.bin"}));
    QVERIFY(makeEntries(root() + u"/sub", {"b.txt", "c.txt", "0002_b.txt/", "deep/"}));
    QVERIFY(makeEntries(root() + u"/sub/deep", {"d.txt", "up->../.."}));
    RuleNames names;
    names.options.prefixCounter = true;
    const auto tree = simulateTree(root(), FileNamePattern(QStringLiteral("*.txt")),
                                   [&names](const QString &old) { return names.next(old); }, {});
    QCOMPARE(tree.counts.files, 4);
    QCOMPARE(simulationSummary(tree.counts, SimulationScope::Tree),
             QStringLiteral("1 of 4 files in this folder and its sub-folders will not be renamed (1 name taken)"));
    QCOMPARE(tree.problems.size(), 1);
    const SimulatedProblem &problem = tree.problems.first();
    QCOMPARE(problem.folderPath, root() + QStringLiteral("/sub/"));
    QCOMPARE(problem.oldName, QStringLiteral("b.txt"));
    QCOMPARE(problem.newName, QStringLiteral("0002_b.txt"));
    QCOMPARE(problem.reason, systemErrorText(EEXIST));
    QVERIFY(tree.unreadableFolders.isEmpty());

    // The run walks the same way with the same names and fails on that one file.
    m_rig->files.setPattern(QStringLiteral("*.txt"));
    QVERIFY(m_rig->folders.setPath(root()));
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesIncludingSubFolders));
    QCOMPARE(run.log().errors(), QStringList({u"'File exists'  whilst processing file '" + root() + u"/sub/b.txt'"}));
    QCOMPARE(namesIn(root() + u"/sub/deep"), QStringList({"0004_d.txt", "up"}));
    QCOMPARE(run.intFilesRenamed(), 3);
}

void TestRunSimulation::namesWithoutADotTakeAPrefixCounter()
{
    QVERIFY(makeEntries(root(), {"README", "b", "notes."}));
    QVERIFY(m_rig->folders.setPath(root()));
    RuleNames names;
    names.options.prefixCounter = true;
    const auto tree = simulateTree(root(), FileNamePattern(QStringLiteral("*.*")),
                                   [&names](const QString &old) { return names.next(old); }, {});
    QCOMPARE(simulationSummary(tree.counts, SimulationScope::Tree),
             QStringLiteral("All 3 files in this folder and its sub-folders will be renamed"));
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(namesIn(root()), QStringList({"0001_b", "0002_notes.", "0003_README"}));
    QCOMPARE(run.intErrorCount(), 0);
}

void TestRunSimulation::bytesThatAreNotUtf8AreKept()
{
    // Made and checked through the system as bytes: QFile would turn \xe9 into U+FFFD.
    const QByteArray folder = QFile::encodeName(root());
    for (const char *name : {"caf\xe9 menu.txt", "two\nlines.txt"})
        QVERIFY(makeRawFile(folder + '/' + name));
    QVERIFY(m_rig->folders.setPath(root()));
    QCOMPARE(m_rig->files.count(), 2);
    RuleNames names;
    names.options.spaces = SpaceConversion::ToUnderscores;
    names.options.caseConversion = CaseConversion::Uppercase;
    const auto tree = simulateTree(root(), FileNamePattern(QStringLiteral("*.*")),
                                   [&names](const QString &old) { return names.next(old); }, {});
    QCOMPARE(tree.counts.count(SimulatedOutcome::Renamed), 2);
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(run.intErrorCount(), 0);
    const QList<QByteArray> onDisk = rawNamesIn(folder);
    for (const QByteArray &name : onDisk)
        ::unlink(QByteArray(folder + '/' + name).constData()); // QTemporaryDir cannot name it
    QCOMPARE(onDisk, QList<QByteArray>({"CAF\xe9_MENU.TXT", "TWO\nLINES.TXT"}));
    // The file list, read again after the run, shows the names on disk.
    QCOMPARE(displayFileName(m_rig->files.name(0)), QStringLiteral("CAF\uFFFD_MENU.TXT"));
    QCOMPARE(displayFileName(m_rig->files.name(1)), QStringLiteral("TWO\u240ALINES.TXT"));
}

void TestRunSimulation::caseIgnoringFolder()
{
    // A folder with the case-folding flag, on a tmpfs where the kernel offers it.
    const QByteArray point = QFile::encodeName(root() + u"/disk");
    QVERIFY(QDir(root()).mkdir(QStringLiteral("disk")));
    if (::mount("tmpfs", point.constData(), "tmpfs", 0, "casefold,size=1m") != 0)
        QSKIP(
            qPrintable(QStringLiteral("no case-folding file system here: ") + QString::fromLocal8Bit(strerror(errno))));
    const auto unmount = qScopeGuard([&point] { ::umount2(point.constData(), MNT_DETACH); });
    const QString folder = QFile::decodeName(point) + QStringLiteral("/folded");
    QVERIFY(QDir().mkdir(folder));
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    int flags = FS_CASEFOLD_FL;
    const bool folded = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    ::close(fd);
    if (!folded)
        QSKIP("the folder cannot be given the case-folding flag");
    QVERIFY(folderNameRules(folder).ignoresCase);
    QVERIFY(makeEntries(folder, {"a.txt", "b.txt", "c.txt", "D.txt"}));
    QVERIFY(m_rig->folders.setPath(folder));
    const QStringList rules{"a.txt=A.TXT", "b.txt=d.TXT", "c.txt=a.txt"};
    QStringList oldNames;
    QList<std::expected<QString, RenameError>> newNames;
    for (const DirectoryEntry &entry : m_rig->files.entries()) {
        oldNames.append(entry.name);
        newNames.append(mapped(rules, entry.name));
    }
    const auto simulated = simulateFolder(folder, oldNames, newNames, {});
    QVERIFY(simulated.has_value());
    const QList<SimulatedOutcome> expected{SimulatedOutcome::Renamed, SimulatedOutcome::NameTaken,
                                           SimulatedOutcome::NameTakenByRun, SimulatedOutcome::Unchanged};
    for (qsizetype i = 0; i < expected.size(); ++i)
        QCOMPARE(simulated->at(i).outcome, expected.at(i));
    FixedNames names;
    names.rule = [&rules](const QString &old) { return *mapped(rules, old); };
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(namesIn(folder), QStringList({"A.TXT", "D.txt", "b.txt", "c.txt"}));
    QCOMPARE(run.intErrorCount(), 2);

    // The same again with the free names renamed while the others are named:
    // a name is free only as the folder compares names.
    const QString twin = QFile::decodeName(point) + QStringLiteral("/twin");
    QVERIFY(QDir().mkdir(twin));
    const int twinFd = ::open(QFile::encodeName(twin).constData(), O_RDONLY | O_DIRECTORY);
    QVERIFY(::ioctl(twinFd, FS_IOC_SETFLAGS, &flags) == 0);
    ::close(twinFd);
    QVERIFY(makeEntries(twin, {"a.txt", "b.txt", "c.txt", "D.txt", "e.txt"}));
    QVERIFY(m_rig->folders.setPath(twin));
    const QStringList twinRules{"a.txt=A.TXT", "b.txt=d.TXT", "c.txt=a.txt", "e.txt=E2.txt"};
    names.rule = [&twinRules](const QString &old) { return *mapped(twinRules, old); };
    RenameRun early = m_rig->runWith(names);
    early.setRenamesWhileNaming(true, 1);
    QVERIFY(early.start(RunScope::AllFilesInCurrentFolder));
    QCOMPARE(namesIn(twin), QStringList({"A.TXT", "D.txt", "E2.txt", "b.txt", "c.txt"}));
    QCOMPARE(early.intErrorCount(), 2);
}

void TestRunSimulation::folderAndWalkAgreeOnEveryFile_data()
{
    // Forty files f00.txt to f39.txt: more than the look ahead works out
    // ahead of each file, so that every file's turn takes what was worked out
    // for it several files earlier.
    QTest::addColumn<QString>("rule");
    QTest::addColumn<QStringList>("outcomes"); // of f00, f01, f38 and f39
    QTest::newRow("each onto the next") << "next" << QStringList{"renamed", "renamed", "renamed", "renamed"};
    QTest::newRow("each onto the one before") << "before" << QStringList{"renamed", "renamed", "renamed", "renamed"};
    QTest::newRow("all onto one name") << "same" << QStringList{"renamed", "run", "run", "run"};
    QTest::newRow("every third unchanged") << "third" << QStringList{"unchanged", "renamed", "renamed", "unchanged"};
    QTest::newRow("onto a hidden entry") << "hidden" << QStringList{"taken", "renamed", "renamed", "renamed"};
    QTest::newRow("swap in pairs") << "swap" << QStringList{"renamed", "renamed", "renamed", "renamed"};
}

void TestRunSimulation::folderAndWalkAgreeOnEveryFile()
{
    QFETCH(QString, rule);
    QFETCH(QStringList, outcomes);
    constexpr int files = 40;
    const auto fileName = [](int number) { return QStringLiteral("f%1.txt").arg(number, 2, 10, QChar(u'0')); };
    QStringList entries{QStringLiteral(".f00.txt")};
    for (int i = 0; i < files; ++i)
        entries.append(fileName(i));
    QVERIFY(makeEntries(root(), entries));
    const auto newNameOf = [&](const QString &oldName) -> std::expected<QString, RenameError> {
        const int i = oldName.mid(1, 2).toInt();
        if (rule == u"next")
            return fileName(i + 1);
        if (rule == u"before")
            return i == 0 ? QStringLiteral("first.txt") : fileName(i - 1);
        if (rule == u"same")
            return QStringLiteral("same.txt");
        if (rule == u"third")
            return i % 3 == 0 ? oldName : QStringLiteral("g") + oldName;
        if (rule == u"hidden")
            return u'.' + oldName;
        return fileName(i % 2 == 0 ? i + 1 : i - 1);
    };
    QStringList oldNames;
    QList<std::expected<QString, RenameError>> newNames;
    for (int i = 0; i < files; ++i) {
        oldNames.append(fileName(i));
        newNames.append(newNameOf(fileName(i)));
    }

    // The walk works every name out at its turn; the folder's look ahead
    // works them out ahead. Both must agree on every file.
    QList<SimulatedFile> walked;
    simulateTree(root(), FileNamePattern(QStringLiteral("*.txt")), newNameOf, {},
                 [&walked](const SimulatedProblem &file) { walked.append(file.file); });
    const auto given = simulateFolder(root(), oldNames, newNames, {});
    QVERIFY(given.has_value());
    QCOMPARE(walked.size(), files);
    QCOMPARE(given->size(), files);
    for (int i = 0; i < files; ++i)
        QVERIFY2(given->at(i) == walked.at(i), qPrintable(oldNames.at(i)));
    const QList<int> shown{0, 1, files - 2, files - 1};
    for (qsizetype i = 0; i < shown.size(); ++i)
        QCOMPARE(given->at(shown.at(i)).outcome, outcomeNames.value(outcomes.at(i)));
}

void TestRunSimulation::freeNamesAreThoseThePlanGivesAtOnce_data()
{
    QTest::addColumn<QStringList>("rules"); // "old=new" in the files' order; "old=" stays
    QTest::addColumn<bool>("ignoresCase");
    QTest::addColumn<QString>("free"); // one letter a file: y when renamed at once
    QTest::newRow("all free") << QStringList{"a=x", "b=y"} << false << "yy";
    QTest::newRow("two files, one name") << QStringList{"a=x", "b=x"} << false << "yn";
    QTest::newRow("chain") << QStringList{"a=b", "b=c"} << false << "ny";
    QTest::newRow("swap") << QStringList{"a=b", "b=a"} << false << "nn";
    QTest::newRow("onto a file that stays") << QStringList{"a=b", "b="} << false << "nn";
    QTest::newRow("letter case counts") << QStringList{"a=A", "b=B"} << false << "yy";
    QTest::newRow("letter case ignored: own name") << QStringList{"a=A", "b=x"} << true << "ny";
    QTest::newRow("letter case ignored: another's name") << QStringList{"a=B", "b=y"} << true << "ny";
    QTest::newRow("letter case ignored: one name twice") << QStringList{"a=x", "b=X"} << true << "yn";
    QTest::newRow("letter case ignored: a chain") << QStringList{"c=b", "B=x"} << true << "ny";
    QTest::newRow("letter case ignored: a swap") << QStringList{"A=b", "B=a"} << true << "nn";
}

// A file given its name at once is one the plan moves, to that name, in a
// step of its own that waits for no other.
void TestRunSimulation::freeNamesAreThoseThePlanGivesAtOnce()
{
    QFETCH(QStringList, rules);
    QFETCH(bool, ignoresCase);
    QFETCH(QString, free);
    QList<PlannedFile> files;
    QStringList oldNames;
    for (const QString &rule : rules) {
        const QStringList parts = rule.split(u'=');
        oldNames.append(parts[0]);
        files.append({parts[0], parts[1], !parts[1].isEmpty()});
    }
    PlanFolder folder;
    folder.rules.ignoresCase = ignoresCase;
    FreeNames freeNames(std::span(oldNames.constData(), size_t(oldNames.size())), folder.rules);
    QString claimed;
    for (const PlannedFile &file : files)
        claimed += file.moves && freeNames.claim(file.newName) ? u'y' : u'n';
    QCOMPARE(claimed, free);
    const PlannedRenames plan = planRenames(files, folder);
    for (qsizetype i = 0; i < files.size(); ++i) {
        if (claimed[i] != u'y')
            continue;
        QCOMPARE(plan.outcomes[i], PlanOutcome::Moves);
        QCOMPARE(plan.names[i], files[i].newName);
        const auto step = std::find_if(plan.steps.begin(), plan.steps.end(),
                                       [i](const PlannedRenames::Step &s) { return s.file == i; });
        QVERIFY(step != plan.steps.end());
        QCOMPARE(step->kind, PlannedRenames::StepKind::Direct);
    }
    // Played on the names, the steps never give a name still held, as the
    // folder compares names.
    const auto key = [ignoresCase](const QString &name) { return ignoresCase ? name.toCaseFolded() : name; };
    QSet<QString> held;
    for (const QString &name : std::as_const(oldNames))
        held.insert(key(name));
    for (const PlannedRenames::Step &step : plan.steps) {
        const QString to =
            step.kind == PlannedRenames::StepKind::Park ? QStringLiteral("\n") : key(plan.names[step.file]);
        if (step.kind != PlannedRenames::StepKind::FromPark)
            held.remove(key(oldNames[step.file]));
        QVERIFY2(!held.contains(to), qPrintable(to));
        held.insert(to);
    }
}

void TestRunSimulation::nameIndexFindsWhatAHashFinds_data()
{
    QTest::addColumn<int>("names");
    QTest::addColumn<int>("room");  // the count the index is made for
    QTest::addColumn<int>("repeat"); // every repeat-th name is one given before
    QTest::newRow("none") << 0 << 0 << 0;
    QTest::newRow("as many as its room") << 1000 << 1000 << 0;
    QTest::newRow("grown from nothing") << 5000 << 0 << 0;
    QTest::newRow("names given again, the last position kept") << 3000 << 100 << 3;
}

// The index gives for every name the position a QHash would give, and -1 for
// a name never given, however far it grew past the room it was made with.
void TestRunSimulation::nameIndexFindsWhatAHashFinds()
{
    QFETCH(int, names);
    QFETCH(int, room);
    QFETCH(int, repeat);
    QStringList keys;
    for (int i = 0; i < names; ++i)
        keys.append(repeat > 0 && i % repeat == repeat - 1 ? keys.at(i / 2)
                                                           : QStringLiteral("f\u00e9 %1.txt").arg(i * 7919 % 100003));
    const auto keyAt = [&keys](qsizetype i) -> const QString & { return keys.at(i); };
    NameIndex index(room);
    QHash<QString, qsizetype> hash;
    for (qsizetype i = 0; i < keys.size(); ++i) {
        index.insert(keys.at(i), i, keyAt);
        hash.insert(keys.at(i), i);
    }
    for (const QString &key : std::as_const(keys))
        QCOMPARE(index.value(key, keyAt), hash.value(key));
    QCOMPARE(index.value(QStringLiteral("f\u00e9 100004.txt"), keyAt), -1);
    QVERIFY(!index.contains(QString(), keyAt));
    // A name in ASCII hashes alike in Latin-1 and in UTF-16, as the look
    // ahead's table and the run's names meet.
    QCOMPARE(nameHash(QLatin1StringView("Holiday photo 000001.jpg")),
             nameHash(QStringView(u"Holiday photo 000001.jpg")));
}

void TestRunSimulation::numberedFreeName_data()
{
    QTest::addColumn<QString>("wanted");
    QTest::addColumn<QStringList>("taken");
    QTest::addColumn<bool>("utf16");       // a folder that measures names in UTF-16 units
    QTest::addColumn<QString>("numbered"); // empty for none
    const QString e(QStringLiteral("é"));
    const QString smile(QStringLiteral("\U0001F600"));
    QTest::newRow("taken once") << "a.txt" << QStringList{"a.txt"} << false << "a (2).txt";
    QTest::newRow("a taken (2)") << "a.txt" << QStringList{"a.txt", "a (2).txt"} << false << "a (3).txt";
    QTest::newRow("a free (2) below a taken (3)")
        << "a.txt" << QStringList{"a.txt", "a (3).txt"} << false << "a (2).txt";
    QStringList nine{"a.txt"};
    for (int n = 2; n <= 9; ++n)
        nine.append(QStringLiteral("a (%1).txt").arg(n));
    QTest::newRow("ten") << "a.txt" << nine << false << "a (10).txt";
    QTest::newRow("no dot") << "README" << QStringList{"README"} << false << "README (2)";
    QTest::newRow("hidden name is all base") << ".profile" << QStringList{".profile"} << false << ".profile (2)";
    QTest::newRow("last dot") << "archive.tar.gz" << QStringList{"archive.tar.gz"} << false << "archive.tar (2).gz";
    QTest::newRow("trailing dot") << "notes." << QStringList{"notes."} << false << "notes (2).";
    QTest::newRow("a numbered name gets its own number")
        << "a (2).txt" << QStringList{"a (2).txt"} << false << "a (2) (2).txt";
    const QString atLimit = QString(251, u'a') + ".txt";
    QTest::newRow("at the limit") << atLimit << QStringList{atLimit} << false << QString(247, u'a') + " (2).txt";
    QTest::newRow("at the limit, ten") << atLimit << QStringList{atLimit} + [&] {
        QStringList taken;
        for (int n = 2; n <= 9; ++n)
            taken.append(QString(247, u'a') + QStringLiteral(" (%1).txt").arg(n));
        return taken;
    }() << false << QString(246, u'a') + " (10).txt";
    const QString twoByte = e.repeated(125) + ".txt"; // 254 bytes
    QTest::newRow("cut by whole characters")
        << twoByte << QStringList{twoByte} << false << e.repeated(123) + " (2).txt";
    const QString pairs = "a" + smile.repeated(63) + ".t"; // 255 bytes
    QTest::newRow("cut keeps a pair whole")
        << pairs << QStringList{pairs} << false << "a" + smile.repeated(62) + " (2).t";
    const QString units = e.repeated(251) + ".txt"; // 255 units
    QTest::newRow("limit in UTF-16 units") << units << QStringList{units} << true << e.repeated(247) + " (2).txt";
    const QString byte(QChar(char16_t(0xDCE9)));
    const QString bytes = QString(248, u'a') + byte + "bcd.t"; // 254 bytes
    QTest::newRow("a byte that is not UTF-8 is one byte")
        << bytes << QStringList{bytes} << false << QString(248, u'a') + byte + " (2).t";
    QTest::newRow("no room for the base")
        << "a." + QString(251, u'x') << QStringList{"a." + QString(251, u'x')} << false << QString();
}

void TestRunSimulation::numberedFreeName()
{
    QFETCH(QString, wanted);
    QFETCH(QStringList, taken);
    QFETCH(bool, utf16);
    QFETCH(QString, numbered);
    FolderNameRules rules;
    rules.storesUtf16 = utf16;
    const auto name = kestrava::numberedFreeName(
        wanted, [&](const QString &n) { return taken.contains(n); }, rules);
    QCOMPARE(name.value_or(QString()), numbered);
    if (name)
        QVERIFY(!isNameTooLong(*name, rules));
}

void TestRunSimulation::twoFilesToOneNameAreNumbered()
{
    // Each file of a run takes the name it is given, so the next one numbers past it.
    QStringList taken{"a.txt", "b.txt", "c.txt"};
    QStringList given;
    for (int file = 0; file < 3; ++file) {
        QString name = QStringLiteral("photo.jpg");
        if (taken.contains(name))
            name = kestrava::numberedFreeName(name, [&](const QString &n) { return taken.contains(n); }).value();
        taken.append(name);
        given.append(name);
    }
    QCOMPARE(given, QStringList({"photo.jpg", "photo (2).jpg", "photo (3).jpg"}));
}

void TestRunSimulation::walkAndRunNumberInTheChosenOrder_data()
{
    // Entries "name:age:size": a file whose modification time lies age seconds
    // back and which holds size bytes; "name/" a folder.
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<NumberingOptions>("numbering");
    QTest::addColumn<QStringList>("newNames"); // "folder/new name" in the run's order, the top folder as ""
    const QStringList images{"img1.txt:1:0", "img10.txt:2:0", "img2.txt:3:0", "IMG3.txt:4:0"};
    const auto numbering = [](NumberOrder order, bool reverse = false) {
        NumberingOptions numbering;
        numbering.order = order;
        numbering.reverse = reverse;
        return numbering;
    };
    using O = NumberOrder;
    QTest::newRow("name") << images << numbering(O::Name)
                          << QStringList{"/0001_img1.txt", "/0002_img10.txt", "/0003_img2.txt", "/0004_IMG3.txt"};
    QTest::newRow("natural") << images << numbering(O::Natural)
                             << QStringList{"/0001_img1.txt", "/0002_img2.txt", "/0003_IMG3.txt", "/0004_img10.txt"};
    QTest::newRow("natural, last first")
        << images << numbering(O::Natural, true)
        << QStringList{"/0001_img10.txt", "/0002_IMG3.txt", "/0003_img2.txt", "/0004_img1.txt"};
    QTest::newRow("natural: dashes are no minus signs")
        << QStringList{"1-0.txt:0:0", "0-0.txt:0:0", "a1b10.txt:0:0", "a1b2.txt:0:0"} << numbering(O::Natural)
        << QStringList{"/0001_0-0.txt", "/0002_1-0.txt", "/0003_a1b2.txt", "/0004_a1b10.txt"};
    QTest::newRow("natural: case ignored, ties by the bytes")
        << QStringList{"b.txt:0:0", "a.txt:0:0", "A.txt:0:0", "x02.txt:0:0", "x2.txt:0:0"} << numbering(O::Natural)
        << QStringList{"/0001_A.txt", "/0002_a.txt", "/0003_b.txt", "/0004_x02.txt", "/0005_x2.txt"};
    QTest::newRow("date modified, oldest first")
        << images << numbering(O::Modified)
        << QStringList{"/0001_IMG3.txt", "/0002_img2.txt", "/0003_img10.txt", "/0004_img1.txt"};
    QTest::newRow("date modified, newest first")
        << images << numbering(O::Modified, true)
        << QStringList{"/0001_img1.txt", "/0002_img10.txt", "/0003_img2.txt", "/0004_IMG3.txt"};
    QTest::newRow("size, ties in the list's order")
        << QStringList{"a.txt:0:30", "b.txt:0:10", "c.txt:0:20", "d.txt:0:10"} << numbering(O::Size)
        << QStringList{"/0001_b.txt", "/0002_d.txt", "/0003_c.txt", "/0004_a.txt"};
    QTest::newRow("size, largest first")
        << QStringList{"a.txt:0:30", "b.txt:0:10", "c.txt:0:20", "d.txt:0:10"} << numbering(O::Size, true)
        << QStringList{"/0001_a.txt", "/0002_c.txt", "/0003_d.txt", "/0004_b.txt"};
    QTest::newRow("name, last first")
        << QStringList{"a.txt:0:0", "B.txt:0:0", "c.txt:0:0"} << numbering(O::Name, true)
        << QStringList{"/0001_c.txt", "/0002_B.txt", "/0003_a.txt"};
    // Folders are walked as the list orders them; the order holds within each.
    const QStringList tree{"f10.txt:0:0", "f9.txt:0:0", "sub/", "sub/f2.txt:0:0", "sub/f10.txt:0:0"};
    QTest::newRow("a tree, counters running on")
        << tree << numbering(O::Natural)
        << QStringList{"/0001_f9.txt", "/0002_f10.txt", "sub/0003_f2.txt", "sub/0004_f10.txt"};
    NumberingOptions perFolder = numbering(O::Natural);
    perFolder.perFolder = true;
    QTest::newRow("a tree, counters again in each folder")
        << tree << perFolder << QStringList{"/0001_f9.txt", "/0002_f10.txt", "sub/0001_f2.txt", "sub/0002_f10.txt"};
    NumberingOptions stepped;
    stepped.step = 10;
    stepped.digits = 2;
    QTest::newRow("step 10 in two digits")
        << QStringList{"a.txt:0:0", "b.txt:0:0", "c.txt:0:0", "d.txt:0:0", "e.txt:0:0", "f.txt:0:0"} << stepped
        << QStringList{"/01_a.txt", "/11_b.txt", "/21_c.txt", "/31_d.txt", "/41_e.txt", "/51_f.txt"};
}

void TestRunSimulation::walkAndRunNumberInTheChosenOrder()
{
    QFETCH(QStringList, entries);
    QFETCH(NumberingOptions, numbering);
    QFETCH(QStringList, newNames);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    for (const QString &entry : entries) {
        if (entry.endsWith(u'/')) {
            QVERIFY(QDir(root()).mkdir(entry.chopped(1)));
            continue;
        }
        const QStringList parts = entry.split(u':');
        const QString path = root() + u'/' + parts.at(0);
        QVERIFY(writeFile(path, QByteArray(parts.at(2).toInt(), 'x')));
        const timespec times[2] = {{now, 0}, {now - parts.at(1).toInt() * 60, 0}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
    }
    RuleNames names;
    names.options.prefixCounter = true;
    names.options.numbering = numbering;
    const auto shown = [this](const QString &folderPath, const QString &name) -> QString {
        const QStringView relative = QStringView(folderPath).sliced(root().size() + 1);
        return (relative.isEmpty() ? QStringLiteral("/") : relative.toString()) + name;
    };

    // The look ahead's walk, then the run, each numbering with counters of its own.
    QStringList walked;
    names.beginRun();
    simulateTree(
        root(), FileNamePattern(QStringLiteral("*.*")), [&names](const QString &old) { return names.next(old); }, {},
        [&](const SimulatedProblem &file) { walked << shown(file.folderPath, file.newName); },
        {numbering, [&names] { names.restartCounters(); }, {}});
    QCOMPARE(walked, newNames);
    QVERIFY(m_rig->folders.setPath(root()));
    RenameRun run = m_rig->runWith(names);
    QVERIFY(run.start(RunScope::AllFilesIncludingSubFolders));
    QStringList renamed;
    for (const FileStatus &status : run.log().statuses()) {
        QCOMPARE(status.outcome, FileOutcome::Renamed);
        renamed << shown(status.folderPath, status.newName);
    }
    QCOMPARE(renamed, newNames);
}

QTEST_GUILESS_MAIN(TestRunSimulation)
#include "tst_runsimulation.moc"
