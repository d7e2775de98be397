// Region records: regions filled with a brush, framed, painted with the current brush or
// inverted. Their rectangles are logical units, as the drawing calls that made them take.
#include <algorithm>
#include <cmath>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/RegionData.h"

namespace platform {

namespace {

constexpr std::uint32_t kStockFlag = 0x80000000u, kWhiteBrush = 0x80000000u;
constexpr int R2_NOT = 6;
// Widest frame stroke, in output pixels; wider strokes cover the whole region anyway.
constexpr double kMaxFrameStroke = 1 << 16;

// The pixels of `region` nearer than (dx, dy) to its outside.
QRegion Border(const QRegion& region, int dx, int dy) {
    QRegion inner = region;
    for (const QPoint shift : {QPoint(dx, 0), QPoint(-dx, 0), QPoint(0, dy), QPoint(0, -dy)})
        inner &= region.translated(shift);
    return region.subtracted(inner);
}

}  // namespace

std::shared_ptr<const MetaBrush> MetafilePlayer::BrushAt(std::uint32_t index) const {
    const MetaObject object = (index & kStockFlag)      ? StockObject(index)
                              : index < objects_.size() ? objects_[index]
                                                        : MetaObject{};
    const auto* brush = std::get_if<std::shared_ptr<const MetaBrush>>(&object);
    return brush ? *brush : nullptr;
}

void MetafilePlayer::FillRegion(const QRegion& region, std::shared_ptr<const MetaBrush> brush, int rop2) {
    if (!brush || region.isEmpty()) return;
    QPainterPath area;
    area.addRegion(region);
    std::swap(state_.brush, brush);
    std::swap(state_.rop2, rop2);
    FillOutput(area);
    std::swap(state_.brush, brush);
    std::swap(state_.rop2, rop2);
}

// The stroke of a frame: a logical length along one axis, in whole output pixels, at least one.
int MetafilePlayer::OutputStroke(std::int32_t logical, bool vertical) const {
    const QTransform t = LogicalToOutput();
    const QPointF along = vertical ? QPointF(0, logical) : QPointF(logical, 0);
    const double length = QLineF(t.map(QPointF(0, 0)), t.map(along)).length();
    if (!std::isfinite(length)) return 1;
    return int(std::clamp(std::round(length), 1.0, kMaxFrameStroke));
}

bool MetafilePlayer::PlayRegionRecord(const RecordReader& r) {
    const std::uint32_t type = r.Type();
    if (type == EMR_EXTFLOODFILL) {
        FloodFill(FloodFillRecord::FromEmf(r));
        return true;
    }
    if (type < EMR_FILLRGN || type > EMR_PAINTRGN) return false;
    const EmrRegion record = EmrRegion::Read(r);
    const QRegion region = RegionFromData(RecordReader(record.rgnData), LogicalToOutput());
    switch (type) {
    case EMR_FILLRGN: FillRegion(region, BrushAt(record.ihBrush), R2_COPYPEN); break;
    case EMR_FRAMERGN:
        FillRegion(Border(region, OutputStroke(record.width, false), OutputStroke(record.height, true)),
                   BrushAt(record.ihBrush), R2_COPYPEN);
        break;
    case EMR_INVERTRGN: FillRegion(region, BrushAt(kWhiteBrush), R2_NOT); break;
    default: FillRegion(region, state_.brush, state_.rop2); break;
    }
    return true;
}

}  // namespace platform
