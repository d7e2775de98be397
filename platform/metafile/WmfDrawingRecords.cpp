// Windows-metafile drawing and clipping records: lines, polygons, boxes, arcs, pixels.
#include <algorithm>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;

constexpr std::int32_t kIdentityOne = 0x3F800000;  // 1.0f

// Bounds of 16-bit points, as the enhanced poly records carry them.
std::vector<std::int32_t> BoundsOf(std::span<const std::uint8_t> points) {
    std::int32_t l = INT32_MAX, t = INT32_MAX, r = INT32_MIN, b = INT32_MIN;
    const RecordReader p(points);
    for (std::size_t i = 0; i + 4 <= points.size(); i += 4) {
        l = std::min<std::int32_t>(l, p.I16(i));
        r = std::max<std::int32_t>(r, p.I16(i));
        t = std::min<std::int32_t>(t, p.I16(i + 2));
        b = std::max<std::int32_t>(b, p.I16(i + 2));
    }
    if (points.empty()) return {0, 0, -1, -1};
    return {l, t, r, b};
}

}  // namespace

void WmfConverter::Poly(const RecordReader& r, std::uint32_t type) {
    const std::int16_t count = r.I16(P);
    if (count < 0) return;
    const auto points = r.Block(P + 2, std::uint32_t(count), 4);
    std::vector<std::int32_t> head = BoundsOf(points);
    head.push_back(count);
    writer_->Record(type, head, std::vector<std::uint8_t>(points.begin(), points.end()));
}

void WmfConverter::PolyPolygon(const RecordReader& r) {
    const std::uint16_t polygons = r.U16(P);
    const auto counts = r.Block(P + 2, polygons, 2);
    std::uint64_t total = 0;
    for (std::uint16_t i = 0; i < polygons; ++i) total += RecordReader(counts).U16(2 * std::size_t(i));
    if (total > kMaxPolyPoints) return;
    const auto points = r.Block(P + 2 + 2 * std::size_t(polygons), total, 4);
    std::vector<std::int32_t> head = BoundsOf(points);
    head.push_back(polygons);
    head.push_back(std::int32_t(total));
    for (std::uint16_t i = 0; i < polygons; ++i) head.push_back(RecordReader(counts).U16(2 * std::size_t(i)));
    writer_->Record(EMR_POLYPOLYGON16, head, std::vector<std::uint8_t>(points.begin(), points.end()));
}

// Stored bottom, right, top, left.
void WmfConverter::Box(const RecordReader& r, std::uint32_t type) {
    writer_->Record(type, {r.I16(P + 6), r.I16(P + 4), r.I16(P + 2), r.I16(P)});
}

// Stored end y, end x, start y, start x, bottom, right, top, left.
void WmfConverter::ArcLike(const RecordReader& r, std::uint32_t type) {
    writer_->Record(type, {r.I16(P + 14), r.I16(P + 12), r.I16(P + 10), r.I16(P + 8), r.I16(P + 6), r.I16(P + 4),
                           r.I16(P + 2), r.I16(P)});
}

// A record of one point, the WMF's stored y first.
void WmfConverter::PointRecord(const RecordReader& r, std::uint32_t type) {
    const POINT p = ReversedPoint(r, P);
    writer_->Record(type, {p.x, p.y});
}

bool WmfConverter::ConvertDrawing(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
    case META_LINETO: PointRecord(r, EMR_LINETO); return true;
    case META_POLYGON: Poly(r, EMR_POLYGON16); return true;
    case META_POLYLINE: Poly(r, EMR_POLYLINE16); return true;
    case META_POLYPOLYGON: PolyPolygon(r); return true;
    case META_RECTANGLE: Box(r, EMR_RECTANGLE); return true;
    case META_ELLIPSE: Box(r, EMR_ELLIPSE); return true;
    case META_INTERSECTCLIPRECT: Box(r, EMR_INTERSECTCLIPRECT); return true;
    case META_EXCLUDECLIPRECT: Box(r, EMR_EXCLUDECLIPRECT); return true;
    case META_ROUNDRECT:
        w.Record(EMR_ROUNDRECT, {r.I16(P + 10), r.I16(P + 8), r.I16(P + 6), r.I16(P + 4), r.I16(P + 2), r.I16(P)});
        return true;
    case META_ARC: ArcLike(r, EMR_ARC); return true;
    case META_PIE: ArcLike(r, EMR_PIE); return true;
    case META_CHORD: ArcLike(r, EMR_CHORD); return true;
    default: return ConvertPixels(r, function);
    }
}

// Clip offsets, single pixels, flood fills and pattern blits.
bool WmfConverter::ConvertPixels(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
    case META_OFFSETCLIPRGN: PointRecord(r, EMR_OFFSETCLIPRGN); return true;
    case META_SETPIXEL: {
        const POINT p = ReversedPoint(r, P + 4);
        w.Record(EMR_SETPIXELV, {p.x, p.y, std::int32_t(r.U32(P))});
        return true;
    }
    case META_FLOODFILL:
    case META_EXTFLOODFILL: {
        // FloodFill fills up to a border of the colour; ExtFloodFill names its mode first.
        const std::size_t at = function == META_EXTFLOODFILL ? P + 2 : P;
        const POINT p = ReversedPoint(r, at + 4);
        const std::int32_t mode = function == META_EXTFLOODFILL ? r.U16(P) : 0;
        w.Record(EMR_EXTFLOODFILL, {p.x, p.y, std::int32_t(r.U32(at)), mode});
        return true;
    }
    case META_PATBLT: {
        // A bit-block transfer without a source: raster operation, height, width, y, x.
        const std::int32_t rop = std::int32_t(r.U32(P));
        const std::int32_t h = r.I16(P + 4), wd = r.I16(P + 6), y = r.I16(P + 8), x = r.I16(P + 10);
        w.Record(EMR_BITBLT,
                 {0, 0, -1, -1, x, y, wd, h, rop, 0, 0, kIdentityOne, 0, 0, kIdentityOne, 0, 0, 0, 0, 0, 0, 0, 0});
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
