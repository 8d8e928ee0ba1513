// SPDX-License-Identifier: GPL-3.0-or-later
// The Go tab's parts on their own: the progress display and the question box.
#include "ErrorLogModel.h"
#include "FindControl.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "MessageBoxPrompt.h"
#include "RenameRun.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTextDocument>
#include <QTimer>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

// Counts the paints of one widget.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

QMessageBox *openMessageBox()
{
    if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
        return box;
    for (QWidget *widget : QApplication::topLevelWidgets()) {
        if (auto *box = qobject_cast<QMessageBox *>(widget); box && box->isVisible())
            return box;
    }
    return nullptr;
}

} // namespace

class TestGoProgress : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void messageBoxAnswers_data();
    void messageBoxAnswers();
    void progressFollowsTheRunAtTheDisplaysPace();
    void labelsArePaintedInTheYieldThatShowsThem_data();
    void labelsArePaintedInTheYieldThatShowsThem();
    void logBuiltBesideShowsWhatInsertingShows_data();
    void logBuiltBesideShowsWhatInsertingShows();
};

void TestGoProgress::messageBoxAnswers_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<PromptAnswer>("answer");
    QTest::newRow("Yes") << "Yes" << PromptAnswer::Yes;
    QTest::newRow("No") << "No" << PromptAnswer::No;
    QTest::newRow("Cancel") << "Cancel" << PromptAnswer::Cancel;
    QTest::newRow("closed") << "close" << PromptAnswer::Cancel;
    QTest::newRow("Escape") << "Escape" << PromptAnswer::Cancel;
}

void TestGoProgress::messageBoxAnswers()
{
    QFETCH(QString, action);
    QFETCH(PromptAnswer, answer);
    QWidget window;
    window.show();
    MessageBoxPrompt prompt(&window);
    bool found = false;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool yesIsDefault = false;
    QString title;
    QString text;
    QTimer::singleShot(0, &window, [&] {
        QMessageBox *box = openMessageBox();
        if (!box)
            return;
        found = true;
        icon = box->icon();
        yesIsDefault = box->defaultButton() == box->button(QMessageBox::Yes);
        title = box->windowTitle();
        text = box->text();
        if (action == u"close")
            box->close();
        else if (action == u"Escape")
            QTest::keyClick(box, Qt::Key_Escape);
        else
            box->button(action == u"Yes"      ? QMessageBox::Yes
                            : action == u"No" ? QMessageBox::No
                                              : QMessageBox::Cancel)
                ->click();
    });
    const PromptAnswer given =
        prompt.ask(QStringLiteral("Confirm Rename"),
                   RenameRun::confirmationText(QStringLiteral("a.txt"), QStringLiteral("b.txt")));
    QVERIFY(found);
    QCOMPARE(given, answer);
    QCOMPARE(icon, QMessageBox::Question);
    QVERIFY(yesIsDefault);
    QCOMPARE(title, QStringLiteral("Confirm Rename"));
    QCOMPARE(text, QStringLiteral("Rename this File ?\n\nOLD : a.txt\nNEW : b.txt"));
}

void TestGoProgress::progressFollowsTheRunAtTheDisplaysPace()
{
    GoPage page;
    GoProgress progress(&page);
    progress.setIntervals(0, 3600 * 1000);
    progress.logsCleared();
    progress.showFile(QStringLiteral("a.txt"));
    progress.showCount(0);
    progress.fileModified(QStringLiteral("A"));
    progress.yield(); // the first yield of a run shows at once
    QCOMPARE(findControl<QLabel>(&page, "FileNameLabel")->text(), QStringLiteral("a.txt"));
    QCOMPARE(findControl<QPlainTextEdit>(&page, "txtFilesModified")->toPlainText(), QStringLiteral("A\n"));

    progress.showFile(QStringLiteral("b.txt"));
    progress.showCount(1);
    progress.fileModified(QStringLiteral("B"));
    progress.fileModified(QStringLiteral("C"));
    progress.errorLogged(QStringLiteral("'x'  whilst processing file '/d/e'"));
    progress.yield();
    QCOMPARE(findControl<QLabel>(&page, "FileNameLabel")->text(), QStringLiteral("a.txt"));
    QCOMPARE(findControl<QLabel>(&page, "lblFileCounter")->text(), QStringLiteral("0"));
    QCOMPARE(findControl<QPlainTextEdit>(&page, "txtFilesModified")->toPlainText(), QStringLiteral("A\n"));
    QVERIFY(!page.isErrorAreaShown());

    progress.flush();
    QCOMPARE(findControl<QLabel>(&page, "FileNameLabel")->text(), QStringLiteral("b.txt"));
    QCOMPARE(findControl<QLabel>(&page, "lblFileCounter")->text(), QStringLiteral("1"));
    QCOMPARE(findControl<QPlainTextEdit>(&page, "txtFilesModified")->toPlainText(), QStringLiteral("C\nB\nA\n"));
    QVERIFY(page.isErrorAreaShown());
    QCOMPARE(findControl<QLabel>(&page, "lblErrorLog")->text(), QStringLiteral("Errors : 1"));
    // No tree walk: the folder label is not written.
    QCOMPARE(findControl<QLabel>(&page, "CurrentDirLabel")->text(), QStringLiteral("    "));

    progress.logsCleared();
    QCOMPARE(findControl<QPlainTextEdit>(&page, "txtFilesModified")->toPlainText(), QString());
    QVERIFY(!page.isErrorAreaShown());
    QCOMPARE(progress.errorLog()->rowCount(), 0);
}

using ShowProgress = void (*)(GoProgress &);
Q_DECLARE_METATYPE(ShowProgress)

void TestGoProgress::labelsArePaintedInTheYieldThatShowsThem_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<ShowProgress>("show");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("count")  << "lblFileCounter"  << ShowProgress([](GoProgress &p) { p.showCount(42); }) << "42";
    QTest::newRow("folder") << "CurrentDirLabel" << ShowProgress([](GoProgress &p) { p.showFolder(QStringLiteral("/a/b")); }) << "/a/b";
    QTest::newRow("file")   << "FileNameLabel"   << ShowProgress([](GoProgress &p) { p.showFile(QStringLiteral("c.txt")); }) << "c.txt";
    // clang-format on
}

// The display follows the run at its own pace, but what one yield brings up
// to date is on the screen when that yield returns, even though the window's
// other events wait for their own interval.
void TestGoProgress::labelsArePaintedInTheYieldThatShowsThem()
{
    QFETCH(QString, label);
    QFETCH(ShowProgress, show);
    QFETCH(QString, text);
    GoPage page;
    findControl<QWidget>(&page, "framProgress")->show(); // as a run shows it
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    GoProgress progress(&page);
    progress.setIntervals(3600 * 1000, 0);
    progress.logsCleared();
    progress.yield(); // the first yield of a run handles the events
    auto *shown = findControl<QLabel>(&page, label.toUtf8().constData());
    PaintCounter counter;
    shown->installEventFilter(&counter);
    show(progress);
    progress.yield();
    QCOMPARE(shown->text(), text);
    QVERIFY(counter.paints > 0);
}

void TestGoProgress::logBuiltBesideShowsWhatInsertingShows_data()
{
    QTest::addColumn<QList<int>>("batches");
    QTest::addColumn<int>("mostAtOnce");
    QTest::addColumn<int>("waitedBatches"); // after each of the first ones, the build beside ends
    QTest::addColumn<int>("clearAfter");
    QTest::addColumn<int>("endAfter"); // the run ends, and lets go of what it keeps once all is shown
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("head");
    // clang-format off
    QTest::newRow("one batch outgrows the room")    << QList<int>{3, 200}                   << 16384 << 2 << -1 << -1 << QString() << "n202\nn201\nn200\n";
    QTest::newRow("names come while it is built")   << QList<int>{1, 5, 40, 300, 2000, 7}   << 16384 << 4 << -1 << -1 << QString() << "n2352\nn2351\n";
    QTest::newRow("several builds, one at a time")  << QList<int>{1, 5, 40, 300, 7, 2000}   << 16384 << 6 << -1 << -1 << QString() << "n2352\nn2351\n";
    QTest::newRow("names that waited go in parts")  << QList<int>{4000, 2000, 60, 60, 60, 60, 60} << 64  << 1 << -1 << -1 << QString() << "n6299\nn6298\n";
    QTest::newRow("the reader's selection stays")   << QList<int>{30, 900, 4000}            << 16384 << 3 << -1 << -1 << "n17"     << "n4929\n";
    QTest::newRow("the run ends while names wait")  << QList<int>{4000, 2000, 60, 60}       << 64    << 1 << -1 << 3  << QString() << "n6119\nn6118\n";
    QTest::newRow("a new run while it is built")    << QList<int>{10, 3000, 2}              << 16384 << 1 << 1  << -1 << QString() << "n3011\nn3010\n";
    // clang-format on
}

// A log that would outgrow its room is built again beside the window: the
// box then shows, name for name, what inserting every batch would show.
void TestGoProgress::logBuiltBesideShowsWhatInsertingShows()
{
    QFETCH(QList<int>, batches);
    QFETCH(int, mostAtOnce);
    QFETCH(int, waitedBatches);
    QFETCH(int, clearAfter);
    QFETCH(int, endAfter);
    QFETCH(QString, selected);
    QFETCH(QString, head);
    GoPage besidePage;
    GoProgress beside(&besidePage);
    beside.setLogPace(0, mostAtOnce);
    GoPage insertingPage;
    GoProgress inserting(&insertingPage);
    auto *box = findControl<QPlainTextEdit>(&besidePage, "txtFilesModified");
    for (GoProgress *progress : {&beside, &inserting})
        progress->logsCleared();
    bool built = false;
    int name = 0;
    for (qsizetype b = 0; b < batches.size(); ++b) {
        for (int i = 0; i < batches.at(b); ++i, ++name) {
            for (GoProgress *progress : {&beside, &inserting})
                progress->fileModified(QStringLiteral("n%1").arg(name));
        }
        for (GoProgress *progress : {&beside, &inserting})
            progress->flush();
        built = built || beside.isBuildingLog();
        if (b < waitedBatches)
            QTRY_VERIFY(!beside.isBuildingLog());
        if (b == 0 && !selected.isEmpty())
            box->setTextCursor(box->document()->find(selected, 0, QTextDocument::FindWholeWords));
        if (b == clearAfter) {
            for (GoProgress *progress : {&beside, &inserting})
                progress->logsCleared();
        }
        if (b == endAfter) {
            for (GoProgress *progress : {&beside, &inserting})
                progress->runEnded();
        }
    }
    QVERIFY(built);
    const QString inserted = findControl<QPlainTextEdit>(&insertingPage, "txtFilesModified")->toPlainText();
    QTRY_COMPARE(box->toPlainText(), inserted);
    QVERIFY2(inserted.startsWith(head), qPrintable(inserted.left(40)));
    QCOMPARE(box->textCursor().selectedText(), selected);
}

QTEST_MAIN(TestGoProgress)
#include "tst_goprogress.moc"
