// Reading the Windows-metafile object records' fields at their offsets.
#include "platform/metafile/WmfRecords.h"

#include <algorithm>

namespace platform {

namespace {
constexpr std::size_t P = kWmfParams;
constexpr std::size_t kFaceNameBytes = 32;
}  // namespace

MetaCreatePenIndirect MetaCreatePenIndirect::Read(const RecordReader& r) {
    return {r.U16(P), r.I16(P + 2), r.U32(P + 6)};
}

MetaCreateBrushIndirect MetaCreateBrushIndirect::Read(const RecordReader& r) {
    return {r.U16(P), r.U32(P + 2), r.U16(P + 6)};
}

MetaCreateFontIndirect MetaCreateFontIndirect::Read(const RecordReader& r) {
    MetaCreateFontIndirect f{
        r.I16(P),     r.I16(P + 2), r.I16(P + 4), r.I16(P + 6), r.I16(P + 8), r.U8(P + 10), r.U8(P + 11),
        r.U8(P + 12), r.U8(P + 13), r.U8(P + 14), r.U8(P + 15), r.U8(P + 16), r.U8(P + 17), {}};
    for (std::size_t i = 0; i < kFaceNameBytes && P + 18 + i < r.Size(); ++i) {
        const std::uint8_t c = r.U8(P + 18 + i);
        if (c == 0) break;
        f.face += char(c);
    }
    return f;
}

MetaCreatePalette MetaCreatePalette::Read(const RecordReader& r) {
    const std::uint16_t count = std::min<std::uint16_t>(r.U16(P + 2), 256);
    const auto entries = r.Block(P + 4, count, 4);
    return {count, std::vector<std::uint8_t>(entries.begin(), entries.end())};
}

}  // namespace platform
