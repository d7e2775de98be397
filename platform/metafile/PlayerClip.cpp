// Clipping: rectangles in logical units, regions in reference-device pixels, all kept as a
// region of output pixels and always inside the target rectangle and the meta region.
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/RegionData.h"

namespace platform {

namespace {

constexpr std::uint32_t RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
constexpr double kRegionLimit = kMaxOutputCoordinate;

}  // namespace

QRegion MetafilePlayer::TargetRegion() const {
    return QRegion(QRect(QPoint(target_.left, target_.top), QPoint(target_.right - 1, target_.bottom - 1)));
}

void MetafilePlayer::ApplyClip() {
    clipDirty_ = false;
    QRegion area = TargetRegion();
    if (state_.metaRegion) area = area.intersected(*state_.metaRegion);
    painter_.setClipRegion(state_.clip ? area.intersected(*state_.clip) : area);
}

void MetafilePlayer::CombineClip(const QRegion& region, std::uint32_t mode) {
    const QRegion current = state_.clip ? *state_.clip : TargetRegion();
    switch (mode) {
    case RGN_AND: state_.clip = current.intersected(region); break;
    case RGN_OR: state_.clip = current.united(region); break;
    case RGN_XOR: state_.clip = current.xored(region); break;
    case RGN_DIFF: state_.clip = current.subtracted(region); break;
    case RGN_COPY: state_.clip = region; break;
    default: return;
    }
    clipDirty_ = true;
}

void MetafilePlayer::OffsetClip(std::int32_t dx, std::int32_t dy) {
    if (!state_.clip) return;
    const QTransform t = LogicalToOutput();
    const QPointF d = t.map(QPointF(dx, dy)) - t.map(QPointF(0, 0));
    if (std::isfinite(d.x()) && std::isfinite(d.y()) && std::abs(d.x()) < kRegionLimit &&
        std::abs(d.y()) < kRegionLimit)
        state_.clip->translate(int(std::lround(d.x())), int(std::lround(d.y())));
    clipDirty_ = true;
}

// Without region data only a copy means anything: it removes the clip.
void MetafilePlayer::ExtSelectClipRgn(const EmrExtSelectClipRgn& record) {
    if (!record.rgnData.empty()) {
        CombineClip(RegionFromData(RecordReader(record.rgnData), fit_), record.mode);
    } else if (record.mode == RGN_COPY) {
        state_.clip.reset();
        clipDirty_ = true;
    }
}

bool MetafilePlayer::PlayClipRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_INTERSECTCLIPRECT:
    case EMR_EXCLUDECLIPRECT: {
        const RECT c = BoxRecord::FromEmf(r).box;
        const QRegion region =
            RegionOf(QRectF(QPointF(c.left, c.top), QPointF(c.right, c.bottom)).normalized(), LogicalToOutput());
        CombineClip(region, r.Type() == EMR_INTERSECTCLIPRECT ? RGN_AND : RGN_DIFF);
        return true;
    }
    case EMR_OFFSETCLIPRGN: {
        const POINT offset = PointRecord::FromEmf(r).point;
        OffsetClip(offset.x, offset.y);
        return true;
    }
    case EMR_EXTSELECTCLIPRGN: ExtSelectClipRgn(EmrExtSelectClipRgn::Read(r)); return true;
    case EMR_SETMETARGN:
        // The clip narrows the meta region for good and is itself reset.
        if (state_.clip)
            state_.metaRegion = state_.metaRegion ? state_.metaRegion->intersected(*state_.clip) : *state_.clip;
        state_.clip.reset();
        clipDirty_ = true;
        return true;
    default: return false;
    }
}

}  // namespace platform
