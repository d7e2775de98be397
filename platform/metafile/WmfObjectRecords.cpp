// Windows-metafile objects: pens, brushes, fonts, palettes and regions in the lowest free slot.
#include <algorithm>

#include "platform/LittleEndian.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::uint32_t RGN_COPY = 5;
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
    const MetaCreateFontIndirect f = MetaCreateFontIndirect::Read(r);
    const auto slot = NewSlot(Kind::Font);
    if (!slot) return;
    slots_[*slot].charSet = f.charSet;
    std::u16string face;  // Latin-1 bytes as their code points
    for (const unsigned char c : f.face) face.push_back(c);
    slots_[*slot].symbols = SymbolSetOf(face);
    std::vector<std::uint8_t> logFont;
    for (std::int16_t v : {f.height, f.width, f.escapement, f.orientation, f.weight})
        AppendLittleU32(logFont, std::uint32_t(std::int32_t(v)));
    logFont.insert(logFont.end(), {f.italic, f.underline, f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision,
                                   f.quality, f.pitchAndFamily});
    for (const char c : f.face) logFont.insert(logFont.end(), {std::uint8_t(c), 0});
    logFont.resize(kLogFontBytes, 0);
    writer_->Record(EMR_EXTCREATEFONTINDIRECTW, {std::int32_t(*slot) + 1}, logFont);
}

// The slot is taken before the record is read: a region too short for its header still takes one.
void WmfConverter::CreateRegion(const RecordReader& r) {
    const auto slot = NewSlot(Kind::Region);
    if (!slot) return;
    MetaCreateRegion region = MetaCreateRegion::Read(r);
    slots_[*slot].bounds = region.bounds;
    slots_[*slot].rects = std::move(region.rects);
}

// Pens, brushes, fonts, regions and palettes, each in the lowest free slot.
bool WmfConverter::CreateObject(const RecordReader& r, std::uint16_t function) {
    EmfWriter& w = *writer_;
    switch (function) {
    case META_CREATEPENINDIRECT: {
        const MetaCreatePenIndirect p = MetaCreatePenIndirect::Read(r);
        if (const auto slot = NewSlot(Kind::Pen))
            w.Record(EMR_CREATEPEN, {std::int32_t(*slot) + 1, p.style, p.width, 0, std::int32_t(p.color)});
        return true;
    }
    case META_CREATEBRUSHINDIRECT: {
        const MetaCreateBrushIndirect b = MetaCreateBrushIndirect::Read(r);
        const std::uint16_t style = b.style > BS_HATCHED ? std::uint16_t(BS_SOLID) : b.style;
        if (const auto slot = NewSlot(Kind::Brush))
            w.Record(EMR_CREATEBRUSHINDIRECT, {std::int32_t(*slot) + 1, style, std::int32_t(b.color), b.hatch});
        return true;
    }
    case META_CREATEFONTINDIRECT: CreateFont(r); return true;
    case META_CREATEREGION: CreateRegion(r); return true;
    case META_DIBCREATEPATTERNBRUSH: CreateDibBrush(r); return true;
    case META_CREATEPATTERNBRUSH: CreatePatternBrush(r); return true;
    case META_CREATEPALETTE: {
        const MetaCreatePalette p = MetaCreatePalette::Read(r);
        if (const auto slot = NewSlot(Kind::Palette))
            w.Record(EMR_CREATEPALETTE, {std::int32_t(*slot) + 1, 0x0300 | (std::int32_t(p.count) << 16)}, p.entries);
        return true;
    }
    default: return false;
    }
}

bool WmfConverter::ConvertObject(const RecordReader& r, std::uint16_t function) {
    switch (function) {
    case META_SELECTOBJECT: Select(MetaObjectIndex::Read(r).value); return true;
    case META_DELETEOBJECT: Delete(MetaObjectIndex::Read(r).value); return true;
    case META_SELECTCLIPREGION: SelectRegion(MetaObjectIndex::Read(r).value); return true;
    case META_SELECTPALETTE: {
        const std::uint16_t slot = MetaObjectIndex::Read(r).value;
        if (slot < slots_.size() && slots_[slot].kind == Kind::Palette)
            writer_->Record(EMR_SELECTPALETTE, {std::int32_t(slot) + 1});
        return true;
    }
    case META_REALIZEPALETTE: writer_->Record(EMR_REALIZEPALETTE, {}); return true;
    default: return CreateObject(r, function);
    }
}

}  // namespace platform
