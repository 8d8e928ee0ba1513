// SPDX-License-Identifier: GPL-3.0-or-later
#include "ResultPrinter.h"

#include "FileFactsReader.h"
#include "NameText.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cerrno>

namespace kestrava::cli {

namespace {

QString outcomeText(const FileResult &file)
{
    return file.reason.isEmpty() ? file.outcome : file.outcome + QStringLiteral(": ") + escapedName(file.reason);
}

QString actionWord(RunKind kind)
{
    switch (kind) {
    case RunKind::DryRun:
        return QStringLiteral("dry-run");
    case RunKind::Apply:
        return QStringLiteral("apply");
    case RunKind::Undo:
        return QStringLiteral("undo");
    }
    return QString();
}

} // namespace

ResultPrinter::ResultPrinter(OutputStyle style, std::FILE *out)
    : m_style(style)
    , m_out(out)
{}

void ResultPrinter::print(const RunResults &results)
{
    switch (m_style) {
    case OutputStyle::Columns:
        printColumns(results);
        break;
    case OutputStyle::Tabs:
        printTabs(results);
        break;
    case OutputStyle::Json:
        printJson(results);
        break;
    }
    flush();
}

void ResultPrinter::printColumns(const RunResults &results)
{
    const QString oldHeading = QStringLiteral("OLD NAME");
    const QString newHeading = QStringLiteral("NEW NAME");
    QStringList olds;
    QStringList news;
    olds.reserve(results.files.size());
    news.reserve(results.files.size());
    qsizetype oldWidth = oldHeading.size();
    qsizetype newWidth = newHeading.size();
    for (const FileResult &file : results.files) {
        olds.append(escapedName(file.shownPath));
        news.append(escapedName(file.newName));
        oldWidth = std::max(oldWidth, olds.constLast().size());
        newWidth = std::max(newWidth, news.constLast().size());
    }
    if (!results.files.isEmpty())
        write(oldHeading.leftJustified(oldWidth + 2) + newHeading.leftJustified(newWidth + 2)
              + QStringLiteral("RESULT"));
    for (qsizetype i = 0; i < results.files.size(); ++i)
        write(olds.at(i).leftJustified(oldWidth + 2) + news.at(i).leftJustified(newWidth + 2)
              + outcomeText(results.files.at(i)));
    write(results.summaryLine());
}

void ResultPrinter::printTabs(const RunResults &results)
{
    for (const FileResult &file : results.files)
        writeFields({escapedName(file.shownPath), escapedName(file.newName), file.outcome, escapedName(file.reason)});
    write(results.summaryLine());
}

namespace {

// The file's fields under the names a template writes them with.
QJsonObject fieldsObject(const QString &folderPath, const QString &name)
{
    const FileFacts facts = readFileFacts(folderPath, name, FactsNeeded::Metadata).facts;
    QJsonObject fields;
    const auto text = [&fields](const char *key, const std::optional<QString> &value) {
        if (value)
            fields.insert(QLatin1StringView(key), escapedName(*value));
    };
    const auto number = [&fields](const char *key, const std::optional<qint64> &value) {
        if (value)
            fields.insert(QLatin1StringView(key), *value);
    };
    const auto date = [&fields](const char *key, const std::optional<QDateTime> &value) {
        if (value)
            fields.insert(QLatin1StringView(key), value->toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    };
    text("folder", facts.folder.isEmpty() ? std::nullopt : std::optional<QString>(facts.folder));
    date("modified", facts.modified);
    date("taken", facts.taken);
    text("camera", facts.camera);
    number("width", facts.width);
    number("height", facts.height);
    text("artist", facts.artist);
    text("album", facts.album);
    text("title", facts.title);
    number("track", facts.track);
    number("year", facts.year);
    text("genre", facts.genre);
    return fields;
}

} // namespace

void ResultPrinter::printJson(const RunResults &results)
{
    for (const FileResult &file : results.files) {
        QJsonObject object{
            {QStringLiteral("folder"), escapedName(file.folderPath)},
            {QStringLiteral("old"), escapedName(file.oldName)},
            {QStringLiteral("new"), escapedName(file.newName)},
            {QStringLiteral("outcome"), file.outcome},
            {QStringLiteral("reason"), escapedName(file.reason)},
        };
        // After a run a renamed file is found under its new name.
        if (m_showFields)
            object.insert(QStringLiteral("fields"),
                          fieldsObject(file.folderPath, results.kind == RunKind::Apply && file.changed ? file.newName
                                                                                                       : file.oldName));
        write(QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact)));
    }
    const RunResults::Tally counts = results.tally();
    const QJsonObject summary{
        {QStringLiteral("summary"), results.summaryLine()},
        {QStringLiteral("files"), qint64(results.files.size())},
        {QStringLiteral("renamed"), qint64(counts.renamed)},
        {QStringLiteral("unchanged"), qint64(counts.unchanged)},
        {QStringLiteral("notRenamed"), qint64(counts.notDone)},
        {QStringLiteral("errors"), qint64(results.errors.size())},
        {QStringLiteral("action"), actionWord(results.kind)},
    };
    write(QString::fromUtf8(QJsonDocument(summary).toJson(QJsonDocument::Compact)));
}

void ResultPrinter::write(const QString &line)
{
    writeFields({line});
}

void ResultPrinter::writeFields(std::initializer_list<QStringView> fields)
{
    // Encoded straight into the buffer: a line of a hundred thousand costs no allocation of its own.
    for (const QStringView field : fields) {
        const qsizetype at = m_buffer.size();
        m_buffer.resize(at + m_toUtf8.requiredSpace(field.size()) + 1);
        char *end = m_toUtf8.appendToBuffer(m_buffer.data() + at, field);
        *end++ = '\t';
        m_buffer.truncate(end - m_buffer.constData());
    }
    m_buffer.back() = '\n';
    // Lines go out in blocks: a hundred thousand small writes would cost more than the run.
    if (m_buffer.size() >= 1 << 16)
        flush();
}

void ResultPrinter::flush()
{
    // A full disk or a closed output must not pass for results delivered.
    errno = 0;
    const std::size_t written = std::fwrite(m_buffer.constData(), 1, std::size_t(m_buffer.size()), m_out);
    if ((written != std::size_t(m_buffer.size()) || std::fflush(m_out) != 0) && m_writeError == 0)
        m_writeError = errno != 0 ? errno : EIO;
    m_buffer.resize(0); // keeps its capacity for the next block
}

} // namespace kestrava::cli
