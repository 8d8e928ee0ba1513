// SPDX-License-Identifier: GPL-3.0-or-later
// Shows the window, makes each tab current in turn and saves a picture of it, then
// pictures of the options tab and its More Options dialog and of the preview tab in use, of the Choose Files and Preview
// Results tabs in a grown window, of the preview marking the files a run would not
// rename, of the Go tab in the middle of a run, and of the Go tab after a run over a
// few files, two of which it cannot rename, and after the undo of a run, one of whose
// old names another file has taken meanwhile; last, the preview naming photos by the
// date they were taken and music by its tags.
// Under a language Kestrava is translated to, it saves only the tabs with texts of their
// own, the More Options dialog and the Go tab after the run and after the undo, their names led by the language
// ("de-tab0-choose-files.png"). The runs' undo journals go to a temporary folder.
// Usage: kestrava-screenshots <output folder>

#include "ChooseFilesPage.h"
#include "FolderChooserList.h"
#include "GoPage.h"
#include "KestravaForm.h"
#include "MoreOptionsDialog.h"
#include "OptionsPage.h"
#include "PreviewPage.h"
#include "Prompt.h"
#include "RunClock.h"
#include "RunController.h"
#include "Translations.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include "MediaFiles.h"

#include <array>
#include <functional>
#include <utility>

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

// The More Options dialog beside the window, numbering by name with numbers by
// value, every tenth number in five digits, the prefix counter on so that the
// samples show it.
bool saveMoreOptions(kestrava::KestravaForm &form, const QString &path)
{
    kestrava::OptionsPage *page = form.optionsPage();
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    page->findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    page->findChild<QPushButton *>(QStringLiteral("cmdMoreOptions"))->click();
    kestrava::MoreOptionsDialog *dialog = page->moreOptions();
    dialog->findChild<QComboBox *>(QStringLiteral("cmbNumberOrder"))->setCurrentIndex(1);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtCounterStep"))->setText(QStringLiteral("10"));
    dialog->findChild<QLineEdit *>(QStringLiteral("txtCounterDigits"))->setText(QStringLiteral("5"));
    QApplication::processEvents();
    const bool saved = dialog->grab().save(path);
    dialog->hide();
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    return saved;
}

// The preview's look ahead runs beside the window: the pictures show its marks
// and summary, not the text shown while it looks.
void waitForLookAhead(kestrava::KestravaForm &form)
{
    const QDeadlineTimer deadline(10000);
    do
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    while (form.previewPage()->isLookingAhead() && !deadline.hasExpired());
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
    waitForLookAhead(form);
    return form.grab().save(out.filePath(QStringLiteral("tab2-preview-results-in-use.png")));
}

// The preview tab marking the files a run would not rename, over a folder made
// for it: spaces removed make one name that is taken already (and that file
// stays unchanged), two names that clash with each other, and one hidden name.
bool saveFilesPreviewMarks(kestrava::KestravaForm &form, const QDir &out)
{
    QTemporaryDir sample;
    const QDir folder(sample.path());
    for (const char *name : {"Beach day.jpg", "Beachday.jpg", "Map 1.gif", "Ma p1.gif", "Packing List.txt", " .txt",
                             "Sunset over the bay.jpg", "ferry times.htm"}) {
        QFile file(folder.filePath(QString::fromUtf8(name)));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    if (!form.folderList()->setPath(folder.path()))
        return false;
    kestrava::OptionsPage *page = form.optionsPage();
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    page->findChild<QRadioButton *>(QStringLiteral("optRemoveSpaces"))->setChecked(true);
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::Go));
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::PreviewResults));
    waitForLookAhead(form);
    return form.grab().save(out.filePath(QStringLiteral("tab2-preview-results-marks.png")));
}

// The preview tab naming the files of a folder from what they say of
// themselves, through the More Options dialog's template: \a files made in a
// fresh folder by \a make, the template \a nameTemplate, saved as \a name.
bool saveFilesPreviewFromTemplate(kestrava::KestravaForm &form, const QDir &out, const QString &name,
                                  const QString &nameTemplate, const std::function<void(const QDir &)> &make)
{
    QTemporaryDir sample;
    const QDir folder(sample.path());
    make(folder);
    if (!form.folderList()->setPath(folder.path()))
        return false;
    form.chooseFilesPage()->findChild<QRadioButton *>(QStringLiteral("optAllFilesCurrentDir"))->setChecked(true);
    kestrava::OptionsPage *page = form.optionsPage();
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    page->findChild<QPushButton *>(QStringLiteral("cmdMoreOptions"))->click();
    kestrava::MoreOptionsDialog *dialog = page->moreOptions();
    dialog->findChild<QCheckBox *>(QStringLiteral("chkTemplate"))->setChecked(true);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtTemplate"))->setText(nameTemplate);
    dialog->hide();
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::Go));
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::PreviewResults));
    waitForLookAhead(form);
    const bool saved = form.grab().save(out.filePath(name));
    page->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    return saved;
}

// A card of holiday photos, three with the date they were taken and the camera,
// one scanned print with neither; and an album's tracks, tagged.
void makePhotos(const QDir &folder)
{
    using kestrava::testing::makePhoto;
    makePhoto(folder.filePath(QStringLiteral("IMG_0412.JPG")),
              {{QStringLiteral("Exif.Photo.DateTimeOriginal"), QStringLiteral("2025:07:14 09:12:40")},
               {QStringLiteral("Exif.Image.Model"), QStringLiteral("Pixel 7")}});
    makePhoto(folder.filePath(QStringLiteral("IMG_0413.JPG")),
              {{QStringLiteral("Exif.Photo.DateTimeOriginal"), QStringLiteral("2025:07:14 18:47:03")},
               {QStringLiteral("Exif.Image.Model"), QStringLiteral("Pixel 7")}});
    makePhoto(folder.filePath(QStringLiteral("DSC01877.JPG")),
              {{QStringLiteral("Exif.Photo.DateTimeOriginal"), QStringLiteral("2025:07:15 07:30:15")},
               {QStringLiteral("Exif.Image.Model"), QStringLiteral("ILCE-7M3")}});
    makePhoto(folder.filePath(QStringLiteral("scan of grandma.jpg")), {});
}

void makeAlbum(const QDir &folder)
{
    using namespace kestrava::testing;
    const std::array<const char *, 4> titles{"Be My Husband", "Nobody Knows You When You're Down and Out",
                                             "Sinnerman", "Trouble in Mind"};
    for (unsigned track = 0; track < titles.size(); ++track) {
        const QString path = folder.filePath(QStringLiteral("Track%1.mp3").arg(track + 1, 2, 10, QChar(u'0')));
        writeBytes(path, mp3Bytes());
        tagMusic(path, QString::fromUtf8(titles[track]), track + 1);
    }
}

// The Choose Files and Preview Results tabs in a window grown to fill a 1600 x 1000
// screen, the preview still in use. A sub-folder with a long name, made for these
// pictures only, shows that the wider folder list no longer cuts such names off.
bool saveWide(kestrava::KestravaForm &form, const QDir &out)
{
    const QString longName = QStringLiteral("Island hopping in the Northern Isles, summer 2026 (ferries, beaches)");
    QDir here = QDir::current();
    if (!here.mkdir(longName) || !form.folderList()->setPath(here.path()))
        return false;
    const QSize start = form.size();
    form.resize(1600, 1000);
    bool saved = true;
    using Tab = kestrava::KestravaForm::Tab;
    const std::array<std::pair<Tab, const char *>, 2> pictures{
        {{Tab::ChooseFiles, "tab0-choose-files-wide"}, {Tab::PreviewResults, "tab2-preview-results-wide"}}};
    for (const auto &[tab, name] : pictures) {
        {
            const QSignalBlocker blocker(form.SSTabStrip());
            form.SSTabStrip()->setCurrentIndex(int(tab));
        }
        QApplication::processEvents();
        saved = saved && form.grab().save(out.filePath(QString::fromLatin1(name) + QStringLiteral(".png")));
    }
    form.resize(start);
    here.rmdir(longName);
    return saved && form.folderList()->setPath(here.path()).has_value();
}

// Confirms every file; takes its time over the first, so that the run has gone on
// for over a second and shows the time left, and saves the window's picture when
// asked about file \a grabAt, when the window has just brought its display up to date.
class GrabbingPrompt : public kestrava::Prompt
{
public:
    GrabbingPrompt(QWidget *window, int grabAt, QString path)
        : m_window(window)
        , m_grabAt(grabAt)
        , m_path(std::move(path))
    {}

    kestrava::PromptAnswer ask(const QString &, const QString &) override
    {
        ++m_asked;
        if (m_asked == 1)
            QThread::msleep(1500);
        if (m_asked == m_grabAt)
            saved = m_window->grab().save(m_path);
        return kestrava::PromptAnswer::Yes;
    }
    bool saved = false;

private:
    QWidget *m_window;
    int m_grabAt;
    QString m_path;
    int m_asked = 0;
};

// The Go tab part way through a run over forty files, spaces to underscores.
bool saveMidRun(kestrava::KestravaForm &form, const QString &path)
{
    QDir dir(QDir::temp().filePath(QStringLiteral("kestrava-screenshots-mid-run")));
    dir.removeRecursively();
    if (!dir.mkpath(QStringLiteral("Scans")) || !dir.cd(QStringLiteral("Scans")))
        return false;
    for (int i = 1; i <= 40; ++i) {
        QFile file(dir.filePath(QStringLiteral("letter page %1.png").arg(i, 2, 10, QLatin1Char('0'))));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    if (!form.folderList()->setPath(dir.path()))
        return false;
    form.optionsPage()->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    form.optionsPage()->findChild<QRadioButton *>(QStringLiteral("optSpacesToUnderscores"))->setChecked(true);
    auto *confirm = form.chooseFilesPage()->findChild<QCheckBox *>(QStringLiteral("chkConfirmFiles"));
    confirm->setChecked(true);
    GrabbingPrompt prompt(&form, 17, path);
    form.runController()->setPrompt(&prompt);
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::Go));
    form.goPage()->findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    form.runController()->setPrompt(nullptr);
    confirm->setChecked(false);
    dir.cdUp();
    dir.removeRecursively();
    return prompt.saved;
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

// Answers Yes to the question of Undo.
class YesPrompt : public kestrava::Prompt
{
public:
    kestrava::PromptAnswer ask(const QString &, const QString &) override { return kestrava::PromptAnswer::Yes; }
};

// A run puts a counter before three names; then a new "tickets.pdf" takes one of
// the old names, so the undo puts two files back and leaves the third alone.
bool saveAfterUndo(kestrava::KestravaForm &form, const QString &path)
{
    QDir dir(QDir::temp().filePath(QStringLiteral("kestrava-screenshots-undo")));
    dir.removeRecursively();
    if (!dir.mkpath(QStringLiteral("Tickets")) || !dir.cd(QStringLiteral("Tickets")))
        return false;
    const auto makeFile = [&dir](const QString &name) { return QFile(dir.filePath(name)).open(QIODevice::WriteOnly); };
    for (const char *name : {"boarding pass 1.pdf", "boarding pass 2.pdf", "tickets.pdf"}) {
        if (!makeFile(QString::fromUtf8(name)))
            return false;
    }
    if (!form.folderList()->setPath(dir.path()))
        return false;
    static const PictureClock clock;
    form.setClock(&clock);
    form.optionsPage()->findChild<QPushButton *>(QStringLiteral("cmdReset"))->click();
    form.optionsPage()->findChild<QCheckBox *>(QStringLiteral("chkPrefixCounter"))->setChecked(true);
    form.optionsPage()->findChild<QLineEdit *>(QStringLiteral("txtPrefixCount"))->setText(QStringLiteral("0001"));
    form.SSTabStrip()->setCurrentIndex(int(kestrava::KestravaForm::Tab::Go));
    form.goPage()->findChild<QPushButton *>(QStringLiteral("StartButton"))->click();
    if (!makeFile(QStringLiteral("tickets.pdf")))
        return false;
    YesPrompt yes;
    form.runController()->setPrompt(&yes);
    form.goPage()->findChild<QPushButton *>(QStringLiteral("cmdUndo"))->click();
    form.runController()->setPrompt(nullptr);
    QApplication::processEvents();
    const bool saved = form.grab().save(path);
    dir.cdUp();
    dir.removeRecursively();
    return saved;
}

} // namespace

int main(int argc, char *argv[])
{
    // Every run writes an undo journal: these runs' are no business of the user's.
    QTemporaryDir state;
    qputenv("XDG_STATE_HOME", QFile::encodeName(state.path()));
    QApplication app(argc, argv);
    // The window places its controls at fixed pixel positions on a fixed grey; Fusion
    // draws them alike on every desktop, so the layout holds wherever it runs.
    QApplication::setStyle(QStringLiteral("Fusion"));
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    const kestrava::Translations translations{QLocale()};
    const bool translated = translations.files().value(0).contains(u"kestrava_");
    const QString language = translated ? QLocale().name().section(u'_', 0, 0) + u'-' : QString();
    const std::array<QString, 8> names{QStringLiteral("tab0-choose-files"),    QStringLiteral("tab1-set-options"),
                                       QStringLiteral("tab2-preview-results"), QStringLiteral("tab3-go"),
                                       QStringLiteral("tab4-spacer"),          QStringLiteral("tab5-help"),
                                       QStringLiteral("tab6-about"),           QStringLiteral("tab7-exit")};

    kestrava::KestravaForm form;
    form.show();
    QTextStream err(stderr);
    for (int i = 0; i < int(names.size()); ++i) {
        // The spacer and Exit tabs are empty in every language.
        using Tab = kestrava::KestravaForm::Tab;
        if (translated && (i == int(Tab::Spacer) || i == int(Tab::Exit)))
            continue;
        {
            // Only the pictures are wanted: the tabs' own handling (moving on from the
            // spacer, ending the program on Exit) must not run.
            const QSignalBlocker blocker(form.SSTabStrip());
            form.SSTabStrip()->setCurrentIndex(i);
        }
        QApplication::processEvents();
        const QString path = out.filePath(language + names[size_t(i)] + QStringLiteral(".png"));
        if (!form.grab().save(path)) {
            err << "cannot save " << path << Qt::endl;
            return 1;
        }
    }
    if (!translated && !saveOptionsInUse(form, out)) {
        err << "cannot save the options tab in use" << Qt::endl;
        return 1;
    }
    const QString moreOptions = out.filePath(language + QStringLiteral("dialog-more-options.png"));
    if (!saveMoreOptions(form, moreOptions)) {
        err << "cannot save " << moreOptions << Qt::endl;
        return 1;
    }
    if (!translated && !saveFilesPreviewInUse(form, out)) {
        err << "cannot save the preview tab in use" << Qt::endl;
        return 1;
    }
    if (!translated && !saveWide(form, out)) {
        err << "cannot save the wide window" << Qt::endl;
        return 1;
    }
    const QString midRun = out.filePath(QStringLiteral("tab3-go-mid-run.png"));
    if (!translated && !saveMidRun(form, midRun)) {
        err << "cannot save " << midRun << Qt::endl;
        return 1;
    }
    const QString afterRun = out.filePath(language + QStringLiteral("tab3-go-after-run.png"));
    if (!saveAfterRun(form, afterRun)) {
        err << "cannot save " << afterRun << Qt::endl;
        return 1;
    }
    const QString afterUndo = out.filePath(language + QStringLiteral("tab3-go-after-undo.png"));
    if (!saveAfterUndo(form, afterUndo)) {
        err << "cannot save " << afterUndo << Qt::endl;
        return 1;
    }
    if (!translated && !saveFilesPreviewMarks(form, out)) {
        err << "cannot save the preview tab with marks" << Qt::endl;
        return 1;
    }
    if (!translated
        && !saveFilesPreviewFromTemplate(form, out, QStringLiteral("tab2-preview-photos.png"),
                                         QStringLiteral("{taken:yyyy-mm-dd hh.mm.ss} {camera}"), makePhotos)) {
        err << "cannot save the preview of the photos" << Qt::endl;
        return 1;
    }
    if (!translated
        && !saveFilesPreviewFromTemplate(form, out, QStringLiteral("tab2-preview-music.png"),
                                         QStringLiteral("{artist} - {track:2} {title}"), makeAlbum)) {
        err << "cannot save the preview of the music" << Qt::endl;
        return 1;
    }
    return 0;
}
