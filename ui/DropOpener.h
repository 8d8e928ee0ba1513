// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

namespace kestrava {

class KestravaForm;

/// Lets folders and files be dropped on the window: a folder opens as a change of
/// folder in `Dir1` does; files open their folder with them selected (see
/// StartPaths). While a run is under way nothing is taken.
class DropOpener : public QObject
{
    Q_OBJECT

public:
    /// Watches \a form, which becomes this opener's parent and accepts drops.
    explicit DropOpener(KestravaForm *form);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool takesDrop(const QEvent *event) const;
    void open(const QStringList &paths);

    KestravaForm *m_form = nullptr;
};

} // namespace kestrava
