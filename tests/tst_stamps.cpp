// SPDX-License-Identifier: GPL-3.0-or-later
#include "NewFilename.h"
#include "Stamps.h"

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

} // namespace

class TestStamps : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatsInListOrder();
    void dateText_data();
    void dateText();
    void dateTimeText_data();
    void dateTimeText();
    void stampsTakeAGivenDateTime();
    void counterStamp_data();
    void counterStamp();
    void counterAtLimitFailsAndStays();
    void stamps_data();
    void stamps();
    void bothCountersAdvanceOncePerName();
    void postfixFailureKeepsPrefixAdvance();
};

void TestStamps::formatsInListOrder()
{
    const QStringList expected{"ddmmyy",     "dd-mm-yy", "ddmmyyyy",           "dd-mm-yyyy",
                               "mmddyy",     "mm-dd-yy", "mmddyyyy",           "mm-dd-yyyy",
                               "yyyy-mm-dd", "yyyymmdd", "yyyy-mm-dd hh.mm.ss"};
    QCOMPARE(dateFormats(), expected);
}

void TestStamps::dateText_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("text");

    const QDate christmas(2005, 12, 25);
    QTest::newRow("ddmmyy single digits") << "ddmmyy" << march6 << "6305";
    QTest::newRow("ddmmyy double digits") << "ddmmyy" << christmas << "251205";
    QTest::newRow("ddmmyyyy") << "ddmmyyyy" << march6 << "632005";
    QTest::newRow("ddmmyyyy double digits") << "ddmmyyyy" << christmas << "25122005";
    QTest::newRow("dd-mm-yy") << "dd-mm-yy" << march6 << "6-3-05";
    QTest::newRow("dd-mm-yy double digits") << "dd-mm-yy" << christmas << "25-12-05";
    QTest::newRow("dd-mm-yyyy") << "dd-mm-yyyy" << march6 << "6-3-2005";
    QTest::newRow("dd-mm-yyyy double digits") << "dd-mm-yyyy" << christmas << "25-12-2005";
    QTest::newRow("mmddyy") << "mmddyy" << march6 << "3605";
    QTest::newRow("mmddyy double digits") << "mmddyy" << christmas << "122505";
    QTest::newRow("mmddyyyy") << "mmddyyyy" << march6 << "362005";
    QTest::newRow("mmddyyyy double digits") << "mmddyyyy" << christmas << "12252005";
    QTest::newRow("mm-dd-yy") << "mm-dd-yy" << march6 << "3-6-05";
    QTest::newRow("mm-dd-yy double digits") << "mm-dd-yy" << christmas << "12-25-05";
    QTest::newRow("mm-dd-yyyy") << "mm-dd-yyyy" << march6 << "3-6-2005";
    QTest::newRow("mm-dd-yyyy double digits") << "mm-dd-yyyy" << christmas << "12-25-2005";
    QTest::newRow("different dates, same stamp 1") << "ddmmyy" << QDate(2005, 11, 1) << "11105";
    QTest::newRow("different dates, same stamp 2") << "ddmmyy" << QDate(2005, 1, 11) << "11105";
    QTest::newRow("year 2000 keeps its zeros") << "dd-mm-yy" << QDate(2000, 1, 1) << "1-1-00";
    QTest::newRow("short year of 2010") << "mmddyy" << QDate(2010, 10, 31) << "103110";
    QTest::newRow("yyyy-mm-dd pads with zeros") << "yyyy-mm-dd" << march6 << "2005-03-06";
    QTest::newRow("yyyy-mm-dd double digits") << "yyyy-mm-dd" << christmas << "2005-12-25";
    QTest::newRow("yyyymmdd pads with zeros") << "yyyymmdd" << march6 << "20050306";
    QTest::newRow("yyyymmdd double digits") << "yyyymmdd" << christmas << "20051225";
    QTest::newRow("a date alone stands at midnight") << "yyyy-mm-dd hh.mm.ss" << march6 << "2005-03-06 00.00.00";
    QTest::newRow("year before 1000 keeps four digits") << "yyyymmdd" << QDate(987, 6, 5) << "09870605";
    QTest::newRow("no entry selected") << "" << march6 << "";
    QTest::newRow("upper case format is not one of the eight") << "DDMMYY" << march6 << "";
    QTest::newRow("format with a space") << "ddmmyy " << march6 << "";
    QTest::newRow("invalid date") << "ddmmyy" << QDate() << "";
}

void TestStamps::dateText()
{
    QFETCH(QString, format);
    QFETCH(QDate, date);
    QFETCH(QString, text);
    QCOMPARE(kestrava::dateText(format, date), text);
}

void TestStamps::dateTimeText_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QDateTime>("when");
    QTest::addColumn<QString>("text");

    const QDateTime morning(march6, QTime(7, 8, 9));
    const QDateTime evening(QDate(2024, 11, 30), QTime(23, 59, 58));
    QTest::newRow("seconds, single digits") << "yyyy-mm-dd hh.mm.ss" << morning << "2005-03-06 07.08.09";
    QTest::newRow("seconds, 24 hours") << "yyyy-mm-dd hh.mm.ss" << evening << "2024-11-30 23.59.58";
    QTest::newRow("a day format ignores the time") << "yyyy-mm-dd" << evening << "2024-11-30";
    QTest::newRow("one of the eight") << "dd-mm-yyyy" << evening << "30-11-2024";
    QTest::newRow("invalid") << "yyyy-mm-dd hh.mm.ss" << QDateTime() << "";
}

void TestStamps::dateTimeText()
{
    QFETCH(QString, format);
    QFETCH(QDateTime, when);
    QFETCH(QString, text);
    QCOMPARE(kestrava::dateText(format, when), text);
}

void TestStamps::stampsTakeAGivenDateTime()
{
    const RenameOptions options = optionsWith([](RenameOptions &o) {
        o.prefixDate = o.postfixDate = true;
        o.datePrefix = "yyyy-mm-dd hh.mm.ss";
        o.datePostfix = "yyyymmdd";
    });
    NameCounters counters{1, 1};
    const QDateTime taken(QDate(2019, 7, 14), QTime(10, 11, 12), Qt::UTC);
    QString base = QStringLiteral("photo");
    QVERIFY(addStamps(base, options, counters, taken).has_value());
    QCOMPARE(base, QStringLiteral("2019-07-14 10.11.12_photo_20190714"));
    QCOMPARE(BuildNewFilename(QStringLiteral("photo.jpg"), options, counters, taken),
             QStringLiteral("2019-07-14 10.11.12_photo_20190714.jpg"));
    // Today's stamps have no time of day.
    QCOMPARE(BuildNewFilename(QStringLiteral("photo.jpg"), options, counters, march6),
             QStringLiteral("2005-03-06 00.00.00_photo_20050306.jpg"));
}

void TestStamps::counterStamp_data()
{
    QTest::addColumn<int>("before");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("after");

    QTest::newRow("one") << 1 << "0001" << 2;
    QTest::newRow("two digits") << 42 << "0042" << 43;
    QTest::newRow("three digits") << 512 << "0512" << 513;
    QTest::newRow("four digits") << 1234 << "1234" << 1235;
    QTest::newRow("last stampable") << 9999 << "9999" << 10000;
    QTest::newRow("zero stands for one") << 0 << "0001" << 2;
    QTest::newRow("negative stands for one") << -5 << "0001" << 2;
    QTest::newRow("lowest value") << -32768 << "0001" << 2;
}

void TestStamps::counterStamp()
{
    QFETCH(int, before);
    QFETCH(QString, text);
    QFETCH(int, after);
    qint16 counter = qint16(before);
    const auto stamp = takeCounterStamp(counter);
    QVERIFY(stamp.has_value());
    QCOMPARE(*stamp, text);
    QCOMPARE(counter, qint16(after));
}

void TestStamps::counterAtLimitFailsAndStays()
{
    for (const int value : {10000, 12345, 32767}) {
        qint16 counter = qint16(value);
        const auto stamp = takeCounterStamp(counter);
        QVERIFY(!stamp.has_value());
        QCOMPARE(stamp.error().message, QStringLiteral("Invalid procedure call or argument"));
        QCOMPARE(counter, qint16(value));
    }
}

void TestStamps::stamps_data()
{
    QTest::addColumn<RenameOptions>("options");
    QTest::addColumn<QString>("base");

    QTest::newRow("nothing on") << RenameOptions() << "photo";
    QTest::newRow("prefix side order: date, text, counter") << optionsWith([](RenameOptions &o) {
        o.prefixCounter = o.prefixName = o.prefixDate = true;
        o.datePrefix = "dd-mm-yy";
    }) << "6-3-05_File_0001_photo";
    QTest::newRow("postfix side order: counter, text, date") << optionsWith([](RenameOptions &o) {
        o.postfixCounter = o.postfixName = o.postfixDate = true;
        o.datePostfix = "dd-mm-yy";
    }) << "photo_0001_File_6-3-05";
    QTest::newRow("prefix text loses leading spaces only") << optionsWith([](RenameOptions &o) {
        o.prefixName = true;
        o.prefixText = "  File_ ";
    }) << "File_ photo";
    QTest::newRow("postfix text loses trailing spaces only") << optionsWith([](RenameOptions &o) {
        o.postfixName = true;
        o.postfixText = " _File  ";
    }) << "photo _File";
    QTest::newRow("tabs are not spaces") << optionsWith([](RenameOptions &o) {
        o.prefixName = o.postfixName = true;
        o.prefixText = "\tA";
        o.postfixText = "B\t";
    }) << "\tAphotoB\t";
    QTest::newRow("empty prefix text adds nothing") << optionsWith([](RenameOptions &o) {
        o.prefixName = true;
        o.prefixText.clear();
    }) << "photo";
    QTest::newRow("spaces-only texts add nothing") << optionsWith([](RenameOptions &o) {
        o.prefixName = o.postfixName = true;
        o.prefixText = o.postfixText = "   ";
    }) << "photo";
    QTest::newRow("texts ignored while their boxes are off")
        << optionsWith([](RenameOptions &o) { o.prefixText = o.postfixText = "X"; }) << "photo";
    QTest::newRow("two date formats") << optionsWith([](RenameOptions &o) {
        o.prefixDate = o.postfixDate = true;
        o.datePrefix = "ddmmyyyy";
        o.datePostfix = "mm-dd-yy";
    }) << "632005_photo_3-6-05";
}

void TestStamps::stamps()
{
    QFETCH(RenameOptions, options);
    QFETCH(QString, base);
    NameCounters counters{1, 1};
    QString stamped = QStringLiteral("photo");
    QVERIFY(addStamps(stamped, options, counters, march6).has_value());
    QCOMPARE(stamped, base);
}

void TestStamps::bothCountersAdvanceOncePerName()
{
    const RenameOptions options = optionsWith([](RenameOptions &o) { o.prefixCounter = o.postfixCounter = true; });
    NameCounters counters{1, 1};
    QString first = QStringLiteral("a");
    QVERIFY(addStamps(first, options, counters, march6).has_value());
    QString second = QStringLiteral("a");
    QVERIFY(addStamps(second, options, counters, march6).has_value());
    QCOMPARE(first, QStringLiteral("0001_a_0001"));
    QCOMPARE(second, QStringLiteral("0002_a_0002"));
    QCOMPARE(counters.intPrefixCounter, qint16(3));
    QCOMPARE(counters.intPostfixCounter, qint16(3));
}

void TestStamps::postfixFailureKeepsPrefixAdvance()
{
    const RenameOptions options = optionsWith([](RenameOptions &o) { o.prefixCounter = o.postfixCounter = true; });
    NameCounters counters{9999, 10000};
    QString base = QStringLiteral("a");
    const auto result = addStamps(base, options, counters, march6);
    QVERIFY(!result.has_value());
    QCOMPARE(result.error(), RenameError::counterPastLimit());
    QCOMPARE(result.error().message, RenameError::invalidArgument().message);
    QCOMPARE(counters.intPrefixCounter, qint16(10000));
    QCOMPARE(counters.intPostfixCounter, qint16(10000));
}

QTEST_GUILESS_MAIN(TestStamps)
#include "tst_stamps.moc"
