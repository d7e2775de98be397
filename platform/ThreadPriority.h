#pragma once
// Thread priorities as a desktop system names them, carried out as the thread's nice value. An
// unprivileged process may lower a thread's priority but not raise it again above where it was.

#include <cstdint>

namespace platform {

enum class ThreadPriority { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

// The system's number for the calling thread, for SetThreadPriority.
std::int64_t CurrentThreadId();
// False when the system refused (a raise without the privilege, or a thread that has ended).
bool SetThreadPriority(std::int64_t threadId, ThreadPriority priority);
// The nice value the priority maps to.
int NiceValue(ThreadPriority priority);

}  // namespace platform
