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
    if (function != META_TEXTOUT && function != META_EXTTEXTOUT) return false;
    const MetaExtTextOut t = MetaExtTextOut::Read(r);
    Text(t.reference, t.options, t.hasRect ? &t.rect : nullptr, t.chars, t.dx);
    return true;
}

}  // namespace platform
