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
    m_lineLength = lineLength;
    m_blocks.reserve(2 + lines / linesPerBlock);
}

void LineBlockText::appendLine(QStringView line)
{
    if (m_current.isEmpty())
        m_current.reserve((m_blocks.isEmpty() ? linesInFirstBlock : linesPerBlock) * (m_lineLength + 1));
    m_current += line;
    ++m_lines;
    const bool endsBlock = m_lines == linesInFirstBlock
        || (m_lines > linesInFirstBlock && (m_lines - linesInFirstBlock) % linesPerBlock == 0);
    if (!endsBlock) {
        m_current += QChar(QChar::LineSeparator);
        return;
    }
    m_current += QChar(u'\n');
    m_blocks.append(std::exchange(m_current, QString()));
}

void LineBlockText::showIn(QPlainTextEdit *box)
{
    endLastLine();
    box->setPlainText(blocksText(0, m_blocks.size()));
    countLinesOfFirstBlocks(box);
}

bool LineBlockText::showPartIn(QPlainTextEdit *box, qsizetype lines)
{
    if (m_showing && m_linesShown == m_lines)
        return true;
    if (!m_showing) {
        endLastLine();
        m_showing = true;
    }
    // The part is whole paragraphs, at least one: the lines of the first
    // part, then paragraphs of linesPerBlock, as appendLine() made them.
    qsizetype last = m_blocksShown;
    while (last < m_blocks.size() && (last == m_blocksShown || linesBefore(last) - m_linesShown < lines))
        ++last;
    const qsizetype partLines = linesBefore(last) - m_linesShown;
    const QString part = blocksText(m_blocksShown, last);
    if (m_blocksShown == 0) {
        box->setPlainText(part);
    } else {
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(part);
    }
    countLinesOfBlocks(box, m_blocksShown, partLines);
    // The box holds the shown paragraphs now: their own copies go.
    for (qsizetype block = m_blocksShown; block < last; ++block)
        m_blocks[block] = QString();
    m_linesShown += partLines;
    m_blocksShown = int(last);
    return m_linesShown == m_lines;
}

void LineBlockText::insertAtStartOf(QPlainTextEdit *box)
{
    if (m_lines == 0)
        return;
    endLastLine();
    QTextCursor cursor(box->document());
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText(blocksText(0, m_blocks.size()));
    countLinesOfFirstBlocks(box);
}

void LineBlockText::endLastLine()
{
    if (m_current.isEmpty())
        return;
    m_current.back() = u'\n';
    m_blocks.append(std::exchange(m_current, QString()));
}

QString LineBlockText::blocksText(qsizetype first, qsizetype last) const
{
    qsizetype size = 0;
    for (qsizetype block = first; block < last; ++block)
        size += m_blocks.at(block).size();
    QString text;
    text.reserve(size);
    for (qsizetype block = first; block < last; ++block)
        text += m_blocks.at(block);
    return text;
}

qsizetype LineBlockText::linesBefore(qsizetype block) const
{
    if (block == 0)
        return 0;
    return std::min(m_lines, linesInFirstBlock + (block - 1) * linesPerBlock);
}

void LineBlockText::countLinesOfFirstBlocks(QPlainTextEdit *box) const
{
    countLinesOfBlocks(box, 0, m_lines);
}

void LineBlockText::countLinesOfBlocks(QPlainTextEdit *box, int firstBlock, qsizetype lineCount)
{
    // Until a paragraph is laid out the box counts it as one line; telling it
    // the lines each one holds keeps the scroll bar as long as the text.
    QTextDocument *document = box->document();
    qsizetype linesLeft = lineCount;
    qsizetype blockLines = firstBlock == 0 ? linesInFirstBlock : linesPerBlock;
    for (QTextBlock block = document->findBlockByNumber(firstBlock); block.isValid() && linesLeft > 0;
         block = block.next()) {
        const qsizetype lines = std::min(linesLeft, std::exchange(blockLines, linesPerBlock));
        if (block.lineCount() < lines)
            block.setLineCount(int(lines));
        linesLeft -= lines;
    }
    QAbstractTextDocumentLayout *layout = document->documentLayout();
    Q_EMIT layout->documentSizeChanged(layout->documentSize());
}

} // namespace kestrava
