#include "NameCounters.h"

#include <QTest>

using kestrava::NameCounters;

class TestNameCounters : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadReadsBothStartFields();
    void resetZeroesBoth();
};

void TestNameCounters::loadReadsBothStartFields()
{
    NameCounters counters;
    counters.load(QStringLiteral("0005"), QStringLiteral("0020"));
    QCOMPARE(counters.intPrefixCounter, qint16(5));
    QCOMPARE(counters.intPostfixCounter, qint16(20));
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
