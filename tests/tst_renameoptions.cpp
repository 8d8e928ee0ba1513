// SPDX-License-Identifier: GPL-3.0-or-later
#include "RenameOptions.h"

#include <QTest>

using namespace kestrava;

class TestRenameOptions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void startValues();
};

void TestRenameOptions::startValues()
{
    const RenameOptions options;
    QVERIFY(!options.removeTildas && !options.trimFilename);
    QVERIFY(!options.prefixCounter && !options.prefixName && !options.prefixDate);
    QVERIFY(!options.postfixCounter && !options.postfixName && !options.postfixDate);
    QCOMPARE(options.prefixText, QStringLiteral("File_"));
    QCOMPARE(options.postfixText, QStringLiteral("_File"));
    QCOMPARE(options.datePrefix, QString());
    QCOMPARE(options.datePostfix, QString());
    QCOMPARE(options.caseConversion, CaseConversion::Ignore);
    QCOMPARE(options.underscores, UnderscoreConversion::Ignore);
    QCOMPARE(options.spaces, SpaceConversion::Ignore);
    QCOMPARE(options.findText, QString());
    QCOMPARE(options.replaceText, QString());
    QCOMPARE(options.trimLength, QStringLiteral("50"));
    QCOMPARE(options.dateSource, DateSource::Today);
    QVERIFY(!options.dateFallback && !options.useTemplate);
    QCOMPARE(options.nameTemplate, QString());
    // Numbered as the file list orders the files, one by one, in four digits.
    QCOMPARE(options.numbering.order, NumberOrder::Name);
    QVERIFY(!options.numbering.reverse && !options.numbering.perFolder);
    QCOMPARE(options.numbering.step, 1);
    QCOMPARE(options.numbering.digits, 4);
    QVERIFY(options.numbering.isListOrder());
}

QTEST_GUILESS_MAIN(TestRenameOptions)
#include "tst_renameoptions.moc"
