// Placeable Windows metafiles: the header's size arithmetic, refusals, and each record family
// converted and played on a 100 x 100 bitmap (the test picture maps one unit to one pixel).
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "platform/metafile/WmfRecordType.h"
#include "graphics/Exceptions.h"
#include "graphics/Picture.h"
#include "support/TestData.h"
#include "tests/graphics/MetafileTestSupport.h"

namespace {

using emftest::WmfBuilder;

// clang-format off
// clang-format on
constexpr std::uint32_t kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlue = 0xFF0000, kGreen = 0x00FF00, kBlack = 0;

// A solid brush of the colour in the lowest free slot.
void Brush(WmfBuilder& b, std::uint32_t color) {
    b.Record(platform::META_CREATEBRUSHINDIRECT, {0, std::uint16_t(color), std::uint16_t(color >> 16), 0});
}
void NullPen(WmfBuilder& b) { b.Record(platform::META_CREATEPENINDIRECT, {5, 0, 0, 0, 0}); }

// An old 2 x 2, 24-bit bitmap of rows stored top first: red and white, then blue and green.
constexpr std::initializer_list<std::uint16_t> kQuadrants16 = {0,      2,      2,      6,      0x1801, 0,
                                                               0xFFFF, 0xFFFF, 0x00FF, 0x0000, 0x00FF};

// A region of two scans, (10, 10)-(30, 30) and (50, 50)-(70, 60), in the lowest free slot.
void TwoScanRegion(WmfBuilder& b) {
    b.Record(platform::META_CREATEREGION,
             {0, 6, 0, 0, 46, 2, 2, 10, 10, 70, 60, 2, 10, 30, 10, 30, 2, 2, 50, 60, 50, 70, 2});
}

std::uint32_t At(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return std::uint32_t(qRed(p)) | (std::uint32_t(qGreen(p)) << 8) | (std::uint32_t(qBlue(p)) << 16);
}

struct Probe {
    int x, y;
    std::uint32_t color;
};

struct ConversionCase {
    const char* name;
    std::function<void(WmfBuilder&)> records;
    std::vector<Probe> probes;
};

class WmfConversionTest : public ::testing::TestWithParam<ConversionCase> {};

TEST_P(WmfConversionTest, PlaysWhereTheRecordsSay) {
    WmfBuilder builder;
    builder.Record(platform::META_SETWINDOWEXT, {100, 100});
    GetParam().records(builder);
    TMetafile metafile;
    emftest::Load(metafile, builder.Bytes());
    EXPECT_FALSE(metafile.Enhanced());
    const QImage image = emftest::Render(metafile, 100, 100);
    for (const Probe& p : GetParam().probes) EXPECT_EQ(At(image, p.x, p.y), p.color) << "at " << p.x << ", " << p.y;
    // Written back as a placeable metafile and read again, it draws the same pixels.
    TMemoryStream written;
    metafile.SaveToStream(written);
    written.SetPosition(0);
    TMetafile back;
    back.LoadFromStream(written);
    EXPECT_EQ(emftest::Render(back, 100, 100), image);
}

INSTANTIATE_TEST_SUITE_P(
    Metafile, WmfConversionTest,
    ::testing::Values(
        ConversionCase{"RectangleStoredBottomFirst",
                       [](WmfBuilder& b) {
                           Brush(b, kRed);  // slot 0
                           NullPen(b);      // slot 1
                           b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_SELECTOBJECT, {1});
                           b.Record(platform::META_RECTANGLE, {30, 50, 10, 10});
                       },
                       {{10, 10, kRed}, {49, 29, kRed}, {50, 20, kWhite}, {20, 30, kWhite}}},
        ConversionCase{"CreateTakesTheLowestFreeSlot",
                       [](WmfBuilder& b) {
                           Brush(b, kRed);   // slot 0
                           Brush(b, kBlue);  // slot 1
                           NullPen(b);       // slot 2
                           b.Record(platform::META_SELECTOBJECT, {2}).Record(platform::META_DELETEOBJECT, {0});
                           Brush(b, kGreen);  // slot 0 again
                           b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_RECTANGLE, {20, 20, 0, 0});
                           b.Record(platform::META_SELECTOBJECT, {1}).Record(platform::META_RECTANGLE, {20, 60, 0, 40});
                       },
                       {{10, 10, kGreen}, {50, 10, kBlue}}},
        ConversionCase{"RestoreWithNegativeIndex",
                       [](WmfBuilder& b) {
                           Brush(b, kRed);
                           Brush(b, kBlue);
                           NullPen(b);
                           b.Record(platform::META_SELECTOBJECT, {2})
                               .Record(platform::META_SELECTOBJECT, {0})
                               .Record(platform::META_SAVEDC, {});
                           b.Record(platform::META_SELECTOBJECT, {1}).Record(platform::META_RESTOREDC, {0xFFFF});
                           b.Record(platform::META_RECTANGLE, {20, 20, 0, 0});
                       },
                       {{10, 10, kRed}}},
        ConversionCase{"RestoreWithPositiveIndex",
                       [](WmfBuilder& b) {
                           Brush(b, kRed);
                           Brush(b, kBlue);
                           NullPen(b);
                           b.Record(platform::META_SELECTOBJECT, {2})
                               .Record(platform::META_SELECTOBJECT, {0})
                               .Record(platform::META_SAVEDC, {});
                           b.Record(platform::META_SELECTOBJECT, {1})
                               .Record(platform::META_SAVEDC, {})
                               .Record(platform::META_RESTOREDC, {1});
                           b.Record(platform::META_RECTANGLE, {20, 20, 0, 0});
                       },
                       {{10, 10, kRed}}},
        ConversionCase{"PolygonPointsInOrder",
                       [](WmfBuilder& b) {
                           Brush(b, kGreen);
                           NullPen(b);
                           b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_SELECTOBJECT, {1});
                           b.Record(platform::META_POLYGON, {3, 10, 10, 90, 10, 10, 90});
                       },
                       {{12, 12, kGreen}, {40, 40, kGreen}, {70, 70, kWhite}}},
        ConversionCase{"ClippedLine",
                       [](WmfBuilder& b) {
                           b.Record(platform::META_INTERSECTCLIPRECT, {100, 50, 0, 0});
                           b.Record(platform::META_MOVETO, {20, 0}).Record(platform::META_LINETO, {20, 99});
                       },
                       {{10, 20, kBlack}, {49, 20, kBlack}, {60, 20, kWhite}}},
        ConversionCase{"EllipseWithDefaultBrush",
                       [](WmfBuilder& b) {
                           Brush(b, kBlue);
                           b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_ELLIPSE, {90, 90, 10, 10});
                       },
                       {{50, 50, kBlue}, {50, 10, kBlack}, {12, 12, kWhite}}},
        ConversionCase{
            "FloodFills",
            [](WmfBuilder& b) {
                b.Record(platform::META_CREATEBRUSHINDIRECT, {1, 0, 0, 0});             // slot 0: null brush
                b.Record(platform::META_CREATEPENINDIRECT, {0, 1, 0, 0x0000, 0x00FF});  // slot 1: blue pen
                Brush(b, kRed);                                                         // slot 2
                Brush(b, kGreen);                                                       // slot 3
                b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_SELECTOBJECT, {1});
                b.Record(platform::META_RECTANGLE, {60, 60, 20, 20});
                // Red up to the blue border from inside, then green over the white outside.
                b.Record(platform::META_SELECTOBJECT, {2}).Record(platform::META_FLOODFILL, {0x0000, 0x00FF, 40, 40});
                b.Record(platform::META_SELECTOBJECT, {3})
                    .Record(platform::META_EXTFLOODFILL, {1, 0xFFFF, 0x00FF, 5, 5});
            },
            {{40, 40, kRed}, {21, 21, kRed}, {20, 40, kBlue}, {5, 5, kGreen}, {99, 99, kGreen}}},
        ConversionCase{"FillRegionOfItsScans",
                       [](WmfBuilder& b) {
                           Brush(b, kRed);
                           TwoScanRegion(b);
                           b.Record(platform::META_FILLREGION, {1, 0});
                       },
                       {{10, 10, kRed}, {29, 29, kRed}, {30, 30, kWhite}, {55, 55, kRed}, {40, 40, kWhite}}},
        ConversionCase{"FrameRegion",
                       [](WmfBuilder& b) {
                           Brush(b, kBlue);
                           TwoScanRegion(b);
                           b.Record(platform::META_FRAMEREGION, {1, 0, 3, 2});  // height 3, width 2
                       },
                       {{10, 20, kBlue}, {11, 20, kBlue}, {12, 20, kWhite}, {20, 12, kBlue}, {20, 13, kWhite}}},
        ConversionCase{"PaintThenInvertRegion",
                       [](WmfBuilder& b) {
                           Brush(b, kGreen);
                           TwoScanRegion(b);
                           b.Record(platform::META_SELECTOBJECT, {0});
                           b.Record(platform::META_PAINTREGION, {1}).Record(platform::META_INVERTREGION, {1});
                       },
                       {{10, 10, kWhite ^ kGreen}, {55, 55, kWhite ^ kGreen}, {40, 40, kWhite}}},
        ConversionCase{"OldPatternBrush",
                       [](WmfBuilder& b) {
                           // A 2 x 2 one-bit checkerboard: rows 10 and 01, each padded to a word.
                           b.Record(platform::META_CREATEPATTERNBRUSH,
                                    {0, 2, 2, 2, 0x0101, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x0080, 0x0040});
                           NullPen(b);
                           b.Record(platform::META_SELECTOBJECT, {0}).Record(platform::META_SELECTOBJECT, {1});
                           b.Record(platform::META_RECTANGLE, {100, 100, 0, 0});
                       },
                       {{10, 10, kWhite}, {11, 10, kBlack}, {10, 11, kBlack}, {11, 11, kWhite}}},
        ConversionCase{"OldBitmapBitBlt",
                       [](WmfBuilder& b) {
                           std::vector<std::uint16_t> words{0x0020, 0x00CC, 0, 0, 2, 2, 10, 10};
                           words.insert(words.end(), kQuadrants16);
                           b.Record(platform::META_BITBLT, words);
                       },
                       {{10, 10, kRed}, {11, 10, kWhite}, {10, 11, kBlue}, {11, 11, kGreen}, {12, 12, kWhite}}},
        ConversionCase{"OldBitmapStretchBlt",
                       [](WmfBuilder& b) {
                           std::vector<std::uint16_t> words{0x0020, 0x00CC, 2, 2, 0, 0, 40, 40, 10, 10};
                           words.insert(words.end(), kQuadrants16);
                           b.Record(platform::META_STRETCHBLT, words);
                       },
                       {{15, 15, kRed}, {45, 15, kWhite}, {15, 45, kBlue}, {45, 45, kGreen}, {55, 55, kWhite}}},
        ConversionCase{"OldBitmapCutShortIsLeftOut",
                       [](WmfBuilder& b) {
                           // 40 rows announced, two given; the record after it still plays.
                           b.Record(platform::META_STRETCHBLT, {0x0020, 0x00CC, 2, 2,      0, 0, 40, 40, 10, 10, 0,
                                                                2,      40,     6, 0x1801, 0, 0, 0,  0,  0,  0});
                           b.Record(platform::META_MOVETO, {80, 0}).Record(platform::META_LINETO, {80, 99});
                       },
                       {{15, 15, kWhite}, {50, 80, kBlack}}}),
    [](const auto& test) { return std::string(test.param.name); });

struct PlaceableSize {
    std::int16_t right, bottom;
    std::uint16_t inch;
    std::int32_t frameWidth, width, height;
};

class PlaceableSizeTest : public ::testing::TestWithParam<PlaceableSize> {};

TEST_P(PlaceableSizeTest, FrameAndPixels) {
    const PlaceableSize c = GetParam();
    TMetafile metafile;
    emftest::Load(metafile, WmfBuilder(c.right, c.bottom, c.inch).Bytes());
    EXPECT_EQ(metafile.Inch(), c.inch);
    EXPECT_EQ(metafile.FrameWidth(), c.frameWidth);
    EXPECT_EQ(metafile.ImageWidth(), c.width);
    EXPECT_EQ(metafile.ImageHeight(), c.height);
}

INSTANTIATE_TEST_SUITE_P(Metafile, PlaceableSizeTest,
                         ::testing::Values(
                             // Twips: 1440 x 960 is one inch by two thirds.
                             PlaceableSize{1440, 960, 1440, 2540, 96, 64},
                             // Inch 0 counts as 96; the pixels come from the converted content.
                             PlaceableSize{1440, 960, 0, 38100, 1440, 960}));

TEST(PlaceableTest, ZeroRecordSizeIsNotValid) {
    auto bytes = WmfBuilder().Record(platform::META_SAVEDC, {}).Bytes();
    bytes[22 + 18] = 0;  // the first record's size
    TMetafile metafile;
    EXPECT_THROW(emftest::Load(metafile, bytes), EInvalidGraphic);
}

TEST(PlaceableTest, PlaceableUnderEmfNameLoadsAsWindowsMetafile) {
    testdata::TempDir dir;
    const std::string path = dir.File("picture.emf");
    const auto bytes = WmfBuilder().Bytes();
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    TPicture picture;
    picture.ReadFromFile(path);
    auto* metafile = dynamic_cast<TMetafile*>(picture.CurrentGraphic());
    ASSERT_NE(metafile, nullptr);
    EXPECT_FALSE(metafile->Enhanced());
    EXPECT_EQ(picture.ImageWidth(), 100);
}

}  // namespace
