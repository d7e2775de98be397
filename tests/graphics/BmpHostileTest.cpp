// Malformed BMP files end in the format's own failures, never in a crash or a huge allocation.
#include <gtest/gtest.h>

#include <cstring>

#include "BitmapTestSupport.h"
#include "graphics/Exceptions.h"

using namespace bitmaptest;

namespace {
using Bytes = std::vector<std::uint8_t>;

// A valid 2 x 2, 8-bit file with a 2-entry table; each case patches one field.
Bytes ValidFile() {
    Bytes b;
    Put16(b, 0x4D42);      // 0  bfType
    Put32(b, 0);           // 2  bfSize
    Put32(b, 0);           // 6  reserved words
    Put32(b, 62);          // 10 bfOffBits
    Put32(b, 40);          // 14 biSize
    Put32(b, 2);           // 18 biWidth
    Put32(b, 2);           // 22 biHeight
    Put16(b, 1);           // 26 biPlanes
    Put16(b, 8);           // 28 biBitCount
    Put32(b, 0);           // 30 biCompression
    Put32(b, 0);           // 34 biSizeImage
    Put32(b, 0);           // 38 biXPelsPerMeter
    Put32(b, 0);           // 42 biYPelsPerMeter
    Put32(b, 2);           // 46 biClrUsed
    Put32(b, 0);           // 50 biClrImportant
    Put32(b, 0x000000);    // 54 entry 0: black
    Put32(b, 0xFFFFFF);    // 58 entry 1: white
    Put32(b, 0x00000100);  // 62 bottom row: 0, 1, padding
    Put32(b, 0x00000001);  // 66 top row: 1, 0, padding
    return b;
}

enum class Outcome { Loads, Invalid, ReadError };

constexpr std::uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF;

struct HostileCase {
    const char* name;
    std::size_t offset;  // of the patched field
    int size;            // 2 or 4 bytes; 0 cuts the file at offset
    std::uint32_t value;
    Outcome outcome;
    std::uint32_t topLeft = kWhite;  // of a picture that loads: entry 1 unless rows are missing or flipped
};

Bytes Patched(const HostileCase& c) {
    Bytes b = ValidFile();
    if (c.size == 0) {
        b.resize(c.offset);
    } else {
        for (int i = 0; i < c.size; ++i) b[c.offset + std::size_t(i)] = std::uint8_t(c.value >> (8 * i));
    }
    return b;
}

class BmpHostile : public ::testing::TestWithParam<HostileCase> {};

TEST_P(BmpHostile, EndsInResultOrFormatError) {
    TBitmap bitmap;
    const Bytes file = Patched(GetParam());
    switch (GetParam().outcome) {
    case Outcome::Loads:
        ASSERT_NO_THROW(Load(bitmap, file));
        EXPECT_FALSE(bitmap.IsEmpty());
        EXPECT_EQ(Pixel(bitmap, 0, 0), GetParam().topLeft);
        break;
    case Outcome::Invalid:
        ExpectFailure<EInvalidGraphic>([&] { Load(bitmap, file); }, "Bitmap image is not valid");
        break;
    case Outcome::ReadError: ExpectFailure<EReadError>([&] { Load(bitmap, file); }, "Stream read error"); break;
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, BmpHostile,
                         ::testing::Values(HostileCase{"Valid", 0, 2, 0x4D42, Outcome::Loads},
                                           HostileCase{"CutInFileHeader", 10, 0, 0, Outcome::ReadError},
                                           HostileCase{"CutInInfoHeader", 30, 0, 0, Outcome::ReadError},
                                           HostileCase{"CutInColorTable", 58, 0, 0, Outcome::ReadError},
                                           HostileCase{"CutInPixels", 64, 0, 0, Outcome::Loads, kBlack},  // no top row
                                           HostileCase{"HeaderSizeZero", 14, 4, 0, Outcome::Invalid},
                                           HostileCase{"HeaderSizeEight", 14, 4, 8, Outcome::Invalid},
                                           HostileCase{"HeaderSizeHuge", 14, 4, 0xFFFFFFF0, Outcome::Invalid},
                                           HostileCase{"HeaderSizeAboveLimit", 14, 4, 4097, Outcome::Invalid},
                                           HostileCase{"HeaderLongerThanFile", 14, 4, 4096, Outcome::ReadError},
                                           HostileCase{"PlanesZero", 26, 2, 0, Outcome::Invalid},
                                           HostileCase{"PlanesTwo", 26, 2, 2, Outcome::Invalid},
                                           HostileCase{"BitCountZero", 28, 2, 0, Outcome::Invalid},
                                           HostileCase{"BitCountTwo", 28, 2, 2, Outcome::Invalid},
                                           HostileCase{"BitCount64", 28, 2, 64, Outcome::Invalid},
                                           HostileCase{"BitfieldsAtEightBits", 30, 4, 3, Outcome::Invalid},
                                           HostileCase{"Jpeg", 30, 4, 4, Outcome::Invalid},
                                           HostileCase{"Rle4AtEightBits", 30, 4, 2, Outcome::Invalid},
                                           HostileCase{"UnknownCompression", 30, 4, 0x7FFFFFFF, Outcome::Invalid},
                                           HostileCase{"WidthZero", 18, 4, 0, Outcome::Invalid},
                                           HostileCase{"WidthNegative", 18, 4, 0xFFFFFFFF, Outcome::Invalid},
                                           HostileCase{"WidthAboveLimit", 18, 4, 65536, Outcome::Invalid},
                                           HostileCase{"HeightZero", 22, 4, 0, Outcome::Invalid},
                                           HostileCase{"HeightMostNegative", 22, 4, 0x80000000, Outcome::Invalid},
                                           HostileCase{"HeightAboveLimit", 22, 4, 0x10000, Outcome::Invalid},
                                           HostileCase{"WidthAtLimit", 18, 4, 65535, Outcome::Loads, kBlack},
                                           HostileCase{"ImageSizeHuge", 34, 4, 0xFFFFFFFF, Outcome::Loads},
                                           HostileCase{"ColoursUsedHuge", 46, 4, 0x7FFFFFFF, Outcome::ReadError},
                                           HostileCase{"ColoursUsedAllBits", 46, 4, 0xFFFFFFFF, Outcome::ReadError},
                                           HostileCase{"ColoursUsedBeyondFile", 46, 4, 300, Outcome::ReadError},
                                           HostileCase{"TopDown", 22, 4, 0xFFFFFFFE, Outcome::Loads, kBlack},
                                           HostileCase{"FileSizeLies", 2, 4, 0xFFFFFFFF, Outcome::Loads},
                                           HostileCase{"OffsetLies", 10, 4, 0xFFFFFFFF, Outcome::Loads}),
                         [](const auto& test) { return std::string(test.param.name); });

// Both dimensions within limits, their product not: refused before any memory is taken.
TEST(BmpHostile, TooManyPixelsRefused) {
    Bytes file = ValidFile();
    const std::uint32_t side = 60000;  // 3.6e9 pixels
    std::memcpy(&file[18], &side, 4);
    std::memcpy(&file[22], &side, 4);
    TBitmap bitmap;
    EXPECT_THROW(Load(bitmap, file), EInvalidGraphic);
}

// 300 entries are there: 256 are kept, the rest skipped, the pixels read after them.
TEST(BmpHostile, OversizeTableIsSkippedOver) {
    Bytes file = ValidFile();
    file[46] = 300 & 0xFF;
    file[47] = 300 >> 8;
    Bytes table(298 * 4, 0x7F);
    file.insert(file.begin() + 62, table.begin(), table.end());
    TBitmap bitmap;
    ASSERT_NO_THROW(Load(bitmap, file));
    EXPECT_EQ(bitmap.CurrentDepth(), TPixelDepth::Bits8);
    EXPECT_EQ(Pixel(bitmap, 1, 1), 0xFFFFFFu);  // bottom row's second pixel: entry 1
    EXPECT_EQ(Pixel(bitmap, 0, 1), 0u);
}

// A persisted count that lies, too small for the headers or far beyond the stream: the file is
// read by its own headers, and the reader stops at the end of its pixels, before what follows.
TEST(BmpHostile, PersistedCountsThatLie) {
    for (std::uint32_t count : {1u, 13u, 20u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        SCOPED_TRACE(count);
        Bytes block;
        Put32(block, count);
        const Bytes file = ValidFile();
        block.insert(block.end(), file.begin(), file.end());
        block.insert(block.end(), 16, 0xEE);  // the next property of the description
        TMemoryStream stream = StreamOf(block);
        TBitmap bitmap;
        ASSERT_NO_THROW(bitmap.ReadPersisted(stream));
        EXPECT_EQ(stream.Position(), std::int64_t(4 + file.size()));
        EXPECT_EQ(Pixel(bitmap, 0, 0), kWhite);
        EXPECT_EQ(Pixel(bitmap, 1, 0), kBlack);
    }
}

// Run-length data that runs past its rows or its bytes is decoded as far as it goes.
TEST(BmpHostile, BrokenRunLengthDataDecodesAsFarAsItGoes) {
    Bytes file = ValidFile();
    file[30] = 1;  // BI_RLE8
    file.resize(62);
    const Bytes runs[] = {{200, 1, 200, 1, 200, 1},  // runs far past the row
                          {0, 2, 255, 255, 3, 1},    // a delta past the picture
                          {0, 200, 1},               // an absolute run without its bytes
                          {}};
    for (const Bytes& data : runs) {
        Bytes damaged = file;
        damaged.insert(damaged.end(), data.begin(), data.end());
        TBitmap bitmap;
        try {
            Load(bitmap, damaged);
            Pixel(bitmap, 1, 1);
        } catch (const EInvalidGraphic&) {
        }
    }
}
}  // namespace

namespace {
// Seeded byte damage in the headers and tables of a plain and a run-length file: every
// variant loads (and draws) or fails with the format's own errors.
TEST(BmpHostile, DamagedHeadersNeverEscape) {
    Bytes rle = ValidFile();
    rle[30] = 1;  // BI_RLE8
    rle.resize(62);
    rle.insert(rle.end(), {2, 1, 0, 0, 2, 0, 0, 1});  // two rows of runs, end of bitmap
    std::uint32_t seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, seed >> 16; };
    for (const Bytes& original : {ValidFile(), rle}) {
        int loaded = 0;
        for (int round = 0; round < 1500; ++round) {
            Bytes damaged = original;
            const int flips = 1 + int(next() % 4);
            for (int i = 0; i < flips; ++i) damaged[14 + next() % 48] = std::uint8_t(next());
            TBitmap bitmap;
            try {
                Load(bitmap, damaged);
                Pixel(bitmap, 0, 0);
                ++loaded;
            } catch (const EInvalidGraphic&) {
            } catch (const EReadError&) {
            }
        }
        // Damage to fields the reader ignores loads, damage to the others is refused: a count at
        // either end would mean the damage, or the checks, do nothing.
        EXPECT_GT(loaded, 0);
        EXPECT_LT(loaded, 1500);
    }
}
}  // namespace
