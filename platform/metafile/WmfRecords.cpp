// Reading the Windows-metafile object records' fields at their offsets.
#include "platform/metafile/WmfRecords.h"

#include <algorithm>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;
constexpr std::size_t kFaceNameBytes = 32;
constexpr std::uint16_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4;

std::uint16_t Function(const RecordReader& r) { return r.U16(4); }

}  // namespace

MetaPatBlt MetaPatBlt::Read(const RecordReader& r) {
    return {r.U32(P), r.I16(P + 4), r.I16(P + 6), r.I16(P + 8), r.I16(P + 10)};
}

MetaPoly MetaPoly::Read(const RecordReader& r) {
    const std::int16_t count = r.I16(P);
    if (count < 0) throw BadRecord();
    return {r.Block(P + 2, std::uint32_t(count), 4)};
}

MetaPolyPolygon MetaPolyPolygon::Read(const RecordReader& r) {
    const std::uint16_t polygons = r.U16(P);
    const RecordReader counts(r.Block(P + 2, polygons, 2));
    MetaPolyPolygon p;
    std::uint64_t total = 0;
    for (std::uint16_t i = 0; i < polygons; ++i) total += p.counts.emplace_back(counts.U16(2 * std::size_t(i)));
    if (total > kMaxPolyPoints) throw BadRecord();
    p.points = r.Block(P + 2 + 2 * std::size_t(polygons), total, 4);
    return p;
}

MetaRegionDraw MetaRegionDraw::Read(const RecordReader& r) {
    const std::uint16_t function = Function(r);
    MetaRegionDraw d{r.U16(P), 0, 0, 0};
    if (function == META_FILLREGION || function == META_FRAMEREGION) d.brush = r.U16(P + 2);
    if (function == META_FRAMEREGION) d.height = r.I16(P + 4), d.width = r.I16(P + 6);
    return d;
}

// The region object: chain, type, object count, size, scan count, largest scan, bounds, scans.
// A scan: a count of x values, top, bottom, (left, right) pairs, the count again.
MetaCreateRegion MetaCreateRegion::Read(const RecordReader& r) {
    MetaCreateRegion region{RECT{r.I16(P + 14), r.I16(P + 16), r.I16(P + 18), r.I16(P + 20)}, {}};
    const std::uint16_t scans = r.U16(P + 10);
    std::size_t at = P + 22;
    for (std::uint16_t i = 0; i < scans && region.rects.size() < kMaxRegionRects; ++i) {
        if (at + 6 > r.Size()) break;
        const std::size_t xs = r.U16(at) & ~1u;
        if (at + 8 + 2 * xs > r.Size()) break;
        const std::int32_t top = r.I16(at + 2), bottom = r.I16(at + 4);
        for (std::size_t k = 0; k < xs && region.rects.size() < kMaxRegionRects; k += 2)
            region.rects.push_back(RECT{r.I16(at + 6 + 2 * k), top, r.I16(at + 8 + 2 * k), bottom});
        at += 8 + 2 * xs;
    }
    return region;
}

// TEXTOUT: length, string (padded to a word), y, x. EXTTEXTOUT: y, x, length, options, the
// rectangle, the string (padded), the advances. The rectangle is there when the options use
// it, or when the record's size leaves room for it besides the string and the advances.
MetaExtTextOut MetaExtTextOut::Read(const RecordReader& r) {
    MetaExtTextOut t;
    if (Function(r) == META_TEXTOUT) {
        const std::int16_t length = r.I16(P);
        if (length < 0) throw BadRecord();
        t.chars = r.Block(P + 2, std::uint32_t(length), 1);
        t.reference = ReversedPoint(r, P + 2 + ((std::size_t(length) + 1) & ~std::size_t(1)));
        return t;
    }
    t.reference = ReversedPoint(r, P);
    const std::int16_t length = r.I16(P + 4);
    t.options = r.U16(P + 6);
    if (length < 0) throw BadRecord();
    const std::size_t body = r.Size() - P - 8, n = std::size_t(length);
    const std::size_t stringBytes = (n + 1) & ~std::size_t(1);
    t.hasRect = (t.options & (ETO_OPAQUE | ETO_CLIPPED)) != 0 ||
                (body >= 8 + stringBytes + 2 * n && body != stringBytes + 2 * n);
    if (t.hasRect) t.rect = RECT{r.I16(P + 8), r.I16(P + 10), r.I16(P + 12), r.I16(P + 14)};
    const std::size_t stringAt = P + 8 + (t.hasRect ? 8 : 0);
    t.chars = r.Block(stringAt, n, 1);
    const std::size_t dxAt = stringAt + stringBytes;
    if (dxAt + 2 * n <= r.Size() && n > 0)
        for (std::size_t i = 0; i < n; ++i) t.dx.push_back(r.I16(dxAt + 2 * i));
    return t;
}

namespace {

constexpr std::size_t kBitmap16HeaderBytes = 10, kPatternBitsAt = 32;

// The bytes from `at` to the record's end.
std::span<const std::uint8_t> Rest(const RecordReader& r, std::size_t at) {
    return r.Block(at, r.Size() - std::min(at, r.Size()), 1);
}

}  // namespace

MetaStretchDib MetaStretchDib::Read(const RecordReader& r) {
    return {r.U32(P),      r.U16(P + 4),  r.I16(P + 6),  r.I16(P + 8),  r.I16(P + 10),  r.I16(P + 12),
            r.I16(P + 14), r.I16(P + 16), r.I16(P + 18), r.I16(P + 20), Rest(r, P + 22)};
}

MetaSetDibToDev MetaSetDibToDev::Read(const RecordReader& r) {
    return {r.U16(P),      r.U16(P + 2),  r.U16(P + 4),  r.I16(P + 6),  r.I16(P + 8),
            r.I16(P + 10), r.I16(P + 12), r.I16(P + 14), r.I16(P + 16), Rest(r, P + 18)};
}

// Without a bitmap the record's size is its function's high byte plus 3 words, and a reserved
// word stands before the destination.
MetaBlt MetaBlt::Read(const RecordReader& r) {
    const std::uint16_t function = Function(r);
    const bool stretch = function == META_STRETCHBLT || function == META_DIBSTRETCHBLT;
    MetaBlt b;
    b.hasBitmap = r.Size() != (std::size_t(function >> 8) + 3) * 2;
    b.rop = r.U32(P);
    if (stretch) b.srcHeight = r.I16(P + 4), b.srcWidth = r.I16(P + 6);
    b.ySrc = r.I16(stretch ? P + 8 : P + 4), b.xSrc = r.I16(stretch ? P + 10 : P + 6);
    const std::size_t d = (stretch ? P + 12 : P + 8) + (b.hasBitmap ? 0 : 2);  // the destination's height
    b.destHeight = r.I16(d), b.destWidth = r.I16(d + 2), b.yDest = r.I16(d + 4), b.xDest = r.I16(d + 6);
    if (b.hasBitmap) b.bitmap = Rest(r, d + 8);
    return b;
}

MetaDibCreatePatternBrush MetaDibCreatePatternBrush::Read(const RecordReader& r) {
    return {r.U16(P), r.U16(P + 2), r.Block(P + 4, r.Size() - P - 4, 1)};
}

MetaCreatePatternBrush MetaCreatePatternBrush::Read(const RecordReader& r) {
    const std::size_t bitsAt = std::min(P + kPatternBitsAt, r.Size());
    const auto header = r.Block(P, kBitmap16HeaderBytes, 1);
    return {header, r.Block(bitsAt, r.Size() - bitsAt, 1), header[8] == 1 && header[9] == 1};
}

MetaCreatePenIndirect MetaCreatePenIndirect::Read(const RecordReader& r) {
    return {r.U16(P), r.I16(P + 2), r.U32(P + 6)};
}

MetaCreateBrushIndirect MetaCreateBrushIndirect::Read(const RecordReader& r) {
    return {r.U16(P), r.U32(P + 2), r.U16(P + 6)};
}

MetaCreateFontIndirect MetaCreateFontIndirect::Read(const RecordReader& r) {
    MetaCreateFontIndirect f{
        r.I16(P),     r.I16(P + 2), r.I16(P + 4), r.I16(P + 6), r.I16(P + 8), r.U8(P + 10), r.U8(P + 11),
        r.U8(P + 12), r.U8(P + 13), r.U8(P + 14), r.U8(P + 15), r.U8(P + 16), r.U8(P + 17), {}};
    for (std::size_t i = 0; i < kFaceNameBytes && P + 18 + i < r.Size(); ++i) {
        const std::uint8_t c = r.U8(P + 18 + i);
        if (c == 0) break;
        f.face += char(c);
    }
    return f;
}

MetaCreatePalette MetaCreatePalette::Read(const RecordReader& r) {
    const std::uint16_t count = std::min<std::uint16_t>(r.U16(P + 2), 256);
    const auto entries = r.Block(P + 4, count, 4);
    return {count, std::vector<std::uint8_t>(entries.begin(), entries.end())};
}

}  // namespace platform
