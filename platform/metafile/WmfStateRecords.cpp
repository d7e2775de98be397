// Windows-metafile state records: modes, colours, mapping, saved states.
#include "platform/metafile/WmfConverter.h"

namespace platform {

namespace {

constexpr std::size_t P = 6;  // first parameter byte of a record

enum : std::uint16_t {
    META_SAVEDC = 0x001E,
    META_SETBKMODE = 0x0102,
    META_SETMAPMODE = 0x0103,
    META_SETROP2 = 0x0104,
    META_SETPOLYFILLMODE = 0x0106,
    META_SETSTRETCHBLTMODE = 0x0107,
    META_SETTEXTCHAREXTRA = 0x0108,
    META_RESTOREDC = 0x0127,
    META_SETTEXTALIGN = 0x012E,
    META_SETLAYOUT = 0x0149,
    META_SETBKCOLOR = 0x0201,
    META_SETTEXTCOLOR = 0x0209,
    META_SETWINDOWORG = 0x020B,
    META_SETWINDOWEXT = 0x020C,
    META_SETVIEWPORTORG = 0x020D,
    META_SETVIEWPORTEXT = 0x020E,
    META_OFFSETWINDOWORG = 0x020F,
    META_OFFSETVIEWPORTORG = 0x0211,
    META_MOVETO = 0x0214,
    META_SETMAPPERFLAGS = 0x0231,
    META_SCALEWINDOWEXT = 0x0410,
    META_SCALEVIEWPORTEXT = 0x0412
};
constexpr std::uint32_t EMR_SETWINDOWEXTEX = 9, EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11,
                        EMR_SETVIEWPORTORGEX = 12, EMR_SETMAPPERFLAGS = 16, EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18,
                        EMR_SETPOLYFILLMODE = 19, EMR_SETROP2 = 20, EMR_SETSTRETCHBLTMODE = 21, EMR_SETTEXTALIGN = 22,
                        EMR_SETTEXTCOLOR = 24, EMR_SETBKCOLOR = 25, EMR_MOVETOEX = 27, EMR_SCALEVIEWPORTEXTEX = 31,
                        EMR_SCALEWINDOWEXTEX = 32, EMR_SAVEDC = 33, EMR_RESTOREDC = 34, EMR_SETLAYOUT = 115;
constexpr int kMaxSaveDepth = 1024;

// Records whose one 16-bit parameter becomes the enhanced record's 32-bit one.
std::uint32_t ModeRecord(std::uint16_t function) {
    switch (function) {
    case META_SETBKMODE: return EMR_SETBKMODE;
    case META_SETMAPMODE: return EMR_SETMAPMODE;
    case META_SETROP2: return EMR_SETROP2;
    case META_SETPOLYFILLMODE: return EMR_SETPOLYFILLMODE;
    case META_SETSTRETCHBLTMODE: return EMR_SETSTRETCHBLTMODE;
    case META_SETTEXTALIGN: return EMR_SETTEXTALIGN;
    case META_SETLAYOUT: return EMR_SETLAYOUT;
    default: return 0;
    }
}

}  // namespace

bool WmfConverter::ConvertState(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    if (const std::uint32_t type = ModeRecord(function)) {
        w.Record(type, {r.U16(P)});
        return true;
    }
    switch (function) {
    case META_SAVEDC:
        w.Record(EMR_SAVEDC, {});
        if (saveDepth_ < kMaxSaveDepth) ++saveDepth_;
        return true;
    case META_RESTOREDC: {
        // Enhanced records count back from the latest save; a positive index names a depth.
        const std::int32_t n = r.I16(P);
        const std::int32_t relative = n > 0 ? n - saveDepth_ - 1 : n;
        if (relative >= 0 || -relative > saveDepth_) return true;
        w.Record(EMR_RESTOREDC, {relative});
        saveDepth_ += relative;
        return true;
    }
    case META_SETBKCOLOR: w.Record(EMR_SETBKCOLOR, {std::int32_t(r.U32(P))}); return true;
    case META_SETTEXTCOLOR: w.Record(EMR_SETTEXTCOLOR, {std::int32_t(r.U32(P))}); return true;
    case META_SETMAPPERFLAGS: w.Record(EMR_SETMAPPERFLAGS, {std::int32_t(r.U32(P))}); return true;
    case META_SETTEXTCHAREXTRA: charExtra_ = r.I16(P); return true;
    case META_SETWINDOWORG:
    case META_OFFSETWINDOWORG:
    case META_SETVIEWPORTORG:
    case META_OFFSETVIEWPORTORG: {
        const bool window = function == META_SETWINDOWORG || function == META_OFFSETWINDOWORG;
        POINT& org = window ? windowOrg_ : viewportOrg_;
        const POINT p = ReversedPoint(r, P);
        org = function == META_SETWINDOWORG || function == META_SETVIEWPORTORG ? p : POINT{org.x + p.x, org.y + p.y};
        w.Record(window ? EMR_SETWINDOWORGEX : EMR_SETVIEWPORTORGEX, {org.x, org.y});
        return true;
    }
    case META_SETWINDOWEXT:
    case META_SETVIEWPORTEXT: {
        const POINT p = ReversedPoint(r, P);
        w.Record(function == META_SETWINDOWEXT ? EMR_SETWINDOWEXTEX : EMR_SETVIEWPORTEXTEX, {p.x, p.y});
        return true;
    }
    case META_SCALEWINDOWEXT:
    case META_SCALEVIEWPORTEXT:
        // Stored yDenom, yNum, xDenom, xNum; enhanced order is xNum, xDenom, yNum, yDenom.
        w.Record(function == META_SCALEWINDOWEXT ? EMR_SCALEWINDOWEXTEX : EMR_SCALEVIEWPORTEXTEX,
                 {r.I16(P + 6), r.I16(P + 4), r.I16(P + 2), r.I16(P)});
        return true;
    case META_MOVETO: {
        const POINT p = ReversedPoint(r, P);
        w.Record(EMR_MOVETOEX, {p.x, p.y});
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
