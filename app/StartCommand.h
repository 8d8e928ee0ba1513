// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "StartPaths.h"

#include <QString>
#include <QStringList>

namespace kestrava {

/// What the command line asks for: a window on some paths, or a text and an exit
/// status without any window (--help, --version, a missing path, a wrong option).
struct StartCommand
{
    /// True when the program should end with \a exitCode after printing the texts.
    bool exitAtOnce = false;
    int exitCode = 0;
    /// Printed on standard output and standard error, each complete with its newline.
    QString output;
    QString errors;
    /// Where the window starts, when it is shown.
    StartPaths start;
    /// True when Qt's -style option chose the widget style.
    bool styleChosen = false;

    /// Reads \a arguments (the program's name first) with the options of
    /// `kestrava --help`; relative paths are taken from the current folder.
    /// Qt's own options (-platform, -style, ...) are passed over: Qt takes them
    /// when the window's application is made.
    static StartCommand parse(const QStringList &arguments);
};

} // namespace kestrava
