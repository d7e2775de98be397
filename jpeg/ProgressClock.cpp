#include "jpeg/ProgressClock.h"

#include <chrono>

namespace jpeg {
namespace {

std::uint32_t SteadyTicks() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::uint32_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

TickSource currentSource = SteadyTicks;

}  // namespace

std::uint32_t TickCount() { return currentSource(); }

void SetTickSource(TickSource source) { currentSource = source ? source : SteadyTicks; }

}  // namespace jpeg
