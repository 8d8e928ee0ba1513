// SPDX-License-Identifier: GPL-3.0-or-later
#include "FindControl.h"
#include "FolderChooserList.h"
#include "FolderListModel.h"
#include "GoPage.h"
#include "KestravaForm.h"
#include "WidgetProbe.h"

#include <QDir>
#include <QGroupBox>
#include <QListView>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <map>
#include <memory>

using kestrava::KestravaForm;
using kestrava::testing::findControl;

namespace {

const QSize StartSize(658, 482);
const QSize TwiceSize = StartSize * 2;
// The tabs whose pages hold controls; the spacer moves on to Help, Exit ends the program.
constexpr int PageTabs[] = {0, 1, 2, 3, 5, 6};

enum class Change { Kept, Moved, Wider, Larger };

using Places = std::map<QString, QRect>;

} // namespace

Q_DECLARE_METATYPE(Change)

class TestWindowGrowth : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void startsAtItsSmallestSizeAndMayGrow();
    void shrinkingBackRestoresEveryPlace_data();
    void shrinkingBackRestoresEveryPlace();
    void controlsStayInsideTheirFramesApart_data();
    void controlsStayInsideTheirFramesApart();
    void listsAndBoxesGrowOthersKeepTheirPlaces_data();
    void listsAndBoxesGrowOthersKeepTheirPlaces();
    void neighboursShareTheGrowth();
    void spacerTabTakesWhatTheRowGains();
    void longFolderNamesShowInAWideWindow_data();
    void longFolderNamesShowInAWideWindow();

private:
    QTabWidget *strip() const { return m_form->SSTabStrip(); }
    QWidget *control(const char *name) const { return findControl<QWidget>(m_form.get(), name); }
    void resizeWindow(QSize size);
    void showTab(int tab);
    /// Every named control's place in its parent, each page seen as its tab's current page.
    Places places();

    std::unique_ptr<KestravaForm> m_form;
};

void TestWindowGrowth::init()
{
    m_form = std::make_unique<KestravaForm>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestWindowGrowth::cleanup()
{
    m_form.reset();
}

void TestWindowGrowth::resizeWindow(QSize size)
{
    m_form->resize(size);
    QCoreApplication::sendPostedEvents();
    QTRY_COMPARE(m_form->size(), size);
}

void TestWindowGrowth::showTab(int tab)
{
    // The stack sizes only its current page: a page's size is read once it is shown.
    strip()->setCurrentIndex(tab);
    QCoreApplication::sendPostedEvents();
}

Places TestWindowGrowth::places()
{
    Places found;
    for (int tab : PageTabs) {
        showTab(tab);
        QWidget *page = strip()->widget(tab);
        found[page->objectName()] = page->geometry();
        for (const QWidget *widget : page->findChildren<QWidget *>())
            if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(u"qt_"))
                found[widget->objectName()] = widget->geometry();
    }
    for (int tab = 0; tab < strip()->count(); ++tab)
        found[QStringLiteral("tab %1").arg(tab)] = strip()->tabBar()->tabRect(tab);
    found[QStringLiteral("strip")] = strip()->geometry();
    return found;
}

void TestWindowGrowth::startsAtItsSmallestSizeAndMayGrow()
{
    QCOMPARE(m_form->size(), StartSize);
    QCOMPARE(m_form->minimumSize(), StartSize);
    QVERIFY(m_form->maximumWidth() > 4000 && m_form->maximumHeight() > 4000);
    m_form->resize(StartSize - QSize(100, 100));
    QCOMPARE(m_form->size(), StartSize);
}

void TestWindowGrowth::shrinkingBackRestoresEveryPlace_data()
{
    QTest::addColumn<bool>("errorsShown");
    QTest::newRow("log alone") << false;
    QTest::newRow("log and error list") << true;
}

void TestWindowGrowth::shrinkingBackRestoresEveryPlace()
{
    QFETCH(bool, errorsShown);
    m_form->goPage()->showErrorArea(errorsShown);
    const Places start = places();
    resizeWindow(TwiceSize);
    const Places grown = places();
    QVERIFY(grown != start);
    resizeWindow(StartSize);
    const Places back = places();
    for (const auto &[name, rect] : start)
        QVERIFY2(back.at(name) == rect, qPrintable(name));
    QCOMPARE(back.size(), start.size());
}

void TestWindowGrowth::controlsStayInsideTheirFramesApart_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("errorsShown");
    QTest::newRow("starting size") << StartSize << false;
    QTest::newRow("twice the size") << TwiceSize << false;
    QTest::newRow("twice, with the error list") << TwiceSize << true;
    QTest::newRow("wider only") << QSize(1600, StartSize.height()) << false;
    QTest::newRow("taller only") << QSize(StartSize.width(), 1000) << true;
    QTest::newRow("maximised") << QSize() << true;
}

void TestWindowGrowth::controlsStayInsideTheirFramesApart()
{
    QFETCH(QSize, size);
    QFETCH(bool, errorsShown);
    m_form->goPage()->showErrorArea(errorsShown);
    if (size.isValid()) {
        resizeWindow(size);
    } else {
        const QSize screen = m_form->screen()->availableGeometry().size();
        if (screen.width() <= StartSize.width() || screen.height() <= StartSize.height())
            QSKIP("the screen is no larger than the starting size");
        m_form->showMaximized();
        QTRY_VERIFY(m_form->width() > StartSize.width() && m_form->height() > StartSize.height());
    }
    QCOMPARE(strip()->size(), m_form->size() - QSize(1, 1));

    for (int tab : PageTabs) {
        showTab(tab);
        QWidget *page = strip()->widget(tab);
        QList<const QWidget *> containers{page};
        for (const QGroupBox *frame : page->findChildren<QGroupBox *>())
            containers << frame;
        for (const QWidget *container : containers)
            for (const QWidget *widget : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!widget->isHidden() && !widget->objectName().isEmpty())
                    QVERIFY2(container->rect().contains(widget->geometry()),
                             qPrintable(widget->objectName() + u" leaves " + container->objectName()));
        // The two labels under framGo lie there, covered, until the error list shows.
        QStringList covered;
        for (const char *name : {"lblFilesModified", "lblErrorLog"})
            if (QWidget *label = findControl<QWidget>(page, name); label && label->parentWidget() == page)
                covered << QString::fromLatin1(name);
        const QStringList overlapping = probe::overlappingControls(containers, covered);
        QVERIFY2(overlapping.isEmpty(), qPrintable(overlapping.join(u", ")));
    }
}

void TestWindowGrowth::listsAndBoxesGrowOthersKeepTheirPlaces_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("tab");
    QTest::addColumn<Change>("change");
    const auto row = [](const char *name, int tab, Change change) {
        QTest::newRow(name) << QString::fromLatin1(name) << tab << change;
    };
    row("framFiles", 0, Change::Larger);
    row("Drive1", 0, Change::Wider);
    row("Dir1", 0, Change::Larger);
    row("File1", 0, Change::Larger);
    row("FileSpecCombo", 0, Change::Moved);
    row("framApplyWhichFiles", 0, Change::Moved);
    row("optSelectedFiles", 0, Change::Kept);
    row("Label1", 0, Change::Kept);
    row("framOptions", 1, Change::Kept);
    row("framSamples", 1, Change::Kept);
    row("txtFilesPreview", 2, Change::Larger);
    row("txtFilesPreviewNew", 2, Change::Larger);
    row("lblPreviewProblems", 2, Change::Wider);
    row("cmdPreviewProblems", 2, Change::Moved);
    row("lblBefore", 2, Change::Kept);
    row("lblAfter", 2, Change::Moved);
    row("txtFilesModified", 3, Change::Larger);
    row("framProgress", 3, Change::Wider);
    row("CurrentDirLabel", 3, Change::Wider);
    row("StartButton", 3, Change::Kept);
    row("StopButton", 3, Change::Kept);
    row("lblNoFilesSelected", 3, Change::Kept);
    row("framHelp", 5, Change::Moved);
    row("framAbout", 6, Change::Moved);
    row("lblConditions1", 6, Change::Kept);
}

void TestWindowGrowth::listsAndBoxesGrowOthersKeepTheirPlaces()
{
    QFETCH(QString, name);
    QFETCH(int, tab);
    QFETCH(Change, change);
    QWidget *widget = m_form->findChild<QWidget *>(name);
    QVERIFY(widget);
    showTab(tab);
    const QRect start = widget->geometry();
    resizeWindow(TwiceSize);
    showTab(tab);
    const QRect grown = widget->geometry();
    switch (change) {
    case Change::Kept:
        QCOMPARE(grown, start);
        break;
    case Change::Moved:
        QCOMPARE(grown.size(), start.size());
        QVERIFY(grown.topLeft() != start.topLeft());
        break;
    case Change::Wider:
        QVERIFY(grown.width() > start.width());
        QCOMPARE(grown.height(), start.height());
        break;
    case Change::Larger:
        QVERIFY(grown.width() > start.width());
        QVERIFY(grown.height() > start.height());
        break;
    }
}

void TestWindowGrowth::neighboursShareTheGrowth()
{
    // Side by side, the preview boxes and the two lists split the extra width evenly
    // and keep the gap between them; below the growing file list, the scope frame
    // keeps its distance from the frame's bottom; Help stays in the middle.
    const auto measures = [this] {
        const auto gap = [this](const char *left, const char *right) {
            return control(right)->geometry().left() - control(left)->geometry().right();
        };
        showTab(5);
        const QRect help = control("framHelp")->geometry();
        const int helpPage = control("framHelp")->parentWidget()->width();
        showTab(0);
        return QList<int>{gap("txtFilesPreview", "txtFilesPreviewNew"),
                          gap("Dir1", "File1"),
                          control("lblAfter")->x() - control("txtFilesPreviewNew")->x(),
                          control("framFiles")->height() - control("framApplyWhichFiles")->geometry().bottom(),
                          control("framApplyWhichFiles")->x() - control("File1")->x(),
                          control("txtFilesPreview")->width() - control("txtFilesPreviewNew")->width(),
                          (helpPage - help.right()) - help.left()};
    };
    const QList<int> start = measures();
    // An odd growth: the halves round alike on both sides.
    resizeWindow(TwiceSize + QSize(1, 1));
    const QList<int> grown = measures();
    QCOMPARE(grown.mid(0, 5), start.mid(0, 5));
    // The right-hand box takes the odd pixel.
    QVERIFY(qAbs(grown[5] - start[5]) <= 1);
    QVERIFY(qAbs(grown[6] - start[6]) <= 1);
}

void TestWindowGrowth::spacerTabTakesWhatTheRowGains()
{
    const QTabBar *bar = strip()->tabBar();
    QList<QRect> start;
    for (int i = 0; i < bar->count(); ++i)
        start << bar->tabRect(i);
    resizeWindow(TwiceSize);
    const int gained = TwiceSize.width() - StartSize.width();
    for (int i = 0; i < bar->count(); ++i) {
        QCOMPARE(bar->tabRect(i).top(), start[i].top());
        if (i == int(KestravaForm::Tab::Spacer))
            QCOMPARE(bar->tabRect(i).width(), start[i].width() + gained);
        else
            QCOMPARE(bar->tabRect(i).width(), start[i].width());
    }
    QCOMPARE(bar->tabRect(bar->count() - 1).right(), start.last().right() + gained);
    QVERIFY(bar->tabRect(bar->count() - 1).right() < strip()->width());
}

void TestWindowGrowth::longFolderNamesShowInAWideWindow_data()
{
    QTest::addColumn<bool>("current");
    QTest::newRow("sub-folder") << false;
    QTest::newRow("current folder, in bold") << true;
}

void TestWindowGrowth::longFolderNamesShowInAWideWindow()
{
    QFETCH(bool, current);
    const QString name = QStringLiteral("Photographs from the long summer holiday on the northern islands, 2026");
    const QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(name));
    const QString path = dir.path() + (current ? u'/' + name : QString());
    QVERIFY(m_form->folderList()->setPath(path));

    auto *dir1 = findControl<QListView>(m_form.get(), "Dir1");
    const QModelIndexList rows = dir1->model()->match(dir1->model()->index(0, 0), Qt::DisplayRole, name);
    QCOMPARE(rows.size(), 1);
    const QModelIndex row = rows.first();
    QStyleOptionViewItem option;
    option.initFrom(dir1);
    const int icon = dir1->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, dir1);
    option.decorationSize = QSize(icon, icon);
    // The delegate indents each level by 8 pixels, at most 8 levels.
    const int indent = 8 * qMin(row.data(kestrava::FolderListModel::DepthRole).toInt(), 8);
    const int needed = indent + dir1->itemDelegate()->sizeHint(option, row).width();
    const auto room = [&] {
        const QRect rect = dir1->visualRect(row);
        return qMin(rect.right(), dir1->viewport()->width() - 1) - rect.left() + 1;
    };
    QVERIFY2(room() < needed, "the name should not fit at the starting size");
    resizeWindow(QSize(1600, 1000));
    QVERIFY2(room() >= needed, qPrintable(QStringLiteral("%1 of %2").arg(room()).arg(needed)));
}

QTEST_MAIN(TestWindowGrowth)
#include "tst_windowgrowth.moc"
