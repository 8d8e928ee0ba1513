// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowReplica.h"

#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QDataStream>
#include <QGroupBox>
#include <QIODevice>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTextEdit>

#include <vector>

namespace kestrava::bench {

namespace {

enum class Kind : quint8 {
    Widget,
    Frame,
    GroupBox,
    Label,
    PushButton,
    RadioButton,
    CheckBox,
    LineEdit,
    ComboBox,
    List,
    PlainText,
    RichText,
    Progress,
    SpinBox,
    Tabs,
};

// The nearest plain Qt kind of \a widget, whatever class Kestrava derived from it.
Kind kindOf(const QWidget *widget)
{
    if (widget->inherits("QTabWidget"))
        return Kind::Tabs;
    if (widget->inherits("QComboBox"))
        return Kind::ComboBox;
    if (widget->inherits("QPushButton"))
        return Kind::PushButton;
    if (widget->inherits("QRadioButton"))
        return Kind::RadioButton;
    if (widget->inherits("QCheckBox"))
        return Kind::CheckBox;
    if (widget->inherits("QLineEdit"))
        return Kind::LineEdit;
    if (widget->inherits("QPlainTextEdit"))
        return Kind::PlainText;
    if (widget->inherits("QTextEdit"))
        return Kind::RichText;
    if (widget->inherits("QAbstractItemView"))
        return Kind::List;
    if (widget->inherits("QProgressBar"))
        return Kind::Progress;
    if (widget->inherits("QAbstractSpinBox"))
        return Kind::SpinBox;
    if (widget->inherits("QLabel"))
        return Kind::Label;
    if (widget->inherits("QGroupBox"))
        return Kind::GroupBox;
    if (widget->inherits("QFrame"))
        return Kind::Frame;
    return Kind::Widget;
}

struct Described
{
    qint32 parent = -1;
    Kind kind = Kind::Widget;
    QRect geometry;
    bool hidden = false;
    bool ownFont = false;
    QFont font;
    bool ownPalette = false;
    QPalette palette;
    bool fillsBackground = false;
    bool flag = false; // editable, checked, word-wrapped or a rich text
    QString text;
    QStringList items;
    QSize pixmap; // a label's picture, or the pictures beside a list's entries
    qint32 alignment = 0;
};

QDataStream &operator<<(QDataStream &out, const Described &d)
{
    return out << d.parent << quint8(d.kind) << d.geometry << d.hidden << d.ownFont << d.font << d.ownPalette
               << d.palette << d.fillsBackground << d.flag << d.text << d.items << d.pixmap << d.alignment;
}

QDataStream &operator>>(QDataStream &in, Described &d)
{
    quint8 kind = 0;
    in >> d.parent >> kind >> d.geometry >> d.hidden >> d.ownFont >> d.font >> d.ownPalette >> d.palette
        >> d.fillsBackground >> d.flag >> d.text >> d.items >> d.pixmap >> d.alignment;
    d.kind = Kind(kind);
    return in;
}

QStringList modelTexts(const QAbstractItemView *view)
{
    QStringList texts;
    const QAbstractItemModel *model = view->model();
    if (!model)
        return texts;
    for (int row = 0; row < model->rowCount(); ++row)
        texts.append(model->index(row, 0).data().toString());
    return texts;
}

Described describeOne(QWidget *widget, qint32 parent)
{
    Described d;
    d.parent = parent;
    d.kind = kindOf(widget);
    d.geometry = widget->geometry();
    d.hidden = widget->isHidden();
    d.ownFont = widget->testAttribute(Qt::WA_SetFont);
    d.font = widget->font();
    d.ownPalette = widget->testAttribute(Qt::WA_SetPalette);
    d.palette = widget->palette();
    d.fillsBackground = widget->autoFillBackground();
    switch (d.kind) {
    case Kind::Label: {
        const auto *label = static_cast<QLabel *>(widget);
        d.text = label->text();
        d.flag = label->wordWrap();
        d.alignment = qint32(label->alignment());
        if (!label->pixmap().isNull())
            d.pixmap = label->pixmap().size();
        break;
    }
    case Kind::PushButton:
    case Kind::RadioButton:
    case Kind::CheckBox:
        d.text = static_cast<QAbstractButton *>(widget)->text();
        d.flag = static_cast<QAbstractButton *>(widget)->isChecked();
        break;
    case Kind::LineEdit:
        d.text = static_cast<QLineEdit *>(widget)->text();
        break;
    case Kind::ComboBox: {
        const auto *box = static_cast<QComboBox *>(widget);
        d.flag = box->isEditable();
        for (int i = 0; i < box->count(); ++i)
            d.items.append(box->itemText(i));
        d.text = box->currentText();
        break;
    }
    case Kind::List: {
        const auto *view = static_cast<QAbstractItemView *>(widget);
        d.items = modelTexts(view);
        if (view->model() && view->model()->rowCount() > 0) {
            const QVariant picture = view->model()->index(0, 0).data(Qt::DecorationRole);
            if (picture.canConvert<QPixmap>())
                d.pixmap = picture.value<QPixmap>().size();
            else if (picture.canConvert<QIcon>())
                d.pixmap = view->iconSize().isValid() ? view->iconSize() : QSize(16, 16);
        }
        break;
    }
    case Kind::PlainText:
        d.text = static_cast<QPlainTextEdit *>(widget)->toPlainText();
        break;
    case Kind::RichText:
        d.text = static_cast<QTextEdit *>(widget)->toHtml();
        break;
    case Kind::GroupBox:
        d.text = static_cast<QGroupBox *>(widget)->title();
        break;
    case Kind::Tabs: {
        const auto *tabs = static_cast<QTabWidget *>(widget);
        for (int i = 0; i < tabs->count(); ++i)
            d.items.append(tabs->tabText(i));
        break;
    }
    case Kind::Widget:
    case Kind::Frame:
    case Kind::Progress:
    case Kind::SpinBox:
        break;
    }
    return d;
}

// Depth first; a control's own inner widgets (a combo box's line edit, a
// list's viewport) are left to the plain control that the replica makes.
void describeTree(QWidget *widget, qint32 parent, std::vector<Described> &out)
{
    out.push_back(describeOne(widget, parent));
    const auto self = qint32(out.size() - 1);
    const Kind kind = out.back().kind;
    if (kind == Kind::Tabs) {
        auto *tabs = static_cast<QTabWidget *>(widget);
        for (int i = 0; i < tabs->count(); ++i)
            describeTree(tabs->widget(i), self, out);
        return;
    }
    if (kind != Kind::Widget && kind != Kind::Frame && kind != Kind::GroupBox)
        return;
    for (QObject *child : widget->children()) {
        if (auto *childWidget = qobject_cast<QWidget *>(child); childWidget && !childWidget->isWindow())
            describeTree(childWidget, self, out);
    }
}

QWidget *make(const Described &d, QWidget *parent)
{
    switch (d.kind) {
    case Kind::Label: {
        auto *label = new QLabel(d.text, parent);
        label->setWordWrap(d.flag);
        label->setAlignment(Qt::Alignment(d.alignment));
        if (d.pixmap.isValid()) {
            QPixmap picture(d.pixmap);
            picture.fill(Qt::darkGray);
            label->setPixmap(picture);
        }
        return label;
    }
    case Kind::PushButton:
        return new QPushButton(d.text, parent);
    case Kind::RadioButton: {
        auto *button = new QRadioButton(d.text, parent);
        button->setChecked(d.flag);
        return button;
    }
    case Kind::CheckBox: {
        auto *box = new QCheckBox(d.text, parent);
        box->setChecked(d.flag);
        return box;
    }
    case Kind::LineEdit:
        return new QLineEdit(d.text, parent);
    case Kind::ComboBox: {
        auto *box = new QComboBox(parent);
        box->setEditable(d.flag);
        box->addItems(d.items);
        box->setCurrentText(d.text);
        return box;
    }
    case Kind::List: {
        auto *list = new QListWidget(parent);
        list->addItems(d.items);
        if (d.pixmap.isValid()) {
            QPixmap picture(d.pixmap);
            picture.fill(Qt::darkYellow);
            const QIcon icon(picture);
            for (int row = 0; row < list->count(); ++row)
                list->item(row)->setIcon(icon);
        }
        return list;
    }
    case Kind::PlainText:
        return new QPlainTextEdit(d.text, parent);
    case Kind::RichText: {
        auto *text = new QTextEdit(parent);
        text->setHtml(d.text);
        return text;
    }
    case Kind::GroupBox:
        return new QGroupBox(d.text, parent);
    case Kind::Frame:
        return new QFrame(parent);
    case Kind::Progress:
        return new QProgressBar(parent);
    case Kind::SpinBox:
        return new QSpinBox(parent);
    case Kind::Tabs:
        return new QTabWidget(parent);
    case Kind::Widget:
        break;
    }
    return new QWidget(parent);
}

} // namespace

QByteArray describeWindow(QWidget *window)
{
    std::vector<Described> widgets;
    describeTree(window, -1, widgets);
    QStringList families;
    for (const Described &d : widgets) {
        if (!families.contains(d.font.family()))
            families.append(d.font.family());
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << window->windowTitle() << qint32(families.size());
    for (const QString &family : families)
        out << family << QFont::substitutes(family);
    out << qint32(widgets.size());
    for (const Described &d : widgets)
        out << d;
    return bytes;
}

QWidget *replicaOf(const QByteArray &description)
{
    QDataStream in(description);
    QString title;
    qint32 familyCount = 0;
    in >> title >> familyCount;
    for (qint32 i = 0; i < familyCount; ++i) {
        QString family;
        QStringList substitutes;
        in >> family >> substitutes;
        if (!substitutes.isEmpty())
            QFont::insertSubstitutions(family, substitutes);
    }
    qint32 count = 0;
    in >> count;
    std::vector<QWidget *> made;
    std::vector<Kind> kinds;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        Described d;
        in >> d;
        QWidget *parent = d.parent >= 0 && d.parent < qint32(made.size()) ? made[std::size_t(d.parent)] : nullptr;
        const bool onTab = parent && kinds[std::size_t(d.parent)] == Kind::Tabs;
        QWidget *widget = make(d, onTab ? nullptr : parent);
        if (onTab) {
            auto *tabs = static_cast<QTabWidget *>(parent);
            tabs->addTab(widget, tabs->property("pendingTexts").toStringList().value(tabs->count()));
        } else {
            widget->setGeometry(d.geometry);
            if (d.hidden)
                widget->hide();
        }
        if (d.kind == Kind::Tabs)
            widget->setProperty("pendingTexts", d.items);
        if (d.ownFont)
            widget->setFont(d.font);
        if (d.ownPalette)
            widget->setPalette(d.palette);
        widget->setAutoFillBackground(d.fillsBackground);
        made.push_back(widget);
        kinds.push_back(d.kind);
    }
    if (made.empty())
        return new QWidget;
    made.front()->setWindowTitle(title);
    return made.front();
}

} // namespace kestrava::bench
