// SPDX-License-Identifier: GPL-3.0-or-later
// A plain-Qt copy of the window, the baseline of the start-up row: the same
// controls of the same kinds, at the same places, with the same texts, fonts,
// colours and list entries, made by direct Qt calls and nothing else. What
// the window takes beyond it is Kestrava's own start-up work: its layout
// tables, models, listing, undo journals and settings.
#pragma once

#include <QByteArray>

class QWidget;

namespace kestrava::bench {

/// Describes \a window, shown and settled, as the bytes that replicaOf() builds from.
QByteArray describeWindow(QWidget *window);

/// A new top-level widget built from \a description, not yet shown.
QWidget *replicaOf(const QByteArray &description);

} // namespace kestrava::bench
