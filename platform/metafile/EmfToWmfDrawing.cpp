// Enhanced drawing, text and bitmap records back to their Windows-metafile forms.
#include <cmath>

#include "platform/LittleEndian.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_NO_RECT = 0x100;
// Points of one flattened Bézier segment.
constexpr int kBezierSteps = 16;
// Points of one Windows polygon: its count is a signed 16-bit word.
constexpr std::size_t kMaxWmfPoints = 0x7FFF;

std::int32_t C16(std::int32_t v) { return std::int32_t(Clamp16(v)); }

// A box as Windows records keep it: bottom, right, top, left.
std::vector<std::int32_t> Box(const RECT& box) {
    return {Clamp16(box.bottom), Clamp16(box.right), Clamp16(box.top), Clamp16(box.left)};
}

// Bézier segments become line points: the start, then every segment's three points flattened.
std::vector<POINT> Flattened(POINT start, const std::vector<POINT>& points, std::size_t from) {
    std::vector<POINT> out{start};
    for (std::size_t i = from; i + 2 < points.size(); i += 3) {
        const POINT a = out.back(), b = points[i], c = points[i + 1], d = points[i + 2];
        for (int s = 1; s <= kBezierSteps; ++s) {
            const double t = double(s) / kBezierSteps, u = 1 - t;
            const auto on = [&](double pa, double pb, double pc, double pd) {
                return std::int32_t(
                    std::lround(u * u * u * pa + 3 * u * u * t * pb + 3 * u * t * t * pc + t * t * t * pd));
            };
            out.push_back(POINT{on(a.x, b.x, c.x, d.x), on(a.y, b.y, c.y, d.y)});
        }
    }
    return out;
}

// Colours and modes as the two words Windows metafiles keep 32-bit values in, low word first.
std::vector<std::int32_t> Words(std::uint32_t value) {
    return {std::int32_t(value & 0xFFFF), std::int32_t(value >> 16)};
}

}  // namespace

void EmfToWmf::Polyline(const std::vector<POINT>& points, bool polygon) {
    const std::size_t n = std::min(points.size(), kMaxWmfPoints);
    std::vector<std::int32_t> words{std::int32_t(n)};
    for (std::size_t i = 0; i < n; ++i) words.insert(words.end(), {Clamp16(points[i].x), Clamp16(points[i].y)});
    writer_.Record(polygon ? META_POLYGON : META_POLYLINE, words);
}

bool EmfToWmf::ConvertDrawing(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    if (const std::uint16_t meta = MetaFor(kBoxRecords, type)) {
        writer_.Record(meta, Box(BoxRecord::FromEmf(r).box));
    } else if (const std::uint16_t metaArc = MetaFor(kArcRecords, type)) {
        const ArcRecord arc = ArcRecord::FromEmf(r);
        std::vector<std::int32_t> words{Clamp16(arc.end.y), Clamp16(arc.end.x), Clamp16(arc.start.y),
                                        Clamp16(arc.start.x)};
        for (std::int32_t w : Box(arc.box)) words.push_back(w);
        writer_.Record(metaArc, words);
    } else if (type == EMR_ROUNDRECT) {
        const RoundRectRecord round = RoundRectRecord::FromEmf(r);
        std::vector<std::int32_t> words{Clamp16(round.cornerHeight), Clamp16(round.cornerWidth)};
        for (std::int32_t w : Box(round.box)) words.push_back(w);
        writer_.Record(META_ROUNDRECT, words);
    } else if (type == EMR_EXTFLOODFILL) {
        const FloodFillRecord fill = FloodFillRecord::FromEmf(r);
        const auto color = Words(fill.color);
        writer_.Record(META_EXTFLOODFILL, {std::int32_t(fill.mode & 0xFFFF), color[0], color[1], Clamp16(fill.start.y),
                                           Clamp16(fill.start.x)});
    } else if (type == EMR_SETPIXELV) {
        const PixelRecord pixel = PixelRecord::FromEmf(r);
        const auto color = Words(pixel.color);
        writer_.Record(META_SETPIXEL, {color[0], color[1], Clamp16(pixel.pixel.y), Clamp16(pixel.pixel.x)});
    } else {
        return false;
    }
    return true;
}

bool EmfToWmf::ConvertPoly(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_POLYGON:
    case EMR_POLYGON16:
    case EMR_POLYLINE:
    case EMR_POLYLINE16:
        Polyline(EmrPoly::Read(r).points, r.Type() == EMR_POLYGON || r.Type() == EMR_POLYGON16);
        return true;
    case EMR_POLYBEZIER:
    case EMR_POLYBEZIER16: {
        const auto points = EmrPoly::Read(r).points;
        if (!points.empty()) Polyline(Flattened(points[0], points, 1), false);
        return true;
    }
    case EMR_POLYLINETO:
    case EMR_POLYLINETO16:
    case EMR_POLYBEZIERTO:
    case EMR_POLYBEZIERTO16: LinesTo(r); return true;
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16:
        PolyPoly(EmrPolyPoly::Read(r), r.Type() == EMR_POLYPOLYGON || r.Type() == EMR_POLYPOLYGON16);
        return true;
    default: return false;
    }
}

// Lines or flattened curves from the current position, as line-tos.
void EmfToWmf::LinesTo(const RecordReader& r) {
    auto points = EmrPoly::Read(r).points;
    if (r.Type() == EMR_POLYBEZIERTO || r.Type() == EMR_POLYBEZIERTO16)
        points = Flattened(POINT{positionX_, positionY_}, points, 0);
    for (const POINT& p : points) writer_.Record(META_LINETO, {Clamp16(p.y), Clamp16(p.x)});
    if (!points.empty()) positionX_ = points.back().x, positionY_ = points.back().y;
}

// Polygons go into one poly-polygon record; polylines into a record each. A figure is held to
// the points there are.
void EmfToWmf::PolyPoly(const EmrPolyPoly& record, bool polygon) {
    const std::vector<POINT>& points = record.points;
    const std::size_t polys = std::min(record.counts.size(), kMaxWmfPoints);
    std::vector<std::int32_t> counts;
    std::size_t next = 0;
    for (std::size_t i = 0; i < polys; ++i) {
        const std::size_t n = std::min<std::size_t>(record.counts[i], points.size() - next);
        const auto first = points.begin() + std::ptrdiff_t(next);
        if (polygon) counts.push_back(std::int32_t(n));
        else Polyline(std::vector<POINT>(first, first + std::ptrdiff_t(n)), false);
        next += n;
    }
    if (!polygon) return;
    std::vector<std::int32_t> words{std::int32_t(counts.size())};
    words.insert(words.end(), counts.begin(), counts.end());
    for (std::size_t i = 0; i < next; ++i) words.insert(words.end(), {Clamp16(points[i].x), Clamp16(points[i].y)});
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
        std::vector<std::int32_t> words = Words(d.rop);
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
    std::vector<std::int32_t> words = Words(b.rop);
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
    std::vector<std::int32_t> words = Words(b.rop);
    for (std::int32_t w : {C16(b.cySrc), C16(b.cxSrc), C16(b.ySrc), C16(b.xSrc)}) words.push_back(w);
    if (!b.hasBitmap) words.push_back(0);  // the reserved word of the form without a bitmap
    for (std::int32_t w : {C16(b.cyDest), C16(b.cxDest), C16(b.yDest), C16(b.xDest)}) words.push_back(w);
    writer_.Record(META_DIBSTRETCHBLT, words, b.hasBitmap ? PackedDib(r, b.dib) : std::vector<std::uint8_t>{});
}

}  // namespace platform
