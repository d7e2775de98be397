// Enhanced drawing, text and bitmap records back to their Windows-metafile forms.
#include <cmath>

#include "platform/LittleEndian.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_NO_RECT = 0x100;
// Points of one flattened Bézier segment.
constexpr int kBezierSteps = 16;
// Points of one Windows polygon: its count is a signed 16-bit word.
constexpr std::size_t kMaxWmfPoints = 0x7FFF;

std::int32_t C16(std::int32_t v) { return std::int32_t(Clamp16(v)); }

// A raster operation as the two words Windows metafiles keep it in, low word first.
std::vector<std::int32_t> RopWords(std::uint32_t rop) { return {std::int32_t(rop & 0xFFFF), std::int32_t(rop >> 16)}; }

std::vector<std::int32_t> Box(const RecordReader& r, std::size_t at) {
    return {Clamp16(r.I32(at + 12)), Clamp16(r.I32(at + 8)), Clamp16(r.I32(at + 4)), Clamp16(r.I32(at))};
}

// The record's points as x, y pairs, from either point size.
std::vector<std::int32_t> Points(const RecordReader& r, std::size_t at, std::uint32_t count, bool small) {
    if (count > kMaxPolyPoints) throw BadRecord();
    r.Block(at, count, small ? 4 : 8);
    std::vector<std::int32_t> xy;
    for (std::uint32_t i = 0; i < count; ++i) {
        const POINT p = small ? r.PointS(at + 4 * std::size_t(i)) : r.PointL(at + 8 * std::size_t(i));
        xy.push_back(p.x);
        xy.push_back(p.y);
    }
    return xy;
}

// Bézier segments become line points: (start) then every segment's three points, flattened.
std::vector<std::int32_t> Flattened(std::int32_t x0, std::int32_t y0, const std::vector<std::int32_t>& xy,
                                    std::size_t from) {
    std::vector<std::int32_t> out{x0, y0};
    for (std::size_t i = from; i + 5 < xy.size(); i += 6) {
        const double ax = out[out.size() - 2], ay = out.back();
        for (int s = 1; s <= kBezierSteps; ++s) {
            const double t = double(s) / kBezierSteps, u = 1 - t;
            const double bx =
                u * u * u * ax + 3 * u * u * t * xy[i] + 3 * u * t * t * xy[i + 2] + t * t * t * xy[i + 4];
            const double by =
                u * u * u * ay + 3 * u * u * t * xy[i + 1] + 3 * u * t * t * xy[i + 3] + t * t * t * xy[i + 5];
            out.push_back(std::int32_t(std::lround(bx)));
            out.push_back(std::int32_t(std::lround(by)));
        }
    }
    return out;
}

}  // namespace

void EmfToWmf::Polyline(const std::vector<std::int32_t>& xy, bool polygon) {
    const std::size_t n = std::min(xy.size() / 2, kMaxWmfPoints);
    std::vector<std::int32_t> words{std::int32_t(n)};
    for (std::size_t i = 0; i < 2 * n; ++i) words.push_back(Clamp16(xy[i]));
    writer_.Record(polygon ? META_POLYGON : META_POLYLINE, words);
}

bool EmfToWmf::ConvertDrawing(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_RECTANGLE: writer_.Record(META_RECTANGLE, Box(r, 8)); return true;
    case EMR_ELLIPSE: writer_.Record(META_ELLIPSE, Box(r, 8)); return true;
    case EMR_INTERSECTCLIPRECT: writer_.Record(META_INTERSECTCLIPRECT, Box(r, 8)); return true;
    case EMR_EXCLUDECLIPRECT: writer_.Record(META_EXCLUDECLIPRECT, Box(r, 8)); return true;
    case EMR_ROUNDRECT: {
        std::vector<std::int32_t> words{Clamp16(r.I32(28)), Clamp16(r.I32(24))};
        for (std::int32_t w : Box(r, 8)) words.push_back(w);
        writer_.Record(META_ROUNDRECT, words);
        return true;
    }
    case EMR_ARC:
    case EMR_CHORD:
    case EMR_PIE: {
        std::vector<std::int32_t> words{Clamp16(r.I32(36)), Clamp16(r.I32(32)), Clamp16(r.I32(28)), Clamp16(r.I32(24))};
        for (std::int32_t w : Box(r, 8)) words.push_back(w);
        writer_.Record(r.Type() == EMR_ARC ? META_ARC : r.Type() == EMR_CHORD ? META_CHORD : META_PIE, words);
        return true;
    }
    case EMR_EXTFLOODFILL: {
        const std::uint32_t c = r.U32(16);
        writer_.Record(META_EXTFLOODFILL, {std::int32_t(r.U32(20) & 0xFFFF), std::int32_t(c & 0xFFFF),
                                           std::int32_t(c >> 16), Clamp16(r.I32(12)), Clamp16(r.I32(8))});
        return true;
    }
    case EMR_SETPIXELV: {
        const std::uint32_t c = r.U32(16);
        writer_.Record(META_SETPIXEL,
                       {std::int32_t(c & 0xFFFF), std::int32_t(c >> 16), Clamp16(r.I32(12)), Clamp16(r.I32(8))});
        return true;
    }
    default: return false;
    }
}

bool EmfToWmf::ConvertPoly(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    const bool small = type >= EMR_POLYBEZIER16;
    switch (type) {
    case EMR_POLYGON:
    case EMR_POLYGON16:
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
        Polyline(Points(r, 28, r.U32(24), small), type == EMR_POLYGON || type == EMR_POLYGON16);
        return true;
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16: {
        const auto xy = Points(r, 28, r.U32(24), small);
        if (xy.size() >= 2) Polyline(Flattened(xy[0], xy[1], xy, 2), false);
        return true;
    }
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16:
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16: LinesTo(r, small); return true;
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16: PolyPoly(r, small, type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16); return true;
    default: return false;
    }
}

// Lines or flattened curves from the current position, as line-tos.
void EmfToWmf::LinesTo(const RecordReader& r, bool small) {
    auto xy = Points(r, 28, r.U32(24), small);
    if (r.Type() == EMR_POLYBEZIERTO || r.Type() == EMR_POLYBEZIERTO16) xy = Flattened(positionX_, positionY_, xy, 0);
    for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
        writer_.Record(META_LINETO, {Clamp16(xy[i + 1]), Clamp16(xy[i])});
    if (xy.size() >= 2) positionX_ = xy[xy.size() - 2], positionY_ = xy.back();
}

// Polygons go into one poly-polygon record; polylines into a record each.
void EmfToWmf::PolyPoly(const RecordReader& r, bool small, bool polygon) {
    const std::uint32_t polys = std::min<std::uint32_t>(r.U32(24), kMaxWmfPoints);
    r.Block(32, polys, 4);
    const auto xy = Points(r, 32 + 4 * std::size_t(polys), r.U32(28), small);
    std::vector<std::int32_t> counts;
    std::size_t next = 0;
    for (std::uint32_t i = 0; i < polys; ++i) {
        const std::size_t n = std::min<std::size_t>(r.U32(32 + 4 * std::size_t(i)), xy.size() / 2 - next);
        if (polygon) counts.push_back(std::int32_t(n));
        else
            Polyline(std::vector<std::int32_t>(xy.begin() + std::ptrdiff_t(2 * next),
                                               xy.begin() + std::ptrdiff_t(2 * (next + n))),
                     false);
        next += n;
    }
    if (!polygon) return;
    std::vector<std::int32_t> words{std::int32_t(counts.size())};
    words.insert(words.end(), counts.begin(), counts.end());
    for (std::size_t i = 0; i < 2 * next; ++i) words.push_back(Clamp16(xy[i]));
    writer_.Record(META_POLYPOLYGON, words);
}

void EmfToWmf::Text(const RecordReader& r, std::size_t at, bool wide) {
    const EmrText t = EmrText::Read(r, at);
    std::vector<std::int32_t> words{Clamp16(t.reference.y), Clamp16(t.reference.x), std::int32_t(t.count),
                                    std::int32_t(t.options & 0xFFFF & ~ETO_NO_RECT)};
    if (t.hasRect && (t.options & (ETO_OPAQUE | ETO_CLIPPED)))
        for (std::int32_t v : {t.rect.left, t.rect.top, t.rect.right, t.rect.bottom}) words.push_back(Clamp16(v));
    else words[3] &= ~std::int32_t(ETO_OPAQUE | ETO_CLIPPED);
    std::vector<std::uint8_t> tail;
    for (const char16_t c : t.Chars(r, wide))
        tail.push_back(charSet_ == SYMBOL_CHARSET ? SymbolByte(c) : c < 0x100 ? std::uint8_t(c) : std::uint8_t('?'));
    if (tail.size() % 2) tail.push_back(0);
    for (const std::int32_t d : t.Advances(r, false)) AppendLittleU16(tail, std::uint16_t(Clamp16(d)));
    writer_.Record(META_EXTTEXTOUT, words, tail);
}

bool EmfToWmf::ConvertText(const RecordReader& r) {
    if (r.Type() != EMR_EXTTEXTOUTW && r.Type() != EMR_EXTTEXTOUTA) return false;
    Text(r, 36, r.Type() == EMR_EXTTEXTOUTW);
    return true;
}

bool EmfToWmf::ConvertBitmap(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_STRETCHDIBITS: {
        const EmrStretchDibits d = EmrStretchDibits::Read(r);
        std::vector<std::int32_t> words = RopWords(d.rop);
        for (std::int32_t w : {std::int32_t(d.usage), C16(d.cySrc), C16(d.cxSrc), C16(d.ySrc), C16(d.xSrc),
                               C16(d.cyDest), C16(d.cxDest), C16(d.yDest), C16(d.xDest)})
            words.push_back(w);
        writer_.Record(META_STRETCHDIB, words, PackedDib(r, d.dib));
        return true;
    }
    case EMR_SETDIBITSTODEVICE: {
        const EmrSetDibitsToDevice d = EmrSetDibitsToDevice::Read(r);
        writer_.Record(META_SETDIBTODEV,
                       {std::int32_t(d.usage), C16(std::int32_t(d.scans)), C16(std::int32_t(d.startScan)), C16(d.ySrc),
                        C16(d.xSrc), C16(d.cySrc), C16(d.cxSrc), C16(d.yDest), C16(d.xDest)},
                       PackedDib(r, d.dib));
        return true;
    }
    case EMR_BITBLT: BitBlt(r); return true;
    case EMR_STRETCHBLT: StretchBlt(r); return true;
    default: return false;
    }
}

void EmfToWmf::BitBlt(const RecordReader& r) {
    const EmrBlt b = EmrBlt::Read(r);
    std::vector<std::int32_t> words = RopWords(b.rop);
    if (!b.hasBitmap) {
        for (std::int32_t w : {C16(b.cyDest), C16(b.cxDest), C16(b.yDest), C16(b.xDest)}) words.push_back(w);
        writer_.Record(META_PATBLT, words);
        return;
    }
    for (std::int32_t w : {C16(b.ySrc), C16(b.xSrc), C16(b.cyDest), C16(b.cxDest), C16(b.yDest), C16(b.xDest)})
        words.push_back(w);
    writer_.Record(META_DIBBITBLT, words, PackedDib(r, b.dib));
}

void EmfToWmf::StretchBlt(const RecordReader& r) {
    const EmrBlt b = EmrBlt::Read(r);
    std::vector<std::int32_t> words = RopWords(b.rop);
    for (std::int32_t w : {C16(b.cySrc), C16(b.cxSrc), C16(b.ySrc), C16(b.xSrc)}) words.push_back(w);
    if (!b.hasBitmap) words.push_back(0);  // the reserved word of the form without a bitmap
    for (std::int32_t w : {C16(b.cyDest), C16(b.cxDest), C16(b.yDest), C16(b.xDest)}) words.push_back(w);
    writer_.Record(META_DIBSTRETCHBLT, words, b.hasBitmap ? PackedDib(r, b.dib) : std::vector<std::uint8_t>{});
}

}  // namespace platform
