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
    // Room for lines twice as long as expected: a text that outgrows its room
    // is copied whole, a fifth of a second for a million lines, while room
    // never written to takes address space but no memory.
    m_text.reserve(lines * (2 * lineLength + 1));
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

bool LineBlockText::showPartIn(QPlainTextEdit *box, qsizetype lines)
{
    if (m_showing && m_linesShown == m_lines)
        return true;
    if (!m_showing) {
        endLastLine();
        m_showing = true;
    }
    // The part ends with a paragraph: the lines of the first part, then whole
    // paragraphs of linesPerBlock, as appendLine() made them.
    qsizetype end = m_shownUpTo;
    qsizetype partLines = 0;
    int partBlocks = 0;
    while (end < m_text.size() && (partLines < lines || partBlocks == 0)) {
        const qsizetype blockLines = m_linesShown + partLines < linesInFirstBlock
            ? linesInFirstBlock
            : linesPerBlock;
        const qsizetype newline = m_text.indexOf(u'\n', end);
        end = newline < 0 ? m_text.size() : newline + 1;
        partLines = std::min(m_lines - m_linesShown, partLines + blockLines);
        ++partBlocks;
    }
    const QStringView part = QStringView(m_text).sliced(m_shownUpTo, end - m_shownUpTo);
    if (m_shownUpTo == 0) {
        box->setPlainText(part.toString());
    } else {
        QTextCursor cursor(box->document());
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(part.toString());
    }
    countLinesOfBlocks(box, m_blocksShown, partLines);
    m_shownUpTo = end;
    m_linesShown += partLines;
    m_blocksShown += partBlocks;
    return m_linesShown == m_lines;
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
