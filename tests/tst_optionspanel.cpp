// SPDX-License-Identifier: GPL-3.0-or-later
// The options tab driven through its controls in the real window: companion
// fields, date lists, numeric field corrections, Reset and the four samples.

#include "FindControl.h"
#include "KestravaForm.h"
#include "OptionsPage.h"
#include "RunClock.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <memory>

using namespace kestrava;

namespace {

class FixedClock : public RunClock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 4), QTime(10, 0)); }
};

const QStringList sampleNames{QStringLiteral("my work schedule.doc"), QStringLiteral("Great_album_track2.mp3"),
                              QStringLiteral("large - company_logo.gif"), QStringLiteral("shortened_filena~1.jpg")};

const QStringList companionFields{QStringLiteral("txtTrimLength"), QStringLiteral("txtPrefixText"),
                                  QStringLiteral("txtPrefixCount"), QStringLiteral("txtPostfixText"),
                                  QStringLiteral("txtPostfixCount")};
const QStringList dateLists{QStringLiteral("cmbDatePrefix"), QStringLiteral("cmbDatePostfix")};

} // namespace

class TestOptionsPanel : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KestravaForm> m_form;
    FixedClock m_clock;

    OptionsPage *page() const { return m_form->optionsPage(); }

    template<typename T>
    T *control(const QString &name) const
    {
        return kestrava::testing::requiredControl<T>(m_form.get(), name);
    }
    QCheckBox *box(const QString &name) const { return control<QCheckBox>(name); }
    QLineEdit *field(const QString &name) const { return control<QLineEdit>(name); }
    QComboBox *list(const QString &name) const { return control<QComboBox>(name); }

    QStringList results() const
    {
        QStringList texts;
        for (int k = 1; k <= 4; ++k)
            texts << control<QLabel>(QStringLiteral("lblPreview%1New").arg(k))->text();
        return texts;
    }

    // Clicks the indicator, where a click always lands on the button.
    static void click(QAbstractButton *button)
    {
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
    }

    // Replaces the field's text by typing, as a user would.
    static void retype(QLineEdit *edit, const QString &text)
    {
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    // Clicks More Options and, as a window manager would, makes its dialog the active window.
    void openMoreOptions() const
    {
        click(control<QPushButton>(QStringLiteral("cmdMoreOptions")));
        auto *dialog = control<QDialog>(QStringLiteral("dlgMoreOptions"));
        QVERIFY(dialog->isVisible());
        QApplication::setActiveWindow(dialog);
        QVERIFY(QTest::qWaitForWindowActive(dialog));
        QCOMPARE(QApplication::activeWindow(), dialog);
    }

    // Leaves the field the keyboard way.
    static void tabAway(QLineEdit *edit)
    {
        QTest::keyClick(edit, Qt::Key_Tab);
        QVERIFY(!edit->hasFocus());
    }

private Q_SLOTS:
    void init()
    {
        m_form = std::make_unique<KestravaForm>();
        m_form->setClock(&m_clock);
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::SetOptions));
        m_form->show();
        m_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
    }

    void cleanup() { m_form.reset(); }

    void defaultsLeaveTheSamplesAlone()
    {
        page()->ShowSampleMask();
        QCOMPARE(results(), sampleNames);
    }

    void companionFollowsItsBox_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("fieldName");
        QTest::newRow("trim") << "chkTrimFilename"
                              << "txtTrimLength";
        QTest::newRow("prefix text") << "chkPrefixName"
                                     << "txtPrefixText";
        QTest::newRow("postfix text") << "chkPostfixName"
                                      << "txtPostfixText";
        QTest::newRow("prefix counter") << "chkPrefixCounter"
                                        << "txtPrefixCount";
        QTest::newRow("postfix counter") << "chkPostfixCounter"
                                         << "txtPostfixCount";
    }

    void companionFollowsItsBox()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, fieldName);
        QSignalSpy refreshes(page(), &OptionsPage::sampleMaskShown);
        click(box(boxName));
        QVERIFY(field(fieldName)->isEnabled());
        click(box(boxName));
        QVERIFY(!field(fieldName)->isEnabled());
        // A change made in code is handled like a click.
        box(boxName)->setChecked(true);
        QVERIFY(field(fieldName)->isEnabled());
        QCOMPARE(refreshes.count(), 3);
    }

    void countersStartFromTheirFields()
    {
        click(box(QStringLiteral("chkPrefixCounter")));
        click(box(QStringLiteral("chkPostfixCounter")));
        retype(field(QStringLiteral("txtPrefixCount")), QStringLiteral("0005"));
        tabAway(field(QStringLiteral("txtPrefixCount")));
        retype(field(QStringLiteral("txtPostfixCount")), QStringLiteral("0020"));
        tabAway(field(QStringLiteral("txtPostfixCount")));
        const QStringList expected{
            QStringLiteral("0005_my work schedule_0020.doc"), QStringLiteral("0006_Great_album_track2_0021.mp3"),
            QStringLiteral("0007_large - company_logo_0022.gif"), QStringLiteral("0008_shortened_filena~1_0023.jpg")};
        QCOMPARE(results(), expected);
        QCOMPARE(page()->counters().intPrefixCounter, qint16(9));
        QCOMPARE(page()->counters().intPostfixCounter, qint16(24));
    }

    void refreshesNeverAccumulate()
    {
        click(box(QStringLiteral("chkPrefixCounter")));
        click(control<QRadioButton>(QStringLiteral("optConvertUppercase")));
        page()->ShowSampleMask();
        m_form->ShowSampleMask();
        QTest::keyClicks(field(QStringLiteral("txtFindText")), QStringLiteral("x"));
        QCOMPARE(results().first(), QStringLiteral("0001_MY WORK SCHEDULE.DOC"));
        QCOMPARE(results().last(), QStringLiteral("0004_SHORTENED_FILENA~1.JPG"));
    }

    void counterPastTheLimitLeavesLaterSamplesEmpty()
    {
        click(box(QStringLiteral("chkPrefixCounter")));
        retype(field(QStringLiteral("txtPrefixCount")), QStringLiteral("9998"));
        tabAway(field(QStringLiteral("txtPrefixCount")));
        const QStringList expected{QStringLiteral("9998_my work schedule.doc"),
                                   QStringLiteral("9999_Great_album_track2.mp3"), QString(), QString()};
        QCOMPARE(results(), expected);
        page()->ShowSampleMask();
        QCOMPARE(results(), expected);
    }

    void oneChangeRefreshesOnce()
    {
        QSignalSpy refreshes(page(), &OptionsPage::sampleMaskShown);
        click(control<QRadioButton>(QStringLiteral("optSpacesToDashes")));
        QCOMPARE(refreshes.count(), 1);
        QCOMPARE(results().first(), QStringLiteral("my-work-schedule.doc"));
        click(control<QRadioButton>(QStringLiteral("optRemoveSpaces")));
        QCOMPARE(refreshes.count(), 2);
        click(box(QStringLiteral("chkPostfixDate")));
        QCOMPARE(refreshes.count(), 3);
        QTest::keyClicks(field(QStringLiteral("txtReplaceText")), QStringLiteral("ab"));
        QCOMPARE(refreshes.count(), 5);
    }

    void dateListAlwaysShowsFirstFormat_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("listName");
        QTest::addColumn<QString>("withFirst");
        QTest::addColumn<QString>("withLast");
        QTest::newRow("prefix") << "chkPrefixDate"
                                << "cmbDatePrefix"
                                << "4-3-26_my work schedule.doc"
                                << "2026-03-04 00.00.00_my work schedule.doc";
        QTest::newRow("postfix") << "chkPostfixDate"
                                 << "cmbDatePostfix"
                                 << "my work schedule_4-3-26.doc"
                                 << "my work schedule_2026-03-04 00.00.00.doc";
    }

    void dateListAlwaysShowsFirstFormat()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, listName);
        QFETCH(QString, withFirst);
        QFETCH(QString, withLast);
        QComboBox *dates = list(listName);
        click(box(boxName));
        QVERIFY(dates->isVisible());
        QCOMPARE(dates->currentText(), QStringLiteral("dd-mm-yy"));
        QCOMPARE(results().first(), withFirst);

        dates->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(dates, Qt::Key_End);
        QCOMPARE(dates->currentText(), QStringLiteral("yyyy-mm-dd hh.mm.ss"));
        QCOMPARE(results().first(), withLast);

        click(box(boxName));
        QVERIFY(dates->isHidden());
        QCOMPARE(dates->currentText(), QStringLiteral("dd-mm-yy"));
        QCOMPARE(results().first(), sampleNames.first());
        click(box(boxName));
        QVERIFY(dates->isVisible());
        QCOMPARE(dates->currentText(), QStringLiteral("dd-mm-yy"));
    }

    void numericFieldCorrections_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString count = QStringLiteral("txtPrefixCount");
        const QString trim = QStringLiteral("txtTrimLength");
        QTest::newRow("count 0000") << "chkPrefixCounter" << count << "0000"
                                    << "0001";
        QTest::newRow("count 0") << "chkPrefixCounter" << count << "0"
                                 << "0001";
        QTest::newRow("count empty") << "chkPrefixCounter" << count << ""
                                     << "0001";
        QTest::newRow("count 5") << "chkPrefixCounter" << count << "5"
                                 << "5";
        QTest::newRow("count 12345") << "chkPrefixCounter" << count << "12345"
                                     << "1234";
        QTest::newRow("count letters") << "chkPrefixCounter" << count << " a-.7"
                                       << "7";
        QTest::newRow("postfix 0000") << "chkPostfixCounter"
                                      << "txtPostfixCount"
                                      << "0000"
                                      << "0001";
        QTest::newRow("trim empty") << "chkTrimFilename" << trim << ""
                                    << "50";
        QTest::newRow("trim 3") << "chkTrimFilename" << trim << "3"
                                << "8";
        QTest::newRow("trim 08") << "chkTrimFilename" << trim << "08"
                                 << "8";
        QTest::newRow("trim 9") << "chkTrimFilename" << trim << "9"
                                << "9";
        QTest::newRow("trim 120") << "chkTrimFilename" << trim << "120"
                                  << "120";
        QTest::newRow("trim 9999") << "chkTrimFilename" << trim << "9999"
                                   << "999";
        // The More Options dialog's fields, always editable: the box beside is any.
        const QString step = QStringLiteral("txtCounterStep");
        const QString digits = QStringLiteral("txtCounterDigits");
        QTest::newRow("step empty") << "chkRemoveTildas" << step << ""
                                    << "1";
        QTest::newRow("step 0") << "chkRemoveTildas" << step << "0"
                                << "1";
        QTest::newRow("step 000") << "chkRemoveTildas" << step << "000"
                                  << "1";
        QTest::newRow("step 25") << "chkRemoveTildas" << step << "25"
                                 << "25";
        QTest::newRow("step 1000") << "chkRemoveTildas" << step << "1000"
                                   << "100";
        QTest::newRow("step letters") << "chkRemoveTildas" << step << "a-5"
                                      << "5";
        QTest::newRow("digits empty") << "chkRemoveTildas" << digits << ""
                                      << "4";
        QTest::newRow("digits 0") << "chkRemoveTildas" << digits << "0"
                                  << "1";
        QTest::newRow("digits 7") << "chkRemoveTildas" << digits << "7"
                                  << "7";
        QTest::newRow("digits 12") << "chkRemoveTildas" << digits << "12"
                                   << "1";
    }

    void numericFieldCorrections()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, fieldName);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        click(box(boxName));
        if (field(fieldName)->window() != m_form.get())
            openMoreOptions();
        retype(field(fieldName), typed);
        tabAway(field(fieldName));
        QCOMPARE(field(fieldName)->text(), kept);
    }

    void pastedTextIsCorrectedOnLeaving_data()
    {
        QTest::addColumn<QString>("boxName");
        QTest::addColumn<QString>("fieldName");
        QTest::addColumn<QString>("pasted");
        QTest::addColumn<QString>("kept");
        QTest::newRow("count exponent") << "chkPrefixCounter"
                                        << "txtPrefixCount"
                                        << "1e3"
                                        << "0001";
        QTest::newRow("count spaces") << "chkPostfixCounter"
                                      << "txtPostfixCount"
                                      << " 5 "
                                      << "0001";
        QTest::newRow("trim fraction") << "chkTrimFilename"
                                       << "txtTrimLength"
                                       << "9.5"
                                       << "8";
        QTest::newRow("trim sign") << "chkTrimFilename"
                                   << "txtTrimLength"
                                   << "+20"
                                   << "8";
    }

    void pastedTextIsCorrectedOnLeaving()
    {
        QFETCH(QString, boxName);
        QFETCH(QString, fieldName);
        QFETCH(QString, pasted);
        QFETCH(QString, kept);
        click(box(boxName));
        QLineEdit *edit = field(fieldName);
        QApplication::clipboard()->setText(pasted);
        edit->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(edit->text(), pasted);
        field(QStringLiteral("txtFindText"))->setFocus(Qt::MouseFocusReason);
        QCOMPARE(edit->text(), kept);
    }

    void changingTabsLeavesTheField()
    {
        click(box(QStringLiteral("chkPostfixCounter")));
        retype(field(QStringLiteral("txtPostfixCount")), QString());
        m_form->SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::ChooseFiles));
        QCOMPARE(field(QStringLiteral("txtPostfixCount"))->text(), QStringLiteral("0001"));
    }

    void countFieldRefreshesOnlyOnLeaving()
    {
        click(box(QStringLiteral("chkPrefixCounter")));
        click(box(QStringLiteral("chkPrefixName")));
        retype(field(QStringLiteral("txtPrefixCount")), QStringLiteral("12"));
        QCOMPARE(results().first(), QStringLiteral("File_0001_my work schedule.doc"));
        tabAway(field(QStringLiteral("txtPrefixCount")));
        QCOMPARE(results().first(), QStringLiteral("File_0012_my work schedule.doc"));
        // The prefix text refreshes at every keystroke.
        retype(field(QStringLiteral("txtPrefixText")), QStringLiteral("A"));
        QCOMPARE(results().first(), QStringLiteral("A0012_my work schedule.doc"));
        QTest::keyClick(field(QStringLiteral("txtPrefixText")), Qt::Key_B);
        QCOMPARE(results().first(), QStringLiteral("Ab0012_my work schedule.doc"));
    }

    void resetWithEveryBoxTicked()
    {
        const QStringList boxes{"chkTrimFilename", "chkRemoveTildas", "chkPrefixName",     "chkPrefixCounter",
                                "chkPrefixDate",   "chkPostfixName",  "chkPostfixCounter", "chkPostfixDate"};
        for (const QString &name : boxes)
            click(box(name));
        click(control<QRadioButton>(QStringLiteral("optConvertLowercase")));
        click(control<QRadioButton>(QStringLiteral("optUnderscoresToDots")));
        click(control<QRadioButton>(QStringLiteral("optSpacesToUnderscores")));
        retype(field(QStringLiteral("txtTrimLength")), QStringLiteral("120"));
        retype(field(QStringLiteral("txtPrefixCount")), QStringLiteral("77"));
        retype(field(QStringLiteral("txtFindText")), QStringLiteral("work"));
        retype(field(QStringLiteral("txtPrefixText")), QStringLiteral("Pre"));
        list(QStringLiteral("cmbDatePostfix"))->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(list(QStringLiteral("cmbDatePostfix")), Qt::Key_End);

        click(control<QPushButton>(QStringLiteral("cmdReset")));
        for (const QString &name : boxes)
            QVERIFY2(!box(name)->isChecked(), qPrintable(name));
        for (const QString &name : companionFields)
            QVERIFY2(!field(name)->isEnabled(), qPrintable(name));
        for (const QString &name : dateLists) {
            QVERIFY(list(name)->isHidden());
            QCOMPARE(list(name)->currentText(), QStringLiteral("dd-mm-yy"));
        }
        QVERIFY(control<QRadioButton>(QStringLiteral("optIgnoreCase"))->isChecked());
        QVERIFY(control<QRadioButton>(QStringLiteral("optIgnoreUnderscores"))->isChecked());
        QVERIFY(control<QRadioButton>(QStringLiteral("optIgnoreSpaces"))->isChecked());
        QCOMPARE(field(QStringLiteral("txtFindText"))->text(), QString());
        QCOMPARE(field(QStringLiteral("txtPrefixText"))->text(), QStringLiteral("File_"));
        QCOMPARE(field(QStringLiteral("txtPrefixCount"))->text(), QStringLiteral("0001"));
        QCOMPARE(field(QStringLiteral("txtTrimLength"))->text(), QStringLiteral("120"));
        QCOMPARE(results(), sampleNames);
        QCOMPARE(page()->counters().intPrefixCounter, qint16(0));
        QCOMPARE(page()->counters().intPostfixCounter, qint16(0));
    }

    void resetWithNoBoxTicked()
    {
        QSignalSpy refreshes(page(), &OptionsPage::sampleMaskShown);
        click(control<QPushButton>(QStringLiteral("cmdReset")));
        // Nothing changed, so only Reset's own closing refresh ran.
        QCOMPARE(refreshes.count(), 1);
        for (const QString &name : companionFields)
            QVERIFY2(!field(name)->isEnabled(), qPrintable(name));
        for (const QString &name : dateLists) {
            QVERIFY(list(name)->isHidden());
            QCOMPARE(list(name)->currentIndex(), -1);
        }
        QCOMPARE(results(), sampleNames);
    }

    void moreOptionsIsOneDialogOpenedAgainAndAgain()
    {
        auto *dialog = control<QDialog>(QStringLiteral("dlgMoreOptions"));
        QVERIFY(dialog->isHidden());
        openMoreOptions();
        QCOMPARE(dialog->windowTitle(), QStringLiteral("More Options"));
        QVERIFY(!dialog->isModal());
        // The window stays usable beside it, and a second click brings the same one forward.
        QApplication::setActiveWindow(m_form.get());
        click(box(QStringLiteral("chkRemoveTildas")));
        QVERIFY(page()->currentOptions().removeTildas);
        openMoreOptions();
        QCOMPARE(m_form->findChildren<QDialog *>(QStringLiteral("dlgMoreOptions")).size(), 1);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(dialog->isHidden());
        openMoreOptions();
        click(control<QPushButton>(QStringLiteral("cmdCloseMoreOptions")));
        QVERIFY(dialog->isHidden());
    }

    void moreOptionsTakeEffectAtOnceAndResetPutsThemBack()
    {
        click(box(QStringLiteral("chkPrefixCounter")));
        openMoreOptions();
        QSignalSpy refreshes(page(), &OptionsPage::sampleMaskShown);
        retype(field(QStringLiteral("txtCounterDigits")), QStringLiteral("5"));
        retype(field(QStringLiteral("txtCounterStep")), QStringLiteral("10"));
        QVERIFY(refreshes.count() >= 2);
        const QStringList expected{
            QStringLiteral("00001_my work schedule.doc"), QStringLiteral("00011_Great_album_track2.mp3"),
            QStringLiteral("00021_large - company_logo.gif"), QStringLiteral("00031_shortened_filena~1.jpg")};
        QCOMPARE(results(), expected);
        // The dialog shows the samples as the tab does.
        for (int k = 1; k <= 4; ++k) {
            QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample%1").arg(k))->text(), sampleNames.at(k - 1));
            QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample%1New").arg(k))->text(), expected.at(k - 1));
        }
        list(QStringLiteral("cmbNumberOrder"))->setCurrentIndex(1);
        click(box(QStringLiteral("chkNumberReverse")));
        click(box(QStringLiteral("chkCounterPerFolder")));
        const NumberingOptions numbering = page()->currentOptions().numbering;
        QCOMPARE(numbering.order, NumberOrder::Natural);
        QVERIFY(numbering.reverse && numbering.perFolder);
        QCOMPARE(numbering.step, 10);
        QCOMPARE(numbering.digits, 5);

        // The samples have no file behind them: what a file would give shows as a placeholder.
        list(QStringLiteral("cmbDateSource"))->setCurrentIndex(2);
        click(box(QStringLiteral("chkDateFallback")));
        click(box(QStringLiteral("chkTemplate")));
        field(QStringLiteral("txtTemplate"))->setText(QStringLiteral("{artist} - {title}"));
        QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample2New"))->text(),
                 QStringLiteral("00011_[artist] - [title].mp3"));
        field(QStringLiteral("txtTemplate"))->setText(QStringLiteral("{title"));
        QCOMPARE(control<QLabel>(QStringLiteral("lblPreview1New"))->text(),
                 QStringLiteral("Template: \"{title\" has no closing \"}\""));
        QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample4New"))->text(),
                 QStringLiteral("Template: \"{title\" has no closing \"}\""));

        click(control<QPushButton>(QStringLiteral("cmdReset")));
        QCOMPARE(list(QStringLiteral("cmbDateSource"))->currentIndex(), 0);
        QVERIFY(!box(QStringLiteral("chkDateFallback"))->isChecked());
        QVERIFY(!box(QStringLiteral("chkTemplate"))->isChecked());
        QCOMPARE(field(QStringLiteral("txtTemplate"))->text(), QString());
        QCOMPARE(list(QStringLiteral("cmbNumberOrder"))->currentText(), QStringLiteral("Name"));
        QVERIFY(!box(QStringLiteral("chkNumberReverse"))->isChecked());
        QVERIFY(!box(QStringLiteral("chkCounterPerFolder"))->isChecked());
        QCOMPARE(field(QStringLiteral("txtCounterStep"))->text(), QStringLiteral("1"));
        QCOMPARE(field(QStringLiteral("txtCounterDigits"))->text(), QStringLiteral("4"));
        QVERIFY(page()->currentOptions().numbering == NumberingOptions{});
        QCOMPARE(results(), sampleNames);
        QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample1New"))->text(), sampleNames.first());
    }

    void moreOptionsOffersTheFourOrders()
    {
        QComboBox *orders = list(QStringLiteral("cmbNumberOrder"));
        QStringList entries;
        for (int i = 0; i < orders->count(); ++i)
            entries << orders->itemText(i);
        QCOMPARE(entries, QStringList({"Name", "Name, with numbers by value", "Date modified", "Size", "Date taken"}));
        QCOMPARE(orders->currentIndex(), 0);
        QComboBox *sources = list(QStringLiteral("cmbDateSource"));
        entries.clear();
        for (int i = 0; i < sources->count(); ++i)
            entries << sources->itemText(i);
        QCOMPARE(entries, QStringList({"Today", "File modified", "Photo or video taken"}));
        QCOMPARE(sources->currentIndex(), 0);
        QCOMPARE(box(QStringLiteral("chkDateFallback"))->text(),
                 QStringLiteral("Use the modified date when a file has none"));
        QCOMPARE(box(QStringLiteral("chkTemplate"))->text(), QStringLiteral("Make the name from a template"));
        QVERIFY(!field(QStringLiteral("txtTemplate"))->isEnabled());
        QCOMPARE(box(QStringLiteral("chkNumberReverse"))->text(), QStringLiteral("Reverse the order"));
        QCOMPARE(box(QStringLiteral("chkCounterPerFolder"))->text(), QStringLiteral("Start again in each folder"));
        QCOMPARE(control<QPushButton>(QStringLiteral("cmdCloseMoreOptions"))->text(), QStringLiteral("Close"));
    }

    void moreOptionsFindRules()
    {
        openMoreOptions();
        QCOMPARE(box(QStringLiteral("chkFindRegex"))->text(), QStringLiteral("Regular expression"));
        QCOMPARE(box(QStringLiteral("chkFindMatchCase"))->text(), QStringLiteral("Match case"));
        QComboBox *whenTaken = list(QStringLiteral("cmbWhenTaken"));
        QCOMPARE(whenTaken->count(), 2);
        QCOMPARE(whenTaken->itemText(0), QStringLiteral("Leave the file as it is"));
        QCOMPARE(whenTaken->itemText(1), QStringLiteral("Add a number: name (2).ext"));
        QCOMPARE(whenTaken->currentIndex(), 0);

        // Letter case is ignored until Match case is ticked.
        retype(field(QStringLiteral("txtFindText")), QStringLiteral("MY"));
        retype(field(QStringLiteral("txtReplaceText")), QStringLiteral("our"));
        QCOMPARE(results().first(), QStringLiteral("our work schedule.doc"));
        click(box(QStringLiteral("chkFindMatchCase")));
        QCOMPARE(results().first(), QStringLiteral("my work schedule.doc"));
        click(box(QStringLiteral("chkFindMatchCase")));

        click(box(QStringLiteral("chkFindRegex")));
        retype(field(QStringLiteral("txtFindText")), QStringLiteral("(\\w+) (\\w+)"));
        retype(field(QStringLiteral("txtReplaceText")), QStringLiteral("\\U$2\\E-$1"));
        QCOMPARE(results(), QStringList({"WORK-my schedule.doc", "Great_album_track2.mp3", "large - company_logo.gif",
                                         "shortened_filena~1.jpg"}));
        QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample1New"))->text(), QStringLiteral("WORK-my schedule.doc"));

        // A pattern that does not compile marks every sample with why and where.
        retype(field(QStringLiteral("txtFindText")), QStringLiteral("(ab"));
        const QString error = QStringLiteral("Pattern error at 3: missing closing parenthesis");
        QCOMPARE(results(), QStringList(4, error));
        QCOMPARE(control<QLabel>(QStringLiteral("lblMoreSample4New"))->text(), error);

        whenTaken->setCurrentIndex(1);
        const RenameOptions options = page()->currentOptions();
        QVERIFY(options.findRegex && !options.findMatchCase);
        QCOMPARE(options.whenTaken, WhenTaken::Number);
        click(control<QPushButton>(QStringLiteral("cmdReset")));
        QVERIFY(!box(QStringLiteral("chkFindRegex"))->isChecked());
        QCOMPARE(whenTaken->currentIndex(), 0);
        QCOMPARE(page()->currentOptions().whenTaken, WhenTaken::Leave);
        QCOMPARE(results(), sampleNames);
    }

    void greyedBoxCountsAsOff()
    {
        box(QStringLiteral("chkPrefixCounter"))->setCheckState(Qt::PartiallyChecked);
        QVERIFY(!page()->currentOptions().prefixCounter);
        QCOMPARE(results(), sampleNames);
        box(QStringLiteral("chkPrefixCounter"))->setCheckState(Qt::Checked);
        QVERIFY(page()->currentOptions().prefixCounter);
    }

    void windowComputesWithTheControls()
    {
        click(box(QStringLiteral("chkPostfixCounter")));
        page()->loadCounters();
        QCOMPARE(m_form->BuildNewFilename(QStringLiteral("a.txt")).value(), QStringLiteral("a_0001.txt"));
        QCOMPARE(m_form->BuildNewFilename(QStringLiteral("b.txt")).value(), QStringLiteral("b_0002.txt"));
        // A refresh of the samples reloads the counters and moves them on by four.
        click(box(QStringLiteral("chkRemoveTildas")));
        QCOMPARE(m_form->BuildNewFilename(QStringLiteral("c~.txt")).value(), QStringLiteral("c_0005.txt"));
        QCOMPARE(m_form->BuildNewFilename(QStringLiteral("no dot")).value(), QStringLiteral("no dot_0006"));
    }
};

QTEST_MAIN(TestOptionsPanel)
#include "tst_optionspanel.moc"
