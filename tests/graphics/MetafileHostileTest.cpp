// Metafiles whose fields ask too much of a player: run-length bitmaps that claim far more pixels
// than their data sets, a file full of large bitmaps, fonts and frames with overflowing sizes.
// The hostile files themselves are the fuzz targets' regression inputs
// (fuzz/generators/make_metafile_bombs.py writes them).
#include <gtest/gtest.h>

#include <QImage>
#include <string>

#include "graphics/Exceptions.h"
#include "support/TestData.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::EmfBuilder;

std::vector<std::uint8_t> CorpusFile(const std::string& name) {
    auto bytes = testdata::ReadFile(std::filesystem::path(OBRAZOR_FUZZ_CORPUS) / name);
    EXPECT_FALSE(bytes.empty()) << name;
    return bytes;
}

int CountNonWhite(const QImage& image, QRect area) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) n += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
    return n;
}

void Append(std::vector<std::uint8_t>& b, std::initializer_list<std::uint32_t> words) {
    for (std::uint32_t v : words) EmfBuilder::Put(b, v);
}

// A BITMAPINFO for an 8-bit run-length bitmap with a two-colour table: 0 black, 1 red.
std::vector<std::uint8_t> Rle8Info(std::int32_t width, std::int32_t height) {
    std::vector<std::uint8_t> b;
    Append(b, {40, std::uint32_t(width), std::uint32_t(height), 1 | (8 << 16), 1, 0, 0, 0, 2, 0});
    Append(b, {0x000000, 0xFF0000});
    return b;
}

// A StretchDIBits of the whole bitmap onto (x, y, cx, cy) in logical units.
void StretchDibits(EmfBuilder& emf, std::int32_t x, std::int32_t y, std::int32_t cx, std::int32_t cy,
                   std::int32_t width, std::int32_t height, const std::vector<std::uint8_t>& rle) {
    const auto info = Rle8Info(width, height);
    std::vector<std::uint8_t> body;
    Append(body, {0, 0, 0, 0, std::uint32_t(x), std::uint32_t(y), 0, 0, std::uint32_t(width), std::uint32_t(height)});
    Append(body, {80, std::uint32_t(info.size()), 80 + std::uint32_t(info.size()), std::uint32_t(rle.size())});
    Append(body, {0, 0x00CC0020, std::uint32_t(cx), std::uint32_t(cy)});
    body.insert(body.end(), info.begin(), info.end());
    body.insert(body.end(), rle.begin(), rle.end());
    emf.Raw(81, body);
}

// Run-length data: the first 510 pixels of the bottom `rows` rows red, then one more red pixel
// in the top row of a bitmap `height` rows high, then the end of the bitmap.
std::vector<std::uint8_t> RedBottomAndOnePixelAtTop(int rows, int height) {
    std::vector<std::uint8_t> d;
    for (int y = 0; y < rows; ++y) d.insert(d.end(), {255, 1, 255, 1, 0, 0});
    for (int up = height - 1 - rows; up > 0; up -= 255) d.insert(d.end(), {0, 2, 0, std::uint8_t(std::min(up, 255))});
    d.insert(d.end(), {1, 1, 0, 1});
    return d;
}

TEST(MetafileHostileTest, RunLengthBitmapsEndingAtOnceDrawNothing) {
    emftest::EnsureGuiApplication();
    for (const char* name : {"emf_fuzz/rle-end-of-bitmap-bomb.emf", "wmf_fuzz/rle-end-of-bitmap-bomb.wmf"}) {
        TMetafile metafile;
        emftest::Load(metafile, CorpusFile(name));
        const QImage image = emftest::Render(metafile, 64, 48);
        EXPECT_EQ(CountNonWhite(image, image.rect()), 0) << name;
    }
}

// Only the rows the data reaches are decoded; they still land where the whole bitmap would put
// them, also when the destination mirrors the bitmap, and unset pixels leave the page alone.
TEST(MetafileHostileTest, RunLengthPartLandsInPlace) {
    emftest::EnsureGuiApplication();
    struct Case {
        std::int32_t y, cy;
        QRect red, white;
    };
    // A 4 x 4 bitmap whose bottom row is red and whose other rows are unset, on 100 x 100 pixels.
    for (const Case& c : {Case{0, 100, QRect(2, 77, 96, 20), QRect(0, 0, 100, 70)},
                          Case{100, -100, QRect(2, 2, 96, 20), QRect(0, 30, 100, 70)}}) {
        EmfBuilder emf;
        StretchDibits(emf, 0, c.y, 100, c.cy, 4, 4, {4, 1, 0, 1});
        TMetafile metafile;
        emftest::Load(metafile, emf.Bytes());
        const QImage image = emftest::Render(metafile, 100, 100);
        EXPECT_EQ(CountNonWhite(image, c.red), c.red.width() * c.red.height()) << c.cy;
        EXPECT_EQ(image.pixel(c.red.center()) & 0xFFFFFF, 0xFF0000u) << c.cy;
        EXPECT_EQ(CountNonWhite(image, c.white), 0) << c.cy;
    }
}

// Every bitmap reaches from its bottom row to its top one, so each is decoded whole; the file
// holds more of them than one playback decodes, and the last is skipped.
TEST(MetafileHostileTest, BitmapsBeyondTheFileBudgetAreSkipped) {
    emftest::EnsureGuiApplication();
    constexpr int kBitmaps = 5, kSide = 8192;
    EmfBuilder emf(1000, 200, 1000, 1000, 100, 100);  // 100 x 20 pixels
    for (int i = 0; i < kBitmaps; ++i)
        StretchDibits(emf, 20 * i, 0, 20, 20, kSide, kSide, RedBottomAndOnePixelAtTop(kSide / 8, kSide));
    TMetafile metafile;
    emftest::Load(metafile, emf.Bytes());
    // Each bitmap's bottom-left corner is red: its place's bottom-left pixel shows whether it was drawn.
    const QImage image = emftest::Render(metafile, 100, 20);
    for (int i = 0; i < kBitmaps - 1; ++i) EXPECT_EQ(image.pixel(20 * i, 19) & 0xFFFFFF, 0xFF0000u) << i;
    EXPECT_EQ(CountNonWhite(image, QRect(20 * (kBitmaps - 1), 0, 20, 20)), 0);
}

TEST(MetafileHostileTest, OverflowingSizesAreBoundedOrRefused) {
    emftest::EnsureGuiApplication();
    {
        // A font width whose hundredfold does not fit 32 bits still draws its text.
        TMetafile metafile;
        emftest::Load(metafile, CorpusFile("emf_fuzz/font-width-overflow.emf"));
        const QImage image = emftest::Render(metafile, 100, 100);
        EXPECT_GT(CountNonWhite(image, image.rect()), 0);
    }
    {
        // A placeable box given right to left and bottom to top measures its extent.
        TMetafile metafile;
        emftest::Load(metafile, CorpusFile("wmf_fuzz/inverted-placeable-box.wmf"));
        EXPECT_EQ(metafile.ImageWidth(), 64000);
        EXPECT_EQ(metafile.ImageHeight(), 64000);
    }
    try {
        TMetafile metafile;
        emftest::Load(metafile, CorpusFile("emf_fuzz/frame-overflow.emf"));
        FAIL() << "a frame wider than 32 bits loaded";
    } catch (const EInvalidGraphic& e) {
        EXPECT_EQ(e.Message(), "Metafile frame is not valid");
    }
}

}  // namespace
