// Bitmap records: the record's bitmap decoded by our DIB conversion and placed through the
// mapping; records without a bitmap fill their rectangle by the raster operation alone.
#include <cmath>

#include "platform/metafile/DibImage.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t EMR_BITBLT = 76, EMR_STRETCHBLT = 77, EMR_MASKBLT = 78, EMR_PLGBLT = 79,
                        EMR_SETDIBITSTODEVICE = 80, EMR_STRETCHDIBITS = 81, EMR_ALPHABLEND = 114,
                        EMR_TRANSPARENTBLT = 116;
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

QRectF DestRect(const RecordReader& r, std::size_t at, std::size_t sizeAt) {
    return QRectF(r.I32(at), r.I32(at + 4), r.I32(sizeAt), r.I32(sizeAt + 4));
}

}  // namespace

void MetafilePlayer::DrawBitmap(const RecordReader& r, const QRectF& logicalDest, const QRectF& source,
                                std::size_t blockAt, std::uint32_t rop, const std::function<void(QImage&)>& prepare) {
    if (recording_) return;
    PartialDib dib = PartFromRecord(r, DibFields{blockAt}, state_.textColor, state_.bkColor, bitmaps_);
    if (dib.image.isNull()) return;
    const bool blend = rop == kAlphaBlendRop;
    if (!blend && dib.image.hasAlphaChannel() && dib.area.size() == dib.size)
        dib.image.reinterpretAsFormat(QImage::Format_RGB32);
    if (prepare) prepare(dib.image);
    QRectF dest = logicalDest;
    QRectF from = source.width() > 0 && source.height() > 0 ? source : QRectF(QPointF(0, 0), QSizeF(dib.size));
    if (dest.width() < 0 || dest.height() < 0) {
        // Mirror the whole bitmap, then take the mirrored source rectangle.
        const bool flipX = dest.width() < 0, flipY = dest.height() < 0;
        dest = dest.normalized();
        dib.Mirror(flipX, flipY);
        if (flipX) from.moveLeft(dib.size.width() - from.right());
        if (flipY) from.moveTop(dib.size.height() - from.bottom());
    }
    // Only the part of the source inside the decoded bitmap is drawn, at its place in the destination.
    QRectF inside = from.intersected(QRectF(dib.area));
    if (inside.isEmpty() || dest.isEmpty()) return;
    const double fx = dest.width() / from.width(), fy = dest.height() / from.height();
    dest = QRectF(dest.left() + (inside.left() - from.left()) * fx, dest.top() + (inside.top() - from.top()) * fy,
                  inside.width() * fx, inside.height() * fy);
    const QTransform t = LogicalToOutput();
    QPainterPath outline;
    outline.addRect(dest);
    if (!Drawable(t.map(outline))) return;
    painter_.save();
    if (t.m12() == 0 && t.m21() == 0) {
        // Axis-kept mappings are resolved here: the painter gets only the visible part, in
        // output pixels, which also spares it scaling pixels that fall outside the target.
        // A mapping that turns an axis over mirrors the bitmap.
        const bool flipX = t.m11() < 0, flipY = t.m22() < 0;
        dib.Mirror(flipX, flipY);
        if (flipX) inside.moveLeft(dib.size.width() - inside.right());
        if (flipY) inside.moveTop(dib.size.height() - inside.bottom());
        const QRectF out = t.mapRect(dest);
        const QRectF visible = out.intersected(QRectF(TargetRegion().boundingRect()));
        if (visible.isEmpty()) {
            painter_.restore();
            return;
        }
        const double sx = inside.width() / out.width(), sy = inside.height() / out.height();
        const QRectF part(inside.left() + (visible.left() - out.left()) * sx,
                          inside.top() + (visible.top() - out.top()) * sy, visible.width() * sx, visible.height() * sy);
        dest = visible;
        inside = part;
    } else {
        painter_.setTransform(t);
    }
    painter_.setRenderHint(QPainter::SmoothPixmapTransform, state_.stretchMode == HALFTONE);
    if (blend) {
        const std::uint32_t function = r.U32(40);
        painter_.setOpacity(((function >> 16) & 0xFF) / 255.0);
        if (!((function >> 24) & AC_SRC_ALPHA)) dib.image.reinterpretAsFormat(QImage::Format_RGB32);
    } else {
        painter_.setCompositionMode(SourceMode(rop));
    }
    painter_.drawImage(dest, dib.image, inside.translated(-QPointF(dib.area.topLeft())));
    painter_.restore();
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
std::function<void(QImage&)> MaskOf(const RecordReader& r, BitmapBudget& budget) {
    constexpr std::uint32_t kKeepDestination = 0xAA;
    if ((r.U32(40) >> 24) != kKeepDestination) return {};
    const QImage mask = DibFromRecord(r, DibFields{112}, 0x000000, 0xFFFFFF, budget);
    if (mask.isNull()) return {};
    const QPoint offset = MaskOffset(r.I32(100), r.I32(104), r.I32(44), r.I32(48));
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

bool MetafilePlayer::PlayBitmapRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_BITBLT:
    case EMR_MASKBLT: {
        const QRectF dest = DestRect(r, 24, 32);
        const auto mask = r.Type() == EMR_MASKBLT ? MaskOf(r, bitmaps_) : std::function<void(QImage&)>{};
        if (r.U32(88) == 0) FillPattern(dest, r.U32(40));
        else
            DrawBitmap(r, dest, QRectF(r.I32(44), r.I32(48), dest.width(), dest.height()), 84, r.U32(40) & 0xFFFFFF,
                       mask);
        return true;
    }
    case EMR_STRETCHBLT:
    case EMR_ALPHABLEND:
    case EMR_TRANSPARENTBLT: {
        const QRectF dest = DestRect(r, 24, 32);
        const QRectF source(r.I32(44), r.I32(48), r.I32(100), r.I32(104));
        const std::uint32_t op = r.Type() == EMR_STRETCHBLT   ? r.U32(40)
                                 : r.Type() == EMR_ALPHABLEND ? kAlphaBlendRop
                                                              : SRCCOPY;
        if (r.U32(88) != 0)
            DrawBitmap(r, dest, source, 84, op, r.Type() == EMR_TRANSPARENTBLT ? ColourKey(r.U32(40)) : nullptr);
        else if (r.Type() == EMR_STRETCHBLT) FillPattern(dest, op);
        return true;
    }
    case EMR_PLGBLT: DrawParallelogram(r); return true;
    case EMR_STRETCHDIBITS: {
        const QRectF dest(r.I32(24), r.I32(28), r.I32(72), r.I32(76));
        DrawBitmap(r, dest, QRectF(r.I32(32), r.I32(36), r.I32(40), r.I32(44)), 48, r.U32(68));
        return true;
    }
    case EMR_SETDIBITSTODEVICE: {
        const QRectF dest(r.I32(24), r.I32(28), r.I32(40), r.I32(44));
        DrawBitmap(r, dest, QRectF(r.I32(32), r.I32(36), r.I32(40), r.I32(44)), 48, SRCCOPY);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
