// Bitmap records: the record's bitmap decoded by our DIB conversion and placed through the
// mapping; records without a bitmap fill their rectangle by the raster operation alone.
#include <cmath>

#include "platform/metafile/DibImage.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"
#include "platform/metafile/EmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t kAlphaBlendRop = 0xFFFFFFFF;  // marks an ALPHABLEND in DrawBitmap
constexpr std::uint32_t AC_SRC_ALPHA = 0x01;

// The raster operations QPainter can carry out between a source and the destination.
QPainter::CompositionMode SourceMode(std::uint32_t rop) {
    switch (rop >> 16 & 0xFF) {
    case 0x88: return QPainter::RasterOp_SourceAndDestination;
    case 0xEE: return QPainter::RasterOp_SourceOrDestination;
    case 0x66: return QPainter::RasterOp_SourceXorDestination;
    case 0x33: return QPainter::RasterOp_NotSource;
    case 0x44: return QPainter::RasterOp_SourceAndNotDestination;
    case 0x11: return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0xBB: return QPainter::RasterOp_NotSourceOrDestination;
    default: return QPainter::CompositionMode_SourceOver;
    }
}

// A negative destination extent mirrors the bitmap; the source rectangle is mirrored with it
// and the destination made normal.
void Unmirror(PartialDib& dib, QRectF& dest, QRectF& from) {
    const bool flipX = dest.width() < 0, flipY = dest.height() < 0;
    if (!flipX && !flipY) return;
    dest = dest.normalized();
    dib.Mirror(flipX, flipY);
    if (flipX) from.moveLeft(dib.size.width() - from.right());
    if (flipY) from.moveTop(dib.size.height() - from.bottom());
}

}  // namespace

void MetafilePlayer::DrawBitmap(const RecordReader& r, const QRectF& logicalDest, const QRectF& source,
                                DibFields fields, std::uint32_t rop, const std::function<void(QImage&)>& prepare,
                                std::uint32_t blendFunction) {
    if (recording_) return;
    PartialDib dib = PartFromRecord(r, fields, state_.textColor, state_.bkColor, bitmaps_);
    if (dib.image.isNull()) return;
    const bool blend = rop == kAlphaBlendRop;
    if (!blend && dib.image.hasAlphaChannel() && dib.area.size() == dib.size)
        dib.image.reinterpretAsFormat(QImage::Format_RGB32);
    if (prepare) prepare(dib.image);
    QRectF dest = logicalDest;
    QRectF from = source.width() > 0 && source.height() > 0 ? source : QRectF(QPointF(0, 0), QSizeF(dib.size));
    Unmirror(dib, dest, from);
    // Only the part of the source inside the decoded bitmap is drawn, at its place in the destination.
    QRectF inside = from.intersected(QRectF(dib.area));
    if (inside.isEmpty() || dest.isEmpty()) return;
    const double fx = dest.width() / from.width(), fy = dest.height() / from.height();
    dest = QRectF(dest.left() + (inside.left() - from.left()) * fx, dest.top() + (inside.top() - from.top()) * fy,
                  inside.width() * fx, inside.height() * fy);
    QPainterPath outline;
    outline.addRect(dest);
    if (!Drawable(LogicalToOutput().map(outline))) return;
    painter_.save();
    if (PlaceBitmap(dib, dest, inside)) PaintBitmap(dib, dest, inside, rop, blendFunction);
    painter_.restore();
}

// Axis-kept mappings are resolved here: the painter gets only the visible part, in output
// pixels, which also spares it scaling pixels that fall outside the target. A mapping that turns
// an axis over mirrors the bitmap. Other mappings go to the painter. False when nothing shows.
bool MetafilePlayer::PlaceBitmap(PartialDib& dib, QRectF& dest, QRectF& inside) {
    const QTransform t = LogicalToOutput();
    if (t.m12() != 0 || t.m21() != 0) {
        painter_.setTransform(t);
        return true;
    }
    const bool flipX = t.m11() < 0, flipY = t.m22() < 0;
    dib.Mirror(flipX, flipY);
    if (flipX) inside.moveLeft(dib.size.width() - inside.right());
    if (flipY) inside.moveTop(dib.size.height() - inside.bottom());
    const QRectF out = t.mapRect(dest);
    const QRectF visible = out.intersected(QRectF(TargetRegion().boundingRect()));
    if (visible.isEmpty()) return false;
    const double sx = inside.width() / out.width(), sy = inside.height() / out.height();
    inside = QRectF(inside.left() + (visible.left() - out.left()) * sx, inside.top() + (visible.top() - out.top()) * sy,
                    visible.width() * sx, visible.height() * sy);
    dest = visible;
    return true;
}

void MetafilePlayer::PaintBitmap(PartialDib& dib, const QRectF& dest, const QRectF& inside, std::uint32_t rop,
                                 std::uint32_t blendFunction) {
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, state_.stretchMode == HALFTONE);
    if (rop == kAlphaBlendRop) {
        painter_.setOpacity(((blendFunction >> 16) & 0xFF) / 255.0);
        if (!((blendFunction >> 24) & AC_SRC_ALPHA)) dib.image.reinterpretAsFormat(QImage::Format_RGB32);
    } else {
        painter_.setCompositionMode(SourceMode(rop));
    }
    painter_.drawImage(dest, dib.image, inside.translated(-QPointF(dib.area.topLeft())));
    clipDirty_ = true;
}

namespace {

// TransparentBlt: pixels of the key colour are not drawn.
std::function<void(QImage&)> ColourKey(COLORREF key) {
    return [key](QImage& image) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb rgb = qRgb(GetRValue(key), GetGValue(key), GetBValue(key));
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((row[x] | 0xFF000000u) == rgb) row[x] = 0;
        }
    };
}

// MaskBlt whose background operation keeps the destination (the usual sprite): where the mask
// is 0 the source is not drawn. Other background operations draw the whole source.
std::function<void(QImage&)> MaskOf(const RecordReader& r, const EmrBlt& b, BitmapBudget& budget) {
    constexpr std::uint32_t kKeepDestination = 0xAA;
    if ((b.rop >> 24) != kKeepDestination) return {};
    const QImage mask = DibFromRecord(r, b.mask, 0x000000, 0xFFFFFF, budget);
    if (mask.isNull()) return {};
    const QPoint offset = MaskOffset(b.xMask, b.yMask, b.xSrc, b.ySrc);
    return [mask, offset](QImage& image) { MaskOut(image, mask, offset); };
}

}  // namespace

// BitBlt without a source: the brush, black, white or the inverted destination.
void MetafilePlayer::FillPattern(const QRectF& logicalDest, std::uint32_t rop) {
    if (recording_) return;
    QPainterPath area;
    area.addRect(logicalDest.normalized());
    const QPainterPath output = LogicalToOutput().map(area);
    if (!Drawable(output)) return;
    painter_.save();
    switch (rop >> 16 & 0xFF) {
    case 0x00: painter_.fillPath(output, Qt::black); break;
    case 0xFF: painter_.fillPath(output, Qt::white); break;
    case 0x55:
        painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter_.fillPath(output, Qt::white);
        break;
    case 0x5A:
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter_.fillPath(output, OutputBrush());
        break;
    case 0xAA: break;  // the destination stays
    default: painter_.fillPath(output, OutputBrush()); break;
    }
    painter_.restore();
    clipDirty_ = true;
}

void MetafilePlayer::Blit(const RecordReader& r) {
    const EmrBlt b = EmrBlt::Read(r);
    const QRectF dest(b.xDest, b.yDest, b.cxDest, b.cyDest);
    const QRectF source(b.xSrc, b.ySrc, b.cxSrc, b.cySrc);
    switch (r.Type()) {
    case EMR_BITBLT:
    case EMR_MASKBLT:
        if (!b.hasBitmap) FillPattern(dest, b.rop);
        else
            DrawBitmap(r, dest, source, b.dib, b.rop & 0xFFFFFF,
                       r.Type() == EMR_MASKBLT ? MaskOf(r, b, bitmaps_) : nullptr);
        return;
    case EMR_STRETCHBLT:
        if (b.hasBitmap) DrawBitmap(r, dest, source, b.dib, b.rop);
        else FillPattern(dest, b.rop);
        return;
    case EMR_ALPHABLEND:
        if (b.hasBitmap) DrawBitmap(r, dest, source, b.dib, kAlphaBlendRop, nullptr, b.rop);
        return;
    default:
        if (b.hasBitmap) DrawBitmap(r, dest, source, b.dib, SRCCOPY, ColourKey(b.rop));
        return;
    }
}

bool MetafilePlayer::PlayBitmapRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_BITBLT:
    case EMR_MASKBLT:
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: Blit(r); return true;
    case EMR_PLGBLT: DrawParallelogram(r); return true;
    case EMR_STRETCHDIBITS: {
        const EmrStretchDibits d = EmrStretchDibits::Read(r);
        DrawBitmap(r, QRectF(d.xDest, d.yDest, d.cxDest, d.cyDest), QRectF(d.xSrc, d.ySrc, d.cxSrc, d.cySrc), d.dib,
                   d.rop);
        return true;
    }
    case EMR_SETDIBITSTODEVICE: {
        const EmrSetDibitsToDevice d = EmrSetDibitsToDevice::Read(r);
        DrawBitmap(r, QRectF(d.xDest, d.yDest, d.cxSrc, d.cySrc), QRectF(d.xSrc, d.ySrc, d.cxSrc, d.cySrc), d.dib,
                   SRCCOPY);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
