// TMetafile: reading, writing and persistence of enhanced and placeable Windows metafiles.
#include "graphics/Metafile.h"

#include <cstdlib>
#include <vector>

#include "graphics/Canvas.h"
#include "graphics/Exceptions.h"
#include "graphics/Messages.h"
#include "graphics/PaletteSelection.h"
#include "graphics/Picture.h"
#include "graphics/Streams.h"
#include "platform/LittleEndian.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WinMetaFile.h"

OBRAZOR_DEFINE_CLASS(TMetafile, TGraphic);

namespace {

constexpr std::int64_t kEnhancedProbeBytes = 100;
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::int64_t kPlaceableHeaderBytes = 22;
constexpr std::uint16_t CF_ENHMETAFILE = 14;
// A placeable header whose inch is 0 is measured at the display's usual 96 units per inch.
constexpr std::int32_t kDefaultInch = 96;
constexpr std::int32_t kMmAnisotropic = 8;

using platform::LittleU16;
using platform::LittleU32;

[[noreturn]] void RaiseInvalid() { throw EInvalidGraphic(msg::SInvalidMetafile); }

// The first 100 of `count` bytes ahead are an enhanced header: there are more than 100 of them,
// the first record is a header and it carries the signature. The stream stays where it was.
bool EnhancedAhead(TStream& stream, std::int64_t count) {
    if (count <= kEnhancedProbeBytes || stream.Remaining() <= kEnhancedProbeBytes) return false;
    std::uint8_t head[kEnhancedProbeBytes];
    stream.ReadBuffer(head, kEnhancedProbeBytes);
    stream.Seek(-kEnhancedProbeBytes, TSeekOrigin::soCurrent);
    return LittleU32(head) == platform::EMR_HEADER && LittleU32(head + 40) == platform::ENHMETA_SIGNATURE;
}

// A 32-bit difference, wrapping as the platform's signed arithmetic would.
std::int32_t Span(std::int32_t low, std::int32_t high) {
    return std::int32_t(std::uint32_t(high) - std::uint32_t(low));
}

// The frame's width and height fit 32 bits, and so do the pixels they make on the reference
// device; a frame beyond that would report no size or a wrapped one.
bool FrameFits(const platform::ENHMETAHEADER& header) {
    const auto fits = [](std::int64_t low, std::int64_t high, std::int64_t device, std::int64_t mm) {
        const std::int64_t span = high - low;
        if (span > INT32_MAX || span < INT32_MIN) return false;
        return mm == 0 || std::abs(span * device) / std::abs(mm * 100) <= INT32_MAX;
    };
    return fits(header.rclFrame.left, header.rclFrame.right, header.szlDevice.cx, header.szlMillimeters.cx) &&
           fits(header.rclFrame.top, header.rclFrame.bottom, header.szlDevice.cy, header.szlMillimeters.cy);
}

}  // namespace

std::int32_t MulDiv(std::int32_t a, std::int32_t b, std::int32_t c) {
    if (c == 0) return -1;
    const std::int64_t product = std::int64_t(a) * b;
    std::int64_t q = product / c;
    const std::int64_t r = product % c;
    // Halves round away from zero.
    if (2 * (r < 0 ? -r : r) >= (c < 0 ? -std::int64_t(c) : c)) q += ((product < 0) == (c < 0)) ? 1 : -1;
    if (q > INT32_MAX || q < INT32_MIN) return -1;
    return std::int32_t(q);
}

std::int32_t ScreenPixelsPerInch() { return platform::Display().pixelsPerInch; }

TMetafileImage::~TMetafileImage() {
    platform::DeleteEnhMetaFile(handle);
    if (palette) platform::DeleteObject(palette);
}

TMetafile::TMetafile() {
    transparent_ = true;
    NewImage();
}

TMetafile::~TMetafile() { image_->Release(); }

void TMetafile::ReplaceImage(TMetafileImage* image) {
    image->Reference();
    if (image_) image_->Release();
    image_ = image;
}

// A private image before a change: a shared one is copied with its content and sizes.
void TMetafile::Unshare() {
    if (image_->RefCount() == 1) return;
    auto* copy = new TMetafileImage;
    copy->handle = platform::CopyEnhMetaFile(image_->handle);
    copy->frameWidth = image_->frameWidth;
    copy->frameHeight = image_->frameHeight;
    copy->inch = image_->inch;
    copy->pendingWidth = image_->pendingWidth;
    copy->pendingHeight = image_->pendingHeight;
    ReplaceImage(copy);
}

void TMetafile::CopyFrom(TPersistent* source) {
    auto* other = dynamic_cast<TMetafile*>(source);
    if (source && !other) {
        TGraphic::CopyFrom(source);
        return;
    }
    if (other == this) return;
    const HPALETTE oldPalette = image_->palette;
    if (other) {
        ReplaceImage(other->image_);
        enhanced_ = other->enhanced_;
    } else {
        NewImage();
        enhanced_ = true;
    }
    const HPALETTE palette = PaletteHandle();
    SetPaletteModified(palette != oldPalette && palette != nullptr);
    NotifyChanged(this);
}

bool TMetafile::IsEmpty() { return image_ == nullptr; }

void TMetafile::ChangeTransparent(bool) {}

HPALETTE TMetafile::PaletteHandle() {
    if (!image_->handle) return nullptr;
    if (!image_->palette) {
        const unsigned count = platform::GetEnhMetaFilePaletteEntries(image_->handle, 0, nullptr);
        if (count == 0) return nullptr;
        std::vector<platform::PALETTEENTRY> entries(std::min(count, 256u));
        const unsigned got =
            platform::GetEnhMetaFilePaletteEntries(image_->handle, unsigned(entries.size()), entries.data());
        image_->palette = platform::CreatePalette(entries.data(), got);
    }
    return image_->palette;
}

void TMetafile::DrawInto(TCanvas& canvas, const TRect& rect) {
    if (!image_ || !image_->handle) return;
    const platform::HDC dc = canvas.Handle();
    const TPaletteSelection selection(dc, PaletteHandle());
    // The platform's rectangle is inclusive.
    platform::PlayEnhMetaFile(dc, image_->handle, TRect{rect.left, rect.top, rect.right - 1, rect.bottom - 1});
}

// ---- Reading ----------------------------------------------------------------------------------

void TMetafile::LoadFromStream(TStream& stream) {
    ReadContent(stream, stream.Remaining());
    SetPaletteModified(PaletteHandle() != nullptr);
    NotifyChanged(this);
}

void TMetafile::ReadContent(TStream& stream, std::int64_t count) {
    if (EnhancedAhead(stream, count)) ReadEnhanced(stream);
    else ReadPlaceable(stream, count);
}

void TMetafile::ReadEnhanced(TStream& stream) {
    NewImage();
    std::vector<std::uint8_t> bytes(kEnhancedProbeBytes);
    stream.ReadBuffer(bytes.data(), kEnhancedProbeBytes);
    if (LittleU32(&bytes[40]) != platform::ENHMETA_SIGNATURE) RaiseInvalid();
    const std::uint32_t total = LittleU32(&bytes[48]);
    if (total < kEnhancedProbeBytes || total > platform::kMaxMetafileBytes) RaiseInvalid();
    // A metafile cut short fails before its size is allocated.
    if (stream.Remaining() < std::int64_t(total) - kEnhancedProbeBytes) throw EReadError(msg::SStreamRead);
    bytes.resize(total);
    stream.ReadBuffer(bytes.data() + kEnhancedProbeBytes, std::int64_t(total) - kEnhancedProbeBytes);
    platform::HENHMETAFILE handle = platform::SetEnhMetaFileBits(bytes.size(), bytes.data());
    if (!handle) RaiseInvalid();
    const platform::ENHMETAHEADER header = platform::HeaderOf(*handle);
    if (!FrameFits(header)) throw EInvalidGraphic(msg::SInvalidMetafileFrame);
    image_->handle = std::move(handle);
    image_->inch = 0;
    image_->frameWidth = Span(header.rclFrame.left, header.rclFrame.right);
    image_->frameHeight = Span(header.rclFrame.top, header.rclFrame.bottom);
    enhanced_ = true;
}

// Placeable Windows metafile: the 22-byte header, then records converted to enhanced ones, the
// frame taken from the records' own window.
void TMetafile::ReadPlaceable(TStream& stream, std::int64_t count) {
    NewImage();
    if (count < kPlaceableHeaderBytes || count - kPlaceableHeaderBytes > std::int64_t(platform::kMaxMetafileBytes))
        RaiseInvalid();
    std::uint8_t header[kPlaceableHeaderBytes];
    stream.ReadBuffer(header, kPlaceableHeaderBytes);
    std::uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= LittleU16(header + 2 * i);
    if (LittleU32(header) != kPlaceableKey || checksum != LittleU16(header + 20)) RaiseInvalid();
    std::vector<std::uint8_t> records(std::size_t(count - kPlaceableHeaderBytes));
    stream.ReadBuffer(records.data(), std::int64_t(records.size()));
    const auto word = [&](int at) { return std::int16_t(LittleU16(header + at)); };
    const std::uint16_t inch = LittleU16(header + 14);
    const std::int32_t units = inch == 0 ? kDefaultInch : inch;
    image_->inch = inch;
    // A box given right to left or bottom to top still measures its extent.
    image_->frameWidth = MulDiv(std::abs(std::int32_t(word(10)) - word(6)), 2540, units);
    image_->frameHeight = MulDiv(std::abs(std::int32_t(word(12)) - word(8)), 2540, units);
    const platform::METAFILEPICT picture{kMmAnisotropic, 0, 0};
    image_->handle = platform::SetWinMetaFileBits(records.size(), records.data(), &picture);
    if (!image_->handle) RaiseInvalid();
    enhanced_ = false;
}

void TMetafile::ReadPersisted(TStream& stream) {
    const std::uint32_t count = stream.ReadUInt32();
    if (count <= 4) {
        CopyFrom(nullptr);
        return;
    }
    ReadContent(stream, std::int64_t(count) - 4);
    SetPaletteModified(PaletteHandle() != nullptr);
    NotifyChanged(this);
}

// ---- Writing ----------------------------------------------------------------------------------

void TMetafile::SaveToStream(TStream& stream) {
    if (!image_) return;
    if (enhanced_) WriteEnhanced(stream);
    else WritePlaceable(stream);
}

void TMetafile::WriteEnhanced(TStream& stream) {
    const std::size_t size = platform::GetEnhMetaFileBits(image_->handle, 0, nullptr);
    if (size == 0) return;
    std::vector<std::uint8_t> bytes(size);
    platform::GetEnhMetaFileBits(image_->handle, size, bytes.data());
    stream.WriteBuffer(bytes.data(), std::int64_t(size));
}

// Placeable header (box from the frame at the image's units per inch, 96 when it has none), then
// the content's Windows-metafile records.
void TMetafile::WritePlaceable(TStream& stream) {
    const std::uint16_t inch = image_->inch != 0 ? image_->inch : kDefaultInch;
    const std::uint16_t right = std::uint16_t(MulDiv(image_->frameWidth, inch, 2540));
    const std::uint16_t bottom = std::uint16_t(MulDiv(image_->frameHeight, inch, 2540));
    std::uint16_t header[11] = {
        std::uint16_t(kPlaceableKey), std::uint16_t(kPlaceableKey >> 16), 0, 0, 0, right, bottom, inch, 0, 0, 0};
    for (int i = 0; i < 10; ++i) header[10] ^= header[i];
    const std::size_t announced = platform::GetWinMetaFileBits(image_->handle, 0, nullptr);
    std::vector<std::uint8_t> records(announced);
    if (announced == 0 || platform::GetWinMetaFileBits(image_->handle, announced, records.data()) < announced)
        throw EOutOfResources(msg::SOutOfResources);
    for (std::uint16_t word : header) stream.WriteUInt16(word);
    stream.WriteBuffer(records.data(), std::int64_t(records.size()));
}

void TMetafile::WriteToFile(const std::string& path) {
    const bool enhanced = enhanced_;
    if (AnsiLowerCase(PathExtension(path)) == "wmf") enhanced_ = false;
    try {
        TGraphic::WriteToFile(path);
    } catch (...) {
        enhanced_ = enhanced;
        throw;
    }
    enhanced_ = enhanced;
}

void TMetafile::WritePersisted(TStream& stream) {
    if (!image_) return;
    const std::int64_t start = stream.Position();
    stream.WriteUInt32(0);
    SaveToStream(stream);
    const std::int64_t end = stream.Position();
    stream.SetPosition(start);
    stream.WriteUInt32(std::uint32_t(end - start));
    stream.SetPosition(end);
}

// ---- Clipboard --------------------------------------------------------------------------------

void TMetafile::ReadFromClipboard(std::uint16_t format, const TClipboardData& data, HPALETTE) {
    const auto* emf = dynamic_cast<const platform::EnhMetaFile*>(data.get());
    if (format != CF_ENHMETAFILE || !emf) throw EInvalidGraphic(msg::SUnknownClipboardFormat);
    NewImage();
    image_->handle = platform::SetEnhMetaFileBits(emf->Bytes().size(), emf->Bytes().data());
    if (!image_->handle) RaiseInvalid();
    const platform::ENHMETAHEADER header = platform::HeaderOf(*image_->handle);
    image_->frameWidth = Span(header.rclFrame.left, header.rclFrame.right);
    image_->frameHeight = Span(header.rclFrame.top, header.rclFrame.bottom);
    image_->inch = 0;
    enhanced_ = true;
    NotifyChanged(this);
}

void TMetafile::WriteToClipboard(std::uint16_t& format, TClipboardData& data, HPALETTE& palette) {
    format = CF_ENHMETAFILE;
    data = std::const_pointer_cast<platform::EnhMetaFile>(platform::CopyEnhMetaFile(image_->handle));
    palette = nullptr;
}
