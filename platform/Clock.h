#pragma once
// The millisecond clock of animations and an auto-reset wake-up event whose timed waits follow
// that clock, so tests can step time instead of waiting for it.

#include <condition_variable>
#include <cstdint>
#include <mutex>

namespace platform {

// Milliseconds since an arbitrary start.
std::int64_t MilliClock();
// Sleeps `ms` milliseconds of the clock.
void SleepMs(std::int64_t ms);

// A clock that moves only when told; installed, it replaces the steady clock for MilliClock,
// SleepMs and event waits. A sleep advances it by the time slept, and every reading by
// `stepPerRead`, for code that must see time pass between its looks at the clock.
class TSteppedClock {
public:
    explicit TSteppedClock(std::int64_t start = 0, std::int64_t stepPerRead = 0);
    ~TSteppedClock();
    TSteppedClock(const TSteppedClock&) = delete;
    TSteppedClock& operator=(const TSteppedClock&) = delete;
    std::int64_t Now();
    void Advance(std::int64_t ms);
    std::int64_t Reads();  // readings so far

private:
    std::mutex lock_;
    std::int64_t now_;
    const std::int64_t stepPerRead_;
    std::int64_t reads_ = 0;
};

// Auto-reset, not signalled at first.
class TWakeEvent {
public:
    void Signal();
    // Waits up to `ms` milliseconds of the clock (none when negative). True when the event ended
    // the wait, false on timeout.
    bool Wait(std::int64_t ms);

private:
    std::mutex lock_;
    std::condition_variable signalled_;
    bool set_ = false;
};

}  // namespace platform
