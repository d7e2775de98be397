// Enhanced region records back to Windows metafiles: the rectangles become a region object of
// one scan each, in a slot taken for the one record, drawn, and deleted again.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/RegionRects.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t kStockFlag = 0x80000000u;
// The enhanced index the record's own region is kept under; enhanced objects never use 0.
constexpr std::uint32_t kRecordRegion = 0;
constexpr std::int32_t kRegionObjectType = 6, kRegionHeaderBytes = 22, kScanBytes = 12, kScanPoints = 2;

// The region object: chain, type, object count, size, scan count, largest scan, bounds, scans.
std::vector<std::int32_t> RegionObject(const std::vector<RECT>& rects) {
    const RECT b = BoundsOf(rects);
    const auto count = std::int32_t(rects.size());
    std::vector<std::int32_t> words{0,
                                    kRegionObjectType,
                                    0,
                                    0,
                                    kRegionHeaderBytes + kScanBytes * count,
                                    count,
                                    kScanPoints,
                                    Clamp16(b.left),
                                    Clamp16(b.top),
                                    Clamp16(b.right),
                                    Clamp16(b.bottom)};
    for (const RECT& c : rects)
        for (std::int32_t w : {kScanPoints, std::int32_t(Clamp16(c.top)), std::int32_t(Clamp16(c.bottom)),
                               std::int32_t(Clamp16(c.left)), std::int32_t(Clamp16(c.right)), kScanPoints})
            words.push_back(w);
    return words;
}

}  // namespace

std::optional<std::uint16_t> EmfToWmf::SlotOf(std::uint32_t emfIndex) const {
    const auto& table = (emfIndex & kStockFlag) ? stockSlot_ : slotOf_;
    const auto it = table.find(emfIndex);
    if (it == table.end()) return std::nullopt;
    return it->second;
}

bool EmfToWmf::ConvertRegion(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    const std::uint16_t meta = MetaFor(kRegionRecords, type);
    if (!meta) return false;
    const EmrRegion record = EmrRegion::Read(r);
    const std::vector<RECT> rects = RegionRects(RecordReader(record.rgnData));
    if (rects.empty()) return true;
    const bool brushed = type == EMR_FILLRGN || type == EMR_FRAMERGN;
    const auto brush = brushed ? SlotOf(record.ihBrush) : std::nullopt;
    if (brushed && !brush) return true;
    const auto slot = NewSlot(kRecordRegion);
    if (!slot) return true;
    writer_.Record(META_CREATEREGION, RegionObject(rects));
    // Read through value_or: GCC's optimiser cannot see that a brushed record always has a brush here.
    const std::uint16_t brushSlot = brush.value_or(0);
    if (type == EMR_FRAMERGN) writer_.Record(meta, {*slot, brushSlot, Clamp16(record.height), Clamp16(record.width)});
    else if (brushed) writer_.Record(meta, {*slot, brushSlot});
    else writer_.Record(meta, {*slot});
    Delete(kRecordRegion);
    return true;
}

}  // namespace platform
