#include "ticktimeline.h"

#include <algorithm>

TickTimeline::Duration TickTimeline::start(Duration first)
{
    origin = std::chrono::steady_clock::now();
    nextDue = first;
    return first;
}

TickTimeline::Duration TickTimeline::untilNext()
{
    return untilNext(
        std::chrono::duration_cast<Duration>(std::chrono::steady_clock::now() - origin));
}

TickTimeline::Duration TickTimeline::untilNext(Duration now)
{
    // nextDue is the due time of the tick that has just run.
    if (now - nextDue > stall)
        nextDue = now;
    nextDue += interval;
    return std::max(nextDue - now, Duration::zero());
}
