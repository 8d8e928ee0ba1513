// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RunSimulation.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTextEdit>

class QColor;
class QPlainTextEdit;

namespace kestrava {

/// One marked line of a box: where its text starts in the document, how long it
/// is, and what becomes of its file.
struct LineMark
{
    int position = 0;
    int length = 0;
    SimulatedFile file;
    QString reason;
};

/// The marks of a box of new names: every line whose file will not be renamed,
/// or will become hidden, gets one extra selection covering that line, coloured
/// by its kind, with the reason as its tooltip. The box shows that tooltip when
/// the pointer rests on the line.
///
/// A box asked for an extra selection lays out the paragraph it is in at once,
/// and looks through all of them at every paint; a folder of 100,000 unchanged
/// files would be laid out in full. So the box holds the selections of the
/// paragraphs in view only, renewed as it scrolls or changes size, and marks()
/// holds every mark.
class PreviewMarks : public QObject
{
    Q_OBJECT

public:
    /// Marks lines of \a box, which owns the marks.
    explicit PreviewMarks(QPlainTextEdit *box);

    /// Replaces the marks with \a marks, in the order of their lines. Each
    /// position and length must lie in one line of the box's current text.
    void setMarks(const QList<LineMark> &marks);
    /// Takes every mark away.
    void clear();
    /// Every mark, in the order of their lines.
    const QList<LineMark> &marks() const { return m_marks; }

    /// The background of a line whose file meets \a file: warm for a problem,
    /// grey for a file left alone by choice or unchanged, yellow for a warning.
    static QColor background(const SimulatedFile &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The tooltip of the mark on the line at \a viewportPos, or an empty text.
    QString toolTipAt(const QPoint &viewportPos) const;
    /// Gives the box the selections of the marks in the paragraphs in view.
    void showMarksInView();
    QTextEdit::ExtraSelection selectionOf(const LineMark &mark) const;

    QPlainTextEdit *m_box = nullptr;
    // Kept apart from m_box: the viewport still sends events while the box is
    // being destroyed, when asking the box for its viewport is no longer safe.
    QObject *m_viewport = nullptr;
    QList<LineMark> m_marks;
    // The start of each marked line, in order, for finding marks by position.
    QList<int> m_starts;
    // The marks the box holds selections for: [first, last).
    qsizetype m_shownFirst = 0;
    qsizetype m_shownLast = 0;
};

} // namespace kestrava
