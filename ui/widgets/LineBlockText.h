// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <memory>

class QObject;
class QPlainTextEdit;
class QTextDocument;
class QThread;

namespace kestrava {

/// The whole text of a box as a document of its own, made by
/// LineBlockText::toDocument() away from the window, and shown in one step.
class LineBlockDocument
{
public:
    /// Shows the document in \a box in place of its text; the box keeps it.
    /// A document an earlier call gave the box is deleted.
    void showIn(QPlainTextEdit *box);

private:
    friend class LineBlockText;
    // Deleted by its own thread, whichever thread lets go of it.
    struct DeleteLater
    {
        void operator()(QObject *object) const;
    };
    std::unique_ptr<QTextDocument, DeleteLater> m_document;
    qsizetype m_lines = 0;
};

/// The text of a read-only box of many lines (a files preview of 100,000
/// names, the log of a run), built line by line and shown at once.
///
/// A text document spends most of its time per paragraph, so the lines are
/// grouped: inside a group they are separated by the Unicode line separator,
/// which the box shows as a line break and toPlainText() and copying turn
/// into "\n". The box's text, its lines on screen and its scroll range are
/// those of one paragraph per line.
class LineBlockText
{
public:
    /// Lines of the first paragraph: about what a box shows, since a box lays
    /// out every paragraph it shows in full.
    static constexpr qsizetype linesInFirstBlock = 16;
    /// Lines of every further paragraph.
    static constexpr qsizetype linesPerBlock = 64;

    /// Room for \a lines lines of about \a lineLength characters.
    void reserve(qsizetype lines, qsizetype lineLength);
    /// Adds \a line followed by a line break.
    void appendLine(QStringView line);
    /// Number of lines added.
    qsizetype lineCount() const { return m_lines; }

    /// Replaces the text of \a box with the lines, each followed by a line break.
    void showIn(QPlainTextEdit *box);
    /// The lines as showIn() shows them, as a document built on the calling
    /// thread, which may be any, and handed to \a thread, the box's. A box
    /// takes a quarter of a second to take a million lines, and far longer
    /// when taking them a part at a time makes its text outgrow its room
    /// again and again: the window need not wait for either. The lines'
    /// own text is let go of.
    LineBlockDocument toDocument(QThread *thread) &&;
    /// Puts the lines, each followed by a line break, in front of the text of \a box.
    void insertAtStartOf(QPlainTextEdit *box);
    /// The characters a box's document keeps for the lines: their text and,
    /// for each paragraph, a separator of its own.
    qsizetype documentLength() const;

private:
    friend class LineBlockDocument;
    /// Ends the last line with a paragraph break, as every line stands for one.
    void endLastLine();
    /// Tells the box how many lines each of the first paragraphs of its text holds.
    void countLinesOfFirstBlocks(QPlainTextEdit *box) const;
    /// As countLinesOfFirstBlocks(), for a box whose paragraphs hold \a lineCount lines.
    static void countLinesOfBlocks(QPlainTextEdit *box, qsizetype lineCount);

    QString m_text;
    qsizetype m_lines = 0;
};

/// Foresees when the text of a box that keeps growing, such as a run's log,
/// outgrows its room. A text document keeps its characters in one string,
/// which doubles as it fills: the insertion that makes it double copies the
/// whole text into fresh memory, on a virtual machine a fifth of a second for
/// a million lines. A box told in time can take a whole new document, built
/// beside the window, instead.
class LineBlockRoom
{
public:
    /// The box's document was emptied, or replaced by one of \a length characters.
    void reset(qsizetype length = 1);
    /// Whether inserting \a lines makes the document's string grow.
    bool outgrownBy(const LineBlockText &lines) const;
    /// Counts \a lines inserted.
    void add(const LineBlockText &lines);
    /// The characters the document keeps.
    qsizetype length() const { return m_length; }

private:
    /// The room of a string grown to hold \a length characters: the next
    /// power of two in bytes, less the string's header.
    static qsizetype roomFor(qsizetype length);

    qsizetype m_length = 1;
    qsizetype m_room = roomFor(1);
};

} // namespace kestrava
