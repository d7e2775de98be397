// GradientFill: rectangles shaded along one axis; triangles filled with the mean of their corners.
#include <QLinearGradient>

#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2;
constexpr std::size_t kVertexBytes = 16;
constexpr std::uint32_t kMaxGradientItems = 1u << 16;

struct Vertex {
    QPointF point;
    QColor color;
};

// x, y, then red, green and blue as 16-bit values whose high byte is the colour.
Vertex ReadVertex(const RecordReader& r, std::size_t at) {
    return Vertex{QPointF(r.I32(at), r.I32(at + 4)),
                  QColor(r.U16(at + 8) >> 8, r.U16(at + 10) >> 8, r.U16(at + 12) >> 8)};
}

}  // namespace

void MetafilePlayer::DrawGradient(const RecordReader& r) {
    const std::uint32_t vertices = r.U32(24), items = std::min(r.U32(28), kMaxGradientItems), mode = r.U32(32);
    r.Block(36, vertices, kVertexBytes);
    const std::size_t itemsAt = 36 + std::size_t(vertices) * kVertexBytes;
    const std::size_t itemSize = mode == GRADIENT_FILL_TRIANGLE ? 12 : 8;
    const QTransform t = LogicalToOutput();
    for (std::uint32_t i = 0; i < items; ++i) {
        std::vector<Vertex> corners;
        for (std::size_t k = 0; k < itemSize / 4; ++k) {
            const std::uint32_t index = r.U32(itemsAt + i * itemSize + 4 * k);
            if (index >= vertices) throw BadRecord();
            corners.push_back(ReadVertex(r, 36 + std::size_t(index) * kVertexBytes));
        }
        QPainterPath area;
        QBrush brush;
        if (mode == GRADIENT_FILL_TRIANGLE) {
            area.addPolygon(QPolygonF({corners[0].point, corners[1].point, corners[2].point}));
            brush = QColor((corners[0].color.red() + corners[1].color.red() + corners[2].color.red()) / 3,
                           (corners[0].color.green() + corners[1].color.green() + corners[2].color.green()) / 3,
                           (corners[0].color.blue() + corners[1].color.blue() + corners[2].color.blue()) / 3);
        } else if (mode == GRADIENT_FILL_RECT_H || mode == GRADIENT_FILL_RECT_V) {
            const QRectF box = QRectF(corners[0].point, corners[1].point).normalized();
            area.addRect(box);
            const QPointF a = t.map(corners[0].point);
            const QPointF b = t.map(mode == GRADIENT_FILL_RECT_H ? QPointF(corners[1].point.x(), corners[0].point.y())
                                                                 : QPointF(corners[0].point.x(), corners[1].point.y()));
            QLinearGradient gradient(a, b);
            gradient.setColorAt(0, corners[0].color);
            gradient.setColorAt(1, corners[1].color);
            brush = gradient;
        } else {
            return;
        }
        const QPainterPath output = t.map(area);
        if (recording_ || !Drawable(output)) continue;
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_.fillPath(output, brush);
    }
}

}  // namespace platform
