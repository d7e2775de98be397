#include "platform/RasterOp.h"

#include <algorithm>

namespace platform {

Rgb Rop3(std::uint8_t index, Rgb pattern, Rgb source, Rgb destination) {
    Rgb result = 0;
    for (unsigned term = 0; term < 8; ++term) {
        if (!(index >> term & 1)) continue;
        result |= ((term & 4) ? pattern : ~pattern) & ((term & 2) ? source : ~source) &
                  ((term & 1) ? destination : ~destination);
    }
    return result & 0xFFFFFF;
}

namespace {
// The operations that only copy, fill or invert one operand skip the general evaluation.
bool ApplySimple(std::uint8_t index, const Rgb* p, const Rgb* s, const Rgb* d, Rgb* out, int count) {
    switch (index) {
    case 0x00: std::fill_n(out, count, Rgb(0)); return true;
    case 0xFF: std::fill_n(out, count, Rgb(0xFFFFFF)); return true;
    case 0xCC: std::copy_n(s, count, out); return true;
    case 0xF0: std::copy_n(p, count, out); return true;
    case 0xAA: std::copy_n(d, count, out); return true;
    case 0x33: std::transform(s, s + count, out, [](Rgb v) { return ~v & 0xFFFFFF; }); return true;
    case 0x55: std::transform(d, d + count, out, [](Rgb v) { return ~v & 0xFFFFFF; }); return true;
    case 0x88: std::transform(s, s + count, d, out, [](Rgb a, Rgb b) { return a & b; }); return true;
    case 0xEE: std::transform(s, s + count, d, out, [](Rgb a, Rgb b) { return a | b; }); return true;
    case 0x66: std::transform(s, s + count, d, out, [](Rgb a, Rgb b) { return a ^ b; }); return true;
    case 0x5A: std::transform(p, p + count, d, out, [](Rgb a, Rgb b) { return a ^ b; }); return true;
    default: return false;
    }
}
}  // namespace

void ApplyRop(std::uint8_t index, const Rgb* p, const Rgb* s, const Rgb* d, Rgb* out, int count) {
    if (ApplySimple(index, p, s, d, out, count)) return;
    for (int i = 0; i < count; ++i) out[i] = Rop3(index, p ? p[i] : 0, s ? s[i] : 0, d ? d[i] : 0);
}

}  // namespace platform
