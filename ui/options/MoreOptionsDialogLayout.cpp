// SPDX-License-Identifier: GPL-3.0-or-later
#include "MoreOptionsDialog.h"

#include "Accessibility.h"
#include "LayoutBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <span>

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;
constexpr FontStyle Sample{FontFace::Arial, 9.75, false};

// Each group is one table: its frame first, at its size, then the controls in
// it, placed within the frame. The dialog stacks the frames from top to bottom
// in the order of Groups below, so a new group is one more table and one more
// entry there. Table order is creation order, and so also the keyboard's.
// clang-format off
constexpr ControlRow Presets[] = {
    {u"framPresets", K::Frame, {}, {0, 0, 8160, 1335}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Presets"), {}, FrameCaption, Blue},
    {u"lblPreset", K::Label, u"framPresets", {120, 330, 1440, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Preset")},
    {u"cmbPreset", K::DropDownList, u"framPresets", {1620, 285, 3255, 315}, {},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Choosing a preset sets every option; a \"*\" after its name marks changes not saved")},
    {u"cmdSavePreset", K::Button, u"framPresets", {5040, 270, 1500, 345}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Save As..."),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Saves every option under a name of your choice")},
    {u"cmdDeletePreset", K::Button, u"framPresets", {6600, 270, 1440, 345}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Delete"),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Deletes the chosen preset")},
    {u"chkRememberOptions", K::CheckBox, u"framPresets", {1620, 810, 6420, 255},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Start with these options next time")},
};

constexpr ControlRow Numbering[] = {
    {u"framNumbering", K::Frame, {}, {0, 0, 8160, 1815}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Numbering"), {}, FrameCaption, Blue},
    {u"lblNumberOrder", K::Label, u"framNumbering", {120, 330, 1440, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Number by")},
    {u"cmbNumberOrder", K::DropDownList, u"framNumbering", {1620, 285, 3255, 315}, {},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "The order in which the files of each folder are numbered, previewed and renamed")},
    {u"chkNumberReverse", K::CheckBox, u"framNumbering", {5040, 315, 3000, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Reverse the order")},
    {u"lblCounterStep", K::Label, u"framNumbering", {120, 810, 1440, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Step")},
    {u"txtCounterStep", K::TextBox, u"framNumbering", {1620, 780, 615, 285}, limits::defaultCounterStepText,
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "What each counter adds for the next file, 1 to 999"), {}, {}, F::Centred,
     limits::maxCounterStepLength},
    {u"lblCounterDigits", K::Label, u"framNumbering", {2520, 810, 960, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Digits")},
    {u"txtCounterDigits", K::TextBox, u"framNumbering", {3540, 780, 495, 285}, limits::defaultCounterDigitsText,
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "How many digits a counter shows, 1 to 9; a file whose counter needs more is not renamed"),
     {}, {}, F::Centred, limits::maxCounterDigitsLength},
    {u"chkCounterPerFolder", K::CheckBox, u"framNumbering", {1620, 1260, 6420, 255},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Start again in each folder"),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "With \"All Files including Sub-Folders\", both counters go back to their start in each folder")},
};

constexpr ControlRow Dates[] = {
    {u"framDates", K::Frame, {}, {0, 0, 8160, 1335}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Dates"), {}, FrameCaption, Blue},
    {u"lblDateSource", K::Label, u"framDates", {120, 330, 1440, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Date from")},
    {u"cmbDateSource", K::DropDownList, u"framDates", {1620, 285, 3255, 315}, {},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Where both date stamps take their date from")},
    {u"chkDateFallback", K::CheckBox, u"framDates", {1620, 810, 6420, 255},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Use the modified date when a file has none"),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Without it, a file with no date taken is left as it is")},
};

constexpr ControlRow Template[] = {
    {u"framTemplate", K::Frame, {}, {0, 0, 8160, 1335}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Template"), {}, FrameCaption, Blue},
    {u"chkTemplate", K::CheckBox, u"framTemplate", {120, 330, 7920, 255},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Make the name from a template")},
    {u"txtTemplate", K::TextBox, u"framTemplate", {120, 780, 7920, 285}, {},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Fields in braces: {name} {ext} {folder} {counter} {modified:yyyy-mm-dd} {taken:yyyy-mm-dd} {camera} {width} {height} {artist} {album} {title} {track:2} {year} {genre}"),
     {}, {}, F::Disabled},
};

// Regular expressions and what a taken name does: the tab's find and replace
// takes these rules, so the group shares its name.
constexpr ControlRow FindReplace[] = {
    {u"framFindReplace", K::Frame, {}, {0, 0, 8160, 1335}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Find and replace"), {}, FrameCaption, Blue},
    {u"chkFindRegex", K::CheckBox, u"framFindReplace", {120, 315, 2820, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Regular expression"),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "The find text is a Perl-compatible regular expression; the replacement may use $1, ${name}, $$, \\U, \\L, \\E, \\u and \\l")},
    {u"chkFindMatchCase", K::CheckBox, u"framFindReplace", {3000, 315, 3000, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Match case"),
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Letter case counts in the find text")},
    {u"lblWhenTaken", K::Label, u"framFindReplace", {120, 810, 2820, 255}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "When a new name is taken")},
    {u"cmbWhenTaken", K::DropDownList, u"framFindReplace", {3000, 765, 4800, 315}, {},
     QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "What becomes of a file whose new name another file holds")},
};

constexpr ControlRow Samples[] = {
    {u"framMoreSamples", K::Frame, {}, {0, 0, 8160, 1455}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Preview Samples"), {}, FrameCaption, Blue},
    {u"lblMoreSample1", K::Label, u"framMoreSamples", {120, 240, 2250, 255}, {}, {}, Sample},
    {u"lblMoreSample2", K::Label, u"framMoreSamples", {120, 520, 2250, 255}, {}, {}, Sample},
    {u"lblMoreSample3", K::Label, u"framMoreSamples", {120, 800, 2250, 255}, {}, {}, Sample},
    {u"lblMoreSample4", K::Label, u"framMoreSamples", {120, 1080, 2250, 255}, {}, {}, Sample},
    {u"imgMoreArrow", K::Picture, u"framMoreSamples", {2400, 600, 420, 345}, u"arrow"},
    {u"lblMoreSample1New", K::Label, u"framMoreSamples", {2880, 240, 5160, 255}, {}, {}, Sample},
    {u"lblMoreSample2New", K::Label, u"framMoreSamples", {2880, 520, 5160, 255}, {}, {}, Sample},
    {u"lblMoreSample3New", K::Label, u"framMoreSamples", {2880, 800, 5160, 255}, {}, {}, Sample},
    {u"lblMoreSample4New", K::Label, u"framMoreSamples", {2880, 1080, 5160, 255}, {}, {}, Sample},
};

// The row under the groups, its button at the right.
constexpr ControlRow Buttons[] = {
    {u"cmdCloseMoreOptions", K::Button, {}, {0, 0, 1215, 345}, QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Close")},
};
// clang-format on

/// The groups from top to bottom.
constexpr std::span<const ControlRow> Groups[] = {Presets, FindReplace, Numbering, Dates, Template, Samples};

constexpr LabelledField Fields[] = {
    {u"lblPreset", u"cmbPreset"},
    {u"lblWhenTaken", u"cmbWhenTaken"},
    {u"lblNumberOrder", u"cmbNumberOrder"},
    {u"lblCounterStep", u"txtCounterStep"},
    {u"lblCounterDigits", u"txtCounterDigits"},
    {u"lblDateSource", u"cmbDateSource"},
};
// The template's box has no label of its own: the check box above it says what it is for.
constexpr AccessibleText Names[] = {
    {u"txtTemplate", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Name template")},
};
// The samples are read as they are, and their changes announced, by their texts.
constexpr AccessibleText Descriptions[] = {
    {u"lblMoreSample1", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name")},
    {u"lblMoreSample2", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name")},
    {u"lblMoreSample3", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name")},
    {u"lblMoreSample4", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name")},
    {u"lblMoreSample1New", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name with the options applied")},
    {u"lblMoreSample2New", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name with the options applied")},
    {u"lblMoreSample3New", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name with the options applied")},
    {u"lblMoreSample4New", QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Sample name with the options applied")},
};

// The entries of cmbNumberOrder, in the order of NumberOrder.
constexpr const char *NumberOrders[] = {
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Name"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Name, with numbers by value"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Date modified"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Size"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Date taken"),
};

// The entries of cmbDateSource, in the order of DateSource.
constexpr const char *DateSources[] = {
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Today"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "File modified"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Photo or video taken"),
};

// The entries of cmbWhenTaken, in the order of WhenTaken.
constexpr const char *WhenTakenChoices[] = {
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Leave the file as it is"),
    QT_TRANSLATE_NOOP("kestrava::MoreOptionsDialog", "Add a number: name (2).ext"),
};

// A table's first row, at the top of the dialog: the frame, or the one control.
QWidget *builtGroup(QWidget *dialog, std::span<const ControlRow> table)
{
    LayoutBuilder::build(dialog, table);
    QWidget *group = dialog->findChild<QWidget *>(table.front().name.toString(), Qt::FindDirectChildrenOnly);
    group->setFixedSize(LayoutBuilder::pixels(table.front().rect).size());
    return group;
}

} // namespace

void MoreOptionsDialog::buildLayout()
{
    // The window's grey, as on its tabs.
    setPalette(QPalette(LayoutBuilder::greyColour()));
    setAutoFillBackground(true);
    auto *stack = new QVBoxLayout(this);
    stack->setSizeConstraint(QLayout::SetFixedSize);
    for (const std::span<const ControlRow> group : Groups)
        stack->addWidget(builtGroup(this, group));
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(builtGroup(this, Buttons));
    stack->addLayout(buttons);

    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.cmbPreset, "cmbPreset");
    bind(m_ui.cmdSavePreset, "cmdSavePreset");
    bind(m_ui.cmdDeletePreset, "cmdDeletePreset");
    bind(m_ui.chkRememberOptions, "chkRememberOptions");
    bind(m_ui.chkFindRegex, "chkFindRegex");
    bind(m_ui.chkFindMatchCase, "chkFindMatchCase");
    bind(m_ui.cmbWhenTaken, "cmbWhenTaken");
    bind(m_ui.cmbNumberOrder, "cmbNumberOrder");
    bind(m_ui.chkNumberReverse, "chkNumberReverse");
    bind(m_ui.txtCounterStep, "txtCounterStep");
    bind(m_ui.txtCounterDigits, "txtCounterDigits");
    bind(m_ui.chkCounterPerFolder, "chkCounterPerFolder");
    bind(m_ui.cmbDateSource, "cmbDateSource");
    bind(m_ui.chkDateFallback, "chkDateFallback");
    bind(m_ui.chkTemplate, "chkTemplate");
    bind(m_ui.txtTemplate, "txtTemplate");
    for (std::size_t i = 0; i < m_ui.lblSample.size(); ++i) {
        const QByteArray sample = "lblMoreSample" + QByteArray::number(int(i) + 1);
        bind(m_ui.lblSample[i], sample.constData());
        bind(m_ui.lblSampleNew[i], QByteArray(sample + "New").constData());
    }
    bind(m_ui.cmdCloseMoreOptions, "cmdCloseMoreOptions");
    for (const char *order : NumberOrders)
        m_ui.cmbNumberOrder->addItem(tr(order));
    for (const char *choice : WhenTakenChoices)
        m_ui.cmbWhenTaken->addItem(tr(choice));
    for (const char *source : DateSources)
        m_ui.cmbDateSource->addItem(tr(source));
    Accessibility::describe(this, Names, Fields, Descriptions);
}

} // namespace kestrava
