#include "platform/Clock.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace platform {
namespace {

std::atomic<TSteppedClock*> stepped{nullptr};

std::int64_t SteadyMs() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

// How often a wait under a stepped clock looks at the event again; tests only.
constexpr auto SteppedPollInterval = std::chrono::milliseconds(2);

}  // namespace

TSteppedClock::TSteppedClock(std::int64_t start, std::int64_t stepPerRead) : now_(start), stepPerRead_(stepPerRead) {
    stepped.store(this);
}
TSteppedClock::~TSteppedClock() { stepped.store(nullptr); }

std::int64_t TSteppedClock::Now() {
    std::lock_guard guard(lock_);
    ++reads_;
    const std::int64_t now = now_;
    now_ += stepPerRead_;
    return now;
}

std::int64_t TSteppedClock::Reads() {
    std::lock_guard guard(lock_);
    return reads_;
}

void TSteppedClock::Advance(std::int64_t ms) {
    std::lock_guard guard(lock_);
    now_ += ms;
}

std::int64_t MilliClock() {
    if (TSteppedClock* clock = stepped.load()) return clock->Now();
    return SteadyMs();
}

void SleepMs(std::int64_t ms) {
    if (ms <= 0) return;
    if (TSteppedClock* clock = stepped.load()) return clock->Advance(ms);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

void TWakeEvent::Signal() {
    {
        std::lock_guard guard(lock_);
        set_ = true;
    }
    signalled_.notify_all();
}

bool TWakeEvent::Wait(std::int64_t ms) {
    std::unique_lock guard(lock_);
    auto taken = [&] {
        if (!set_) return false;
        set_ = false;
        return true;
    };
    ms = std::max<std::int64_t>(ms, 0);
    if (TSteppedClock* clock = stepped.load()) {
        const std::int64_t deadline = clock->Now() + ms;
        while (!set_ && clock->Now() < deadline) signalled_.wait_for(guard, SteppedPollInterval);
        return taken();
    }
    signalled_.wait_for(guard, std::chrono::milliseconds(ms), [&] { return set_; });
    return taken();
}

}  // namespace platform
