// SPDX-License-Identifier: GPL-3.0-or-later
#include "LineBlockText.h"

#include <QAbstractTextDocumentLayout>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>
#include <bit>
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

LineBlockDocument LineBlockText::toDocument(QThread *thread) &&
{
    endLastLine();
    LineBlockDocument document;
    document.m_lines = m_lines;
    document.m_document.reset(new QTextDocument);
    // The box only shows it: nothing is ever undone, and the undo stack would
    // keep the text twice.
    document.m_document->setUndoRedoEnabled(false);
    document.m_document->setPlainText(m_text);
    m_text = QString();
    document.m_document->moveToThread(thread);
    return document;
}

void LineBlockDocument::DeleteLater::operator()(QObject *object) const
{
    object->deleteLater();
}

void LineBlockDocument::showIn(QPlainTextEdit *box)
{
    // The box deletes the document it made itself as it takes another.
    const QPointer<QTextDocument> old = box->document();
    QTextDocument *const document = m_document.release();
    document->setDefaultFont(old->defaultFont());
    document->setDocumentMargin(old->documentMargin());
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setParent(box);
    box->setDocument(document);
    if (old && old->parent() == box)
        delete old;
    LineBlockText::countLinesOfBlocks(box, m_lines);
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

qsizetype LineBlockText::documentLength() const
{
    if (m_lines == 0)
        return 0;
    const qsizetype paragraphs =
        m_lines <= linesInFirstBlock ? 1 : 1 + (m_lines - linesInFirstBlock + linesPerBlock - 1) / linesPerBlock;
    return m_text.size() + paragraphs;
}

void LineBlockRoom::reset(qsizetype length)
{
    m_length = length;
    m_room = roomFor(length);
}

bool LineBlockRoom::outgrownBy(const LineBlockText &lines) const
{
    return m_length + lines.documentLength() > m_room;
}

void LineBlockRoom::add(const LineBlockText &lines)
{
    m_length += lines.documentLength();
    if (m_length > m_room)
        m_room = roomFor(m_length);
}

qsizetype LineBlockRoom::roomFor(qsizetype length)
{
    // Qt's strings grow to a power of two in bytes, header (16 bytes) and
    // closing null included.
    constexpr qsizetype header = 16;
    const auto bytes = std::bit_ceil(quint64(header + 2 * (length + 1)));
    return qsizetype((bytes - header) / 2);
}

void LineBlockText::endLastLine()
{
    if (!m_text.isEmpty())
        m_text.back() = u'\n';
}

void LineBlockText::countLinesOfFirstBlocks(QPlainTextEdit *box) const
{
    countLinesOfBlocks(box, m_lines);
}

void LineBlockText::countLinesOfBlocks(QPlainTextEdit *box, qsizetype lineCount)
{
    // Until a paragraph is laid out the box counts it as one line; telling it
    // the lines each one holds keeps the scroll bar as long as the text.
    QTextDocument *document = box->document();
    qsizetype linesLeft = lineCount;
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
