// The canvas: pen, brush and font rules, colours, notifications, state, locks and the
// drawing contexts of bitmap canvases.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"

using namespace bitmaptest;

namespace {
constexpr platform::COLORREF kWhite = 0xFFFFFF;

struct ColorCase {
    TColor color;
    platform::COLORREF expected;
    const char* name;
};

class CanvasColorToRGB : public ::testing::TestWithParam<ColorCase> {};

TEST_P(CanvasColorToRGB, ConvertsSystemColoursOnly) { EXPECT_EQ(ColorToRGB(GetParam().color), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(Colors, CanvasColorToRGB,
                         ::testing::Values(ColorCase{clBlack, 0x000000, "Black"}, ColorCase{clRed, 0x0000FF, "Red"},
                                           ColorCase{0x123456, 0x123456, "Plain"},
                                           ColorCase{TColor(0x02000000 | 0x00FF00), 0x0200FF00, "PaletteRelative"},
                                           ColorCase{clWindow, platform::GetSysColor(5), "Window"},
                                           ColorCase{clWindowText, platform::GetSysColor(8), "WindowText"},
                                           ColorCase{clBtnFace, platform::GetSysColor(15), "BtnFace"}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST(Canvas, Defaults) {
    TBitmap bitmap;
    TCanvas& canvas = bitmap.Canvas();
    EXPECT_EQ(canvas.Pen().Color(), clBlack);
    EXPECT_EQ(canvas.Pen().Width(), 1);
    EXPECT_EQ(canvas.Pen().Style(), TPenStyle::psSolid);
    EXPECT_EQ(canvas.Brush().Color(), clWhite);
    EXPECT_EQ(canvas.Brush().Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(canvas.Font().Color(), clWindowText);
    EXPECT_EQ(canvas.Font().Height(), -11);  // 8 points at 96 pixels per inch, rounded
    EXPECT_EQ(canvas.CopyMode, platform::SRCCOPY);
}

TEST(Canvas, ClearBrushRules) {
    TBrush brush;
    brush.SetColor(clRed);
    brush.SetStyle(TBrushStyle::bsClear);
    EXPECT_EQ(brush.Color(), clWhite);
    brush.SetColor(clBlue);
    EXPECT_EQ(brush.Style(), TBrushStyle::bsSolid);
    EXPECT_EQ(brush.Color(), clBlue);
}

TEST(Canvas, ObjectsAreMadeOnDemandAndRemadeAfterAChange) {
    TPen pen;
    const platform::HPEN first = pen.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(pen.Handle(), first);
    pen.SetColor(clRed);
    const platform::HPEN second = pen.Handle();
    EXPECT_NE(second, first);
    EXPECT_EQ(platform::GetPenInfo(second).lopnColor, 0x0000FFu);
}

TEST(Canvas, ChangedObjectIsSelectedAgain) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Device, 2, 2);
    TCanvas& canvas = bitmap.Canvas();
    canvas.EnsureState(TCanvas::csAllValid);
    EXPECT_EQ(canvas.State(), TCanvas::csAllValid);
    canvas.Pen().SetWidth(3);
    EXPECT_EQ(canvas.State() & TCanvas::csPenValid, 0u);
    canvas.Brush().SetColor(clRed);
    EXPECT_EQ(canvas.State() & TCanvas::csBrushValid, 0u);
    canvas.EnsureState(TCanvas::csAllValid);
    EXPECT_EQ(platform::GetCurrentBrush(canvas.Handle()), canvas.Brush().Handle());
}

TEST(Canvas, WithoutContextRefusesToDraw) {
    TCanvas canvas;
    ExpectFailure<EInvalidOperation>([&] { canvas.FillArea(TRect{0, 0, 1, 1}); }, "Canvas does not allow drawing");
}

TEST(Canvas, DrawingNotifiesChangingFirstAndChangedLast) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Device, 2, 2);
    TCanvas& canvas = bitmap.Canvas();
    std::string log;
    canvas.OnChanging = [&](TObject*) { log += "<"; };
    canvas.OnChange = [&](TObject*) { log += ">"; };
    canvas.FillArea(TRect{0, 0, 1, 1});
    canvas.SetPixelAt(0, 0, clRed);
    canvas.CopyArea(TRect{0, 0, 1, 1}, canvas, TRect{1, 1, 2, 2});
    canvas.PixelAt(0, 0);  // reading tells nothing
    EXPECT_EQ(log, "<><><>");
}

TEST(Canvas, FillAndCopyArea) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 4, 2);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Brush().SetColor(clRed);
    canvas.FillArea(TRect{0, 0, 2, 2});
    EXPECT_EQ(Pixel(bitmap, 1, 1), platform::RGB(0xFF, 0, 0));
    EXPECT_EQ(Pixel(bitmap, 2, 0), kWhite);
    canvas.CopyMode = platform::NOTSRCCOPY;
    canvas.CopyArea(TRect{2, 0, 4, 2}, canvas, TRect{0, 0, 2, 2});
    EXPECT_EQ(Pixel(bitmap, 3, 1), platform::RGB(0, 0xFF, 0xFF));
}

TEST(Canvas, ClipAreaIsTheBitmap) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Device, 7, 3);
    EXPECT_EQ(bitmap.Canvas().ClipArea(), (TRect{0, 0, 7, 3}));
}

TEST(Canvas, SetPixelConvertsSystemColours) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits32, 1, 1);
    bitmap.Canvas().SetPixelAt(0, 0, clBtnFace);
    EXPECT_EQ(Pixel(bitmap, 0, 0), platform::GetSysColor(15));
}

TEST(CanvasLock, TryLockSucceedsOnlyOnAFreeCanvas) {
    TCanvas canvas;
    ASSERT_TRUE(canvas.TryLockCanvas());
    EXPECT_EQ(canvas.LockCount(), 1);
    EXPECT_FALSE(canvas.TryLockCanvas());
    canvas.UnlockCanvas();
    EXPECT_EQ(canvas.LockCount(), 0);
    canvas.LockCanvas();
    canvas.LockCanvas();  // recursive on one thread
    EXPECT_EQ(canvas.LockCount(), 2);
    canvas.UnlockCanvas();
    canvas.UnlockCanvas();
    EXPECT_TRUE(canvas.TryLockCanvas());
    canvas.UnlockCanvas();
}

TEST(CanvasLock, AnotherThreadsLockMakesTryLockFail) {
    TCanvas canvas;
    std::atomic<bool> locked{false}, release{false};
    std::thread holder([&] {
        canvas.LockCanvas();
        locked = true;
        while (!release) std::this_thread::yield();
        canvas.UnlockCanvas();
    });
    while (!locked) std::this_thread::yield();
    EXPECT_FALSE(canvas.TryLockCanvas());
    release = true;
    holder.join();
    EXPECT_TRUE(canvas.TryLockCanvas());
    canvas.UnlockCanvas();
}

TEST(BitmapCanvasContext, ReleasedAfterEachEventUnlessLocked) {
    TBitmap free, held;
    Shape(free, TPixelDepth::Device, 2, 2);
    Shape(held, TPixelDepth::Device, 2, 2);
    free.Canvas().PixelAt(0, 0);
    held.Canvas().PixelAt(0, 0);
    ASSERT_TRUE(free.Canvas().HandleAllocated());
    held.Canvas().LockCanvas();
    TBitmap::ReleaseIdleCanvasContexts();
    EXPECT_FALSE(free.Canvas().HandleAllocated());
    EXPECT_TRUE(held.Canvas().HandleAllocated());
    held.Canvas().UnlockCanvas();
    TBitmap::ReleaseIdleCanvasContexts();
    EXPECT_FALSE(held.Canvas().HandleAllocated());
    EXPECT_EQ(Pixel(held, 1, 1), kWhite);  // a new context comes on demand
}

// A surface can be selected in one context: the second canvas takes it from the first.
TEST(BitmapCanvasContext, SharedSurfaceMovesBetweenCanvases) {
    TBitmap first, second;
    Shape(first, TPixelDepth::Device, 2, 2);
    second.CopyFrom(&first);
    first.Canvas().PixelAt(0, 0);
    EXPECT_EQ(Pixel(second, 0, 0), kWhite);
    EXPECT_FALSE(first.Canvas().HandleAllocated());
    EXPECT_EQ(Pixel(first, 0, 0), kWhite);
}

// Drawing threads hold their canvas; the event loop's idle release runs meanwhile on this one.
TEST(BitmapCanvasContext, IdleReleaseWhileAnotherThreadDraws) {
    std::atomic<bool> done{false};
    int wrong = 0;
    std::thread drawer([&] {
        for (int i = 0; i < 200; ++i) {
            TBitmap bitmap;
            Shape(bitmap, TPixelDepth::Device, 2, 2);
            const TColor colour = TColor((i * 0x010305) & 0xFFFFFF);
            TCanvasLock hold(bitmap.Canvas());
            bitmap.Canvas().Brush().SetColor(colour);
            bitmap.Canvas().FillArea({0, 0, 2, 2});
            wrong += bitmap.Canvas().PixelAt(1, 1) != colour;
        }
        done = true;
    });
    while (!done) TBitmap::ReleaseIdleCanvasContexts();
    drawer.join();
    EXPECT_EQ(wrong, 0);
}

// A worker converting a picture draws without holding its canvases; the window's idle release
// must leave their contexts alone.
TEST(BitmapCanvasContext, IdleReleaseLeavesOtherThreadsContexts) {
    std::atomic<int> step{0};
    bool kept = false;
    std::thread worker([&] {
        TBitmap bitmap;
        Shape(bitmap, TPixelDepth::Device, 2, 2);
        bitmap.Canvas().PixelAt(0, 0);
        step = 1;
        while (step != 2) std::this_thread::yield();
        kept = bitmap.Canvas().HandleAllocated();
    });
    while (step != 1) std::this_thread::yield();
    TBitmap::ReleaseIdleCanvasContexts();
    step = 2;
    worker.join();
    EXPECT_TRUE(kept);
}

TEST(BitmapCanvasContext, KeepsPenPositionAcrossContexts) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Device, 2, 2);
    bitmap.Canvas().PenPos = TPoint{1, 1};
    bitmap.Canvas().PixelAt(0, 0);
    TBitmap::ReleaseIdleCanvasContexts();
    EXPECT_EQ(bitmap.Canvas().PenPos, (TPoint{1, 1}));
}
}  // namespace
