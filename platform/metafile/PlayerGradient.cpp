// GradientFill: rectangles shaded along one axis; triangles filled with the mean of their corners.
#include <QLinearGradient>

#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t GRADIENT_FILL_RECT_H = 0, GRADIENT_FILL_RECT_V = 1, GRADIENT_FILL_TRIANGLE = 2;

struct Vertex {
    QPointF point;
    QColor color;
};

// The colour is the high byte of each 16-bit component.
Vertex VertexOf(const TriVertex& v) {
    return Vertex{QPointF(v.point.x, v.point.y), QColor(v.red >> 8, v.green >> 8, v.blue >> 8)};
}

// A triangle in the mean of its corners' colours.
QBrush TriangleFill(const std::vector<Vertex>& corners, QPainterPath& area) {
    area.addPolygon(QPolygonF({corners[0].point, corners[1].point, corners[2].point}));
    return QColor((corners[0].color.red() + corners[1].color.red() + corners[2].color.red()) / 3,
                  (corners[0].color.green() + corners[1].color.green() + corners[2].color.green()) / 3,
                  (corners[0].color.blue() + corners[1].color.blue() + corners[2].color.blue()) / 3);
}

// A rectangle shaded from its first corner's colour to its second's, across or down.
QBrush RectangleFill(const std::vector<Vertex>& corners, bool across, const QTransform& t, QPainterPath& area) {
    area.addRect(QRectF(corners[0].point, corners[1].point).normalized());
    const QPointF a = t.map(corners[0].point);
    const QPointF b = t.map(across ? QPointF(corners[1].point.x(), corners[0].point.y())
                                   : QPointF(corners[0].point.x(), corners[1].point.y()));
    QLinearGradient gradient(a, b);
    gradient.setColorAt(0, corners[0].color);
    gradient.setColorAt(1, corners[1].color);
    return gradient;
}

}  // namespace

void MetafilePlayer::DrawGradient(const EmrGradientFill& record) {
    const std::uint32_t mode = record.mode;
    if (mode != GRADIENT_FILL_TRIANGLE && mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V) return;
    const QTransform t = LogicalToOutput();
    const std::size_t per = record.CornersPerItem();
    for (std::size_t i = 0; i + per <= record.corners.size(); i += per) {
        std::vector<Vertex> corners;
        for (std::size_t k = 0; k < per; ++k) corners.push_back(VertexOf(record.vertices[record.corners[i + k]]));
        QPainterPath area;
        const QBrush brush = mode == GRADIENT_FILL_TRIANGLE
                                 ? TriangleFill(corners, area)
                                 : RectangleFill(corners, mode == GRADIENT_FILL_RECT_H, t, area);
        const QPainterPath output = t.map(area);
        if (recording_ || !Drawable(output)) continue;
        painter_.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter_.fillPath(output, brush);
    }
}

}  // namespace platform
