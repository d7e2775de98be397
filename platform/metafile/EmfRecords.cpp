// Reading the enhanced records' fields at their offsets.
#include "platform/metafile/EmfRecords.h"

#include <algorithm>
#include <cstdlib>

#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/MetafileLimits.h"

namespace platform {

namespace {

constexpr std::uint32_t PS_GEOMETRIC = 0x10000, PS_USERSTYLE = 7, ETO_NO_RECT = 0x100;
constexpr std::uint32_t kMaxStyleEntries = 16;
constexpr std::size_t kFaceChars = 32;
constexpr std::uint32_t kCoreHeaderBytes = 12, DIB_PAL_COLORS = 1;

}  // namespace

EmrCreatePen EmrCreatePen::Read(const RecordReader& r) { return {r.U32(8), r.U32(12), r.I32(16), r.U32(24)}; }

EmrExtCreatePen EmrExtCreatePen::Read(const RecordReader& r) {
    EmrExtCreatePen p{r.U32(8), r.U32(28), r.U32(32), r.U32(36), r.U32(40), {}};
    if ((p.style & 0xF) == PS_USERSTYLE) {
        const std::uint32_t n = std::min(r.U32(48), kMaxStyleEntries);
        for (std::uint32_t i = 0; i < n; ++i) p.styleEntries.push_back(r.U32(52 + 4 * i));
    }
    return p;
}

EmrCreateBrushIndirect EmrCreateBrushIndirect::Read(const RecordReader& r) {
    return {r.U32(8), r.U32(12), r.U32(16), r.U32(20)};
}

EmrCreateDibPatternBrush EmrCreateDibPatternBrush::Read(const RecordReader& r) {
    return {r.U32(8), r.U32(12), DibFields{16}};
}

bool EmrCreateDibPatternBrush::Monochrome(const RecordReader& r) const {
    return DibBitCount(r, dib) == 1 && (r.Type() == EMR_CREATEMONOBRUSH || usage == DIB_PAL_COLORS);
}

EmrExtCreateFontIndirectW EmrExtCreateFontIndirectW::Read(const RecordReader& r) {
    EmrExtCreateFontIndirectW f;
    f.ihFont = r.U32(8);
    LogFontW& l = f.font;
    l.height = r.I32(12), l.width = r.I32(16), l.escapement = r.I32(20), l.orientation = r.I32(24);
    l.weight = r.I32(28);
    l.italic = r.U8(32), l.underline = r.U8(33), l.strikeOut = r.U8(34), l.charSet = r.U8(35);
    l.outPrecision = r.U8(36), l.clipPrecision = r.U8(37), l.quality = r.U8(38), l.pitchAndFamily = r.U8(39);
    for (std::size_t i = 0; i < kFaceChars; ++i) {
        const char16_t c = char16_t(r.U16(40 + 2 * i));
        if (c == 0) break;
        l.face += c;
    }
    return f;
}

EmrCreatePalette EmrCreatePalette::Read(const RecordReader& r) {
    EmrCreatePalette p{r.U32(8), {}};
    const std::uint32_t n = std::min<std::uint32_t>(r.U16(14), 256);
    const auto entries = r.Block(16, n, 4);
    for (std::uint32_t i = 0; i < n; ++i)
        p.entries.push_back(PALETTEENTRY{entries[4 * i], entries[4 * i + 1], entries[4 * i + 2], entries[4 * i + 3]});
    return p;
}

EmrText EmrText::Read(const RecordReader& r, std::size_t at) {
    EmrText t;
    t.reference = r.PointL(at);
    t.count = std::min(r.U32(at + 8), kMaxTextChars);
    t.offString = r.U32(at + 12);
    t.options = r.U32(at + 16);
    t.hasRect = !(t.options & ETO_NO_RECT);
    if (t.hasRect) t.rect = r.RectL(at + 20);
    t.offDx = r.U32(t.hasRect ? at + 36 : at + 20);
    return t;
}

EmrText EmrText::ReadSmall(const RecordReader& r) {
    EmrText t;
    t.reference = r.PointL(8);
    t.count = std::min(r.U32(16), kMaxTextChars);
    t.options = r.U32(20);
    t.hasRect = !(t.options & ETO_NO_RECT);
    if (t.hasRect) t.rect = r.RectL(36);
    t.offString = t.hasRect ? 52 : 36;
    return t;
}

std::u16string EmrText::Chars(const RecordReader& r, bool wide) const {
    const auto chars = r.Block(offString, count, wide ? 2 : 1);
    std::u16string text;
    for (std::uint32_t i = 0; i < count; ++i)
        text += wide ? char16_t(chars[2 * i] | (chars[2 * i + 1] << 8)) : char16_t(chars[i]);
    return text;
}

std::vector<std::int32_t> EmrText::Advances(const RecordReader& r, bool pairs) const {
    std::vector<std::int32_t> advances;
    if (offDx == 0) return advances;
    const std::size_t step = pairs ? 8 : 4;
    const RecordReader dx(r.Block(offDx, count, step));
    for (std::uint32_t i = 0; i < count; ++i) advances.push_back(dx.I32(i * step));
    return advances;
}

EmrStretchDibits EmrStretchDibits::Read(const RecordReader& r) {
    return {r.I32(24),     r.I32(28), r.I32(32), r.I32(36), r.I32(40), r.I32(44),
            DibFields{48}, r.U32(64), r.U32(68), r.I32(72), r.I32(76)};
}

EmrSetDibitsToDevice EmrSetDibitsToDevice::Read(const RecordReader& r) {
    return {r.I32(24), r.I32(28),     r.I32(32), r.I32(36), r.I32(40),
            r.I32(44), DibFields{48}, r.U32(64), r.U32(68), r.U32(72)};
}

EmrBlt EmrBlt::Read(const RecordReader& r) {
    EmrBlt b{r.I32(24), r.I32(28),      r.I32(32),     r.I32(36), r.U32(40), r.I32(44),
             r.I32(48), r.U32(88) != 0, DibFields{84}, r.I32(32), r.I32(36)};
    const std::uint32_t type = r.Type();
    if (type == EMR_STRETCHBLT || type == EMR_ALPHABLEND || type == EMR_TRANSPARENTBLT)
        b.cxSrc = r.I32(100), b.cySrc = r.I32(104);
    if (type == EMR_MASKBLT) b.xMask = r.I32(100), b.yMask = r.I32(104);
    return b;
}

EmrPlgBlt EmrPlgBlt::Read(const RecordReader& r) {
    EmrPlgBlt p;
    for (std::size_t i = 0; i < 3; ++i) p.corners[i] = r.PointL(24 + 8 * i);
    p.xSrc = r.I32(48), p.ySrc = r.I32(52), p.cxSrc = r.I32(56), p.cySrc = r.I32(60);
    p.xMask = r.I32(112), p.yMask = r.I32(116);
    p.hasMask = r.U32(128) != 0 && r.U32(136) != 0;  // a mask header and mask bits
    return p;
}

DibBlocks BlocksOf(const RecordReader& r, DibFields fields) {
    const auto info = r.Block(r.U32(fields.at), r.U32(fields.at + 4), 1);
    return {info, r.Block(r.U32(fields.at + 8), r.U32(fields.at + 12), 1)};
}

std::vector<std::uint8_t> PackedDib(const RecordReader& r, DibFields fields) {
    const DibBlocks blocks = BlocksOf(r, fields);
    std::vector<std::uint8_t> dib(blocks.info.begin(), blocks.info.end());
    dib.insert(dib.end(), blocks.bits.begin(), blocks.bits.end());
    return dib;
}

int DibBitCount(const RecordReader& r, DibFields fields) {
    if (r.U32(fields.at + 4) == 0) return 0;
    const RecordReader bmi = r.Sub(r.U32(fields.at), r.U32(fields.at + 4));
    return bmi.U32(0) == kCoreHeaderBytes ? bmi.U16(10) : bmi.U16(14);
}

MetaPen PenOf(const EmrCreatePen& record) {
    MetaPen pen;
    pen.style = record.style;
    pen.width = std::abs(double(record.width));
    pen.geometric = record.width != 0;
    pen.color = record.color;
    return pen;
}

MetaPen PenOf(const EmrExtCreatePen& record) {
    MetaPen pen;
    pen.style = record.style;
    pen.geometric = (record.style & PS_GEOMETRIC) != 0;
    pen.width = pen.geometric ? double(record.width) : 0;
    if (record.brushStyle == BS_NULL) pen.style = (pen.style & ~0xFu) | PS_NULL;
    pen.color = record.color;
    for (std::uint32_t d : record.styleEntries) pen.dashes.push_back(d);
    return pen;
}

}  // namespace platform
