// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QStringView>

#include <cstddef>

namespace kestrava {

/// What kind of widget a layout row becomes.
enum class ControlKind {
    Label,         ///< QLabel with plain text
    Picture,       ///< QLabel showing one of the program's pictures (text = picture name)
    Frame,         ///< QGroupBox; an empty caption draws a plain border
    CheckBox,      ///< QCheckBox
    OptionButton,  ///< QRadioButton, exclusive within its frame
    TextBox,       ///< QLineEdit
    MultiLineText, ///< QPlainTextEdit with a vertical scroll bar
    Button,        ///< QPushButton
    DropDownList,  ///< QComboBox that only offers its entries
    EditableCombo, ///< editable QComboBox
    DriveList,     ///< QComboBox of the mounted volumes
    FolderList,    ///< QListView of folders
    FileList,      ///< QListView of files with extended selection
    ProgressBar,   ///< QProgressBar whose text its owner sets
};

/// Font families the layout names; `Default` is the dialog font ("MS Sans Serif" 8.25).
enum class FontFace { Default, MsSansSerif, Arial };

/// A font as face, size in points and weight.
struct FontStyle
{
    FontFace face = FontFace::Default;
    double points = 8.25;
    bool bold = false;
};

/// Text colours of the layout; `Default` is the platform's window-text colour.
enum class TextColour { Default, DarkBlue, Green, Red };

/// Looks shared by several pages, so that the steps read alike.
namespace SharedLook {
/// The step heading at the top of each of the four step tabs.
inline constexpr FontStyle Heading{FontFace::Arial, 11.25, true};
/// Column and list captions.
inline constexpr FontStyle ArialBold{FontFace::Arial, 9.75, true};
/// Captions of the frames inside the options and Go frames.
inline constexpr FontStyle FrameCaption{FontFace::MsSansSerif, 9.75, true};
inline constexpr TextColour Blue = TextColour::DarkBlue;
} // namespace SharedLook

/// Initial states and looks that differ from a widget's defaults.
enum class ControlFlag {
    None = 0x0,
    Disabled = 0x1,
    Hidden = 0x2,
    Checked = 0x4, ///< ticked check box or selected option button
    Centred = 0x8, ///< text centred horizontally
    RightAligned = 0x10,
    GreyBackground = 0x20,
    WordWrap = 0x40,
    ReadOnly = 0x80,
    FillBackground = 0x100, ///< a frame that hides what lies under it
    Middle = 0x200,         ///< text centred vertically rather than hanging from the top
};
Q_DECLARE_FLAGS(ControlFlags, ControlFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(ControlFlags)

/// A rectangle in twips (15 twips make one logical pixel).
struct TwipsRect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// A row's caption or tooltip. Written as `QT_TRANSLATE_NOOP("kestrava::<Page>", "English text")`
/// it is a source text, which lupdate extracts and LayoutBuilder translates in the context of the
/// class that builds the table; written as `u"..."` it is shown as it stands (file names,
/// values, picture names).
class RowText
{
public:
    constexpr RowText() = default;
    /// A UTF-8 source text, translated when the row is built.
    constexpr RowText(const char *source)
        : m_source(source)
    {}
    /// A text shown as it stands, in every language.
    constexpr RowText(QStringView fixed)
        : m_fixed(fixed)
    {}
    template<std::size_t N>
    constexpr RowText(const char16_t (&fixed)[N])
        : m_fixed(fixed)
    {}

    /// The translatable source text, or null for a fixed text.
    constexpr const char *source() const { return m_source; }
    /// The fixed text; empty for a translatable one.
    constexpr QStringView fixed() const { return m_fixed; }
    constexpr bool isEmpty() const { return (!m_source || !*m_source) && m_fixed.isEmpty(); }

private:
    const char *m_source = nullptr;
    QStringView m_fixed;
};

/// One row of a page's layout table: a control, where it sits and how it starts.
/// An empty `parent` means the tab page itself; page positions are measured from the
/// tab strip's top-left corner, as the rows of tabs are part of the strip.
struct ControlRow
{
    // A constructor rather than aggregate initialisation lets table rows leave out
    // their trailing columns.
    constexpr ControlRow(QStringView name, ControlKind kind, QStringView parent, TwipsRect rect, RowText text = {},
                         RowText toolTip = {}, FontStyle font = {}, TextColour colour = TextColour::Default,
                         ControlFlags flags = {}, int maxLength = 0)
        : name(name)
        , kind(kind)
        , parent(parent)
        , rect(rect)
        , text(text)
        , toolTip(toolTip)
        , font(font)
        , colour(colour)
        , flags(flags)
        , maxLength(maxLength)
    {}

    QStringView name;
    ControlKind kind;
    QStringView parent;
    TwipsRect rect;
    RowText text;
    RowText toolTip;
    FontStyle font;
    TextColour colour;
    ControlFlags flags;
    int maxLength; ///< text boxes: most characters accepted, 0 for no limit
};

} // namespace kestrava
