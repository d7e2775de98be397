// The LZW decoder's edge cases, each a hand-made file of one frame on a 4-colour screen.

#include <gtest/gtest.h>

#include <numeric>

#include "GifTestSupport.h"
#include "gif/GIFMessages.h"

using namespace giftest;

namespace {

// A frame's image data: LZW codes, or raw bytes for what codes cannot say.
struct FrameData {
    int minCodeSize = 0;
    std::vector<int> codes;
    int blockSize = 255;
    Bytes raw;
    Bytes Get() const { return codes.empty() ? raw : GifBuilder().Codes(minCodeSize, codes, blockSize).Get(); }
};
FrameData Data(int minCodeSize, std::vector<int> codes, int blockSize = 255) {
    return {minCodeSize, std::move(codes), blockSize, {}};
}
FrameData RawData(Bytes raw) { return {0, {}, 255, std::move(raw)}; }

struct DecodeCase {
    const char* name;
    int width, height;
    std::uint8_t packed;  // Image Descriptor packed fields (0x40: interlaced)
    int transparent;      // transparent index of a Graphic Control Extension, -1 for none
    FrameData data;
    Bytes expected;  // the pixels; empty when reading must fail
    std::vector<std::string> warnings;
    const char* error = "";
};
void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.name; }

Bytes Repeat(std::uint8_t value, int n) { return Bytes(std::size_t(n), value); }

// 5000 literal codes of an 8-bit frame: the table fills after 3838 of them and then stays as it
// is, so the codes after that are read at 12 bits and still decode as literals.
std::vector<int> ManyLiterals(int n) {
    std::vector<int> codes{256};
    for (int i = 0; i < n; ++i) codes.push_back(i % 256);
    codes.push_back(257);
    return codes;
}
Bytes LiteralPixels(int n) {
    Bytes out(std::size_t(n), 0);
    for (int i = 0; i < n; ++i) out[std::size_t(i)] = std::uint8_t(i % 256);
    return out;
}

// The case's frame, after a first frame of one pixel when `later`: frames after the first are
// only checked when read and decoded when their pixels are asked for.
Bytes Build(const DecodeCase& c, bool later = false) {
    GifBuilder b;
    b.Header(c.width, c.height, 2);
    if (later) b.Descriptor(0, 0, 1, 1).Codes(2, {4, 1, 5});
    if (c.transparent >= 0) b.GraphicControl(0, 0, c.transparent);
    const Bytes data = c.data.Get();
    b.Descriptor(0, 0, c.width, c.height, c.packed).Raw(data);
    // Without data the file ends at the descriptor.
    return data.empty() ? b.Get() : b.Trailer().Get();
}

// The case's codes after a long run of pixels, in a frame with plenty of room behind them, as in
// a photograph's frame.
DecodeCase AfterALongRun(const DecodeCase& c) {
    constexpr int kRun = 3000, kRoom = 10000;
    const int clear = 1 << c.data.minCodeSize;
    DecodeCase padded = c;
    padded.width = kRun + c.width * c.height + kRoom;
    padded.height = 1;
    std::vector<int> codes{clear};
    for (int i = 0; i < kRun; ++i) codes.push_back(i % clear);
    if (c.data.codes.front() != clear) codes.push_back(clear);
    codes.insert(codes.end(), c.data.codes.begin(), c.data.codes.end());
    padded.data.codes = codes;
    if (!c.expected.empty()) {
        padded.expected.clear();
        for (int i = 0; i < kRun; ++i) padded.expected.push_back(std::uint8_t(i % clear));
        padded.expected.insert(padded.expected.end(), c.expected.begin(), c.expected.end());
        padded.expected.resize(std::size_t(padded.width), std::uint8_t(std::max(c.transparent, 0)));
    }
    return padded;
}

void ExpectDecoded(const DecodeCase& c) {
    const Bytes bytes = Build(c);
    if (*c.error) {
        EXPECT_EQ(LoadError(bytes), c.error);
        return;
    }
    Loaded loaded = Load(bytes);
    ASSERT_EQ(loaded.image->Images().Count(), 1);
    TGIFSubImage& frame = *loaded.image->Images().Frame(0);
    ASSERT_NE(frame.PixelBuffer(), nullptr);
    EXPECT_EQ(Bytes(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount()), c.expected);
    EXPECT_EQ(loaded.warnings, c.warnings);
}

class LzwDecoding : public testing::TestWithParam<DecodeCase> {};

}  // namespace

TEST_P(LzwDecoding, GivesThePixels) { ExpectDecoded(GetParam()); }

TEST_P(LzwDecoding, GivesTheSamePixelsAfterALongRun) {
    const DecodeCase& c = GetParam();
    if (c.data.codes.empty() || c.packed != 0) GTEST_SKIP() << "raw data or interlaced rows";
    ExpectDecoded(AfterALongRun(c));
}

// A later frame is decoded when its pixels are first asked for: the same pixels and warnings
// then, and a table that loops ends its pixels with a warning instead of failing the file.
TEST_P(LzwDecoding, GivesThePixelsOfALaterFrameWhenAsked) {
    const DecodeCase& c = GetParam();
    const Bytes bytes = Build(c, true);
    Loaded loaded = Load(bytes);
    ASSERT_EQ(loaded.image->Images().Count(), 2);
    EXPECT_TRUE(loaded.warnings.empty());
    EXPECT_EQ(loaded.endPosition, std::int64_t(bytes.size()));
    std::vector<std::string> warnings;
    loaded.image->WarningHandler = [&](TObject*, std::int32_t, const std::string& message) {
        warnings.push_back(message);
    };
    TGIFSubImage& frame = *loaded.image->Images().Frame(1);
    EXPECT_TRUE(frame.PixelsPending());
    ASSERT_NE(frame.PixelBuffer(), nullptr);
    EXPECT_FALSE(frame.PixelsPending());
    if (*c.error) {
        EXPECT_EQ(warnings, std::vector<std::string>{c.error});
        return;
    }
    EXPECT_EQ(Bytes(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount()), c.expected);
    EXPECT_EQ(warnings, c.warnings);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Edges, LzwDecoding,
    testing::Values(
        DecodeCase{"FourOnes", 2, 2, 0, -1, Data(2, {4, 1, 1, 1, 1, 5}), Repeat(1, 4), {}},
        DecodeCase{"NoLeadingClear", 2, 2, 0, -1, Data(2, {1, 1, 1, 1, 5}), Repeat(1, 4), {}},
        // Code 6 is the slot being made: the previous string and its first pixel.
        DecodeCase{"StringPlusFirstPixel", 3, 1, 0, -1, Data(2, {4, 2, 6, 5}), {2, 2, 2}, {}},
        DecodeCase{"TableStrings", 6, 1, 0, -1, Data(2, {4, 1, 2, 6, 7, 5}), {1, 2, 1, 2, 2, 1}, {}},
        // Each code the slot being made: strings of 1 to 12 pixels, each copied from the one before.
        DecodeCase{"GrowingRepeats", 78, 1, 0, -1, Data(2, {4, 1, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 5}),
                   Repeat(1, 78), {}},
        // Code 13 lies beyond the table, so entry 12 is made with 13 as its prefix; once 13 is
        // made ("1 2 1"), 12 reads "1 2 1 1".
        DecodeCase{"ChainThroughALaterEntry", 11, 1, 0, -1, Data(3, {8, 1, 2, 13, 10, 1, 12, 9}),
                   {1, 2, 2, 2, 1, 2, 1, 1, 2, 1, 1}, {}},
        DecodeCase{"CodesAcrossOneByteBlocks", 2, 2, 0, -1, Data(2, {4, 3, 2, 1, 0, 5}, 1),
                   {3, 2, 1, 0}, {}},
        DecodeCase{"FullTableWithoutClear", 100, 50, 0, -1, Data(8, ManyLiterals(5000)),
                   LiteralPixels(5000), {}},
        DecodeCase{"InterlacedRows", 1, 10, 0x40, -1, Data(4, {16, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 17}),
                   // rows in file order 0, 8, 4, 2, 6, 1, 3, 5, 7, 9
                   {0, 5, 3, 6, 2, 7, 4, 8, 1, 9}, {}},
        DecodeCase{"ShortDataKeepsZero", 2, 2, 0, -1, Data(2, {4, 3, 5}), {3, 0, 0, 0}, {}},
        DecodeCase{"ShortDataKeepsTransparent", 2, 2, 0, 2, Data(2, {4, 3, 5}), {3, 2, 2, 2}, {}},
        DecodeCase{"ClearThenEnd", 2, 1, 0, 3, Data(2, {4, 5}), {3, 3}, {}},
        DecodeCase{"NoCodeSize", 2, 1, 0, -1, RawData({}), {0, 0}, {}},
        DecodeCase{"CodeSizeAboveEleven", 2, 1, 0, -1, RawData({12, 1, 0xFF, 0}), {0, 0},
                   {gifmsg::SBadCodeSize}},
        DecodeCase{"BlockLongerThanFile", 8, 1, 0, -1,
                   [] {
                       Bytes packed = PackCodes(2, {4, 1, 1, 1, 1, 1, 1, 1, 1});
                       Bytes out{2, 200};
                       out.insert(out.end(), packed.begin(), packed.end());
                       return RawData(out);
                   }(),
                   Repeat(1, 8), {gifmsg::SPrematureEOF}},
        DecodeCase{"SelfLoop", 32, 1, 0, -1, Data(2, {4, 1, 7, 6, 7, 5}), {}, {},
                   gifmsg::SCircularTable},
        // Entries 11 and 12 become each other's prefix.
        DecodeCase{"TwoEntryLoop", 32, 1, 0, -1, Data(3, {8, 1, 12, 11, 12, 11, 9}), {}, {},
                   gifmsg::SCircularTable}),
    [](const testing::TestParamInfo<DecodeCase>& param) { return param.param.name; });
// clang-format on

// The code width grows at 512, 1024, 2048 and 4096 table entries and never beyond 12 bits: a
// string built at the very last slot, and a 12-bit code after the table is full, decode right.
TEST(LzwDecoder, GrowsToTwelveBitsAndNoFurther) {
    std::vector<int> codes = ManyLiterals(3838);
    codes.pop_back();
    codes.push_back(4095);  // fills the last slot: the previous literal twice
    codes.push_back(300);   // a 12-bit code read after the table filled: literals 42 and 43
    codes.push_back(257);
    Bytes expected = LiteralPixels(3838);
    for (std::uint8_t v : {std::uint8_t(3837 % 256), std::uint8_t(3837 % 256), std::uint8_t(42), std::uint8_t(43)})
        expected.push_back(v);
    const Bytes bytes = GifBuilder().Header(3842, 1, 8).Descriptor(0, 0, 3842, 1).Codes(8, codes).Trailer().Get();
    Loaded loaded = Load(bytes);
    TGIFSubImage& frame = *loaded.image->Images().Frame(0);
    EXPECT_EQ(Bytes(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount()), expected);
    EXPECT_TRUE(loaded.warnings.empty());
}

// An End code before the last pixel ends the frame; the blocks after its data still load.
TEST(LzwDecoder, EarlyEndLeavesTheNextFrameIntact) {
    const Bytes bytes = GifBuilder()
                            .Header(2, 2, 2)
                            .Descriptor(0, 0, 2, 2)
                            .Codes(2, {4, 3, 5, 2, 2})
                            .Descriptor(0, 0, 2, 2)
                            .Codes(2, {4, 2, 2, 2, 2, 5})
                            .Trailer()
                            .Get();
    Loaded loaded = Load(bytes);
    ASSERT_EQ(loaded.image->Images().Count(), 2);
    EXPECT_EQ(loaded.image->Images().Frame(0)->IndexAt(0, 0), 3);
    EXPECT_EQ(loaded.image->Images().Frame(0)->IndexAt(1, 1), 0);
    EXPECT_EQ(loaded.image->Images().Frame(1)->IndexAt(1, 1), 2);
    EXPECT_TRUE(loaded.warnings.empty());
    EXPECT_EQ(loaded.endPosition, std::int64_t(bytes.size()));
}
