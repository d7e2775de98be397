// The walk over enhanced records and the state records, back to their Windows-metafile forms.
#include "platform/metafile/EmfToWmf.h"

#include <algorithm>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/WinMetaFile.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

std::vector<std::uint8_t> EmfToWmf::Convert() {
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
    if (const std::uint16_t meta = MetaFor(kModeRecords, type)) {
        writer_.Record(meta, {std::int32_t(EmrSetValue::Read(r).value)});
    } else if (const std::uint16_t metaLong = MetaFor(kLongRecords, type)) {
        const std::uint32_t v = EmrSetValue::Read(r).value;
        writer_.Record(metaLong, {std::int32_t(v & 0xFFFF), std::int32_t(v >> 16)});
    } else if (const std::uint16_t metaPoint = MetaFor(kPointRecords, type)) {
        const POINT p = PointRecord::FromEmf(r).point;
        if (type == EMR_MOVETOEX || type == EMR_LINETO) positionX_ = p.x, positionY_ = p.y;
        writer_.Record(metaPoint, {Clamp16(p.y), Clamp16(p.x)});
    } else if (const std::uint16_t metaScale = MetaFor(kScaleRecords, type)) {
        const ScaleExtRecord s = ScaleExtRecord::FromEmf(r);
        writer_.Record(metaScale, {Clamp16(s.yDenom), Clamp16(s.yNum), Clamp16(s.xDenom), Clamp16(s.xNum)});
    } else if (type == EMR_SAVEDC) {
        writer_.Record(META_SAVEDC, {});
    } else if (type == EMR_RESTOREDC) {
        writer_.Record(META_RESTOREDC, {Clamp16(EmrRestoreDc::Read(r).value)});
    } else {
        return false;
    }
    return true;
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
