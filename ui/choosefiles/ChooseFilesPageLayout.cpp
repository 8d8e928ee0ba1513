// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChooseFilesPage.h"

#include "Accessibility.h"
#include "AnchorLayout.h"
#include "LayoutBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QRadioButton>

namespace kestrava {

namespace {

using A = Anchor;
using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;

// clang-format off
// The step heading is a pixel taller than 240 twips so that its descenders show.
// Table order is creation order, and so also the order of the keyboard.
constexpr ControlRow Layout[] = {
    {u"Label1", K::Label, {}, {240, 495, 8535, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Step 1 : Choose the Files to Rename ..."), {}, Heading, Blue},
    {u"framFiles", K::Frame, {}, {240, 840, 9375, 6120}},
    {u"lblDriveFolder", K::Label, u"framFiles", {240, 240, 2835, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Drive / Folder"), {}, ArialBold, Blue,
     F::Centred | F::GreyBackground},
    {u"Drive1", K::DriveList, u"framFiles", {360, 480, 2895, 315}},
    {u"Dir1", K::FolderList, u"framFiles", {360, 840, 2895, 5040}},
    {u"lblSelectFiles", K::Label, u"framFiles", {3600, 240, 2385, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "File Types"), {}, ArialBold, Blue,
     F::GreyBackground},
    {u"FileSpecCombo", K::EditableCombo, u"framFiles", {3600, 480, 1515, 315}, {},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Select a file type, or enter your own extension...")},
    // Centred on its row so that its text lines up with the text of the combo beside it.
    {u"lblSelectedFileType", K::Label, u"framFiles", {5280, 480, 2415, 315},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "All File Types"), {}, ArialBold, Blue,
     F::Middle},
    {u"File1", K::FileList, u"framFiles", {3600, 840, 5475, 3150}, {},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Use the Shift and CTRL keys to select multi / individual files")},
    {u"framApplyWhichFiles", K::Frame, u"framFiles", {3600, 4200, 3615, 1695},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Apply to Which Files..?"), {}, {},
     Blue},
    {u"optSelectedFiles", K::OptionButton, u"framApplyWhichFiles", {120, 240, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Selected Files in Current Folder")},
    {u"optAllFilesCurrentDir", K::OptionButton, u"framApplyWhichFiles", {120, 480, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "All Files in Current Folder"), {}, {}, {}, F::Checked},
    {u"optAllFiles", K::OptionButton, u"framApplyWhichFiles", {120, 720, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "All Files including Sub-Folders")},
    {u"chkConfirmFiles", K::CheckBox, u"framApplyWhichFiles", {120, 1035, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Confirm each Individual Filename ?")},
    {u"chkIgnoreReadOnly", K::CheckBox, u"framApplyWhichFiles", {120, 1320, 3375, 255},
     QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Ignore Read-Only Files ?")},
};

// As the window grows, the folder column and the file column share the extra width
// half and half and both lists take the extra height; the captions and the filter
// move with their list's left edge, and the scope frame stays below the file list.
constexpr ControlAnchor Anchoring[] = {
    {u"framFiles", A::Right | A::Bottom},
    {u"lblDriveFolder", A::HalfRight},
    {u"Drive1", A::HalfRight},
    {u"Dir1", A::HalfRight | A::Bottom},
    {u"lblSelectFiles", A::HalfLeft | A::HalfRight},
    {u"FileSpecCombo", A::HalfLeft | A::HalfRight},
    {u"lblSelectedFileType", A::HalfLeft | A::Right},
    {u"File1", A::HalfLeft | A::Right | A::Bottom},
    {u"framApplyWhichFiles", A::HalfLeft | A::HalfRight | A::Top | A::Bottom},
};
// clang-format on

// What a screen reader says of the controls that no caption names.
constexpr AccessibleText Names[] = {
    {u"Drive1", QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Drive")},
    {u"Dir1", QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Folders")},
    {u"File1", QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Files to rename")},
};
constexpr LabelledField Fields[] = {
    {u"lblDriveFolder", u"Drive1"},
    {u"lblSelectFiles", u"FileSpecCombo"},
};
constexpr AccessibleText Descriptions[] = {
    {u"lblSelectedFileType", QT_TRANSLATE_NOOP("kestrava::ChooseFilesPage", "Chosen file type")},
};

} // namespace

void ChooseFilesPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    new AnchorLayout(this, Anchoring); // owned by the page
    const auto bind = [this](auto *&control, const char *name) { LayoutBuilder::bind(this, control, name); };
    bind(m_ui.Drive1, "Drive1");
    bind(m_ui.Dir1, "Dir1");
    bind(m_ui.FileSpecCombo, "FileSpecCombo");
    bind(m_ui.lblSelectedFileType, "lblSelectedFileType");
    bind(m_ui.File1, "File1");
    bind(m_ui.optSelectedFiles, "optSelectedFiles");
    bind(m_ui.optAllFilesCurrentDir, "optAllFilesCurrentDir");
    bind(m_ui.optAllFiles, "optAllFiles");
    bind(m_ui.chkConfirmFiles, "chkConfirmFiles");
    bind(m_ui.chkIgnoreReadOnly, "chkIgnoreReadOnly");

    // The keyboard walks the lists first, from drive to file, then the scope choices.
    const QList<QWidget *> order{m_ui.Drive1,           m_ui.Dir1,
                                 m_ui.FileSpecCombo,    m_ui.File1,
                                 m_ui.optSelectedFiles, m_ui.optAllFilesCurrentDir,
                                 m_ui.optAllFiles,      m_ui.chkConfirmFiles,
                                 m_ui.chkIgnoreReadOnly};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    Accessibility::describe(this, Names, Fields, Descriptions);
}

} // namespace kestrava
