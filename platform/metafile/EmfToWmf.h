#pragma once
// Turns enhanced-metafile records back into Windows-metafile records, for the placeable writer.
// Every record the Windows-metafile conversion produces has a 16-bit form and comes back as it
// was. The page mapping becomes the window alone, the frame in the current logical units, which
// is what a Windows metafile's player fits to the picture; a world transform that only scales
// and moves is folded into that window. Others are approximated: Bézier
// curves become polylines (flattened here), polylines
// drawn from the current position become line-tos, 32-bit coordinates are held to 16 bits,
// stock objects become objects of their own, and a region filled or framed with a stock brush
// not selected before is left out. Left out, with no 16-bit form: rotating and shearing world
// transforms, paths, clip
// regions, arc direction, miter limits, alpha, mask and parallelogram blits, gradients, comments.

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfShapeRecords.h"
#include "platform/metafile/PageMapping.h"
#include "platform/metafile/RecordReader.h"
#include "platform/metafile/WorldTransform.h"
#include "platform/metafile/WmfWriter.h"

namespace platform {

class EmfToWmf {
public:
    explicit EmfToWmf(std::span<const std::uint8_t> emf) : emf_(emf) {}
    std::vector<std::uint8_t> Convert();

private:
    void ConvertRecord(const RecordReader& r);
    bool ConvertState(const RecordReader& r);
    bool ConvertPage(const RecordReader& r);
    void WriteWindow();
    bool ConvertObject(const RecordReader& r);
    bool CreateObject(const RecordReader& r);
    bool CreatePen(const MetaPen& pen, std::uint32_t index);
    void CreateFont(const EmrExtCreateFontIndirectW& record);
    void CreatePatternBrush(const EmrCreateDibPatternBrush& record, const RecordReader& r);
    bool ConvertDrawing(const RecordReader& r);
    bool ConvertPoly(const RecordReader& r);
    void LinesTo(const RecordReader& r);
    void PolyPoly(const EmrPolyPoly& record, bool polygon);
    bool ConvertText(const RecordReader& r);
    bool ConvertBitmap(const RecordReader& r);
    void BitBlt(const RecordReader& r);
    void StretchBlt(const RecordReader& r);
    bool ConvertRegion(const RecordReader& r);

    std::optional<std::uint16_t> NewSlot(std::uint32_t emfIndex);
    void Select(std::uint32_t emfIndex);
    void SelectStock(std::uint32_t index);
    void Delete(std::uint32_t emfIndex);
    // The Windows slot of an enhanced object or of a stock object already made.
    std::optional<std::uint16_t> SlotOf(std::uint32_t emfIndex) const;
    void Text(const RecordReader& r, std::size_t at, bool wide);
    void Polyline(const std::vector<POINT>& points, bool polygon);

    std::span<const std::uint8_t> emf_;
    WmfWriter writer_;
    std::vector<bool> used_;                         // WMF slots in use
    std::map<std::uint32_t, std::uint16_t> slotOf_;  // enhanced object index → WMF slot
    std::map<std::uint32_t, std::uint16_t> stockSlot_;
    std::map<std::uint16_t, std::uint8_t> charSetOf_;  // WMF font slot → character set
    std::uint8_t charSet_ = 0;
    std::int32_t positionX_ = 0, positionY_ = 0;
    ReferenceFrame frame_;
    // What SaveDC keeps of the mapping: the page mapping and the world transform.
    struct Mapping {
        PageMapping page;
        WorldMatrix world;
    };
    Mapping mapping_;
    std::vector<Mapping> savedMappings_;
};

}  // namespace platform
