// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineBlockText.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <utility>

namespace kestrava {

void LineBlockText::reserve(qsizetype lines, qsizetype lineLength)
{
    m_text.reserve(lines * (lineLength + 1));
}

void LineBlockText::appendLine(QStringView line)
{
    m_text += line;
    ++m_lines;
    const bool endsBlock = m_lines == linesInFirstBlock
        || (m_lines > linesInFirstBlock && (m_lines - linesInFirstBlock) % linesPerBlock == 0);
    m_text += endsBlock ? QChar(u'\n') : QChar(QChar::LineSeparator);
}

void LineBlockText::showIn(QPlainTextEdit *box)
{
    endLastLine();
    box->setPlainText(m_text);
    countLinesOfFirstBlocks(box);
}

void LineBlockText::insertAtStartOf(QPlainTextEdit *box)
{
    if (m_lines == 0)
        return;
    endLastLine();
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(m_text);
    countLinesOfFirstBlocks(box);
}

void LineBlockText::endLastLine()
{
    if (!m_text.isEmpty())
        m_text.back() = u'\n';
}

void LineBlockText::countLinesOfFirstBlocks(QPlainTextEdit *box) const
{
    // Until a paragraph is laid out the box counts it as one line; telling it
    // the lines each one holds keeps the scroll bar as long as the text.
    QTextDocument *document = box->document();
    qsizetype linesLeft = m_lines;
    qsizetype blockLines = linesInFirstBlock;
    for (QTextBlock block = document->begin(); block.isValid() && linesLeft > 0; block = block.next()) {
        const qsizetype lines = std::min(linesLeft, std::exchange(blockLines, linesPerBlock));
        if (block.lineCount() < lines)
            block.setLineCount(int(lines));
        linesLeft -= lines;
    }
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

} // namespace kestrava
