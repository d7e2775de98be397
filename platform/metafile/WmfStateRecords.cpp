// Windows-metafile state records: modes, colours, mapping, saved states.
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;

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
    case META_MOVETO: PointRecord(r, EMR_MOVETOEX); return true;
    default: return ConvertMapping(r, function);
    }
}

// Window and viewport origins, extents and scalings.
bool WmfConverter::ConvertMapping(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
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
    default: return false;
    }
}

}  // namespace platform
