// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QThreadPool>

#include <utility>

namespace kestrava {

/// Lets go of \a lists, each of about \a size entries. Freeing the lists and
/// indexes of a folder of a million files takes the better part of a tenth of
/// a second, which a window would spend frozen: such lists are let go of on
/// another thread. Smaller ones are freed where they are, when their owner
/// frees them.
template<typename... Lists>
void letGoOfBigLists(qsizetype size, Lists &&...lists)
{
    if (size < 100'000)
        return;
    QThreadPool::globalInstance()->start([... held = std::move(lists)]() mutable { ((held = {}), ...); });
}

} // namespace kestrava
