// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooseFilesPage.h"
#include "FindControl.h"
#include "GoPage.h"
#include "KestravaForm.h"
#include "WidgetProbe.h"
#include "WindowLayoutExpectations.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

using kestrava::KestravaForm;
using namespace probe;
using kestrava::testing::findControl;

class TestWindowLayout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();

    void windowTitleSizeAndLook();
    void tabCaptions();
    void accessKeysSelectTheirTabs_data();
    void accessKeysSelectTheirTabs();
    void controls_data();
    void controls();
    void pageControlsSitWhereTheStripPutsThem_data();
    void pageControlsSitWhereTheStripPutsThem();
    void stepHeadingsShareOneLine();
    void listsAndCombos();
    void dateListsOfferEveryFormat();
    void optionButtonsAreExclusiveWithinTheirFrame();
    void keyboardOrderOnTheFirstTab();
    void enterPressesTheDefaultButton();
    void enterPressesTheFocusedButton();
    void enterDoesNothingWhileTheDefaultIsDisabled();
    void layoutStatesBeforeStartUp();
    void fontsResolveToMetricCompatibleFaces();
    void helpTextsKeepTheirSpacing();
    void aboutPageNamesProgramAndVersion();
    void picturesHaveTheirSizes();
    void noTextIsClipped();
    void noControlsOverlap();
    void spacerAndExitPagesAreEmpty();
    void goFrameCoversTheLabelsUnderIt();

private:
    template<typename T = QWidget>
    T *control(const char *name) const
    {
        return kestrava::testing::findControl<T>(m_form.get(), name);
    }
    QTabWidget *strip() const { return m_form->SSTabStrip(); }

    std::unique_ptr<KestravaForm> m_form;
};

void TestWindowLayout::init()
{
    m_form = std::make_unique<KestravaForm>();
    m_form->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
}

void TestWindowLayout::cleanup()
{
    m_form.reset();
}

void TestWindowLayout::windowTitleSizeAndLook()
{
    QCOMPARE(m_form->windowTitle(), QStringLiteral("Kestrava  -  Quorvel  -  V1.3  |  by Dunsmore"));
    QCOMPARE(m_form->size(), QSize(658, 482));
    // The starting size is also the smallest; tst_windowgrowth checks the growing.
    QCOMPARE(m_form->minimumSize(), QSize(658, 482));
    QCOMPARE(m_form->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(m_form->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(m_form->font().pointSizeF(), 8.25);
    QVERIFY(m_form->font().bold());
    QVERIFY(!m_form->windowIcon().isNull());
    QCOMPARE(m_form->windowIcon().availableSizes().value(0), QSize(32, 32));

    QCOMPARE(strip()->objectName(), QStringLiteral("SSTabStrip"));
    QCOMPARE(strip()->geometry(), QRect(0, 0, 657, 481));
    QCOMPARE(strip()->font().pointSizeF(), 8.25);
    QVERIFY(!strip()->font().bold());
    QCOMPARE(strip()->tabBar()->height(), 20);
}

void TestWindowLayout::tabCaptions()
{
    QCOMPARE(strip()->count(), 8);
    for (int i = 0; i < 8; ++i)
        QCOMPARE(strip()->tabText(i), QString::fromUtf8(expected::TabCaptions[size_t(i)]));
    // All tabs in one row, none hidden behind scroll buttons.
    const QTabBar *bar = strip()->tabBar();
    for (int i = 1; i < 8; ++i)
        QCOMPARE(bar->tabRect(i).top(), bar->tabRect(0).top());
    QVERIFY(bar->tabRect(7).right() < strip()->width());
    QCOMPARE(strip()->currentIndex(), 0);
}

void TestWindowLayout::accessKeysSelectTheirTabs_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("tab");
    QTest::newRow("Alt+S") << int(Qt::Key_S) << 1;
    QTest::newRow("Alt+P") << int(Qt::Key_P) << 2;
    QTest::newRow("Alt+G") << int(Qt::Key_G) << 3;
    QTest::newRow("Alt+H") << int(Qt::Key_H) << 5;
    QTest::newRow("Alt+A") << int(Qt::Key_A) << 6;
    QTest::newRow("Alt+C") << int(Qt::Key_C) << 0;
}

void TestWindowLayout::accessKeysSelectTheirTabs()
{
    QFETCH(int, key);
    QFETCH(int, tab);
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    if (tab == 0)
        strip()->setCurrentIndex(3);
    QTest::keyClick(m_form.get(), Qt::Key(key), Qt::AltModifier);
    QCOMPARE(strip()->currentIndex(), tab);
}

void TestWindowLayout::controls_data()
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < std::size(expected::Controls); ++i)
        QTest::newRow(expected::Controls[i].name) << int(i);
}

void TestWindowLayout::controls()
{
    QFETCH(int, row);
    const expected::Control &want = expected::Controls[size_t(row)];
    const QString name = QString::fromUtf8(want.name);

    const QList<QWidget *> found = m_form->findChildren<QWidget *>(name);
    QCOMPARE(found.size(), 1);
    QWidget *widget = found.first();
    QVERIFY2(widget->inherits(want.kind), widget->metaObject()->className());
    QVERIFY(strip()->widget(want.tab)->isAncestorOf(widget));
    if (*want.parent)
        QCOMPARE(widget->parentWidget()->objectName(), QString::fromUtf8(want.parent));
    else
        QCOMPARE(widget->parentWidget(), strip()->widget(want.tab));

    // Positions inside a frame are exact; the page's own are checked against the strip below.
    const QRect rect = widget->geometry();
    if (*want.parent && want.rect.left >= 0)
        QCOMPARE(rect.left(), pixels(want.rect.left));
    if (*want.parent && want.rect.top >= 0)
        QCOMPARE(rect.top(), pixels(want.rect.top));
    if (want.rect.width >= 0)
        QCOMPARE(rect.width(), pixels(want.rect.width));
    if (want.rect.height >= 0)
        QCOMPARE(rect.height(), pixels(want.rect.height));

    if (want.text)
        QCOMPARE(shownText(widget), QString::fromUtf8(want.text));
    QCOMPARE(widget->toolTip(), QString::fromUtf8(want.toolTip));

    if (want.font.face != expected::Face::Unchecked) {
        const QString family =
            want.font.face == expected::Face::Arial ? QStringLiteral("Arial") : QStringLiteral("MS Sans Serif");
        QCOMPARE(widget->font().family(), family);
        QCOMPARE(widget->font().pointSizeF(), want.font.points);
        QCOMPARE(widget->font().bold(), want.font.bold);
    }
    QCOMPARE(widget->palette().color(QPalette::WindowText), colourOf(want.colour));

    QCOMPARE(widget->isEnabled(), !(want.state & expected::Disabled));
    QCOMPARE(widget->isHidden(), bool(want.state & expected::Hidden));
    if (auto *button = qobject_cast<QAbstractButton *>(widget); button && !qobject_cast<QPushButton *>(widget))
        QCOMPARE(button->isChecked(), bool(want.state & expected::Checked));
    if (want.state & expected::Centred)
        QCOMPARE(horizontalAlignment(widget), Qt::AlignHCenter);
    if (want.state & expected::Right)
        QCOMPARE(horizontalAlignment(widget), Qt::AlignRight);
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        QCOMPARE(box->maxLength(), want.maxLength > 0 ? want.maxLength : 32767);
}

void TestWindowLayout::pageControlsSitWhereTheStripPutsThem_data()
{
    QTest::addColumn<int>("row");
    for (size_t i = 0; i < std::size(expected::Controls); ++i) {
        const expected::Control &want = expected::Controls[i];
        if (!*want.parent && want.rect.left >= 0)
            QTest::newRow(want.name) << int(i);
    }
}

void TestWindowLayout::pageControlsSitWhereTheStripPutsThem()
{
    // Page positions count from the strip's corner, tab row included; the pane's
    // border may move them by a pixel on some styles.
    QFETCH(int, row);
    const expected::Control &want = expected::Controls[size_t(row)];
    strip()->setCurrentIndex(want.tab);
    QCoreApplication::sendPostedEvents();
    const QPoint at = control(want.name)->mapTo(strip(), QPoint(0, 0));
    QVERIFY2(qAbs(at.x() - pixels(want.rect.left)) <= 1, qPrintable(QString::number(at.x())));
    QVERIFY2(qAbs(at.y() - pixels(want.rect.top)) <= 1, qPrintable(QString::number(at.y())));
}

void TestWindowLayout::stepHeadingsShareOneLine()
{
    QList<QPoint> places;
    for (int tab = 0; tab < 4; ++tab) {
        strip()->setCurrentIndex(tab);
        QCoreApplication::sendPostedEvents();
        places << control(qPrintable(QStringLiteral("Label%1").arg(tab + 1)))->mapTo(m_form.get(), QPoint(0, 0));
    }
    QCOMPARE(places.count(places.first()), 4);
}

void TestWindowLayout::listsAndCombos()
{
    auto *file1 = control<QListView>("File1");
    QCOMPARE(file1->selectionMode(), QAbstractItemView::ExtendedSelection);
    QVERIFY(file1->uniformItemSizes());
    QVERIFY(control<QListView>("Dir1")->uniformItemSizes());
    QVERIFY(control<QComboBox>("FileSpecCombo")->isEditable());
    QVERIFY(!control<QComboBox>("Drive1")->isEditable());
    QVERIFY(control<QPlainTextEdit>("txtFilesPreview")->isReadOnly());
    QVERIFY(control<QPlainTextEdit>("txtFilesPreviewNew")->isReadOnly());
    QVERIFY(control<QPlainTextEdit>("txtFilesModified")->isReadOnly());
    QCOMPARE(control<QPlainTextEdit>("txtFilesModified")->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

void TestWindowLayout::dateListsOfferEveryFormat()
{
    for (const char *name : {"cmbDatePrefix", "cmbDatePostfix"}) {
        auto *list = control<QComboBox>(name);
        QVERIFY(!list->isEditable());
        QCOMPARE(list->currentIndex(), -1);
        QCOMPARE(list->count(), 11);
        for (int i = 0; i < 11; ++i)
            QCOMPARE(list->itemText(i), QString::fromUtf8(expected::DateFormats[size_t(i)]));
        // Once shown, every format fits beside the arrow, the longest too.
        QComboBox every;
        every.setFont(list->font());
        for (int i = 0; i < 11; ++i)
            every.addItem(QString::fromUtf8(expected::DateFormats[size_t(i)]));
        QVERIFY2(every.sizeHint().width() <= list->width(), qPrintable(QString::number(every.sizeHint().width())));
        // Dropped down, the list shows every format in full.
        QCOMPARE(list->maxVisibleItems(), 11);
        control<QCheckBox>(name == QByteArrayView("cmbDatePrefix") ? "chkPrefixDate" : "chkPostfixDate")->click();
        list->showPopup();
        const int longest = list->view()->sizeHintForColumn(0);
        const int room = list->view()->viewport()->width();
        list->hidePopup();
        QVERIFY2(longest <= room, qPrintable(QStringLiteral("%1 > %2").arg(longest).arg(room)));
    }
}

void TestWindowLayout::optionButtonsAreExclusiveWithinTheirFrame()
{
    // Choosing in one frame leaves the other frames' choices alone.
    control<QAbstractButton>("optSpacesToDots")->click();
    QVERIFY(!control<QAbstractButton>("optIgnoreSpaces")->isChecked());
    QVERIFY(control<QAbstractButton>("optIgnoreUnderscores")->isChecked());
    QVERIFY(control<QAbstractButton>("optIgnoreCase")->isChecked());
    QVERIFY(control<QAbstractButton>("optSelectedFiles")->isChecked());
    control<QAbstractButton>("optAllFiles")->click();
    QVERIFY(!control<QAbstractButton>("optSelectedFiles")->isChecked());
    QVERIFY(control<QAbstractButton>("optSpacesToDots")->isChecked());
}

void TestWindowLayout::keyboardOrderOnTheFirstTab()
{
    QStringList seen;
    QWidget *widget = control("Drive1");
    for (int step = 0; step < 400 && seen.size() < int(expected::ChooseFilesOrder.size()); ++step) {
        const QString name = widget->objectName();
        const bool wanted = std::any_of(expected::ChooseFilesOrder.begin(), expected::ChooseFilesOrder.end(),
                                        [&](const char *n) { return name == QString::fromUtf8(n); });
        if (wanted && !seen.contains(name))
            seen << name;
        widget = widget->nextInFocusChain();
    }
    QStringList want;
    for (const char *name : expected::ChooseFilesOrder)
        want << QString::fromUtf8(name);
    QCOMPARE(seen, want);
}

void TestWindowLayout::enterPressesTheDefaultButton()
{
    auto *start = control<QPushButton>("StartButton");
    QVERIFY(start->isDefault());
    QCOMPARE(m_form->defaultButton(), start);
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));

    strip()->setCurrentIndex(3);
    auto *log = control("txtFilesModified");
    log->setFocus();
    QSignalSpy clicked(start, &QPushButton::clicked);
    QTest::keyClick(log, Qt::Key_Return);
    QCOMPARE(clicked.count(), 1);
    QTest::keyClick(log, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(clicked.count(), 2);

    // A run must not start from a tab where Start cannot be seen.
    strip()->setCurrentIndex(1);
    control("txtFindText")->setFocus();
    QTest::keyClick(control("txtFindText"), Qt::Key_Return);
    QCOMPARE(clicked.count(), 2);
}

void TestWindowLayout::enterPressesTheFocusedButton()
{
    auto *stop = control<QPushButton>("StopButton");
    stop->setEnabled(true);
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    strip()->setCurrentIndex(3);
    stop->setFocus();
    QSignalSpy startClicked(control<QPushButton>("StartButton"), &QPushButton::clicked);
    QSignalSpy stopClicked(stop, &QPushButton::clicked);
    QTest::keyClick(stop, Qt::Key_Return);
    QCOMPARE(stopClicked.count(), 1);
    QCOMPARE(startClicked.count(), 0);
}

void TestWindowLayout::enterDoesNothingWhileTheDefaultIsDisabled()
{
    auto *start = control<QPushButton>("StartButton");
    auto *stop = control<QPushButton>("StopButton");
    m_form->setDefaultButton(stop);
    QVERIFY(stop->isDefault());
    QVERIFY(!start->isDefault());
    QApplication::setActiveWindow(m_form.get());
    QVERIFY(QTest::qWaitForWindowActive(m_form.get()));

    QSignalSpy startClicked(start, &QPushButton::clicked);
    QSignalSpy stopClicked(stop, &QPushButton::clicked);
    strip()->setCurrentIndex(3);
    auto *log = control("txtFilesModified");
    log->setFocus();
    QTest::keyClick(log, Qt::Key_Return);
    QCOMPARE(stopClicked.count(), 0);
    QCOMPARE(startClicked.count(), 0);

    stop->setEnabled(true);
    log->setFocus();
    QTest::keyClick(log, Qt::Key_Return);
    QCOMPARE(stopClicked.count(), 1);
    QCOMPARE(startClicked.count(), 0);
}

void TestWindowLayout::layoutStatesBeforeStartUp()
{
    // The pages alone carry the layout's own states, before start-up changes them.
    const kestrava::ChooseFilesPage choose;
    QVERIFY(findControl<QRadioButton>(&choose, "optAllFilesCurrentDir")->isChecked());
    QVERIFY(!findControl<QRadioButton>(&choose, "optSelectedFiles")->isChecked());
    const kestrava::GoPage go;
    QVERIFY(findControl<QPushButton>(&go, "StopButton")->isEnabled());
}

void TestWindowLayout::fontsResolveToMetricCompatibleFaces()
{
    QCOMPARE(QFontInfo(QFont(QStringLiteral("Arial"))).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(control("Label1")->font()).family(), QStringLiteral("Liberation Sans"));
    QCOMPARE(QFontInfo(control("optIgnoreCase")->font()).family(), QStringLiteral("Liberation Sans"));
}

void TestWindowLayout::helpTextsKeepTheirSpacing()
{
    QStringList shown;
    for (const QLabel *label : strip()->widget(5)->findChildren<QLabel *>())
        shown << label->text();
    for (const char *text : expected::HelpTexts)
        QVERIFY2(shown.contains(QString::fromUtf8(text)), text);
    QCOMPARE(shown.size(), int(expected::HelpTexts.size()));
}

void TestWindowLayout::aboutPageNamesProgramAndVersion()
{
    QStringList shown;
    for (const QLabel *label : strip()->widget(6)->findChildren<QLabel *>())
        shown << label->text();
    QVERIFY(shown.contains(QStringLiteral("Quorvel  V1.3")));
    QVERIFY(shown.contains(QStringLiteral("Conditions of Use :")));
}

void TestWindowLayout::picturesHaveTheirSizes()
{
    QCOMPARE(control<QLabel>("imgArrow1")->pixmap().size(), QSize(28, 23));
    QCOMPARE(control<QLabel>("Image1")->pixmap().size(), QSize(304, 53));
    QCOMPARE(control("Image1")->size(), QSize(304, 53));
}

void TestWindowLayout::noTextIsClipped()
{
    const QStringList clipped = clippedTexts(m_form.get());
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
}

void TestWindowLayout::noControlsOverlap()
{
    // Two labels lie under framGo on purpose, covered by it. Boxes whose places in
    // twips round to a shared pixel row may touch by that one pixel.
    const QStringList underFrame{QStringLiteral("lblFilesModified"), QStringLiteral("lblErrorLog")};
    QList<const QWidget *> containers;
    for (int tab = 0; tab < strip()->count(); ++tab) {
        containers << strip()->widget(tab);
        for (const QGroupBox *frame : strip()->widget(tab)->findChildren<QGroupBox *>())
            containers << frame;
    }
    const QStringList overlapping = overlappingControls(containers, underFrame);
    QVERIFY2(overlapping.isEmpty(), qPrintable(overlapping.join(QStringLiteral(", "))));
}

void TestWindowLayout::spacerAndExitPagesAreEmpty()
{
    QVERIFY(strip()->widget(4)->findChildren<QWidget *>().isEmpty());
    QVERIFY(strip()->widget(7)->findChildren<QWidget *>().isEmpty());
}

void TestWindowLayout::goFrameCoversTheLabelsUnderIt()
{
    // Later siblings are drawn on top: the frame must come after the labels and paint.
    const QObjectList onPage = strip()->widget(3)->children();
    auto *frame = control("framGo");
    QVERIFY(frame->autoFillBackground());
    QVERIFY(onPage.indexOf(control("lblFilesModified")) < onPage.indexOf(frame));
    QVERIFY(onPage.indexOf(control("lblErrorLog")) < onPage.indexOf(frame));
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
