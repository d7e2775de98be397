#include "platform/ThreadPriority.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace platform {

std::int64_t CurrentThreadId() { return std::int64_t(::syscall(SYS_gettid)); }

int NiceValue(ThreadPriority priority) {
    switch (priority) {
    case ThreadPriority::Idle: return 19;
    case ThreadPriority::Lowest: return 10;
    case ThreadPriority::Lower: return 5;
    case ThreadPriority::Normal: return 0;
    case ThreadPriority::Higher: return -5;
    case ThreadPriority::Highest: return -10;
    case ThreadPriority::TimeCritical: return -20;
    }
    return 0;
}

// On Linux the nice value belongs to the thread named by its id.
bool SetThreadPriority(std::int64_t threadId, ThreadPriority priority) {
    return ::setpriority(PRIO_PROCESS, id_t(threadId), NiceValue(priority)) == 0;
}

}  // namespace platform
