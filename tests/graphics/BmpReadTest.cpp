// Reading BMP files: the header forms, masks, colour tables, orientation, short pixel blocks,
// encoded files, and what a failed read leaves behind.
#include <gtest/gtest.h>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"
#include "graphics/Picture.h"
#include "support/TestData.h"

using namespace bitmaptest;

namespace {
using Bytes = std::vector<std::uint8_t>;

constexpr platform::COLORREF kRed = platform::RGB(0xFF, 0, 0);
constexpr platform::COLORREF kBlue = platform::RGB(0, 0, 0xFF);

// File header and 40-byte information header of a picture; pixels and tables follow.
Bytes Headers(std::int32_t width, std::int32_t height, int bits, std::uint32_t compression, std::uint32_t colorsUsed,
              std::uint32_t offset = 0) {
    Bytes b;
    Put16(b, 0x4D42);  // bfType "BM"
    Put32(b, 0);       // bfSize: not used on reading
    Put16(b, 0);       // bfReserved1
    Put16(b, 0);       // bfReserved2
    Put32(b, offset);  // bfOffBits: not used on reading
    Put32(b, 40);      // biSize
    Put32(b, std::uint32_t(width));
    Put32(b, std::uint32_t(height));  // negative: top-down
    Put16(b, 1);                      // biPlanes
    Put16(b, std::uint32_t(bits));
    Put32(b, compression);
    Put32(b, 0);     // biSizeImage: 0 for unencoded
    Put32(b, 2835);  // biXPelsPerMeter
    Put32(b, 2835);  // biYPelsPerMeter
    Put32(b, colorsUsed);
    Put32(b, 0);  // biClrImportant
    return b;
}

void Append(Bytes& b, std::initializer_list<std::uint8_t> more) { b.insert(b.end(), more); }

// The picture logo of the About window: 175 x 94, 24 bits, bottom-up.
TEST(BmpRead, LogoSizedPictureHasStride528) {
    Bytes file = Headers(175, 94, 24, platform::BI_RGB, 0);
    file.resize(file.size() + 528 * 94, 0x80);
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(bitmap.ImageWidth(), 175);
    EXPECT_EQ(bitmap.ImageHeight(), 94);
    EXPECT_EQ(RowStride(175, 24), 528);
    EXPECT_EQ(bitmap.ScanRow(0) - bitmap.ScanRow(1), 528);
    // Written again: 14 + 40 header bytes, no table, 49632 pixel bytes.
    const Bytes saved = Saved(bitmap);
    EXPECT_EQ(saved.size(), 54u + 49632u);
}

TEST(BmpRead, NegativeHeightStaysTopDown) {
    Bytes file = Headers(1, -2, 24, platform::BI_RGB, 0);
    Append(file, {0x00, 0x00, 0xFF, 0x00});  // first stored row: red, padded to 4
    Append(file, {0xFF, 0x00, 0x00, 0x00});  // second stored row: blue
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(bitmap.ImageHeight(), 2);
    EXPECT_EQ(bitmap.ScanRow(1) - bitmap.ScanRow(0), 4);  // rows ascend top-down
    EXPECT_EQ(bitmap.ScanRow(0)[2], 0xFF);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);
    EXPECT_EQ(Pixel(bitmap, 0, 1), kBlue);
}

TEST(BmpRead, BottomUpFirstStoredRowIsTheBottom) {
    Bytes file = Headers(1, 2, 24, platform::BI_RGB, 0);
    Append(file, {0x00, 0x00, 0xFF, 0x00});  // bottom row: red
    Append(file, {0xFF, 0x00, 0x00, 0x00});  // top row: blue
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(Pixel(bitmap, 0, 1), kRed);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kBlue);
}

Bytes CoreFile8() {
    Bytes b;
    Put16(b, 0x4D42);  // bfType
    Put32(b, 14 + 12 + 768 + 4);
    Put32(b, 0);  // reserved words
    Put32(b, 14 + 12 + 768);
    Put32(b, 12);  // bcSize: the OS/2 core header
    Put16(b, 2);   // bcWidth
    Put16(b, 1);   // bcHeight
    Put16(b, 1);   // bcPlanes
    Put16(b, 8);   // bcBitCount
    for (int i = 0; i < 256; ++i) Append(b, {std::uint8_t(i), 0x00, std::uint8_t(255 - i)});  // blue, green, red
    Append(b, {0x01, 0xFE, 0x00, 0x00});  // pixels 1 and 254, padded
    return b;
}

TEST(BmpRead, CoreHeaderReadsThreeByteEntries) {
    TBitmap bitmap;
    Load(bitmap, CoreFile8());
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits8);
    EXPECT_EQ(bitmap.ImageWidth(), 2);
    EXPECT_EQ(Pixel(bitmap, 0, 0), platform::RGB(254, 0, 1));
    EXPECT_EQ(Pixel(bitmap, 1, 0), platform::RGB(1, 0, 254));
}

// A core header's height is unsigned: 32769 rows stored bottom-up, the first stored row at the bottom.
TEST(BmpRead, CoreHeaderHeightPastInt16IsBottomUp) {
    constexpr std::uint32_t kRows = 0x8001;
    Bytes b;
    Put16(b, 0x4D42);  // bfType
    Put32(b, 14 + 12 + 6 + 4 * kRows);
    Put32(b, 0);  // reserved words
    Put32(b, 14 + 12 + 6);
    Put32(b, 12);                                     // bcSize
    Put16(b, 1);                                      // bcWidth
    Put16(b, kRows);                                  // bcHeight
    Put16(b, 1);                                      // bcPlanes
    Put16(b, 1);                                      // bcBitCount
    Append(b, {0xFF, 0x00, 0x00, 0x00, 0x00, 0xFF});  // blue, then red
    Append(b, {0x80, 0, 0, 0});                       // the first stored row: red
    b.resize(b.size() + 4 * (kRows - 1), 0);          // the others: blue
    TBitmap bitmap;
    Load(bitmap, b);
    EXPECT_EQ(bitmap.ImageHeight(), std::int32_t(kRows));
    EXPECT_EQ(Pixel(bitmap, 0, int(kRows) - 1), kRed);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kBlue);
}

TEST(BmpRead, CoreHeaderIsWrittenBackInItsOwnForm) {
    TBitmap bitmap;
    Load(bitmap, CoreFile8());
    EXPECT_EQ(Saved(bitmap), CoreFile8());
}

struct MaskCase {
    std::uint32_t red, green, blue;
    TPixelDepth depth;
    std::uint16_t pixel;
    platform::COLORREF color;
    const char* name;
};

class BmpReadMasks : public ::testing::TestWithParam<MaskCase> {};

// Masks follow a 40-byte header; the pixel is decoded by them whatever the depth is called.
TEST_P(BmpReadMasks, ThreeMasksBeforeTheTable) {
    const MaskCase& c = GetParam();
    Bytes file = Headers(1, 1, 16, platform::BI_BITFIELDS, 0);
    Put32(file, c.red);
    Put32(file, c.green);
    Put32(file, c.blue);
    Put16(file, c.pixel);
    Put16(file, 0);  // row padding
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(bitmap.CurrentDepth(), c.depth);
    EXPECT_EQ(Pixel(bitmap, 0, 0), c.color);
}

INSTANTIATE_TEST_SUITE_P(
    Masks, BmpReadMasks,
    ::testing::Values(MaskCase{0xF800, 0x07E0, 0x001F, TPixelDepth::Bits16, 0xF800, kRed, "Rgb565"},
                      MaskCase{0xF800, 0x07E0, 0x001F, TPixelDepth::Bits16, 0x001F, kBlue, "Rgb565Blue"},
                      MaskCase{0x7C00, 0x03E0, 0x001F, TPixelDepth::Custom, 0x7C00, kRed, "Rgb555"},
                      MaskCase{0x7C00, 0x03E0, 0x001F, TPixelDepth::Custom, 0x03E0, platform::RGB(0, 0xFF, 0),
                               "Rgb555Green"}),
    [](const auto& test) { return std::string(test.param.name); });

TEST(BmpRead, LargerHeaderCarriesItsMasks) {
    Bytes b;
    Put16(b, 0x4D42);  // bfType
    Put32(b, 0);       // bfSize
    Put32(b, 0);       // reserved words
    Put32(b, 14 + 108);
    Put32(b, 108);  // biSize: version 4 header
    Put32(b, 1);    // width
    Put32(b, 1);    // height
    Put16(b, 1);    // planes
    Put16(b, 16);   // bit count
    Put32(b, platform::BI_BITFIELDS);
    for (int i = 0; i < 5; ++i) Put32(b, 0);  // image size, densities, colours used, important
    Put32(b, 0xF800);                         // red mask
    Put32(b, 0x07E0);                         // green mask
    Put32(b, 0x001F);                         // blue mask
    b.resize(14 + 108, 0);                    // alpha mask, colour space, end points, gammas
    Put16(b, 0x07E0);                         // one green pixel
    Put16(b, 0);
    TBitmap bitmap;
    Load(bitmap, b);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits16);
    EXPECT_EQ(Pixel(bitmap, 0, 0), platform::RGB(0, 0xFF, 0));
}

// Index 15 of a 16-entry table is the last entry; the pixels follow the short table directly.
TEST(BmpRead, ColoursUsedSixteenReadsSixteenEntries) {
    Bytes file = Headers(1, 1, 8, platform::BI_RGB, 16);
    for (int i = 0; i < 16; ++i) Append(file, {0x00, 0x00, std::uint8_t(i * 16), 0x00});  // reds
    Append(file, {15, 0, 0, 0});                                                          // pixel: index 15
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(Pixel(bitmap, 0, 0), platform::RGB(240, 0, 0));
}

TEST(BmpRead, ColoursUsedZeroReadsTheWholeTable) {
    Bytes file = Headers(1, 1, 8, platform::BI_RGB, 0);
    for (int i = 0; i < 256; ++i) Append(file, {0x00, std::uint8_t(i), 0x00, 0x00});  // greens
    Append(file, {200, 0, 0, 0});                                                     // pixel: index 200
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(Pixel(bitmap, 0, 0), platform::RGB(0, 200, 0));
}

TEST(BmpRead, PixelOffsetIsIgnored) {
    Bytes file = Headers(1, 1, 24, platform::BI_RGB, 0, /*offset past a gap*/ 54 + 8);
    Append(file, {0x00, 0x00, 0xFF, 0x00});                          // pixels right after the header
    Append(file, {0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00});  // where the offset points
    TBitmap bitmap;
    Load(bitmap, file);
    EXPECT_EQ(Pixel(bitmap, 0, 0), kRed);
}

TEST(BmpRead, ShortPixelBlockKeepsTheRestAsMade) {
    Bytes file = Headers(1, 2, 24, platform::BI_RGB, 0);
    Append(file, {0xFF, 0xFF, 0xFF, 0x00});  // only the bottom row is there
    TBitmap bitmap;
    ASSERT_NO_THROW(Load(bitmap, file));
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0xFFFFFFu);
    EXPECT_EQ(Pixel(bitmap, 0, 0), 0u);  // new sections are zeroed
}

// Two rows of an 8-bit picture, 4 wide, as RLE8 runs.
Bytes RleFile() {
    Bytes file = Headers(4, 2, 8, platform::BI_RLE8, 2);
    Append(file, {0x00, 0x00, 0xFF, 0x00});  // entry 0: red
    Append(file, {0xFF, 0x00, 0x00, 0x00});  // entry 1: blue
    Append(file, {4, 0, 0, 0});              // 4 x index 0, end of line
    Append(file, {2, 1, 2, 0, 0, 1});        // 2 x index 1, 2 x index 0, end of bitmap
    file[34] = 14;                           // biSizeImage: the encoded bytes
    return file;
}

TEST(BmpRead, EncodedFileBecomesDeviceDependentAndIsWrittenBackUnchanged) {
    TBitmap bitmap;
    Load(bitmap, RleFile());
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Device);
    EXPECT_EQ(Pixel(bitmap, 0, 1), kRed);   // bottom row
    EXPECT_EQ(Pixel(bitmap, 1, 0), kBlue);  // top row starts with blue
    EXPECT_EQ(Pixel(bitmap, 3, 0), kRed);
    EXPECT_EQ(Saved(bitmap), RleFile());
}

TEST(BmpRead, EncodedFileIsWrittenPlainAfterAChange) {
    TBitmap bitmap;
    Load(bitmap, RleFile());
    Paint(bitmap, 0, 0, clLime);
    const Bytes saved = Saved(bitmap);
    ASSERT_GE(saved.size(), 54u);
    EXPECT_NE(saved, RleFile());
    EXPECT_EQ(saved[30], platform::BI_RGB);  // biCompression
    TBitmap again;
    Load(again, saved);
    EXPECT_EQ(Pixel(again, 0, 0), platform::RGB(0, 0xFF, 0));
    EXPECT_EQ(Pixel(again, 3, 1), kRed);
}

TEST(BmpRead, BodyWithoutFileHeaderGetsOneMadeUp) {
    const Bytes file = RleFile();
    TMemoryStream body = StreamOf(Bytes(file.begin() + 14, file.end()));
    TBitmap bitmap;
    bitmap.ReadBmpBody(body, body.Size());
    EXPECT_EQ(Pixel(bitmap, 1, 0), kBlue);
    const Bytes saved = Saved(bitmap);
    ASSERT_EQ(saved.size(), file.size());
    EXPECT_EQ(saved[0], 'B');
    EXPECT_EQ(saved[1], 'M');
    EXPECT_EQ(saved[2], file.size());   // bfSize
    EXPECT_EQ(saved[10], 14 + 40 + 8);  // bfOffBits: past header and two entries
    EXPECT_TRUE(std::equal(saved.begin() + 14, saved.end(), file.begin() + 14));
}

TEST(BmpRead, NotBmRefused) {
    Bytes file = Headers(1, 1, 24, platform::BI_RGB, 0);
    file[0] = 'M';
    file[1] = 'B';
    Append(file, {0, 0, 0, 0});
    TBitmap bitmap;
    ExpectFailure<EInvalidGraphic>([&] { Load(bitmap, file); }, "Bitmap image is not valid");
}

TEST(BmpRead, EmptyStreamGivesEmptyBitmapQuietly) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    Load(bitmap, {});
    EXPECT_TRUE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.ImageWidth(), 0);
    EXPECT_EQ(bitmap.ImageHeight(), 0);
    EXPECT_EQ(changes, 0);
    EXPECT_TRUE(Saved(bitmap).empty());
}

TEST(BmpRead, TwentyFourBitsWithoutPaletteWriteNoTable) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 3, 2);
    const Bytes saved = Saved(bitmap);
    ASSERT_EQ(saved.size(), 54u + 24u);
    EXPECT_EQ(saved[2] | saved[3] << 8, 54 + 24);  // bfSize
    EXPECT_EQ(saved[10], 54);                      // bfOffBits
    EXPECT_EQ(saved[14], 40);                      // biSize
    EXPECT_EQ(saved[46], 0);                       // biClrUsed
}

TEST(BmpRead, FailedReadLeavesThePreviousImage) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 2, 2);
    Paint(bitmap, 1, 1, clRed);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    Bytes cut = Headers(2, 2, 8, platform::BI_RGB, 0);
    Append(cut, {0, 0, 0, 0});  // one of 256 table entries
    EXPECT_THROW(Load(bitmap, cut), EReadError);
    Bytes block;
    Put32(block, 1000);  // count: more than the stream holds
    block.insert(block.end(), cut.begin(), cut.end());
    TMemoryStream stream = StreamOf(block);
    EXPECT_THROW(bitmap.ReadPersisted(stream), EReadError);
    Bytes badPlanes = Headers(2, 2, 24, platform::BI_RGB, 0);
    badPlanes[26] = 2;  // biPlanes
    badPlanes.resize(badPlanes.size() + 16, 0);
    EXPECT_THROW(Load(bitmap, badPlanes), EInvalidGraphic);
    EXPECT_EQ(changes, 0);
    EXPECT_EQ(bitmap.ImageWidth(), 2);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
    EXPECT_EQ(Pixel(bitmap, 1, 1), kRed);
}

TEST(BmpRead, PersistedBlockIsCountThenFile) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 1, 1);
    TMemoryStream block;
    bitmap.WritePersisted(block);
    block.WriteUInt32(0xDEADBEEF);  // what follows the block stays unread
    ASSERT_EQ(block.Size(), 4 + 58 + 4);
    block.SetPosition(0);
    EXPECT_EQ(block.ReadUInt32(), 58u);
    block.SetPosition(0);
    TBitmap again;
    again.ReadPersisted(block);
    EXPECT_EQ(again.ImageWidth(), 1);
    EXPECT_EQ(block.ReadUInt32(), 0xDEADBEEFu);
}

TEST(BmpRead, PersistedEmptyBitmapIsCountZero) {
    TBitmap empty;
    TMemoryStream block;
    empty.WritePersisted(block);
    EXPECT_EQ(BytesOf(block), (Bytes{0, 0, 0, 0}));
    block.SetPosition(0);
    TBitmap again;
    again.ReadPersisted(block);
    EXPECT_TRUE(again.IsEmpty());
}

TEST(BmpRead, DormantBitmapComesBackOnDemand) {
    TBitmap bitmap;
    Shape(bitmap, TPixelDepth::Bits24, 3, 2);
    Paint(bitmap, 2, 1, clRed);
    bitmap.MakeDormant();
    EXPECT_FALSE(bitmap.HasCanvas());
    EXPECT_FALSE(bitmap.IsEmpty());
    EXPECT_EQ(bitmap.ImageWidth(), 3);
    EXPECT_EQ(bitmap.ImageHeight(), 2);
    EXPECT_EQ(Pixel(bitmap, 2, 1), kRed);
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits24);
}
}  // namespace

namespace {
// The picture container reaches this reader by the extension "bmp" and keeps what it held
// when a file fails.
TEST(BmpRead, PictureReadsByExtensionAndSurvivesAFailure) {
    testdata::TempDir dir;
    const Bytes good = RleFile();
    Bytes bad = good;
    bad[0] = 'X';
    for (const auto& [name, bytes] : {std::pair{"auto.BMP", good}, std::pair{"bad.bmp", bad}}) {
        TFileStream out(dir.File(name), TFileStream::fmCreate);
        out.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    }
    TPicture picture;
    picture.ReadFromFile(dir.File("auto.BMP"));
    ASSERT_NE(dynamic_cast<TBitmap*>(picture.CurrentGraphic()), nullptr);
    EXPECT_EQ(picture.ImageWidth(), 4);
    TGraphic* before = picture.CurrentGraphic();
    int changes = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    ExpectFailure<EInvalidGraphic>([&] { picture.ReadFromFile(dir.File("bad.bmp")); }, "Bitmap image is not valid");
    EXPECT_EQ(picture.CurrentGraphic(), before);
    EXPECT_EQ(changes, 0);
}
}  // namespace
