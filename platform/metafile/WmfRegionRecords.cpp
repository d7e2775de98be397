// Windows-metafile region drawing: the region object's rectangles carried inside the enhanced
// region records, its brush by the enhanced index of the brush's slot.
#include "platform/metafile/RegionRects.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;

}  // namespace

bool WmfConverter::ConvertRegion(const RecordReader& r, std::uint16_t function) {
    std::uint32_t type;
    switch (function) {
    case META_FILLREGION: type = EMR_FILLRGN; break;
    case META_FRAMEREGION: type = EMR_FRAMERGN; break;
    case META_INVERTREGION: type = EMR_INVERTRGN; break;
    case META_PAINTREGION: type = EMR_PAINTRGN; break;
    default: return false;
    }
    const std::uint16_t index = r.U16(P);
    if (index >= slots_.size() || slots_[index].kind != Kind::Region) return true;
    const Slot& region = slots_[index];
    // A region without scans is its bounding rectangle.
    const auto data = RegionDataOf(region.rects.empty() ? std::vector<RECT>{region.bounds} : region.rects);
    const RECT& b = region.bounds;
    std::vector<std::int32_t> head{b.left, b.top, b.right, b.bottom, std::int32_t(data.size())};
    if (type == EMR_FILLRGN || type == EMR_FRAMERGN) {
        const std::uint16_t brush = r.U16(P + 2);
        if (brush >= slots_.size() || slots_[brush].kind != Kind::Brush) return true;
        head.push_back(std::int32_t(brush) + 1);
    }
    if (type == EMR_FRAMERGN) {
        head.push_back(r.I16(P + 6));  // width
        head.push_back(r.I16(P + 4));  // height
    }
    writer_->Record(type, head, data);
    return true;
}

}  // namespace platform
