// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliRunParts.h"

#include <cstdio>

namespace kestrava::cli {

RulesNameSource::Rules fixedRules(const RenameOptions &options, const QString &prefixCountText,
                                  const QString &postfixCountText, const RunClock &clock)
{
    return {[options] { return options; }, [&clock] { return clock.today(); },
            [prefixCountText] { return prefixCountText; }, [postfixCountText] { return postfixCountText; }};
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
