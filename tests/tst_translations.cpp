// SPDX-License-Identifier: GPL-3.0-or-later
// The window in German: the translation is found for the user's locale, every text
// changes, every text still fits its control, and the access keys stay unique.
#include "ChooseFilesPage.h"
#include "FileTypeTable.h"
#include "FolderChooserList.h"
#include "GoRunTestKit.h"
#include "KestravaForm.h"
#include "RenameRun.h"
#include "RunController.h"
#include "RunTestKit.h"
#include "Translations.h"
#include "UndoRun.h"
#include "WidgetProbe.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLibraryInfo>
#include <QListView>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace kestrava;
using namespace kestrava::testing;

namespace {

// Controls whose texts are names, file names or values, the same in every language.
const QStringList SameInEveryLanguage{
    QStringLiteral("Drive1"),         QStringLiteral("FileSpecCombo"),   QStringLiteral("lblPreview1"),
    QStringLiteral("lblPreview2"),    QStringLiteral("lblPreview3"),     QStringLiteral("lblPreview4"),
    QStringLiteral("lblPreview1New"), QStringLiteral("lblPreview2New"),  QStringLiteral("lblPreview3New"),
    QStringLiteral("lblPreview4New"), QStringLiteral("txtPrefixText"),   QStringLiteral("txtPostfixText"),
    QStringLiteral("txtPrefixCount"), QStringLiteral("txtPostfixCount"), QStringLiteral("txtTrimLength"),
    QStringLiteral("lblProgramName"), QStringLiteral("lblWebAddress"),   QStringLiteral("lblEmailAddress"),
    QStringLiteral("lblMoreSample1"), QStringLiteral("lblMoreSample2"),  QStringLiteral("lblMoreSample3"),
    QStringLiteral("lblMoreSample4"), QStringLiteral("lblMoreSample1New"), QStringLiteral("lblMoreSample2New"),
    QStringLiteral("lblMoreSample3New"), QStringLiteral("lblMoreSample4New"), QStringLiteral("txtCounterStep"),
    QStringLiteral("txtCounterDigits"),
};

// Every named control's text and tooltip, and the window's title and tab captions.
QMap<QString, QString> textsOf(const KestravaForm &form)
{
    QMap<QString, QString> texts;
    texts.insert(QStringLiteral("windowTitle"), form.windowTitle());
    for (int tab = 0; tab < form.SSTabStrip()->count(); ++tab)
        texts.insert(QStringLiteral("tab%1").arg(tab), form.SSTabStrip()->tabText(tab));
    for (const QWidget *widget : form.findChildren<QWidget *>()) {
        if (widget->objectName().isEmpty() || SameInEveryLanguage.contains(widget->objectName()))
            continue;
        if (const QString text = probe::shownText(widget); !text.trimmed().isEmpty())
            texts.insert(widget->objectName(), text);
        if (!widget->toolTip().isEmpty())
            texts.insert(widget->objectName() + QStringLiteral(".toolTip"), widget->toolTip());
    }
    return texts;
}

// Frame captions that do not fit between the frame's corners.
QStringList clippedCaptions(const QWidget *root)
{
    QStringList clipped;
    for (const QGroupBox *frame : root->findChildren<QGroupBox *>()) {
        const int needed = QFontMetrics(frame->font()).horizontalAdvance(frame->title()) + 16;
        if (!frame->title().isEmpty() && needed > frame->width())
            clipped << QStringLiteral("%1 (%2 of %3)").arg(frame->objectName()).arg(needed).arg(frame->width());
    }
    return clipped;
}

QChar accessKey(const QString &text)
{
    const qsizetype at = text.indexOf(u'&');
    return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toUpper() : QChar();
}

} // namespace

class TestTranslations : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void loadsTheTranslationsOfTheLocale_data();
    void loadsTheTranslationsOfTheLocale();
    void everyTextChangesInGerman();
    void germanTextsFitTheirControls();
    void accessKeysStayUniqueInGerman();
    void aRunSpeaksGerman();
    void runTextsStayEnglishWithoutATranslator();
};

void TestTranslations::loadsTheTranslationsOfTheLocale_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("files");
    const QString qt = QLibraryInfo::path(QLibraryInfo::TranslationsPath) + u'/';
    QTest::newRow("German") << QStringLiteral("de_DE") << QStringList{":/i18n/kestrava_de.qm", qt + "qtbase_de.qm"};
    QTest::newRow("Austrian German") << QStringLiteral("de_AT")
                                     << QStringList{":/i18n/kestrava_de.qm", qt + "qtbase_de.qm"};
    QTest::newRow("French: Qt's own only") << QStringLiteral("fr_FR") << QStringList{qt + "qtbase_fr.qm"};
    QTest::newRow("C") << QStringLiteral("C") << QStringList{};
}

void TestTranslations::loadsTheTranslationsOfTheLocale()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, files);
    {
        const Translations translations{QLocale(locale)};
        QCOMPARE(translations.files(), files);
        QCOMPARE(QCoreApplication::translate("kestrava::GoPage", "Start") == u"Starten", locale.startsWith(u"de"));
    }
    // Gone with the object: the next window is English again.
    QCOMPARE(QCoreApplication::translate("kestrava::GoPage", "Start"), QStringLiteral("Start"));
}

void TestTranslations::everyTextChangesInGerman()
{
    const QMap<QString, QString> english = textsOf(KestravaForm());
    const Translations german{QLocale(QStringLiteral("de_DE"))};
    const QMap<QString, QString> translated = textsOf(KestravaForm());
    QCOMPARE(translated.keys(), english.keys());
    QStringList unchanged;
    for (auto it = english.cbegin(); it != english.cend(); ++it) {
        if (it.key() != u"tab4" && translated.value(it.key()) == it.value())
            unchanged << it.key() + QStringLiteral(": ") + it.value();
    }
    QVERIFY2(unchanged.isEmpty(), qPrintable(unchanged.join(QStringLiteral(", "))));
}

void TestTranslations::germanTextsFitTheirControls()
{
    const Translations german{QLocale(QStringLiteral("de_DE"))};
    KestravaForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto *go = form.SSTabStrip()->widget(int(KestravaForm::Tab::Go));
    // The texts that only show later, each in the control that shows it.
    go->findChild<QLabel *>(QStringLiteral("lblNoFilesSelected"))->show();
    go->findChild<QLabel *>(QStringLiteral("lblErrorLog"))
        ->setText(QCoreApplication::translate("kestrava::GoProgress", "Errors : ") + QStringLiteral("99999"));
    auto *status = go->findChild<QLabel *>(QStringLiteral("lblStatus"));
    auto *counter = go->findChild<QLabel *>(QStringLiteral("lblFileCounter"));
    counter->setText(RenameRun::summaryText(999999, 3599));
    auto *fileType = form.findChild<QLabel *>(QStringLiteral("lblSelectedFileType"));
    QStringList laterTexts{QCoreApplication::translate("kestrava::ChooseFilesPage", "(User Defined File Type)")};
    for (int row = 1; row <= FileTypeTable::RowCount; ++row)
        laterTexts << form.chooseFilesPage()->fileTypeTable().row(row)->description;
    // An undo shows its own status and summary in the same labels.
    const QStringList statuses{QCoreApplication::translate("kestrava::RenameRun", "WORKING ..."),
                               QCoreApplication::translate("kestrava::RenameRun", "INTERRUPTED BY USER"),
                               QCoreApplication::translate("kestrava::RenameRun", "COMPLETED"),
                               QCoreApplication::translate("kestrava::UndoRun", "UNDONE")};
    for (const QString &text : statuses) {
        status->setText(text);
        const QStringList clipped = probe::clippedTexts(go);
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    }
    QVERIFY(status->text() != u"UNDONE");
    counter->setText(UndoRun::summaryText(999999, 3599));
    QVERIFY2(probe::clippedTexts(go).isEmpty(), qPrintable(probe::clippedTexts(go).join(QStringLiteral(", "))));
    counter->setText(RenameRun::summaryText(999999, 3599));
    for (const QString &text : laterTexts) {
        fileType->setText(text);
        const QStringList clipped = probe::clippedTexts(fileType->parentWidget());
        QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    }
    const QStringList clipped = probe::clippedTexts(&form) + clippedCaptions(&form);
    QVERIFY2(clipped.isEmpty(), qPrintable(clipped.join(QStringLiteral(", "))));
    const QTabBar *bar = form.SSTabStrip()->tabBar();
    QCOMPARE(bar->tabRect(7).top(), bar->tabRect(0).top());
    QVERIFY(bar->tabRect(7).right() < form.SSTabStrip()->width());
}

void TestTranslations::accessKeysStayUniqueInGerman()
{
    const Translations german{QLocale(QStringLiteral("de_DE"))};
    KestravaForm form;
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QTabWidget *strip = form.SSTabStrip();
    // The tab captions' keys work from every page, so each page's own must differ from them.
    QList<QChar> tabKeys;
    for (int tab = 0; tab < strip->count(); ++tab) {
        if (const QChar key = accessKey(strip->tabText(tab)); !key.isNull()) {
            QVERIFY2(!tabKeys.contains(key), qPrintable(strip->tabText(tab)));
            tabKeys << key;
        }
    }
    QCOMPARE(tabKeys.size(), 7);
    for (int tab = 0; tab < strip->count(); ++tab) {
        QList<QChar> keys = tabKeys;
        for (const QWidget *widget : strip->widget(tab)->findChildren<QWidget *>()) {
            const QChar key = accessKey(probe::shownText(widget));
            QVERIFY2(key.isNull() || !keys.contains(key), qPrintable(widget->objectName()));
            keys << key;
        }
    }
    // Each tab's key selects it; the spacer has none and Exit would end the program.
    for (int tab : {1, 2, 3, 5, 6, 0}) {
        strip->setCurrentIndex(tab == 0 ? 3 : 0);
        QTest::keyClick(&form, Qt::Key(accessKey(strip->tabText(tab)).unicode()), Qt::AltModifier);
        QCOMPARE(strip->currentIndex(), tab);
    }
}

void TestTranslations::aRunSpeaksGerman()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // The counter starts at 9999, so no new name can be made for b.txt.
    for (const char *name : {"a.txt", "b.txt"})
        QVERIFY(writeFile(dir.path() + u'/' + QString::fromUtf8(name)));
    const Translations german{QLocale(QStringLiteral("de_DE"))};
    EndNotingForm form;
    HookedPrompt prompt;
    prompt.answers = {PromptAnswer::Yes};
    form.runController()->setPrompt(&prompt);
    QVERIFY(form.folderList()->setPath(dir.path()));
    form.findChild<QCheckBox *>(QStringLiteral("chkConfirmFiles"))->setChecked(true);
    form.findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    form.findChild<QLineEdit *>(QStringLiteral("txtPrefixCount"))->setText(QStringLiteral("9999"));
    form.findChild<QPushButton *>(QStringLiteral("StartButton"))->click();

    QCOMPARE(prompt.texts, QStringList{QStringLiteral("Diese Datei umbenennen ?\n\nALT : a.txt\nNEU : 9999_a.txt")});
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("lblStatus"))->text(), QStringLiteral("ABGESCHLOSSEN"));
    QVERIFY(form.findChild<QLabel *>(QStringLiteral("lblFileCounter"))
                ->text()
                .startsWith(u" Insgesamt  1 Dateien umbenannt"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("lblErrorLog"))->text(), QStringLiteral("Fehler : 1"));
    const QAbstractItemModel *errors = form.findChild<QListView *>(QStringLiteral("lstErrorLog"))->model();
    QCOMPARE(errors->index(0, 0).data().toString(),
             QStringLiteral("'Ungültiger Prozeduraufruf oder ungültiges Argument'  beim Bearbeiten der Datei '")
                 + dir.path() + QStringLiteral("/b.txt'"));
    QCOMPARE(RenameRun::summaryText(12, 75),
             QStringLiteral(" Insgesamt  12 Dateien umbenannt in 1 Minuten 15 Sekunden."));
}

void TestTranslations::runTextsStayEnglishWithoutATranslator()
{
    // The command line installs no translator: its texts are the source texts.
    QCOMPARE(RenameRun::summaryText(12, 75),
             QStringLiteral(" A total of  12 files were renamed taking 1 minutes 15 seconds."));
    QCOMPARE(RenameRun::confirmationText(QStringLiteral("a"), QStringLiteral("b")),
             QStringLiteral("Rename this File ?\n\nOLD : a\nNEW : b"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
