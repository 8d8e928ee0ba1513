// SPDX-License-Identifier: GPL-3.0-or-later
// The Go tab's progress bar: its texts, and what it shows during and after real runs.
#include "FolderChooserList.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "RunController.h"
#include "RunProgressBar.h"
#include "RunTestKit.h"

#include <QCheckBox>
#include <QItemSelectionModel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

using namespace kestrava;
using namespace kestrava::testing;

class TestRunProgressBar : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void texts_data();
    void texts();
    void timeLeft_data();
    void timeLeft();
    void barFollowsARun_data();
    void barFollowsARun();
    void timeLeftShowsAfterASecond();
};

void TestRunProgressBar::texts_data()
{
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("want");
    QTest::newRow("no estimate yet") << RunProgressBar::filesText(0, -1) << "0 %";
    QTest::newRow("seconds") << RunProgressBar::filesText(42, 59) << "42 % — about 59 s left";
    QTest::newRow("no time left") << RunProgressBar::filesText(99, 0) << "99 % — about 0 s left";
    QTest::newRow("minutes") << RunProgressBar::filesText(42, 80) << "42 % — about 1 min 20 s left";
    QTest::newRow("hours") << RunProgressBar::filesText(3, 3600 + 5 * 60 + 59) << "3 % — about 1 h 5 min left";
    QTest::newRow("folders") << RunProgressBar::foldersText(3, 10) << "3 of 10 folders";
}

void TestRunProgressBar::texts()
{
    QFETCH(QString, shown);
    QFETCH(QString, want);
    QCOMPARE(shown, want);
}

void TestRunProgressBar::timeLeft_data()
{
    QTest::addColumn<qint64>("elapsed");
    QTest::addColumn<qint64>("done");
    QTest::addColumn<qint64>("total");
    QTest::addColumn<qint64>("left");
    QTest::newRow("under a second") << qint64(999) << qint64(50) << qint64(100) << qint64(-1);
    QTest::newRow("nothing done yet") << qint64(5000) << qint64(0) << qint64(100) << qint64(-1);
    QTest::newRow("all done") << qint64(5000) << qint64(100) << qint64(100) << qint64(-1);
    QTest::newRow("half way") << qint64(1000) << qint64(50) << qint64(100) << qint64(1);
    QTest::newRow("rounds up") << qint64(1500) << qint64(1) << qint64(3) << qint64(3);
    QTest::newRow("a million files") << qint64(60000) << qint64(1000) << qint64(1000000) << qint64(59940);
}

void TestRunProgressBar::timeLeft()
{
    QFETCH(qint64, elapsed);
    QFETCH(qint64, done);
    QFETCH(qint64, total);
    QFETCH(qint64, left);
    QCOMPARE(RunProgressBar::secondsLeft(elapsed, done, total), left);
}

void TestRunProgressBar::barFollowsARun_data()
{
    // Each file is confirmed; the bar is read as each question is asked, which is
    // when the window brings its display up to date.
    QTest::addColumn<QString>("scope");
    QTest::addColumn<QStringList>("asked");
    QTest::addColumn<QString>("after");
    QTest::newRow("selected files") << "optSelectedFiles" << QStringList{"0/2 0 %", "1/2 50 %"} << "2/2 100 %";
    QTest::newRow("all files in the folder")
        << "optAllFilesCurrentDir" << QStringList{"0/4 0 %", "1/4 25 %", "2/4 50 %", "3/4 75 %"} << "4/4 100 %";
    // The start folder's files come before any folder is done; its two
    // sub-folders, and then "deep" in sub1, come to light as folders are done.
    QTest::newRow("sub-folders") << "optAllFiles"
                                 << QStringList{"0/1 0 of 1 folders", "0/1 0 of 1 folders", "0/1 0 of 1 folders",
                                                "0/1 0 of 1 folders", "1/3 1 of 3 folders", "2/4 2 of 4 folders",
                                                "3/4 3 of 4 folders"}
                                 << "4/4 4 of 4 folders";
}

namespace {

QString barState(const QProgressBar *bar)
{
    return QStringLiteral("%1/%2 %3").arg(bar->value()).arg(bar->maximum()).arg(bar->text());
}

} // namespace

void TestRunProgressBar::barFollowsARun()
{
    QFETCH(QString, scope);
    QFETCH(QStringList, asked);
    QFETCH(QString, after);
    QTemporaryDir dir;
    for (const char *name : {"a.txt", "b.txt", "c.txt", "d.txt", "sub1/e.txt", "sub1/deep/f.txt", "sub2/g.txt"}) {
        const QString path = dir.filePath(QString::fromUtf8(name));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QVERIFY(writeFile(path));
    }
    EndNotingForm form;
    form.show();
    HookedPrompt prompt;
    form.runController()->setPrompt(&prompt);
    QVERIFY(form.folderList()->setPath(dir.path()));
    form.findChild<QRadioButton *>(scope)->setChecked(true);
    if (scope == QStringLiteral("optSelectedFiles")) {
        auto *files = form.findChild<QListView *>(QStringLiteral("File1"));
        for (int row : {1, 3})
            files->selectionModel()->select(files->model()->index(row, 0), QItemSelectionModel::Select);
    }
    form.findChild<QCheckBox *>(QStringLiteral("chkConfirmFiles"))->setChecked(true);
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("prgRun"));
    QVERIFY(bar->text().isEmpty()); // nothing to show before a run
    QStringList seen;
    prompt.onAsk = [&] {
        seen.append(barState(bar));
        prompt.answers.append(PromptAnswer::No);
    };
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    form.findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    QCOMPARE(seen, asked);
    QCOMPARE(barState(bar), after);
    QCOMPARE(bar->minimum(), 0);
}

void TestRunProgressBar::timeLeftShowsAfterASecond()
{
    QTemporaryDir dir;
    for (const char *name : {"a.txt", "b.txt", "c.txt"})
        QVERIFY(writeFile(dir.filePath(QString::fromUtf8(name))));
    EndNotingForm form;
    form.show();
    HookedPrompt prompt;
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes, PromptAnswer::Yes};
    form.runController()->setPrompt(&prompt);
    QVERIFY(form.folderList()->setPath(dir.path()));
    form.findChild<QCheckBox *>(QStringLiteral("chkConfirmFiles"))->setChecked(true);
    auto *bar = form.findChild<QProgressBar *>(QStringLiteral("prgRun"));
    QStringList texts;
    prompt.onAsk = [&] {
        texts.append(bar->text());
        // The person takes a while over the first file.
        if (texts.size() == 1)
            QThread::msleep(1100);
    };
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    form.findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    QCOMPARE(texts.size(), 3);
    QCOMPARE(texts.first(), QStringLiteral("0 %"));
    QVERIFY2(QRegularExpression(QStringLiteral("^33 % — about [2-9] s left$")).match(texts[1]).hasMatch(),
             qPrintable(texts[1]));
    QCOMPARE(bar->text(), QStringLiteral("100 %"));
}

QTEST_MAIN(TestRunProgressBar)
#include "tst_runprogressbar.moc"
