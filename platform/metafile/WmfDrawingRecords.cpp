// Windows-metafile drawing and clipping records: lines, polygons, boxes, arcs, pixels.
#include <algorithm>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecordType.h"
#include "platform/metafile/WmfRecords.h"

namespace platform {

namespace {

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

std::vector<std::int32_t> Box(const RECT& b) { return {b.left, b.top, b.right, b.bottom}; }

}  // namespace

void WmfConverter::Poly(const MetaPoly& record, std::uint32_t type) {
    std::vector<std::int32_t> head = BoundsOf(record.points);
    head.push_back(std::int32_t(record.points.size() / 4));
    writer_->Record(type, head, std::vector<std::uint8_t>(record.points.begin(), record.points.end()));
}

void WmfConverter::PolyPolygon(const MetaPolyPolygon& record) {
    std::vector<std::int32_t> head = BoundsOf(record.points);
    head.push_back(std::int32_t(record.counts.size()));
    head.push_back(std::int32_t(record.points.size() / 4));
    head.insert(head.end(), record.counts.begin(), record.counts.end());
    writer_->Record(EMR_POLYPOLYGON16, head, std::vector<std::uint8_t>(record.points.begin(), record.points.end()));
}

bool WmfConverter::ConvertDrawing(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    if (const std::uint32_t type = EmrFor(kBoxRecords, function)) {
        w.Record(type, Box(BoxRecord::FromWmf(r).box));
    } else if (const std::uint32_t typeArc = EmrFor(kArcRecords, function)) {
        const ArcRecord arc = ArcRecord::FromWmf(r);
        std::vector<std::int32_t> words = Box(arc.box);
        words.insert(words.end(), {arc.start.x, arc.start.y, arc.end.x, arc.end.y});
        w.Record(typeArc, words);
    } else if (function == META_ROUNDRECT) {
        const RoundRectRecord round = RoundRectRecord::FromWmf(r);
        std::vector<std::int32_t> words = Box(round.box);
        words.insert(words.end(), {round.cornerWidth, round.cornerHeight});
        w.Record(EMR_ROUNDRECT, words);
    } else if (function == META_POLYGON || function == META_POLYLINE) {
        Poly(MetaPoly::Read(r), function == META_POLYGON ? EMR_POLYGON16 : EMR_POLYLINE16);
    } else if (function == META_POLYPOLYGON) {
        PolyPolygon(MetaPolyPolygon::Read(r));
    } else {
        return ConvertPixels(r, function);
    }
    return true;
}

// Single pixels, flood fills and pattern blits.
bool WmfConverter::ConvertPixels(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
    case META_SETPIXEL: {
        const PixelRecord pixel = PixelRecord::FromWmf(r);
        w.Record(EMR_SETPIXELV, {pixel.pixel.x, pixel.pixel.y, std::int32_t(pixel.color)});
        return true;
    }
    case META_FLOODFILL:
    case META_EXTFLOODFILL: {
        const FloodFillRecord fill = FloodFillRecord::FromWmf(r);
        w.Record(EMR_EXTFLOODFILL, {fill.start.x, fill.start.y, std::int32_t(fill.color), std::int32_t(fill.mode)});
        return true;
    }
    case META_PATBLT: {
        // A bit-block transfer without a source.
        const MetaPatBlt b = MetaPatBlt::Read(r);
        w.Record(
            EMR_BITBLT,
            {0, 0, -1, -1, b.x, b.y, b.width, b.height, std::int32_t(b.rop), 0, 0, kIdentityOne, 0, 0, kIdentityOne,
             0, 0, 0,  0,  0,   0,   0,       0});
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
