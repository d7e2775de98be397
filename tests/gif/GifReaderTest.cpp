// The reader's block-level rules and limits, each a hand-made file.

#include <gtest/gtest.h>

#include "GifTestSupport.h"
#include "gif/GIFMessages.h"
#include "graphics/Streams.h"
#include "support/TestData.h"

using namespace giftest;

namespace {

// A 2 x 2 frame of index 1.
GifBuilder& Frame(GifBuilder& b) { return b.Descriptor(0, 0, 2, 2).Codes(2, {4, 1, 1, 1, 1, 5}); }
Bytes Text(const std::string& s) { return Bytes(s.begin(), s.end()); }
Bytes Cat(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}
Bytes AppExtension(std::uint8_t size, const std::string& identifier, const Bytes& blocks) {
    return Cat(Cat({0x21, 0xFF, size}, Text(identifier)), blocks);
}
template <class T>
T* OnlyExtension(TGIFImage& image) {
    EXPECT_EQ(image.Images().Frame(0)->Extensions().Count(), 1);
    return dynamic_cast<T*>(image.Images().Frame(0)->Extensions().Extension(0));
}

struct ReadCase {
    const char* name;
    std::function<Bytes()> bytes;
    const char* error;  // "" when reading succeeds
    int frames;
    std::vector<std::string> warnings;
    std::function<void(TGIFImage&)> check = [](TGIFImage&) {};
};

class GifReading : public testing::TestWithParam<ReadCase> {};

}  // namespace

TEST_P(GifReading, FollowsTheBlockRules) {
    const ReadCase& c = GetParam();
    const Bytes bytes = c.bytes();
    if (*c.error) {
        EXPECT_EQ(LoadError(bytes), c.error);
        return;
    }
    Loaded loaded = Load(bytes);
    EXPECT_EQ(loaded.image->Images().Count(), c.frames);
    EXPECT_EQ(loaded.warnings, c.warnings);
    c.check(*loaded.image);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Blocks, GifReading,
    testing::Values(
        ReadCase{"ScreenOnly", [] { return GifBuilder().Header(7, 9, 1).Trailer().Get(); }, "", 0, {},
                 [](TGIFImage& image) {
                     EXPECT_TRUE(image.IsEmpty());
                     EXPECT_EQ(image.ImageWidth(), 7);
                     EXPECT_EQ(image.ImageHeight(), 9);
                 }},
        ReadCase{"LowerCaseSignatureAnyVersion",
                 [] { GifBuilder b; return Frame(b.Header(2, 2, 1, "gif1x!")).Trailer().Get(); }, "", 1, {}},
        ReadCase{"FourBytesInFront",
                 [] { GifBuilder b; return Frame(b.Raw({9, 9, 9, 9}).Header(2, 2, 1)).Trailer().Get(); }, "", 1, {}},
        ReadCase{"FiveBytesInFront",
                 [] { GifBuilder b; return Frame(b.Raw({9, 9, 9, 9, 9}).Header(2, 2, 1)).Trailer().Get(); },
                 gifmsg::SBadSignature, 0, {}},
        ReadCase{"ZerosBetweenBlocks",
                 [] {
                     GifBuilder b;
                     Frame(Frame(b.Header(2, 2, 1).Raw({0, 0})).Raw({0})).Raw({0, 0});
                     return b.Trailer().Get();
                 },
                 "", 2, {}},
        ReadCase{"NoTrailer", [] { GifBuilder b; return Frame(b.Header(2, 2, 1)).Get(); }, "", 1, {}},
        ReadCase{"ExtensionsOnlyFrame",
                 [] { return GifBuilder().Header(2, 2, 1).GraphicControl(2, 7).Trailer().Get(); }, "", 1, {},
                 [](TGIFImage& image) {
                     EXPECT_EQ(image.Images().Frame(0)->PixelBuffer(), nullptr);
                     EXPECT_EQ(image.Images().Frame(0)->GraphicControlExtension()->Delay(), 7);
                 }},
        ReadCase{"ZeroWidthTakesScreen",
                 [] {
                     return GifBuilder().Header(3, 2, 1).Descriptor(0, 0, 0, 1).Codes(2, {4, 1, 5}).Trailer().Get();
                 },
                 "", 1, {gifmsg::SImageExceedsScreen},
                 [](TGIFImage& image) {
                     EXPECT_EQ(image.Images().Frame(0)->Width(), 3);
                     EXPECT_EQ(image.Images().Frame(0)->Height(), 2);
                 }},
        ReadCase{"LoopCountZero",
                 [] {
                     GifBuilder b;
                     b.Header(2, 2, 1).Raw(AppExtension(11, "NETSCAPE2.0", {3, 1, 0, 0, 0}));
                     return Frame(b).Trailer().Get();
                 },
                 "", 1, {},
                 [](TGIFImage& image) {
                     auto* loop = OnlyExtension<TGIFAppExtNSLoop>(image);
                     ASSERT_NE(loop, nullptr);
                     EXPECT_EQ(loop->Loops, 0);
                 }},
        ReadCase{"LowerCaseLoopIdentifierIsUnknown",
                 [] {
                     GifBuilder b;
                     b.Header(2, 2, 1).Raw(AppExtension(11, "netscape2.0", {3, 1, 5, 0, 0}));
                     return Frame(b).Trailer().Get();
                 },
                 "", 1, {},
                 [](TGIFImage& image) {
                     auto* unknown = OnlyExtension<TGIFUnknownAppExtension>(image);
                     ASSERT_NE(unknown, nullptr);
                     ASSERT_EQ(unknown->Blocks.size(), 1u);
                     EXPECT_EQ(unknown->Blocks[0].Data, (Bytes{1, 5, 0}));
                 }},
        ReadCase{"TenByteIdentifier",
                 [] {
                     GifBuilder b;
                     b.Header(2, 2, 1).Raw(AppExtension(10, "ABCDEFGHIJ", {2, 7, 8, 0}));
                     return Frame(b).Trailer().Get();
                 },
                 "", 1, {},
                 [](TGIFImage& image) {
                     auto* unknown = OnlyExtension<TGIFUnknownAppExtension>(image);
                     ASSERT_NE(unknown, nullptr);
                     EXPECT_EQ(unknown->IdentifierText(), std::string("ABCDEFGHIJ\0", 11));
                     EXPECT_EQ(unknown->Blocks.size(), 1u);
                 }},
        ReadCase{"TwelveByteIdentifierBlock",
                 [] {
                     GifBuilder b;
                     b.Header(2, 2, 1).Raw(AppExtension(12, "NETSCAPE2.0X", {2, 7, 8, 0}));
                     return Frame(b).Trailer().Get();
                 },
                 "", 1, {},
                 [](TGIFImage& image) {
                     auto* unknown = OnlyExtension<TGIFUnknownAppExtension>(image);
                     ASSERT_NE(unknown, nullptr);
                     EXPECT_EQ(unknown->IdentifierText(), "NETSCAPE2.0");
                 }},
        ReadCase{"NineByteIdentifier",
                 [] { return GifBuilder().Header(2, 2, 1).Raw(AppExtension(9, "ABCDEFGHI", {0})).Get(); },
                 gifmsg::SBadAppExtensionSize, 0, {}},
        ReadCase{"ShortLoopBlock",
                 [] {
                     return GifBuilder().Header(2, 2, 1).Raw(AppExtension(11, "NETSCAPE2.0", {2, 1, 0, 0})).Get();
                 },
                 gifmsg::SBadData, 0, {}},
        ReadCase{"CommentEndsAtZero",
                 [] {
                     GifBuilder b;
                     b.Header(2, 2, 1).Raw({0x21, 0xFE, 5, 'a', 'b', 0, 'c', 'd', 0});
                     return Frame(b).Trailer().Get();
                 },
                 "", 1, {},
                 [](TGIFImage& image) {
                     auto* comment = OnlyExtension<TGIFCommentExtension>(image);
                     ASSERT_NE(comment, nullptr);
                     EXPECT_EQ(comment->Lines, (TGIFLines{"ab"}));
                 }},
        ReadCase{"UnknownExtensionLabel",
                 [] { return GifBuilder().Header(2, 2, 1).Raw({0x21, 0x42, 0}).Get(); }, gifmsg::SUnknownExtension,
                 0, {}},
        ReadCase{"UnknownBlockKeepsFrames",
                 [] { GifBuilder b; return Frame(b.Header(2, 2, 1)).Raw({0x99}).Trailer().Get(); }, "", 1,
                 {gifmsg::SUnknownBlockType, gifmsg::SBadTrailer}},
        ReadCase{"CutInColorTable", [] { return Bytes{'G', 'I', 'F', '8', '9', 'a', 2, 0, 2, 0, 0x81, 0, 0, 1, 2}; },
                 gifmsg::SPrematureEOF, 0, {}},
        ReadCase{"HugeScreenTinyBody",
                 [] { return GifBuilder().Header(65535, 65535, 0).Raw({0x2C}).Get(); }, gifmsg::SScreenTooLarge, 0,
                 {}},
        ReadCase{"HugeFrameOnSmallScreen",
                 [] {
                     return GifBuilder().Header(2, 2, 1).Descriptor(0, 0, 65535, 65535).Codes(2, {4, 5}).Get();
                 },
                 gifmsg::SFrameTooLarge, 0, {}},
        ReadCase{"HundredThousandFrames",
                 [] {
                     GifBuilder b;
                     b.Header(1, 1, 1);
                     for (int i = 0; i < 100000; ++i) b.Descriptor(0, 0, 1, 1).Raw({2, 0});
                     return b.Trailer().Get();
                 },
                 gifmsg::STooManyFrames, 0, {}}),
    [](const testing::TestParamInfo<ReadCase>& param) { return param.param.name; });
// clang-format on

// A failed read moves the stream back to where reading began, for memory and file streams.
TEST(GifReader, FailureRestoresTheStreamPosition) {
    const Bytes bytes = Cat({1, 2, 3}, GifBuilder().Header(4, 4, 2).Raw({0x2C, 0, 0}).Get());
    testdata::TempDir dir;
    WriteFile(dir.File("cut.gif"), bytes);
    TMemoryStream memory;
    memory.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    TFileStream file(dir.File("cut.gif"), TFileStream::fmOpenRead);
    for (TStream* stream : {static_cast<TStream*>(&memory), static_cast<TStream*>(&file)}) {
        stream->SetPosition(3);
        TGIFImage image;
        EXPECT_THROW(image.LoadFromStream(*stream), GIFException);
        EXPECT_EQ(stream->Position(), 3);
    }
}
