// The EXIF orientation found among a JPEG file's marker segments, and damaged segment chains that
// read as upright.

#include <gtest/gtest.h>

#include "jpeg/JpegOrientation.h"
#include "support/ExifBlock.h"

namespace {

using exiftest::Bytes;

struct SegmentCase {
    const char* name;
    Bytes file;
    int expected;
};

Bytes Segment(std::uint8_t marker, const Bytes& body) {
    const std::size_t length = body.size() + 2;
    Bytes segment{0xff, marker, std::uint8_t(length >> 8), std::uint8_t(length)};
    segment.insert(segment.end(), body.begin(), body.end());
    return segment;
}

Bytes ExifBody(int orientation) {
    Bytes body{'E', 'x', 'i', 'f', 0, 0};
    const Bytes block = exiftest::ExifBlock(orientation);
    body.insert(body.end(), block.begin(), block.end());
    return body;
}

Bytes File(std::initializer_list<Bytes> parts) {
    Bytes file{0xff, 0xd8};
    for (const Bytes& part : parts) file.insert(file.end(), part.begin(), part.end());
    return file;
}

const Bytes kApp0 = Segment(0xe0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
const Bytes kXmp = Segment(0xe1, {'h', 't', 't', 'p', ':', '/', '/', 'n', 's', 0});
const Bytes kScan = Segment(0xda, {1, 1, 0, 0, 63, 0});

const SegmentCase kCases[] = {
    {"AfterJfifAndXmp", File({kApp0, kXmp, Segment(0xe1, ExifBody(6))}), 6},
    {"FillBytesBeforeMarker", File({Bytes{0xff, 0xff}, Segment(0xe1, ExifBody(3))}), 3},
    {"NoExif", File({kApp0, kScan}), 1},
    {"ExifAfterTheScanIsNotLookedAt", File({kScan, Segment(0xe1, ExifBody(8))}), 1},
    {"LengthBeyondTheEnd",
     [] {
         Bytes f = File({Segment(0xe1, ExifBody(6))});
         f.resize(f.size() - 3);
         return f;
     }(),
     1},
    {"LengthBelowTwo", File({Bytes{0xff, 0xe0, 0, 1}, Segment(0xe1, ExifBody(6))}), 1},
    {"NotAJpeg", Bytes{0x89, 'P', 'N', 'G'}, 1},
    {"GarbageBetweenSegments", File({Bytes{0x00}, Segment(0xe1, ExifBody(6))}), 1},
};

class JpegOrientationSegments : public testing::TestWithParam<SegmentCase> {};

TEST_P(JpegOrientationSegments, FindTheTagOrUpright) {
    const SegmentCase& c = GetParam();
    EXPECT_EQ(jpeg::JpegOrientation(c.file.data(), c.file.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Files, JpegOrientationSegments, testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
