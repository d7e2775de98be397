// Enhanced objects back to Windows-metafile objects, which take the lowest free slot; stock
// objects, which Windows metafiles do not have, are made once each and kept.
#include <algorithm>
#include <cstdlib>

#include "platform/LittleEndian.h"

#include "platform/metafile/EmfRecords.h"
#include "platform/metafile/EmfStateRecords.h"
#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t kStockFlag = 0x80000000u;
constexpr std::int32_t kBsDibPattern = 5;
constexpr std::uint32_t kCoreHeaderBytes = 12, kInfoHeaderBytes = 40;
constexpr std::size_t kFaceNameBytes = 32;

// The brush's one-bit bitmap as Windows records a pattern made from a monochrome bitmap: a DIB
// of plain rows whose two colours are black and white, which the 0 and 1 bits stand for. None
// when the bits are not plain rows.
std::optional<std::vector<std::uint8_t>> BlackAndWhiteDib(const RecordReader& r, DibFields fields) {
    const DibBlocks blocks = BlocksOf(r, fields);
    const RecordReader bmi(blocks.info);
    const auto bits = blocks.bits;
    const bool core = bmi.U32(0) == kCoreHeaderBytes;
    const std::int64_t width = core ? bmi.U16(4) : bmi.I32(4), height = core ? bmi.U16(6) : bmi.I32(8);
    if ((!core && bmi.U32(16) != BI_RGB) || width <= 0 || height == 0 || height == INT32_MIN) return std::nullopt;
    const std::uint64_t rows = std::uint64_t(std::abs(height)), stride = std::uint64_t(width + 31) / 32 * 4;
    if (std::uint64_t(width) * rows > kMaxRecordBitmapPixels || stride * rows > bits.size()) return std::nullopt;
    std::vector<std::uint8_t> dib;
    for (std::int64_t v : {std::int64_t(kInfoHeaderBytes), width, height}) AppendLittleU32(dib, std::uint32_t(v));
    for (std::uint16_t v : {1, 1}) AppendLittleU16(dib, v);  // planes, bits per pixel
    for (std::uint64_t v :
         {std::uint64_t(BI_RGB), stride * rows, std::uint64_t(0), std::uint64_t(0), std::uint64_t(0), std::uint64_t(0)})
        AppendLittleU32(dib, std::uint32_t(v));
    dib.insert(dib.end(), {0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0});
    dib.insert(dib.end(), bits.begin(), bits.begin() + std::ptrdiff_t(stride * rows));
    return dib;
}

std::vector<std::int32_t> Color(std::uint32_t c) { return {std::int32_t(c & 0xFFFF), std::int32_t(c >> 16)}; }

// The words of a Windows-metafile pen: style, width (the y of the width point is unused), colour.
std::vector<std::int32_t> PenWords(std::uint32_t style, std::int64_t width, std::uint32_t color) {
    std::vector<std::int32_t> words{std::int32_t(style & 0xFFFF), Clamp16(width), 0};
    for (std::int32_t w : Color(color)) words.push_back(w);
    return words;
}

}  // namespace

std::optional<std::uint16_t> EmfToWmf::NewSlot(std::uint32_t emfIndex) {
    auto free = std::find(used_.begin(), used_.end(), false);
    if (free == used_.end()) {
        if (used_.size() >= kMaxObjects - 1) return std::nullopt;
        free = used_.insert(used_.end(), false);
    }
    *free = true;
    const auto slot = std::uint16_t(free - used_.begin());
    slotOf_[emfIndex] = slot;
    return slot;
}

void EmfToWmf::Select(std::uint32_t emfIndex) {
    if (emfIndex & kStockFlag) return SelectStock(emfIndex);
    const auto it = slotOf_.find(emfIndex);
    if (it == slotOf_.end()) return;
    if (const auto font = charSetOf_.find(it->second); font != charSetOf_.end()) charSet_ = font->second;
    writer_.Record(META_SELECTOBJECT, {it->second});
}

void EmfToWmf::SelectStock(std::uint32_t index) {
    if (const auto it = stockSlot_.find(index); it != stockSlot_.end()) {
        writer_.Record(META_SELECTOBJECT, {it->second});
        return;
    }
    static constexpr std::uint32_t brushColors[] = {0xFFFFFF, 0xC0C0C0, 0x808080, 0x404040, 0x000000};
    const std::uint32_t n = index & ~kStockFlag;
    // Stock objects get enhanced indexes of their own beyond any real one, so they never collide.
    const auto slot = NewSlot(index);
    if (!slot) return;
    if (n <= 4 || n == 18) {
        const std::uint32_t c = n == 18 ? 0xFFFFFF : brushColors[n];
        writer_.Record(META_CREATEBRUSHINDIRECT, {0, std::int32_t(c & 0xFFFF), std::int32_t(c >> 16), 0});
    } else if (n == 5) {
        writer_.Record(META_CREATEBRUSHINDIRECT, {BS_NULL, 0, 0, 0});
    } else if (n >= 6 && n <= 8) {
        writer_.Record(META_CREATEPENINDIRECT,
                       {n == 8 ? PS_NULL : PS_SOLID, 0, 0, n == 6 ? 0xFFFF : 0, n == 6 ? 0xFF : 0});
    } else if (n == 19) {
        writer_.Record(META_CREATEPENINDIRECT, {PS_SOLID, 0, 0, 0, 0});
    } else {
        std::vector<std::uint8_t> face{'A', 'r', 'i', 'a', 'l', 0};
        writer_.Record(META_CREATEFONTINDIRECT, {16, 0, 0, 0, 400, 0, 0, 0, 0}, face);
    }
    stockSlot_[index] = *slot;
    writer_.Record(META_SELECTOBJECT, {*slot});
}

void EmfToWmf::Delete(std::uint32_t emfIndex) {
    const auto it = slotOf_.find(emfIndex);
    if (it == slotOf_.end() || (emfIndex & kStockFlag)) return;
    writer_.Record(META_DELETEOBJECT, {it->second});
    used_[it->second] = false;
    charSetOf_.erase(it->second);
    slotOf_.erase(it);
}

// Pens, brushes, fonts and palettes, each in a slot of its own.
bool EmfToWmf::CreateObject(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_CREATEPEN: {
        const EmrCreatePen pen = EmrCreatePen::Read(r);
        return CreatePen(PenOf(pen), pen.ihPen);
    }
    case EMR_EXTCREATEPEN: {
        const EmrExtCreatePen pen = EmrExtCreatePen::Read(r);
        return CreatePen(PenOf(pen), pen.ihPen);
    }
    case EMR_CREATEBRUSHINDIRECT: {
        const EmrCreateBrushIndirect b = EmrCreateBrushIndirect::Read(r);
        const std::uint32_t style = b.style > BS_HATCHED ? BS_SOLID : b.style;
        if (!NewSlot(b.ihBrush)) return true;
        writer_.Record(META_CREATEBRUSHINDIRECT, {std::int32_t(style), std::int32_t(b.color & 0xFFFF),
                                                  std::int32_t(b.color >> 16), std::int32_t(b.hatch)});
        return true;
    }
    case EMR_EXTCREATEFONTINDIRECTW: CreateFont(EmrExtCreateFontIndirectW::Read(r)); return true;
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: CreatePatternBrush(EmrCreateDibPatternBrush::Read(r), r); return true;
    case EMR_CREATEPALETTE: {
        const EmrCreatePalette p = EmrCreatePalette::Read(r);
        std::vector<std::uint8_t> entries;
        for (const PALETTEENTRY& e : p.entries)
            entries.insert(entries.end(), {e.peRed, e.peGreen, e.peBlue, e.peFlags});
        if (!NewSlot(p.ihPal)) return true;
        writer_.Record(META_CREATEPALETTE, {0x0300, std::int32_t(p.entries.size())}, entries);
        return true;
    }
    default: return false;
    }
}

// A monochrome brush becomes a BS_PATTERN brush of a black-and-white DIB, which Windows
// metafiles keep for patterns made from monochrome bitmaps and which paints in the text and
// background colours; other brushes keep their DIB and its colour usage.
void EmfToWmf::CreatePatternBrush(const EmrCreateDibPatternBrush& record, const RecordReader& r) {
    const auto mono = record.Monochrome(r) ? BlackAndWhiteDib(r, record.dib) : std::nullopt;
    const std::vector<std::uint8_t> dib = mono ? *mono : PackedDib(r, record.dib);
    if (!NewSlot(record.ihBrush)) return;
    if (mono) writer_.Record(META_DIBCREATEPATTERNBRUSH, {BS_PATTERN, DIB_RGB_COLORS}, dib);
    else writer_.Record(META_DIBCREATEPATTERNBRUSH, {kBsDibPattern, std::int32_t(record.usage)}, dib);
}

// A cosmetic pen is written with width 0, which is what makes it cosmetic in Windows metafiles.
bool EmfToWmf::CreatePen(const MetaPen& pen, std::uint32_t index) {
    if (!NewSlot(index)) return true;
    writer_.Record(META_CREATEPENINDIRECT, PenWords(pen.style, pen.geometric ? std::int64_t(pen.width) : 0, pen.color));
    return true;
}

void EmfToWmf::CreateFont(const EmrExtCreateFontIndirectW& record) {
    const LogFontW& l = record.font;
    std::vector<std::int32_t> words;
    for (std::int32_t v : {l.height, l.width, l.escapement, l.orientation, l.weight}) words.push_back(Clamp16(v));
    std::vector<std::uint8_t> tail{l.italic,       l.underline,     l.strikeOut, l.charSet,
                                   l.outPrecision, l.clipPrecision, l.quality,   l.pitchAndFamily};
    for (const char16_t c : l.face) tail.push_back(c < 0x100 ? std::uint8_t(c) : std::uint8_t('?'));
    if (l.face.size() < kFaceNameBytes) tail.push_back(0);
    const auto slot = NewSlot(record.ihFont);
    if (!slot) return;
    charSetOf_[*slot] = l.charSet;
    writer_.Record(META_CREATEFONTINDIRECT, words, tail);
}

bool EmfToWmf::ConvertObject(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_SELECTOBJECT: Select(EmrObjectIndex::Read(r).value); return true;
    case EMR_DELETEOBJECT: Delete(EmrObjectIndex::Read(r).value); return true;
    case EMR_SELECTPALETTE:
        if (const auto it = slotOf_.find(EmrObjectIndex::Read(r).value); it != slotOf_.end())
            writer_.Record(META_SELECTPALETTE, {it->second});
        return true;
    case EMR_REALIZEPALETTE: writer_.Record(META_REALIZEPALETTE, {}); return true;
    default: return CreateObject(r);
    }
}

}  // namespace platform
