// SPDX-License-Identifier: GPL-3.0-or-later
// The layout room: the control tables, the builder that turns them into widgets, the anchors that grow them, pictures, frames and the screen reader's names.
#include "Accessibility.h"

#include <QCoreApplication>
#include <QLabel>
#include <QRegularExpression>
#include <QWidget>

namespace kestrava {

namespace {

QWidget *child(QWidget *page, QStringView name)
{
    auto *widget = page->findChild<QWidget *>(name.toString());
    Q_ASSERT_X(widget, "Accessibility::describe", qPrintable(name.toString()));
    return widget;
}

QString translated(const QWidget *page, const char *text)
{
    // The page class is the translation context, as for its own texts.
    return QCoreApplication::translate(page->metaObject()->className(), text);
}

} // namespace

void Accessibility::describe(QWidget *page, std::span<const AccessibleText> names,
                             std::span<const LabelledField> fields, std::span<const AccessibleText> descriptions)
{
    for (const AccessibleText &name : names)
        child(page, name.control)->setAccessibleName(translated(page, name.text));
    for (const AccessibleText &description : descriptions)
        child(page, description.control)->setAccessibleDescription(translated(page, description.text));
    for (const LabelledField &pair : fields) {
        auto *label = qobject_cast<QLabel *>(child(page, pair.label));
        Q_ASSERT_X(label, "Accessibility::describe", "a buddy's label must be a QLabel");
        QWidget *field = child(page, pair.field);
        label->setBuddy(field);
        const QString caption = nameFromCaption(label->text());
        // A label's own name is its text, and only then is a change announced.
        if (qobject_cast<QLabel *>(field)) {
            if (field->accessibleDescription().isEmpty())
                field->setAccessibleDescription(caption);
        } else if (field->accessibleName().isEmpty()) {
            field->setAccessibleName(caption);
        }
    }
    for (QWidget *widget : page->findChildren<QWidget *>()) {
        if (!widget->toolTip().isEmpty() && widget->accessibleDescription().isEmpty())
            widget->setAccessibleDescription(widget->toolTip());
    }
}

QString Accessibility::nameFromCaption(const QString &caption)
{
    static const QRegularExpression trailing(QStringLiteral("\\s*(:|\\.\\.\\.)\\s*$"));
    QString name = caption;
    // "&&" stands for one "&"; a single one marks the access key.
    name.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    name.remove(u'&');
    name.replace(u'\x01', u'&');
    return name.remove(trailing).trimmed();
}

} // namespace kestrava
