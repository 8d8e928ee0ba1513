// SPDX-License-Identifier: GPL-3.0-or-later
// The Preview Results room: the page, its marks of files a run would not rename, the Details list and the tree's look ahead.
#include "PreviewMarks.h"

#include <QColor>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include <algorithm>

namespace kestrava {

PreviewMarks::PreviewMarks(QPlainTextEdit *box)
    : QObject(box)
    , m_box(box)
{
    // QPlainTextEdit paints the extra selections but never shows their tooltips.
    m_viewport = box->viewport();
    m_viewport->installEventFilter(this);
    connect(box->verticalScrollBar(), &QScrollBar::valueChanged, this, &PreviewMarks::showMarksInView);
    // A box moved by its cursor (Ctrl+End, Page Down, a search) scrolls without
    // a signal from its scroll bar, but asks to be repainted moved.
    connect(box, &QPlainTextEdit::updateRequest, this, [this](const QRect &, int moved) {
        if (moved != 0)
            showMarksInView();
    });
}

QColor PreviewMarks::background(const SimulatedFile &file)
{
    switch (file.outcome) {
    case SimulatedOutcome::ReadOnlySkipped:
    case SimulatedOutcome::Unchanged:
        return QColor(0xdd, 0xdd, 0xdd);
    case SimulatedOutcome::Renamed:
        return QColor(0xff, 0xf0, 0x99);
    default:
        return QColor(0xff, 0xc8, 0xb0);
    }
}

void PreviewMarks::setMarks(const QList<LineMark> &marks)
{
    m_marks = marks;
    m_starts.clear();
    m_starts.reserve(marks.size());
    for (const LineMark &mark : marks)
        m_starts.append(mark.position);
    m_shownFirst = m_shownLast = -1;
    showMarksInView();
}

void PreviewMarks::clear()
{
    m_marks.clear();
    m_starts.clear();
    m_shownFirst = m_shownLast = 0;
    m_box->setExtraSelections({});
}

QTextEdit::ExtraSelection PreviewMarks::selectionOf(const LineMark &mark) const
{
    QTextEdit::ExtraSelection selection;
    selection.cursor = QTextCursor(m_box->document());
    selection.cursor.setPosition(mark.position);
    selection.cursor.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
    selection.format.setBackground(background(mark.file));
    // The whole width, so that an empty line (a name that cannot be computed) shows its mark too.
    selection.format.setProperty(QTextFormat::FullWidthSelection, true);
    selection.format.setProperty(QTextFormat::TextToolTip, mark.reason);
    return selection;
}

void PreviewMarks::showMarksInView()
{
    // The paragraphs from the top of the view to its bottom; the box lays
    // them out to paint them anyway.
    const QRect view = m_box->viewport()->rect();
    const QTextBlock top = m_box->cursorForPosition(view.topLeft()).block();
    const QTextBlock bottom = m_box->cursorForPosition(view.bottomLeft()).block();
    const int from = top.position();
    const int to = bottom.position() + bottom.length();
    const qsizetype first = std::lower_bound(m_starts.cbegin(), m_starts.cend(), from) - m_starts.cbegin();
    const qsizetype last = std::lower_bound(m_starts.cbegin(), m_starts.cend(), to) - m_starts.cbegin();
    if (first == m_shownFirst && last == m_shownLast)
        return;
    m_shownFirst = first;
    m_shownLast = last;
    QList<QTextEdit::ExtraSelection> selections;
    selections.reserve(last - first);
    for (qsizetype index = first; index < last; ++index)
        selections.append(selectionOf(m_marks.at(index)));
    m_box->setExtraSelections(selections);
}

QString PreviewMarks::toolTipAt(const QPoint &viewportPos) const
{
    const QTextCursor under = m_box->cursorForPosition(viewportPos);
    // Below the last line the nearest position is still found; only a pointer
    // on the line itself counts.
    const QRect line = m_box->cursorRect(under);
    if (viewportPos.y() < line.top() || viewportPos.y() > line.bottom())
        return QString();
    const int position = under.position();
    const auto after = std::upper_bound(m_starts.cbegin(), m_starts.cend(), position);
    if (after == m_starts.cbegin())
        return QString();
    const LineMark &mark = m_marks.at(after - m_starts.cbegin() - 1);
    return position <= mark.position + mark.length ? mark.reason : QString();
}

bool PreviewMarks::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (watched != m_viewport || (type != QEvent::Resize && type != QEvent::ToolTip))
        return QObject::eventFilter(watched, event);
    if (type == QEvent::Resize)
        showMarksInView();
    if (event->type() != QEvent::ToolTip)
        return QObject::eventFilter(watched, event);
    auto *help = static_cast<QHelpEvent *>(event);
    const QString tip = toolTipAt(help->pos());
    if (tip.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), tip, m_box->viewport());
    return true;
}

} // namespace kestrava
