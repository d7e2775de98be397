// Enhanced drawing, text and bitmap records back to their Windows-metafile forms.
#include <cmath>

#include "platform/LittleEndian.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/SymbolFont.h"

namespace platform {

namespace {

enum : std::uint32_t {
    EMR_POLYBEZIER = 2,
    EMR_POLYGON = 3,
    EMR_POLYLINE = 4,
    EMR_POLYBEZIERTO = 5,
    EMR_POLYLINETO = 6,
    EMR_POLYPOLYLINE = 7,
    EMR_POLYPOLYGON = 8,
    EMR_SETPIXELV = 15,
    EMR_EXCLUDECLIPRECT = 29,
    EMR_INTERSECTCLIPRECT = 30,
    EMR_ELLIPSE = 42,
    EMR_RECTANGLE = 43,
    EMR_ROUNDRECT = 44,
    EMR_ARC = 45,
    EMR_CHORD = 46,
    EMR_PIE = 47,
    EMR_BITBLT = 76,
    EMR_STRETCHBLT = 77,
    EMR_SETDIBITSTODEVICE = 80,
    EMR_STRETCHDIBITS = 81,
    EMR_EXTTEXTOUTA = 83,
    EMR_EXTTEXTOUTW = 84,
    EMR_POLYBEZIER16 = 85,
    EMR_POLYGON16 = 86,
    EMR_POLYLINE16 = 87,
    EMR_POLYBEZIERTO16 = 88,
    EMR_POLYLINETO16 = 89,
    EMR_POLYPOLYLINE16 = 90,
    EMR_POLYPOLYGON16 = 91
};
enum : std::uint16_t {
    META_SETPIXEL = 0x041F,
    META_EXCLUDECLIPRECT = 0x0415,
    META_INTERSECTCLIPRECT = 0x0416,
    META_ELLIPSE = 0x0418,
    META_RECTANGLE = 0x041B,
    META_ROUNDRECT = 0x061C,
    META_ARC = 0x0817,
    META_CHORD = 0x0830,
    META_PIE = 0x081A,
    META_LINETO = 0x0213,
    META_POLYGON = 0x0324,
    META_POLYLINE = 0x0325,
    META_POLYPOLYGON = 0x0538,
    META_PATBLT = 0x061D,
    META_DIBBITBLT = 0x0940,
    META_DIBSTRETCHBLT = 0x0B41,
    META_SETDIBTODEV = 0x0D33,
    META_STRETCHDIB = 0x0F43,
    META_EXTTEXTOUT = 0x0A32
};
constexpr std::uint32_t EMR_EXTFLOODFILL = 53;
constexpr std::uint16_t META_EXTFLOODFILL = 0x0548;
constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4, ETO_NO_RECT = 0x100;
// Points of one flattened Bézier segment.
constexpr int kBezierSteps = 16;
// Points of one Windows polygon: its count is a signed 16-bit word.
constexpr std::size_t kMaxWmfPoints = 0x7FFF;

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
    case EMR_POLYBEZIERTO16: {
        auto xy = Points(r, 28, r.U32(24), small);
        if (type == EMR_POLYBEZIERTO || type == EMR_POLYBEZIERTO16) xy = Flattened(positionX_, positionY_, xy, 0);
        for (std::size_t i = 0; i + 1 < xy.size(); i += 2)
            writer_.Record(META_LINETO, {Clamp16(xy[i + 1]), Clamp16(xy[i])});
        if (xy.size() >= 2) positionX_ = xy[xy.size() - 2], positionY_ = xy.back();
        return true;
    }
    case EMR_POLYPOLYGON:
    case EMR_POLYPOLYGON16:
    case EMR_POLYPOLYLINE:
    case EMR_POLYPOLYLINE16: {
        const std::uint32_t polys = std::min<std::uint32_t>(r.U32(24), kMaxWmfPoints);
        r.Block(32, polys, 4);
        const auto xy = Points(r, 32 + 4 * std::size_t(polys), r.U32(28), small);
        const bool polygon = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;
        std::vector<std::int32_t> counts, points;
        std::size_t next = 0;
        for (std::uint32_t i = 0; i < polys; ++i) {
            const std::size_t n = std::min<std::size_t>(r.U32(32 + 4 * std::size_t(i)), xy.size() / 2 - next);
            if (polygon) {
                counts.push_back(std::int32_t(n));
            } else {
                Polyline(std::vector<std::int32_t>(xy.begin() + std::ptrdiff_t(2 * next),
                                                   xy.begin() + std::ptrdiff_t(2 * (next + n))),
                         false);
            }
            next += n;
        }
        if (polygon) {
            std::vector<std::int32_t> words{std::int32_t(counts.size())};
            words.insert(words.end(), counts.begin(), counts.end());
            for (std::size_t i = 0; i < 2 * next; ++i) words.push_back(Clamp16(xy[i]));
            writer_.Record(META_POLYPOLYGON, words);
        }
        return true;
    }
    default: return false;
    }
}

void EmfToWmf::Text(const RecordReader& r, std::size_t at, bool wide) {
    const std::int32_t x = r.I32(at), y = r.I32(at + 4);
    const std::uint32_t count = std::min(r.U32(at + 8), kMaxTextChars);
    const std::uint32_t offString = r.U32(at + 12), options = r.U32(at + 16);
    const bool hasRect = !(options & ETO_NO_RECT);
    const std::uint32_t offDx = r.U32(hasRect ? at + 36 : at + 20);
    std::vector<std::int32_t> words{Clamp16(y), Clamp16(x), std::int32_t(count),
                                    std::int32_t(options & 0xFFFF & ~ETO_NO_RECT)};
    if (hasRect && (options & (ETO_OPAQUE | ETO_CLIPPED)))
        for (std::size_t k = 0; k < 4; ++k) words.push_back(Clamp16(r.I32(at + 20 + 4 * k)));
    else words[3] &= ~std::int32_t(ETO_OPAQUE | ETO_CLIPPED);
    std::vector<std::uint8_t> tail;
    const auto chars = r.Block(offString, count, wide ? 2 : 1);
    for (std::uint32_t i = 0; i < count; ++i) {
        const char16_t c = wide ? char16_t(chars[2 * i] | (chars[2 * i + 1] << 8)) : char16_t(chars[i]);
        tail.push_back(charSet_ == SYMBOL_CHARSET ? SymbolByte(c) : c < 0x100 ? std::uint8_t(c) : std::uint8_t('?'));
    }
    if (tail.size() % 2) tail.push_back(0);
    if (offDx != 0) {
        const auto dx = r.Block(offDx, count, 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::int16_t d = Clamp16(RecordReader(dx).I32(4 * std::size_t(i)));
            AppendLittleU16(tail, std::uint16_t(d));
        }
    }
    writer_.Record(META_EXTTEXTOUT, words, tail);
}

bool EmfToWmf::ConvertText(const RecordReader& r) {
    if (r.Type() != EMR_EXTTEXTOUTW && r.Type() != EMR_EXTTEXTOUTA) return false;
    Text(r, 36, r.Type() == EMR_EXTTEXTOUTW);
    return true;
}

bool EmfToWmf::ConvertBitmap(const RecordReader& r) {
    const auto dibAt = [&](std::size_t fields) {
        const auto bmi = r.Block(r.U32(fields), r.U32(fields + 4), 1);
        const auto bits = r.Block(r.U32(fields + 8), r.U32(fields + 12), 1);
        std::vector<std::uint8_t> dib(bmi.begin(), bmi.end());
        dib.insert(dib.end(), bits.begin(), bits.end());
        return dib;
    };
    const auto rop = [&](std::size_t at) {
        return std::vector<std::int32_t>{std::int32_t(r.U32(at) & 0xFFFF), std::int32_t(r.U32(at) >> 16)};
    };
    const auto c16 = [&](std::size_t at) { return std::int32_t(Clamp16(r.I32(at))); };
    switch (r.Type()) {
    case EMR_STRETCHDIBITS: {
        std::vector<std::int32_t> words = rop(68);
        for (std::int32_t w :
             {std::int32_t(r.U32(64)), c16(44), c16(40), c16(36), c16(32), c16(76), c16(72), c16(28), c16(24)})
            words.push_back(w);
        writer_.Record(META_STRETCHDIB, words, dibAt(48));
        return true;
    }
    case EMR_SETDIBITSTODEVICE: {
        writer_.Record(
            META_SETDIBTODEV,
            {std::int32_t(r.U32(64)), c16(72), c16(68), c16(36), c16(32), c16(44), c16(40), c16(28), c16(24)},
            dibAt(48));
        return true;
    }
    case EMR_BITBLT: {
        std::vector<std::int32_t> words = rop(40);
        if (r.U32(88) == 0) {
            for (std::int32_t w : {c16(36), c16(32), c16(28), c16(24)}) words.push_back(w);
            writer_.Record(META_PATBLT, words);
            return true;
        }
        for (std::int32_t w : {c16(48), c16(44), c16(36), c16(32), c16(28), c16(24)}) words.push_back(w);
        writer_.Record(META_DIBBITBLT, words, dibAt(84));
        return true;
    }
    case EMR_STRETCHBLT: {
        std::vector<std::int32_t> words = rop(40);
        for (std::int32_t w : {c16(104), c16(100), c16(48), c16(44)}) words.push_back(w);
        if (r.U32(88) == 0) words.push_back(0);  // the reserved word of the form without a bitmap
        for (std::int32_t w : {c16(36), c16(32), c16(28), c16(24)}) words.push_back(w);
        writer_.Record(META_DIBSTRETCHBLT, words, r.U32(88) == 0 ? std::vector<std::uint8_t>{} : dibAt(84));
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
