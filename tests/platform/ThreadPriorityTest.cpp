// Thread priorities carried out as nice values of the thread alone.

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <thread>

#include "platform/ThreadPriority.h"

TEST(ThreadPriority, IdleLowersOnlyTheCallingThread) {
    const int before = ::getpriority(PRIO_PROCESS, id_t(platform::CurrentThreadId()));
    bool set = false;
    int inThread = 0;
    std::thread([&] {
        const std::int64_t self = platform::CurrentThreadId();
        set = platform::SetThreadPriority(self, platform::ThreadPriority::Idle);
        inThread = ::getpriority(PRIO_PROCESS, id_t(self));
    }).join();
    EXPECT_TRUE(set);
    EXPECT_EQ(inThread, platform::NiceValue(platform::ThreadPriority::Idle));
    EXPECT_EQ(::getpriority(PRIO_PROCESS, id_t(platform::CurrentThreadId())), before);
}
