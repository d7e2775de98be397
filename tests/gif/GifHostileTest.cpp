// Damaged files: every one ends in a model or a GIFException, never a crash, a hang or a
// sanitizer report. What loads is also drawn, as the conversion command draws a preview.

#include <gtest/gtest.h>

#include <random>

#include "GifTestSupport.h"
#include "graphics/Bitmap.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

// Loads and draws the bytes; the message of the library's own exception when reading failed,
// "" when it loaded.
std::string FailureOf(const Bytes& bytes) {
    try {
        Loaded loaded = Load(bytes);
        TBitmap target;
        target.ResizeWidth(16);
        target.ResizeHeight(12);
        try {
            target.Canvas().StretchDrawGraphic({0, 0, 16, 12}, loaded.image.get());
        } catch (const GIFException&) {
            // A frame without any colour table cannot be drawn.
        }
        return "";
    } catch (const GIFException& error) {
        return error.Message();
    }
}

// A file cut short only ever lacks bytes: it loads, or fails for want of them. True when it failed.
bool ExpectLoadsOrLacksBytes(const Bytes& cut) {
    const std::string failure = FailureOf(cut);
    EXPECT_TRUE(failure.empty() || failure == "Premature end of data" || failure == "Unknown extension type")
        << failure << " at " << cut.size() << " bytes";
    return !failure.empty();
}

std::vector<Bytes> SuiteFiles() {
    std::vector<Bytes> files;
    if (const auto root = testdata::Root())
        for (const auto& entry : std::filesystem::directory_iterator(*root / "gif-test-suite" / "gifs"))
            if (entry.path().extension() == ".gif") files.push_back(ReadFile(entry.path()));
    return files;
}

}  // namespace

TEST(GifHostile, TruncatedAtEveryByteOfASmallFile) {
    REQUIRE_TESTDATA(root);
    const Bytes whole = ReadFile(root / "gif-test-suite" / "gifs" / "animated_transparent_frame_restoreprev_loop.gif");
    ASSERT_FALSE(whole.empty());
    int failures = 0;
    for (std::size_t n = 0; n < whole.size(); ++n)
        failures += ExpectLoadsOrLacksBytes(Bytes(whole.begin(), whole.begin() + long(n)));
    EXPECT_GT(failures, 0);  // cuts inside the header must fail
}

TEST(GifHostile, TruncatedAtSixtyFourPointsOfLargeFiles) {
    std::vector<Bytes> files = SuiteFiles();
    files.push_back(MagickGif(Photo("nature/Garden.jpg"), {"-resize", "640x480", "-interlace", "GIF"}));
    for (const Bytes& whole : files) {
        if (whole.size() < 64) continue;
        for (int i = 1; i <= 64; ++i)
            ExpectLoadsOrLacksBytes(Bytes(whole.begin(), whole.begin() + long(whole.size() * i / 65)));
    }
}

TEST(GifHostile, RandomDamageOfFiveHundredFiles) {
    const std::vector<Bytes> files = SuiteFiles();
    if (files.empty()) GTEST_SKIP() << "no conformance files";
    std::mt19937 random(20261207);
    int loaded = 0;
    for (int i = 0; i < 500; ++i) {
        Bytes bytes = files[std::size_t(i) % files.size()];
        const int damages = 1 + int(random() % 8);
        for (int d = 0; d < damages; ++d) bytes[random() % bytes.size()] = std::uint8_t(random());
        loaded += FailureOf(bytes).empty();
    }
    // Most damage lands in pixel data, which still loads; some breaks the structure. A count at
    // either end would mean the damage, or the reader, does nothing.
    EXPECT_GT(loaded, 0);
    EXPECT_LT(loaded, 500);
}
