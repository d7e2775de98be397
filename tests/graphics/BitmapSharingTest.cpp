// Copies share one image until one of them changes; the change stays with that copy.
#include <gtest/gtest.h>

#include <cstring>
#include <thread>
#include <vector>

#include "BitmapTestSupport.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kWhite = 0xFFFFFF;
constexpr platform::COLORREF kRed = platform::RGB(0xFF, 0, 0);

enum class Change { CanvasPixel, CanvasFill, ScanRowWrite, Resize, Depth };

struct ChangeCase {
    Change change;
    TPixelDepth depth;
    const char* name;
};

void ApplyChange(TBitmap& bitmap, Change change) {
    switch (change) {
    case Change::CanvasPixel: Paint(bitmap, 1, 1, clRed); break;
    case Change::CanvasFill:
        bitmap.Canvas().Brush().SetColor(clRed);
        bitmap.Canvas().FillArea(TRect{0, 0, 4, 4});
        break;
    case Change::ScanRowWrite: std::memset(bitmap.ScanRow(1), 0, 4); break;
    case Change::Resize: bitmap.ResizeWidth(2); break;
    case Change::Depth: bitmap.ChangeDepth(TPixelDepth::Bits8); break;
    }
}

class BitmapSharing : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(BitmapSharing, ChangingOneCopyLeavesTheOtherAsItWas) {
    TBitmap original;
    Shape(original, GetParam().depth, 4, 4);
    Paint(original, 0, 0, clBlack);
    TBitmap copy;
    copy.CopyFrom(&original);
    ApplyChange(copy, GetParam().change);
    EXPECT_EQ(original.ImageWidth(), 4);
    EXPECT_EQ(original.CurrentDepth(), GetParam().depth);
    EXPECT_EQ(Pixel(original, 0, 0), 0u);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) {
            if (x || y) {
                ASSERT_EQ(Pixel(original, x, y), kWhite) << x << "," << y;
            }
        }
}

TEST_P(BitmapSharing, ChangingTheOriginalLeavesTheCopy) {
    TBitmap original;
    Shape(original, GetParam().depth, 4, 4);
    TBitmap copy;
    copy.CopyFrom(&original);
    ApplyChange(original, GetParam().change);
    EXPECT_EQ(copy.ImageWidth(), 4);
    EXPECT_EQ(Pixel(copy, 1, 1), kWhite);
}

INSTANTIATE_TEST_SUITE_P(Changes, BitmapSharing,
                         ::testing::Values(ChangeCase{Change::CanvasPixel, TPixelDepth::Device, "PixelDevice"},
                                           ChangeCase{Change::CanvasPixel, TPixelDepth::Bits24, "PixelBits24"},
                                           ChangeCase{Change::CanvasFill, TPixelDepth::Device, "FillDevice"},
                                           ChangeCase{Change::CanvasFill, TPixelDepth::Bits8, "FillBits8"},
                                           ChangeCase{Change::ScanRowWrite, TPixelDepth::Bits32, "RowBits32"},
                                           ChangeCase{Change::ScanRowWrite, TPixelDepth::Bits4, "RowBits4"},
                                           ChangeCase{Change::Resize, TPixelDepth::Device, "ResizeDevice"},
                                           ChangeCase{Change::Resize, TPixelDepth::Bits16, "ResizeBits16"},
                                           ChangeCase{Change::Depth, TPixelDepth::Bits24, "DepthBits24"}),
                         [](const auto& test) { return std::string(test.param.name); });

// The image (and so its palette) is one object until a copy changes.
TEST(BitmapSharing, CopiesShareOneImageUntilAChange) {
    TBitmap original;
    Shape(original, TPixelDepth::Bits8, 2, 2);
    TBitmap copy;
    copy.CopyFrom(&original);
    ASSERT_NE(original.PaletteHandle(), nullptr);
    EXPECT_EQ(copy.PaletteHandle(), original.PaletteHandle());
    Paint(copy, 0, 0, clBlack);
    EXPECT_NE(copy.PaletteHandle(), original.PaletteHandle());
}

TEST(BitmapSharing, CopyKeepsPixelsAfterTheOriginalIsGone) {
    TBitmap copy;
    {
        TBitmap original;
        Shape(original, TPixelDepth::Device, 3, 3);
        Paint(original, 2, 2, clRed);
        copy.CopyFrom(&original);
    }
    EXPECT_EQ(Pixel(copy, 2, 2), kRed);
}

TEST(BitmapSharing, CopyTakesTheTransparentFlagAndNotifies) {
    TBitmap original;
    Shape(original, TPixelDepth::Device, 2, 2);
    original.ChangeTransparent(true);
    TBitmap copy;
    int changes = 0;
    copy.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &copy);
        ++changes;
    };
    copy.CopyFrom(&original);
    EXPECT_TRUE(copy.IsTransparent());
    EXPECT_EQ(changes, 1);
}

TEST(BitmapSharing, CopyFromNothingEmpties) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.CopyFrom(nullptr);
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(changes, 1);
}

// Copies made and dropped on several threads at once swap their images under one lock.
TEST(BitmapSharing, CopiesOnSeveralThreadsKeepCountsRight) {
    TBitmap original;
    Shape(original, TPixelDepth::Bits24, 2, 2);
    constexpr int kThreads = 4, kRounds = 500;
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < kRounds; ++i) {
                TBitmap copy;
                copy.CopyFrom(&original);
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(Pixel(original, 1, 1), kWhite);
}
}  // namespace
