// Path brackets: drawing collected into a path, then filled, stroked or made the clip.
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

#include <QPainterPathStroker>

namespace platform {

void MetafilePlayer::StartFigure() {
    if (path_.elementCount() >= kMaxPathElements) return;
    path_.moveTo(LogicalToOutput().map(state_.position));
    figureOpen_ = true;
}

// Lines and curves that start at the current position continue the open figure; every other
// shape is a figure of its own.
void MetafilePlayer::AddToPath(const QPainterPath& logical, bool continues) {
    if (path_.elementCount() >= kMaxPathElements) return;
    const QPainterPath output = LogicalToOutput().map(logical);
    if (continues && figureOpen_ && !path_.isEmpty()) {
        path_.connectPath(output);
    } else {
        path_.addPath(output);
    }
    figureOpen_ = continues;
}

void MetafilePlayer::WidenPath() {
    QPainterPathStroker stroker(OutputPen());
    stroker.setWidth(std::max(1.0, OutputPen().widthF()));
    path_ = stroker.createStroke(path_);
}

void MetafilePlayer::SelectClipPath(std::uint32_t mode) {
    QPainterPath filled = path_;
    filled.setFillRule(state_.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    if (Drawable(filled)) CombineClip(QRegion(filled.toFillPolygon().toPolygon(), filled.fillRule()), mode);
    EndPathUse();
}

bool MetafilePlayer::PlayPathRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_BEGINPATH:
        path_ = QPainterPath();
        recording_ = true;
        figureOpen_ = false;
        return true;
    case EMR_ENDPATH: recording_ = false; return true;
    case EMR_CLOSEFIGURE:
        path_.closeSubpath();
        figureOpen_ = false;
        return true;
    case EMR_FILLPATH:
        FillOutput(path_);
        EndPathUse();
        return true;
    case EMR_STROKEANDFILLPATH:
        FillOutput(path_);
        StrokeOutput(path_);
        EndPathUse();
        return true;
    case EMR_STROKEPATH:
        StrokeOutput(path_);
        EndPathUse();
        return true;
    case EMR_FLATTENPATH: return true;  // curves stay curves: the painter flattens them itself
    case EMR_WIDENPATH: WidenPath(); return true;
    case EMR_SELECTCLIPPATH: SelectClipPath(EmrSetValue::Read(r).value); return true;
    case EMR_ABORTPATH: EndPathUse(); return true;
    default: return false;
    }
}

}  // namespace platform
