// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioTags.h"

#include <QFile>

#include <taglib/fileref.h>
#include <taglib/tag.h>
#include <taglib/tdebuglistener.h>

#include <exception>
#include <mutex>

namespace kestrava {

namespace {

// TagLib writes its complaints about damaged files to the terminal; the
// values a file lacks say enough.
class QuietListener : public TagLib::DebugListener
{
public:
    void printMessage(const TagLib::String &) override {}
};

void silenceTagLib()
{
    static std::once_flag once;
    static QuietListener listener;
    std::call_once(once, [] { TagLib::setDebugListener(&listener); });
}

std::optional<QString> tagText(const TagLib::String &text)
{
    const QString value = QString::fromStdString(text.to8Bit(true)).trimmed();
    if (value.isEmpty())
        return std::nullopt;
    return value;
}

std::optional<int> tagNumber(unsigned int number)
{
    if (number == 0 || number > unsigned(std::numeric_limits<int>::max()))
        return std::nullopt;
    return int(number);
}

} // namespace

void readAudioTags(const QString &path, FileMetadata &metadata)
{
    silenceTagLib();
    try {
        const QByteArray name = QFile::encodeName(path);
        const TagLib::FileRef file(name.constData(), false);
        const TagLib::Tag *tag = file.isNull() ? nullptr : file.tag();
        if (!tag)
            return;
        metadata.artist = tagText(tag->artist());
        metadata.album = tagText(tag->album());
        metadata.title = tagText(tag->title());
        metadata.genre = tagText(tag->genre());
        metadata.track = tagNumber(tag->track());
        metadata.year = tagNumber(tag->year());
    } catch (...) {
        // TagLib does not throw by design, but a bad allocation on a damaged
        // file must not end the program either.
    }
}

} // namespace kestrava
