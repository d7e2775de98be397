// Every frame of the conformance suite's GIFs as a painter composes it, against the suite's
// reference frames; pixels the reference leaves clear must show what the target held before.

#include <gtest/gtest.h>

#include <QImage>

#include "GifTestSupport.h"
#include "gif/GIFPainter.h"
#include "graphics/Bitmap.h"
#include "platform/Clock.h"
#include "platform/OwnerThread.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

constexpr TColor kUnder = 0x030201;  // what the target holds before drawing; no suite colour

struct Captured {
    std::vector<std::vector<TColor>> frames;
};

// Read from a 32-bit copy, whose rows are blue, green, red, unused.
std::vector<TColor> Pixels(TBitmap& bitmap) {
    TBitmap copy;
    copy.CopyFrom(&bitmap);
    copy.ChangeDepth(TPixelDepth::Bits32);
    std::vector<TColor> pixels;
    for (int y = 0; y < copy.ImageHeight(); ++y) {
        const std::uint8_t* row = copy.ReadScanRow(y);
        for (int x = 0; x < copy.ImageWidth(); ++x)
            pixels.push_back(TColor(row[4 * x + 2] | row[4 * x + 1] << 8 | row[4 * x] << 16));
    }
    return pixels;
}

std::unique_ptr<TBitmap> Target(int width, int height) { return FilledBitmap(width, height, kUnder); }

int Mismatches(const std::vector<TColor>& ours, const QImage& reference) {
    if (int(ours.size()) != reference.width() * reference.height()) return -1;
    int mismatches = 0;
    for (int y = 0; y < reference.height(); ++y)
        for (int x = 0; x < reference.width(); ++x) {
            const QRgb want = reference.pixel(x, y);
            const TColor expected = qAlpha(want) == 0 ? kUnder : qRed(want) | qGreen(want) << 8 | qBlue(want) << 16;
            mismatches += ours[std::size_t(y * reference.width() + x)] != expected;
        }
    return mismatches;
}

// Draws the image with the painter's callbacks noting the composed screen after each frame of
// the first pass; threaded painters are served by waiting, as an owner thread without a loop.
Captured PaintFirstPass(TGIFImage& image, bool threaded, int frames) {
    Captured captured;
    image.OnFramePainted = [&](TObject*) {
        if (int(captured.frames.size()) < frames) captured.frames.push_back(Pixels(*image.CompositeBitmap()));
    };
    if (!threaded) image.PaintOptions &= std::uint16_t(~goThreadedPaint);
    image.SpeedPercent = 2000;
    auto target = Target(image.ImageWidth(), image.ImageHeight());
    image.DrawInto(target->Canvas(), {0, 0, image.ImageWidth(), image.ImageHeight()});
    while (int(captured.frames.size()) < frames && image.ShowingPainter())
        platform::WaitAndServiceOwnerThread(std::chrono::milliseconds(50));
    image.StopAllPainters();
    return captured;
}

class GifPaintSuite : public testing::TestWithParam<bool> {};

}  // namespace

TEST_P(GifPaintSuite, EveryFrameMatchesItsReference) {
    REQUIRE_TESTDATA(root);
    std::unique_ptr<platform::TSteppedClock> clock;
    if (!GetParam()) clock = std::make_unique<platform::TSteppedClock>();
    const std::filesystem::path folder = root / "gif-test-suite" / "gifs";
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".gif") continue;
        const std::string stem = entry.path().stem().string();
        SCOPED_TRACE(stem);
        std::vector<QImage> references;
        for (int k = 0;; ++k) {
            const QImage frame(
                QString::fromStdString((folder / "frames" / (stem + "-" + std::to_string(k) + ".png")).string()));
            if (frame.isNull()) break;
            references.push_back(frame.convertToFormat(QImage::Format_ARGB32));
        }
        Loaded loaded = Load(ReadFile(entry.path()));
        TGIFImage& image = *loaded.image;
        if (references.empty()) {
            const QImage still(QString::fromStdString((folder / "frames" / (stem + ".png")).string()));
            ASSERT_FALSE(still.isNull());
            auto target = Target(image.ImageWidth(), image.ImageHeight());
            image.DrawInto(target->Canvas(), {0, 0, image.ImageWidth(), image.ImageHeight()});
            EXPECT_EQ(Mismatches(Pixels(*target), still.convertToFormat(QImage::Format_ARGB32)), 0);
            ++checked;
            continue;
        }
        const Captured captured = PaintFirstPass(image, GetParam(), int(references.size()));
        ASSERT_EQ(captured.frames.size(), references.size());
        for (std::size_t k = 0; k < references.size(); ++k) {
            EXPECT_EQ(Mismatches(captured.frames[k], references[k]), 0) << "frame " << k;
            ++checked;
        }
    }
    EXPECT_GT(checked, 40);
}

INSTANTIATE_TEST_SUITE_P(Painters, GifPaintSuite, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& p) { return p.param ? "Threaded" : "Stepped"; });
