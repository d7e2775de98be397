// Windows-metafile objects: pens, brushes, fonts, palettes and regions in the lowest free slot.
#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WmfConverter.h"

namespace platform {

namespace {

constexpr std::size_t P = 6;

enum : std::uint16_t {
    META_REALIZEPALETTE = 0x0035,
    META_CREATEPALETTE = 0x00F7,
    META_SELECTCLIPREGION = 0x012C,
    META_SELECTOBJECT = 0x012D,
    META_DIBCREATEPATTERNBRUSH = 0x0142,
    META_DELETEOBJECT = 0x01F0,
    META_CREATEPATTERNBRUSH = 0x01F9,
    META_SELECTPALETTE = 0x0234,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_CREATEREGION = 0x06FF
};
constexpr std::uint32_t EMR_INTERSECTCLIPRECT = 30, EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38,
                        EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_SELECTPALETTE = 48,
                        EMR_CREATEPALETTE = 49, EMR_REALIZEPALETTE = 52, EMR_EXTSELECTCLIPRGN = 75,
                        EMR_EXTCREATEFONTINDIRECTW = 82;
constexpr std::uint32_t RGN_COPY = 5;
constexpr std::size_t kFaceNameBytes = 32;
constexpr std::size_t kLogFontBytes = 92;

}  // namespace

std::optional<std::uint32_t> WmfConverter::NewSlot(Kind kind) {
    auto free = std::find_if(slots_.begin(), slots_.end(), [](const Slot& s) { return s.kind == Kind::Free; });
    if (free == slots_.end()) {
        if (slots_.size() >= kMaxObjects - 1) return std::nullopt;
        free = slots_.insert(slots_.end(), Slot{});
    }
    *free = Slot{};
    free->kind = kind;
    const auto index = std::uint32_t(free - slots_.begin());
    writer_->UseObject(index + 1);
    return index;
}

void WmfConverter::Select(std::uint16_t slot) {
    if (slot >= slots_.size() || slots_[slot].kind == Kind::Free) return;
    if (slots_[slot].kind == Kind::Region) return SelectRegion(slot);
    if (slots_[slot].kind == Kind::Font) {
        fontCharSet_ = slots_[slot].charSet;
        fontSymbols_ = slots_[slot].symbols;
    }
    writer_->Record(EMR_SELECTOBJECT, {std::int32_t(slot) + 1});
}

void WmfConverter::Delete(std::uint16_t slot) {
    if (slot >= slots_.size() || slots_[slot].kind == Kind::Free) return;
    if (slots_[slot].kind != Kind::Region) writer_->Record(EMR_DELETEOBJECT, {std::int32_t(slot) + 1});
    slots_[slot] = Slot{};
}

// A region becomes the clip: the old clip is dropped and the region's bounding rectangle, in
// logical units, intersected (enhanced clip regions would need device units).
void WmfConverter::SelectRegion(std::uint16_t slot) {
    writer_->Record(EMR_EXTSELECTCLIPRGN, {0, std::int32_t(RGN_COPY)});
    if (slot >= slots_.size() || slots_[slot].kind != Kind::Region) return;
    const RECT& c = slots_[slot].bounds;
    writer_->Record(EMR_INTERSECTCLIPRECT, {c.left, c.top, c.right, c.bottom});
}

void WmfConverter::CreateFont(const RecordReader& r) {
    const auto slot = NewSlot(Kind::Font);
    if (!slot) return;
    slots_[*slot].charSet = r.U8(P + 13);
    std::vector<std::uint8_t> logFont;
    for (std::size_t at : {P, P + 2, P + 4, P + 6, P + 8})
        AppendLittleU32(logFont, std::uint32_t(std::int32_t(r.I16(at))));
    for (std::size_t at = P + 10; at < P + 18; ++at) logFont.push_back(r.U8(at));
    // The face name runs to its NUL or to the end of the record, whichever comes first.
    QString face;
    for (std::size_t i = 0; i < kFaceNameBytes && P + 18 + i < r.Size(); ++i) {
        const std::uint8_t c = r.U8(P + 18 + i);
        if (c == 0) break;
        logFont.push_back(c);
        logFont.push_back(0);
        face += QChar(c);
    }
    slots_[*slot].symbols = SymbolSetOf(face);
    logFont.resize(kLogFontBytes, 0);
    writer_->Record(EMR_EXTCREATEFONTINDIRECTW, {std::int32_t(*slot) + 1}, logFont);
}

void WmfConverter::CreateRegion(const RecordReader& r) {
    const auto slot = NewSlot(Kind::Region);
    if (!slot) return;
    Slot& region = slots_[*slot];
    region.bounds = RECT{r.I16(P + 14), r.I16(P + 16), r.I16(P + 18), r.I16(P + 20)};
    // Scans: a count of x values, top, bottom, (left, right) pairs, the count again. A scan cut
    // short by the record's end ends the reading.
    const std::uint16_t scans = r.U16(P + 10);
    std::size_t at = P + 22;
    for (std::uint16_t i = 0; i < scans && region.rects.size() < kMaxRegionRects; ++i) {
        if (at + 6 > r.Size()) break;
        const std::size_t xs = r.U16(at) & ~1u;
        if (at + 8 + 2 * xs > r.Size()) break;
        const std::int32_t top = r.I16(at + 2), bottom = r.I16(at + 4);
        for (std::size_t k = 0; k < xs && region.rects.size() < kMaxRegionRects; k += 2)
            region.rects.push_back(RECT{r.I16(at + 6 + 2 * k), top, r.I16(at + 8 + 2 * k), bottom});
        at += 8 + 2 * xs;
    }
}

bool WmfConverter::ConvertObject(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
    case META_SELECTOBJECT: Select(r.U16(P)); return true;
    case META_DELETEOBJECT: Delete(r.U16(P)); return true;
    case META_SELECTCLIPREGION: SelectRegion(r.U16(P)); return true;
    case META_CREATEPENINDIRECT: {
        const std::uint16_t style = r.U16(P);
        const std::int16_t width = r.I16(P + 2);
        const std::uint32_t color = r.U32(P + 6);
        if (const auto slot = NewSlot(Kind::Pen))
            w.Record(EMR_CREATEPEN, {std::int32_t(*slot) + 1, style, width, 0, std::int32_t(color)});
        return true;
    }
    case META_CREATEBRUSHINDIRECT: {
        std::uint16_t style = r.U16(P);
        const std::uint32_t color = r.U32(P + 2);
        const std::uint16_t hatch = r.U16(P + 6);
        if (style > BS_HATCHED) style = BS_SOLID;
        if (const auto slot = NewSlot(Kind::Brush))
            w.Record(EMR_CREATEBRUSHINDIRECT, {std::int32_t(*slot) + 1, style, std::int32_t(color), hatch});
        return true;
    }
    case META_CREATEFONTINDIRECT: CreateFont(r); return true;
    case META_CREATEREGION: CreateRegion(r); return true;
    case META_DIBCREATEPATTERNBRUSH: CreateDibBrush(r); return true;
    case META_CREATEPATTERNBRUSH: CreatePatternBrush(r); return true;
    case META_CREATEPALETTE: {
        const std::uint16_t count = std::min<std::uint16_t>(r.U16(P + 2), 256);
        const auto entries = r.Block(P + 4, count, 4);
        if (const auto slot = NewSlot(Kind::Palette))
            w.Record(EMR_CREATEPALETTE, {std::int32_t(*slot) + 1, 0x0300 | (std::int32_t(count) << 16)},
                     std::vector<std::uint8_t>(entries.begin(), entries.end()));
        return true;
    }
    case META_SELECTPALETTE: {
        const std::uint16_t slot = r.U16(P);
        if (slot < slots_.size() && slots_[slot].kind == Kind::Palette)
            w.Record(EMR_SELECTPALETTE, {std::int32_t(slot) + 1});
        return true;
    }
    case META_REALIZEPALETTE: w.Record(EMR_REALIZEPALETTE, {}); return true;
    default: return false;
    }
}

}  // namespace platform
