// Windows-metafile region drawing: the region object's rectangles carried inside the enhanced
// region records, its brush by the enhanced index of the brush's slot.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/RegionRects.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"

namespace platform {

bool WmfConverter::ConvertRegion(const RecordReader& r, std::uint16_t function) {
    const std::uint32_t type = EmrFor(kRegionRecords, function);
    if (!type) return false;
    const MetaRegionDraw record = MetaRegionDraw::Read(r);
    if (record.region >= slots_.size() || slots_[record.region].kind != Kind::Region) return true;
    const Slot& region = slots_[record.region];
    // A region without scans is its bounding rectangle.
    const auto data = RegionDataOf(region.rects.empty() ? std::vector<RECT>{region.bounds} : region.rects);
    const RECT& b = region.bounds;
    std::vector<std::int32_t> head{b.left, b.top, b.right, b.bottom, std::int32_t(data.size())};
    if (type == EMR_FILLRGN || type == EMR_FRAMERGN) {
        if (record.brush >= slots_.size() || slots_[record.brush].kind != Kind::Brush) return true;
        head.push_back(std::int32_t(record.brush) + 1);
    }
    if (type == EMR_FRAMERGN) head.insert(head.end(), {record.width, record.height});
    writer_->Record(type, head, data);
    return true;
}

}  // namespace platform
