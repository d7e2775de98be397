// Enhanced objects back to Windows-metafile objects, which take the lowest free slot; stock
// objects, which Windows metafiles do not have, are made once each and kept.
#include <algorithm>

#include "platform/metafile/EmfToWmf.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::uint32_t EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38, EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40,
                        EMR_SELECTPALETTE = 48, EMR_CREATEPALETTE = 49, EMR_REALIZEPALETTE = 52,
                        EMR_EXTCREATEFONTINDIRECTW = 82, EMR_CREATEMONOBRUSH = 93, EMR_CREATEDIBPATTERNBRUSHPT = 94,
                        EMR_EXTCREATEPEN = 95;
enum : std::uint16_t {
    META_SELECTOBJECT = 0x012D,
    META_DELETEOBJECT = 0x01F0,
    META_SELECTPALETTE = 0x0234,
    META_REALIZEPALETTE = 0x0035,
    META_CREATEPALETTE = 0x00F7,
    META_CREATEPENINDIRECT = 0x02FA,
    META_CREATEFONTINDIRECT = 0x02FB,
    META_CREATEBRUSHINDIRECT = 0x02FC,
    META_DIBCREATEPATTERNBRUSH = 0x0142
};
constexpr std::uint32_t kStockFlag = 0x80000000u;
constexpr std::uint32_t PS_GEOMETRIC = 0x10000;
constexpr std::int32_t kBsDibPattern = 5;
constexpr std::size_t kFaceNameBytes = 32;

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

bool EmfToWmf::ConvertObject(const RecordReader& r) {
    const std::uint32_t index = r.U32(8);
    switch (r.Type()) {
    case EMR_SELECTOBJECT: Select(index); return true;
    case EMR_DELETEOBJECT: Delete(index); return true;
    case EMR_SELECTPALETTE:
        if (const auto it = slotOf_.find(index); it != slotOf_.end()) writer_.Record(META_SELECTPALETTE, {it->second});
        return true;
    case EMR_REALIZEPALETTE: writer_.Record(META_REALIZEPALETTE, {}); return true;
    case EMR_CREATEPEN: {
        const std::uint32_t style = r.U32(12), color = r.U32(24);
        const std::int32_t width = r.I32(16);
        if (!NewSlot(index)) return true;
        writer_.Record(META_CREATEPENINDIRECT, PenWords(style, width, color));
        return true;
    }
    case EMR_EXTCREATEPEN: {
        std::uint32_t style = r.U32(28);
        const std::int64_t width = (style & PS_GEOMETRIC) ? r.U32(32) : 0;
        if (r.U32(36) == BS_NULL) style = (style & ~0xFu) | PS_NULL;
        const std::uint32_t color = r.U32(40);
        if (!NewSlot(index)) return true;
        writer_.Record(META_CREATEPENINDIRECT, PenWords(style, width, color));
        return true;
    }
    case EMR_CREATEBRUSHINDIRECT: {
        std::uint32_t style = r.U32(12);
        const std::uint32_t color = r.U32(16), hatch = r.U32(20);
        if (style > BS_HATCHED) style = BS_SOLID;
        if (!NewSlot(index)) return true;
        writer_.Record(META_CREATEBRUSHINDIRECT, {std::int32_t(style), std::int32_t(color & 0xFFFF),
                                                  std::int32_t(color >> 16), std::int32_t(hatch)});
        return true;
    }
    case EMR_EXTCREATEFONTINDIRECTW: {
        std::vector<std::int32_t> words;
        for (std::size_t at = 12; at < 32; at += 4) words.push_back(Clamp16(r.I32(at)));
        std::vector<std::uint8_t> tail;
        for (std::size_t at = 32; at < 40; ++at) tail.push_back(r.U8(at));
        for (std::size_t i = 0; i < kFaceNameBytes; ++i) {
            const std::uint16_t c = r.U16(40 + 2 * i);
            tail.push_back(c < 0x100 ? std::uint8_t(c) : std::uint8_t('?'));
            if (c == 0) break;
        }
        const auto slot = NewSlot(index);
        if (!slot) return true;
        charSetOf_[*slot] = r.U8(35);
        writer_.Record(META_CREATEFONTINDIRECT, words, tail);
        return true;
    }
    case EMR_CREATEMONOBRUSH:
    case EMR_CREATEDIBPATTERNBRUSHPT: {
        const std::uint32_t usage = r.U32(12);
        const auto bmi = r.Block(r.U32(16), r.U32(20), 1);
        const auto bits = r.Block(r.U32(24), r.U32(28), 1);
        std::vector<std::uint8_t> dib(bmi.begin(), bmi.end());
        dib.insert(dib.end(), bits.begin(), bits.end());
        if (!NewSlot(index)) return true;
        writer_.Record(META_DIBCREATEPATTERNBRUSH, {kBsDibPattern, std::int32_t(usage)}, dib);
        return true;
    }
    case EMR_CREATEPALETTE: {
        const std::uint16_t count = std::min<std::uint16_t>(r.U16(14), 256);
        const auto entries = r.Block(16, count, 4);
        if (!NewSlot(index)) return true;
        writer_.Record(META_CREATEPALETTE, {0x0300, count}, std::vector<std::uint8_t>(entries.begin(), entries.end()));
        return true;
    }
    default: return false;
    }
}

}  // namespace platform
