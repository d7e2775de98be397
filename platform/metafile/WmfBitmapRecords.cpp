// Windows-metafile bitmap records: the packed DIB split into its header block and its pixels, as
// enhanced records carry them; old device-dependent bitmaps made into DIBs first.
#include "platform/metafile/Bitmap16.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::int32_t kOne = 0x3F800000;  // 1.0f
constexpr std::uint32_t DIB_PAL_COLORS = 1;
// The grey of a pattern brush whose bitmap is not read.
constexpr std::uint32_t kUnreadablePattern = 0x808080;
constexpr std::size_t kBitmap16HeaderBytes = 10, kInfoBitCountAt = 14;
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
    const MetaDibCreatePatternBrush b = MetaDibCreatePatternBrush::Read(r);
    const bool pattern = b.style == BS_PATTERN;
    const std::uint16_t usage = pattern ? std::uint16_t(DIB_RGB_COLORS) : b.usage;
    const auto slot = NewSlot(Kind::Brush);
    if (!slot) return;
    const std::uint32_t type = pattern && OneBit(b.dib) ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT;
    Bitmap(type, {std::int32_t(*slot) + 1, usage, 0, 0, 0, 0}, b.dib, usage);
}

// The old pattern brush: a Bitmap16 made into a DIB. A monochrome bitmap paints in the text and
// background colours, as a monochrome brush does.
void WmfConverter::CreatePatternBrush(const RecordReader& r) {
    const MetaCreatePatternBrush b = MetaCreatePatternBrush::Read(r);
    const auto dib = DibFromBitmap16(RecordReader(b.header), b.bits);
    const auto slot = NewSlot(Kind::Brush);
    if (!slot) return;
    const std::int32_t index = std::int32_t(*slot) + 1;
    if (dib)
        Bitmap(b.monochrome ? EMR_CREATEMONOBRUSH : EMR_CREATEDIBPATTERNBRUSHPT, {index, DIB_RGB_COLORS, 0, 0, 0, 0},
               *dib, DIB_RGB_COLORS);
    else writer_->Record(EMR_CREATEBRUSHINDIRECT, {index, BS_SOLID, std::int32_t(kUnreadablePattern), 0});
}

bool WmfConverter::ConvertBitmap(const RecordReader& r, std::uint16_t function) {
    switch (function) {
    case META_STRETCHDIB: {
        const MetaStretchDib d = MetaStretchDib::Read(r);
        Bitmap(EMR_STRETCHDIBITS,
               {0, 0, -1, -1, d.xDest, d.yDest, d.xSrc, d.ySrc, d.srcWidth, d.srcHeight, 0, 0, 0, 0, d.usage,
                std::int32_t(d.rop), d.destWidth, d.destHeight},
               d.dib, d.usage);
        return true;
    }
    case META_SETDIBTODEV: {
        const MetaSetDibToDev d = MetaSetDibToDev::Read(r);
        Bitmap(EMR_SETDIBITSTODEVICE,
               {0, 0, -1, -1, d.xDest, d.yDest, d.xSrc, d.ySrc, d.width, d.height, 0, 0, 0, 0, d.usage, d.startScan,
                d.scans},
               d.dib, d.usage);
        return true;
    }
    case META_BITBLT:
    case META_DIBBITBLT:
    case META_STRETCHBLT:
    case META_DIBSTRETCHBLT: Blit(MetaBlt::Read(r), function); return true;
    default: return false;
    }
}

// The source bitmap: a packed DIB, or in the old records a Bitmap16 made into one.
std::optional<std::vector<std::uint8_t>> WmfConverter::SourceBitmap(const MetaBlt& b, std::uint16_t function) {
    if (function != META_BITBLT && function != META_STRETCHBLT)
        return std::vector<std::uint8_t>(b.bitmap.begin(), b.bitmap.end());
    const RecordReader bitmap(b.bitmap);
    return DibFromBitmap16(bitmap.Sub(0, kBitmap16HeaderBytes), b.bitmap.subspan(kBitmap16HeaderBytes));
}

void WmfConverter::Blit(const MetaBlt& b, std::uint16_t function) {
    const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
    std::vector<std::int32_t> head{0,
                                   0,
                                   -1,
                                   -1,
                                   b.xDest,
                                   b.yDest,
                                   b.destWidth,
                                   b.destHeight,
                                   std::int32_t(b.rop),
                                   b.xSrc,
                                   b.ySrc,
                                   kOne,
                                   0,
                                   0,
                                   kOne,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0,
                                   0};
    if (stretch) head.insert(head.end(), {b.srcWidth, b.srcHeight});
    const std::uint32_t type = stretch ? EMR_STRETCHBLT : EMR_BITBLT;
    if (!b.hasBitmap) writer_->Record(type, head);
    else if (const auto dib = SourceBitmap(b, function)) Bitmap(type, head, *dib, DIB_RGB_COLORS);
}

}  // namespace platform
