// Windows-metafile text: TextOut and ExtTextOut become ExtTextOutW records, the 8-bit string
// widened by the selected font's character set.
#include "platform/LittleEndian.h"
#include "platform/metafile/MetafileLimits.h"
#include "platform/metafile/SymbolFont.h"
#include "platform/metafile/WmfConverter.h"
#include "platform/metafile/WmfRecords.h"
#include "platform/metafile/EmfRecordType.h"
#include "platform/metafile/WmfRecordType.h"

namespace platform {

namespace {

constexpr std::size_t P = kWmfParams;
constexpr std::uint32_t ETO_OPAQUE = 0x2, ETO_CLIPPED = 0x4;
constexpr std::int32_t GM_COMPATIBLE = 1;
constexpr std::int32_t kStringOffset = 76;

}  // namespace

void WmfConverter::Text(POINT reference, std::uint32_t options, const RECT* rect, std::span<const std::uint8_t> chars,
                        const std::vector<std::int32_t>& dx) {
    const std::size_t n = std::min<std::size_t>(chars.size(), kMaxTextChars);
    std::vector<std::uint8_t> tail;
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t c = fontCharSet_ == SYMBOL_CHARSET ? SymbolUnit(fontSymbols_, chars[i]) : char16_t(chars[i]);
        AppendLittleU16(tail, c);
    }
    while (tail.size() % 4) tail.push_back(0);
    const std::int32_t offDx = dx.empty() ? 0 : kStringOffset + std::int32_t(tail.size());
    for (std::size_t i = 0; i < n && !dx.empty(); ++i) AppendLittleU32(tail, std::uint32_t(dx[i]));
    const RECT box = rect ? *rect : RECT{};
    writer_->Record(EMR_EXTTEXTOUTW,
                    {0, 0, -1, -1, GM_COMPATIBLE, 0, 0, reference.x, reference.y, std::int32_t(n), kStringOffset,
                     std::int32_t(rect ? options : options & ~(ETO_OPAQUE | ETO_CLIPPED)), box.left, box.top, box.right,
                     box.bottom, offDx},
                    tail);
}

bool WmfConverter::ConvertText(const RecordReader& r, std::uint16_t function) {
    if (function == META_TEXTOUT) {
        const std::int16_t length = r.I16(P);
        if (length < 0) return true;
        const auto chars = r.Block(P + 2, std::uint32_t(length), 1);
        const std::size_t at = P + 2 + ((std::size_t(length) + 1) & ~std::size_t(1));
        Text(ReversedPoint(r, at), 0, nullptr, chars, {});
        return true;
    }
    if (function != META_EXTTEXTOUT) return false;
    const POINT reference{r.I16(P + 2), r.I16(P)};
    const std::int16_t length = r.I16(P + 4);
    const std::uint16_t options = r.U16(P + 6);
    if (length < 0) return true;
    const std::size_t body = r.Size() - P - 8;
    const std::size_t stringBytes = (std::size_t(length) + 1) & ~std::size_t(1);
    // The rectangle is there when the options use it; the advances when the bytes leave room.
    bool hasRect = (options & (ETO_OPAQUE | ETO_CLIPPED)) != 0;
    if (!hasRect && body >= 8 + stringBytes + 2 * std::size_t(length) && body != stringBytes + 2 * std::size_t(length))
        hasRect = true;
    const std::size_t stringAt = P + 8 + (hasRect ? 8 : 0);
    const RECT rect = hasRect ? RECT{r.I16(P + 8), r.I16(P + 10), r.I16(P + 12), r.I16(P + 14)} : RECT{};
    const auto chars = r.Block(stringAt, std::uint32_t(length), 1);
    std::vector<std::int32_t> dx;
    const std::size_t dxAt = stringAt + stringBytes;
    if (dxAt + 2 * std::size_t(length) <= r.Size() && length > 0)
        for (std::int16_t i = 0; i < length; ++i) dx.push_back(r.I16(dxAt + 2 * std::size_t(i)));
    Text(reference, options, hasRect ? &rect : nullptr, chars, dx);
    return true;
}

}  // namespace platform
