// Hostile and damaged input: every file ends in a picture or in EJPEG with the library's code,
// never in a crash, a hang or another failure.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <random>

#include <jpeglib.h>
#include <jerror.h>

#include "JpegTestSupport.h"
#include "graphics/Streams.h"
#include "jpeg/JpegLimits.h"

using namespace jpegtest;

namespace {

// The code of the EJPEG that loading and then decoding raise; 0 when both succeed.
int FailureCode(const Bytes& file) {
    try {
        auto image = Load(file);
        image->Decode();
        return 0;
    } catch (const EJPEG& e) {
        EXPECT_EQ(e.Message(), "JPEG error #" + std::to_string(e.Code()));  // the window's text
        EXPECT_FALSE(e.LibraryText().empty()) << e.Message();
        return e.Code();
    }
}

// A frame header of one 8-bit gray component, then a scan header for it.
Bytes FrameAndScan(std::uint8_t heightHigh, std::uint8_t heightLow, std::uint8_t widthHigh, std::uint8_t widthLow) {
    return {
        0xFF,       0xD8,                            // SOI
        0xFF,       0xC0,      0x00,      0x0B,      // SOF0, length 11
        0x08,                                        // 8 bits per sample
        heightHigh, heightLow, widthHigh, widthLow,  // height, width
        0x01,       0x01,      0x11,      0x00,      // one component: id 1, 1 x 1, table 0
        0xFF,       0xDA,      0x00,      0x08,      // SOS, length 8
        0x01,       0x01,      0x00,                 // one component: id 1, tables 0/0
        0x00,       0x3F,      0x00,                 // spectral 0..63, no approximation
    };
}

Bytes TablesOnly() {
    Bytes file = {0xFF, 0xD8,               // SOI
                  0xFF, 0xDB, 0x00, 0x43,   // DQT, length 67
                  0x00};                    // 8-bit table 0
    file.insert(file.end(), 64, 0x01);      // 64 entries of 1
    file.insert(file.end(), {0xFF, 0xD9});  // EOI
    return file;
}

struct BadFile {
    const char* name;
    Bytes file;
    int code;
};

class BadInput : public ::testing::TestWithParam<BadFile> {};

TEST_P(BadInput, FailsWithTheLibraryCode) { EXPECT_EQ(FailureCode(GetParam().file), GetParam().code); }

TEST_P(BadInput, IsAnInvalidGraphicForCallers) {
    bool caught = false;
    try {
        Load(GetParam().file)->Decode();
    } catch (const EInvalidGraphic&) {
        caught = true;
    }
    EXPECT_TRUE(caught);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInput,
    ::testing::Values(
        BadFile{"ZeroBytes", {}, 42}, BadFile{"NotJpeg", {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0}, 53},
        BadFile{"OneByte", {0xFF}, 53}, BadFile{"SoiOnly", {0xFF, 0xD8}, 51},
        BadFile{"SoiEoi", {0xFF, 0xD8, 0xFF, 0xD9}, 51}, BadFile{"TablesOnly", TablesOnly(), 51},
        BadFile{"WidthAboveLimit", FrameAndScan(0x00, 0x10, 0xFF, 0xFF), 41},                       // 65535 wide
        BadFile{"HeightAboveLimit", FrameAndScan(0xFF, 0xDD, 0x00, 0x10), 41},                      // 65501 high
        BadFile{"TooManyPixels", FrameAndScan(0xEA, 0x60, 0xEA, 0x60), 41},                         // 60000 x 60000
        BadFile{"SegmentBeyondEnd", {0xFF, 0xD8, 0xFF, 0xE1, 0xFF, 0xFF, 'E', 'x', 'i', 'f'}, 51},  // APP1 of 65535
        BadFile{"ZeroWidth", FrameAndScan(0x00, 0x10, 0x00, 0x00), JERR_EMPTY_IMAGE}),
    [](const auto& test) { return std::string(test.param.name); });

// Files whose component count no bitmap row layout holds are refused before any row is written
// (the rows are written inside libjpeg, so valgrind runs this table in CI).
class UnusualComponents : public ::testing::TestWithParam<int> {};

TEST_P(UnusualComponents, AreRefusedForEveryOutput) {
    const Bytes file = EncodeComponents(300, 200, GetParam());
    for (const bool gray : {false, true})
        for (const TJpegDepth depth : {TJpegDepth::Depth24, TJpegDepth::Depth8}) {
            auto image = Load(file);
            image->SetGrayOutput(gray);
            image->SetDecodeDepth(depth);
            EXPECT_EQ(FailureMessage<EJPEG>([&] { image->Decode(); }),
                      "JPEG error #" + std::to_string(JERR_CONVERSION_NOTIMPL))
                << gray << int(depth);
        }
}

INSTANTIATE_TEST_SUITE_P(Counts, UnusualComponents, ::testing::Values(2, 5, 10));

// A small real file whose frame header claims `width` x `height`: a bomb of a few kilobytes.
Bytes ClaimingSize(bool progressive, std::uint16_t width, std::uint16_t height) {
    Bytes file = EncodePattern(32, 32, {.progressive = progressive});
    const std::uint8_t frame[] = {0xFF, std::uint8_t(progressive ? 0xC2 : 0xC0)};
    const auto sof = std::search(file.begin(), file.end(), std::begin(frame), std::end(frame));
    const Bytes size = {std::uint8_t(height >> 8), std::uint8_t(height), std::uint8_t(width >> 8), std::uint8_t(width)};
    std::copy(size.begin(), size.end(), sof + 5);
    return file;
}

// Cheap to refuse: the frame header is all that is read before the refusal.
TEST(JpegBadInput, TinyFilesClaimingHugePicturesAreRefused) {
    for (const bool progressive : {false, true}) {
        const Bytes bomb = ClaimingSize(progressive, 17000, 17000);
        EXPECT_EQ(Load(bomb)->ImageWidth(), 17000);
        EXPECT_EQ(FailureCode(bomb), JERR_INPUT_EOF) << progressive;
        EXPECT_EQ(FailureCode(ClaimingSize(progressive, 2000, 1500)), 0) << "what any file may cost";
    }
}

TEST(JpegBadInput, HugeButLegalHeaderLoadsAndReportsItsSize) {
    auto image = Load(FrameAndScan(0xEA, 0x60, 0xEA, 0x60));
    EXPECT_EQ(image->ImageWidth(), 60000);
    EXPECT_EQ(image->ImageHeight(), 60000);
}

TEST(JpegBadInput, FailedHeaderKeepsTheBytesAndSendsNoChange) {
    TMemoryStream stream;
    const Bytes junk = {1, 2, 3};
    stream.WriteBuffer(junk.data(), 3);
    stream.SetPosition(0);
    TJPEGImage image;
    int changes = 0;
    image.OnChange = [&](TObject*) { ++changes; };
    EXPECT_THROW(image.LoadFromStream(stream), EJPEG);
    EXPECT_EQ(changes, 0);
    ASSERT_NE(image.DataObject().ByteStream, nullptr);
    EXPECT_EQ(image.DataObject().ByteStream->Size(), 3);
}

class CutFile : public ::testing::TestWithParam<int> {};

// Cut anywhere after the first scan header, a file still decodes to its full size.
TEST_P(CutFile, DecodesWhatArrived) {
    for (bool progressive : {false, true}) {
        const Bytes whole = EncodePattern(48, 40, {.progressive = progressive});
        const std::uint8_t scanMarker[] = {0xFF, 0xDA};
        const auto sos = std::search(whole.begin(), whole.end(), std::begin(scanMarker), std::end(scanMarker));
        const std::size_t dataStart = std::size_t(sos - whole.begin()) + 14;  // a 3-component scan header
        const std::size_t cut = dataStart + (whole.size() - dataStart) * std::size_t(GetParam()) / 10;
        auto image = Load(Bytes(whole.begin(), whole.begin() + std::ptrdiff_t(cut)));
        TBitmap* decoded = nullptr;
        ASSERT_NO_THROW(decoded = image->Decode()) << cut;
        EXPECT_EQ(decoded->ImageWidth(), 48);
        EXPECT_EQ(decoded->ImageHeight(), 40);
    }
}

INSTANTIATE_TEST_SUITE_P(Tenths, CutFile, ::testing::Range(0, 10));

TEST(JpegBadInput, CutInsideTheHeaderFails) {
    const Bytes whole = EncodePattern(16, 16);
    EXPECT_EQ(FailureCode(Bytes(whole.begin(), whole.begin() + 30)), 51);
}

// Single-byte damage everywhere in small files: the codec reports or decodes, nothing else.
TEST(JpegBadInput, DamagedBytesNeverEscapeTheCodec) {
    std::mt19937 random(20261207);
    for (bool progressive : {false, true}) {
        const Bytes whole = EncodePattern(24, 24, {.quality = 60, .progressive = progressive});
        for (int round = 0; round < 150; ++round) {
            Bytes damaged = whole;
            for (int hits = 0; hits < 3; ++hits) damaged[random() % damaged.size()] = std::uint8_t(random());
            try {
                FailureCode(damaged);
            } catch (const std::exception& e) {
                ADD_FAILURE() << "round " << round << ": " << e.what();
            }
        }
    }
}

// Offsets of the markers that start the blocks of each scan: the tables before a scan belong to it.
std::vector<std::size_t> ScanBlockStarts(const Bytes& file) {
    std::vector<std::size_t> starts;
    bool afterScan = true;  // the first block starts after the frame header's tables
    std::size_t at = 2;
    while (at + 3 < file.size()) {
        if (file[at] != 0xFF || file[at + 1] == 0x00 || file[at + 1] == 0xFF) {
            ++at;
            continue;
        }
        const std::uint8_t marker = file[at + 1];
        if (marker == 0xD9) break;
        if (marker == 0xC4 || marker == 0xDA) {
            if (afterScan) starts.push_back(at);
            afterScan = marker == 0xDA;
        }
        at += 2 + (std::size_t(file[at + 2]) << 8 | file[at + 3]);
    }
    return starts;
}

// The copies of a scan up to the limit, then the scan header of one more, as if the file ended
// there: what a file with copies beyond the limit must decode like.
Bytes CutAfterScanHeader(const Bytes& head, const Bytes& block, int copies) {
    Bytes file = head;
    for (int copy = 0; copy < copies; ++copy) file.insert(file.end(), block.begin(), block.end());
    const std::uint8_t scanMarker[] = {0xFF, 0xDA};
    const auto sos = std::search(block.begin(), block.end(), std::begin(scanMarker), std::end(scanMarker));
    const std::size_t headerEnd = std::size_t(sos - block.begin()) + 2 + (std::size_t(sos[2]) << 8 | sos[3]);
    file.insert(file.end(), block.begin(), block.begin() + std::ptrdiff_t(headerEnd));
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

// Scans beyond the limit are ignored like data that never came.
TEST(JpegBadInput, ScansBeyondTheLimitAreIgnored) {
    const Bytes whole = EncodePattern(64, 48, {.quality = 95, .progressive = true});
    const auto starts = ScanBlockStarts(whole);
    ASSERT_GE(starts.size(), 4u);
    const Bytes head(whole.begin(), whole.begin() + std::ptrdiff_t(starts[1]));  // up to the DC scan
    const Bytes second(whole.begin() + std::ptrdiff_t(starts[1]), whole.begin() + std::ptrdiff_t(starts[2]));
    const Bytes rest(whole.begin() + std::ptrdiff_t(starts[2]), whole.end());
    Bytes hostile = head;
    for (int copy = 0; copy < 300; ++copy) hostile.insert(hostile.end(), second.begin(), second.end());
    hostile.insert(hostile.end(), rest.begin(), rest.end());

    // The DC scan is scan 1, so the copies that fit are scans 2 to MaxJpegScans.
    auto cut = Load(hostile);
    auto expected = Load(CutAfterScanHeader(head, second, jpeg::MaxJpegScans - 1));
    auto full = Load(whole);
    TBitmap* a = cut->Decode();
    TBitmap* b = expected->Decode();
    int differences = 0;
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(PixelOf(*a, x, y), PixelOf(*b, x, y)) << x << "," << y;
            if (!(PixelOf(*a, x, y) == PixelOf(*full->Decode(), x, y))) ++differences;
        }
    EXPECT_GT(differences, 0) << "the later scans would have refined the picture";
}

}  // namespace

// The file is read in one block from its size at that moment: cut short after it was opened, it
// reads as the shorter file it has become.
TEST(JpegBadInput, FileCutAfterOpeningReadsAsTheShorterFile) {
    const testdata::TempDir temp;
    const Bytes whole = EncodePattern(48, 40, {.progressive = true});
    const Bytes half(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
    const std::string path = temp.File("cut.jpg");
    WriteFile(path, whole);
    TFileStream file(path, TFileStream::fmOpenRead);
    std::filesystem::resize_file(path, half.size());
    TJPEGImage image;
    image.LoadFromStream(file);
    TBitmap& read = *image.Decode();
    const auto shorter = Load(half);
    TBitmap& expected = *shorter->Decode();
    ASSERT_EQ(read.ImageWidth(), 48);
    ASSERT_EQ(read.ImageHeight(), 40);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 48; ++x) ASSERT_EQ(PixelOf(read, x, y), PixelOf(expected, x, y)) << x << "," << y;
}
