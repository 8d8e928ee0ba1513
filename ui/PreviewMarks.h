#pragma once

#include "RunSimulation.h"

#include <QList>
#include <QObject>
#include <QString>

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

    /// The background of a line whose file meets \a file: warm for a problem,
    /// grey for a file left alone by choice or unchanged, yellow for a warning.
    static QColor background(const SimulatedFile &file);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    /// The tooltip of the mark on the line at \a viewportPos, or an empty text.
    QString toolTipAt(const QPoint &viewportPos) const;

    QPlainTextEdit *m_box = nullptr;
    // The start of each marked line, in order, for finding the line under the pointer.
    QList<int> m_starts;
};

} // namespace kestrava
