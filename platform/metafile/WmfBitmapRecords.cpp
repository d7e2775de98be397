// Windows-metafile bitmap records: the packed DIB split into its header block and its pixels, as
// enhanced records carry them; old device-dependent bitmaps made into DIBs first.
#include "platform/metafile/Bitmap16.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;

constexpr std::int32_t kOne = 0x3F800000;  // 1.0f
constexpr std::uint32_t DIB_PAL_COLORS = 1;
// The grey of a pattern brush whose bitmap is not read.
constexpr std::uint32_t kUnreadablePattern = 0x808080;
constexpr std::size_t kBitmap16HeaderBytes = 10, kPatternBitsAt = 32, kInfoBitCountAt = 14;
constexpr std::uint32_t kCoreHeaderBytes = 12;
constexpr std::int32_t kStretchDibitsBytes = 80, kBitBltBytes = 100, kStretchBltBytes = 108, kSetDibitsBytes = 76,
                       kPatternBrushBytes = 32;

// Bytes of the header, masks and colour table at the start of a packed DIB.
std::optional<std::size_t> InfoBytes(std::span<const std::uint8_t> dib, std::uint32_t usage) {
    const RecordReader d(dib);
    const std::uint32_t size = d.U32(0);
    std::uint32_t bits, entries, entrySize = usage == DIB_PAL_COLORS ? 2 : 4;
    std::size_t bytes = size;
    if (size == kCoreHeaderBytes) {
        bits = d.U16(10);
        entries = bits <= 8 ? 1u << bits : 0;
        if (usage != DIB_PAL_COLORS) entrySize = 3;
    } else if (size >= 40 && size <= 124) {
        bits = d.U16(14);
        const std::uint32_t used = d.U32(32);
        entries = used ? used : bits <= 8 ? 1u << bits : 0;
        if (bits <= 8 && entries > (1u << bits)) entries = 1u << bits;
        if (d.U32(16) == BI_BITFIELDS && size == 40) bytes += 12;
    } else {
        return std::nullopt;
    }
    bytes += std::size_t(entries) * entrySize;
    if (bytes > dib.size()) return std::nullopt;
    return bytes;
}

// A DIB of one bit per pixel.
bool OneBit(std::span<const std::uint8_t> dib) {
    if (dib.size() < kInfoBitCountAt + 2) return false;
    const RecordReader d(dib);
    return (d.U32(0) == kCoreHeaderBytes ? d.U16(10) : d.U16(kInfoBitCountAt)) == 1;
}

}  // namespace

// The head's offset and size fields sit at `fieldsAt` (in 32-bit values after the record's type
// and size); the DIB follows the head.
void WmfConverter::Bitmap(std::uint32_t type, const std::vector<std::int32_t>& fields,
                          std::span<const std::uint8_t> dib, std::uint32_t usage) {
    const auto info = InfoBytes(dib, usage);
    if (!info) return;
    std::vector<std::int32_t> head = fields;
    const std::int32_t fixed = type == EMR_STRETCHDIBITS       ? kStretchDibitsBytes
                               : type == EMR_BITBLT            ? kBitBltBytes
                               : type == EMR_STRETCHBLT        ? kStretchBltBytes
                               : type == EMR_SETDIBITSTODEVICE ? kSetDibitsBytes
                                                               : kPatternBrushBytes;
    const std::size_t offsetsAt = type == EMR_STRETCHDIBITS || type == EMR_SETDIBITSTODEVICE           ? 10
                                  : type == EMR_CREATEDIBPATTERNBRUSHPT || type == EMR_CREATEMONOBRUSH ? 2
                                                                                                       : 19;
    head[offsetsAt] = fixed;
    head[offsetsAt + 1] = std::int32_t(*info);
    head[offsetsAt + 2] = fixed + std::int32_t(*info);
    head[offsetsAt + 3] = std::int32_t(dib.size() - *info);
    writer_->Record(type, head, std::vector<std::uint8_t>(dib.begin(), dib.end()));
}

// A BS_PATTERN brush's colour table holds colours whatever the usage says; made from a one-bit
// DIB it is the pattern of a monochrome bitmap, which paints in the text and background colours.
void WmfConverter::CreateDibBrush(const RecordReader& r) {
    const bool pattern = r.U16(P) == BS_PATTERN;
    const std::uint16_t usage = pattern ? DIB_RGB_COLORS : r.U16(P + 2);
    const auto dib = r.Block(P + 4, r.Size() - P - 4, 1);
    const auto slot = NewSlot(Kind::Brush);
    if (!slot) return;
    const std::uint32_t type = pattern && OneBit(dib) ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT;
    Bitmap(type, {std::int32_t(*slot) + 1, usage, 0, 0, 0, 0}, dib, usage);
}

// The old pattern brush: a Bitmap16 header with a pointer field, reserved bytes, then the rows.
void WmfConverter::CreatePatternBrush(const RecordReader& r) {
    const std::size_t bitsAt = std::min(P + kPatternBitsAt, r.Size());
    const auto dib = DibFromBitmap16(r.Sub(P, kBitmap16HeaderBytes), r.Block(bitsAt, r.Size() - bitsAt, 1));
    const auto slot = NewSlot(Kind::Brush);
    if (!slot) return;
    const std::int32_t index = std::int32_t(*slot) + 1;
    // A monochrome bitmap paints in the text and background colours, as a monochrome brush does.
    const bool monochrome = r.U8(P + 8) == 1 && r.U8(P + 9) == 1;
    if (dib)
        Bitmap(monochrome ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT, {index, DIB_RGB_COLORS, 0, 0, 0, 0},
               *dib, DIB_RGB_COLORS);
    else writer_->Record(EMR_CREATEBRUSHINDIRECT, {index, BS_SOLID, std::int32_t(kUnreadablePattern), 0});
}

bool WmfConverter::ConvertBitmap(const RecordReader& r, std::uint16_t function) {
    const auto rest = [&](std::size_t at) { return r.Block(at, r.Size() - std::min(at, r.Size()), 1); };
    switch (function) {
    case META_STRETCHDIB: {
        const std::uint16_t usage = r.U16(P + 4);
        Bitmap(EMR_STRETCHDIBITS,
               {0, 0, -1, -1, r.I16(P + 20), r.I16(P + 18), r.I16(P + 12), r.I16(P + 10), r.I16(P + 8), r.I16(P + 6), 0,
                0, 0, 0, usage, std::int32_t(r.U32(P)), r.I16(P + 16), r.I16(P + 14)},
               rest(P + 22), usage);
        return true;
    }
    case META_SETDIBTODEV: {
        const std::uint16_t usage = r.U16(P);
        Bitmap(EMR_SETDIBITSTODEVICE,
               {0, 0, -1, -1, r.I16(P + 16), r.I16(P + 14), r.I16(P + 8), r.I16(P + 6), r.I16(P + 12), r.I16(P + 10), 0,
                0, 0, 0, usage, r.U16(P + 4), r.U16(P + 2)},
               rest(P + 18), usage);
        return true;
    }
    case META_BITBLT:
    case META_DIBBITBLT:
    case META_STRETCHBLT:
    case META_DIBSTRETCHBLT: Blit(r, function); return true;
    default: return false;
    }
}

// The source bitmap at `at`: a packed DIB, or in the old records a Bitmap16 made into one.
std::optional<std::vector<std::uint8_t>> WmfConverter::SourceBitmap(const RecordReader& r, std::uint16_t function,
                                                                    std::size_t at) {
    const auto rest = [&](std::size_t from) { return r.Block(from, r.Size() - std::min(from, r.Size()), 1); };
    if (function != META_BITBLT && function != META_STRETCHBLT) {
        const auto bytes = rest(at);
        return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
    }
    return DibFromBitmap16(r.Sub(at, kBitmap16HeaderBytes), rest(at + kBitmap16HeaderBytes));
}

void WmfConverter::Blit(const RecordReader& r, std::uint16_t function) {
    // Without a bitmap the record's size is its function's high byte plus 3 words, and a
    // reserved word stands before the destination.
    const bool withoutBitmap = r.Size() == (std::size_t(function >> 8) + 3) * 2;
    const std::size_t s = withoutBitmap ? 2 : 0;
    const std::int32_t rop = std::int32_t(r.U32(P));
    const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
    const std::size_t d = stretch ? P + 12 + s : P + 8 + s;  // the destination's height
    const std::int32_t srcH = stretch ? r.I16(P + 4) : 0, srcW = stretch ? r.I16(P + 6) : 0;
    const std::int32_t ySrc = r.I16(stretch ? P + 8 : P + 4), xSrc = r.I16(stretch ? P + 10 : P + 6);
    const std::int32_t h = r.I16(d), w = r.I16(d + 2), y = r.I16(d + 4), x = r.I16(d + 6);
    std::vector<std::int32_t> head{0, 0, -1, -1, x, y, w, h, rop, xSrc, ySrc, kOne, 0, 0, kOne, 0, 0, 0, 0, 0, 0, 0, 0};
    if (stretch) head.insert(head.end(), {srcW, srcH});
    const std::uint32_t type = stretch ? EMR_STRETCHBLT : EMR_BITBLT;
    if (withoutBitmap) writer_->Record(type, head);
    else if (const auto dib = SourceBitmap(r, function, d + 8)) Bitmap(type, head, *dib, DIB_RGB_COLORS);
}

}  // namespace platform
