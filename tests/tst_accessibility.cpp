// The real window as a screen reader and a keyboard user meet it.
#include "Accessibility.h"
#include "ChooserTestKit.h"
#include "FindControl.h"
#include "GoPage.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "RunController.h"
#include "RunTestKit.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
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
    void labelsAreTheBuddiesOfTheirFields_data();
    void labelsAreTheBuddiesOfTheirFields();
    void shownTextsAreReadAndTheirChangesAnnounced();
    void tabReachesEveryControlOfEachStep_data();
    void tabReachesEveryControlOfEachStep();
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
