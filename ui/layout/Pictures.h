// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QStringView>

namespace kestrava {

/// The program's own small pictures, painted at run time at the screens' device-pixel
/// ratio, so that they stay sharp on high-density screens. The icon is drawn from the
/// SVG in the program's resources, the one installed for the desktop.
class Pictures
{
public:
    /// The picture a layout row names: "arrow" (28 x 23) or "banner" (304 x 53).
    static QPixmap picture(QStringView name);
    /// A 28 x 23 arrow pointing right, from a sample name to its result.
    static QPixmap arrow();
    /// The 304 x 53 banner at the top of the About page.
    static QPixmap banner();
    /// The window icon, drawn in the 16 colours of the classic palette, at 16 to 256 px.
    static QIcon windowIcon();
};

} // namespace kestrava
