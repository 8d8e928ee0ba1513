// SPDX-License-Identifier: GPL-3.0-or-later
#include "AnchorLayout.h"

#include <QWidget>

#include <algorithm>

namespace kestrava {

namespace {

// How far an edge moves for a growth of \a growth: all of it, half of it, or none.
// Halves round down alike for every control, so neighbours that share the growth
// keep the gap between them.
int shift(Anchors anchors, Anchor full, Anchor half, int growth)
{
    if (anchors & full)
        return growth;
    if (anchors & half)
        return growth / 2;
    return 0;
}

} // namespace

AnchorLayout::AnchorLayout(QWidget *page, std::span<const ControlAnchor> anchors)
    : QObject(page)
    , m_page(page)
{
    setObjectName(QStringLiteral("anchors"));
    for (const ControlAnchor &anchor : anchors) {
        auto *control = page->findChild<QWidget *>(anchor.name.toString());
        Q_ASSERT_X(control, "AnchorLayout", qPrintable(anchor.name.toString()));
        if (control)
            m_entries.push_back({control, control->geometry(), anchor.anchors});
    }
}

void AnchorLayout::setGrowth(QSize growth)
{
    m_growth = growth.expandedTo(QSize(0, 0));
    for (const Entry &entry : m_entries)
        if (entry.control)
            entry.control->setGeometry(placeFor(entry));
}

void AnchorLayout::place(QWidget *control, const QRect &start, Anchors anchors)
{
    const Entry placed{control, start, anchors};
    const auto found = std::find_if(m_entries.begin(), m_entries.end(),
                                    [control](const Entry &entry) { return entry.control == control; });
    if (found == m_entries.end())
        m_entries.push_back(placed);
    else
        *found = placed;
    control->setGeometry(placeFor(placed));
}

void AnchorLayout::growAll(const QWidget *root, QSize growth)
{
    for (AnchorLayout *layout : root->findChildren<AnchorLayout *>())
        layout->setGrowth(growth);
}

const AnchorLayout::Entry *AnchorLayout::entryOf(const QWidget *control) const
{
    for (const Entry &entry : m_entries)
        if (entry.control == control)
            return &entry;
    return nullptr;
}

QSize AnchorLayout::growthOf(const QWidget *parent) const
{
    if (parent == m_page)
        return m_growth;
    // A frame's growth comes from its own place, worked out rather than read, so
    // that the order of the anchor list does not matter.
    if (const Entry *frame = entryOf(parent))
        return placeFor(*frame).size() - frame->start.size();
    return QSize(0, 0);
}

QRect AnchorLayout::placeFor(const Entry &entry) const
{
    const QSize growth = growthOf(entry.control->parentWidget());
    const Anchors a = entry.anchors;
    return entry.start.adjusted(shift(a, Anchor::Left, Anchor::HalfLeft, growth.width()),
                                shift(a, Anchor::Top, Anchor::HalfTop, growth.height()),
                                shift(a, Anchor::Right, Anchor::HalfRight, growth.width()),
                                shift(a, Anchor::Bottom, Anchor::HalfBottom, growth.height()));
}

} // namespace kestrava
