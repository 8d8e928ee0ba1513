#include "ChooseFilesPage.h"

#include "LayoutBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QRadioButton>

namespace kestrava {

namespace {

using K = ControlKind;
using F = ControlFlag;
using namespace SharedLook;

// clang-format off
// The step heading is a pixel taller than 240 twips so that its descenders show.
// Table order is creation order, and so also the order of the keyboard.
constexpr ControlRow Layout[] = {
    {u"Label1", K::Label, {}, {240, 495, 8535, 255}, u"Step 1 : Choose the Files to Rename ...", {}, Heading, Blue},
    {u"framFiles", K::Frame, {}, {240, 840, 9375, 6120}},
    {u"lblDriveFolder", K::Label, u"framFiles", {240, 240, 2835, 255}, u"Drive / Folder", {}, ArialBold, Blue,
     F::Centred | F::GreyBackground},
    {u"Drive1", K::DriveList, u"framFiles", {360, 480, 2895, 315}},
    {u"Dir1", K::FolderList, u"framFiles", {360, 840, 2895, 5040}},
    {u"lblSelectFiles", K::Label, u"framFiles", {3600, 240, 2385, 255}, u"File Types", {}, ArialBold, Blue,
     F::GreyBackground},
    {u"FileSpecCombo", K::EditableCombo, u"framFiles", {3600, 480, 1515, 315}, {},
     u"Select a file type, or enter your own extension..."},
    // Centred on its row so that its text lines up with the text of the combo beside it.
    {u"lblSelectedFileType", K::Label, u"framFiles", {5280, 480, 2415, 315}, u"All File Types", {}, ArialBold, Blue,
     F::Middle},
    {u"File1", K::FileList, u"framFiles", {3600, 840, 5475, 3150}, {},
     u"Use the Shift and CTRL keys to select multi / individual files"},
    {u"framApplyWhichFiles", K::Frame, u"framFiles", {3600, 4200, 3615, 1695}, u"Apply to Which Files..?", {}, {},
     Blue},
    {u"optSelectedFiles", K::OptionButton, u"framApplyWhichFiles", {120, 240, 3375, 255},
     u"Selected Files in Current Folder"},
    {u"optAllFilesCurrentDir", K::OptionButton, u"framApplyWhichFiles", {120, 480, 3375, 255},
     u"All Files in Current Folder", {}, {}, {}, F::Checked},
    {u"optAllFiles", K::OptionButton, u"framApplyWhichFiles", {120, 720, 3375, 255},
     u"All Files including Sub-Folders"},
    {u"chkConfirmFiles", K::CheckBox, u"framApplyWhichFiles", {120, 1035, 3375, 255},
     u"Confirm each Individual Filename ?"},
    {u"chkIgnoreReadOnly", K::CheckBox, u"framApplyWhichFiles", {120, 1320, 3375, 255},
     u"Ignore Read-Only Files ?"},
};
// clang-format on

} // namespace

void ChooseFilesPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
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
}

} // namespace kestrava
