// Shared by the tests that build the real window over temporary folders.
#pragma once

#include "ErrorReporter.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace kestrava::testing {

/// Records every failure the window would have shown in a message box.
class RecordingErrorReporter : public ErrorReporter
{
public:
    QStringList titles;
    QStringList texts;

    void showError(const QString &title, const QString &text) override
    {
        titles.append(title);
        texts.append(text);
    }
};

/// Creates \a folder (and its parents) holding an empty file for each of \a names.
inline bool makeFiles(const QString &folder, const QStringList &names)
{
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &name : names) {
        QFile file(folder + u'/' + name);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace kestrava::testing
