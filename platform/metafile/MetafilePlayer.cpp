// The record loop, the fit of the picture frame to the target, and the state records.
#include "platform/metafile/MetafilePlayer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

MetafilePlayer::MetafilePlayer(QImage& image, const EnhMetaFile& emf, const RECT& rect)
    : image_(image), bytes_(emf.Bytes()) {
    const ENHMETAHEADER header = HeaderOf(emf);
    SetupFit(header, rect);
    objects_.resize(std::clamp<std::size_t>(header.nHandles, 1, kMaxObjects));
    state_.pen = std::get<std::shared_ptr<const MetaPen>>(StockObject(0x80000007));
    state_.brush = std::get<std::shared_ptr<const MetaBrush>>(StockObject(0x80000000));
    state_.font = std::get<std::shared_ptr<const MetaFont>>(StockObject(0x8000000D));
}

void MetafilePlayer::SetupFit(const ENHMETAHEADER& header, const RECT& rect) {
    const ReferenceFrame f = ReferenceFrameOf(header);
    pixelsPerMm_ = QPointF(f.pixelsPerMmX, f.pixelsPerMmY);
    const QRectF frame(QPointF(f.left, f.top), QPointF(f.right, f.bottom));
    // The target is inclusive: a picture drawn into (0, 0)-(99, 49) covers 100 x 50 pixels.
    target_ = RECT{std::min(rect.left, rect.right), std::min(rect.top, rect.bottom),
                   std::max(rect.left, rect.right) + 1, std::max(rect.top, rect.bottom) + 1};
    const double sx = double(rect.right + 1 - rect.left) / frame.width();
    const double sy = double(rect.bottom + 1 - rect.top) / frame.height();
    fit_ = QTransform(sx, 0, 0, sy, rect.left - frame.left() * sx, rect.top - frame.top() * sy);
}

void MetafilePlayer::Play() {
    if (!painter_.begin(&image_)) return;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, false);
    std::size_t pos = 0;
    while (bytes_.size() - pos >= 8) {
        const RecordReader head(bytes_.subspan(pos, 8));
        const std::uint32_t size = head.U32(4);
        if (size < 8 || size % 4 != 0 || size > bytes_.size() - pos) break;
        const RecordReader record(bytes_.subspan(pos, size));
        if (record.Type() == EMR_EOF) break;
        try {
            PlayRecord(record);
        } catch (const BadRecord&) {
            // A damaged record is skipped whole; the records after it still play.
        }
        pos += size;
    }
    painter_.end();
    if (bitmaps_.Exhausted())
        std::fprintf(stderr, "Metafile bitmaps beyond %llu decoded pixels were skipped\n",
                     static_cast<unsigned long long>(kMaxFileBitmapPixels));
}

void MetafilePlayer::PlayRecord(const RecordReader& r) {
    if (clipDirty_) ApplyClip();
    PlayStateRecord(r) || PlayMappingRecord(r) || PlayObjectRecord(r) || PlayPenAndBrushRecord(r) ||
        PlayShapeRecord(r) || PlayPolyRecord(r) || PlayPathRecord(r) || PlayClipRecord(r) || PlayTextRecord(r) ||
        PlayBitmapRecord(r) || PlayRegionRecord(r);
}

bool MetafilePlayer::PlayStateRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_SETBKMODE: state_.bkMode = int(EmrSetValue::Read(r).value); return true;
    case EMR_SETPOLYFILLMODE: state_.polyFillMode = int(EmrSetValue::Read(r).value); return true;
    case EMR_SETROP2: state_.rop2 = int(EmrSetValue::Read(r).value); return true;
    case EMR_SETSTRETCHBLTMODE: state_.stretchMode = int(EmrSetValue::Read(r).value); return true;
    case EMR_SETTEXTALIGN: state_.textAlign = EmrSetValue::Read(r).value; return true;
    case EMR_SETTEXTCOLOR: state_.textColor = EmrSetValue::Read(r).value; return true;
    case EMR_SETBKCOLOR: state_.bkColor = EmrSetValue::Read(r).value; return true;
    case EMR_SETARCDIRECTION: state_.arcDirection = int(EmrSetValue::Read(r).value); return true;
    case EMR_MOVETOEX: {
        const POINT p = PointRecord::FromEmf(r).point;
        state_.position = QPointF(p.x, p.y);
        if (recording_) StartFigure();
        return true;
    }
    case EMR_SAVEDC:
        if (saved_.size() < kMaxSaveDepth) saved_.push_back(state_);
        return true;
    case EMR_RESTOREDC: RestoreDc(EmrRestoreDc::Read(r)); return true;
    default: return false;
    }
}

void MetafilePlayer::RestoreDc(const EmrRestoreDc& record) {
    const auto keep = RestoredSave(record.value, saved_.size());
    if (!keep) return;
    state_ = saved_[*keep];
    saved_.resize(*keep);
    clipDirty_ = true;
}

}  // namespace platform
