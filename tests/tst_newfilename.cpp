// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewFilename.h"

#include <QTest>

using namespace kestrava;

Q_DECLARE_METATYPE(kestrava::RenameOptions)

namespace {

const QDate march6 = QDate(2005, 3, 6);

template<typename Set>
RenameOptions optionsWith(Set set)
{
    RenameOptions options;
    set(options);
    return options;
}

RenameOptions findReplace(const QString &find, const QString &replace)
{
    return optionsWith([&](RenameOptions &o) {
        o.findText = find;
        o.replaceText = replace;
    });
}

RenameOptions regex(const QString &find, const QString &replace, bool matchCase = false)
{
    return optionsWith([&](RenameOptions &o) {
        o.findText = find;
        o.replaceText = replace;
        o.findRegex = true;
        o.findMatchCase = matchCase;
    });
}

RenameOptions trimTo(const QString &length)
{
    return optionsWith([&](RenameOptions &o) {
        o.trimFilename = true;
        o.trimLength = length;
    });
}

RenameOptions caseTo(CaseConversion conversion)
{
    return optionsWith([&](RenameOptions &o) { o.caseConversion = conversion; });
}

RenameOptions everyOptionOn()
{
    return optionsWith([](RenameOptions &o) {
        o.removeTildas = o.prefixCounter = o.prefixName = o.prefixDate = true;
        o.postfixCounter = o.postfixName = o.postfixDate = o.trimFilename = true;
        o.prefixText = "  New_";
        o.postfixText = "_End ";
        o.datePrefix = "dd-mm-yy";
        o.datePostfix = "mmddyyyy";
        o.caseConversion = CaseConversion::Capitalise;
        o.underscores = UnderscoreConversion::ToDashes;
        o.spaces = SpaceConversion::ToUnderscores;
        o.findText = "photo";
        o.replaceText = "Pic";
        o.trimLength = "40";
    });
}

} // namespace

class TestNewFilename : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void newName_data();
    void newName();
    void everyOptionOn();
    void failure_data();
    void failure();
    void patternError_data();
    void patternError();
    void blankNameMovesNoCounter();
    void samplesNumberFromTheirStart();
    void numberedSeries_data();
    void numberedSeries();
    void capitalise_data();
    void capitalise();
    void capitaliseLowersItsArgument();
    void replaceChar_data();
    void replaceChar();
    void trimLength_data();
    void trimLength();
    void fromTheFile_data();
    void fromTheFile();
};

void TestNewFilename::newName_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<RenameOptions>("options");
    QTest::addColumn<QString>("newName");

    const RenameOptions off;
    const auto counter = [](auto set) {
        return optionsWith([&](RenameOptions &o) {
            o.prefixCounter = true;
            set(o);
        });
    };
    const auto tildes = optionsWith([](RenameOptions &o) { o.removeTildas = true; });
    const QString longBase(60, u'x');

    QTest::newRow("all off trims outer spaces") << "  my work schedule.doc " << off << "my work schedule.doc";
    QTest::newRow("only the space character is trimmed") << "\tname.txt\t " << off << "\tname.txt\t";
    QTest::newRow("dot file kept") << ".txt" << off << ".txt";
    QTest::newRow("tilde removed") << "shortened_filena~1.jpg" << tildes << "shortened_filena1.jpg";
    QTest::newRow("tildes go from the extension too") << "a~b.t~xt" << tildes << "ab.txt";
    QTest::newRow("tildes kept when off") << "file~1.txt" << off << "file~1.txt";
    QTest::newRow("upper case reaches every part")
        << "archive.tar.gz" << caseTo(CaseConversion::Uppercase) << "ARCHIVE.TAR.GZ";
    QTest::newRow("upper case beyond ASCII") << "ñandú.été" << caseTo(CaseConversion::Uppercase) << "ÑANDÚ.ÉTÉ";
    QTest::newRow("lower case beyond ASCII") << "ÉCOLE ÜBER.ÄÖ" << caseTo(CaseConversion::Lowercase) << "école über.äö";
    QTest::newRow("lower case") << "MiXeD.TXT" << caseTo(CaseConversion::Lowercase) << "mixed.txt";
    QTest::newRow("capitalise base and extension")
        << "Great_album_track2.mp3" << caseTo(CaseConversion::Capitalise) << "Great_Album_Track2.Mp3";
    QTest::newRow("capitalise accented word start") << "ÉCOLE.TXT" << caseTo(CaseConversion::Capitalise) << "éCole.Txt";
    QTest::newRow("empty extension") << "notes." << caseTo(CaseConversion::Uppercase) << "NOTES.";
    QTest::newRow("underscores to dots") << "my_file.txt" << optionsWith([](RenameOptions &o) {
        o.underscores = UnderscoreConversion::ToDots;
    }) << "my.file.txt";
    QTest::newRow("split at the last dot")
        << "my.file.txt" << optionsWith([](RenameOptions &o) { o.postfixCounter = true; }) << "my.file_0001.txt";
    QTest::newRow("counter before space conversion")
        << "my work schedule.doc" << counter([](RenameOptions &o) { o.spaces = SpaceConversion::ToUnderscores; })
        << "0001_my_work_schedule.doc";
    QTest::newRow("stamp separator removed")
        << "my work schedule.doc" << counter([](RenameOptions &o) { o.underscores = UnderscoreConversion::Remove; })
        << "0001my work schedule.doc";
    QTest::newRow("stamp separator to dash")
        << "report.txt" << counter([](RenameOptions &o) { o.underscores = UnderscoreConversion::ToDashes; })
        << "0001-report.txt";
    QTest::newRow("prefix text upper-cased") << "report.txt" << optionsWith([](RenameOptions &o) {
        o.prefixName = true;
        o.caseConversion = CaseConversion::Uppercase;
    }) << "FILE_REPORT.TXT";
    QTest::newRow("prefix dot file") << ".profile" << counter([](RenameOptions &) {}) << "0001_.profile";
    QTest::newRow("underscores before spaces: both end as underscores")
        << "a_b c.txt" << optionsWith([](RenameOptions &o) {
               o.underscores = UnderscoreConversion::ToSpaces;
               o.spaces = SpaceConversion::ToUnderscores;
           })
        << "a_b_c.txt";
    QTest::newRow("underscores before spaces: both vanish") << "a_b c.txt" << optionsWith([](RenameOptions &o) {
        o.underscores = UnderscoreConversion::ToSpaces;
        o.spaces = SpaceConversion::Remove;
    }) << "abc.txt";
    QTest::newRow("conversions leave the extension") << "a b_c.x_y z" << optionsWith([](RenameOptions &o) {
        o.underscores = UnderscoreConversion::ToDots;
        o.spaces = SpaceConversion::Remove;
    }) << "ab.c.x_y z";
    QTest::newRow("find ignores case") << "myfile_File.txt" << findReplace("FILE", "doc") << "mydoc_doc.txt";
    QTest::newRow("find skips the extension") << "a.txt" << findReplace("txt", "x") << "a.txt";
    QTest::newRow("find in base split at last dot") << "b.b.b" << findReplace("b", "c") << "c.c.b";
    QTest::newRow("inserted text not searched again") << "banana.txt" << findReplace("a", "aa") << "baanaanaa.txt";
    QTest::newRow("replacement inserted as typed") << "aAa.t" << findReplace("A", "zZ") << "zZzZzZ.t";
    QTest::newRow("empty replacement deletes") << "axbXc.txt" << findReplace("x", "") << "abc.txt";
    QTest::newRow("find ignores case beyond ASCII") << "ÉtÉ été.txt" << findReplace("é", "e") << "ete ete.txt";
    QTest::newRow("find text not trimmed") << "a b.txt" << findReplace(" b", "") << "a.txt";
    QTest::newRow("find text with space finds no match") << "ab.txt" << findReplace("a ", "") << "ab.txt";
    QTest::newRow("find sees conversion output") << "a b.txt" << optionsWith([](RenameOptions &o) {
        o.spaces = SpaceConversion::ToDashes;
        o.findText = "-";
        o.replaceText = "+";
    }) << "a+b.txt";
    QTest::newRow("find sees stamps") << "x.txt" << counter([](RenameOptions &o) { o.findText = "0001_"; }) << "x.txt";
    QTest::newRow("trim leaves extension out") << "my work schedule.doc" << trimTo("8") << "my work .doc";
    QTest::newRow("trim of a long extension") << "abcdefghij.verylongext" << trimTo("8") << "abcdefgh.verylongext";
    QTest::newRow("short base untouched") << "short.doc" << trimTo("8") << "short.doc";
    QTest::newRow("trim 0 means 50") << longBase + ".t" << trimTo("0") << longBase.left(50) + ".t";
    QTest::newRow("negative trim means 50") << longBase + ".t" << trimTo("-3") << longBase.left(50) + ".t";
    QTest::newRow("trim text with spaces") << "abcdefghijklmnop.t" << trimTo(" 12 ") << "abcdefghijkl.t";
    QTest::newRow("trim comes after the postfix stamp") << "abcdef.txt" << optionsWith([](RenameOptions &o) {
        o.postfixCounter = o.trimFilename = true;
        o.trimLength = "8";
    }) << "abcdef_0.txt";
    QTest::newRow("trim keeps a pair whole") << "abcdefg\U0001F600x.t" << trimTo("8") << "abcdefg.t";
    // A name without a dot is all base; one ending in a dot keeps its empty extension.
    QTest::newRow("no dot, upper case") << "README" << caseTo(CaseConversion::Uppercase) << "README";
    QTest::newRow("no dot, prefix counter") << "README" << counter([](RenameOptions &) {}) << "0001_README";
    QTest::newRow("one letter, prefix counter") << "b" << counter([](RenameOptions &) {}) << "0001_b";
    QTest::newRow("trailing dot, prefix counter") << "notes." << counter([](RenameOptions &) {}) << "0001_notes.";
    QTest::newRow("no dot, postfix counter")
        << "Makefile" << optionsWith([](RenameOptions &o) { o.postfixCounter = true; }) << "Makefile_0001";
    QTest::newRow("tab is a name") << "\t" << counter([](RenameOptions &) {}) << "0001_\t";
    QTest::newRow("tildes only become empty") << "~~~" << tildes << "";
    // A lone surrogate stands for a byte that is not UTF-8: every rule leaves it alone.
    const QString e9(QChar(char16_t(0xDCE9)));
    QTest::newRow("byte kept by upper case")
        << "caf" + e9 + " menu.txt" << caseTo(CaseConversion::Uppercase) << "CAF" + e9 + " MENU.TXT";
    QTest::newRow("byte kept by lower case")
        << "CAF" + e9 + ".TXT" << caseTo(CaseConversion::Lowercase) << "caf" + e9 + ".txt";
    QTest::newRow("byte kept by capitalise")
        << "caf" + e9 + "menu.txt" << caseTo(CaseConversion::Capitalise) << "Caf" + e9 + "Menu.Txt";
    QTest::newRow("byte in the extension") << "a." + e9 + "x" << caseTo(CaseConversion::Uppercase) << "A." + e9 + "X";
    QTest::newRow("byte kept by spaces to underscores")
        << "caf" + e9 + " menu.txt" << optionsWith([](RenameOptions &o) { o.spaces = SpaceConversion::ToUnderscores; })
        << "caf" + e9 + "_menu.txt";
    QTest::newRow("byte kept by find ignoring case")
        << "Caf" + e9 + "CAFE.txt" << findReplace("cafe", "x") << "Caf" + e9 + "x.txt";
    QTest::newRow("trim after a byte") << "abcdefg" + e9 + "xyz.t" << trimTo("8") << "abcdefg" + e9 + ".t";
    // Bytes a rule joins into UTF-8 give the name the disk will show for them.
    const QString ff(QChar(char16_t(0xDCFF))), c3(QChar(char16_t(0xDCC3))), a9(QChar(char16_t(0xDCA9)));
    QTest::newRow("replaced byte spells a character")
        << "bad" + ff + a9 + ".txt" << findReplace(ff, c3) << "bad\u00E9.txt";
    QTest::newRow("removed tilde joins two bytes") << "bad" + c3 + "~" + a9 + ".txt" << tildes << "bad\u00E9.txt";
    const auto digits = [](int count) {
        return optionsWith([count](RenameOptions &o) {
            o.prefixCounter = o.postfixCounter = true;
            o.numbering.digits = count;
        });
    };
    QTest::newRow("counters in five digits") << "a.txt" << digits(5) << "00001_a_00001.txt";
    QTest::newRow("counters in one digit") << "a.txt" << digits(1) << "1_a_1.txt";
    QTest::newRow("counters in nine digits") << "a.txt" << digits(9) << "000000001_a_000000001.txt";
    QTest::newRow("digits outside 1 to 9 held to them") << "a" << digits(12) << "000000001_a_000000001";
    QTest::newRow("emptied base leaves a hidden name")
        << "_.txt" << optionsWith([](RenameOptions &o) { o.underscores = UnderscoreConversion::Remove; }) << ".txt";
    QTest::newRow("literal find matching case") << "Photo PHOTO photo.jpg" << optionsWith([](RenameOptions &o) {
        o.findText = "photo";
        o.replaceText = "pic";
        o.findMatchCase = true;
    }) << "Photo PHOTO pic.jpg";
    QTest::newRow("regex ignores case") << "Photo PHOTO photo.jpg" << regex("photo", "pic") << "pic pic pic.jpg";
    QTest::newRow("regex matching case") << "Photo PHOTO photo.jpg" << regex("photo", "pic", true)
                                         << "Photo PHOTO pic.jpg";
    QTest::newRow("regex ignores case beyond ASCII") << "ÉTÉ.txt" << regex("é", "e") << "eTe.txt";
    QTest::newRow("regex matches case beyond ASCII") << "ÉTé.txt" << regex("é", "e", true) << "ÉTe.txt";
    QTest::newRow("regex groups") << "2005-03-06 trip.jpg" << regex("(\\d+)-(\\d+)-(\\d+)", "$3.$2.$1")
                                  << "06.03.2005 trip.jpg";
    QTest::newRow("regex group 10, and $12 as $1 then 2")
        << "abcdefghij.txt" << regex("(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)", "$10-$12") << "j-a2.txt";
    QTest::newRow("regex named groups") << "2005_holiday.jpg"
                                        << regex("(?<year>\\d{4})_(?<name>\\w+)", "${name}_${year}")
                                        << "holiday_2005.jpg";
    QTest::newRow("regex numbered group in braces") << "ab.txt" << regex("^(\\w)", "${1}0") << "a0b.txt";
    QTest::newRow("regex group not taking part is empty") << "ab.txt" << regex("a(x)?", "[$1]") << "[]b.txt";
    QTest::newRow("regex dollar sign") << "price.txt" << regex("^", "$$") << "$price.txt";
    QTest::newRow("regex unknown references stand as written")
        << "axb.txt" << regex("x", "$5${nope}${}$") << "a$5${nope}${}$b.txt";
    QTest::newRow("regex upper case until end")
        << "my holiday.jpg" << regex("(\\w+) (\\w+)", "\\U$1\\E $2") << "MY holiday.jpg";
    QTest::newRow("regex lower case to the end")
        << "MY HOLIDAY.JPG" << regex("(\\w+) (\\w+)", "\\L$1_$2") << "my_holiday.JPG";
    QTest::newRow("regex upper case reaches typed text") << "x.txt" << regex("x", "\\Uab\\Ec") << "ABc.txt";
    QTest::newRow("regex next character upper")
        << "john smith.txt" << regex("(\\w+) (\\w+)", "\\u$2, \\u$1") << "Smith, John.txt";
    QTest::newRow("regex next character lower") << "ABC.txt" << regex("\\w+", "\\l$0") << "aBC.txt";
    QTest::newRow("regex next character before lower case") << "jOHN.txt" << regex("\\w+", "\\u\\L$0") << "John.txt";
    QTest::newRow("regex next character of a pair") << "x.txt" << regex("x", "\\u\U0001D51E") << "\U0001D51E.txt";
    QTest::newRow("regex other backslashes stand") << "a.txt" << regex("a", "\\n\\\\\\") << "\\n\\\\\\.txt";
    QTest::newRow("regex words beyond ASCII") << "café crème.txt" << regex("\\w+", "[$0]") << "[café] [crème].txt";
    QTest::newRow("regex skips the extension") << "a.txt" << regex("txt", "x") << "a.txt";
    QTest::newRow("regex end is the end of the base") << "b.b.b" << regex("\\.|$", "_") << "b_b_.b";
    QTest::newRow("regex inserted text not searched again") << "banana.txt" << regex("a", "aa") << "baanaanaa.txt";
    QTest::newRow("regex empty matches between characters") << "abc.txt" << regex("x*", "-") << "-a-b-c-.txt";
    QTest::newRow("regex empty match after a match") << "a12.txt" << regex("\\d*", "X") << "XaXX.txt";
    QTest::newRow("regex word boundaries") << "ab cd.txt" << regex("\\b", "|") << "|ab| |cd|.txt";
    QTest::newRow("regex look ahead") << "a1b22.txt" << regex("(?=\\d)", "#") << "a#1b#2#2.txt";
    QTest::newRow("regex empty matches keep a pair whole") << "\U0001F600.t" << regex("x*", "-") << "-\U0001F600-.t";
    QTest::newRow("regex byte is a character")
        << "caf" + e9 + ".txt" << regex("caf(.)", "\\U$1$0") << e9 + "CAF" + e9 + ".txt";
    QTest::newRow("regex byte is no word character")
        << "ab" + e9 + "cd.txt" << regex("\\w+", "<$0>") << "<ab>" + e9 + "<cd>.txt";
    QTest::newRow("regex finds a byte") << "a" + e9 + "b.txt" << regex(e9, "é") << "aéb.txt";
    QTest::newRow("regex keeps bytes it does not match")
        << "Caf" + e9 + "CAFE.txt" << regex("cafe", "x") << "Caf" + e9 + "x.txt";
}

void TestNewFilename::newName()
{
    QFETCH(QString, oldName);
    QFETCH(RenameOptions, options);
    QFETCH(QString, newName);
    NameCounters counters{1, 1};
    const auto result = BuildNewFilename(oldName, options, counters, march6);
    QVERIFY2(result.has_value(), qPrintable(oldName));
    QCOMPARE(*result, newName);
}

void TestNewFilename::everyOptionOn()
{
    // Stamps first, then case, underscores, spaces, find and replace, and the
    // trim last, which cuts the postfix date off.
    NameCounters counters{5, 20};
    const auto result =
        BuildNewFilename(QStringLiteral("  my_holiday photo~1.jpeg "), ::everyOptionOn(), counters, march6);
    QVERIFY(result.has_value());
    QCOMPARE(*result, QStringLiteral("6-3-05-New-0005-My-Holiday_Pic1-0020-End.Jpeg"));
    QCOMPARE(counters.intPrefixCounter, qint16(6));
    QCOMPARE(counters.intPostfixCounter, qint16(21));
}

void TestNewFilename::failure_data()
{
    QTest::addColumn<QString>("oldName");
    QTest::addColumn<RenameOptions>("options");
    QTest::addColumn<int>("prefixBefore");
    QTest::addColumn<int>("postfixBefore");
    QTest::addColumn<int>("prefixAfter");
    QTest::addColumn<int>("postfixAfter");

    const auto bothCounters = [](auto set) {
        return optionsWith([&](RenameOptions &o) {
            o.prefixCounter = o.postfixCounter = true;
            set(o);
        });
    };
    const auto nothing = [](RenameOptions &) {};
    QTest::newRow("prefix counter at limit") << "a.txt" << bothCounters(nothing) << 10000 << 7 << 10000 << 7;
    QTest::newRow("postfix at limit keeps prefix advance")
        << "a.txt" << bothCounters(nothing) << 5 << 10000 << 6 << 10000;
    QTest::newRow("trim text of letters") << "a.txt" << bothCounters([](RenameOptions &o) {
        o.trimFilename = true;
        o.trimLength = "abc";
    }) << 1 << 1 << 2 << 2;
    QTest::newRow("empty trim text") << "a.txt" << bothCounters([](RenameOptions &o) {
        o.trimFilename = true;
        o.trimLength = "";
    }) << 1 << 1 << 2 << 2;
    QTest::newRow("trim text beyond 16 bits") << "a.txt" << bothCounters([](RenameOptions &o) {
        o.trimFilename = true;
        o.trimLength = "32768";
    }) << 1 << 1 << 2 << 2;
}

void TestNewFilename::failure()
{
    QFETCH(QString, oldName);
    QFETCH(RenameOptions, options);
    QFETCH(int, prefixBefore);
    QFETCH(int, postfixBefore);
    QFETCH(int, prefixAfter);
    QFETCH(int, postfixAfter);
    NameCounters counters{qint16(prefixBefore), qint16(postfixBefore)};
    const auto result = BuildNewFilename(oldName, options, counters, march6);
    QVERIFY(!result.has_value());
    QCOMPARE(result.error().message, QStringLiteral("Invalid procedure call or argument"));
    QCOMPARE(counters.intPrefixCounter, qint16(prefixAfter));
    QCOMPARE(counters.intPostfixCounter, qint16(postfixAfter));
}

void TestNewFilename::patternError_data()
{
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("error");
    QTest::newRow("open group") << "(abc"
                                << "Pattern error at 4: missing closing parenthesis";
    QTest::newRow("closing parenthesis") << "a)"
                                         << "Pattern error at 1: unmatched closing parenthesis";
    QTest::newRow("open class") << "x[a"
                                << "Pattern error at 3: missing terminating ] for character class";
    QTest::newRow("nothing to repeat") << "*a"
                                       << "Pattern error at 0: quantifier does not follow a repeatable item";
}

void TestNewFilename::patternError()
{
    // Every name fails alike and no counter moves: a run asks first and renames nothing.
    QFETCH(QString, pattern);
    QFETCH(QString, error);
    RenameOptions options = regex(pattern, "x");
    options.prefixCounter = true;
    QCOMPARE(findPatternError(options).value_or(QString()), error);
    NameCounters counters{1, 1};
    const auto result = BuildNewFilename(QStringLiteral("a.txt"), options, counters, march6);
    QVERIFY(!result.has_value());
    QVERIFY(result.error() == RenameError::patternError(error));
    QCOMPARE(counters.intPrefixCounter, qint16(1));
    // As literal text the same find is no error.
    options.findRegex = false;
    QVERIFY(!findPatternError(options));
    const auto literal =
        BuildNewFilename(QStringLiteral("a") + pattern + QStringLiteral(".txt"), options, counters, march6);
    QCOMPARE(literal.value_or(QString()), QStringLiteral("0001_ax.txt"));
}

void TestNewFilename::blankNameMovesNoCounter()
{
    RenameOptions options;
    options.prefixCounter = options.postfixCounter = true;
    options.trimFilename = true;
    options.trimLength = QStringLiteral("not a number");
    for (const QString &blank : {QString(), QStringLiteral("   ")}) {
        NameCounters counters{1, 1};
        const auto result = BuildNewFilename(blank, options, counters, march6);
        QVERIFY(result.has_value());
        QCOMPARE(*result, QString());
        QCOMPARE(counters.intPrefixCounter, qint16(1));
        QCOMPARE(counters.intPostfixCounter, qint16(1));
    }
}

void TestNewFilename::samplesNumberFromTheirStart()
{
    RenameOptions options;
    options.prefixCounter = options.postfixCounter = true;
    options.trimLength = QStringLiteral("ignored while trimming is off");
    NameCounters counters;
    counters.load(QStringLiteral("0005"), QStringLiteral("0020"));
    QStringList names;
    for (int i = 0; i < 4; ++i)
        names << BuildNewFilename(QStringLiteral("a.txt"), options, counters, march6).value();
    QCOMPARE(names, QStringList({"0005_a_0020.txt", "0006_a_0021.txt", "0007_a_0022.txt", "0008_a_0023.txt"}));
    QCOMPARE(counters.intPrefixCounter, qint16(9));
    QCOMPARE(counters.intPostfixCounter, qint16(24));
}

void TestNewFilename::numberedSeries_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("digits");
    QTest::addColumn<QStringList>("names"); // of five files in turn; empty where the counter is past its digits
    QTest::newRow("as always") << 1 << 1 << 4 << QStringList{"0001_a", "0002_a", "0003_a", "0004_a", "0005_a"};
    QTest::newRow("step 5") << 1 << 5 << 4 << QStringList{"0001_a", "0006_a", "0011_a", "0016_a", "0021_a"};
    QTest::newRow("step 999") << 1 << 999 << 4 << QStringList{"0001_a", "1000_a", "1999_a", "2998_a", "3997_a"};
    QTest::newRow("a step above 999 counts as 999")
        << 1 << 5000 << 4 << QStringList{"0001_a", "1000_a", "1999_a", "2998_a", "3997_a"};
    QTest::newRow("four digits stop after 9999") << 9998 << 1 << 4 << QStringList{"9998_a", "9999_a", "", "", ""};
    QTest::newRow("a step past 9999 stops too") << 9990 << 5 << 4 << QStringList{"9990_a", "9995_a", "", "", ""};
    QTest::newRow("five digits go on past 9999")
        << 9998 << 1 << 5 << QStringList{"09998_a", "09999_a", "10000_a", "10001_a", "10002_a"};
    QTest::newRow("five digits stop after 99999") << 99998 << 1 << 5 << QStringList{"99998_a", "99999_a", "", "", ""};
    QTest::newRow("one digit") << 7 << 1 << 1 << QStringList{"7_a", "8_a", "9_a", "", ""};
    QTest::newRow("start wider than its digits") << 12 << 1 << 1 << QStringList{"", "", "", "", ""};
    QTest::newRow("nine digits, step 999")
        << 9999 << 999 << 9
        << QStringList{"000009999_a", "000010998_a", "000011997_a", "000012996_a", "000013995_a"};
    QTest::newRow("nine digits stop after 999999999")
        << 999999000 << 999 << 9 << QStringList{"999999000_a", "999999999_a", "", "", ""};
}

void TestNewFilename::numberedSeries()
{
    QFETCH(int, start);
    QFETCH(int, step);
    QFETCH(int, digits);
    QFETCH(QStringList, names);
    RenameOptions options;
    options.prefixCounter = true;
    options.numbering.step = step;
    options.numbering.digits = digits;
    NameCounters counters{start, start};
    QStringList made;
    for (int i = 0; i < names.size(); ++i) {
        const auto name = BuildNewFilename(QStringLiteral("a"), options, counters, march6);
        made << name.value_or(QString());
        if (!name)
            QCOMPARE(name.error(), RenameError::counterPastLimit(std::min(digits, 9)));
    }
    QCOMPARE(made, names);
}

void TestNewFilename::capitalise_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("capitalised");

    QTest::newRow("words") << "my work schedule"
                           << "My Work Schedule";
    QTest::newRow("extension") << ".doc"
                               << ".Doc";
    QTest::newRow("underscores") << "great_album_track2"
                                 << "Great_Album_Track2";
    QTest::newRow("dashes") << "large - company_logo"
                            << "Large - Company_Logo";
    QTest::newRow("digit starts a word") << "2nd place"
                                         << "2Nd Place";
    QTest::newRow("dash") << "x-ray"
                          << "X-Ray";
    QTest::newRow("tilde") << "file~1"
                           << "File~1";
    QTest::newRow("apostrophe inside") << "don't stop"
                                       << "Don't Stop";
    QTest::newRow("apostrophe first") << "'twas"
                                      << "'twas";
    QTest::newRow("apostrophe then capital") << "o'neil"
                                             << "O'neil";
    QTest::newRow("capitals lowered") << "McDONALD"
                                      << "Mcdonald";
    QTest::newRow("accented capital separates") << "ÉCOLE"
                                                << "éCole";
    QTest::newRow("accented start") << "élan vital"
                                    << "éLan Vital";
    QTest::newRow("accent inside a word") << "café noir"
                                          << "Café Noir";
    QTest::newRow("cyrillic lowered, not capitalised") << "МИР war"
                                                       << "мир War";
    QTest::newRow("empty") << ""
                           << "";
}

void TestNewFilename::capitalise()
{
    QFETCH(QString, text);
    QFETCH(QString, capitalised);
    QCOMPARE(Capitalise(text), capitalised);
}

void TestNewFilename::capitaliseLowersItsArgument()
{
    QString text = QStringLiteral("ÉTÉ Word");
    QCOMPARE(Capitalise(text), QStringLiteral("éTé Word"));
    QCOMPARE(text, QStringLiteral("été word"));
}

void TestNewFilename::replaceChar_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("find");
    QTest::addColumn<QString>("replace");
    QTest::addColumn<QString>("result");

    QTest::newRow("delete") << "a_b__c"
                            << "_"
                            << ""
                            << "abc";
    QTest::newRow("dash") << "a_b__c"
                          << "_"
                          << "-"
                          << "a-b--c";
    QTest::newRow("space to dot") << "no spaces"
                                  << " "
                                  << "."
                                  << "no.spaces";
    QTest::newRow("empty text") << ""
                                << "_"
                                << "-"
                                << "";
    QTest::newRow("exact code, not case") << "aAa"
                                          << "a"
                                          << "b"
                                          << "bAb";
    QTest::newRow("longer find changes nothing") << "a__b"
                                                 << "__"
                                                 << "-"
                                                 << "a__b";
    QTest::newRow("empty find changes nothing") << "a_b"
                                                << ""
                                                << "-"
                                                << "a_b";
    QTest::newRow("inserted text not replaced again") << "a_b"
                                                      << "_"
                                                      << "__"
                                                      << "a__b";
}

void TestNewFilename::replaceChar()
{
    QFETCH(QString, text);
    QFETCH(QString, find);
    QFETCH(QString, replace);
    QFETCH(QString, result);
    kestrava::replaceChar(text, find, replace);
    QCOMPARE(text, result);
}

void TestNewFilename::trimLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("converts");
    QTest::addColumn<int>("value");

    QTest::newRow("plain") << "50" << true << 50;
    QTest::newRow("leading zeros") << "008" << true << 8;
    QTest::newRow("zero") << "0" << true << 0;
    QTest::newRow("spaces around") << "  12  " << true << 12;
    QTest::newRow("plus") << "+9" << true << 9;
    QTest::newRow("minus") << "-3" << true << -3;
    QTest::newRow("largest") << "32767" << true << 32767;
    QTest::newRow("smallest") << "-32768" << true << -32768;
    QTest::newRow("too large") << "32768" << false << 0;
    QTest::newRow("too small") << "-32769" << false << 0;
    QTest::newRow("many digits") << "99999999999999999999" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("spaces only") << "   " << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("space after sign") << "- 3" << false << 0;
    QTest::newRow("letters") << "12a" << false << 0;
    QTest::newRow("decimal") << "1.5" << false << 0;
    QTest::newRow("arabic-indic digits") << "\u0661\u0662" << false << 0;
}

void TestNewFilename::trimLength()
{
    QFETCH(QString, text);
    QFETCH(bool, converts);
    QFETCH(int, value);
    const std::optional<qint16> parsed = parseTrimLength(text);
    QCOMPARE(parsed.has_value(), converts);
    if (converts)
        QCOMPARE(*parsed, qint16(value));
}


namespace {

// What a photo and a music file would give; each row takes one away or leaves both.
FileFacts everyFact()
{
    FileFacts facts;
    facts.folder = QStringLiteral("Holiday");
    facts.modified = QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9), Qt::UTC);
    facts.taken = QDateTime(QDate(2019, 7, 14), QTime(10, 11, 12), Qt::UTC);
    facts.camera = QStringLiteral("Canon EOS 5D");
    facts.width = 4000;
    facts.height = 3000;
    facts.artist = QStringLiteral("Nina Simone");
    facts.album = QStringLiteral("Pastel Blues");
    facts.title = QStringLiteral("Sinnerman");
    facts.genre = QStringLiteral("Jazz");
    facts.track = 7;
    facts.year = 1965;
    return facts;
}

RenameOptions nameTemplate(const QString &text, bool fallback = false)
{
    return optionsWith([&](RenameOptions &o) {
        o.useTemplate = true;
        o.nameTemplate = text;
        o.dateFallback = fallback;
    });
}

RenameOptions dateFrom(DateSource source, bool fallback = false)
{
    return optionsWith([&](RenameOptions &o) {
        o.prefixDate = true;
        o.datePrefix = QStringLiteral("yyyy-mm-dd hh.mm.ss");
        o.dateSource = source;
        o.dateFallback = fallback;
    });
}

} // namespace

Q_DECLARE_METATYPE(kestrava::FileFacts)

void TestNewFilename::fromTheFile_data()
{
    QTest::addColumn<RenameOptions>("options");
    QTest::addColumn<bool>("sample"); // no file behind the name
    QTest::addColumn<FileFacts>("facts");
    QTest::addColumn<QString>("newName"); // of "track.mp3"
    QTest::addColumn<QString>("failure"); // the message when it fails
    QTest::addColumn<int>("prefixAfter"); // the prefix counter, from 1

    const FileFacts all = everyFact();
    const auto without = [&all](auto take) {
        FileFacts facts = all;
        take(facts);
        return facts;
    };
    const auto row = [](const char *name, const RenameOptions &options, const FileFacts &facts, const char *newName,
                        const char *failure = "", int prefixAfter = 1) {
        QTest::newRow(name) << options << false << facts << QString::fromUtf8(newName) << QString::fromUtf8(failure)
                            << prefixAfter;
    };
    row("name and ext", nameTemplate("{name}{ext}"), all, "track.mp3.mp3");
    row("folder", nameTemplate("{folder} {name}"), all, "Holiday track.mp3");
    row("counter", nameTemplate("{counter} {name}"), all, "0001 track.mp3", "", 2);
    row("counter with the prefix counter on, one number", optionsWith([](RenameOptions &o) {
            o = nameTemplate("{counter}");
            o.prefixCounter = true;
        }),
        all, "0001_0001.mp3", "", 2);
    row("modified", nameTemplate("{modified:yyyy-mm-dd hh.mm.ss}"), all, "2020-05-06 07.08.09.mp3");
    row("taken, bare", nameTemplate("{taken}"), all, "2019-07-14.mp3");
    row("taken as ddmmyy", nameTemplate("{taken:ddmmyy}"), all, "14719.mp3");
    row("camera and size", nameTemplate("{camera} {width}x{height}"), all, "Canon EOS 5D 4000x3000.mp3");
    row("music", nameTemplate("{artist} - {album} - {track:2} {title} ({year}, {genre})"), all,
        "Nina Simone - Pastel Blues - 07 Sinnerman (1965, Jazz).mp3");
    row("track unpadded", nameTemplate("{track}"), all, "7.mp3");
    row("slash and control characters become underscores", nameTemplate("{title}"),
        without([](FileFacts &f) { f.title = QStringLiteral("AC/DC\tlive\n"); }), "AC_DC_live_.mp3");
    row("the other rules apply after", optionsWith([](RenameOptions &o) {
            o = nameTemplate("{artist} {title}");
            o.spaces = SpaceConversion::ToUnderscores;
            o.caseConversion = CaseConversion::Lowercase;
        }),
        all, "nina_simone_sinnerman.mp3");
    row("no folder", nameTemplate("{folder}"), without([](FileFacts &f) { f.folder.clear(); }), "", "no folder");
    row("no date modified", nameTemplate("{modified}"), without([](FileFacts &f) { f.modified.reset(); }), "",
        "no date modified");
    row("no date taken", nameTemplate("{taken}"), without([](FileFacts &f) { f.taken.reset(); }), "", "no date taken");
    row("no date taken, modified instead", nameTemplate("{taken}", true),
        without([](FileFacts &f) { f.taken.reset(); }), "2020-05-06.mp3");
    row("no camera", nameTemplate("{camera}"), without([](FileFacts &f) { f.camera.reset(); }), "", "no camera");
    row("no width", nameTemplate("{width}"), without([](FileFacts &f) { f.width.reset(); }), "", "no width");
    row("no height", nameTemplate("{height}"), without([](FileFacts &f) { f.height.reset(); }), "", "no height");
    row("no artist", nameTemplate("{artist}"), without([](FileFacts &f) { f.artist.reset(); }), "", "no artist");
    row("no album", nameTemplate("{album}"), without([](FileFacts &f) { f.album.reset(); }), "", "no album");
    row("no title", nameTemplate("{title}"), without([](FileFacts &f) { f.title.reset(); }), "", "no title");
    row("no track", nameTemplate("{track:2}"), without([](FileFacts &f) { f.track.reset(); }), "", "no track");
    row("no year", nameTemplate("{year}"), without([](FileFacts &f) { f.year.reset(); }), "", "no year");
    row("no genre", nameTemplate("{genre}"), without([](FileFacts &f) { f.genre.reset(); }), "", "no genre");
    row("a file left alone takes no number", optionsWith([](RenameOptions &o) {
            o = nameTemplate("{counter} {artist}");
            o.postfixCounter = true;
        }),
        without([](FileFacts &f) { f.artist.reset(); }), "", "no artist", 1);
    row("a field written wrong", nameTemplate("{artst}"), all, "",
        "Unknown field \"{artst}\"; the fields are {name}, {ext}, {folder}, {counter}, {modified}, {taken}, {camera}, "
        "{width}, {height}, {artist}, {album}, {title}, {track}, {year}, {genre}");
    row("date stamp of today", dateFrom(DateSource::Today), all, "2005-03-06 00.00.00_track.mp3");
    row("date stamp modified", dateFrom(DateSource::Modified), all, "2020-05-06 07.08.09_track.mp3");
    row("date stamp taken", dateFrom(DateSource::Taken), all, "2019-07-14 10.11.12_track.mp3");
    row("date stamp taken, none", dateFrom(DateSource::Taken), without([](FileFacts &f) { f.taken.reset(); }), "",
        "no date taken");
    row("date stamp taken, else modified", dateFrom(DateSource::Taken, true),
        without([](FileFacts &f) { f.taken.reset(); }), "2020-05-06 07.08.09_track.mp3");
    row("date stamp taken, neither", dateFrom(DateSource::Taken, true), FileFacts(), "", "no date taken");
    QTest::newRow("sample of a template") << nameTemplate("{taken:yyyymmdd} {artist} - {track:2} {title}") << true
                                          << FileFacts() << "[taken] [artist] - [track] [title].mp3" << "" << 1;
    QTest::newRow("sample of a date stamp taken")
        << dateFrom(DateSource::Taken) << true << FileFacts() << "[taken]_track.mp3" << "" << 1;
    QTest::newRow("sample of a date stamp modified")
        << dateFrom(DateSource::Modified) << true << FileFacts() << "[modified]_track.mp3" << "" << 1;
}

void TestNewFilename::fromTheFile()
{
    QFETCH(RenameOptions, options);
    QFETCH(bool, sample);
    QFETCH(FileFacts, facts);
    QFETCH(QString, newName);
    QFETCH(QString, failure);
    QFETCH(int, prefixAfter);
    NameCounters counters{1, 1};
    const auto result = BuildNewFilename(QStringLiteral("track.mp3"), options, counters, march6, sample ? nullptr : &facts);
    QCOMPARE(result.value_or(QString()), newName);
    QCOMPARE(result ? QString() : result.error().message, failure);
    QCOMPARE(counters.intPrefixCounter, prefixAfter);
    if (!failure.isEmpty())
        QCOMPARE(counters.intPostfixCounter, 1);
}

QTEST_GUILESS_MAIN(TestNewFilename)
#include "tst_newfilename.moc"
