// Reading the fields of the records both formats have: enhanced ones in 32 bits from byte 8 in
// call order, Windows ones in 16 bits from the first parameter in reverse of the call order.
#include "platform/metafile/RecordPairs.h"

#include "platform/metafile/WmfRecords.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;

// Stored bottom, right, top, left from `at`.
RECT ReversedBox(const RecordReader& r, std::size_t at) {
    return RECT{r.I16(at + 6), r.I16(at + 4), r.I16(at + 2), r.I16(at)};
}

}  // namespace

PointRecord PointRecord::FromEmf(const RecordReader& r) { return {r.PointL(8)}; }

PointRecord PointRecord::FromWmf(const RecordReader& r) { return {ReversedPoint(r, P)}; }

ScaleExtRecord ScaleExtRecord::FromEmf(const RecordReader& r) { return {r.I32(8), r.I32(12), r.I32(16), r.I32(20)}; }

// Stored yDenom, yNum, xDenom, xNum.
ScaleExtRecord ScaleExtRecord::FromWmf(const RecordReader& r) {
    return {r.I16(P + 6), r.I16(P + 4), r.I16(P + 2), r.I16(P)};
}

BoxRecord BoxRecord::FromEmf(const RecordReader& r) { return {r.RectL(8)}; }

BoxRecord BoxRecord::FromWmf(const RecordReader& r) { return {ReversedBox(r, P)}; }

RoundRectRecord RoundRectRecord::FromEmf(const RecordReader& r) { return {r.RectL(8), r.I32(24), r.I32(28)}; }

// Stored corner height, corner width, then the box.
RoundRectRecord RoundRectRecord::FromWmf(const RecordReader& r) {
    return {ReversedBox(r, P + 4), r.I16(P + 2), r.I16(P)};
}

ArcRecord ArcRecord::FromEmf(const RecordReader& r) { return {r.RectL(8), r.PointL(24), r.PointL(32)}; }

// Stored end, start, then the box.
ArcRecord ArcRecord::FromWmf(const RecordReader& r) {
    return {ReversedBox(r, P + 8), ReversedPoint(r, P + 4), ReversedPoint(r, P)};
}

PixelRecord PixelRecord::FromEmf(const RecordReader& r) { return {r.PointL(8), r.U32(16)}; }

PixelRecord PixelRecord::FromWmf(const RecordReader& r) { return {ReversedPoint(r, P + 4), r.U32(P)}; }

FloodFillRecord FloodFillRecord::FromEmf(const RecordReader& r) { return {r.PointL(8), r.U32(16), r.U32(20)}; }

// ExtFloodFill names its mode first.
FloodFillRecord FloodFillRecord::FromWmf(const RecordReader& r) {
    const bool extended = r.U16(4) == META_EXTFLOODFILL;
    const std::size_t at = extended ? P + 2 : P;
    return {ReversedPoint(r, at + 4), r.U32(at), extended ? r.U16(P) : 0u};
}

}  // namespace platform
