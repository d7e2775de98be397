// The bytes of an encoded file, read back marker by marker.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "JpegTestSupport.h"

using namespace jpegtest;

namespace {

constexpr std::uint8_t SOI = 0xD8, EOI = 0xD9, APP0 = 0xE0, APP14 = 0xEE, DQT = 0xDB, SOF0 = 0xC0, SOF2 = 0xC2;

// The example tables of the JPEG standard (Annex K.1), row by row.
constexpr std::array<int, 64> LuminanceTable = {16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
                                                14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
                                                18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
                                                49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr std::array<int, 64> ChrominanceTable = {17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99,
                                                  24, 26, 56, 99, 99, 99, 99, 99, 47, 66, 99, 99, 99, 99, 99, 99,
                                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
                                                  99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};
// Position in the 8 x 8 block of the k-th coefficient in zig-zag order, which DQT stores.
constexpr std::array<int, 64> ZigZag = {0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,
                                        12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,  7,  14, 21, 28,
                                        35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51,
                                        58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// The table as the file must hold it: quality clamped to 1..100, scaled, limited to 1..255.
std::array<int, 64> ExpectedTable(const std::array<int, 64>& base, int quality) {
    quality = std::clamp(quality, 1, 100);
    const int scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
    std::array<int, 64> table{};
    for (int k = 0; k < 64; ++k) table[k] = std::clamp((base[ZigZag[k]] * scale + 50) / 100, 1, 255);
    return table;
}

// Every table of every DQT segment, by table number.
std::array<std::array<int, 64>, 4> Tables(const Bytes& file, int& count) {
    std::array<std::array<int, 64>, 4> tables{};
    count = 0;
    for (const Segment& s : SegmentsOf(file, DQT)) {
        for (std::size_t at = 0; at + 65 <= s.body.size(); at += 65, ++count) {
            EXPECT_EQ(s.body[at] >> 4, 0) << "8-bit precision";
            for (int k = 0; k < 64; ++k) tables[s.body[at] & 3][k] = s.body[at + 1 + k];
        }
    }
    return tables;
}

class QualityTables : public ::testing::TestWithParam<int> {};

TEST_P(QualityTables, AreTheStandardTablesScaled) {
    const Bytes file = EncodePattern(16, 16, {.quality = GetParam()});
    int count = 0;
    const auto tables = Tables(file, count);
    EXPECT_EQ(count, 2);
    EXPECT_EQ(tables[0], ExpectedTable(LuminanceTable, GetParam()));
    EXPECT_EQ(tables[1], ExpectedTable(ChrominanceTable, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Qualities, QualityTables, ::testing::Values(0, 1, 25, 50, 75, 90, 100, 255));

TEST(JpegFileStructure, QualityFiftyWritesTheTablesUnscaled) {
    int count = 0;
    const auto tables = Tables(EncodePattern(8, 8, {.quality = 50}), count);
    for (int k = 0; k < 64; ++k) EXPECT_EQ(tables[0][k], LuminanceTable[ZigZag[k]]);
}

TEST(JpegFileStructure, QualityZeroIsOneAndAboveHundredIsHundred) {
    EXPECT_EQ(EncodePattern(24, 16, {.quality = 0}), EncodePattern(24, 16, {.quality = 1}));
    const Bytes hundred = EncodePattern(24, 16, {.quality = 100});
    EXPECT_EQ(EncodePattern(24, 16, {.quality = 101}), hundred);
    EXPECT_EQ(EncodePattern(24, 16, {.quality = 255}), hundred);
}

TEST(JpegFileStructure, StartsWithSoiAndJfifAndEndsWithEoi) {
    const Bytes file = EncodePattern(20, 10);
    ASSERT_GE(file.size(), 4u);
    EXPECT_EQ(file[0], 0xFF);
    EXPECT_EQ(file[1], SOI);
    EXPECT_EQ(file[file.size() - 2], 0xFF);
    EXPECT_EQ(file[file.size() - 1], EOI);
    const auto segments = Segments(file);
    ASSERT_GE(segments.size(), 3u);
    EXPECT_EQ(segments[1].marker, APP0);
    const Bytes expected = {
        'J', 'F', 'I', 'F', 0,  // identifier
        1,   1,                 // version 1.01
        0,                      // density unit: aspect ratio only
        0,   1,   0,   1,       // X and Y density 1
        0,   0,                 // no thumbnail
    };
    EXPECT_EQ(segments[1].body, expected);
    EXPECT_EQ(segments.back().marker, EOI);
}

TEST(JpegFileStructure, MarkersComeInOrderWithoutAdobeMarker) {
    const Bytes file = EncodePattern(20, 10);
    std::vector<std::uint8_t> order;
    for (const Segment& s : Segments(file))
        if (order.empty() || order.back() != s.marker) order.push_back(s.marker);
    const std::vector<std::uint8_t> expected = {SOI, APP0, DQT, SOF0, 0xC4 /* DHT */, 0xDA /* SOS */, EOI};
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(SegmentsOf(file, APP14).empty());
}

struct FrameCase {
    const char* name;
    bool gray;
    bool progressive;
    std::uint8_t frameMarker;
    Bytes components;  // per component: id, sampling (H << 4 | V), quantisation table
};

class FrameHeader : public ::testing::TestWithParam<FrameCase> {};

TEST_P(FrameHeader, DescribesSizeAndComponents) {
    const FrameCase& c = GetParam();
    const Bytes file = EncodePattern(37, 21, {.gray = c.gray, .progressive = c.progressive});
    const auto frames = SegmentsOf(file, c.frameMarker);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(SegmentsOf(file, c.frameMarker == SOF0 ? SOF2 : SOF0).empty());
    Bytes expected = {
        8,  // bits per sample
        0,
        21,  // height
        0,
        37,  // width
        std::uint8_t(c.components.size() / 3),
    };
    expected.insert(expected.end(), c.components.begin(), c.components.end());
    EXPECT_EQ(frames[0].body, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Frames, FrameHeader,
    ::testing::Values(FrameCase{"Colour", false, false, SOF0, {1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}},
                      FrameCase{"Gray", true, false, SOF0, {1, 0x11, 0}},
                      FrameCase{"Progressive", false, true, SOF2, {1, 0x22, 0, 2, 0x11, 1, 3, 0x11, 1}},
                      FrameCase{"ProgressiveGray", true, true, SOF2, {1, 0x11, 0}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(JpegFileStructure, ProgressiveFileHasSeveralScans) {
    EXPECT_EQ(SegmentsOf(EncodePattern(16, 16), 0xDA).size(), 1u);
    EXPECT_GT(SegmentsOf(EncodePattern(16, 16, {.progressive = true}), 0xDA).size(), 1u);
}

TEST(JpegFileStructure, GrayOutputMarksTheDataGray) {
    auto bitmap = MakeBitmap(8, 8, Pattern);
    TJPEGImage image;
    image.SetGrayOutput(true);
    image.CopyFrom(bitmap.get());
    image.Encode();
    EXPECT_TRUE(image.DataObject().IsGray);
    EXPECT_EQ(image.DataObject().PixelWidth, 8);
    EXPECT_EQ(image.DataObject().PixelHeight, 8);
}

}  // namespace
