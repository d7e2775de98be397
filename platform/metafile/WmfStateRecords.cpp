// Windows-metafile state records: modes, colours, mapping, saved states.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecordType.h"
#include "platform/metafile/WmfRecords.h"

namespace platform {

namespace {

constexpr int kMaxSaveDepth = 1024;

}  // namespace

bool WmfConverter::ConvertState(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    if (const std::uint32_t type = EmrFor(kModeRecords, function)) {
        w.Record(type, {MetaSetMode::Read(r).value});
    } else if (const std::uint32_t typeLong = EmrFor(kLongRecords, function)) {
        w.Record(typeLong, {std::int32_t(MetaSetLong::Read(r).value)});
    } else if (function == META_SAVEDC) {
        w.Record(EMR_SAVEDC, {});
        if (saveDepth_ < kMaxSaveDepth) ++saveDepth_;
    } else if (function == META_RESTOREDC) {
        RestoreDc(MetaSigned::Read(r).value);
    } else if (function == META_SETTEXTCHAREXTRA) {
        charExtra_ = MetaSigned::Read(r).value;
    } else {
        return ConvertMapping(r, function);
    }
    return true;
}

// Enhanced records count back from the latest save; a positive index names a depth.
void WmfConverter::RestoreDc(std::int32_t savedDc) {
    const std::int32_t relative = savedDc > 0 ? savedDc - saveDepth_ - 1 : savedDc;
    if (relative >= 0 || -relative > saveDepth_) return;
    writer_->Record(EMR_RESTOREDC, {relative});
    saveDepth_ += relative;
}

// Window and viewport origins, set or offset; then the records of one point or extent, and the
// scalings of the extents.
bool WmfConverter::ConvertMapping(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    const bool window = function == META_SETWINDOWORG || function == META_OFFSETWINDOWORG;
    if (window || function == META_SETVIEWPORTORG || function == META_OFFSETVIEWPORTORG) {
        POINT& org = window ? windowOrg_ : viewportOrg_;
        const POINT p = PointRecord::FromWmf(r).point;
        org = function == META_SETWINDOWORG || function == META_SETVIEWPORTORG ? p : POINT{org.x + p.x, org.y + p.y};
        w.Record(window ? EMR_SETWINDOWORGEX : EMR_SETVIEWPORTORGEX, {org.x, org.y});
    } else if (const std::uint32_t type = EmrFor(kPointRecords, function)) {
        const POINT p = PointRecord::FromWmf(r).point;
        w.Record(type, {p.x, p.y});
    } else if (const std::uint32_t typeScale = EmrFor(kScaleRecords, function)) {
        const ScaleExtRecord s = ScaleExtRecord::FromWmf(r);
        w.Record(typeScale, {s.xNum, s.xDenom, s.yNum, s.yDenom});
    } else {
        return false;
    }
    return true;
}

}  // namespace platform
