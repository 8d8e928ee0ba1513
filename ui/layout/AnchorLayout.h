// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringView>

#include <span>
#include <vector>

class QWidget;

namespace kestrava {

/// The edges of a control that follow its parent's growth beyond the window's starting
/// size. An edge not named stays where the layout table puts it, so a control that no
/// anchor list names keeps its place and size relative to its parent's top-left corner.
enum class Anchor {
    None = 0x0,
    Left = 0x1,       ///< the left edge moves by the parent's growth in width
    Top = 0x2,        ///< the top edge moves by the parent's growth in height
    Right = 0x4,      ///< the right edge moves by the parent's growth in width
    Bottom = 0x8,     ///< the bottom edge moves by the parent's growth in height
    HalfLeft = 0x10,  ///< the left edge moves by half the parent's growth in width
    HalfTop = 0x20,   ///< the top edge moves by half the parent's growth in height
    HalfRight = 0x40, ///< the right edge moves by half the parent's growth in width
    HalfBottom = 0x80 ///< the bottom edge moves by half the parent's growth in height
};
Q_DECLARE_FLAGS(Anchors, Anchor)
Q_DECLARE_OPERATORS_FOR_FLAGS(Anchors)

/// One entry of a page's anchor list, which sits beside its layout table.
struct ControlAnchor
{
    QStringView name;
    Anchors anchors;
};

/// Moves and stretches a page's anchored controls as the window grows beyond its
/// starting size. Each control's starting place is the one the layout table gave it;
/// a frame's growth is what its own anchors give it, and the page's is the window's.
/// At no growth every control is back exactly at its starting place.
class AnchorLayout : public QObject
{
    Q_OBJECT

public:
    /// Anchors the controls of \a page that \a anchors names; the page's table must
    /// have placed them already, as their present places become their starting ones.
    AnchorLayout(QWidget *page, std::span<const ControlAnchor> anchors);

    /// Places every anchored control for a page grown by \a growth (never negative).
    void setGrowth(QSize growth);
    QSize growth() const { return m_growth; }

    /// Gives \a control a new starting place (at no growth) and new anchors, and
    /// places it for the growth in hand; for controls that code moves or re-parents.
    void place(QWidget *control, const QRect &start, Anchors anchors);

    /// Sets \a growth on the anchor layout of every page under \a root.
    static void growAll(const QWidget *root, QSize growth);

private:
    struct Entry
    {
        QPointer<QWidget> control;
        QRect start;
        Anchors anchors;
    };

    const Entry *entryOf(const QWidget *control) const;
    /// How much \a parent has grown: the page by the window's growth, an anchored
    /// frame by what its anchors give it, any other parent not at all.
    QSize growthOf(const QWidget *parent) const;
    QRect placeFor(const Entry &entry) const;

    QWidget *m_page;
    std::vector<Entry> m_entries;
    QSize m_growth{0, 0};
};

} // namespace kestrava
