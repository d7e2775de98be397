#include <array>

#include "platform/Gdi.h"

namespace platform {

namespace {
// Indexes 0 (scroll bar) to 30 (menu bar) of a classic Windows desktop.
constexpr std::array<COLORREF, 31> kSystemColors{
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219), RGB(240, 240, 240),
    RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(180, 180, 180), RGB(244, 247, 252), RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255),
    RGB(240, 240, 240), RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),       RGB(255, 255, 225),
    RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234), RGB(215, 228, 242), RGB(51, 153, 255),
    RGB(240, 240, 240)};
}  // namespace

COLORREF GetSysColor(int index) {
    return index >= 0 && std::size_t(index) < kSystemColors.size() ? kSystemColors[std::size_t(index)] : 0;
}

}  // namespace platform
