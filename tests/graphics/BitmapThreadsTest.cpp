// Bitmaps of different threads draw side by side: each thread's contexts come and go without
// touching another thread's canvases.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "graphics/Bitmap.h"

TEST(BitmapThreadsTest, ThreadsMakeDrawAndFreeTheirOwnBitmapsConcurrently) {
    constexpr int kThreads = 4;
    constexpr int kRounds = 150;
    std::vector<int> whitePixels(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &whitePixels] {
            for (int round = 0; round < kRounds; ++round) {
                TBitmap source;
                source.ResizeWidth(8);
                source.ResizeHeight(6);
                source.Canvas().SetPixelAt(1, 1, clRed);
                TBitmap target;
                target.ResizeWidth(4);
                target.ResizeHeight(3);
                target.Canvas().StretchDrawGraphic({0, 0, 4, 3}, &source);
                if (target.Canvas().PixelAt(3, 2) == clWhite) ++whitePixels[std::size_t(t)];
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (int count : whitePixels) EXPECT_EQ(count, kRounds);
}
