// Reading the enhanced state, mapping and clipping records' fields at their offsets.
#include "platform/metafile/EmfStateRecords.h"

#include "platform/metafile/EmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t kRegionHeaderBytes = 32;

XForm ReadXForm(const RecordReader& r, std::size_t at) {
    return XForm{r.F32(at), r.F32(at + 4), r.F32(at + 8), r.F32(at + 12), r.F32(at + 16), r.F32(at + 20)};
}

}  // namespace

std::optional<std::size_t> RestoredSave(std::int32_t level, std::size_t depth) {
    const std::int64_t keep = level < 0 ? std::int64_t(depth) + level : std::int64_t(level) - 1;
    if (keep < 0 || keep >= std::int64_t(depth)) return std::nullopt;
    return std::size_t(keep);
}

EmrModifyWorldTransform EmrModifyWorldTransform::Read(const RecordReader& r) {
    return {ReadXForm(r, 8), r.Type() == EMR_SETWORLDTRANSFORM ? MWT_SET : r.U32(32)};
}

EmrExtSelectClipRgn EmrExtSelectClipRgn::Read(const RecordReader& r) {
    const std::uint32_t size = r.U32(8);
    EmrExtSelectClipRgn c{r.U32(12), {}};
    if (size >= kRegionHeaderBytes) c.rgnData = r.Block(16, size, 1);
    return c;
}

}  // namespace platform
