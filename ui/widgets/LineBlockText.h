// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

class QPlainTextEdit;

namespace kestrava {

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
    /// As showIn(), a part at a time: the first call replaces the text of \a box
    /// with about \a lines lines (whole paragraphs), each further call appends
    /// the next part to the same box. True once every line is shown. A million
    /// lines handed over at once keep the window from answering for longer than
    /// a person waits for a click to show.
    bool showPartIn(QPlainTextEdit *box, qsizetype lines);
    /// Puts the lines, each followed by a line break, in front of the text of \a box.
    void insertAtStartOf(QPlainTextEdit *box);

private:
    /// Ends the last line with a paragraph break, as every line stands for one.
    void endLastLine();
    /// Tells the box how many lines each of the first paragraphs of its text holds.
    void countLinesOfFirstBlocks(QPlainTextEdit *box) const;
    /// As countLinesOfFirstBlocks(), for the paragraphs from number \a firstBlock on,
    /// which hold \a lineCount lines.
    static void countLinesOfBlocks(QPlainTextEdit *box, int firstBlock, qsizetype lineCount);

    QString m_text;
    qsizetype m_lines = 0;
    // How far showPartIn() has shown the text: characters, lines and paragraphs.
    qsizetype m_shownUpTo = 0;
    qsizetype m_linesShown = 0;
    int m_blocksShown = 0;
    bool m_showing = false;
};

} // namespace kestrava
