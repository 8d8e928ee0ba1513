// SPDX-License-Identifier: GPL-3.0-or-later
#include "NameCounters.h"

#include <QTest>

using kestrava::NameCounters;

class TestNameCounters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startValue_data();
    void startValue();
    void loadReadsBothStartFields();
    void loadReplacesAdvancedValues();
    void resetZeroesBoth();
};

void TestNameCounters::startValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");

    QTest::newRow("leading zeros") << "0005" << 5;
    QTest::newRow("default box text") << "0001" << 1;
    QTest::newRow("zero stays zero") << "0" << 0;
    QTest::newRow("all zeros") << "0000" << 0;
    QTest::newRow("largest start") << "9999" << 9999;
    QTest::newRow("one digit") << "7" << 7;
    QTest::newRow("empty") << "" << 1;
    QTest::newRow("five digits") << "10000" << 1;
    QTest::newRow("too long even if small") << "00005" << 1;
    QTest::newRow("leading space") << " 5" << 1;
    QTest::newRow("trailing space") << "5 " << 1;
    QTest::newRow("spaces only") << "    " << 1;
    QTest::newRow("minus sign") << "-5" << 1;
    QTest::newRow("plus sign") << "+5" << 1;
    QTest::newRow("letters") << "12ab" << 1;
    QTest::newRow("exponent") << "1e3" << 1;
    QTest::newRow("hex") << "0x1F" << 1;
    QTest::newRow("decimal point") << "1.5" << 1;
    QTest::newRow("arabic-indic digits") << "\u0661\u0662" << 1;
    QTest::newRow("fullwidth digits") << "\uFF11\uFF12" << 1;
}

void TestNameCounters::startValue()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(kestrava::counterStartValue(text), qint16(value));
}

void TestNameCounters::loadReadsBothStartFields()
{
    NameCounters counters;
    counters.load(QStringLiteral("0005"), QStringLiteral("0020"));
    QCOMPARE(counters.intPrefixCounter, qint16(5));
    QCOMPARE(counters.intPostfixCounter, qint16(20));
}

void TestNameCounters::loadReplacesAdvancedValues()
{
    // A preview leaves the counters advanced; the next series starts afresh.
    NameCounters counters{4000, 10000};
    counters.load(QStringLiteral("0001"), QStringLiteral("abc"));
    QCOMPARE(counters.intPrefixCounter, qint16(1));
    QCOMPARE(counters.intPostfixCounter, qint16(1));
}

void TestNameCounters::resetZeroesBoth()
{
    NameCounters counters{7, 9};
    counters.reset();
    QCOMPARE(counters.intPrefixCounter, qint16(0));
    QCOMPARE(counters.intPostfixCounter, qint16(0));
}

QTEST_GUILESS_MAIN(TestNameCounters)
#include "tst_namecounters.moc"
