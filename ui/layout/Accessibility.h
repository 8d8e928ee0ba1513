// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>

#include <span>

class QWidget;

namespace kestrava {

/// A label and the field beside it that its caption names.
struct LabelledField
{
    QStringView label;
    QStringView field;
};

/// A text a screen reader gives a control: its name where no caption names it,
/// or a description of what a label shows. The text is the English source of a
/// translation in the page's context (QT_TRANSLATE_NOOP).
struct AccessibleText
{
    QStringView control;
    const char *text;
};

/// What a page's controls tell a screen reader, kept in short lists beside the
/// page's layout table.
class Accessibility
{
public:
    /// Gives \a page's controls their accessible \a names, makes each label of
    /// \a fields the buddy of its field and \a descriptions their descriptions;
    /// then every control with a tooltip and no description is described by its
    /// tooltip.
    ///
    /// A field without a name of its own is named by its label's caption, less
    /// any "&". A field that is itself a label (a value shown beside its caption)
    /// is described by the caption rather than named, so that a screen reader
    /// still reads, and announces, the value it shows.
    static void describe(QWidget *page, std::span<const AccessibleText> names, std::span<const LabelledField> fields,
                         std::span<const AccessibleText> descriptions = {});

    /// A caption as a name: without "&", and without a trailing " :" or " ...".
    static QString nameFromCaption(const QString &caption);
};

} // namespace kestrava
