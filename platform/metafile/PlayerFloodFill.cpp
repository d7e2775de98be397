// ExtFloodFill over the pixels already drawn: from the start pixel, the 4-connected area either
// bounded by the given colour or made of it is filled with the current brush. The fill never
// leaves the clip's bounds, which lie inside the picture, so it touches at most its pixels.
#include <cmath>
#include <vector>

#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t FLOODFILLSURFACE = 1;

// The pixels of `box` reached from `start` through pixels for which `inside` holds, one byte
// each, row by row over the box.
template <class Inside>
std::vector<std::uint8_t> Reached(const QRect& box, QPoint start, const Inside& inside) {
    std::vector<std::uint8_t> reached(std::size_t(box.width()) * std::size_t(box.height()), 0);
    const auto at = [&](int x, int y) -> std::uint8_t& {
        return reached[std::size_t(y - box.top()) * std::size_t(box.width()) + std::size_t(x - box.left())];
    };
    const auto open = [&](int x, int y) { return !at(x, y) && inside(x, y); };
    std::vector<QPoint> seeds{start};
    while (!seeds.empty()) {
        const QPoint p = seeds.back();
        seeds.pop_back();
        if (!open(p.x(), p.y())) continue;
        int left = p.x(), right = p.x();
        while (left > box.left() && open(left - 1, p.y())) --left;
        while (right < box.right() && open(right + 1, p.y())) ++right;
        for (int x = left; x <= right; ++x) at(x, p.y()) = 1;
        // One seed per run of open pixels in the rows above and below.
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < box.top() || y > box.bottom()) continue;
            bool run = false;
            for (int x = left; x <= right; ++x) {
                const bool reachable = open(x, y);
                if (reachable && !run) seeds.emplace_back(x, y);
                run = reachable;
            }
        }
    }
    return reached;
}

}  // namespace

// The brush laid over the box, then cleared where the fill did not reach.
QImage MetafilePlayer::FillImage(const QRect& box, const QBrush& brush,
                                 const std::vector<std::uint8_t>& reached) const {
    QImage fill(box.size(), QImage::Format_ARGB32_Premultiplied);
    fill.fill(Qt::transparent);
    {
        QPainter paint(&fill);
        paint.setBrushOrigin(-box.topLeft());
        if (state_.brush->style == BS_HATCHED && state_.bkMode == OPAQUE)
            paint.fillRect(fill.rect(), ToColor(state_.bkColor));
        paint.fillRect(fill.rect(), brush);
    }
    for (int y = 0; y < box.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(fill.scanLine(y));
        for (int x = 0; x < box.width(); ++x)
            if (!reached[std::size_t(y) * std::size_t(box.width()) + std::size_t(x)]) row[x] = 0;
    }
    return fill;
}

void MetafilePlayer::FloodFill(const FloodFillRecord& record) {
    if (recording_) return;
    const POINT p = record.start;
    const QRgb color = ToColor(record.color).rgb() & 0xFFFFFFu;
    const bool surface = record.mode == FLOODFILLSURFACE;
    const QPointF output = LogicalToOutput().map(QPointF(p.x, p.y));
    const QRegion clip = painter_.clipRegion();
    const QRect box = clip.boundingRect().intersected(image_.rect());
    for (const double v : {output.x(), output.y()})
        if (!std::isfinite(v) || std::abs(v) > kMaxOutputCoordinate) return;
    const QPoint start(int(std::floor(output.x())), int(std::floor(output.y())));
    if (!box.contains(start) || !clip.contains(start)) return;
    const QBrush brush = OutputBrush();
    if (brush.style() == Qt::NoBrush) return;
    // The player's surfaces have 32-bit pixels, read in place; other images are read pixel by pixel.
    const bool direct = image_.depth() == 32;
    const std::uint8_t* bits = image_.constBits();
    const std::size_t stride = std::size_t(image_.bytesPerLine());
    const auto inside = [&](int x, int y) {
        const QRgb pixel =
            direct ? reinterpret_cast<const QRgb*>(bits + std::size_t(y) * stride)[x] : image_.pixel(x, y);
        return ((pixel & 0xFFFFFFu) == color) == surface;
    };
    const std::vector<std::uint8_t> reached = Reached(box, start, inside);
    const QImage fill = FillImage(box, brush, reached);
    painter_.save();
    painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter_.drawImage(box.topLeft(), fill);
    painter_.restore();
    clipDirty_ = true;
}

}  // namespace platform
