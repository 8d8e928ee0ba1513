#include "CliRunParts.h"

#include "NewFilename.h"

#include <cstdio>

namespace kestrava::cli {

CliNameSource::CliNameSource(const RenameOptions &options, const QString &prefixCountText,
                             const QString &postfixCountText, const RunClock &clock)
    : m_options(options)
    , m_prefixCountText(prefixCountText)
    , m_postfixCountText(postfixCountText)
    , m_clock(clock)
{}

void CliNameSource::beginRun()
{
    m_counters.load(m_prefixCountText, m_postfixCountText);
}

std::expected<QString, RenameError> CliNameSource::compute(const QString &oldName)
{
    return BuildNewFilename(oldName, m_options, m_counters, m_clock.today());
}

std::expected<QString, QString> CliNameSource::newName(const QString &oldName)
{
    auto name = compute(oldName);
    if (!name)
        return std::unexpected(name.error().message);
    return *name;
}

CliProgress::CliProgress(bool showCount)
    : m_showCount(showCount)
{
    m_sinceShown.start();
}

CliProgress::~CliProgress()
{
    // The count line is cleared so the results start on a clean line.
    if (m_shown)
        std::fputs("\r\033[K", stderr);
}

void CliProgress::showCount(qint64 filesRenamed)
{
    if (!m_showCount || m_sinceShown.elapsed() < 100)
        return;
    m_sinceShown.restart();
    m_shown = true;
    std::fprintf(stderr, "\r%lld files renamed", static_cast<long long>(filesRenamed));
    std::fflush(stderr);
}

} // namespace kestrava::cli
