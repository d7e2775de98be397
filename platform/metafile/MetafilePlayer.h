#pragma once
// Our interpreter of enhanced-metafile records. It draws into a 32-bit image with QPainter,
// antialiasing off; the frame of the picture is fitted to the target rectangle.
//
// Records are grouped by family in files named for it (state, mapping, objects, pens and
// brushes, shapes, paths, clipping, regions, text, bitmaps); README.md beside this file is the
// map. A record that is damaged or unknown is skipped; playback goes on.

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "platform/metafile/DibImage.h"
#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/EnhMetaFile.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/PlaybackState.h"
#include "platform/metafile/RecordPairs.h"
#include "platform/metafile/RecordReader.h"

namespace platform {

struct TextRun;
struct TextLayout;

class MetafilePlayer {
public:
    // `rect` is inclusive, in pixels of `image`.
    MetafilePlayer(QImage& image, const EnhMetaFile& emf, const RECT& rect);
    void Play();

private:
    void PlayRecord(const RecordReader& r);
    bool PlayStateRecord(const RecordReader& r);
    bool PlayMappingRecord(const RecordReader& r);
    bool PlayObjectRecord(const RecordReader& r);
    bool PlayPenAndBrushRecord(const RecordReader& r);
    bool PlayShapeRecord(const RecordReader& r);
    bool PlayPolyRecord(const RecordReader& r);
    bool PlayPathRecord(const RecordReader& r);
    bool PlayClipRecord(const RecordReader& r);
    bool PlayTextRecord(const RecordReader& r);
    bool PlayBitmapRecord(const RecordReader& r);
    bool PlayRegionRecord(const RecordReader& r);
    void RestoreDc(const EmrRestoreDc& record);

    // Mapping: logical units to output pixels, and the parts of it.
    void SetupFit(const ENHMETAHEADER& header, const RECT& rect);
    QTransform PageToDevice() const;
    QTransform LogicalToOutput() const { return state_.world * PageToDevice() * fit_; }
    double OutputScale() const;  // output pixels per logical unit, averaged over the axes

    // Objects.
    void CreateObject(std::uint32_t index, MetaObject object);
    void SelectObject(std::uint32_t index);
    void DeleteObject(std::uint32_t index);
    void CreateDibBrush(const EmrCreateDibPatternBrush& record, const RecordReader& r);
    // The brush at an object index or a stock index; none when the index holds no brush.
    std::shared_ptr<const MetaBrush> BrushAt(std::uint32_t index) const;

    // Drawing.
    QColor ToColor(COLORREF color) const;
    QPen OutputPen() const;
    QBrush OutputBrush() const;
    void ApplyRop2();
    bool Drawable(const QPainterPath& output) const;
    // Fills and outlines a shape given in logical units, or adds it to the open path.
    void DrawShape(const QPainterPath& logical, bool fill, bool stroke, bool continues = false);
    void FillOutput(const QPainterPath& output);
    void StrokeOutput(const QPainterPath& output);
    QRectF ShapeBox(const RECT& box) const;
    void DrawArcFamily(const ArcRecord& arc, std::uint32_t kind);
    void AngleArc(const EmrAngleArc& arc);
    void SetPixel(POINT p, COLORREF color);
    void DrawPoly(std::uint32_t type, const std::vector<POINT>& points);
    void DrawPolyPoly(std::uint32_t type, const EmrPolyPoly& record);
    void LineTo(const QPointF& point);

    // Paths.
    bool Recording() const { return recording_; }
    void AddToPath(const QPainterPath& logical, bool continues);
    void StartFigure();
    void WidenPath();
    void SelectClipPath(std::uint32_t mode);
    void EndPathUse() {
        path_ = QPainterPath();
        recording_ = false;
        figureOpen_ = false;
    }

    // Clipping.
    void ApplyClip();
    void OffsetClip(std::int32_t dx, std::int32_t dy);
    void CombineClip(const QRegion& region, std::uint32_t mode);
    void ExtSelectClipRgn(const EmrExtSelectClipRgn& record);
    QRegion TargetRegion() const;

    // Regions and fills of the surface.
    void FillRegion(const QRegion& output, std::shared_ptr<const MetaBrush> brush, int rop2);
    int OutputStroke(std::int32_t logical, bool vertical) const;
    void FloodFill(const FloodFillRecord& record);
    QImage FillImage(const QRect& box, const QBrush& brush, const std::vector<std::uint8_t>& reached) const;

    // Text and bitmaps.
    void DrawText(TextRun run);
    bool LayOutText(const TextRun& run, const QFont& font, double xScale, TextLayout& layout);
    void PaintText(const TextRun& run, const QFont& font, const TextLayout& layout);
    void PaintCharacters(const TextRun& run, const QFont& font, const TextLayout& layout);
    void DrawGradient(const EmrGradientFill& record);
    // `prepare` may change the decoded bitmap first (a colour key or a mask made transparent);
    // `blendFunction` is an ALPHABLEND's.
    void DrawBitmap(const RecordReader& r, const QRectF& logicalDest, const QRectF& source, DibFields fields,
                    std::uint32_t rop, const std::function<void(QImage&)>& prepare = {},
                    std::uint32_t blendFunction = 0);
    bool PlaceBitmap(PartialDib& dib, QRectF& dest, QRectF& inside);
    void PaintBitmap(PartialDib& dib, const QRectF& dest, const QRectF& inside, std::uint32_t rop,
                     std::uint32_t blendFunction);
    void Blit(const RecordReader& r);
    void FillPattern(const QRectF& logicalDest, std::uint32_t rop);
    void DrawParallelogram(const RecordReader& r);

    QImage& image_;
    QPainter painter_;
    std::span<const std::uint8_t> bytes_;
    QTransform fit_;       // reference-device pixels to output pixels
    QPointF pixelsPerMm_;  // of the reference device
    RECT target_;          // output rectangle, exclusive right and bottom
    PlaybackState state_;
    std::vector<PlaybackState> saved_;
    std::vector<MetaObject> objects_;
    QPainterPath path_;  // output pixels
    bool recording_ = false;
    bool figureOpen_ = false;  // the path's last figure may be continued by lines from the position
    bool clipDirty_ = true;
    BitmapBudget bitmaps_{kMaxFileBitmapPixels};
};

}  // namespace platform
