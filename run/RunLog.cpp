// SPDX-License-Identifier: GPL-3.0-or-later
// The run's records, and the texts the run, its journal and undo write alike.
#include "RunLog.h"

#include <QCoreApplication>

namespace kestrava {

namespace {

QString runText(const char *source)
{
    return QCoreApplication::translate("kestrava::RenameRun", source);
}

} // namespace

QString errorText(const QString &description, const QString &path)
{
    // Written for each of many files: looked up once.
    static const QString whilstProcessing =
        runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", "  whilst processing file "));
    return u'\'' + description + u'\'' + whilstProcessing + u'\'' + path + u'\'';
}

qint64 roundToSeconds(qint64 msecs)
{
    qint64 seconds = msecs / 1000;
    qint64 rest = msecs % 1000;
    if (rest < 0) { // floor division for times before the reference
        --seconds;
        rest += 1000;
    }
    if (rest > 500 || (rest == 500 && seconds % 2 != 0))
        ++seconds;
    return seconds;
}

QString elapsedText(qint64 elapsedSeconds)
{
    const qint64 minutes = elapsedSeconds / 60;
    const qint64 seconds = elapsedSeconds - 60 * minutes;
    return runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " taking")) + u' ' + QString::number(minutes)
        + runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " minutes")) + u' ' + QString::number(seconds)
        + runText(QT_TRANSLATE_NOOP("kestrava::RenameRun", " seconds."));
}

QString folderPathOf(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

void RunLog::clear()
{
    m_filesRenamed = 0;
    m_modified.clear();
    m_errors.clear();
    m_statuses.clear();
}

QString RunLog::modifiedText() const
{
    // Rendered once on demand: prepending to one growing text for every file
    // would cost time quadratic in the number of files.
    qsizetype length = 0;
    for (const QString &name : m_modified)
        length += name.size() + 1;
    QString text;
    text.reserve(length);
    for (auto it = m_modified.crbegin(); it != m_modified.crend(); ++it) {
        text += *it;
        text += u'\n';
    }
    return text;
}

} // namespace kestrava
