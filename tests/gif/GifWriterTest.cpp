// Writing GIFs: what we write reads back to the same indices and colours with our reader and with
// giflib, in every code size, interlaced or not, with either encoder; and the writer's rules on
// versions, colour maps, comments and interlacing.

#include <gtest/gtest.h>

#include <random>

#include "GifTestSupport.h"
#include "gif/GIFMessages.h"
#include "graphics/Streams.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

// An image of one frame with a global map of 2^bits colours and indices that mix runs with noise.
std::unique_ptr<TGIFImage> MakeImage(int width, int height, int bits, bool interlaced, std::uint32_t seed = 1) {
    auto image = std::make_unique<TGIFImage>();
    for (int i = 0; i < (1 << bits); ++i) image->GlobalColorMap().AddColor(TColor(i * 0x010305));
    auto* frame = new TGIFSubImage(image.get());
    image->AddFrame(frame);
    frame->SetBounds(0, 0, width, height);
    frame->SetInterlaced(interlaced);
    std::mt19937 random(seed);
    const int colors = 1 << bits;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = frame->PixelRow(y);
        for (int x = 0; x < width; ++x)
            row[x] = std::uint8_t(unsigned((x / 5) ^ (y / 3) ^ (random() % 4 == 0 ? random() : 0u)) % unsigned(colors));
    }
    return image;
}

Bytes Save(TGIFImage& image) {
    TMemoryStream stream;
    image.SaveToStream(stream);
    return Bytes(stream.Memory(), stream.Memory() + stream.Size());
}

Bytes Indices(TGIFSubImage& frame) { return Bytes(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount()); }

struct RoundTrip {
    int width, height, bits;
    bool interlaced;
    TGIFCompression compression;
};

class GifRoundTrip : public testing::TestWithParam<RoundTrip> {};

}  // namespace

TEST_P(GifRoundTrip, ReadsBackTheSameIndicesAndColors) {
    const RoundTrip& c = GetParam();
    auto image = MakeImage(c.width, c.height, c.bits, c.interlaced);
    image->Compression = c.compression;
    const Bytes bytes = Save(*image);
    TGIFSubImage& written = *image->Images().Frame(0);

    Loaded loaded = Load(bytes);
    EXPECT_TRUE(loaded.warnings.empty());
    ASSERT_EQ(loaded.image->Images().Count(), 1);
    TGIFSubImage& read = *loaded.image->Images().Frame(0);
    EXPECT_EQ(read.Interlaced(), c.interlaced);
    EXPECT_TRUE(Indices(read) == Indices(written));
    TGIFColorMap& map = loaded.image->GlobalColorMap();
    ASSERT_EQ(map.Count(), 1 << c.bits);
    for (int i = 0; i < map.Count(); ++i) EXPECT_EQ(map.ColorAt(i), image->GlobalColorMap().ColorAt(i));

    const std::optional<RefGif> ref = GiflibRead(bytes);
    ASSERT_TRUE(ref);
    ASSERT_EQ(ref->frames.size(), 1u);
    EXPECT_TRUE(ref->frames[0].indices == Indices(written));
}

namespace {
std::vector<RoundTrip> RoundTrips() {
    std::vector<RoundTrip> cases;
    for (TGIFCompression compression : {TGIFCompression::LZW, TGIFCompression::RLE}) {
        for (int bits = 1; bits <= 8; ++bits) cases.push_back({97, 61, bits, bits % 2 == 0, compression});
        cases.push_back({1, 1, 1, false, compression});
        cases.push_back({1, 3, 2, true, compression});
        cases.push_back({1000, 700, 8, true, compression});
    }
    cases.push_back({4000, 3000, 8, false, TGIFCompression::LZW});
    return cases;
}
}  // namespace

INSTANTIATE_TEST_SUITE_P(Sizes, GifRoundTrip, testing::ValuesIn(RoundTrips()),
                         [](const testing::TestParamInfo<RoundTrip>& param) {
                             const RoundTrip& c = param.param;
                             return std::to_string(c.width) + "x" + std::to_string(c.height) + "_" +
                                    std::to_string(c.bits) + "bits" + (c.interlaced ? "_interlaced" : "") +
                                    (c.compression == TGIFCompression::RLE ? "_rle" : "_lzw");
                         });

TEST(GifWriter, OnePixelFileByteForByte) {
    auto image = std::make_unique<TGIFImage>();
    image->GlobalColorMap().AddColor(0x030201);
    image->GlobalColorMap().AddColor(0x060504);
    auto* frame = new TGIFSubImage(image.get());
    image->AddFrame(frame);
    frame->SetBounds(0, 0, 1, 1);
    const Bytes expected{'G', 'I',  'F',  '8', '7',  'a', 1, 0, 1, 0, 0x80, 0, 0, 1, 2,
                         3,   4,    5,    6,   0x2C, 0,   0, 0, 0, 1, 0,    1, 0, 0,
                         2,                // minimum code size
                         2,   0x44, 0x01,  // Clear (4), pixel 0, End (5) in 3-bit codes
                         0,   0x3B};
    EXPECT_EQ(Save(*image), expected);
}

TEST(GifWriter, VersionMapPaddingAndComments) {
    auto image = MakeImage(4, 4, 2, false);
    image->GlobalColorMap().RemoveColor(3);  // three colours are written as four
    image->Images().Frame(0)->PixelRow(0)[0] = 2;
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) image->Images().Frame(0)->PixelRow(y)[x] %= 3;
    Bytes plain = Save(*image);
    EXPECT_EQ(std::string(plain.begin(), plain.begin() + 6), "GIF87a");
    EXPECT_EQ(plain[10] & 7, 1);
    EXPECT_EQ(Bytes(plain.begin() + 13 + 9, plain.begin() + 13 + 12), (Bytes{0, 0, 0}));

    TGIFSubImage& frame = *image->Images().Frame(0);
    auto* comment = new TGIFCommentExtension(&frame);
    frame.Extensions().Add(std::unique_ptr<TGIFItem>(comment));
    comment->Lines = {std::string(300, 'x'), ""};
    const Bytes withComment = Save(*image);
    EXPECT_EQ(std::string(withComment.begin(), withComment.begin() + 6), "GIF89a");
    const std::size_t at = 13 + 12;
    ASSERT_EQ(withComment[at], 0x21);
    EXPECT_EQ(withComment[at + 2], 255);
    EXPECT_EQ(withComment[at + 3 + 255], 45);
    EXPECT_EQ(withComment[at + 3 + 255 + 1 + 45], 0);
    Loaded loaded = Load(withComment);
    auto* read = dynamic_cast<TGIFCommentExtension*>(loaded.image->Images().Frame(0)->Extensions().Extension(0));
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->Lines, (TGIFLines{std::string(255, 'x'), std::string(45, 'x')}));
}

// With a local map the frame is written non-interlaced; without, it keeps its interlacing.
TEST(GifWriter, InterlacingByColorMap) {
    auto image = MakeImage(5, 3, 2, true);
    EXPECT_TRUE(Load(Save(*image)).image->Images().Frame(0)->Interlaced());
    image->Images().Frame(0)->ColorMap().AddColor(0);
    image->Images().Frame(0)->ColorMap().AddColor(0xFFFFFF);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) image->Images().Frame(0)->PixelRow(y)[x] &= 1;
    const Bytes bytes = Save(*image);
    Loaded loaded = Load(bytes);
    EXPECT_FALSE(loaded.image->Images().Frame(0)->Interlaced());
    EXPECT_TRUE(Indices(*loaded.image->Images().Frame(0)) == Indices(*image->Images().Frame(0)));
}

// A frame's own map of three colours allows the indices 0 to 2.
TEST(GifWriter, IndexBeyondTheTableFails) {
    auto image = MakeImage(3, 3, 2, false);
    for (TColor color : {0x000000, 0x808080, 0xFFFFFF}) image->Images().Frame(0)->ColorMap().AddColor(color);
    for (int y = 0; y < 3; ++y) std::fill_n(image->Images().Frame(0)->PixelRow(y), 3, 2);
    image->Images().Frame(0)->PixelRow(2)[2] = 3;
    for (TGIFCompression compression : {TGIFCompression::LZW, TGIFCompression::RLE}) {
        image->Compression = compression;
        TMemoryStream stream;
        try {
            image->SaveToStream(stream);
            ADD_FAILURE() << "no failure";
        } catch (const GIFException& e) {
            EXPECT_EQ(e.Message(), gifmsg::SColorNotInTable);
        }
    }
}

// One colour over 100,000 pixels: runs of growing length with clears, a tiny file.
TEST(GifWriter, RunLengthOfOneColor) {
    auto image = MakeImage(400, 250, 4, false);
    for (int y = 0; y < 250; ++y) std::fill_n(image->Images().Frame(0)->PixelRow(y), 400, 9);
    image->Compression = TGIFCompression::RLE;
    const Bytes bytes = Save(*image);
    EXPECT_LT(bytes.size(), 2000u);
    const std::optional<RefGif> ref = GiflibRead(bytes);
    ASSERT_TRUE(ref);
    EXPECT_TRUE(ref->frames[0].indices == Bytes(100000, 9));
}

TEST(GifWriter, ImageMagickReadsItWithoutComplaint) {
    if (!std::filesystem::exists("/usr/bin/convert")) GTEST_SKIP() << "no ImageMagick";
    testdata::TempDir dir;
    for (TGIFCompression compression : {TGIFCompression::LZW, TGIFCompression::RLE}) {
        auto image = MakeImage(320, 200, 8, true);
        image->Compression = compression;
        WriteFile(dir.File("out.gif"), Save(*image));
        const std::string command = "/usr/bin/convert '" + dir.File("out.gif") + "' '" + dir.File("out.png") + "' 2>'" +
                                    dir.File("err.txt") + "'";
        EXPECT_EQ(std::system(command.c_str()), 0);
        EXPECT_TRUE(ReadFile(dir.File("err.txt")).empty());
    }
}
