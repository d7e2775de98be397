// Progress of encoding and decoding: the stages, the throttle, and cancelling by EAbort.

#include <gtest/gtest.h>

#include <functional>

#include "JpegTestSupport.h"
#include "platform/Clock.h"

using namespace jpegtest;

namespace {

constexpr int Width = 40, Height = 400;

class JpegProgress : public ::testing::Test {
protected:
    // An image holding a file of the test size, its progress going to `log`.
    std::unique_ptr<TJPEGImage> LoadedImage(std::function<void()> onRunning = {}) {
        auto image = Load(EncodePattern(Width, Height));
        log.Attach(*image, std::move(onRunning));
        return image;
    }
    // An image holding only a bitmap of the test size, its progress going to `log`.
    std::unique_ptr<TJPEGImage> BitmapImage(std::function<void()> onRunning = {}) {
        auto bitmap = MakeBitmap(Width, Height, Pattern);
        auto image = std::make_unique<TJPEGImage>();
        image->CopyFrom(bitmap.get());
        log.Attach(*image, std::move(onRunning));
        return image;
    }
    ProgressLog log;
};

TEST_F(JpegProgress, FrozenClockGivesOnlyStartAndEnd) {
    platform::TSteppedClock clock(1000);
    auto image = LoadedImage();
    image->Decode();
    EXPECT_EQ(log.starting, 1);
    EXPECT_EQ(log.running, 0);
    EXPECT_EQ(log.ending, 1);
    EXPECT_EQ(log.endingPercent, 100);
}

// With the clock jumping a second at every look, every change of percentage is reported.
TEST_F(JpegProgress, DecodingReportsRisingPercentagesAndContiguousBands) {
    platform::TSteppedClock clock(1000, 1000);
    auto image = LoadedImage();
    image->Decode();
    ASSERT_GT(log.running, 1);
    std::int32_t lastBottom = 0;
    for (std::size_t i = 0; i < log.percents.size(); ++i) {
        if (i > 0) {
            EXPECT_GT(log.percents[i], log.percents[i - 1]);
        }
        EXPECT_LE(log.percents[i], 100);
        const TRect& band = log.bands[i];
        EXPECT_EQ(band.left, 0);
        EXPECT_EQ(band.right, Width);
        EXPECT_EQ(band.top, lastBottom);
        EXPECT_GE(band.bottom, band.top);
        EXPECT_EQ(log.redraws[i], band.Height() >= 4);
        lastBottom = band.bottom;
    }
    EXPECT_TRUE(std::find(log.redraws.begin(), log.redraws.end(), true) != log.redraws.end());
}

TEST_F(JpegProgress, EncodingReportsWithoutBands) {
    platform::TSteppedClock clock(1000, 1000);
    auto holder = BitmapImage();
    TJPEGImage& image = *holder;
    image.Encode();
    EXPECT_EQ(log.starting, 1);
    EXPECT_EQ(log.ending, 1);
    EXPECT_EQ(log.endingPercent, 100);
    ASSERT_GT(log.running, 1);
    for (std::size_t i = 0; i < log.bands.size(); ++i) {
        EXPECT_EQ(log.bands[i], TRect{});
        EXPECT_FALSE(log.redraws[i]);
        if (i > 0) {
            EXPECT_GT(log.percents[i], log.percents[i - 1]);
        }
    }
}

// A clock advancing 100 ms per look allows a report at most every fifth look.
TEST_F(JpegProgress, AtMostOneReportPerHalfSecond) {
    platform::TSteppedClock clock(1000, 100);
    auto image = LoadedImage();
    image->Decode();
    EXPECT_GT(log.running, 0);
    EXPECT_LE(std::uint32_t(log.running), clock.Reads() / 5 + 1);
}

TEST_F(JpegProgress, EAbortWhileDecodingKeepsThePartialBitmap) {
    platform::TSteppedClock clock(1000, 1000);
    auto image = LoadedImage([] { throw EAbort(); });
    TBitmap* decoded = nullptr;
    ASSERT_NO_THROW(decoded = image->Decode());
    ASSERT_NE(decoded, nullptr);
    EXPECT_EQ(decoded->ImageHeight(), Height);
    EXPECT_EQ(log.running, 1);
    EXPECT_EQ(log.endingPercent, 0);
    EXPECT_EQ(image->Decode(), decoded) << "the partial bitmap is kept";
}

TEST_F(JpegProgress, EAbortWhileEncodingDropsTheData) {
    platform::TSteppedClock clock(1000, 1000);
    auto holder = BitmapImage([] { throw EAbort(); });
    TJPEGImage& image = *holder;
    ASSERT_NO_THROW(image.Encode());
    EXPECT_EQ(image.DataObject().ByteStream, nullptr);
    EXPECT_NE(image.HeldBitmap(), nullptr);
    EXPECT_EQ(log.endingPercent, 0);
}

TEST_F(JpegProgress, OtherFailuresOfAHandlerPassThroughDecoding) {
    platform::TSteppedClock clock(1000, 1000);
    auto image = LoadedImage([] { throw EInvalidOperation("stop"); });
    EXPECT_THROW(image->Decode(), EInvalidOperation);
    EXPECT_EQ(log.ending, 1);
    EXPECT_EQ(log.endingPercent, 0);
    ASSERT_NE(image->HeldBitmap(), nullptr);
    EXPECT_NO_THROW(image->Decode());
    EXPECT_EQ(log.starting, 1) << "the kept bitmap is not decoded again";
}

TEST_F(JpegProgress, OtherFailuresOfAHandlerPassThroughEncoding) {
    platform::TSteppedClock clock(1000, 1000);
    auto holder = BitmapImage([] { throw EInvalidOperation("stop"); });
    TJPEGImage& image = *holder;
    EXPECT_THROW(image.Encode(), EInvalidOperation);
    EXPECT_EQ(log.endingPercent, 0);
}

TEST_F(JpegProgress, EncodingWithoutBitmapReportsNothing) {
    TJPEGImage image;
    log.Attach(image);
    image.Encode();
    EXPECT_EQ(log.starting + log.running + log.ending, 0);
}

}  // namespace
