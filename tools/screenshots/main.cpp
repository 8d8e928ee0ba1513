// Shows the window, makes each tab current in turn and saves a picture of it, then
// pictures of the options and preview tabs in use and of the Go tab after a run over
// a few files, two of which it cannot rename.
// Usage: kestrava-screenshots <output folder>

#include "ChooseFilesPage.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "KestravaForm.h"
#include "OptionsPage.h"
#include "RunClock.h"
#include "RunController.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

#include <array>

namespace {

// The pictures show one fixed day, so they change only when the window does.
class PictureClock : public kestrava::RunClock
{
public:
    QDateTime now() const override { return QDateTime(QDate(2026, 3, 4), QTime(10, 0)); }
};

// The options tab with several options on, set through the controls so that
// their own handling enables the fields, shows the date list and refreshes the samples.
bool saveOptionsInUse(kestrava::KestravaForm &form, const QDir &out)
{
    static const PictureClock clock;
    kestrava::OptionsPage *page = form.optionsPage();
    form.setClock(&clock);
    page->findChild<QCheckBox *>(QStringLiteral("chkRemoveTildas"))->setChecked(true);
    page->findChild<QRadioButton *>(QStringLiteral("optConvertCapitalise"))->setChecked(true);
    page->findChild<QRadioButton *>(QStringLiteral("optUnderscoresToSpaces"))->setChecked(true);
    page->findChild<QLineEdit *>(QStringLiteral("txtFindText"))->setText(QStringLiteral("schedule"));
    page->findChild<QLineEdit *>(QStringLiteral("txtReplaceText"))->setText(QStringLiteral("plan"));
    page->findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    page->findChild<QLineEdit *>(QStringLiteral("txtPrefixCount"))->setText(QStringLiteral("0005"));
    page->findChild<QCheckBox *>(QStringLiteral("chkPostfixDate"))->setChecked(true);
    page->ShowSampleMask();
    {
        const QSignalBlocker blocker(form.SSTabStrip());
        form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::SetOptions));
    }
    QApplication::processEvents();
    return form.grab().save(out.filePath(QStringLiteral("tab1-set-options-in-use.png")));
}

// The preview tab with every file of the sample folder chosen and a few options on.
// The tab is entered with its own handling, as a click on it would, so that the
// window fills both lists itself.
bool saveFilesPreviewInUse(kestrava::KestravaForm &form, const QDir &out)
{
    form.chooseFilesPage()->findChild<QRadioButton *>(QStringLiteral("optAllFilesCurrentDir"))->setChecked(true);
    kestrava::OptionsPage *page = form.optionsPage();
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    page->findChild<QRadioButton *>(QStringLiteral("optConvertCapitalise"))->setChecked(true);
    page->findChild<QRadioButton *>(QStringLiteral("optSpacesToUnderscores"))->setChecked(true);
    page->findChild<QCheckBox *>(QStringLiteral("chkRemoveTildas"))->setChecked(true);
    page->findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::PreviewResults));
    QApplication::processEvents();
    return form.grab().save(out.filePath(QStringLiteral("tab2-preview-results-in-use.png")));
}

// The counter starts at 9998, so the fourth file finds it past 9999; "notes" has
// no dot. Both are logged as errors, and the other two are renamed.
bool saveAfterRun(kestrava::KestravaForm &form, const QString &path)
{
    // A fixed folder, as the error texts show its path: the picture stays the same.
    QDir dir(QDir::temp().filePath(QStringLiteral("kestrava-screenshots-run")));
    dir.removeRecursively();
    if (!dir.mkpath(QStringLiteral("Tickets")) || !dir.cd(QStringLiteral("Tickets")))
        return false;
    for (const char *name : {"boarding pass 1.pdf", "boarding pass 2.pdf", "notes", "tickets.pdf"}) {
        QFile file(dir.filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    if (!form.folderList()->setPath(dir.path()))
        return false;
    static const PictureClock clock;
    form.setClock(&clock);
    form.optionsPage()->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    form.optionsPage()->findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    form.optionsPage()->findChild<QLineEdit *>(QStringLiteral("txtPrefixCount"))->setText(QStringLiteral("9998"));
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::Go));
    form.goPage()->findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    QApplication::processEvents();
    const bool saved = form.grab().save(path);
    dir.cdUp();
    dir.removeRecursively();
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The window places its controls at fixed pixel positions on a fixed grey; Fusion
    // draws them alike on every desktop, so the layout holds wherever it runs.
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const std::array<QString, 8> names{
        QStringLiteral("tab0-choose-files"), QStringLiteral("tab1-set-options"), QStringLiteral("tab2-preview-results"),
        QStringLiteral("tab3-go"),           QStringLiteral("tab4-spacer"),      QStringLiteral("tab5-help"),
        QStringLiteral("tab6-about"),        QStringLiteral("tab7-exit")};

    kestrava::KestravaForm form;
    form.show();
    QTextStream err(stderr);
    for (int i = 0; i < int(names.size()); ++i) {
        {
            // Only the pictures are wanted: the tabs' own handling (moving on from the
            // spacer, ending the program on Exit) must not run.
            const QSignalBlocker blocker(form.SSTabStrip());
            form.SSTabStrip()->setCurrentIndex(i);
        }
        QApplication::processEvents();
        const QString path = out.filePath(names[size_t(i)] + QStringLiteral(".png"));
        if (!form.grab().save(path)) {
            err << "cannot save " << path << Qt::endl;
            return 1;
        }
    }
    if (!saveOptionsInUse(form, out)) {
        err << "cannot save the options tab in use" << Qt::endl;
        return 1;
    }
    if (!saveFilesPreviewInUse(form, out)) {
        err << "cannot save the preview tab in use" << Qt::endl;
        return 1;
    }
    const QString afterRun = out.filePath(QStringLiteral("tab3-go-after-run.png"));
    if (!saveAfterRun(form, afterRun)) {
        err << "cannot save " << afterRun << Qt::endl;
        return 1;
    }
    return 0;
}
