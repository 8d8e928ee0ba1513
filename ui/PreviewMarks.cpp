#include "PreviewMarks.h"

#include <QColor>
#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>

#include <algorithm>

namespace kestrava {

PreviewMarks::PreviewMarks(QPlainTextEdit *box)
    : QObject(box), m_box(box)
{
    // QPlainTextEdit paints the extra selections but never shows their tooltips.
    box->viewport()->installEventFilter(this);
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
    QList<QTextEdit::ExtraSelection> selections;
    selections.reserve(marks.size());
    m_starts.clear();
    m_starts.reserve(marks.size());
    QTextDocument *document = m_box->document();
    // Placing a cursor outside an edit block lays out its paragraph at once;
    // inside one the layout waits until the paragraph is shown.
    QTextCursor batch(document);
    batch.beginEditBlock();
    for (const LineMark &mark : marks) {
        QTextEdit::ExtraSelection selection;
        selection.cursor = QTextCursor(document);
        selection.cursor.setPosition(mark.position);
        selection.cursor.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
        selection.format.setBackground(background(mark.file));
        // The whole width, so that an empty line (a name that cannot be computed) shows its mark too.
        selection.format.setProperty(QTextFormat::FullWidthSelection, true);
        selection.format.setProperty(QTextFormat::TextToolTip, mark.reason);
        selections.append(std::move(selection));
        m_starts.append(mark.position);
    }
    batch.endEditBlock();
    m_box->setExtraSelections(selections);
}

void PreviewMarks::clear()
{
    m_starts.clear();
    m_box->setExtraSelections({});
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
    const QList<QTextEdit::ExtraSelection> selections = m_box->extraSelections();
    const qsizetype index = after - m_starts.cbegin() - 1;
    if (index >= selections.size())
        return QString();
    const QTextCursor &mark = selections.at(index).cursor;
    if (position > mark.selectionEnd())
        return QString();
    return selections.at(index).format.property(QTextFormat::TextToolTip).toString();
}

bool PreviewMarks::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::ToolTip || watched != m_box->viewport())
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
