// SPDX-License-Identifier: GPL-3.0-or-later
// Running the real kestrava-cli and looking at what it left, for tst_cli.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QList>
#include <QProcess>
#include <QStringList>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kestrava::testing {

/// What one run of kestrava-cli printed and returned; status -1 when it did not end normally.
struct CliOutput
{
    int status = -1;
    QByteArray out;
    QByteArray err;

    QList<QByteArray> outLines() const { return out.split('\n').mid(0, out.count('\n')); }
    QList<QByteArray> errLines() const { return err.split('\n').mid(0, err.count('\n')); }
    /// The per-file objects of --json output, then the summary object last.
    QList<QJsonObject> json() const
    {
        QList<QJsonObject> objects;
        for (const QByteArray &line : outLines())
            objects.append(QJsonDocument::fromJson(line).object());
        return objects;
    }
};

/// Runs kestrava-cli in \a folder with \a input on its standard input, its
/// undo journals in \a stateFolder and the date stamps' day fixed to \a today.
/// Its standard output goes to \a outputFile when one is named.
inline CliOutput runKestravaCli(const QString &folder, const QString &stateFolder, QDate today,
                                const QStringList &arguments, const QByteArray &input,
                                const QString &outputFile = QString())
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_STATE_HOME"), stateFolder);
    environment.insert(QStringLiteral("KESTRAVA_TODAY"), today.toString(Qt::ISODate));
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(KESTRAVA_CLI_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    CliOutput output;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return output;
    output.status = process.exitCode();
    output.out = process.readAllStandardOutput();
    output.err = process.readAllStandardError();
    return output;
}

// The permission bits of \a path; QFile's own view adds what root may do.
inline mode_t modeOf(const QString &path)
{
    struct stat info;
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : mode_t(-1);
}

// Every path under \a folder, hidden ones included, relative and sorted.
inline QStringList treeNames(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        names.append(it.next().sliced(folder.size() + 1));
    names.sort();
    return names;
}

/// Removes the files of \a folder by their bytes: QDir cannot name those
/// whose names are not UTF-8, so a temporary folder holding one would stay.
inline void removeFilesByBytes(const QString &folder)
{
    if (DIR *listing = ::opendir(QFile::encodeName(folder).constData())) {
        while (const dirent *entry = ::readdir(listing)) {
            if (entry->d_type == DT_REG)
                ::unlinkat(::dirfd(listing), entry->d_name, 0);
        }
        ::closedir(listing);
    }
}

} // namespace kestrava::testing
