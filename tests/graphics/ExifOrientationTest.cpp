// The Orientation tag read from EXIF blocks of both byte orders; every damage reads as upright.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/ExifOrientation.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct ExifCase {
    const char* name;
    Bytes block;
    int expected;
};

// Little-endian header, one directory at 8 whose single entry is given.
// clang-format off
Bytes LittleWith(std::uint16_t tag, std::uint16_t type, std::uint32_t count, std::uint16_t value) {
    return {'I', 'I', 42, 0, 8, 0, 0, 0, 1, 0,
            std::uint8_t(tag), std::uint8_t(tag >> 8), std::uint8_t(type), 0,
            std::uint8_t(count), 0, 0, 0, std::uint8_t(value), std::uint8_t(value >> 8), 0, 0,
            0, 0, 0, 0};
}
// clang-format on

Bytes Prefixed(Bytes block) {
    block.insert(block.begin(), {'E', 'x', 'i', 'f', 0, 0});
    return block;
}

// clang-format off
const ExifCase kCases[] = {
    {"LittleEndianQuarterTurn", LittleWith(0x0112, 3, 1, 6), 6},
    {"WithJpegPrefix", Prefixed(LittleWith(0x0112, 3, 1, 8)), 8},
    // Big-endian: two entries, the orientation second.
    {"BigEndianAfterAnotherTag",
     {'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2,
      0x01, 0x0f, 0, 2, 0, 0, 0, 4, 'A', 'B', 'C', 0,  // Make, ASCII, 4 bytes inline
      0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, 3, 0, 0,        // Orientation, SHORT, 1, value 3
      0, 0, 0, 0},
     3},
    {"NoOrientationTag", LittleWith(0x010f, 2, 1, 7), 1},
    {"ValueOutOfRange", LittleWith(0x0112, 3, 1, 9), 1},
    {"ValueZero", LittleWith(0x0112, 3, 1, 0), 1},
    {"WrongType", LittleWith(0x0112, 4, 1, 6), 1},
    {"CountZero", LittleWith(0x0112, 3, 0, 6), 1},
    {"Empty", {}, 1},
    {"OnlyPrefix", Prefixed({}), 1},
    {"BadByteOrder", {'I', 'M', 42, 0, 8, 0, 0, 0}, 1},
    {"BadMagic", {'I', 'I', 43, 0, 8, 0, 0, 0, 0, 0}, 1},
    {"DirectoryBeyondEnd", {'I', 'I', 42, 0, 0xf0, 0xff, 0xff, 0xff, 0, 0}, 1},
    // The entry count promises more entries than the block holds; the one that fits is read.
    {"CountBeyondEnd", [] { Bytes b = LittleWith(0x0112, 3, 1, 5); b[8] = 0xff; b[9] = 0xff; return b; }(), 5},
    {"EntryCutShort", [] { Bytes b = LittleWith(0x0112, 3, 1, 5); b.resize(20); return b; }(), 1},
};
// clang-format on

class ExifOrientationRead : public ::testing::TestWithParam<ExifCase> {};

TEST_P(ExifOrientationRead, GivesTheTagOrUpright) {
    const ExifCase& c = GetParam();
    EXPECT_EQ(ExifOrientation(c.block.data(), c.block.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Blocks, ExifOrientationRead, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
