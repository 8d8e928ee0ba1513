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

} // namespace

void ChooseFilesPage::buildLayout()
{
    LayoutBuilder::build(this, Layout);
    m_Label1 = LayoutBuilder::child<QLabel>(this, QStringLiteral("Label1"));
    m_framFiles = LayoutBuilder::child<QGroupBox>(this, QStringLiteral("framFiles"));
    m_Drive1 = LayoutBuilder::child<QComboBox>(this, QStringLiteral("Drive1"));
    m_Dir1 = LayoutBuilder::child<QListView>(this, QStringLiteral("Dir1"));
    m_FileSpecCombo = LayoutBuilder::child<QComboBox>(this, QStringLiteral("FileSpecCombo"));
    m_lblSelectedFileType = LayoutBuilder::child<QLabel>(this, QStringLiteral("lblSelectedFileType"));
    m_File1 = LayoutBuilder::child<QListView>(this, QStringLiteral("File1"));
    m_optSelectedFiles = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optSelectedFiles"));
    m_optAllFilesCurrentDir = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optAllFilesCurrentDir"));
    m_optAllFiles = LayoutBuilder::child<QRadioButton>(this, QStringLiteral("optAllFiles"));
    m_chkConfirmFiles = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkConfirmFiles"));
    m_chkIgnoreReadOnly = LayoutBuilder::child<QCheckBox>(this, QStringLiteral("chkIgnoreReadOnly"));

    // The keyboard walks the lists first, from drive to file, then the scope choices.
    const QList<QWidget *> order{m_Drive1, m_Dir1, m_FileSpecCombo, m_File1, m_optSelectedFiles,
                                 m_optAllFilesCurrentDir, m_optAllFiles, m_chkConfirmFiles, m_chkIgnoreReadOnly};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

} // namespace kestrava
