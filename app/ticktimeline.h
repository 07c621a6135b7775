#pragma once

#include <chrono>

// The due times of a clock that ticks at a fixed interval: tick n is due at
// the first due time plus n intervals, so a late tick does not push the later
// ones back, and the clock keeps pace with real time. A tick running more
// than `stall` behind its due time (the machine was suspended, a debugger
// held the program) starts the timeline afresh instead of a burst of ticks
// to catch up.
class TickTimeline
{
  public:
    using Duration = std::chrono::milliseconds;

    TickTimeline(Duration interval, Duration stall) : interval(interval), stall(stall) {}

    // Starts the timeline with the first tick due `first` from now.
    Duration start(Duration first);
    // Called by each tick: how long from now the next one is due (0 when it
    // is already late).
    Duration untilNext();
    // The same, with the time since the start given.
    Duration untilNext(Duration now);

  private:
    std::chrono::steady_clock::time_point origin;
    Duration interval;
    Duration stall;
    Duration nextDue{};
};
