// Drawing GIFs and their painters: placement and stretching of one frame, the first frame of an
// animation, delays on a stepped clock, loop counts, and painters on their own threads meeting
// the image's destruction, a reset and a second canvas.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "GifTestSupport.h"
#include "gif/GIFFrameDraw.h"
#include "gif/GIFMessages.h"
#include "gif/GIFPainter.h"
#include "graphics/Bitmap.h"
#include "graphics/Exceptions.h"
#include "graphics/Streams.h"
#include "platform/Clock.h"
#include "platform/OwnerThread.h"

using namespace giftest;

namespace {

constexpr TColor kUnder = 0x336699;  // what a target holds before drawing

// Gray levels of a 2-bit global map, as GifBuilder makes it.
constexpr TColor Gray(int index) { return TColor(0x010101 * (index * 255 / 3)); }

// A frame of width x height all of one index (min code size 2: clear, literals, end).
GifBuilder& SolidFrame(GifBuilder& b, int left, int top, int width, int height, int index) {
    std::vector<int> codes{4};
    codes.insert(codes.end(), std::size_t(width * height), index);
    codes.push_back(5);
    return b.Descriptor(left, top, width, height).Codes(2, codes);
}

Bytes LoopExtension(int loops) {
    Bytes b{0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1};
    b.push_back(std::uint8_t(loops));
    b.push_back(std::uint8_t(loops >> 8));
    b.push_back(0);
    return b;
}

// A 4 x 4 animation; frame k is all index k % 3 + 1 and waits `delay`; loops < 0: no looping
// extension.
Bytes Animation(int frames, int delay, int loops = -1, int disposal = 1) {
    GifBuilder b;
    b.Header(4, 4, 2);
    if (loops >= 0) b.Raw(LoopExtension(loops));
    for (int k = 0; k < frames; ++k) SolidFrame(b.GraphicControl(disposal, delay), 0, 0, 4, 4, k % 3 + 1);
    return b.Trailer().Get();
}

std::unique_ptr<TBitmap> Target(int width, int height) { return FilledBitmap(width, height, kUnder); }

TColor PixelOf(TBitmap& bitmap, int x, int y) { return bitmap.Canvas().PixelAt(x, y) & 0xFFFFFF; }

// Serves the owner queue until the condition holds or the painters are gone.
template <class Done>
void ServeUntil(TGIFImage& image, Done done) {
    while (!done() && image.ShowingPainter()) platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(20));
}

}  // namespace

// --- one frame drawn at once -------------------------------------------------------------------

struct PlacementCase {
    const char* name;
    int screen, left, top, size;  // square screen and frame
    TRect rect;
    TRect covered;           // where the frame must land; the rest of the target keeps kUnder
    bool transparentCorner;  // the frame's top-left 2 x 2 pixels are transparent (one pixel halved)
};

class GifPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(GifPlacement, FrameCoversItsShareOnly) {
    const PlacementCase& c = GetParam();
    GifBuilder b;
    b.Header(c.screen, c.screen, 2);
    if (c.transparentCorner) b.GraphicControl(0, 0, 0);
    std::vector<int> codes{4};
    for (int i = 0; i < c.size * c.size; ++i)
        codes.push_back(c.transparentCorner && i % c.size < 2 && i / c.size < 2 ? 0 : 3);
    codes.push_back(5);
    Loaded loaded = Load(b.Descriptor(c.left, c.top, c.size, c.size).Codes(2, codes).Trailer().Get());
    auto target = Target(c.rect.right + 4, c.rect.bottom + 4);
    loaded.image->DrawInto(target->Canvas(), c.rect);
    EXPECT_EQ(loaded.image->ShowingPainter(), nullptr);
    for (int y = 0; y < target->ImageHeight(); ++y)
        for (int x = 0; x < target->ImageWidth(); ++x) {
            const bool inside =
                x >= c.covered.left && x < c.covered.right && y >= c.covered.top && y < c.covered.bottom;
            const bool corner = c.transparentCorner && x == c.covered.left && y == c.covered.top;
            ASSERT_EQ(PixelOf(*target, x, y), inside && !corner ? Gray(3) : kUnder) << x << "," << y;
        }
}

INSTANTIATE_TEST_SUITE_P(
    OneFrame, GifPlacement,
    testing::Values(PlacementCase{"offsetDoubled", 40, 10, 10, 20, {0, 0, 80, 80}, {20, 20, 60, 60}, false},
                    PlacementCase{"shrunkWithHole", 8, 0, 0, 8, {2, 2, 6, 6}, {2, 2, 6, 6}, true},
                    PlacementCase{"pastTheScreenIsClipped", 4, 2, 2, 4, {0, 0, 4, 4}, {2, 2, 6, 6}, false}),
    [](const testing::TestParamInfo<PlacementCase>& p) { return p.param.name; });

TEST(GifDraw, TiledImageRepeatsAtItsNaturalSize) {
    GifBuilder b;
    b.Header(4, 4, 2);
    Loaded loaded = Load(SolidFrame(b, 1, 1, 2, 2, 3).Trailer().Get());
    loaded.image->PaintOptions |= goTileImage;
    auto target = Target(10, 10);
    loaded.image->DrawInto(target->Canvas(), {0, 0, 10, 10});
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            EXPECT_EQ(PixelOf(*target, x, y), x % 4 >= 1 && x % 4 < 3 && y % 4 >= 1 && y % 4 < 3 ? Gray(3) : kUnder);
}

TEST(GifDraw, FramesWithoutAnyColourTableFailWhenDrawn) {
    GifBuilder b;
    b.Header(4, 4, 0);
    SolidFrame(b, 0, 0, 4, 4, 1);
    SolidFrame(b, 0, 0, 4, 4, 2);
    Loaded loaded = Load(b.Trailer().Get());
    auto target = Target(4, 4);
    try {
        loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
        FAIL() << "drawn without colours";
    } catch (const GIFException& e) {
        EXPECT_EQ(e.Message(), gifmsg::SNoColorTable);
    }
}

// --- animations: the first frame, then the composed screen --------------------------------------

TEST(GifAnimation, DrawIntoShowsTheFirstFrameAndLeavesThePainterRunning) {
    Loaded loaded = Load(Animation(3, 1, 0));
    TGIFImage& image = *loaded.image;
    auto target = Target(8, 8);
    image.DrawInto(target->Canvas(), {0, 0, 8, 8});
    EXPECT_EQ(PixelOf(*target, 7, 7), Gray(1));
    ASSERT_NE(image.ShowingPainter(), nullptr);
    EXPECT_TRUE(image.ShowingPainter()->Threaded());
    // A second drawing shows the composed screen as it is now, whichever frame that is.
    ServeUntil(image, [&] { return PixelOf(*image.CompositeBitmap(), 0, 0) == Gray(2); });
    image.DrawInto(target->Canvas(), {0, 0, 8, 8});
    EXPECT_EQ(PixelOf(*target, 0, 0), PixelOf(*image.CompositeBitmap(), 0, 0));
}

TEST(GifAnimation, WithoutAnimateFramesOnlyTheFirstFrameIsDrawn) {
    Loaded loaded = Load(Animation(3, 1, 0));
    loaded.image->PaintOptions &= std::uint16_t(~goAnimateFrames);
    auto target = Target(4, 4);
    loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(PixelOf(*target, 0, 0), Gray(1));
    EXPECT_EQ(loaded.image->ShowingPainter(), nullptr);
    EXPECT_EQ(loaded.image->CompositeBitmap(), nullptr);
}

TEST(GifAnimation, EveryChangeOfTheComposedScreenNotifiesTheImage) {
    Loaded loaded = Load(Animation(3, 1, 0));
    TGIFImage& image = *loaded.image;
    int changes = 0;
    image.OnChange = [&](TObject*) { ++changes; };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    const int afterFirst = changes;
    EXPECT_GT(afterFirst, 0);
    ServeUntil(image, [&] { return changes > afterFirst; });
    EXPECT_GT(changes, afterFirst);
}

TEST(GifAnimation, FramesBuiltOnThePainterThreadReportTheirProgressOnTheOwnerThread) {
    Loaded loaded = Load(Animation(3, 1, 0));
    TGIFImage& image = *loaded.image;
    const std::thread::id owner = std::this_thread::get_id();
    int builds = 0, elsewhere = 0;
    image.OnProgress = [&](TObject*, TProgressStage stage, std::uint8_t, bool, const TRect&, const std::string&) {
        elsewhere += std::this_thread::get_id() != owner;
        builds += stage == TProgressStage::psEnding;
    };
    int restarts = 0;
    image.OnLoopRestarting = [&](TObject*) { ++restarts; };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    ServeUntil(image, [&] { return restarts >= 2; });
    EXPECT_EQ(builds, 3);  // each frame once: later passes find them built
    EXPECT_EQ(elsewhere, 0);
}

// On a palette display frames carry the web colours; composed in the painter's backup bitmap
// (disposal 2) or painted onto the target beside it (3), they reach the target unchanged.
class GifBufferedOnPaletteDisplay : public testing::TestWithParam<int> {};

TEST_P(GifBufferedOnPaletteDisplay, FrameColoursReachTheTarget) {
    DisplayBits display(8);
    Loaded loaded = Load(Animation(2, 1, 0, GetParam()));
    auto target = Target(4, 4);
    loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
    TBitmap& frame = *gif::FrameBitmap(*loaded.image->Images().Frame(0));
    for (int i = 0; i < 16; ++i) EXPECT_EQ(PixelOf(*target, i % 4, i / 4), PixelOf(frame, i % 4, i / 4)) << i;
}

INSTANTIATE_TEST_SUITE_P(Disposals, GifBufferedOnPaletteDisplay, testing::Values(2, 3));

// --- delays and loop counts, without a thread, on a stepped clock --------------------------------

struct DelayCase {
    const char* name;
    int delay, speed;
    std::int64_t waitMs;  // between two frames
};

class GifDelay : public testing::TestWithParam<DelayCase> {};

TEST_P(GifDelay, WaitBetweenFrames) {
    const DelayCase& c = GetParam();
    platform::TSteppedClock clock(1000);
    Loaded loaded = Load(Animation(3, c.delay));
    TGIFImage& image = *loaded.image;
    image.PaintOptions &= std::uint16_t(~goThreadedPaint);
    image.SpeedPercent = c.speed;
    std::vector<std::int64_t> times;
    image.OnFramePainting = [&](TObject*) { times.push_back(platform::MilliClock()); };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    ASSERT_EQ(times.size(), 3u);
    // Painting takes no time on this clock, so the overhead half is 0 and each wait is whole.
    EXPECT_EQ(times[2] - times[1], c.waitMs);
}

INSTANTIATE_TEST_SUITE_P(Delays, GifDelay,
                         testing::Values(DelayCase{"oneRaisedToThree", 1, 100, 36},
                                         DelayCase{"zeroMeansTen", 0, 100, 120},
                                         DelayCase{"doubleSpeedHalves", 0, 200, 60},
                                         DelayCase{"capWithoutThread", 5000, 100, 12000}),
                         [](const testing::TestParamInfo<DelayCase>& p) { return p.param.name; });

struct LoopCase {
    const char* name;
    int loops;  // -1: no looping extension
    std::uint16_t extraOptions;
    int framesPainted;  // of a 2-frame image, stopped after 10
};

class GifLoops : public testing::TestWithParam<LoopCase> {};

TEST_P(GifLoops, PassesFollowTheLoopCount) {
    const LoopCase& c = GetParam();
    platform::TSteppedClock clock;
    Loaded loaded = Load(Animation(2, 1, c.loops));
    TGIFImage& image = *loaded.image;
    image.PaintOptions = std::uint16_t((image.PaintOptions & ~goThreadedPaint) | c.extraOptions);
    int painted = 0;
    image.OnFramePainted = [&](TObject* sender) {
        if (++painted == 10) static_cast<TGIFPainter*>(sender)->StopPainting();
    };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(painted, c.framesPainted);
}

INSTANTIATE_TEST_SUITE_P(Loops, GifLoops,
                         testing::Values(LoopCase{"noExtensionOnce", -1, 0, 2}, LoopCase{"twoPasses", 2, 0, 4},
                                         LoopCase{"zeroOnceWithoutThread", 0, 0, 2},
                                         LoopCase{"endlessUntilStopped", -1, goLoopEndlessly, 10},
                                         LoopCase{"noRepeatOnePass", 3, std::uint16_t(0), 6}),
                         [](const testing::TestParamInfo<LoopCase>& p) { return p.param.name; });

TEST(GifLoopsThreaded, LoopCountZeroRepeatsUntilTheImageGoes) {
    Loaded loaded = Load(Animation(2, 1, 0));
    TGIFImage& image = *loaded.image;
    image.SpeedPercent = 1000;
    int restarts = 0;
    image.OnLoopRestarting = [&](TObject*) { ++restarts; };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    ServeUntil(image, [&] { return restarts >= 3; });
    EXPECT_GE(restarts, 3);
    loaded.image.reset();  // stops and frees the painter
}

// --- painters on their own threads ---------------------------------------------------------------

struct EndCase {
    const char* name;
    int delay;      // a long delay keeps the painter sleeping
    bool waitStep;  // let the painter queue its next paint step before the end
    bool reset;     // reading another file instead of destroying the image
};

class GifPainterEnd : public testing::TestWithParam<EndCase> {};

TEST_P(GifPainterEnd, EndsCleanlyWhileSleepingOrPainting) {
    const EndCase& c = GetParam();
    Loaded loaded = Load(Animation(3, c.delay, 0));
    TGIFImage& image = *loaded.image;
    image.SpeedPercent = 1000;
    std::atomic<int> painting{0};
    image.OnFramePainting = [&](TObject*) { ++painting; };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    ASSERT_NE(image.ShowingPainter(), nullptr);
    if (c.waitStep) std::this_thread::sleep_for(std::chrono::milliseconds(50));  // a step waits in the queue
    if (c.reset) {
        const Bytes other = Animation(2, 1);
        TMemoryStream stream;
        stream.WriteBuffer(other.data(), std::int64_t(other.size()));
        stream.SetPosition(0);
        image.LoadFromStream(stream);
        EXPECT_EQ(image.ShowingPainter(), nullptr);
        EXPECT_EQ(image.Images().Count(), 2);
    } else {
        loaded.image.reset();
    }
    platform::ServiceOwnerThread();  // nothing of the painter may remain queued
}

INSTANTIATE_TEST_SUITE_P(Threads, GifPainterEnd,
                         testing::Values(EndCase{"destroyedWhileSleeping", 60000, false, false},
                                         EndCase{"destroyedWithAStepQueued", 1, true, false},
                                         EndCase{"resetDuringAFrame", 1, true, true}),
                         [](const testing::TestParamInfo<EndCase>& p) { return p.param.name; });

TEST(GifPainterThreads, TwoCanvasesAnimateTheSameImage) {
    Loaded loaded = Load(Animation(3, 1, 0));
    TGIFImage& image = *loaded.image;
    image.SpeedPercent = 1000;
    auto first = Target(4, 4), second = Target(8, 8);
    TGIFPainter *a = nullptr, *b = nullptr;
    const std::uint16_t options = image.PaintOptions | goPaintOnTarget;
    image.StartPainter(&a, first->Canvas(), options, {0, 0, 4, 4})->StartPainting();
    image.StartPainter(&b, second->Canvas(), options, {0, 0, 8, 8})->StartPainting();
    std::atomic<int> painted{0};
    while (painted < 6 && a && b) {
        platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(20));
        painted = (PixelOf(*first, 0, 0) == Gray(3)) + (PixelOf(*second, 7, 7) == Gray(3)) + painted;
    }
    EXPECT_GE(painted, 6);
    image.StopAllPainters();
    EXPECT_EQ(a, nullptr);
    EXPECT_EQ(b, nullptr);
}

TEST(GifPainterThreads, SpeedBelowOnePausesAfterTheFirstFrameUntilStopped) {
    for (const int speed : {0, -50}) {
        SCOPED_TRACE(speed);
        Loaded loaded = Load(Animation(3, 1, 0));
        loaded.image->SpeedPercent = speed;
        int painted = 0;
        loaded.image->OnFramePainted = [&](TObject*) { ++painted; };
        auto target = Target(4, 4);
        loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
        for (int i = 0; i < 5; ++i) platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(20));
        EXPECT_EQ(painted, 1);
        loaded.image.reset();  // the paused painter still ends
    }
}

// --- the target canvas checked -------------------------------------------------------------------

// Disposal 1 paints straight onto the target, 3 through the painter's backup bitmap.
class GifCanvasCheck : public testing::TestWithParam<int> {
protected:
    void Start(TCanvas& canvas) {
        image_.OnFramePainted = [this](TObject*) { ++painted_; };
        image_.SpeedPercent = 1000;
        const std::uint16_t options = image_.PaintOptions | goPaintOnTarget | goCheckCanvasValid;
        image_.StartPainter(&painter_, canvas, options, {0, 0, 4, 4})->StartPainting();
    }
    // Serves the painter as an event loop would, idle bitmap contexts given back after each round.
    void Serve(int painted) {
        for (int round = 0; round < 500 && painter_ && painted_ < painted; ++round) {
            platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(20));
            TBitmap::ReleaseIdleCanvasContexts();
        }
    }
    Loaded loaded_ = Load(Animation(3, 1, 0, GetParam()));
    TGIFImage& image_ = *loaded_.image;
    TGIFPainter* painter_ = nullptr;
    int painted_ = 0;
};

TEST_P(GifCanvasCheck, KeepsAnimatingALiveBitmapCanvas) {
    auto target = Target(4, 4);
    Start(target->Canvas());
    Serve(7);
    EXPECT_GE(painted_, 7);
    EXPECT_NE(painter_, nullptr);
    image_.StopAllPainters();
}

TEST_P(GifCanvasCheck, StopsWhenItsCanvasIsGone) {
    auto target = Target(4, 4);
    Start(target->Canvas());
    Serve(1);
    ASSERT_GE(painted_, 1);
    target.reset();
    Serve(1000);
    EXPECT_EQ(painter_, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Disposals, GifCanvasCheck, testing::Values(1, 3));

// --- every wait for a painter ends ---------------------------------------------------------------

// An endless animation whose first frame has a reserved disposal method (painted as one that is
// not disposed of), followed by extensions without an image.
Bytes ReservedFirstFrame(int firstDisposal, int laterDisposal) {
    GifBuilder b;
    b.Header(4, 4, 2).Raw(LoopExtension(0));
    SolidFrame(b.GraphicControl(firstDisposal, 10), 0, 0, 4, 4, 3);
    return b.GraphicControl(laterDisposal, 10).Trailer().Get();
}

class GifReservedDisposal : public testing::TestWithParam<std::pair<int, int>> {};

TEST_P(GifReservedDisposal, DrawReturnsWithTheFirstFrame) {
    Loaded loaded = Load(ReservedFirstFrame(GetParam().first, GetParam().second));
    auto target = Target(4, 4);
    loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(PixelOf(*target, 1, 1), Gray(3));
}

INSTANTIATE_TEST_SUITE_P(Disposals, GifReservedDisposal,
                         testing::Values(std::pair{5, 2}, std::pair{5, 3}, std::pair{7, 6}, std::pair{4, 0}));

// Seven 8192 x 8192 frames that restore the previous picture, or 63 of 8192 x 1024, each a few
// bytes of data: the animation's bitmaps would not fit, so the first frame is drawn alone and
// the later frames stay encoded.
class GifBomb : public testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(GifBomb, ShowsItsFirstFrameWithoutAnimating) {
    const auto [frames, height, disposal] = GetParam();
    GifBuilder b;
    b.Header(8192, height, 2).Raw(LoopExtension(0));
    for (int i = 0; i < frames; ++i) b.GraphicControl(disposal, 10).Descriptor(0, 0, 8192, height).Codes(2, {4, 3, 5});
    Loaded loaded = Load(b.Trailer().Get());
    TGIFImage& image = *loaded.image;
    ASSERT_EQ(image.Images().Count(), frames);
    auto target = Target(8, 8);
    image.DrawInto(target->Canvas(), {0, 0, 8, 8});
    EXPECT_EQ(image.ShowingPainter(), nullptr);
    EXPECT_EQ(PixelOf(*target, 0, 0), Gray(0));  // the pixels the data does not reach
    for (int i = 1; i < frames; ++i) EXPECT_TRUE(image.Images().Frame(i)->PixelsPending()) << i;
}

INSTANTIATE_TEST_SUITE_P(Bombs, GifBomb, testing::Values(std::tuple{7, 8192, 3}, std::tuple{63, 1024, 1}));

TEST(GifWaitBounds, AFirstFrameLateBeyondTheLimitLeavesTheDrawWithWhatItHas) {
    Loaded loaded = Load(Animation(2, 1, 0));
    TGIFImage& image = *loaded.image;
    image.WaitLimits.FirstFrameMs = 20;
    image.OnPaintStarting = [](TObject*) { std::this_thread::sleep_for(std::chrono::milliseconds(60)); };
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(PixelOf(*target, 1, 1), kUnder);
    ASSERT_NE(image.ShowingPainter(), nullptr);  // still at work: the screen gets its frame later
    ServeUntil(image, [&] { return PixelOf(*image.CompositeBitmap(), 1, 1) == Gray(1); });
    EXPECT_EQ(PixelOf(*image.CompositeBitmap(), 1, 1), Gray(1));
}

TEST(GifWaitBounds, APainterWhoseOwnerDoesNotServeItStops) {
    Loaded loaded = Load(Animation(2, 1, 0));
    TGIFImage& image = *loaded.image;
    image.WaitLimits.OwnerStepMs = 20;
    image.OnPaintStarting = [](TObject*) {};  // the painter's first step
    auto target = Target(4, 4);
    TGIFPainter* painter = nullptr;
    image.StartPainter(&painter, target->Canvas(), image.PaintOptions | goPaintOnTarget, {0, 0, 4, 4})->StartPainting();
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // the owner is busy elsewhere
    for (int i = 0; i < 100 && painter; ++i) platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(20));
    EXPECT_EQ(painter, nullptr);
    EXPECT_EQ(PixelOf(*target, 1, 1), kUnder);  // the withdrawn steps never ran
}

// Frame 0 holds extensions only (a zero byte ends it): no pass can show anything, so an endless
// painter ends instead of repeating empty passes, and the draw with it.
TEST(GifWaitBounds, AnEndlessAnimationStartingWithoutPixelsEnds) {
    GifBuilder b;
    b.Header(4, 4, 2).GraphicControl(1, 10).Raw({0});
    Loaded loaded = Load(SolidFrame(b.GraphicControl(1, 10), 0, 0, 4, 4, 3).Trailer().Get());
    TGIFImage& image = *loaded.image;
    ASSERT_EQ(image.Images().Count(), 2);
    image.PaintOptions |= goLoopEndlessly;
    auto target = Target(4, 4);
    image.DrawInto(target->Canvas(), {0, 0, 4, 4});
    EXPECT_EQ(image.ShowingPainter(), nullptr);
    EXPECT_EQ(PixelOf(*target, 1, 1), kUnder);
}
