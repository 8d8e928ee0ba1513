// SPDX-License-Identifier: GPL-3.0-or-later
#include "PresetStore.h"

#include "NumberingOrder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

namespace kestrava::presets {

namespace {

const QString suffix = QStringLiteral(".json");
/// A preset file larger than this is not a preset a person wrote.
constexpr qint64 largestFile = 1024 * 1024;
/// The longest file name most file systems take, in bytes.
constexpr qsizetype longestFileName = 255;

QString text(const char *source)
{
    return QCoreApplication::translate("kestrava::Presets", source);
}

QString pathOf(const QString &name)
{
    return presetFolder() + u'/' + name + suffix;
}

/// The lstat() of \a path: false when it does not exist.
bool statOf(const QString &path, struct stat &info)
{
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

} // namespace

QString presetFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (!base.startsWith(u'/'))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/kestrava/presets");
}

std::optional<QString> nameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "A preset needs a name."));
    if (name.contains(u'/'))
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "A preset name cannot hold \"/\"."));
    if (std::any_of(name.cbegin(), name.cend(), [](QChar c) { return c.category() == QChar::Other_Control; }))
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "A preset name cannot hold control characters."));
    // The file name must be text the system keeps as it is, and short enough.
    const QByteArray fileName = QFile::encodeName(name + suffix);
    if (QFile::decodeName(fileName) != name + suffix || name.contains(QChar::ReplacementCharacter))
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "\"%1\" cannot be a file name here.")).arg(name);
    if (fileName.size() > longestFileName)
        return text(QT_TRANSLATE_NOOP("kestrava::Presets", "The name \"%1\" is too long for a file name.")).arg(name);
    return std::nullopt;
}

QStringList presetNames()
{
    struct stat info;
    if (!statOf(presetFolder(), info) || !S_ISDIR(info.st_mode))
        return {};
    QStringList names;
    const QStringList files = QDir(presetFolder()).entryList({u'*' + suffix}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &file : files) {
        const QString name = file.chopped(suffix.size());
        if (!nameProblem(name))
            names.append(name);
    }
    // The order the numbering calls natural, which reads no file for it.
    names.sort();
    NumberingOptions natural;
    natural.order = NumberOrder::Natural;
    return inNumberingOrder(QString(), names, natural);
}

bool presetExists(const QString &name)
{
    struct stat info;
    return !nameProblem(name) && statOf(pathOf(name), info);
}

ReadPreset loadPreset(const QString &name)
{
    ReadPreset failed;
    const auto fail = [&failed](const char *why) {
        failed.problems.append(text(why));
        return failed;
    };
    if (const std::optional<QString> problem = nameProblem(name)) {
        failed.problems.append(*problem);
        return failed;
    }
    struct stat info;
    if (!statOf(pathOf(name), info))
        return fail(QT_TRANSLATE_NOOP("kestrava::Presets", "There is no such preset; every option is left at its default."));
    if (S_ISLNK(info.st_mode))
        return fail(QT_TRANSLATE_NOOP("kestrava::Presets",
                                      "The preset is a link, which is not followed; every option is left at its default."));
    if (!S_ISREG(info.st_mode) || info.st_size > largestFile)
        return fail(QT_TRANSLATE_NOOP("kestrava::Presets",
                                      "The preset is not a file of options; every option is left at its default."));
    // O_NOFOLLOW: a link put in its place since the look above is not followed either.
    const int fd = ::open(QFile::encodeName(pathOf(name)).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        return fail(QT_TRANSLATE_NOOP("kestrava::Presets", "The preset cannot be read; every option is left at its default."));
    }
    return fromJson(file.read(largestFile));
}

std::expected<void, QString> savePreset(const QString &name, const PresetValues &values)
{
    if (const std::optional<QString> problem = nameProblem(name))
        return std::unexpected(*problem);
    if (!QDir().mkpath(presetFolder()))
        return std::unexpected(
            text(QT_TRANSLATE_NOOP("kestrava::Presets", "The folder %1 cannot be made.")).arg(presetFolder()));
    struct stat info;
    if (statOf(pathOf(name), info) && !S_ISREG(info.st_mode))
        return std::unexpected(
            text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 is not a plain file and is left as it is.")).arg(pathOf(name)));
    // QSaveFile writes a file beside the preset and renames it over the preset on commit.
    QSaveFile file(pathOf(name));
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly) || file.write(toJson(values)) < 0 || !file.commit())
        return std::unexpected(text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 cannot be written: %2"))
                                   .arg(pathOf(name), file.errorString()));
    return {};
}

std::expected<void, QString> removePreset(const QString &name)
{
    if (const std::optional<QString> problem = nameProblem(name))
        return std::unexpected(*problem);
    if (!QFile::remove(pathOf(name)))
        return std::unexpected(
            text(QT_TRANSLATE_NOOP("kestrava::Presets", "%1 cannot be removed.")).arg(pathOf(name)));
    return {};
}

} // namespace kestrava::presets
