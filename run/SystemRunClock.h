#pragma once

#include "RunClock.h"

namespace kestrava {

/// The system's clock, in local time.
class SystemRunClock : public RunClock
{
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

} // namespace kestrava
