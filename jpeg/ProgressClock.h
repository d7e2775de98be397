#pragma once
// The millisecond tick count that throttles the codec's progress notifications. Tests replace
// it to step time by hand.

#include <cstdint>

namespace jpeg {
using TickSource = std::uint32_t (*)();
std::uint32_t TickCount();
// Null restores the system's steady clock.
void SetTickSource(TickSource source);
}  // namespace jpeg
