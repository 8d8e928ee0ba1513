// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooseFilesPage.h"
#include "ChooserTestKit.h"
#include "FileChooserList.h"
#include "FindControl.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "GoProgress.h"
#include "GoRunTestKit.h"
#include "HelpPage.h"
#include "KestravaForm.h"
#include "LayoutBuilder.h"
#include "OptionsPage.h"
#include "PreviewPage.h"
#include "RunController.h"
#include "Volumes.h"

#include <QApplication>
#include <QComboBox>
#include <QEventLoop>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <memory>
#include <stdexcept>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

using Tab = KestravaForm::Tab;

/// The real window, counting what its tabs do; a preview can be made to fail.
class ObservedForm : public KestravaForm
{
public:
    bool previewThrows = false;
    int sampleRefreshes = 0;
    int previews = 0;
    int ends = 0;

    ObservedForm()
    {
        connect(optionsPage(), &OptionsPage::sampleMaskShown, this, [this] { ++sampleRefreshes; });
        connect(previewPage(), &PreviewPage::filesPreviewShown, this, [this] {
            ++previews;
            if (previewThrows)
                throw std::runtime_error("out of memory while previewing");
        });
        // No event loop runs in a test, so the program does not end.
        connect(this, &KestravaForm::endingProgram, this, [this] { ++ends; });
    }
};

} // namespace

class TestTabNavigation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void startUpState();
    void windowIsCentredOnItsScreen();
    void spacerTabLandsOnHelp();
    void exitTabEndsTheProgram();
    void optionsAndPreviewTabsRunTheirHandling();
    void goTabWarnsWhenNothingIsSelected_data();
    void goTabWarnsWhenNothingIsSelected();
    void chooseFilesTabReReadsUnderAllFilesInCurrentFolder();
    void chooseFilesTabKeepsAHandSelection();
    void aRunHoldsTheListsAndTheLog();
    void failureOfATabIsShownAndTheWindowStays();
    void exceptionInATabIsShownAndTheWindowStays();
    // Ends the test program's event loops for good, so it comes last.
    void exitTabEndsTheEventLoop();

private:
    QString root() const { return m_rig->root(); }
    ChooseFilesPage *page() const { return m_rig->page(); }
    QTabWidget *tabs() const { return m_form->SSTabStrip(); }
    void enterTab(Tab tab) { tabs()->setCurrentIndex(int(tab)); }
    QStringList listed() const { return m_rig->listed(); }
    QStringList selected() const { return m_rig->selected(); }
    void selectRows(const QList<int> &rows);

    std::unique_ptr<WindowRig<ObservedForm>> m_rig;
    ObservedForm *m_form = nullptr;
};

void TestTabNavigation::init()
{
    m_rig = std::make_unique<WindowRig<ObservedForm>>();
    QVERIFY(m_rig->isValid());
    // The window starts in the process's current folder.
    QVERIFY(makeFiles(root(), {"b.doc", "a.txt", "c.txt", ".hidden"}));
    QVERIFY(makeFiles(root() + u"/sub", {}));
    m_rig->start();
    m_form = m_rig->form.get();
}

void TestTabNavigation::cleanup()
{
    m_form = nullptr;
    m_rig.reset();
}

void TestTabNavigation::selectRows(const QList<int> &rows)
{
    QListView *file1 = findControl<QListView>(page(), "File1");
    QItemSelection selection;
    for (int row : rows) {
        const QModelIndex index = file1->model()->index(row, 0);
        selection.select(index, index);
    }
    file1->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TestTabNavigation::startUpState()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    QCOMPARE(tabs()->currentIndex(), int(Tab::ChooseFiles));
    QCOMPARE(m_form->folderList()->path(), root());
    QCOMPARE(findControl<QComboBox>(page(), "Drive1")->currentText(), Volumes::rootOf(root()));
    QCOMPARE(listed(), QStringList({"a.txt", "b.doc", "c.txt"}));
    QVERIFY(selected().isEmpty());
    QCOMPARE(m_form->folderList()->subFolderCount(), 1);
    QVERIFY(findControl<QRadioButton>(page(), "optSelectedFiles")->isChecked());
    QVERIFY(!findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->isChecked());
    QVERIFY(findControl<QRadioButton>(m_form->optionsPage(), "optIgnoreSpaces")->isChecked());
    QVERIFY(findControl<QRadioButton>(m_form->optionsPage(), "optIgnoreCase")->isChecked());
    QVERIFY(!findControl<QPushButton>(m_form->goPage(), "StopButton")->isEnabled());
    QVERIFY(findControl<QPushButton>(m_form->goPage(), "StartButton")->isEnabled());
    QCOMPARE(findControl<QComboBox>(page(), "FileSpecCombo")->currentText(), QStringLiteral("*.*"));
    QCOMPARE(findControl<QLabel>(page(), "lblSelectedFileType")->text(), QStringLiteral("All File Types"));
    QCOMPARE(m_form->focusWidget(), findControl<QListView>(page(), "Dir1"));
    QVERIFY(findControl<QPlainTextEdit>(m_form->previewPage(), "txtFilesPreview")->toPlainText().isEmpty());
    QVERIFY(findControl<QPlainTextEdit>(m_form->previewPage(), "txtFilesPreviewNew")->toPlainText().isEmpty());
    QVERIFY(findControl<QLabel>(m_form->goPage(), "lblNoFilesSelected")->isHidden());
    // Start-up enters the first tab, whose handling under this scope runs nothing that is seen.
    QCOMPARE(m_form->sampleRefreshes, 0);
    QVERIFY(m_rig->errors.texts.isEmpty());
}

void TestTabNavigation::windowIsCentredOnItsScreen()
{
    const QRect screen = m_form->screen()->geometry();
    // In twips (15 to the pixel), each dimension halved by integer division.
    const int leftTwips = (screen.width() * 15) / 2 - (m_form->width() * 15) / 2;
    const int topTwips = (screen.height() * 15) / 2 - (m_form->height() * 15) / 2;
    QCOMPARE(m_form->pos(),
             QPoint(screen.x() + LayoutBuilder::pixels(leftTwips), screen.y() + LayoutBuilder::pixels(topTwips)));
}

void TestTabNavigation::spacerTabLandsOnHelp()
{
    QTabBar *bar = tabs()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(Tab::Spacer)).center());
    QCOMPARE(tabs()->currentIndex(), int(Tab::Help));
    QCOMPARE(tabs()->currentWidget(), static_cast<QWidget *>(m_form->helpPage()));
    enterTab(Tab::Go);
    enterTab(Tab::Spacer);
    QCOMPARE(tabs()->currentIndex(), int(Tab::Help));
    QCOMPARE(m_form->ends, 0);
}

void TestTabNavigation::exitTabEndsTheProgram()
{
    // Access keys reach the active window only.
    QApplication::setActiveWindow(m_form);
    QTest::keyClick(m_form, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(tabs()->currentIndex(), int(Tab::Exit));
    QCOMPARE(m_form->ends, 1);
}

void TestTabNavigation::optionsAndPreviewTabsRunTheirHandling()
{
    enterTab(Tab::SetOptions);
    QCOMPARE(m_form->sampleRefreshes, 1);
    QCOMPARE(m_form->previews, 0);
    enterTab(Tab::PreviewResults);
    QCOMPARE(m_form->previews, 1);
    enterTab(Tab::Help);
    enterTab(Tab::About);
    enterTab(Tab::PreviewResults);
    QCOMPARE(m_form->sampleRefreshes, 1);
    QCOMPARE(m_form->previews, 2);
}

void TestTabNavigation::goTabWarnsWhenNothingIsSelected_data()
{
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<bool>("warned");
    QTest::newRow("nothing selected") << QList<int>{} << true;
    QTest::newRow("one of three") << QList<int>{2} << false;
    QTest::newRow("all") << QList<int>{0, 1, 2} << false;
}

void TestTabNavigation::goTabWarnsWhenNothingIsSelected()
{
    QFETCH(QList<int>, rows);
    QFETCH(bool, warned);
    selectRows(rows);
    findControl<QPlainTextEdit>(m_form->goPage(), "txtFilesModified")->setPlainText(QStringLiteral("0001_a.txt\n"));
    enterTab(Tab::Go);
    QLabel *warning = findControl<QLabel>(m_form->goPage(), "lblNoFilesSelected");
    QCOMPARE(warning->isVisible(), warned);
    QCOMPARE(warning->text(), QStringLiteral("Note : You have not selected any files to Rename !"));
    QVERIFY(findControl<QPlainTextEdit>(m_form->goPage(), "txtFilesModified")->toPlainText().isEmpty());
}

void TestTabNavigation::chooseFilesTabReReadsUnderAllFilesInCurrentFolder()
{
    findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->setChecked(true);
    selectRows({0});
    QVERIFY(makeFiles(root(), {"new.txt"}));
    QVERIFY(makeFiles(root() + u"/later", {}));
    enterTab(Tab::SetOptions);
    enterTab(Tab::ChooseFiles);
    QCOMPARE(listed(), QStringList({"a.txt", "b.doc", "c.txt", "new.txt"}));
    QCOMPARE(selected(), listed());
    QCOMPARE(m_form->folderList()->subFolderCount(), 2);
}

void TestTabNavigation::chooseFilesTabKeepsAHandSelection()
{
    selectRows({0, 2});
    QVERIFY(makeFiles(root(), {"new.txt"}));
    QVERIFY(makeFiles(root() + u"/later", {}));
    enterTab(Tab::Go);
    enterTab(Tab::ChooseFiles);
    QCOMPARE(listed(), QStringList({"a.txt", "b.doc", "c.txt"}));
    QCOMPARE(selected(), QStringList({"a.txt", "c.txt"}));
    // The folder list is read again under every scope.
    QCOMPARE(m_form->folderList()->subFolderCount(), 2);
}

void TestTabNavigation::aRunHoldsTheListsAndTheLog()
{
    findControl<QRadioButton>(page(), "optAllFilesCurrentDir")->setChecked(true);
    HookedPrompt prompt;
    m_form->runController()->setPrompt(&prompt);
    m_form->runController()->progress()->setIntervals(0, 0);
    auto *log = findControl<QPlainTextEdit>(m_form->goPage(), "txtFilesModified");
    bool visited = false;
    atNextYield(m_form, [&] {
        QVERIFY(m_form->runInProgress());
        selectRows({1});
        QVERIFY(makeFiles(root(), {"new.txt"}));
        log->setPlainText(QStringLiteral("0001_a.txt\n"));
        const QStringList listedBefore = listed();
        enterTab(Tab::SetOptions);
        enterTab(Tab::PreviewResults);
        enterTab(Tab::Go);
        enterTab(Tab::ChooseFiles);
        // The previews use counters of their own, so they still refresh.
        QCOMPARE(m_form->sampleRefreshes, 1);
        QCOMPARE(m_form->previews, 1);
        QCOMPARE(log->toPlainText(), QStringLiteral("0001_a.txt\n"));
        QCOMPARE(listed(), listedBefore);
        QVERIFY(!listed().contains(QStringLiteral("new.txt")));
        QCOMPARE(selected(), QStringList({"b.doc"}));
        // The page tabs and the spacer behave as ever.
        enterTab(Tab::Spacer);
        QCOMPARE(tabs()->currentIndex(), int(Tab::Help));
        visited = true;
    });
    findControl<QPushButton>(m_form->goPage(), "StartButton")->click();
    QVERIFY(visited);
    m_form->runController()->setPrompt(nullptr);
}

void TestTabNavigation::failureOfATabIsShownAndTheWindowStays()
{
    QVERIFY(makeFiles(root() + u"/doomed", {"d1.txt", "d2.txt"}));
    QVERIFY(m_form->folderList()->setPath(root() + u"/doomed"));
    enterTab(Tab::SetOptions);
    QVERIFY(QDir(root() + u"/doomed").removeRecursively());
    enterTab(Tab::ChooseFiles);
    QCOMPARE(m_rig->errors.titles, QStringList({"Kestrava"}));
    QCOMPARE(m_rig->errors.texts.size(), 1);
    QVERIFY(m_form->isVisible());
    QCOMPARE(tabs()->currentIndex(), int(Tab::ChooseFiles));
    QCOMPARE(listed(), QStringList({"d1.txt", "d2.txt"}));
    // The user can climb out of the vanished folder.
    QVERIFY(m_form->folderList()->setPath(QStringLiteral("..")));
    QCOMPARE(listed(), QStringList({"a.txt", "b.doc", "c.txt"}));
}

void TestTabNavigation::exceptionInATabIsShownAndTheWindowStays()
{
    m_form->previewThrows = true;
    enterTab(Tab::PreviewResults);
    QCOMPARE(m_rig->errors.titles, QStringList({"Kestrava"}));
    QCOMPARE(m_rig->errors.texts, QStringList({"out of memory while previewing"}));
    QVERIFY(m_form->isVisible());
    m_form->previewThrows = false;
    enterTab(Tab::Go);
    enterTab(Tab::PreviewResults);
    QCOMPARE(m_form->previews, 2);
    QCOMPARE(m_rig->errors.texts.size(), 1);
}

void TestTabNavigation::exitTabEndsTheEventLoop()
{
    m_rig->form.reset();
    m_form = nullptr;
    KestravaForm form;
    form.setErrorReporter(&m_rig->errors);
    form.show();
    QEventLoop loop;
    QTimer::singleShot(0, &form, [&] {
        form.SSTabStrip()->setCurrentIndex(int(Tab::Exit));
        // Reached only if the loop goes on after the Exit tab: the test then fails.
        QTimer::singleShot(0, &loop, [&] { loop.exit(1); });
    });
    QCOMPARE(loop.exec(), 0);
}

QTEST_MAIN(TestTabNavigation)
#include "tst_tabnavigation.moc"
