// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowDriver.h"

#include "BenchContext.h"

#include "FileChooserList.h"
#include "FolderChooserList.h"
#include "KestravaForm.h"
#include "PreviewPage.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <functional>
#include <utility>

namespace kestrava::bench {

namespace {

class PaintSeen : public QObject
{
public:
    explicit PaintSeen(std::function<void()> onPaint = {})
        : m_onPaint(std::move(onPaint))
    {}

    bool seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            seen = true;
            if (m_onPaint)
                m_onPaint();
        }
        return false;
    }

private:
    std::function<void()> m_onPaint;
};

} // namespace

void FailingReporter::showError(const QString &, const QString &text)
{
    failBench(QStringLiteral("the window reports: ") + text);
}

void settle(QWidget *widget)
{
    // A scroll area's contents are painted on its viewport.
    if (auto *area = qobject_cast<QAbstractScrollArea *>(widget))
        widget = area->viewport();
    PaintSeen paint;
    widget->installEventFilter(&paint);
    QElapsedTimer waited;
    waited.start();
    QApplication::processEvents();
    while (!paint.seen && waited.elapsed() < 200)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    widget->removeEventFilter(&paint);
    if (!paint.seen)
        failBench(QStringLiteral("%1 was not painted").arg(widget->objectName()));
}

void openFolder(KestravaForm &form, const QString &folder)
{
    FolderChooserList *folders = form.folderList();
    auto opened = folders->open(folder);
    if (opened)
        opened = folders->waitForListing();
    if (!opened)
        failBench(QStringLiteral("the window cannot open ") + folder + QStringLiteral(": ") + opened.error());
}

void showFilesPreview(KestravaForm &form)
{
    control<QPlainTextEdit>(form, "txtFilesPreview")->clear();
    form.SSTabStrip()->setCurrentIndex(int(KestravaForm::Tab::PreviewResults));
}

void waitForLookAhead(KestravaForm &form)
{
    PreviewPage *page = form.previewPage();
    if (!page->isLookingAhead())
        return;
    // Leaves as the result is shown, before the repaint it asks for, so that
    // a settle() after this sees that paint.
    QEventLoop loop;
    QObject::connect(page, &PreviewPage::lookAheadShown, &loop, &QEventLoop::quit);
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    if (page->isLookingAhead())
        failBench(QStringLiteral("the preview's look ahead did not finish"));
}

void waitForMarksPainted(KestravaForm &form, QWidget *box)
{
    PreviewPage *page = form.previewPage();
    if (!page->isLookingAhead()) {
        settle(box);
        return;
    }
    if (auto *area = qobject_cast<QAbstractScrollArea *>(box))
        box = area->viewport();
    // Only a paint after the marks are given to the box shows them.
    QEventLoop loop;
    bool shown = false;
    PaintSeen paint([&] {
        if (shown)
            loop.quit();
    });
    box->installEventFilter(&paint);
    QObject::connect(page, &PreviewPage::lookAheadShown, &loop, [&] { shown = true; });
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    loop.exec();
    box->removeEventFilter(&paint);
    if (!shown)
        failBench(QStringLiteral("the preview's look ahead did not finish"));
}

void openFolderAndPreview(KestravaForm &form, const QString &folder)
{
    openFolder(form, folder);
    settle(control<QWidget>(form, "File1"));
    showFilesPreview(form);
    settle(control<QWidget>(form, "txtFilesPreview"));
    waitForLookAhead(form);
}

} // namespace kestrava::bench
