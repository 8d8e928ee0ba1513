// SPDX-License-Identifier: GPL-3.0-or-later
#include "DropOpener.h"

#include "KestravaForm.h"
#include "StartPaths.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace kestrava {

namespace {

QStringList localPaths(const QMimeData *mime)
{
    QStringList paths;
    if (!mime || !mime->hasUrls())
        return paths;
    for (const QUrl &url : mime->urls()) {
        if (url.isLocalFile())
            paths.append(url.toLocalFile());
    }
    return paths;
}

} // namespace

DropOpener::DropOpener(KestravaForm *form)
    : QObject(form)
    , m_form(form)
{
    form->setAcceptDrops(true);
    form->installEventFilter(this);
}

bool DropOpener::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form)
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDropEvent *>(event);
        drag->setAccepted(takesDrop(event));
        if (drag->isAccepted())
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        if (!takesDrop(event)) {
            drop->ignore();
            return true;
        }
        drop->acceptProposedAction();
        open(localPaths(drop->mimeData()));
        return true;
    }
    default:
        return QObject::eventFilter(watched, event);
    }
}

bool DropOpener::takesDrop(const QEvent *event) const
{
    // A change of folder during a run would move the lists the run is reading.
    if (m_form->runInProgress())
        return false;
    return !localPaths(static_cast<const QDropEvent *>(event)->mimeData()).isEmpty();
}

void DropOpener::open(const QStringList &paths)
{
    const StartPaths start = StartPaths::resolve(paths);
    if (start.folder.isEmpty())
        return;
    if (!m_form->openFolder(start.folder))
        return;
    if (!start.selectedNames.isEmpty())
        m_form->selectFiles(start.selectedNames);
}

} // namespace kestrava
