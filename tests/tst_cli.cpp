// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the real kestrava-cli over real temporary folders.
#include "CliTestKit.h"
#include "DirectoryListing.h"
#include "FileFactsReader.h"
#include "NewFilename.h"
#include "NumberingOrder.h"
#include "RunJournal.h"
#include "RunSimulation.h"
#include "RunTestKit.h"
#include "Stamps.h"

#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <sys/mount.h>

using namespace kestrava;
using namespace kestrava::testing;

Q_DECLARE_METATYPE(kestrava::RenameOptions)

namespace {

const QDate fixedToday(2026, 3, 9);

RenameOptions with(const std::function<void(RenameOptions &)> &change)
{
    RenameOptions options;
    change(options);
    return options;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void sameNamesAsTheWindow_data();
    void sameNamesAsTheWindow();
    void usageErrors_data();
    void usageErrors();
    void dryRunChangesNothing();
    void conflictGivesStatusOneAndItsReason_data();
    void conflictGivesStatusOneAndItsReason();
    void scope_data();
    void scope();
    void readOnlyFiles_data();
    void readOnlyFiles();
    void namesFromStandardInputWithNewlines();
    void namesArePrintedEscaped();
    void helpListsEveryOptionWithItsDefault();
    void applyThenUndoReturnsEveryName_data();
    void applyThenUndoReturnsEveryName();
    void undoTakesBackARunOfTheWindow();
    void namesOnStandardInputMustBeFiles_data();
    void namesOnStandardInputMustBeFiles();
    void bashCompletesOptionsAndWords_data();
    void bashCompletesOptionsAndWords();
    void resultsThatCannotBeWrittenExitTwo_data();
    void resultsThatCannotBeWrittenExitTwo();
    void undoNamesWhatAFailedFileWasToGetBack_data();
    void undoNamesWhatAFailedFileWasToGetBack();

private:
    QTemporaryDir *m_dir = nullptr;
    QTemporaryDir *m_state = nullptr;
    QString root() const { return m_dir->path(); }
    void makeFiles(const QStringList &paths);
    CliOutput runCli(const QStringList &arguments, const QByteArray &input = QByteArray()) const;
};

void TestCli::init()
{
    m_dir = new QTemporaryDir;
    m_state = new QTemporaryDir;
    QVERIFY(m_dir->isValid() && m_state->isValid());
}

void TestCli::cleanup()
{
    removeFilesByBytes(root());
    delete m_dir;
    delete m_state;
}

void TestCli::makeFiles(const QStringList &paths)
{
    for (const QString &path : paths) {
        QVERIFY(QDir(root()).mkpath(QFileInfo(root() + u'/' + path).path()));
        QVERIFY2(writeFile(root() + u'/' + path), qPrintable(path));
    }
}

CliOutput TestCli::runCli(const QStringList &arguments, const QByteArray &input) const
{
    return runKestravaCli(root(), m_state->path(), fixedToday, arguments, input);
}

void TestCli::sameNamesAsTheWindow_data()
{
    // The record and the counter start texts the window's controls would hold
    // for the same choices, corrected by the controls' own rules.
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<RenameOptions>("options");
    QTest::addColumn<QString>("prefixCount");
    QTest::addColumn<QString>("postfixCount");
    const QString start = QStringLiteral("0001");
    const auto row = [&](const char *name, const QStringList &arguments, const RenameOptions &options,
                         const QString &prefixCount = QStringLiteral("0001"),
                         const QString &postfixCount = QStringLiteral("0001")) {
        QTest::newRow(name) << arguments << options << prefixCount << postfixCount;
    };
    row("defaults", {}, RenameOptions());
    row("tildes", {"--remove-tildes"}, with([](auto &o) { o.removeTildas = true; }));
    using S = SpaceConversion;
    for (const auto &[word, value] : {std::pair{"ignore", S::Ignore},
                                      {"remove", S::Remove},
                                      {"underscores", S::ToUnderscores},
                                      {"dashes", S::ToDashes},
                                      {"dots", S::ToDots}})
        row(qPrintable(QStringLiteral("spaces ") + QLatin1String(word)),
            {QStringLiteral("--spaces=") + QLatin1String(word)}, with([v = value](auto &o) { o.spaces = v; }));
    using U = UnderscoreConversion;
    for (const auto &[word, value] : {std::pair{"ignore", U::Ignore},
                                      {"remove", U::Remove},
                                      {"spaces", U::ToSpaces},
                                      {"dashes", U::ToDashes},
                                      {"dots", U::ToDots}})
        row(qPrintable(QStringLiteral("underscores ") + QLatin1String(word)),
            {QStringLiteral("--underscores"), QLatin1String(word)}, with([v = value](auto &o) { o.underscores = v; }));
    using C = CaseConversion;
    for (const auto &[word, value] : {std::pair{"ignore", C::Ignore},
                                      {"capitalise", C::Capitalise},
                                      {"lower", C::Lowercase},
                                      {"upper", C::Uppercase}})
        row(qPrintable(QStringLiteral("case ") + QLatin1String(word)),
            {QStringLiteral("--case=") + QLatin1String(word)}, with([v = value](auto &o) { o.caseConversion = v; }));
    row("find and replace", {"--find", "PHOTO", "--replace", "Pic"}, with([](auto &o) {
            o.findText = QStringLiteral("PHOTO");
            o.replaceText = QStringLiteral("Pic");
        }));
    row("find removes", {"--find", " "}, with([](auto &o) { o.findText = QStringLiteral(" "); }));
    row("find matching case", {"--find", "photo", "--replace", "Pic", "--match-case"}, with([](auto &o) {
            o.findText = QStringLiteral("photo");
            o.replaceText = QStringLiteral("Pic");
            o.findMatchCase = true;
        }));
    row("regex", {"--regex", "--find", "(\\w+) (\\w+)", "--replace", "\\u$2_\\L$1"}, with([](auto &o) {
            o.findText = QStringLiteral("(\\w+) (\\w+)");
            o.replaceText = QStringLiteral("\\u$2_\\L$1");
            o.findRegex = true;
        }));
    row("regex matching case", {"--regex", "--match-case", "--find=(?<first>[a-z])", "--replace=${first}$$"},
        with([](auto &o) {
            o.findText = QStringLiteral("(?<first>[a-z])");
            o.replaceText = QStringLiteral("${first}$$");
            o.findRegex = o.findMatchCase = true;
        }));
    row("regex of empty matches", {"--regex", "--find=\\b"}, with([](auto &o) {
            o.findText = QStringLiteral("\\b");
            o.findRegex = true;
        }));
    const QString sixty(60, u'f');
    row("find cut to 50", {"--find", sixty}, with([&](auto &o) { o.findText = sixty.left(50); }));
    const auto trim = [](const char *length) {
        return with([length](auto &o) {
            o.trimFilename = true;
            o.trimLength = QLatin1String(length);
        });
    };
    row("trim 12", {"--trim", "12"}, trim("12"));
    row("trim 999", {"--trim=999"}, trim("999"));
    row("trim 3 reads 8", {"--trim", "3"}, trim("8"));
    row("trim blank reads 50", {"--trim", ""}, trim("50"));
    row("trim 1000 reads 8", {"--trim", "1000"}, trim("8"));
    row("trim letters read 8", {"--trim", "ten"}, trim("8"));
    row("prefix text", {"--prefix", "  Trip_"}, with([](auto &o) {
            o.prefixName = true;
            o.prefixText = QStringLiteral("  Trip_");
        }));
    row("prefix cut to 50", {"--prefix", sixty}, with([&](auto &o) {
            o.prefixName = true;
            o.prefixText = sixty.left(50);
        }));
    const RenameOptions prefixCounter = with([](auto &o) { o.prefixCounter = true; });
    row("prefix counter 5", {"--prefix-counter", "5"}, prefixCounter, "5");
    row("prefix counter 0 reads 0001", {"--prefix-counter", "0"}, prefixCounter, start);
    row("prefix counter letters read 0001", {"--prefix-counter", "abc"}, prefixCounter, start);
    row("prefix counter 12345 reads 0001", {"--prefix-counter", "12345"}, prefixCounter, start);
    row("prefix counter runs past 9999", {"--prefix-counter", "9997"}, prefixCounter, "9997");
    for (const QString &format : dateFormats())
        row(qPrintable(QStringLiteral("prefix date ") + format), {QStringLiteral("--prefix-date"), format},
            with([&](auto &o) {
                o.prefixDate = true;
                o.datePrefix = format;
            }));
    row("postfix text", {"--postfix", "_v2  "}, with([](auto &o) {
            o.postfixName = true;
            o.postfixText = QStringLiteral("_v2  ");
        }));
    row("postfix counter 20", {"--postfix-counter=0020"}, with([](auto &o) { o.postfixCounter = true; }), start,
        "0020");
    row("postfix date", {"--postfix-date", "mm-dd-yyyy"}, with([](auto &o) {
            o.postfixDate = true;
            o.datePostfix = QStringLiteral("mm-dd-yyyy");
        }));
    const auto numbered = [](auto set) {
        return with([&](RenameOptions &o) {
            o.prefixCounter = true;
            set(o.numbering);
        });
    };
    row("natural order", {"--prefix-counter=1", "--order", "natural"},
        numbered([](NumberingOptions &n) { n.order = NumberOrder::Natural; }));
    row("natural order, last first", {"--prefix-counter=1", "--order=natural", "--reverse"},
        numbered([](NumberingOptions &n) {
            n.order = NumberOrder::Natural;
            n.reverse = true;
        }));
    row("name order, last first", {"--prefix-counter=1", "--order=name", "--reverse"},
        numbered([](NumberingOptions &n) { n.reverse = true; }));
    row("size order", {"--prefix-counter=1", "--order=size"},
        numbered([](NumberingOptions &n) { n.order = NumberOrder::Size; }));
    row("modified order", {"--prefix-counter=1", "--order=modified"},
        numbered([](NumberingOptions &n) { n.order = NumberOrder::Modified; }));
    row("step 7 in six digits", {"--prefix-counter=9998", "--counter-step", "7", "--counter-digits", "6"},
        numbered([](NumberingOptions &n) {
            n.step = 7;
            n.digits = 6;
        }),
        "9998");
    row("step 1000 reads 999", {"--prefix-counter=1", "--counter-step=1000"},
        numbered([](NumberingOptions &n) { n.step = 999; }));
    row("step letters read 1", {"--prefix-counter=1", "--counter-step=x"}, numbered([](NumberingOptions &) {}));
    row("step 0 reads 1", {"--prefix-counter=1", "--counter-step=0"}, numbered([](NumberingOptions &) {}));
    row("digits 0 reads 1", {"--prefix-counter=1", "--counter-digits=0"},
        numbered([](NumberingOptions &n) { n.digits = 1; }));
    row("digits 12 reads 9", {"--postfix-counter=3", "--counter-digits=12"}, with([](RenameOptions &o) {
            o.postfixCounter = true;
            o.numbering.digits = 9;
        }),
        start, "3");
    row("one digit runs out", {"--prefix-counter=5", "--counter-digits=1"},
        numbered([](NumberingOptions &n) { n.digits = 1; }), "5");
    row("counters per folder, one folder", {"--prefix-counter=1", "--counter-per-folder"},
        numbered([](NumberingOptions &n) { n.perFolder = true; }));
    row("date from modified", {"--date-from=modified", "--prefix-date=yyyymmdd"}, with([](auto &o) {
            o.prefixDate = true;
            o.datePrefix = QStringLiteral("yyyymmdd");
            o.dateSource = DateSource::Modified;
        }));
    row("date taken, none has one", {"--date-from", "taken", "--postfix-date=yyyy-mm-dd"}, with([](auto &o) {
            o.postfixDate = true;
            o.datePostfix = QStringLiteral("yyyy-mm-dd");
            o.dateSource = DateSource::Taken;
        }));
    row("date taken, else modified", {"--date-from=taken", "--date-fallback", "--prefix-date=yyyy-mm-dd hh.mm.ss"},
        with([](auto &o) {
            o.prefixDate = true;
            o.datePrefix = QStringLiteral("yyyy-mm-dd hh.mm.ss");
            o.dateSource = DateSource::Taken;
            o.dateFallback = true;
        }));
    row("template", {"--template", "{folder} {modified:yyyymmdd} {counter} {name}"}, with([](auto &o) {
            o.useTemplate = true;
            o.nameTemplate = QStringLiteral("{folder} {modified:yyyymmdd} {counter} {name}");
        }));
    row("template of a field none has", {"--template={artist}", "--case=upper"}, with([](auto &o) {
            o.useTemplate = true;
            o.nameTemplate = QStringLiteral("{artist}");
            o.caseConversion = C::Uppercase;
        }));
    row("date taken order", {"--prefix-counter=1", "--order=taken"},
        numbered([](NumberingOptions &n) { n.order = NumberOrder::Taken; }));
    row("everything",
        {"--remove-tildes", "--spaces=dashes", "--underscores=dots", "--case=capitalise", "--find=a", "--replace=4",
         "--trim=20", "--prefix=P", "--prefix-counter=7", "--prefix-date=ddmmyy", "--postfix=Q", "--postfix-counter=30",
         "--postfix-date=dd-mm-yyyy"},
        with([](auto &o) {
            o.removeTildas = o.prefixCounter = o.prefixName = o.prefixDate = true;
            o.postfixCounter = o.postfixName = o.postfixDate = o.trimFilename = true;
            o.prefixText = QStringLiteral("P");
            o.postfixText = QStringLiteral("Q");
            o.datePrefix = QStringLiteral("ddmmyy");
            o.datePostfix = QStringLiteral("dd-mm-yyyy");
            o.caseConversion = C::Capitalise;
            o.underscores = U::ToDots;
            o.spaces = S::ToDashes;
            o.findText = QStringLiteral("a");
            o.replaceText = QStringLiteral("4");
            o.trimLength = QStringLiteral("20");
        }),
        "7", "30");
}

void TestCli::sameNamesAsTheWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(RenameOptions, options);
    QFETCH(QString, prefixCount);
    QFETCH(QString, postfixCount);
    makeFiles({"My Holiday_Photo 01.JPG", "a~b~c draft.txt", "Über_Bild nr 2.jpeg", "archive.tar.gz",
               "a very long file name that goes on and on.txt", "x_y z.png", "  spaced  .png", "noext"});
    const CliOutput output = runCli(arguments + QStringList{"--json", "."});
    QVERIFY2(output.status == 0 || output.status == 1, output.err.constData());
    const QList<QJsonObject> objects = output.json();
    QCOMPARE(objects.size(), 9);
    // The files come in the order of the folder's listing, or the one chosen, each numbered in turn.
    auto listing = listFiles(root(), QStringLiteral("*.*"));
    QVERIFY(listing);
    QList<QString> listed;
    for (const DirectoryEntry &entry : std::as_const(*listing))
        listed.append(entry.name);
    const QList<QString> ordered = inNumberingOrder(root(), listed, options.numbering);
    NameCounters counters;
    counters.load(prefixCount, postfixCount);
    bool allDone = true;
    for (qsizetype i = 0; i < ordered.size(); ++i) {
        const QString old = ordered.at(i);
        // Names from the files' dates and fields read them as the window does.
        const FactsLookup facts = readFileFacts(root() + u'/', old, factsNeeded(options));
        const auto expected = factsNeeded(options) == FactsNeeded::None
            ? BuildNewFilename(old, options, counters, fixedToday)
            : BuildNewFilename(old, options, counters, fixedToday, &facts.facts);
        QCOMPARE(objects.at(i).value("old").toString(), old);
        QCOMPARE(objects.at(i).value("new").toString(), expected.value_or(QString()));
        if (!expected && expected.error().cause == RenameError::Cause::MissingValue) {
            QCOMPARE(objects.at(i).value("reason").toString(),
                     options.useTemplate ? QStringLiteral("no artist") : QStringLiteral("no date taken"));
        } else if (!expected) {
            QCOMPARE(objects.at(i).value("reason").toString(),
                     QStringLiteral("The counter is past %1, so the new name cannot be computed")
                         .arg(QString(options.numbering.digits, u'9')));
        }
        allDone = allDone && expected;
    }
    QCOMPARE(objects.last().value("files").toInt(), 8);
    QCOMPARE(output.status, allDone ? 0 : 1);
}

void TestCli::usageErrors_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("named"); // what the one line must name
    QTest::newRow("unknown option") << QStringList{"--colour", "."} << "colour";
    QTest::newRow("unknown short option") << QStringList{"-q", "."} << "q";
    QTest::newRow("no path") << QStringList{"--case=upper"} << "no folder or file";
    QTest::newRow("missing path") << QStringList{"nowhere.txt"} << "nowhere.txt";
    QTest::newRow("missing value") << QStringList{".", "--trim"} << "--trim";
    QTest::newRow("unknown case word") << QStringList{"--case=title", "."} << "--case";
    QTest::newRow("unknown when-taken word") << QStringList{"--when-taken=replace", "."} << "--when-taken";
    QTest::newRow("unknown spaces word") << QStringList{"--spaces=tabs", "."} << "--spaces";
    QTest::newRow("unknown underscores word") << QStringList{"--underscores=dots!", "."} << "--underscores";
    QTest::newRow("unknown prefix date") << QStringList{"--prefix-date=yyyy-dd-mm", "."} << "--prefix-date";
    QTest::newRow("unknown postfix date") << QStringList{"--postfix-date", "DDMMYY", "."} << "--postfix-date";
    QTest::newRow("unknown order") << QStringList{"--order=date", "."} << "--order";
    QTest::newRow("order without a word") << QStringList{".", "--order"} << "--order";
    QTest::newRow("numbering with undo") << QStringList{"--undo", "--reverse"} << "--undo";
    QTest::newRow("include matching nothing") << QStringList{"--include=;", "."} << "--include";
    QTest::newRow("two folders") << QStringList{"sub", "."} << "sub";
    QTest::newRow("folder among files") << QStringList{"a.txt", "sub"} << "sub";
    QTest::newRow("recursive over files") << QStringList{"-r", "a.txt"} << "--recursive";
    QTest::newRow("hidden file") << QStringList{".hidden.txt"} << ".hidden.txt";
    QTest::newRow("paths with -0") << QStringList{"-0", "a.txt"} << "--null";
    QTest::newRow("undo with apply") << QStringList{"--undo", "-x"} << "--undo";
    QTest::newRow("undo with a path") << QStringList{"--undo", "a.txt"} << "--undo";
    QTest::newRow("undo with an option") << QStringList{"--undo", "--case=upper"} << "--undo";
    QTest::newRow("undo with a regex") << QStringList{"--undo", "--regex"} << "--undo";
    QTest::newRow("option after a path") << QStringList{"a.txt", "--json"}
                                         << "'--json' names no file; put options before the first path";
    QTest::newRow("short option after a path") << QStringList{"a.txt", "-x"} << "'-x' names no file";
    QTest::newRow("pattern error") << QStringList{"--regex", "--find=(abc", "."}
                                   << "--find: Pattern error at 4: missing closing parenthesis";
    QTest::newRow("unknown date source") << QStringList{"--date-from=yesterday", "."} << "--date-from";
    QTest::newRow("template field written wrong")
        << QStringList{"--template={artst}", "."} << "--template: Unknown field \"{artst}\"";
    QTest::newRow("template with a slash") << QStringList{"--template", "a/b", "."}
                                           << "--template: \"/\" cannot be part of a file name";
    QTest::newRow("fields without JSON") << QStringList{"--show-fields", "."} << "--show-fields: goes only with --json";
    QTest::newRow("template with undo") << QStringList{"--undo", "--template={name}"} << "--undo";
}

void TestCli::usageErrors()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, named);
    makeFiles({"a.txt", "sub/b c.txt", ".hidden.txt"});
    const QStringList before = namesIn(root());
    for (const bool apply : {false, true}) {
        const CliOutput output =
            runCli(apply && !arguments.contains("--undo") ? QStringList{"-x"} + arguments : arguments);
        QCOMPARE(output.status, 2);
        QCOMPARE(output.errLines().size(), 2);
        QVERIFY2(output.errLines().at(0).contains(named.toUtf8()), output.err.constData());
        QCOMPARE(output.errLines().at(1), "Try 'kestrava-cli --help' for more information.");
        QVERIFY(output.err.startsWith("kestrava-cli: "));
        QVERIFY(output.out.isEmpty());
    }
    QCOMPARE(namesIn(root()), before);
}

void TestCli::dryRunChangesNothing()
{
    makeFiles({"a b.txt", "c d.txt", "sub/e f.txt", "read only.txt"});
    QCOMPARE(::chmod(QFile::encodeName(root() + "/read only.txt").constData(), 0400), 0);
    const CliOutput output = runCli({"--spaces=underscores", "--prefix-counter=1", "-r", "."});
    QCOMPARE(output.status, 0);
    QCOMPARE(namesIn(root()), QStringList({"a b.txt", "c d.txt", "read only.txt", "sub"}));
    QCOMPARE(namesIn(root() + "/sub"), QStringList{"e f.txt"});
    QCOMPARE(modeOf(root() + "/read only.txt"), mode_t(0400));
    // Piped, the output is one tab-separated line per file and the summary.
    const QList<QByteArray> lines = output.outLines();
    QCOMPARE(lines.size(), 5);
    QCOMPARE(lines.at(0), "a b.txt\t0001_a_b.txt\trenamed\t");
    QCOMPARE(lines.at(3), "sub/e f.txt\t0004_e_f.txt\trenamed\t");
    QVERIFY(lines.at(4).contains("nothing was renamed"));
}

void TestCli::conflictGivesStatusOneAndItsReason_data()
{
    QTest::addColumn<bool>("apply");
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QString>("reason");
    QTest::newRow("dry run") << false << "name taken"
                             << "File exists";
    QTest::newRow("apply") << true << "failed"
                           << "File exists";
}

void TestCli::conflictGivesStatusOneAndItsReason()
{
    QFETCH(bool, apply);
    QFETCH(QString, outcome);
    QFETCH(QString, reason);
    makeFiles({"a b.txt", "a_b.txt", "c d.txt"});
    QStringList arguments{"--spaces=underscores", "."};
    if (apply)
        arguments.prepend("--apply");
    const CliOutput output = runCli(arguments);
    QCOMPARE(output.status, 1);
    const QList<QByteArray> lines = output.outLines();
    QCOMPARE(lines.size(), 4);
    const QList<QByteArray> fields = lines.at(0).split('\t');
    QCOMPARE(fields.size(), 4);
    QCOMPARE(fields.at(0), "a b.txt");
    QCOMPARE(fields.at(1), "a_b.txt");
    QCOMPARE(QString::fromUtf8(fields.at(2)), outcome);
    QVERIFY2(QString::fromUtf8(fields.at(3)).contains(reason), fields.at(3).constData());
    QCOMPARE(lines.at(1), "a_b.txt\ta_b.txt\tunchanged\t");
    QCOMPARE(namesIn(root()),
             apply ? QStringList({"a b.txt", "a_b.txt", "c_d.txt"}) : QStringList({"a b.txt", "a_b.txt", "c d.txt"}));
    // The run names the file it could not rename on standard error.
    if (apply)
        QVERIFY2(output.err.contains("a b.txt") && output.errLines().size() == 1, output.err.constData());
}

void TestCli::scope_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("renamed"); // what became of the visible files
    const QStringList untouched{"a b.jpg", "c d.PNG", "e f.txt", "sub/i j.jpg"};
    QTest::newRow("folder") << QStringList{"."} << QStringList{"a_b.jpg", "c_d.PNG", "e_f.txt", "sub/i j.jpg"};
    QTest::newRow("named sub-folder") << QStringList{"sub"}
                                      << QStringList{"a b.jpg", "c d.PNG", "e f.txt", "sub/i_j.jpg"};
    QTest::newRow("tree") << QStringList{"-r", "."} << QStringList{"a_b.jpg", "c_d.PNG", "e_f.txt", "sub/i_j.jpg"};
    QTest::newRow("tree with patterns") << QStringList{"--recursive", "--include", "*.JPG;*.png", "."}
                                        << QStringList{"a_b.jpg", "c_d.PNG", "e f.txt", "sub/i_j.jpg"};
    QTest::newRow("files") << QStringList{"sub/i j.jpg", "./a b.jpg"}
                           << QStringList{"a_b.jpg", "c d.PNG", "e f.txt", "sub/i_j.jpg"};
    QTest::newRow("files with a pattern") << QStringList{"--include=*.txt", "a b.jpg", "e f.txt"}
                                          << QStringList{"a b.jpg", "c d.PNG", "e_f.txt", "sub/i j.jpg"};
    QTest::newRow("tree, counters running on")
        << QStringList{"-r", "--prefix-counter=1", "."}
        << QStringList{"0001_a_b.jpg", "0002_c_d.PNG", "0003_e_f.txt", "sub/0004_i_j.jpg"};
    QTest::newRow("tree, counters again in each folder")
        << QStringList{"-r", "--prefix-counter=1", "--counter-per-folder", "."}
        << QStringList{"0001_a_b.jpg", "0002_c_d.PNG", "0003_e_f.txt", "sub/0001_i_j.jpg"};
    QTest::newRow("files by name, last first")
        << QStringList{"--reverse", "--prefix-counter=1", "e f.txt", "sub/i j.jpg", "a b.jpg"}
        << QStringList{"0002_a_b.jpg", "c d.PNG", "0001_e_f.txt", "sub/0003_i_j.jpg"};
    QTest::newRow("a file named twice") << QStringList{"a b.jpg", "sub/../a b.jpg"}
                                        << QStringList{"a_b.jpg", "c d.PNG", "e f.txt", "sub/i j.jpg"};
    // "linked" is a link to the folder, "bound" the folder mounted again.
    QTest::newRow("files of one folder through a link")
        << QStringList{"linked/c d.PNG", "a b.jpg"}
        << QStringList{"a_b.jpg", "c_d.PNG", "e f.txt", "linked", "sub/i j.jpg"};
    QTest::newRow("files of one folder through a bind mount")
        << QStringList{"bound/c d.PNG", "a b.jpg", "bound/a b.jpg"}
        << QStringList{"a_b.jpg", "bound", "c_d.PNG", "e f.txt", "sub/i j.jpg"};
}

void TestCli::scope()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, renamed);
    makeFiles({"a b.jpg", "c d.PNG", "e f.txt", ".g h.jpg", "sub/i j.jpg", "sub/.k l.jpg", ".hid/m n.jpg"});
    const QByteArray bound = QFile::encodeName(root() + QStringLiteral("/bound"));
    if (arguments.join(u' ').contains(QStringLiteral("linked/")))
        QVERIFY(QFile::link(root(), root() + QStringLiteral("/linked")));
    if (arguments.join(u' ').contains(QStringLiteral("bound/"))) {
        QVERIFY(QDir(root()).mkdir(QStringLiteral("bound")));
        if (::mount(QFile::encodeName(root()).constData(), bound.constData(), nullptr, MS_BIND, nullptr) != 0)
            QSKIP(qPrintable(QStringLiteral("no bind mount here: ") + QString::fromLocal8Bit(strerror(errno))));
    }
    const auto unmount = qScopeGuard([&bound] { ::umount2(bound.constData(), MNT_DETACH); }); // also on failure
    // The dry run promises what the run then does, file for file, each shown as it was named.
    const CliOutput promised = runCli(QStringList{"--spaces=underscores"} + arguments);
    const CliOutput output = runCli(QStringList{"--spaces=underscores", "-x"} + arguments);
    QVERIFY2(output.status == 0, output.err.constData());
    QCOMPARE(output.outLines().mid(0, output.outLines().size() - 1),
             promised.outLines().mid(0, promised.outLines().size() - 1));
    if (!arguments.contains(QStringLiteral(".")) && !arguments.contains(QStringLiteral("sub"))) {
        for (const QByteArray &line : output.outLines().mid(0, output.outLines().size() - 1))
            QVERIFY2(arguments.contains(QString::fromUtf8(line.split('\t').first())), line.constData());
    }
    ::umount2(bound.constData(), MNT_DETACH); // the tree below is read without the second view
    QStringList expected = renamed + QStringList{".g h.jpg", "sub", "sub/.k l.jpg", ".hid", ".hid/m n.jpg"};
    expected.sort();
    QCOMPARE(treeNames(root()), expected);
}

void TestCli::readOnlyFiles_data()
{
    QTest::addColumn<bool>("skip");
    QTest::newRow("made writable and renamed") << false;
    QTest::newRow("skipped") << true;
}

void TestCli::readOnlyFiles()
{
    QFETCH(bool, skip);
    makeFiles({"read only.txt"});
    QCOMPARE(::chmod(QFile::encodeName(root() + "/read only.txt").constData(), 0440), 0);
    QStringList arguments{"--spaces=dots", "-x", "read only.txt"};
    if (skip)
        arguments.prepend("--skip-read-only");
    const CliOutput output = runCli(arguments);
    QCOMPARE(output.status, skip ? 1 : 0);
    QCOMPARE(namesIn(root()), QStringList{skip ? "read only.txt" : "read.only.txt"});
    QCOMPARE(output.outLines().at(0).split('\t').at(2), skip ? "read-only skipped" : "renamed");
    QCOMPARE(modeOf(root() + (skip ? "/read only.txt" : "/read.only.txt")), skip ? mode_t(0440) : mode_t(0640));
}

void TestCli::namesFromStandardInputWithNewlines()
{
    makeFiles({"line\nbreak.txt", "sub/two\nlines here.txt", "other file.txt"});
    const CliOutput output =
        runCli({"-0", "--spaces=underscores", "-x"}, QByteArray("./line\nbreak.txt\0sub/two\nlines here.txt\0", 41));
    QVERIFY2(output.status == 0, output.err.constData());
    QCOMPARE(treeNames(root()), QStringList({"line\nbreak.txt", "other file.txt", "sub", "sub/two\nlines_here.txt"}));
    // Each file is one line: the newlines of the names are printed escaped.
    const QList<QByteArray> lines = output.outLines();
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines.at(0), "./line\\nbreak.txt\tline\\nbreak.txt\tunchanged\t");
    QCOMPARE(lines.at(1), "sub/two\\nlines here.txt\ttwo\\nlines_here.txt\trenamed\t");
}

void TestCli::namesArePrintedEscaped()
{
    // A name that is not UTF-8 and one holding a tab and a backslash, made byte for byte.
    const QByteArray latin1 = "caf\xe9 x.txt";
    const QByteArray tabbed = "tab\there\\.txt";
    const QByteArray turned = "invoice\xe2\x80\xaetxt.exe"; // U+202E would turn the rest of the line
    for (const QByteArray &name : {latin1, tabbed, turned}) {
        const QByteArray path = QFile::encodeName(root()) + '/' + name;
        FILE *file = std::fopen(path.constData(), "w");
        QVERIFY(file);
        std::fclose(file);
    }
    const QByteArray input = latin1 + '\0' + tabbed + '\0';
    const CliOutput tabs = runCli({"-0", "--spaces=underscores"}, input);
    QCOMPARE(tabs.outLines().value(0), "caf\\xe9 x.txt\tcaf\\xe9_x.txt\trenamed\t");
    QCOMPARE(tabs.outLines().value(1), "tab\\there\\\\.txt\ttab\\there\\\\.txt\tunchanged\t");
    const CliOutput turnedOutput = runCli({"invoice\xe2\x80\xaetxt.exe"});
    QCOMPARE(turnedOutput.outLines().value(0),
             "invoice\\xe2\\x80\\xaetxt.exe\tinvoice\\xe2\\x80\\xaetxt.exe\tunchanged\t");
    const CliOutput json = runCli({"-0", "--spaces=underscores", "--json", "-x"}, input);
    QVERIFY2(json.status == 0, json.err.constData());
    QCOMPARE(json.json().value(0).value("old").toString(), "caf\\xe9 x.txt");
    QCOMPARE(json.json().value(0).value("new").toString(), "caf\\xe9_x.txt");
    QCOMPARE(json.json().value(1).value("old").toString(), "tab\\there\\\\.txt");
    const QByteArray renamed = QFile::encodeName(root()) + "/caf\xe9_x.txt";
    struct stat info;
    QCOMPARE(::lstat(renamed.constData(), &info), 0);
}

void TestCli::helpListsEveryOptionWithItsDefault()
{
    const CliOutput help = runCli({"--help"});
    QCOMPARE(help.status, 0);
    for (const char *option :
         {"--remove-tildes", "--spaces",    "--underscores",    "--case",           "--find",     "--replace",
          "--trim",          "--prefix ",   "--prefix-counter", "--prefix-date",    "--postfix ", "--postfix-counter",
          "--postfix-date",  "--recursive", "--include",        "--skip-read-only", "--null",     "--json",
          "--apply",         "--undo",      "--version",        "--regex",          "--match-case", "--order",
          "--reverse",       "--counter-step", "--counter-digits", "--counter-per-folder", "--preset ",
          "--save-preset ",  "--list-presets", "--when-taken", "--date-from", "--date-fallback", "--template",
          "--show-fields"})
        QVERIFY2(help.out.contains(option), option);
    QCOMPARE(help.out.count("Default"), 28);
    const CliOutput version = runCli({"--version"});
    QCOMPARE(version.out,
             QByteArray("kestrava-cli " KESTRAVA_VERSION "\n"
                        "Copyright (C) 2026 Dunsmore\n"
                        "License GPLv3+: GNU GPL version 3 or later <https://gnu.org/licenses/gpl.html>.\n"
                        "This is free software: you are free to change and redistribute it.\n"
                        "There is NO WARRANTY, to the extent permitted by law.\n"));
}

void TestCli::applyThenUndoReturnsEveryName_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("input");
    QTest::newRow("folder") << QStringList{"--case=upper", "--prefix-counter=1", "."} << QByteArray();
    QTest::newRow("tree") << QStringList{"-r", "--spaces=dots", "--postfix-date=ddmmyy", "."} << QByteArray();
    QTest::newRow("named files in two folders")
        << QStringList{"-0", "--find=e", "--replace=E"} << QByteArray("sub/d e.txt\0a b.txt\0", 20);
    QTest::newRow("regex") << QStringList{"--regex", "--find=^(\\w)", "--replace=\\u$1", "."} << QByteArray();
    // Both names become x.txt; the second file gets x (2).txt.
    QTest::newRow("taken name numbered")
        << QStringList{"--case=lower", "--regex", "--find=.+", "--replace=x", "--when-taken=number", "."} << QByteArray();
}

void TestCli::applyThenUndoReturnsEveryName()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, input);
    makeFiles({"a b.txt", "c.TXT", "sub/d e.txt", "sub/deeper/f g.txt"});
    const QStringList before = treeNames(root());
    const CliOutput applied = runCli(QStringList{"--apply"} + arguments, input);
    QVERIFY2(applied.status == 0, applied.err.constData());
    QVERIFY(treeNames(root()) != before);
    const CliOutput undone = runCli({"--undo"});
    QVERIFY2(undone.status == 0, undone.err.constData());
    QCOMPARE(treeNames(root()), before);
    QVERIFY2(undone.outLines().constLast().contains("restored"), undone.out.constData());
    // That run is undone now, and there is no other.
    const CliOutput again = runCli({"--undo"});
    QCOMPARE(again.status, 1);
    QCOMPARE(again.errLines().size(), 1);
    QCOMPARE(treeNames(root()), before);
}

void TestCli::undoTakesBackARunOfTheWindow()
{
    makeFiles({"a b.txt", "c d.txt"});
    // The window runs RenameRun with a journal in the same state folder.
    qputenv("XDG_STATE_HOME", QFile::encodeName(m_state->path()));
    {
        RunRig rig;
        RunJournal journal;
        rig.run.setJournal(&journal);
        QVERIFY(rig.folders.setPath(root()));
        QVERIFY(rig.run.start(RunScope::AllFilesInCurrentFolder));
    }
    qunsetenv("XDG_STATE_HOME");
    QCOMPARE(namesIn(root()), QStringList({"0001_a b.txt", "0002_c d.txt"}));
    // A file left alone is named by the name it keeps, with the name that is taken.
    QVERIFY(writeFile(root() + u"/a b.txt", "another"));
    const CliOutput undone = runCli({"--undo", "--json"});
    QCOMPARE(undone.status, 1);
    QCOMPARE(namesIn(root()), QStringList({"0001_a b.txt", "a b.txt", "c d.txt"}));
    const QList<QJsonObject> objects = undone.json();
    QCOMPARE(objects.size(), 3);
    QCOMPARE(objects.at(0).value("outcome").toString(), "restored");
    QCOMPARE(objects.at(1).value("old").toString(), "0001_a b.txt");
    QVERIFY2(objects.at(1).value("reason").toString().startsWith("'Old name a b.txt is taken'  whilst processing file '"),
             undone.out.constData());
    QCOMPARE(objects.last().value("action").toString(), "undo");
    QCOMPARE(objects.last().value("renamed").toInt(), 1);
}

void TestCli::resultsThatCannotBeWrittenExitTwo_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("after");
    QTest::newRow("dry run") << QStringList{"--case=upper", "."} << QStringList{"a.txt"};
    QTest::newRow("apply") << QStringList{"-x", "--json", "--case=upper", "."} << QStringList{"A.TXT"};
    QTest::newRow("help") << QStringList{"--help"} << QStringList{"a.txt"};
}

void TestCli::resultsThatCannotBeWrittenExitTwo()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, after);
    if (!QFileInfo::exists(QStringLiteral("/dev/full")))
        QSKIP("this machine has no /dev/full");
    makeFiles({"a.txt"});
    const CliOutput output =
        runKestravaCli(root(), m_state->path(), fixedToday, arguments, QByteArray(), QStringLiteral("/dev/full"));
    QCOMPARE(output.status, 2);
    QCOMPARE(output.err, QByteArray("kestrava-cli: the results could not be written: No space left on device\n"));
    QCOMPARE(namesIn(root()), after);
}

void TestCli::undoNamesWhatAFailedFileWasToGetBack_data()
{
    QTest::addColumn<QString>("blocker"); // what happens to the folder between the run and the undo
    QTest::addColumn<QString>("reason");
    QTest::newRow("old name taken") << "make a.txt"
                                    << "Old name a.txt is taken";
    QTest::newRow("renamed file gone") << "remove A.TXT"
                                       << "No such file or directory";
}

void TestCli::undoNamesWhatAFailedFileWasToGetBack()
{
    QFETCH(QString, blocker);
    QFETCH(QString, reason);
    makeFiles({"a.txt", "b.txt"});
    const CliOutput applied = runCli({"--case=upper", "--apply", "."});
    QVERIFY2(applied.status == 0, applied.err.constData());
    QCOMPARE(namesIn(root()), QStringList({"A.TXT", "B.TXT"}));
    if (blocker.startsWith(QStringLiteral("make")))
        makeFiles({"a.txt"});
    else
        QVERIFY(QFile::remove(root() + QStringLiteral("/A.TXT")));

    const CliOutput undone = runCli({"--undo", "--json"});
    QCOMPARE(undone.status, 1);
    const QList<QJsonObject> objects = undone.json();
    QCOMPARE(objects.size(), 3);
    // Undone newest first: B.TXT goes back, A.TXT cannot, and says what it was to be called.
    QCOMPARE(objects.at(0).value("old").toString(), "B.TXT");
    QCOMPARE(objects.at(0).value("new").toString(), "b.txt");
    QCOMPARE(objects.at(0).value("outcome").toString(), "restored");
    QCOMPARE(objects.at(1).value("old").toString(), "A.TXT");
    QCOMPARE(objects.at(1).value("new").toString(), "a.txt");
    QCOMPARE(objects.at(1).value("outcome").toString(), "failed");
    QVERIFY2(objects.at(1).value("reason").toString().contains(reason),
             qPrintable(objects.at(1).value("reason").toString()));
}

// find -type f gives -0 its names: a folder among them is a mistake, not a folder to rename.
void TestCli::namesOnStandardInputMustBeFiles_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("names");
    QTest::addColumn<QByteArray>("problem");
    const QByteArray folder("kestrava-cli: sub: a folder; --null takes files only\n");
    QTest::newRow("a folder alone") << QStringList{"-0"} << QByteArray("sub\0", 4) << folder;
    QTest::newRow("a folder among files") << QStringList{"-0"} << QByteArray("a.txt\0sub\0", 10) << folder;
    QTest::newRow("a folder, recursively") << QStringList{"-0", "-r"} << QByteArray("sub\0", 4)
                                           << QByteArray("kestrava-cli: --recursive: needs one folder, not files\n");
}

void TestCli::namesOnStandardInputMustBeFiles()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, names);
    QFETCH(QByteArray, problem);
    makeFiles({"a.txt", "sub/b c.txt"});
    const CliOutput output = runCli(arguments + QStringList{"--spaces=dots", "-x"}, names);
    QCOMPARE(output.status, 2);
    QCOMPARE(output.err, problem + "Try 'kestrava-cli --help' for more information.\n");
    QCOMPARE(treeNames(root()), QStringList({"a.txt", "sub", "sub/b c.txt"}));
}

void TestCli::bashCompletesOptionsAndWords_data()
{
    QTest::addColumn<QString>("line"); // the words as bash splits them, the last being completed
    QTest::addColumn<QString>("offered");
    QTest::newRow("an option") << "kestrava-cli --under"
                               << "--underscores";
    QTest::newRow("four options") << "kestrava-cli --re"
                                  << "--recursive --regex --remove-tildes --replace";
    QTest::newRow("case words") << "kestrava-cli --case ''"
                                << "capitalise ignore lower upper";
    QTest::newRow("after =") << "kestrava-cli --spaces = d"
                             << "dashes dots";
    QTest::newRow("= kept in the word") << "kestrava-cli --underscores=sp"
                                        << "--underscores=spaces";
    QTest::newRow("date formats") << "kestrava-cli -x --postfix-date mm-dd"
                                  << "mm-dd-yy mm-dd-yyyy";
    QTest::newRow("free text") << "kestrava-cli --find ''"
                               << "";
    QTest::newRow("a path") << "kestrava-cli --case upper su"
                            << "sub";
}

// The completion the package installs, loaded by a bash with no other set-up.
void TestCli::bashCompletesOptionsAndWords()
{
    QFETCH(QString, line);
    QFETCH(QString, offered);
    makeFiles({"sub/a.txt"});
    const QString script = QStringLiteral("source '" KESTRAVA_BASH_COMPLETION "' || exit 3\n"
                                          "complete -p kestrava-cli\n"
                                          "COMP_WORDS=(%1); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _kestrava_cli\n"
                                          "printf '%s\\n' \"${COMPREPLY[@]}\" | LC_ALL=C sort | paste -sd ' '\n");
    QProcess bash;
    bash.setWorkingDirectory(root());
    bash.start(QStringLiteral("bash"), {"--norc", "--noprofile", "-c", script.arg(line)});
    QVERIFY(bash.waitForFinished(10000));
    QCOMPARE(bash.exitCode(), 0);
    const QList<QByteArray> lines = bash.readAllStandardOutput().split('\n');
    QCOMPARE(lines.at(0), "complete -F _kestrava_cli kestrava-cli");
    QCOMPARE(QString::fromUtf8(lines.value(1)), offered);
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
