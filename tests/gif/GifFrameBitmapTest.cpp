// Frame bitmaps: the in-memory BMP writer and the reader of 24-bit rows, frames in the GIF's own
// colours on a true-colour display and dithered to the web colours on a palette display,
// transparency through the mask, and the progress a build reports.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "GifTestSupport.h"
#include "gif/GIFDIB.h"
#include "gif/GIFFrameDraw.h"
#include "gif/GIFMessages.h"
#include "graphics/Bitmap.h"

using namespace giftest;
using gif::TDIBReader;
using gif::TDIBWriter;

namespace {

constexpr TColor kUnder = 0x123456;  // not a web colour

std::vector<platform::PALETTEENTRY> Entries(const platform::HPALETTE& palette) {
    std::vector<platform::PALETTEENTRY> entries(platform::GetPaletteEntryCount(palette));
    entries.resize(platform::GetPaletteEntries(palette, 0, unsigned(entries.size()), entries.data()));
    return entries;
}

platform::HPALETTE PaletteOf(const std::vector<platform::PALETTEENTRY>& entries) {
    return platform::CreatePalette(entries.data(), unsigned(entries.size()));
}

struct Mean {
    double r = 0, g = 0, b = 0;
};

// Of a bitmap, read as 24-bit rows (blue, green, red).
Mean MeanOf(TBitmap& bitmap) {
    TDIBReader rows(bitmap, TPixelDepth::Bits24);
    Mean m;
    for (int y = 0; y < rows.Height(); ++y)
        for (int x = 0; x < rows.Width(); ++x) {
            const std::uint8_t* p = rows.ScanLine(y) + 3 * x;
            m.r += p[2], m.g += p[1], m.b += p[0];
        }
    const double n = double(rows.Width()) * rows.Height();
    return {m.r / n, m.g / n, m.b / n};
}

// Of a frame's own colours.
Mean MeanOf(TGIFSubImage& frame) {
    TGIFColorMap& map = frame.ActiveColorMap();
    Mean m;
    for (std::int64_t i = 0; i < frame.PixelCount(); ++i) {
        const std::uint8_t* e = map.Entries() + 3 * frame.PixelBuffer()[i];
        m.r += e[0], m.g += e[1], m.b += e[2];
    }
    const double n = double(frame.PixelCount());
    return {m.r / n, m.g / n, m.b / n};
}

// A frame of width x height in the 2-bit gray map; pixel i has index pattern[i % size].
Bytes PatternGif(int width, int height, const std::vector<int>& pattern, int transparent = -1) {
    std::vector<int> codes{4};
    for (int i = 0; i < width * height; ++i) codes.push_back(pattern[std::size_t(i) % pattern.size()]);
    codes.push_back(5);
    GifBuilder b;
    b.Header(width, height, 2).GraphicControl(0, 0, transparent).Descriptor(0, 0, width, height).Codes(2, codes);
    return b.Trailer().Get();
}

}  // namespace

// --- the writer and the reader -------------------------------------------------------------------

struct DibFailure {
    const char* name;
    std::function<void(TBitmap&)> act;
    std::string message;
};

class GifDibFailure : public testing::TestWithParam<DibFailure> {};

TEST_P(GifDibFailure, RaisesItsMessage) {
    TBitmap bitmap;
    try {
        GetParam().act(bitmap);
        FAIL() << "no failure";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Dib, GifDibFailure,
    testing::Values(
        DibFailure{"FourBits", [](TBitmap& b) { TDIBWriter w(b, nullptr, 2, 2, TPixelDepth::Bits4); },
                   "Unsupported PixelFormat"},
        DibFailure{"ThirtyTwoBits", [](TBitmap& b) { TDIBWriter w(b, nullptr, 2, 2, TPixelDepth::Bits32); },
                   "Unsupported PixelFormat"},
        DibFailure{"NoWidth", [](TBitmap& b) { TDIBWriter w(b, nullptr, 2, 0, TPixelDepth::Bits8); },
                   "Invalid image dimensions"},
        DibFailure{"NegativeHeight", [](TBitmap& b) { TDIBWriter w(b, nullptr, -1, 2, TPixelDepth::Bits24); },
                   "Invalid image dimensions"},
        DibFailure{"RowBelow", [](TBitmap& b) { TDIBWriter(b, nullptr, 2, 2, TPixelDepth::Bits8).ScanLine(2); },
                   "Scan line index out of range"},
        DibFailure{"RowAbove", [](TBitmap& b) { TDIBWriter(b, nullptr, 2, 2, TPixelDepth::Bits8).ScanLine(-1); },
                   "Scan line index out of range"},
        DibFailure{"RowAfterFinish",
                   [](TBitmap& b) {
                       TDIBWriter w(b, nullptr, 2, 2, TPixelDepth::Bits8);
                       w.Finish();
                       w.ScanLine(0);
                   },
                   "Image has no DIB"},
        DibFailure{"ReaderRowBelow",
                   [](TBitmap& b) {
                       TDIBWriter(b, nullptr, 3, 2, TPixelDepth::Bits24).Finish();
                       TDIBReader(b, TPixelDepth::Bits24).ScanLine(3);
                   },
                   "Scan line index out of range"}),
    [](const testing::TestParamInfo<DibFailure>& p) { return p.param.name; });

TEST(GifDib, RowsWrittenTopFirstAreTheBitmapsRowsInEitherDepth) {
    const std::vector<platform::PALETTEENTRY> colors{{10, 20, 30, 0}, {40, 50, 60, 0}, {70, 80, 90, 0}};
    for (const TPixelDepth depth : {TPixelDepth::Bits8, TPixelDepth::Bits24}) {
        const int width = 5, height = 3, bytes = depth == TPixelDepth::Bits8 ? width : 3 * width;
        TBitmap bitmap;
        {
            TDIBWriter writer(bitmap, PaletteOf(colors), height, width, depth);
            for (int y = 0; y < height; ++y)
                for (int i = 0; i < bytes; ++i) writer.ScanLine(y)[i] = std::uint8_t((y * bytes + i) % 3);
        }  // handed over when the writer goes
        ASSERT_EQ(bitmap.CurrentDepth(), depth);
        ASSERT_EQ(bitmap.ImageWidth(), width);
        ASSERT_EQ(bitmap.ImageHeight(), height);
        for (int y = 0; y < height; ++y)
            for (int i = 0; i < bytes; ++i)
                ASSERT_EQ(bitmap.ReadScanRow(y)[i], (y * bytes + i) % 3) << "row " << y << " byte " << i;
        if (depth == TPixelDepth::Bits8) {
            EXPECT_EQ(Entries(bitmap.PaletteHandle()), colors);
        }
    }
}

TEST(GifDib, ReaderGivesTheColoursOfACopyAndLeavesTheBitmapAlone) {
    TBitmap bitmap;
    {
        TDIBWriter writer(bitmap, PaletteOf({{255, 0, 0, 0}, {0, 0, 255, 0}}), 1, 2, TPixelDepth::Bits8);
        writer.ScanLine(0)[1] = 1;
    }
    TDIBReader reader(bitmap, TPixelDepth::Bits24);
    const std::uint8_t* row = reader.ScanLine(0);
    EXPECT_EQ(std::vector<int>(row, row + 6), (std::vector<int>{0, 0, 255, 255, 0, 0}));
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits8);
}

// --- frames on true-colour and palette displays ---------------------------------------------------

struct DisplayCase {
    const char* name;
    int displayBits;
    std::uint16_t options;
    bool webColours;
};

class GifFrameOnDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(GifFrameOnDisplay, CarriesTheGifsColoursOrTheWebColours) {
    const DisplayCase& c = GetParam();
    const Bytes bytes = MagickGif(Photo("nature/Garden.jpg"), {"-resize", "96x64"});
    if (bytes.empty()) GTEST_SKIP() << "no photograph or no ImageMagick";
    DisplayBits display(c.displayBits);
    Loaded loaded = Load(bytes);
    loaded.image->PaintOptions = c.options;
    TGIFSubImage& frame = *loaded.image->Images().Frame(0);
    TBitmap* bitmap = gif::FrameBitmap(frame);
    ASSERT_NE(bitmap, nullptr);
    const std::vector<platform::PALETTEENTRY> palette = Entries(bitmap->PaletteHandle());
    if (c.webColours) {
        ASSERT_EQ(palette.size(), 216u);
        for (const platform::PALETTEENTRY& e : palette)
            ASSERT_TRUE(e.peRed % 51 == 0 && e.peGreen % 51 == 0 && e.peBlue % 51 == 0);
        EXPECT_EQ(Entries(loaded.image->PaletteHandle()).size(), 216u);
    } else {
        const TGIFColorMap& map = frame.ActiveColorMap();
        ASSERT_EQ(int(palette.size()), map.Count());
        for (int i = 0; i < map.Count(); ++i)
            ASSERT_EQ(palette[std::size_t(i)],
                      (platform::PALETTEENTRY{map.Entries()[3 * i], map.Entries()[3 * i + 1], map.Entries()[3 * i + 2],
                                              palette[std::size_t(i)].peFlags}));
    }
    // Dithering keeps the picture's overall colour; without it the colours are the same.
    const Mean ours = MeanOf(*bitmap), source = MeanOf(frame);
    const double tolerance = c.webColours ? 4.0 : 0.001;
    EXPECT_NEAR(ours.r, source.r, tolerance);
    EXPECT_NEAR(ours.g, source.g, tolerance);
    EXPECT_NEAR(ours.b, source.b, tolerance);
}

INSTANTIATE_TEST_SUITE_P(
    Displays, GifFrameOnDisplay,
    testing::Values(DisplayCase{"TrueColour", 32, DefaultPaintOptions, false},
                    DisplayCase{"PaletteDisplay", 8, DefaultPaintOptions, true},
                    DisplayCase{"DitheredOnAnyDisplay", 32, DefaultPaintOptions & ~goDitherOnPaletteDisplayOnly, true},
                    DisplayCase{"DitheringNotAsked", 8, DefaultPaintOptions & ~goDitherToWebPalette, false}),
    [](const testing::TestParamInfo<DisplayCase>& p) { return p.param.name; });

TEST(GifFrameOnPaletteDisplay, TransparentPixelsStillShowWhatLayUnder) {
    DisplayBits display(8);
    Loaded loaded = Load(PatternGif(4, 4, {0, 3, 2}, 0));
    auto target = FilledBitmap(4, 4, kUnder);
    const TColor under = target->Canvas().PixelAt(0, 0) & 0xFFFFFF;  // as the palette display holds it
    loaded.image->DrawInto(target->Canvas(), {0, 0, 4, 4});
    for (int i = 0; i < 16; ++i) {
        const TColor got = target->Canvas().PixelAt(i % 4, i / 4) & 0xFFFFFF;
        const bool web = got % 51 == 0 && (got >> 8) % 51 == 0 && (got >> 16) % 51 == 0;
        EXPECT_TRUE(i % 3 == 0 ? got == under : web) << "pixel " << i << " " << std::hex << got;
    }
}

// --- progress -----------------------------------------------------------------------------------

TEST(GifFrameBitmap, BuildReportsRenderingEvery32Rows) {
    Loaded loaded = Load(PatternGif(3, 70, {1}));
    std::vector<std::pair<TProgressStage, int>> reports;
    loaded.image->OnProgress = [&](TObject*, TProgressStage stage, std::uint8_t percent, bool, const TRect&,
                                   const std::string& message) {
        EXPECT_EQ(message, gifmsg::SRendering);
        reports.emplace_back(stage, percent);
    };
    ASSERT_NE(gif::FrameBitmap(*loaded.image->Images().Frame(0)), nullptr);
    using S = TProgressStage;
    EXPECT_EQ(reports,
              (std::vector<std::pair<S, int>>{
                  {S::psStarting, 0}, {S::psRunning, 0}, {S::psRunning, 46}, {S::psRunning, 91}, {S::psEnding, 100}}));
}
