#pragma once
// Turns Windows-metafile records into enhanced-metafile records, one family per file: state,
// objects, drawing, text and bitmaps. The WMF object table takes the lowest free slot on every
// create; slot i becomes enhanced object i + 1. Regions have no enhanced object: they are kept
// here and become clip records when selected, or travel inside the region drawing records.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "platform/metafile/EmfWriter.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/RecordReader.h"
#include "platform/metafile/WinMetaFile.h"
#include "platform/metafile/WmfRecords.h"

namespace platform {

class WmfConverter {
public:
    WmfConverter(std::span<const std::uint8_t> wmf, const METAFILEPICT& picture);
    // The enhanced bytes; nothing when the header or the framing is not sound.
    std::optional<std::vector<std::uint8_t>> Convert();

private:
    enum class Kind { Free, Pen, Brush, Font, Palette, Region, Other };
    struct Slot {
        Kind kind = Kind::Free;
        std::uint8_t charSet = 0;               // fonts
        SymbolSet symbols = SymbolSet::Symbol;  // fonts of the symbol character set
        RECT bounds{};                          // regions, logical units: the bounding rectangle
        std::vector<RECT> rects;                // and the rectangles of the scans
    };

    bool HeaderSound();
    bool FramingSound();
    RECT FrameFor(const METAFILEPICT& picture) const;
    void Begin(const RECT& frame);
    void ConvertRecord(const RecordReader& r, std::uint16_t function);
    bool ConvertState(const RecordReader& r, std::uint16_t function);
    bool ConvertMapping(const RecordReader& r, std::uint16_t function);
    void RestoreDc(std::int32_t savedDc);
    bool ConvertObject(const RecordReader& r, std::uint16_t function);
    bool CreateObject(const RecordReader& r, std::uint16_t function);
    bool ConvertDrawing(const RecordReader& r, std::uint16_t function);
    bool ConvertPixels(const RecordReader& r, std::uint16_t function);
    bool ConvertText(const RecordReader& r, std::uint16_t function);
    bool ConvertBitmap(const RecordReader& r, std::uint16_t function);
    void Blit(const MetaBlt& b, std::uint16_t function);
    std::optional<std::vector<std::uint8_t>> SourceBitmap(const MetaBlt& b, std::uint16_t function);
    bool ConvertRegion(const RecordReader& r, std::uint16_t function);

    // Object table.
    std::optional<std::uint32_t> NewSlot(Kind kind);
    void Select(std::uint16_t slot);
    void Delete(std::uint16_t slot);
    void SelectRegion(std::uint16_t slot);
    void CreateFont(const RecordReader& r);
    void CreateRegion(const RecordReader& r);
    void CreateDibBrush(const RecordReader& r);
    void CreatePatternBrush(const RecordReader& r);

    // Drawing helpers.
    void Poly(const MetaPoly& record, std::uint32_t type);
    void PolyPolygon(const MetaPolyPolygon& record);
    void Text(POINT reference, std::uint32_t options, const RECT* rect, std::span<const std::uint8_t> chars,
              const std::vector<std::int32_t>& dx);
    void Bitmap(std::uint32_t type, const std::vector<std::int32_t>& fields, std::span<const std::uint8_t> dib,
                std::uint32_t usage);

    std::span<const std::uint8_t> wmf_;
    std::vector<std::span<const std::uint8_t>> records_;  // up to the end record
    METAFILEPICT picture_;
    std::optional<EmfWriter> writer_;
    std::size_t headerBytes_ = 0;
    std::vector<Slot> slots_;
    std::uint8_t fontCharSet_ = 0;  // of the selected font
    SymbolSet fontSymbols_ = SymbolSet::Symbol;
    std::int32_t charExtra_ = 0;
    int saveDepth_ = 0;
    POINT windowOrg_, viewportOrg_;
};

}  // namespace platform
