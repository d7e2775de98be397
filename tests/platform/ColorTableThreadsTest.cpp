// One colour table searched from several threads at once (stock palettes are shared) gives
// every thread the same answers as a table searched alone.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "platform/ColorTable.h"
#include "platform/StockColors.h"

TEST(ColorTableThreadsTest, ConcurrentSearchesAgreeWithASingleThread) {
    const platform::ColorTable alone(platform::HalftoneColors());
    constexpr int kThreads = 4;
    constexpr platform::Rgb kColours = 1 << 14;
    std::vector<unsigned> expected(kColours);
    for (platform::Rgb i = 0; i < kColours; ++i) expected[i] = alone.Nearest(i * 1021u & 0xFFFFFF);

    for (int round = 0; round < 20; ++round) {
        const platform::ColorTable shared(platform::HalftoneColors());
        std::vector<int> mismatches(kThreads, 0);
        std::vector<std::thread> threads;
        for (int t = 0; t < kThreads; ++t) {
            threads.emplace_back([&, t] {
                for (platform::Rgb i = 0; i < kColours; ++i) {
                    const platform::Rgb k = (i + platform::Rgb(t) * 977u) % kColours;
                    if (shared.Nearest(k * 1021u & 0xFFFFFF) != expected[k]) ++mismatches[std::size_t(t)];
                }
            });
        }
        for (std::thread& thread : threads) thread.join();
        for (int count : mismatches) ASSERT_EQ(count, 0);
    }
}
