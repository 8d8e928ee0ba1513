// SPDX-License-Identifier: GPL-3.0-or-later
// The real window as a screen reader and a keyboard user meet it.
#include "Accessibility.h"
#include "ChooserTestKit.h"
#include "FindControl.h"
#include "GoPage.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "PreviewPage.h"
#include "PreviewProblemsDialog.h"
#include "RunController.h"
#include "RunTestKit.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

// Every interface of the tree under \a iface, by the object it stands for.
void walk(QAccessibleInterface *iface, QHash<QObject *, QAccessibleInterface *> &seen)
{
    if (!iface || !iface->isValid() || (iface->object() && seen.contains(iface->object())))
        return;
    if (iface->object())
        seen.insert(iface->object(), iface);
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), seen);
}

// The events a screen reader would be sent.
QList<std::pair<QObject *, QAccessible::Event>> g_events;
void recordEvent(QAccessibleEvent *event)
{
    g_events.append({event->object(), event->type()});
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyFocusableControlHasANameInTheTree();
    void namesTellLikeControlsApart_data();
    void namesTellLikeControlsApart();
    void labelsAreTheBuddiesOfTheirFields_data();
    void labelsAreTheBuddiesOfTheirFields();
    void shownTextsAreReadAndTheirChangesAnnounced();
    void tabReachesEveryControlOfEachStep_data();
    void tabReachesEveryControlOfEachStep();
    void keysAlongTheTabRowPassOverTheSpacer_data();
    void keysAlongTheTabRowPassOverTheSpacer();
    void detailsListOpensByItsKeyFromAnywhereOnThePreview_data();
    void detailsListOpensByItsKeyFromAnywhereOnThePreview();
    void keyboardAloneFromStartUpToARun();
};

void TestAccessibility::everyFocusableControlHasANameInTheTree()
{
    KestravaForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QHash<QObject *, QAccessibleInterface *> seen;
    for (int tab : {0, 1, 2, 3, 5, 6}) {
        form.SSTabStrip()->setCurrentIndex(tab);
        walk(QAccessible::queryAccessibleInterface(&form), seen);
    }
    QStringList unnamed;
    int focusable = 0;
    for (QWidget *widget : form.findChildren<QWidget *>()) {
        // A control that hands its focus on is reached through the one it hands it to.
        // The lists that drop down from combo boxes are windows of their own.
        // Options not chosen take no Tab stop but are reached by the arrow keys.
        if (widget->focusPolicy() == Qt::NoFocus || widget->focusProxy() || widget->window() != &form)
            continue;
        ++focusable;
        QAccessibleInterface *iface = seen.value(widget);
        if (!iface || iface->text(QAccessible::Name).trimmed().isEmpty())
            unnamed << widget->metaObject()->className() + QStringLiteral(" ") + widget->objectName()
                    + (iface ? QString() : QStringLiteral(" (not in the tree)"));
        else if (!widget->toolTip().isEmpty())
            QCOMPARE(iface->text(QAccessible::Description), widget->toolTip());
    }
    QVERIFY(focusable > 40);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

void TestAccessibility::namesTellLikeControlsApart_data()
{
    QTest::addColumn<QString>("control"); // an objectName, or the tab bar and a tab's index
    QTest::addColumn<QString>("name");    // empty where only the role is told
    QTest::addColumn<int>("role");
    const int checkBox = QAccessible::CheckBox;
    QTest::newRow("prefix counter") << "chkPrefixCounter"
                                    << "Include a counter in the prefix" << checkBox;
    QTest::newRow("postfix counter") << "chkPostfixCounter"
                                     << "Include a counter in the postfix" << checkBox;
    QTest::newRow("prefix date") << "chkPrefixDate"
                                 << "Include the date in the prefix" << checkBox;
    QTest::newRow("postfix date") << "chkPostfixDate"
                                  << "Include the date in the postfix" << checkBox;
    QTest::newRow("about picture") << "Image1"
                                   << "Kestrava: many files, one format" << int(QAccessible::Graphic);
    QTest::newRow("spacer tab") << "SSTabStripBar#4"
                                << "Blank, shows Help" << int(QAccessible::PageTab);
    QTest::newRow("help tab") << "SSTabStripBar#5"
                              << "Help" << int(QAccessible::PageTab);
    QTest::newRow("window") << "KestravaForm"
                            << "" << int(QAccessible::Window);
    QTest::newRow("name template") << "txtTemplate"
                                   << "Name template" << int(QAccessible::EditableText);
    QTest::newRow("template box") << "chkTemplate"
                                  << "Make the name from a template" << checkBox;
    QTest::newRow("fallback") << "chkDateFallback"
                              << "Use the modified date when a file has none" << checkBox;
}

void TestAccessibility::namesTellLikeControlsApart()
{
    QFETCH(QString, control);
    QFETCH(QString, name);
    QFETCH(int, role);
    KestravaForm form;
    const QStringList parts = control.split(u'#');
    QObject *object = parts.first() == form.objectName() ? &form : form.findChild<QWidget *>(parts.first());
    QVERIFY(object);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (parts.size() > 1)
        iface = iface->child(parts.at(1).toInt());
    QVERIFY(iface);
    QCOMPARE(int(iface->role()), role);
    if (!name.isEmpty())
        QCOMPARE(iface->text(QAccessible::Name), name);
}

void TestAccessibility::labelsAreTheBuddiesOfTheirFields_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("name"); // the field's name; empty for a label, which is read by its text
    QTest::newRow("drive") << "lblDriveFolder"
                           << "Drive1"
                           << "Drive";
    QTest::newRow("file types") << "lblSelectFiles"
                                << "FileSpecCombo"
                                << "File Types";
    QTest::newRow("find") << "lblFindText"
                          << "txtFindText"
                          << "Replace this";
    QTest::newRow("replace") << "lblReplaceWith"
                             << "txtReplaceText"
                             << "With this";
    QTest::newRow("trim") << "lblTrimLength"
                          << "txtTrimLength"
                          << "Trim length in characters";
    QTest::newRow("number order") << "lblNumberOrder"
                                  << "cmbNumberOrder"
                                  << "Number by";
    QTest::newRow("counter step") << "lblCounterStep"
                                  << "txtCounterStep"
                                  << "Step";
    QTest::newRow("counter digits") << "lblCounterDigits"
                                    << "txtCounterDigits"
                                    << "Digits";
    QTest::newRow("date source") << "lblDateSource"
                                 << "cmbDateSource"
                                 << "Date from";
    QTest::newRow("before") << "lblBefore"
                            << "txtFilesPreview"
                            << "Files to rename";
    QTest::newRow("after") << "lblAfter"
                           << "txtFilesPreviewNew"
                           << "New names";
    QTest::newRow("modified") << "lblFilesModified"
                              << "txtFilesModified"
                              << "Files Modified";
    QTest::newRow("errors") << "lblErrorLog"
                            << "lstErrorLog"
                            << "Errors";
    QTest::newRow("folder") << "lblCurrentDir"
                            << "CurrentDirLabel"
                            << "";
    QTest::newRow("file") << "lblCurrentFile"
                          << "FileNameLabel"
                          << "";
    QTest::newRow("count") << "lblNumRenamed"
                           << "lblFileCounter"
                           << "";
    QTest::newRow("status") << "StatusLabel"
                            << "lblStatus"
                            << "";
}

void TestAccessibility::labelsAreTheBuddiesOfTheirFields()
{
    QFETCH(QString, label);
    QFETCH(QString, field);
    QFETCH(QString, name);
    KestravaForm form;
    auto *caption = form.findChild<QLabel *>(label);
    QWidget *control = form.findChild<QWidget *>(field);
    QVERIFY(caption && control);
    QCOMPARE(caption->buddy(), control);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(control);
    // A screen reader finds the label of a control among the control's siblings.
    if (caption->parentWidget() == control->parentWidget()) {
        bool labelled = false;
        for (const auto &[other, relation] : iface->relations(QAccessible::Label))
            labelled = labelled || other->object() == caption;
        QVERIFY(labelled);
    }
    if (!name.isEmpty()) {
        // On Linux a combo box reports its value as its name and its label through
        // the relation above.
        QCOMPARE(control->accessibleName(), name);
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
    } else {
        // A value beside its caption keeps its text as its name (the caption while
        // it is empty), the caption describing it.
        QVERIFY(control->accessibleName().isNull());
        const QString text = qobject_cast<QLabel *>(control)->text();
        QCOMPARE(iface->text(QAccessible::Name), text.isEmpty() ? caption->text() : text);
        QCOMPARE(iface->text(QAccessible::Description), Accessibility::nameFromCaption(caption->text()));
    }
}

void TestAccessibility::shownTextsAreReadAndTheirChangesAnnounced()
{
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {QStringLiteral("a.txt")}));
    KestravaForm form;
    form.show();
    QVERIFY(form.folderList()->setPath(dir.path()));
    // As when a screen reader is listening: only then does Qt send the events.
    QPlatformAccessibility *platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    QVERIFY(platform);
    platform->setActive(true);
    QAccessible::installUpdateHandler(recordEvent);
    g_events.clear();

    form.findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::Go));
    HookedPrompt prompt;
    form.runController()->setPrompt(&prompt);
    form.findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    QAccessible::installUpdateHandler(nullptr);
    platform->setActive(false);

    const QStringList shown{"lblPreview1New", "lblPreview2New", "lblPreview3New", "lblPreview4New",
                            "FileNameLabel",  "lblFileCounter", "lblStatus"};
    for (const QString &name : shown) {
        auto *label = form.findChild<QLabel *>(name);
        const std::pair<QObject *, QAccessible::Event> nameChanged(label, QAccessible::NameChanged);
        const bool announced = g_events.contains(nameChanged);
        QVERIFY2(announced, qPrintable(name));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(label);
        if (!label->text().isEmpty())
            QCOMPARE(iface->text(QAccessible::Name), label->text());
        QVERIFY2(!iface->text(QAccessible::Description).isEmpty(), qPrintable(name));
    }
}

void TestAccessibility::tabReachesEveryControlOfEachStep_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("first");
    QTest::newRow("Choose Files") << int(KestravaForm::Tab::ChooseFiles) << "Drive1";
    QTest::newRow("Set Options") << int(KestravaForm::Tab::SetOptions) << "optIgnoreSpaces";
    QTest::newRow("Preview Results") << int(KestravaForm::Tab::PreviewResults) << "txtFilesPreview";
    QTest::newRow("Go") << int(KestravaForm::Tab::Go) << "StartButton";
}

void TestAccessibility::tabReachesEveryControlOfEachStep()
{
    QFETCH(int, tab);
    QFETCH(QString, first);
    KestravaForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.SSTabStrip()->setCurrentIndex(tab);
    QWidget *page = form.SSTabStrip()->widget(tab);
    // Every control that can take the focus now, with all boxes on and the error list shown.
    for (QWidget *widget : page->findChildren<QWidget *>())
        widget->setEnabled(true);
    for (const char *name : {"cmbDatePrefix", "cmbDatePostfix"})
        findControl<QWidget>(&form, name)->show();
    form.goPage()->showErrorArea(true);
    findControl<QWidget>(&form, qPrintable(first))->setFocus();

    QStringList order;
    for (int step = 0; step < 80; ++step) {
        QWidget *focus = QApplication::focusWidget();
        if (page->isAncestorOf(focus) && !order.contains(focus->objectName()))
            order << focus->objectName();
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    // Tab stops at the chosen option of a frame; the arrow keys move among the others.
    for (QRadioButton *option : page->findChildren<QRadioButton *>()) {
        if (!order.contains(option->objectName()))
            continue;
        option->setFocus();
        for (int step = 0; step < 8; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            if (!order.contains(QApplication::focusWidget()->objectName()))
                order << QApplication::focusWidget()->objectName();
        }
    }
    QStringList missed;
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        const bool takesFocus = (widget->focusPolicy() & Qt::TabFocus) || qobject_cast<QRadioButton *>(widget);
        if (takesFocus && !widget->focusProxy() && widget->isVisibleTo(page) && !order.contains(widget->objectName()))
            missed << widget->objectName();
    }
    QVERIFY2(missed.isEmpty(), qPrintable(missed.join(QStringLiteral(", "))));
}

void TestAccessibility::keysAlongTheTabRowPassOverTheSpacer_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("onTheBar"); // the key goes to the tab row rather than the page
    QTest::addColumn<int>("to");
    const int go = int(KestravaForm::Tab::Go);
    const int help = int(KestravaForm::Tab::Help);
    const int ctrl = int(Qt::ControlModifier);
    QTest::newRow("right from Go") << go << int(Qt::Key_Right) << 0 << true << help;
    QTest::newRow("left from Help") << help << int(Qt::Key_Left) << 0 << true << go;
    QTest::newRow("left from About") << int(KestravaForm::Tab::About) << int(Qt::Key_Left) << 0 << true << help;
    QTest::newRow("Ctrl+Tab from Go") << go << int(Qt::Key_Tab) << ctrl << false << help;
    QTest::newRow("Ctrl+Shift+Tab from Help") << help << int(Qt::Key_Backtab) << ctrl << false << go;
}

void TestAccessibility::keysAlongTheTabRowPassOverTheSpacer()
{
    QFETCH(int, from);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, onTheBar);
    QFETCH(int, to);
    KestravaForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.SSTabStrip()->setCurrentIndex(from);
    QWidget *target = onTheBar ? static_cast<QWidget *>(form.SSTabStrip()->tabBar()) : form.SSTabStrip();
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(form.SSTabStrip()->currentIndex(), to);
    // A click on the blank tab still shows Help.
    QTabBar *bar = form.SSTabStrip()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(int(KestravaForm::Tab::Spacer)).center());
    QCOMPARE(form.SSTabStrip()->currentIndex(), int(KestravaForm::Tab::Help));
}

void TestAccessibility::detailsListOpensByItsKeyFromAnywhereOnThePreview_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("before box") << "txtFilesPreview";
    QTest::newRow("after box") << "txtFilesPreviewNew";
    QTest::newRow("details button") << "cmdPreviewProblems";
    QTest::newRow("tab row") << "SSTabStripBar";
}

void TestAccessibility::detailsListOpensByItsKeyFromAnywhereOnThePreview()
{
    QFETCH(QString, focus);
    QTemporaryDir dir;
    QVERIFY(makeFiles(dir.path(), {QStringLiteral("a b.txt"), QStringLiteral("ab.txt"), QStringLiteral("c.txt")}));
    KestravaForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QVERIFY(form.folderList()->setPath(dir.path()));
    findControl<QRadioButton>(&form, "optRemoveSpaces")->setChecked(true);
    QSignalSpy shown(form.previewPage(), &PreviewPage::lookAheadShown);
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
    QVERIFY(shown.wait(10000));
    QVERIFY(findControl<QPushButton>(&form, "cmdPreviewProblems")->isEnabled());
    findControl<QWidget>(&form, qPrintable(focus))->setFocus();
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_D, Qt::AltModifier);
    // The button shows itself pressed for a moment, then opens the list.
    QTRY_VERIFY_WITH_TIMEOUT(form.previewPage()->problemsDialog(), 10000);
    PreviewProblemsDialog *details = form.previewPage()->problemsDialog();
    QVERIFY(details->isVisible());
    // The list opens on its first row, the problem, read as one sentence from any of its cells.
    QCOMPARE(details->focusWidget(), details->table());
    QAccessibleInterface *table = QAccessible::queryAccessibleInterface(details->table());
    QVERIFY(table && table->tableInterface());
    QCOMPARE(table->tableInterface()->rowCount(), 1);
    for (int column = 0; column < 4; ++column) {
        QAccessibleInterface *cell = table->tableInterface()->cellAt(0, column);
        QVERIFY(cell);
        QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("a b.txt, ab.txt, File exists"));
        QCOMPARE(cell->text(QAccessible::Description), dir.path() + u'/');
    }
    details->close();
}

void TestAccessibility::keyboardAloneFromStartUpToARun()
{
    WindowRig<> rig;
    QVERIFY(rig.isValid());
    QVERIFY(makeFiles(rig.root(), {QStringLiteral("a.txt"), QStringLiteral("b.txt")}));
    rig.start();
    HookedPrompt prompt;
    prompt.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
    rig.form->runController()->setPrompt(&prompt);
    QApplication::setActiveWindow(rig.form.get());
    QVERIFY(QTest::qWaitForWindowActive(rig.form.get()));

    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWidget *focus = QApplication::focusWidget();
        QVERIFY(focus);
        QTest::keyClick(focus, key, modifiers);
    };
    // Tab, as a person does, until \a name has the focus.
    const auto tabTo = [&](const char *name) {
        for (int step = 0; step < 60 && QApplication::focusWidget()->objectName() != QLatin1String(name); ++step)
            press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    };

    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Dir1"));
    tabTo("File1");
    press(Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(rig.selected(), QStringList({"a.txt", "b.txt"}));
    tabTo("chkConfirmFiles");
    press(Qt::Key_Space);

    press(Qt::Key_S, Qt::AltModifier);
    QCOMPARE(rig.form->SSTabStrip()->currentIndex(), int(KestravaForm::Tab::SetOptions));
    tabTo("chkPrefixCounter");
    press(Qt::Key_Space);

    press(Qt::Key_P, Qt::AltModifier);
    QCOMPARE(rig.form->SSTabStrip()->currentIndex(), int(KestravaForm::Tab::PreviewResults));
    const QString preview = findControl<QPlainTextEdit>(rig.form.get(), "txtFilesPreviewNew")->toPlainText();
    QVERIFY2(preview.contains(QStringLiteral("0001_a.txt")) && preview.contains(QStringLiteral("0002_b.txt")),
             qPrintable(preview));

    press(Qt::Key_G, Qt::AltModifier);
    QCOMPARE(rig.form->SSTabStrip()->currentIndex(), int(KestravaForm::Tab::Go));
    tabTo("StartButton");
    press(Qt::Key_Return);
    QCOMPARE(prompt.texts.size(), 2);
    QCOMPARE(namesIn(rig.root()), QStringList({"0001_a.txt", "0002_b.txt"}));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
