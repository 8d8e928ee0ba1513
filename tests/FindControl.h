#pragma once

// Finding a window's control by its objectName, as every GUI test does.

#include <QObject>
#include <QString>

namespace kestrava::testing {

/// The control named \a name among \a parent's descendants; null when none is.
template<typename T>
T *findControl(const QObject *parent, const char *name)
{
    return parent->findChild<T *>(QString::fromLatin1(name));
}

} // namespace kestrava::testing
