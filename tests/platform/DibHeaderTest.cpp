// The bitmap header every reader shares: each stored form, the sign of its height, where its
// masks are, and fields a short header or a short block lacks.

#include "platform/DibHeader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void Put(Bytes& b, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) b.push_back(std::uint8_t(value >> (8 * i)));
}

// A header of `size` bytes: the core fields (16-bit), or the BITMAPINFOHEADER fields, then the
// three masks 0xF00, 0x0F0, 0x00F and zeros up to the size.
Bytes Header(std::uint32_t size, std::uint32_t width, std::uint32_t height, std::uint32_t compression) {
    Bytes b;
    Put(b, size, 4);
    const int side = size == platform::kCoreHeaderSize ? 2 : 4;
    Put(b, width, side);
    Put(b, height, side);
    Put(b, 1, 2);   // planes
    Put(b, 24, 2);  // bit count
    if (side == 2) return b;
    Put(b, compression, 4);
    for (int i = 0; i < 5; ++i) Put(b, 7, 4);  // image size, resolutions, colours used and important
    for (std::uint32_t mask : {0xF00u, 0x0F0u, 0x00Fu}) Put(b, mask, 4);
    b.resize(std::max<std::size_t>(b.size(), size), 0);
    return b;
}

struct Case {
    const char* name;
    Bytes bytes;
    std::int32_t width, height;
    std::uint32_t colorsUsed;
    std::array<std::uint32_t, 3> masks;
    bool masksFollow;
    std::size_t entrySize;
};

const std::array<std::uint32_t, 3> kNone{}, kMasks{0xF00, 0x0F0, 0x00F};

const Case kCases[] = {
    // Core sides are unsigned: a height past 32767 is a tall bottom-up picture, not a top-down one.
    {"CoreTallerThanInt16", Header(12, 0xFFFF, 0x8001, 0), 0xFFFF, 0x8001, 0, kNone, false, 3},
    {"InfoTopDown", Header(40, 5, std::uint32_t(-3), 0), 5, -3, 7, kNone, false, 4},
    {"InfoMasksFollowIt", Header(40, 5, 3, platform::BI_BITFIELDS), 5, 3, 7, kNone, true, 4},
    {"V4MasksInside", Header(108, 5, 3, platform::BI_BITFIELDS), 5, 3, 7, kMasks, false, 4},
    {"V5MasksInside", Header(124, 5, 3, platform::BI_BITFIELDS), 5, 3, 7, kMasks, false, 4},
    // A 16-byte header ends after the bit count: the bytes after it are not its fields.
    {"ShortOs2Header",
     [] {
         Bytes b = Header(40, 5, 3, 0);
         b[0] = 16;
         return b;
     }(),
     5, 3, 0, kNone, false, 4},
    // The size field promises more than the block holds: the missing fields are 0.
    {"BlockCutShort",
     [] {
         Bytes b = Header(124, 5, 3, 0);
         b.resize(32);
         return b;
     }(),
     5, 3, 0, kNone, false, 4},
};

class DibHeader : public testing::TestWithParam<Case> {};

TEST_P(DibHeader, ReadsEachFormItsOwnWay) {
    const Case& c = GetParam();
    const platform::DibHeader h = platform::ParseDibHeader(c.bytes);
    EXPECT_EQ(h.fields.biWidth, c.width);
    EXPECT_EQ(h.fields.biHeight, c.height);
    EXPECT_EQ(h.fields.biPlanes, 1);
    EXPECT_EQ(h.fields.biBitCount, 24);
    EXPECT_EQ(h.fields.biClrUsed, c.colorsUsed);
    EXPECT_EQ(h.masks, c.masks);
    EXPECT_EQ(h.MasksFollow(), c.masksFollow);
    EXPECT_EQ(h.ColorEntrySize(), c.entrySize);
}

INSTANTIATE_TEST_SUITE_P(Forms, DibHeader, testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
