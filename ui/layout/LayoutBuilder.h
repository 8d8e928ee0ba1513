// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ControlRow.h"

#include <QColor>
#include <QFont>
#include <QPoint>
#include <QWidget>

#include <span>

namespace kestrava {

/// Builds a tab page's controls from its layout table and holds the look that all
/// pages share (fonts, colours, twips).
class LayoutBuilder
{
public:
    /// Where a tab page's top-left corner lies within the tab strip, in pixels.
    static QPoint pageOrigin();
    /// Twips to logical pixels.
    static int pixels(int twips);
    /// Logical pixels to twips.
    static int twips(int pixels);
    static QRect pixels(const TwipsRect &rect);

    /// The window's grey background.
    static QColor greyColour();
    static QColor colour(TextColour colour);
    static QFont font(const FontStyle &row);
    /// Lets "MS Sans Serif" and "Arial" find Debian's metric-compatible fonts; runs once.
    static void installFontSubstitutes();

    /// \a text as shown: a source text translated in \a context, a fixed text as it stands.
    static QString text(const RowText &text, const char *context);

    /// Creates one widget per row, in table order, as children of `page` or of the
    /// frame the row names (which must come earlier in the table).
    static void build(QWidget *page, std::span<const ControlRow> table);

    /// Points \a control at the child of \a page named \a name, which the page's
    /// layout table has created; a page's binding fills its `Ui` struct this way.
    template<typename T>
    static void bind(const QWidget *page, T *&control, const char *name)
    {
        control = page->findChild<T *>(QString::fromLatin1(name));
        Q_ASSERT_X(control, "LayoutBuilder::bind", name);
    }

private:
    static QWidget *create(const ControlRow &row, const QString &text, QWidget *parent);
    static void applyLook(QWidget *widget, const ControlRow &row);
    static void applyState(QWidget *widget, const ControlRow &row);
};

} // namespace kestrava
