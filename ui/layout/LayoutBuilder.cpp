// SPDX-License-Identifier: GPL-3.0-or-later
#include "LayoutBuilder.h"

#include "FrameBox.h"
#include "Pictures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include <mutex>

namespace kestrava {

namespace {

constexpr int TwipsPerPixel = 15;

QWidget *createList(ControlKind kind, QWidget *parent)
{
    auto *list = new QListView(parent);
    // Folders of 100,000 files are normal: fixed row heights keep the list fast.
    list->setUniformItemSizes(true);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (kind == ControlKind::FileList)
        list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    return list;
}

QWidget *createLabel(const ControlRow &row, const QString &text, QWidget *parent)
{
    auto *label = new QLabel(parent);
    if (row.kind == ControlKind::Picture) {
        label->setPixmap(Pictures::picture(row.text.fixed()));
        label->setAlignment(Qt::AlignCenter);
    } else {
        // Plain text keeps every space and never reads a caption as markup.
        label->setTextFormat(Qt::PlainText);
        label->setText(text);
    }
    return label;
}

QWidget *createTextBox(const ControlRow &row, const QString &text, QWidget *parent)
{
    if (row.kind == ControlKind::MultiLineText) {
        auto *box = new QPlainTextEdit(text, parent);
        box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        return box;
    }
    auto *box = new QLineEdit(text, parent);
    if (row.maxLength > 0)
        box->setMaxLength(row.maxLength);
    return box;
}

QWidget *createCombo(ControlKind kind, QWidget *parent)
{
    auto *combo = new QComboBox(parent);
    if (kind == ControlKind::EditableCombo) {
        combo->setEditable(true);
        // Enter in the field belongs to the window's default button, not to the list.
        combo->setInsertPolicy(QComboBox::NoInsert);
    }
    return combo;
}

} // namespace

QPoint LayoutBuilder::pageOrigin()
{
    // Fusion draws the pane's top border within the 20-pixel row of tabs, and a
    // 2-pixel border on its left.
    return QPoint(2, 20);
}

int LayoutBuilder::pixels(int twips)
{
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

int LayoutBuilder::twips(int pixels)
{
    return pixels * TwipsPerPixel;
}

QRect LayoutBuilder::pixels(const TwipsRect &rect)
{
    return QRect(pixels(rect.left), pixels(rect.top), pixels(rect.width), pixels(rect.height));
}

QColor LayoutBuilder::greyColour()
{
    return QColor(192, 192, 192);
}

QColor LayoutBuilder::colour(TextColour colour)
{
    switch (colour) {
    case TextColour::DarkBlue:
        return QColor(0, 0, 192);
    case TextColour::Green:
        return QColor(0, 128, 0);
    case TextColour::Red:
        return QColor(255, 0, 0);
    case TextColour::Default:
        break;
    }
    // The window-text colour that goes with the window's fixed grey, whatever the
    // desktop's own colour scheme.
    return QPalette(greyColour()).color(QPalette::WindowText);
}

QFont LayoutBuilder::font(const FontStyle &row)
{
    installFontSubstitutes();
    QFont font(row.face == FontFace::Arial ? QStringLiteral("Arial") : QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(row.points);
    font.setBold(row.bold);
    return font;
}

void LayoutBuilder::installFontSubstitutes()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // "MS Sans Serif" has no free counterpart; Liberation Sans keeps Arial's metrics,
        // which are close enough for the captions to fit their boxes. fontconfig already
        // aliases Arial to it; the explicit entry covers systems without that alias.
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
    });
}

QString LayoutBuilder::text(const RowText &text, const char *context)
{
    if (text.source())
        return QCoreApplication::translate(context, text.source());
    return text.fixed().toString();
}

void LayoutBuilder::build(QWidget *page, std::span<const ControlRow> table)
{
    // Each page's texts are translated in the context of its own class, the same
    // context as the page's tr().
    const char *context = page->metaObject()->className();
    for (const ControlRow &row : table) {
        QWidget *parent = page;
        if (!row.parent.isEmpty()) {
            // The table names a frame only after the row that creates it.
            parent = page->findChild<QWidget *>(row.parent.toString());
            Q_ASSERT_X(parent, "LayoutBuilder::build", qPrintable(row.parent.toString()));
        }
        QWidget *widget = create(row, text(row.text, context), parent);
        widget->setObjectName(row.name.toString());
        QRect geometry = pixels(row.rect);
        if (parent == page)
            geometry.translate(-pageOrigin());
        widget->setGeometry(geometry);
        if (!row.toolTip.isEmpty())
            widget->setToolTip(text(row.toolTip, context));
        applyLook(widget, row);
        applyState(widget, row);
    }
}

QWidget *LayoutBuilder::create(const ControlRow &row, const QString &text, QWidget *parent)
{
    switch (row.kind) {
    case ControlKind::Label:
    case ControlKind::Picture:
        return createLabel(row, text, parent);
    case ControlKind::Frame:
        return new FrameBox(text, parent);
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::OptionButton:
        return new QRadioButton(text, parent);
    case ControlKind::TextBox:
    case ControlKind::MultiLineText:
        return createTextBox(row, text, parent);
    case ControlKind::Button:
        return new QPushButton(text, parent);
    case ControlKind::DropDownList:
    case ControlKind::EditableCombo:
    case ControlKind::DriveList:
        return createCombo(row.kind, parent);
    case ControlKind::FolderList:
    case ControlKind::FileList:
        return createList(row.kind, parent);
    case ControlKind::ProgressBar: {
        auto *bar = new QProgressBar(parent);
        bar->setValue(0);
        // Empty until a run gives it numbers.
        bar->setFormat(QString());
        return bar;
    }
    }
    return new QWidget(parent);
}

void LayoutBuilder::applyLook(QWidget *widget, const ControlRow &row)
{
    widget->setFont(font(row.font));
    // Every control names its text colour, so that a frame's coloured caption does not
    // colour the controls inside it.
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour(row.colour));
    if (row.flags & (ControlFlag::GreyBackground | ControlFlag::FillBackground)) {
        palette.setColor(QPalette::Window, greyColour());
        widget->setAutoFillBackground(true);
    }
    widget->setPalette(palette);

    Qt::Alignment alignment = Qt::AlignLeft;
    if (row.flags & ControlFlag::Centred)
        alignment = Qt::AlignHCenter;
    else if (row.flags & ControlFlag::RightAligned)
        alignment = Qt::AlignRight;
    if (auto *label = qobject_cast<QLabel *>(widget); label && row.kind == ControlKind::Label) {
        // Text hangs from the top, so headings of different heights share one line.
        label->setAlignment(alignment | (row.flags & ControlFlag::Middle ? Qt::AlignVCenter : Qt::AlignTop));
        label->setWordWrap(row.flags.testFlag(ControlFlag::WordWrap));
    } else if (auto *box = qobject_cast<QLineEdit *>(widget)) {
        box->setAlignment(alignment | Qt::AlignVCenter);
    }
}

void LayoutBuilder::applyState(QWidget *widget, const ControlRow &row)
{
    if (row.flags & ControlFlag::Disabled)
        widget->setEnabled(false);
    if (row.flags & ControlFlag::Hidden)
        widget->setVisible(false);
    if (auto *button = qobject_cast<QAbstractButton *>(widget))
        button->setChecked(row.flags.testFlag(ControlFlag::Checked));
    if (auto *box = qobject_cast<QPlainTextEdit *>(widget))
        box->setReadOnly(row.flags.testFlag(ControlFlag::ReadOnly));
    if (auto *box = qobject_cast<QLineEdit *>(widget))
        box->setReadOnly(row.flags.testFlag(ControlFlag::ReadOnly));
}

} // namespace kestrava
