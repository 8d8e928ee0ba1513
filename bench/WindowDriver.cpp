#include "WindowDriver.h"

#include "DiskFileList.h"
#include "DiskFolderList.h"
#include "KestravaForm.h"
#include "NewFilename.h"
#include "PreviewPage.h"

#include <QCoreApplication>
#include <QPlainTextEdit>

namespace kestrava::bench {

void openFolderAndPreview(KestravaForm &form, const QString &folder)
{
    // Until the window lists folders itself: the run's lists and the preview texts.
    static DiskFileList files;
    static DiskFolderList folders(files);
    (void)folders.setPath(folder);
    NameCounters counters;
    counters.load(QStringLiteral("0001"), QStringLiteral("0001"));
    QString before;
    QString after;
    for (qsizetype i = 0; i < files.count(); ++i) {
        before += files.name(i) + u'\n';
        const auto newName = BuildNewFilename(files.name(i), RenameOptions(), counters, QDate::currentDate());
        after += (newName ? *newName : QString()) + u'\n';
    }
    form.previewPage()->txtFilesPreview()->setPlainText(before);
    form.previewPage()->txtFilesPreviewNew()->setPlainText(after);
    QCoreApplication::processEvents();
}

} // namespace kestrava::bench
