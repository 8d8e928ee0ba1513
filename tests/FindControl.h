// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Finding a window's control by its objectName, as every GUI test does.

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace kestrava::testing {

/// The control named \a name among \a parent's descendants; null when none is.
template<typename T>
T *findControl(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

/// The control named \a name among \a parent's descendants, which a test
/// cannot go on without: a missing one ends the test program, naming it.
template<typename T>
T *requiredControl(const QObject *parent, const QString &name)
{
    T *found = parent->findChild<T *>(name);
    if (!found)
        qFatal("no control %s", qPrintable(name));
    return found;
}

} // namespace kestrava::testing
