// Damaged and hostile PNG, WebP and HEIF files end in the format's EInvalidGraphic: a header
// beyond the bounds already when the file is read (before any pixel memory is taken), damaged
// pixel data when the picture is decoded. The libraries print nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <initializer_list>

#include "FormatsTestSupport.h"
#include "formats/HeifImage.h"
#include "formats/PngImage.h"
#include "formats/WebPImage.h"
#include "graphics/Exceptions.h"
#include "graphics/Streams.h"

using namespace formatstest;

namespace {

using MakeBytes = std::optional<Bytes> (*)(const testdata::TempDir& temp);

struct BadCase {
    const char* name;
    const TClass* graphicClass;
    MakeBytes make;
    bool failsOnRead;  // false: the header reads, the pixels fail
    const char* message;
};

Bytes Be32(std::uint32_t v) {
    return {std::uint8_t(v >> 24), std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
}

Bytes PngWithSize(std::uint32_t width, std::uint32_t height) {
    Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
    Bytes header = Be32(width);
    const Bytes h = Be32(height);
    header.insert(header.end(), h.begin(), h.end());
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, truecolour, deflate, no filter, no interlace
    for (const Bytes& chunk : {PngChunk("IHDR", header), PngChunk("IDAT", {}), PngChunk("IEND", {})})
        png.insert(png.end(), chunk.begin(), chunk.end());
    return png;
}

// A file made by an encoder from the photograph.
std::optional<Bytes> Encoded(const testdata::TempDir& temp, const std::string& command, const char* name) {
    if (!MakePhoto(temp)) return std::nullopt;
    const std::string out = temp.File(name);
    if (!RunQuietly(command + " '" + temp.File("photo.png") + "' -o '" + out + "'")) return std::nullopt;
    return ReadFile(out);
}

std::optional<Bytes> Cut(std::optional<Bytes> bytes, double share) {
    if (bytes) bytes->resize(std::size_t(double(bytes->size()) * share));
    return bytes;
}

std::optional<Bytes> Photo(const testdata::TempDir& temp) {
    if (!MakePhoto(temp)) return std::nullopt;
    return ReadFile(temp.Path() / "photo.png");
}
std::optional<Bytes> LosslessWebP(const testdata::TempDir& t) {
    return Encoded(t, "/usr/bin/cwebp -quiet -lossless", "l.webp");
}
std::optional<Bytes> LossyWebP(const testdata::TempDir& t) {
    return Encoded(t, "/usr/bin/cwebp -quiet -q 80", "q.webp");
}
std::optional<Bytes> Heic(const testdata::TempDir& t) { return Encoded(t, "/usr/bin/heif-enc -q 80", "h.heic"); }

// An ISO base media box: its size, its type, then its fields; a full box's fields start with its
// version and flags.
Bytes Box(const char* type, std::initializer_list<Bytes> parts) {
    Bytes body;
    for (const Bytes& part : parts) body.insert(body.end(), part.begin(), part.end());
    Bytes box = Be32(std::uint32_t(8 + body.size()));
    box.insert(box.end(), type, type + 4);
    box.insert(box.end(), body.begin(), body.end());
    return box;
}
Bytes Text(const char* text) { return Bytes(text, text + std::strlen(text)); }

// An AVIF whose one AV1 image has a location of no bytes and a configuration without header
// units: libheif hands libdav1d an empty buffer, which libdav1d reports on standard error.
std::optional<Bytes> AvifWithoutCodedData(const testdata::TempDir&) {
    const Bytes v0 = {0, 0, 0, 0};  // version 0, no flags
    const Bytes item = {0, 1};      // item 1
    const Bytes meta =
        Box("meta", {v0, Box("hdlr", {v0, Be32(0), Text("pict"), Bytes(13, 0)}),  // predefined, type, reserved, name ""
                     Box("pitm", {v0, item}),                                     // the primary item
                     // 4-byte offsets and lengths, 1 item, data in this file, no base offset, 1 extent
                     // at offset 0 of length 0
                     Box("iloc", {v0, {0x44, 0x00, 0, 1}, item, {0, 0, 0, 1}, Be32(0), Be32(0)}),
                     Box("iinf", {v0, {0, 1}, Box("infe", {{2, 0, 0, 0}, item, {0, 0}, Text("av01"), {0}})}),
                     Box("iprp", {Box("ipco", {Box("av1C", {{0x81, 0x00, 0x0c, 0x00}}),  // 8-bit 4:2:0, no units
                                               Box("ispe", {v0, Be32(64), Be32(48)})}),
                                  // item 1 has 2 properties: 1 (essential) and 2
                                  Box("ipma", {v0, Be32(1), item, {2, 0x81, 0x02}})})});
    Bytes file = Box("ftyp", {Text("avif"), Be32(0), Text("mif1avif")});
    file.insert(file.end(), meta.begin(), meta.end());
    return file;
}

// Overwrites the bytes after the first occurrence of `tag`.
std::optional<Bytes> Patched(std::optional<Bytes> bytes, const std::string& tag, std::size_t skip, const Bytes& with) {
    if (!bytes) return bytes;
    const auto at = std::search(bytes->begin(), bytes->end(), tag.begin(), tag.end());
    if (at == bytes->end() || std::size_t(bytes->end() - at) < tag.size() + skip + with.size()) return std::nullopt;
    std::copy(with.begin(), with.end(), at + std::ptrdiff_t(tag.size() + skip));
    return bytes;
}

constexpr const char* kPng = "PNG image is not valid";
constexpr const char* kWebP = "WebP image is not valid";
constexpr const char* kHeif = "HEIF image is not valid";

// clang-format off
const BadCase kCases[] = {
    {"EmptyPng", &TPngImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes{}); }, true, kPng},
    {"TextAsPng", &TPngImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes(40, 'x')); }, true, kPng},
    // 100000 x 100000: each side within bounds, the area not.
    {"PngOfTenGigapixels", &TPngImage::Class, [](const auto&) { return std::optional(PngWithSize(100000, 100000)); },
     true, kPng},
    {"PngTooWide", &TPngImage::Class, [](const auto&) { return std::optional(PngWithSize(1u << 20, 1)); }, true, kPng},
    {"PngWithoutPixels", &TPngImage::Class, [](const auto&) { return std::optional(PngWithSize(64, 64)); }, false, kPng},
    {"PngCutShort", &TPngImage::Class, [](const auto& t) { return Cut(Photo(t), 0.6); }, false, kPng},
    {"EmptyWebP", &TWebPImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes{}); }, true, kWebP},
    {"TextAsWebP", &TWebPImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes(40, 'x')); }, true, kWebP},
    // Lossless header of 16384 x 16384: the largest WebP sides, 268 megapixels.
    {"WebPOfQuarterGigapixel", &TWebPImage::Class,
     [](const auto& t) { return Patched(LosslessWebP(t), "VP8L", 5, {0xff, 0xff, 0xff, 0x0f}); }, true, kWebP},
    {"WebPCutShort", &TWebPImage::Class, [](const auto& t) { return Cut(LossyWebP(t), 0.6); }, true, kWebP},
    {"EmptyHeif", &THeifImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes{}); }, true, kHeif},
    {"TextAsHeif", &THeifImage::Class, [](const auto&) { return std::optional<Bytes>(Bytes(40, 'x')); }, true, kHeif},
    // Image spatial extent of 60000 x 60000.
    {"HeifOfGigapixels", &THeifImage::Class, [](const auto& t) { return Patched(Heic(t), "ispe", 4, {0, 0, 0xea, 0x60, 0, 0, 0xea, 0x60}); },
     true, kHeif},
    {"HeifCutShort", &THeifImage::Class, [](const auto& t) { return Cut(Heic(t), 0.7); }, true, kHeif},
    {"AvifWithoutCodedData", &THeifImage::Class, AvifWithoutCodedData, false, kHeif},
};
// clang-format on

class FormatBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(FormatBadInput, FailsCleanlyAndQuietly) {
    const BadCase& c = GetParam();
    testdata::TempDir temp;
    const auto bytes = c.make(temp);
    if (!bytes) GTEST_SKIP() << "photograph or encoder not installed";
    const auto graphic = TGraphic::CreateEmpty(c.graphicClass);
    auto& image = static_cast<TRasterImage&>(*graphic);
    TMemoryStream stream;
    stream.WriteBuffer(bytes->data(), std::int64_t(bytes->size()));
    stream.SetPosition(0);
    std::string onRead, onDecode;
    const std::string printed = CapturedStderr([&] {
        onRead = FailureMessage<EInvalidGraphic>([&] { image.LoadFromStream(stream); });
        if (!image.IsEmpty()) onDecode = FailureMessage<EInvalidGraphic>([&] { image.Decode(); });
    });
    EXPECT_EQ(onRead, c.failsOnRead ? c.message : "(no failure)");
    EXPECT_EQ(image.IsEmpty(), c.failsOnRead);
    if (!c.failsOnRead) {
        EXPECT_EQ(onDecode, c.message);
    }
    EXPECT_EQ(printed, "");
}

INSTANTIATE_TEST_SUITE_P(Files, FormatBadInput, ::testing::ValuesIn(kCases),
                         [](const auto& test) { return std::string(test.param.name); });

}  // namespace
