// The object table: pens, brushes, fonts and palettes created, selected and deleted.
#include <algorithm>
#include <cmath>

#include "platform/metafile/DibImage.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/MetafilePlayer.h"

namespace platform {

namespace {

constexpr std::uint32_t EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40,
                        EMR_SELECTPALETTE = 48, EMR_CREATEPALETTE = 49, EMR_EXTCREATEFONTINDIRECTW = 82,
                        EMR_CREATEMONOBRUSH = 93, EMR_CREATEDIBPATTERNBRUSHPT = 94, EMR_EXTCREATEPEN = 95;
constexpr std::uint32_t kStockFlag = 0x80000000u;
constexpr std::uint32_t DIB_PAL_COLORS = 1;
constexpr std::uint32_t PS_GEOMETRIC = 0x10000, PS_USERSTYLE = 7;
constexpr std::uint32_t kMaxStyleEntries = 16;

template <class T>
void SelectInto(const MetaObject& object, std::shared_ptr<const T>& slot) {
    if (const auto* held = std::get_if<std::shared_ptr<const T>>(&object)) slot = *held;
}

}  // namespace

void MetafilePlayer::CreateObject(std::uint32_t index, MetaObject object) {
    if (index == 0 || index >= kMaxObjects) return;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = std::move(object);
}

void MetafilePlayer::SelectObject(std::uint32_t index) {
    const MetaObject object = (index & kStockFlag)      ? StockObject(index)
                              : index < objects_.size() ? objects_[index]
                                                        : MetaObject{};
    SelectInto(object, state_.pen);
    SelectInto(object, state_.brush);
    SelectInto(object, state_.font);
}

// A selected object stays in use after its deletion, as the drawing context keeps it.
void MetafilePlayer::DeleteObject(std::uint32_t index) {
    if (index < objects_.size()) objects_[index] = std::monostate{};
}

void MetafilePlayer::CreatePen(const RecordReader& r) {
    auto pen = std::make_shared<MetaPen>();
    pen->style = r.U32(12);
    pen->width = std::abs(double(r.I32(16)));
    pen->geometric = pen->width != 0;
    pen->color = r.U32(24);
    CreateObject(r.U32(8), std::shared_ptr<const MetaPen>(pen));
}

void MetafilePlayer::ExtCreatePen(const RecordReader& r) {
    auto pen = std::make_shared<MetaPen>();
    pen->style = r.U32(28);
    pen->geometric = (pen->style & PS_GEOMETRIC) != 0;
    pen->width = pen->geometric ? double(r.U32(32)) : 0;
    if (r.U32(36) == BS_NULL) pen->style = (pen->style & ~0xFu) | PS_NULL;
    pen->color = r.U32(40);
    if ((pen->style & 0xF) == PS_USERSTYLE) {
        const std::uint32_t n = std::min(r.U32(48), kMaxStyleEntries);
        for (std::uint32_t i = 0; i < n; ++i) pen->dashes.push_back(r.U32(52 + 4 * i));
    }
    CreateObject(r.U32(8), std::shared_ptr<const MetaPen>(pen));
}

void MetafilePlayer::CreateBrush(const RecordReader& r) {
    auto brush = std::make_shared<MetaBrush>();
    brush->style = r.U32(12);
    brush->color = r.U32(16);
    brush->hatch = int(r.U32(20));
    CreateObject(r.U32(8), std::shared_ptr<const MetaBrush>(brush));
}

// A monochrome brush, and a 1-bit DIB brush whose table holds palette indexes, take their two
// colours from the drawing context when they paint, as a pattern made from a monochrome bitmap
// does: 0 bits the text colour, 1 bits the background colour.
void MetafilePlayer::CreateDibBrush(const RecordReader& r) {
    auto brush = std::make_shared<MetaBrush>();
    brush->style = BS_PATTERN;
    brush->monochrome =
        DibBitCount(r, DibFields{16}) == 1 && (r.Type() == EMR_CREATEMONOBRUSH || r.U32(12) == DIB_PAL_COLORS);
    brush->pattern = brush->monochrome ? DibFromRecord(r, DibFields{16}, 0x000000, 0xFFFFFF, bitmaps_, true)
                                       : DibFromRecord(r, DibFields{16}, state_.textColor, state_.bkColor, bitmaps_);
    if (brush->pattern.isNull()) brush->style = BS_SOLID, brush->color = 0x808080;
    CreateObject(r.U32(8), std::shared_ptr<const MetaBrush>(brush));
}

void MetafilePlayer::CreateFont(const RecordReader& r) {
    auto font = std::make_shared<MetaFont>();
    font->height = r.I32(12);
    font->width = r.I32(16);
    font->escapement = r.I32(20);
    font->weight = r.I32(28);
    font->italic = r.U8(32) != 0;
    font->underline = r.U8(33) != 0;
    font->strikeOut = r.U8(34) != 0;
    font->charSet = r.U8(35);
    font->pitchAndFamily = r.U8(39);
    const auto face = r.Block(40, 32, 2);
    QString name;
    for (std::size_t i = 0; i < 32; ++i) {
        const char16_t c = char16_t(face[2 * i] | (face[2 * i + 1] << 8));
        if (c == 0) break;
        name += QChar(c);
    }
    font->face = name;
    CreateObject(r.U32(8), std::shared_ptr<const MetaFont>(font));
}

void MetafilePlayer::CreatePalette(const RecordReader& r) {
    auto palette = std::make_shared<MetaPalette>();
    const std::uint32_t n = std::min<std::uint32_t>(r.U16(14), 256);
    const auto entries = r.Block(16, n, 4);
    for (std::uint32_t i = 0; i < n; ++i)
        palette->entries.push_back(PALETTEENTRY{entries[4 * i], entries[4 * i + 1], entries[4 * i + 2], 0});
    CreateObject(r.U32(8), std::shared_ptr<const MetaPalette>(palette));
}

bool MetafilePlayer::PlayObjectRecord(const RecordReader& r) {
    switch (r.Type()) {
    case EMR_SELECTOBJECT: SelectObject(r.U32(8)); return true;
    case EMR_DELETEOBJECT: DeleteObject(r.U32(8)); return true;
    case EMR_CREATEPEN: CreatePen(r); return true;
    case EMR_EXTCREATEPEN: ExtCreatePen(r); return true;
    case EMR_CREATEBRUSHINDIRECT: CreateBrush(r); return true;
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: CreateDibBrush(r); return true;
    case EMR_EXTCREATEFONTINDIRECTW: CreateFont(r); return true;
    case EMR_CREATEPALETTE: CreatePalette(r); return true;
    case EMR_SELECTPALETTE: {
        const std::uint32_t index = r.U32(8);
        if (index < objects_.size()) SelectInto(objects_[index], state_.palette);
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
