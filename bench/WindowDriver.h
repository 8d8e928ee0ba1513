// SPDX-License-Identifier: GPL-3.0-or-later
// Drives the real window offscreen the way a person would, finding its
// controls by name.
#pragma once

#include "ErrorReporter.h"

#include <QString>
#include <QWidget>

namespace kestrava {
class KestravaForm;
}

namespace kestrava::bench {

/// A benchmark has nobody to read a message box: a failure the window would
/// show ends the benchmark instead.
class FailingReporter : public ErrorReporter
{
public:
    void showError(const QString &, const QString &text) override;
};

/// The window's control named \a name; stops the benchmark when there is none.
template<typename Control>
Control *control(const QWidget &window, const char *name)
{
    auto *found = window.findChild<Control *>(QString::fromLatin1(name));
    if (!found)
        qFatal("bench: the window has no %s", name);
    return found;
}

/// Lets the window handle what is waiting, until \a widget has been painted
/// (or a short while has passed): what a person would see after the handler.
void settle(QWidget *widget);

/// Moves the window's folder list to \a folder, as opening it does, and waits
/// until the lists show it.
void openFolder(KestravaForm &form, const QString &folder);

/// Makes the Preview Results tab current, which shows the files preview; the
/// tab must not be current already.
void showFilesPreview(KestravaForm &form);

/// Waits (a minute at most) until the files preview's look ahead, which runs
/// beside the window, has shown its marks and summary.
void waitForLookAhead(KestravaForm &form);

/// Waits (a minute at most) until the files preview's look ahead has shown its
/// marks and \a box has been painted after that. The marks may arrive while
/// the box's new text still waits to be painted: then one paint shows both.
void waitForMarksPainted(KestravaForm &form, QWidget *box);

/// Opens \a folder in the window's folder list and shows the files preview,
/// with its look ahead.
void openFolderAndPreview(KestravaForm &form, const QString &folder);

} // namespace kestrava::bench
