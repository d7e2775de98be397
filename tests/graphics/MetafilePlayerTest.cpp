// The record player, one record family at a time: a few records drawn on a 100 x 100 bitmap
// (the test frame maps one logical unit to one pixel) and checked at a few pixels.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <functional>

#include "platform/metafile/EmfRecordType.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::EmfBuilder;

constexpr std::int32_t kNullPen = std::int32_t(0x80000008), kBlackBrush = std::int32_t(0x80000004);
constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00;

std::int32_t Float(float value) {
    std::int32_t bits;
    std::memcpy(&bits, &value, 4);
    return bits;
}

// Object 1: a solid brush of the colour, selected, and the null pen selected.
void SolidFill(EmfBuilder& b, std::uint32_t color) {
    b.Record(platform::EMR_CREATEBRUSHINDIRECT, {1, 0, std::int32_t(color), 0}).Record(platform::EMR_SELECTOBJECT, {1});
    b.Record(platform::EMR_SELECTOBJECT, {kNullPen});
}

std::uint32_t At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return std::uint32_t(qRed(p)) | (std::uint32_t(qGreen(p)) << 8) | (std::uint32_t(qBlue(p)) << 16);
}

QImage Played(const std::function<void(EmfBuilder&)>& records) {
    EmfBuilder builder;
    records(builder);
    TMetafile metafile;
    emftest::Load(metafile, builder.Bytes());
    return emftest::Render(metafile, 100, 100);
}

struct Probe {
    int x, y;
    std::uint32_t color;
};

struct PlayerCase {
    const char* name;
    std::function<void(EmfBuilder&)> records;
    std::vector<Probe> probes;
};

class PlayerFamilyTest : public ::testing::TestWithParam<PlayerCase> {};

TEST_P(PlayerFamilyTest, DrawsWhereTheRecordsSay) {
    const QImage image = Played(GetParam().records);
    for (const Probe& p : GetParam().probes) EXPECT_EQ(At(image, p.x, p.y), p.color) << "at " << p.x << ", " << p.y;
}

// A 2 x 2, 24-bit, bottom-up bitmap stretched to 40 x 40 at (10, 10): red and white on top,
// blue and green below. The bits block may be announced shorter than the rows.
void StretchedQuadrants(EmfBuilder& b, std::int32_t bitsBytes = 16) {
    std::vector<std::uint8_t> body;
    for (std::int32_t v : {0, 0, 100, 100, 10, 10, 0, 0, 2, 2, 80, 40, 120, bitsBytes, 0, 0x00CC0020, 40, 40})
        EmfBuilder::Put(body, std::uint32_t(v));
    for (std::int32_t v : {40, 2, 2, 1 | (24 << 16), 0, 16, 0, 0, 0, 0}) EmfBuilder::Put(body, std::uint32_t(v));
    const std::uint8_t rows[] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    body.insert(body.end(), std::begin(rows), std::end(rows));
    b.Raw(platform::EMR_STRETCHDIBITS, body);
}

// A region record: its fixed values, then RegionData of the rectangles (left, top, right, bottom).
void RegionRecord(EmfBuilder& b, std::int32_t type, std::vector<std::int32_t> fixed,
                  const std::vector<std::array<std::int32_t, 4>>& rects) {
    std::vector<std::uint8_t> body;
    const auto put = [&](std::int32_t v) { EmfBuilder::Put(body, std::uint32_t(v)); };
    for (int i = 0; i < 4; ++i) put(0);  // bounds
    put(32 + 16 * std::int32_t(rects.size()));
    for (std::int32_t v : fixed) put(v);
    for (std::int32_t v : {32, 1, std::int32_t(rects.size()), 16 * std::int32_t(rects.size()), 0, 0, 100, 100}) put(v);
    for (const auto& rect : rects)
        for (std::int32_t v : rect) put(v);
    b.Raw(std::uint32_t(type), body);
}

// The quadrant bitmap of StretchedQuadrants drawn by PlgBlt with its left and right turned
// over into (10, 10)-(50, 50); with a mask, the red quadrant's pixel is masked off.
void MirroredParallelogram(EmfBuilder& b, bool masked) {
    std::vector<std::uint8_t> body;
    const auto put = [&](std::int32_t v) { EmfBuilder::Put(body, std::uint32_t(v)); };
    for (std::int32_t v : {0, 0, 100, 100, 50, 10, 10, 10, 50, 50, 0, 0, 2, 2}) put(v);
    for (std::int32_t v : {Float(1), 0, 0, Float(1), 0, 0, 0, 0}) put(v);  // source transform, colour, usage
    for (std::int32_t v : {140, 40, 180, 16, 0, 0, 0}) put(v);             // source blocks, mask origin, usage
    const std::array<std::int32_t, 4> maskBlocks = masked ? std::array{196, 48, 244, 8} : std::array{0, 0, 0, 0};
    for (std::int32_t v : maskBlocks) put(v);
    for (std::int32_t v : {40, 2, 2, 1 | (24 << 16), 0, 16, 0, 0, 0, 0}) put(v);
    const std::uint8_t rows[] = {0xFF, 0, 0, 0, 0xFF, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0};
    body.insert(body.end(), std::begin(rows), std::end(rows));
    if (masked) {
        for (std::int32_t v : {40, 2, 2, 1 | (1 << 16), 0, 8, 0, 0, 2, 0, 0, 0xFFFFFF}) put(v);
        for (std::int32_t v : {0xC0, 0x40}) put(v);  // bottom row both set, top row only the right pixel
    }
    b.Raw(platform::EMR_PLGBLT, body);
}

// An 8 x 8 one-bit pattern brush (object 1) whose upper four rows are 0 bits and lower four 1
// bits, selected with the null pen. Its table: RGB colours, or with DIB_PAL_COLORS (usage 1)
// two 16-bit palette indexes per value.
void MonochromeBrush(EmfBuilder& b, std::uint32_t type = platform::EMR_CREATEMONOBRUSH, std::int32_t usage = 0,
                     const std::vector<std::int32_t>& table = {0x000000, 0xFFFFFF}) {
    std::vector<std::uint8_t> body;
    const auto put = [&](std::int32_t v) { EmfBuilder::Put(body, std::uint32_t(v)); };
    const auto tableBytes = 4 * std::int32_t(table.size());
    for (std::int32_t v : {1, usage, 32, 40 + tableBytes, 72 + tableBytes, 32}) put(v);
    for (std::int32_t v : {40, 8, 8, 1 | (1 << 16), 0, 32, 0, 0, 0, 0}) put(v);
    for (std::int32_t v : table) put(v);
    for (int row = 0; row < 8; ++row) put(row < 4 ? 0xFF : 0x00);  // stored bottom row first
    b.Raw(type, body).Record(platform::EMR_SELECTOBJECT, {1}).Record(platform::EMR_SELECTOBJECT, {kNullPen});
}

// A blue outline (20, 20)-(60, 60) and a red brush, then a flood fill from (x, y).
void OutlineThenFlood(EmfBuilder& b, std::int32_t x, std::int32_t y, std::uint32_t color, std::int32_t mode) {
    b.Record(platform::EMR_CREATEPEN, {2, 0, 1, 0, std::int32_t(kBlue)}).Record(platform::EMR_SELECTOBJECT, {2});
    b.Record(platform::EMR_SELECTOBJECT, {std::int32_t(0x80000005)}).Record(platform::EMR_RECTANGLE, {20, 20, 60, 60});
    b.Record(platform::EMR_CREATEBRUSHINDIRECT, {1, 0, std::int32_t(kRed), 0}).Record(platform::EMR_SELECTOBJECT, {1});
    b.Record(platform::EMR_EXTFLOODFILL, {x, y, std::int32_t(color), mode});
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, PlayerFamilyTest,
    ::testing::Values(
        PlayerCase{"RectangleCorners",
                   [](EmfBuilder& b) {
                       SolidFill(b, kRed);
                       b.Record(platform::EMR_RECTANGLE, {10, 10, 50, 30});
                   },
                   {{10, 10, kRed}, {49, 29, kRed}, {50, 29, kWhite}, {49, 30, kWhite}, {9, 10, kWhite}}},
        PlayerCase{"ClippedLine",
                   [](EmfBuilder& b) {
                       b.Record(platform::EMR_INTERSECTCLIPRECT, {0, 0, 50, 100});
                       b.Record(platform::EMR_MOVETOEX, {0, 20}).Record(platform::EMR_LINETO, {99, 20});
                   },
                   {{10, 20, kBlack}, {49, 20, kBlack}, {50, 20, kWhite}, {80, 20, kWhite}}},
        PlayerCase{"ExcludedRectangle",
                   [](EmfBuilder& b) {
                       SolidFill(b, kBlue);
                       b.Record(platform::EMR_EXCLUDECLIPRECT, {20, 20, 40, 40});
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 60, 60});
                   },
                   {{10, 10, kBlue}, {30, 30, kWhite}, {45, 30, kBlue}}},
        PlayerCase{"DeviceRegionClip",
                   [](EmfBuilder& b) {
                       SolidFill(b, kGreen);
                       // RGN_COPY of one rectangle (60, 0)-(100, 100) in reference-device pixels.
                       b.Record(platform::EMR_EXTSELECTCLIPRGN, {48, 5, 32, 1, 1, 16, 60, 0, 100, 100, 60, 0, 100, 100});
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 100, 100});
                   },
                   {{59, 50, kWhite}, {60, 50, kGreen}, {99, 99, kGreen}}},
        PlayerCase{"WorldTransformScalesAndMoves",
                   [](EmfBuilder& b) {
                       SolidFill(b, kRed);
                       b.Record(platform::EMR_SETWORLDTRANSFORM, {Float(2), 0, 0, Float(2), Float(10), 0});
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 10, 10});
                   },
                   {{10, 0, kRed}, {29, 19, kRed}, {31, 5, kWhite}, {9, 5, kWhite}, {15, 21, kWhite}}},
        PlayerCase{"AnisotropicMapping",
                   [](EmfBuilder& b) {
                       SolidFill(b, kBlue);
                       b.Record(platform::EMR_SETMAPMODE, {8}).Record(platform::EMR_SETWINDOWEXTEX, {10, 10});
                       b.Record(platform::EMR_SETVIEWPORTEXTEX, {100, -100});  // y turned over: origin at the top
                       b.Record(platform::EMR_RECTANGLE, {1, -1, 2, -2});
                   },
                   {{10, 10, kBlue}, {19, 19, kBlue}, {20, 15, kWhite}, {15, 9, kWhite}}},
        PlayerCase{"RestoreBringsBackTheBrush",
                   [](EmfBuilder& b) {
                       SolidFill(b, kRed);
                       b.Record(platform::EMR_SAVEDC, {});
                       b.Record(platform::EMR_SELECTOBJECT, {kBlackBrush});
                       b.Record(platform::EMR_RESTOREDC, {-1});
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 20, 20});
                   },
                   {{10, 10, kRed}}},
        PlayerCase{"PolygonOfSixteenBitPoints",
                   [](EmfBuilder& b) {
                       SolidFill(b, kGreen);
                       // Triangle (10, 10), (90, 10), (10, 90).
                       b.Record(platform::EMR_POLYGON16, {0, 0, 0, 0, 3, 10 | (10 << 16), 90 | (10 << 16), 10 | (90 << 16)});
                   },
                   {{12, 12, kGreen}, {40, 40, kGreen}, {70, 70, kWhite}}},
        PlayerCase{"EllipseAndWidePen",
                   [](EmfBuilder& b) {
                       b.Record(platform::EMR_CREATEPEN, {2, 0, 6, 0, std::int32_t(kBlue)}).Record(platform::EMR_SELECTOBJECT, {2});
                       b.Record(platform::EMR_SELECTOBJECT, {std::int32_t(0x80000005)});  // null brush
                       b.Record(platform::EMR_ELLIPSE, {10, 10, 90, 90});
                   },
                   {{50, 10, kBlue}, {10, 50, kBlue}, {50, 50, kWhite}, {12, 12, kWhite}}},
        PlayerCase{"PenOfWidthOneScalesWithTheMapping",
                   [](EmfBuilder& b) {
                       b.Record(platform::EMR_SETMAPMODE, {8}).Record(platform::EMR_SETWINDOWEXTEX, {10, 10});
                       b.Record(platform::EMR_SETVIEWPORTEXTEX, {100, 100});
                       b.Record(platform::EMR_CREATEPEN, {2, 0, 1, 0, std::int32_t(kBlue)}).Record(platform::EMR_SELECTOBJECT, {2});
                       b.Record(platform::EMR_MOVETOEX, {1, 5}).Record(platform::EMR_LINETO, {9, 5});
                   },
                   {{50, 47, kBlue}, {50, 50, kBlue}, {50, 53, kBlue}, {50, 40, kWhite}, {50, 60, kWhite}}},
        PlayerCase{"MonochromeBrushPaintsInTextAndBackgroundColours",
                   [](EmfBuilder& b) {
                       MonochromeBrush(b);
                       // The colours in force when the brush paints, not when it was made.
                       b.Record(platform::EMR_SETTEXTCOLOR, {std::int32_t(kRed)}).Record(platform::EMR_SETBKCOLOR, {std::int32_t(kGreen)});
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 101, 101});
                   },
                   {{2, 1, kRed}, {2, 5, kGreen}, {50, 9, kRed}, {50, 13, kGreen}}},
        PlayerCase{"FilledPath",
                   [](EmfBuilder& b) {
                       SolidFill(b, kRed);
                       b.Record(platform::EMR_BEGINPATH, {}).Record(platform::EMR_MOVETOEX, {20, 20}).Record(platform::EMR_LINETO, {80, 20});
                       b.Record(platform::EMR_LINETO, {80, 80}).Record(platform::EMR_LINETO, {20, 80}).Record(platform::EMR_ENDPATH, {});
                       b.Record(platform::EMR_FILLPATH, {0, 0, 0, 0});
                   },
                   {{30, 30, kRed}, {70, 70, kRed}, {10, 50, kWhite}}},
        PlayerCase{"BitmapCutShortIsLeftOut",
                   [](EmfBuilder& b) { StretchedQuadrants(b, 12); },
                   {{10, 10, kWhite}, {45, 45, kWhite}}},
        PlayerCase{"StretchedBitmap",
                   [](EmfBuilder& b) { StretchedQuadrants(b); },
                   {{10, 10, kRed}, {29, 29, kRed}, {40, 20, kWhite}, {20, 40, kBlue}, {45, 45, kGreen},
                    {50, 50, kWhite}, {9, 9, kWhite}}},
        PlayerCase{"FillRegionWithItsBrush",
                   [](EmfBuilder& b) {
                       b.Record(platform::EMR_CREATEBRUSHINDIRECT, {1, 0, std::int32_t(kRed), 0});
                       RegionRecord(b, platform::EMR_FILLRGN, {1}, {{10, 10, 30, 30}, {50, 50, 70, 60}});
                   },
                   {{10, 10, kRed}, {29, 29, kRed}, {30, 30, kWhite}, {55, 55, kRed}, {69, 59, kRed},
                    {40, 40, kWhite}}},
        PlayerCase{"FrameRegion",
                   [](EmfBuilder& b) {
                       b.Record(platform::EMR_CREATEBRUSHINDIRECT, {1, 0, std::int32_t(kBlue), 0});
                       RegionRecord(b, platform::EMR_FRAMERGN, {1, 2, 3}, {{20, 20, 60, 60}});
                   },
                   {{20, 40, kBlue}, {21, 40, kBlue}, {22, 40, kWhite}, {59, 40, kBlue}, {57, 40, kWhite},
                    {40, 22, kBlue}, {40, 23, kWhite}, {40, 57, kBlue}, {40, 56, kWhite}, {10, 10, kWhite}}},
        PlayerCase{"PaintRegionWithTheCurrentBrush",
                   [](EmfBuilder& b) {
                       SolidFill(b, kGreen);
                       RegionRecord(b, platform::EMR_PAINTRGN, {}, {{0, 0, 50, 50}});
                   },
                   {{10, 10, kGreen}, {49, 49, kGreen}, {60, 60, kWhite}}},
        PlayerCase{"InvertRegion",
                   [](EmfBuilder& b) {
                       SolidFill(b, kRed);
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 101, 101});
                       RegionRecord(b, platform::EMR_INVERTRGN, {}, {{0, 0, 50, 100}});
                   },
                   {{10, 10, kWhite ^ kRed}, {60, 10, kRed}}},
        PlayerCase{"MetaRegionOutlivesTheClip",
                   [](EmfBuilder& b) {
                       SolidFill(b, kBlue);
                       b.Record(platform::EMR_INTERSECTCLIPRECT, {0, 0, 50, 100}).Record(platform::EMR_SETMETARGN, {});
                       b.Record(platform::EMR_EXTSELECTCLIPRGN, {0, 5});  // the clip removed, the meta region stays
                       b.Record(platform::EMR_RECTANGLE, {0, 0, 100, 100});
                   },
                   {{10, 10, kBlue}, {49, 10, kBlue}, {50, 10, kWhite}}},
        PlayerCase{"ParallelogramBlit",
                   [](EmfBuilder& b) { MirroredParallelogram(b, false); },
                   {{45, 15, kRed}, {15, 15, kWhite}, {45, 45, kBlue}, {15, 45, kGreen}, {55, 15, kWhite}}},
        PlayerCase{"ParallelogramBlitWithMaskAfterAnInversion",
                   [](EmfBuilder& b) {
                       RegionRecord(b, platform::EMR_INVERTRGN, {}, {{80, 80, 90, 90}});
                       MirroredParallelogram(b, true);
                   },
                   {{45, 15, kWhite}, {45, 45, kBlue}, {15, 45, kGreen}, {85, 85, kBlack}}},
        PlayerCase{"FloodFillUpToBorder",
                   [](EmfBuilder& b) { OutlineThenFlood(b, 40, 40, kBlue, 0); },
                   {{40, 40, kRed}, {21, 21, kRed}, {20, 40, kBlue}, {10, 10, kWhite}}},
        PlayerCase{"FloodFillOfSurface",
                   [](EmfBuilder& b) { OutlineThenFlood(b, 5, 5, kWhite, 1); },
                   {{5, 5, kRed}, {99, 99, kRed}, {20, 40, kBlue}, {40, 40, kWhite}}}),
    [](const auto& test) { return std::string(test.param.name); });

// Text: a 40-pixel font; "H" stands on the baseline with TA_BASELINE and hangs from the reference
// point with the default TA_TOP.
std::pair<int, int> InkRows(const QImage& image) {
    int top = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128) {
                if (top < 0) top = y;
                bottom = y;
            }
    return {top, bottom};
}

void Text(EmfBuilder& b, std::uint32_t align, const std::string& face = "Arial", std::int32_t charSet = 0,
          std::int32_t character = 'H') {
    std::vector<std::uint8_t> font;
    for (std::int32_t v : {1, -40, 0, 0, 0, 400, charSet << 24, 0}) EmfBuilder::Put(font, std::uint32_t(v));
    for (char c : face) font.push_back(std::uint8_t(c)), font.push_back(0);
    font.resize(4 + 92, 0);
    b.Raw(platform::EMR_EXTCREATEFONTINDIRECTW, font).Record(platform::EMR_SELECTOBJECT, {1});
    b.Record(platform::EMR_SETBKMODE, {1}).Record(platform::EMR_SETTEXTALIGN, {std::int32_t(align)});
    // Reference (10, 60), one character at offset 76, no rectangle, no advances.
    b.Record(platform::EMR_EXTTEXTOUTW, {0, 0, 0, 0, 1, 0, 0, 10, 60, 1, 76, 0, 0, 0, 0, 0, 0, character});
}

TEST(PlayerTextTest, BaselineAndTopAlignment) {
    emftest::EnsureGuiApplication();
    const auto [baseTop, baseBottom] = InkRows(Played([](EmfBuilder& b) { Text(b, 24); }));
    EXPECT_GE(baseBottom, 56);
    EXPECT_LE(baseBottom, 60);
    EXPECT_LT(baseTop, 40);
    const auto [topTop, topBottom] = InkRows(Played([](EmfBuilder& b) { Text(b, 0); }));
    EXPECT_GE(topTop, 60);
    EXPECT_LE(topTop, 80);  // the top of "H" lies the font's ascent less its cap height below
    EXPECT_GT(topBottom, 80);
}

// Symbol-set bytes draw the signs they stand for (Symbol's Delta, Wingdings' smiling face), in
// whatever installed font has them.
TEST(PlayerTextTest, SymbolFacesDrawTheirSigns) {
    emftest::EnsureGuiApplication();
    for (const auto& [face, character] : {std::pair<std::string, std::int32_t>{"Symbol", 'D'}, {"Wingdings", 'J'}}) {
        const auto [top, bottom] = InkRows(Played([&](EmfBuilder& b) { Text(b, 24, face, 2, character); }));
        EXPECT_GT(bottom - top, 10) << face;
    }
}

// The metafile written as a placeable Windows metafile, read back and drawn at 100 x 100.
QImage ThroughWindowsMetafile(const std::vector<std::uint8_t>& emf) {
    TMetafile metafile;
    emftest::Load(metafile, emf);
    metafile.SetEnhanced(false);
    TMemoryStream written;
    metafile.SaveToStream(written);
    written.SetPosition(0);
    TMetafile back;
    back.LoadFromStream(written);
    EXPECT_FALSE(back.Enhanced());
    return emftest::Render(back, 100, 100);
}

// Whatever page mapping, or world transform that scales and moves, an enhanced metafile draws
// in, its Windows form draws the same picture.
TEST(PlayerWindowsFormTest, PageMappingsKeepThePicture) {
    const std::vector<std::function<void(EmfBuilder&)>> mappings{
        [](EmfBuilder&) {},  // device pixels
        [](EmfBuilder& b) {
            b.Record(platform::EMR_SETMAPMODE, {8}).Record(platform::EMR_SETWINDOWEXTEX, {1000, 500});
            b.Record(platform::EMR_SETVIEWPORTEXTEX, {50, 50}).Record(platform::EMR_SETVIEWPORTORGEX, {20, 10});
        },
        [](EmfBuilder& b) {
            b.Record(platform::EMR_SETMAPMODE, {3}).Record(platform::EMR_SETWINDOWORGEX, {0, 1000});
        },
        [](EmfBuilder& b) {
            b.Record(platform::EMR_SETWORLDTRANSFORM, {Float(0.2f), 0, 0, Float(0.25f), Float(10), Float(5)});
            b.Record(platform::EMR_MODIFYWORLDTRANSFORM, {Float(1), 0, 0, Float(1), Float(-50), Float(-20), 2});
        },
    };
    for (std::size_t i = 0; i < mappings.size(); ++i) {
        EmfBuilder b;
        mappings[i](b);
        SolidFill(b, kRed);
        b.Record(platform::EMR_RECTANGLE, {100, 100, 400, 300});
        b.Record(platform::EMR_SAVEDC, {}).Record(platform::EMR_SCALEWINDOWEXTEX, {2, 1, 2, 1});
        b.Record(platform::EMR_RESTOREDC, {-1}).Record(platform::EMR_RECTANGLE, {500, 500, 700, 600});
        TMetafile original;
        emftest::Load(original, b.Bytes());
        EXPECT_EQ(ThroughWindowsMetafile(b.Bytes()), emftest::Render(original, 100, 100)) << "mapping " << i;
    }
}

// Written to a Windows metafile and read back, a monochrome pattern still paints its 0 bits in
// the text colour and its 1 bits in the background colour, whatever its colour table says.
TEST(PlayerWindowsFormTest, MonochromePatternKeepsItsColourRule) {
    struct Brush {
        std::uint32_t type;
        std::int32_t usage;
        std::vector<std::int32_t> table;
    };
    for (const Brush& brush : {Brush{platform::EMR_CREATEMONOBRUSH, 0, {std::int32_t(kBlue), std::int32_t(kWhite)}},
                               Brush{platform::EMR_CREATEDIBPATTERNBRUSHPT, 1, {0x00010000}}}) {
        EmfBuilder b;
        MonochromeBrush(b, brush.type, brush.usage, brush.table);
        b.Record(platform::EMR_SETTEXTCOLOR, {std::int32_t(kRed)})
            .Record(platform::EMR_SETBKCOLOR, {std::int32_t(kGreen)});
        b.Record(platform::EMR_RECTANGLE, {0, 0, 101, 101});
        const QImage image = ThroughWindowsMetafile(b.Bytes());
        for (const Probe& p : std::vector<Probe>{{2, 1, kRed}, {2, 5, kGreen}, {50, 9, kRed}, {50, 13, kGreen}})
            EXPECT_EQ(At(image, p.x, p.y), p.color) << "brush " << brush.type << " at " << p.x << ", " << p.y;
    }
}

}  // namespace
