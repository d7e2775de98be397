// The walk over enhanced records and the state records, back to their Windows-metafile forms.
#include "platform/metafile/EmfToWmf.h"

#include <algorithm>
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/WinMetaFile.h"
#include "platform/metafile/WmfRecordType.h"
#include "platform/metafile/WorldTransform.h"

namespace platform {

namespace {

// Window coordinates beyond this are no window at all (a degenerate mapping).
constexpr double kMaxWindowUnits = 1e9;

}  // namespace

std::vector<std::uint8_t> EmfToWmf::Convert() {
    try {
        frame_ = ReferenceFrameOf(HeaderOf(emf_));
    } catch (const BadRecord&) {
        // Without a header the frame is the one-pixel default.
    }
    writer_.Record(META_SETMAPMODE, {MM_ANISOTROPIC});
    WriteWindow();
    std::size_t pos = 0;
    while (emf_.size() - pos >= 8) {
        const RecordReader head(emf_.subspan(pos, 8));
        const std::uint32_t size = head.U32(4);
        if (size < 8 || size > emf_.size() - pos || head.U32(0) == EMR_EOF) break;
        try {
            ConvertRecord(RecordReader(emf_.subspan(pos, size)));
        } catch (const BadRecord&) {
            // A damaged record is left out.
        }
        if (writer_.Size() > kMaxMetafileBytes / 2) break;
        pos += size;
    }
    writer_.SetObjects(std::uint16_t(std::min<std::size_t>(used_.size(), 0xFFFF)));
    return writer_.Finish();
}

void EmfToWmf::ConvertRecord(const RecordReader& r) {
    ConvertState(r) || ConvertObject(r) || ConvertDrawing(r) || ConvertPoly(r) || ConvertText(r) || ConvertBitmap(r) ||
        ConvertRegion(r);
}

bool EmfToWmf::ConvertState(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    if (ConvertPage(r)) return true;
    if (const std::uint16_t meta = MetaFor(kModeRecords, type)) {
        writer_.Record(meta, {std::int32_t(EmrSetValue::Read(r).value)});
    } else if (const std::uint16_t metaLong = MetaFor(kLongRecords, type)) {
        const std::uint32_t v = EmrSetValue::Read(r).value;
        writer_.Record(metaLong, {std::int32_t(v & 0xFFFF), std::int32_t(v >> 16)});
    } else if (const std::uint16_t metaPoint = MetaFor(kPointRecords, type)) {
        const POINT p = PointRecord::FromEmf(r).point;
        if (type == EMR_MOVETOEX || type == EMR_LINETO) positionX_ = p.x, positionY_ = p.y;
        writer_.Record(metaPoint, {Clamp16(p.y), Clamp16(p.x)});
    } else {
        return false;
    }
    return true;
}

// The mapping and world-transform records change the window; SaveDC and RestoreDC keep and bring
// back the mapping with the rest of the state.
bool EmfToWmf::ConvertPage(const RecordReader& r) {
    if (mapping_.page.Play(r)) {
        WriteWindow();
    } else if (r.Type() == EMR_SETWORLDTRANSFORM || r.Type() == EMR_MODIFYWORLDTRANSFORM) {
        mapping_.world = ModifiedWorld(mapping_.world, EmrModifyWorldTransform::Read(r));
        WriteWindow();
    } else if (r.Type() == EMR_SAVEDC) {
        if (savedMappings_.size() < kMaxSaveDepth) savedMappings_.push_back(mapping_);
        writer_.Record(META_SAVEDC, {});
    } else if (r.Type() == EMR_RESTOREDC) {
        const std::int32_t level = EmrRestoreDc::Read(r).value;
        writer_.Record(META_RESTOREDC, {Clamp16(level)});
        const auto keep = RestoredSave(level, savedMappings_.size());
        if (!keep) return true;
        mapping_ = savedMappings_[*keep];
        savedMappings_.resize(*keep);
    } else {
        return false;
    }
    return true;
}

// The frame, in reference-device pixels, mapped back to the current logical units: world units
// when the world transform only scales and moves, page units otherwise.
void EmfToWmf::WriteWindow() {
    AxisMapping m = mapping_.page.ToDevice(frame_.pixelsPerMmX, frame_.pixelsPerMmY);
    if (const WorldMatrix& w = mapping_.world; w.m12() == 0 && w.m21() == 0)
        m = AxisMapping{w.m11() * m.sx, w.m22() * m.sy, w.dx() * m.sx + m.tx, w.dy() * m.sy + m.ty};
    const double left = (frame_.left - m.tx) / m.sx, top = (frame_.top - m.ty) / m.sy;
    const double right = (frame_.right - m.tx) / m.sx, bottom = (frame_.bottom - m.ty) / m.sy;
    for (const double v : {left, top, right, bottom})
        if (!std::isfinite(v) || std::abs(v) > kMaxWindowUnits) return;
    const auto units = [](double v) { return Clamp16(std::llround(v)); };
    writer_.Record(META_SETWINDOWORG, {units(top), units(left)});
    writer_.Record(META_SETWINDOWEXT, {units(bottom - top), units(right - left)});
}

std::size_t GetWinMetaFileBits(const HENHMETAFILE& emf, std::size_t size, std::uint8_t* buffer) {
    if (!emf) return 0;
    const std::vector<std::uint8_t> bytes = EmfToWmf(emf->Bytes()).Convert();
    if (!buffer) return bytes.size();
    const std::size_t n = std::min(size, bytes.size());
    std::copy_n(bytes.begin(), n, buffer);
    return n;
}

}  // namespace platform
