// Reading BMP files: headers, masks, colour table and pixels into a new surface. Encoded
// pixels go through the platform and the file's bytes are kept for writing back.
#include <algorithm>
#include <cstdlib>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/BitmapPalette.h"
#include "graphics/BitmapSurface.h"
#include "graphics/BmpFile.h"
#include "graphics/ColorProfile.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/WorkContext.h"
#include "platform/DibHeader.h"
#include "platform/LittleEndian.h"
#include "platform/PixelFormat.h"

namespace {
using platform::BITMAPINFOHEADER;
using platform::RGBQUAD;

[[noreturn]] void Invalid() { throw EInvalidGraphic(msg::SInvalidBitmap); }

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) { return platform::LittleU32(&b[at]); }
std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) { return platform::LittleU16(&b[at]); }

// The state of one read: the header as a 40-byte BITMAPINFOHEADER, its raw bytes (the size field
// included), where the rest comes from, and how many bytes still belong to the bitmap.
struct TBodyRead {
    std::uint32_t headerSize = 0;
    BITMAPINFOHEADER header;
    std::vector<std::uint8_t> raw;
    std::array<std::uint32_t, 3> masks{};
    std::array<std::uint32_t, 3> headerMasks{};  // the header's own, used with BI_BITFIELDS only
    bool masksFollow = false;
    std::vector<RGBQUAD> colors;
    TStream* source = nullptr;
    std::int64_t remaining = 0;
    std::unique_ptr<TMemoryStream> kept;
    std::vector<std::uint8_t> profile;  // embedded ICC profile, empty when none is used

    bool Core() const { return headerSize == platform::kCoreHeaderSize; }
    bool Encoded() const {
        return header.biCompression != platform::BI_RGB && header.biCompression != platform::BI_BITFIELDS;
    }
};

void ReadHeader(TBodyRead& r) {
    r.headerSize = r.source->ReadUInt32();
    if (!r.Core() && (r.headerSize < bmp::kMinHeaderSize || r.headerSize > bmp::kMaxHeaderSize)) Invalid();
    r.raw.clear();
    platform::AppendLittleU32(r.raw, r.headerSize);
    r.raw.resize(r.headerSize);
    r.source->ReadBuffer(r.raw.data() + 4, std::int64_t(r.headerSize - 4));
    r.remaining -= r.headerSize;
    const platform::DibHeader header = platform::ParseDibHeader(r.raw);
    r.header = header.fields;
    r.headerMasks = header.masks;
    r.masksFollow = header.MasksFollow();
}

bool PlatformCanDecode(const BITMAPINFOHEADER& h) {
    return (h.biCompression == platform::BI_RLE8 && h.biBitCount == 8) ||
           (h.biCompression == platform::BI_RLE4 && h.biBitCount == 4);
}

void ValidateHeader(const TBodyRead& r) {
    const BITMAPINFOHEADER& h = r.header;
    if (h.biPlanes != 1 || !platform::ValidBitCount(h.biBitCount)) Invalid();
    if (h.biCompression == platform::BI_BITFIELDS && h.biBitCount != 16 && h.biBitCount != 32) Invalid();
    if (r.Encoded() && !PlatformCanDecode(h)) Invalid();
    if (h.biWidth <= 0 || h.biWidth > bmp::kMaxDimension) Invalid();
    if (h.biHeight == 0 || h.biHeight < -bmp::kMaxDimension || h.biHeight > bmp::kMaxDimension) Invalid();
    if (std::int64_t(h.biWidth) * std::abs(h.biHeight) > bmp::kMaxPixels) Invalid();
}

// Encoded pixels: the rest of the read takes its bytes from a copy of the file kept for
// writing back unchanged.
void KeepFileData(TBodyRead& r, const TBmpFileHeader* fileHeader) {
    if (r.remaining < 0) throw EReadError(msg::SStreamRead);
    r.kept = std::make_unique<TMemoryStream>();
    TBmpFileHeader synthesized;
    synthesized.bfSize = std::uint32_t(bmp::kFileHeaderSize + r.headerSize + r.remaining);
    bmp::WriteFileHeader(*r.kept, fileHeader ? *fileHeader : synthesized);
    r.kept->WriteBuffer(r.raw.data(), r.headerSize);
    const std::int64_t start = r.kept->Position();
    if (r.remaining > 0) r.kept->CopyFrom(*r.source, r.remaining);
    r.kept->SetPosition(start);
    r.source = r.kept.get();
}

void ReadMasks(TBodyRead& r) {
    const BITMAPINFOHEADER& h = r.header;
    if (h.biCompression != platform::BI_BITFIELDS) return;
    r.masks = r.headerMasks;
    if (r.masksFollow) {
        for (auto& mask : r.masks) mask = r.source->ReadUInt32();
        r.remaining -= 12;
    }
    if (r.masks == std::array<std::uint32_t, 3>{}) r.masks = DefaultMasks(h.biBitCount);
}

void ReadColorTable(TBodyRead& r) {
    BITMAPINFOHEADER& h = r.header;
    if (h.biClrUsed == 0) h.biClrUsed = std::uint32_t(ColorTableEntries(h.biBitCount));
    const std::int64_t entrySize = r.Core() ? 3 : 4;
    const std::int64_t bytes = std::int64_t(h.biClrUsed) * entrySize;
    if (bytes > r.source->Remaining()) throw EReadError(msg::SStreamRead);
    const std::uint32_t kept = std::min(h.biClrUsed, bmp::kMaxColorEntries);
    std::vector<std::uint8_t> table(std::size_t(kept * entrySize));
    r.source->ReadBuffer(table.data(), std::int64_t(table.size()));
    r.source->Seek(bytes - std::int64_t(table.size()), TSeekOrigin::soCurrent);  // entries beyond the kept ones
    r.remaining -= bytes;
    r.colors.resize(kept);
    for (std::uint32_t i = 0; i < kept; ++i) {  // three-byte entries widen to four
        const std::uint8_t* e = &table[std::size_t(i * entrySize)];
        r.colors[i] = {e[0], e[1], e[2], 0};
    }
    h.biClrUsed = kept;
}

std::int64_t PixelByteCount(const TBodyRead& r) {
    const BITMAPINFOHEADER& h = r.header;
    const std::int64_t imageSize =
        h.biSizeImage ? std::int64_t(h.biSizeImage) : RowBytes(h.biWidth, h.biBitCount) * std::abs(h.biHeight);
    if (r.remaining < 0) return imageSize;  // compared unsigned: a negative rest is no limit
    return std::min(r.remaining, imageSize);
}

platform::BITMAPINFO InfoFor(const TBodyRead& r) {
    platform::BITMAPINFO info;
    info.bmiHeader = r.header;
    info.bmiHeader.biSize = platform::kInfoHeaderSize;  // masks and table travel beside the header
    info.bmiMasks = r.masks;
    info.bmiColors = r.colors;
    return info;
}

[[noreturn]] void SurfaceRefused() {
    const std::uint32_t code = platform::GetLastError();
    // A refused parameter is the file's fault; anything else is the system's.
    if (code != 0 && code != platform::ERROR_INVALID_PARAMETER)
        throw EOSError(code, platform::SystemErrorMessage(code));
    Invalid();
}

void MakeDecodedSurface(TBodyRead& r, TBmpContent& content) {
    const std::int64_t count = std::min(PixelByteCount(r), r.source->Remaining());
    std::vector<std::uint8_t> pixels(std::size_t(std::max<std::int64_t>(count, 0)));
    r.source->ReadBuffer(pixels.data(), std::int64_t(pixels.size()));
    TWorkDC work;
    TScreenDC screen;
    const platform::HBITMAP stand = platform::CreateCompatibleBitmap(screen.Handle(), 1, 1);
    if (stand) platform::SelectObject(work.Handle(), stand);
    if (!r.colors.empty()) {
        content.palette = PaletteFromColorTable(r.colors);
        platform::SelectPalette(work.Handle(), content.palette, false);
        platform::RealizePalette(work.Handle());
    }
    const platform::BITMAPINFO info = InfoFor(r);
    platform::SetLastError(0);
    content.surface = platform::CreateDIBitmap(work.Handle(), &info.bmiHeader, platform::CBM_INIT, pixels.data(),
                                               pixels.size(), info, platform::DIB_RGB_COLORS);
    if (!content.surface) SurfaceRefused();
}

// Pixels that hold their colours directly; 16-bit and unusual masks keep their numbers.
void ConvertSectionToSrgb(const TBodyRead& r, std::uint8_t* bits) {
    const BITMAPINFOHEADER& h = r.header;
    const bool plainMasks = h.biCompression == platform::BI_RGB || r.masks == DefaultMasks(32);
    if (r.profile.empty() || (h.biBitCount == 32 && !plainMasks)) return;
    const std::ptrdiff_t stride = std::ptrdiff_t(RowBytes(h.biWidth, h.biBitCount));
    RowsToSrgb(r.profile, h.biBitCount, bits, stride, h.biWidth, std::abs(h.biHeight));
}

void MakeSection(TBodyRead& r, TBmpContent& content) {
    const platform::BITMAPINFO info = InfoFor(r);
    void* bits = nullptr;
    platform::SetLastError(0);
    {
        TScreenDC screen;
        content.surface = platform::CreateDIBSection(screen.Handle(), info, platform::DIB_RGB_COLORS, &bits);
    }
    if (!content.surface || !bits) SurfaceRefused();
    const std::int64_t capacity = RowBytes(r.header.biWidth, r.header.biBitCount) * std::abs(r.header.biHeight);
    r.source->ReadBuffer(bits, std::min(PixelByteCount(r), capacity));  // a short block keeps the rest as made
    ConvertSectionToSrgb(r, static_cast<std::uint8_t*>(bits));
}

TBmpContent MakeContent(TBodyRead& r) {
    TBmpContent content;
    if (r.Encoded()) MakeDecodedSurface(r, content);
    else MakeSection(r, content);
    if (r.header.biBitCount > 8 && !r.colors.empty() && !content.palette)
        content.palette = PaletteFromColorTable(r.colors);
    content.description = DescribeSurface(content.surface);
    platform::BITMAPINFOHEADER& d = content.description.dsBmih;
    d.biXPelsPerMeter = r.header.biXPelsPerMeter;
    d.biYPelsPerMeter = r.header.biYPelsPerMeter;
    d.biClrUsed = r.header.biClrUsed;
    d.biClrImportant = r.header.biClrImportant;
    content.os2 = r.Core();
    content.keptFileData = std::move(r.kept);
    return content;
}

TBmpFileHeader ReadFileHeader(TStream& stream) {
    std::uint8_t b[bmp::kFileHeaderSize];
    stream.ReadBuffer(b, sizeof b);
    const std::vector<std::uint8_t> v(b, b + sizeof b);
    TBmpFileHeader f;
    f.bfType = Le16(v, 0);
    f.bfSize = Le32(v, 2);
    f.bfReserved1 = Le16(v, 6);
    f.bfReserved2 = Le16(v, 8);
    f.bfOffBits = Le32(v, 10);
    if (f.bfType != bmp::kFileType) Invalid();
    return f;
}
}  // namespace

namespace bmp {
TBmpContent ReadBmp(TStream& stream, std::int64_t count, bool colorManagement) {
    const TBmpFileHeader header = ReadFileHeader(stream);
    return ReadBmpBody(stream, count - kFileHeaderSize, &header, colorManagement);
}

TBmpContent ReadBmpBody(TStream& stream, std::int64_t count, const TBmpFileHeader* header, bool colorManagement) {
    TBodyRead r;
    r.source = &stream;
    r.remaining = count;
    ReadHeader(r);
    r.header.biSize = r.headerSize;
    ValidateHeader(r);  // before keeping the file's bytes: a refused file costs no copy
    if (colorManagement) r.profile = ReadEmbeddedProfile(stream, count, r.headerSize, std::span(r.raw).subspan(4));
    if (r.Encoded()) KeepFileData(r, header);
    ReadMasks(r);
    ReadColorTable(r);
    ColorTableToSrgb(r.profile, r.colors);
    if (r.kept && !header) {  // a made-up file header points at the pixels it keeps
        const std::int64_t pixels = r.kept->Position();
        r.kept->SetPosition(10);
        r.kept->WriteUInt32(std::uint32_t(pixels));
        r.kept->SetPosition(pixels);
    }
    return MakeContent(r);
}
}  // namespace bmp
