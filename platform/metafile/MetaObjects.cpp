// The stock pens, brushes and fonts of a playback context.
#include "platform/metafile/MetaObjects.h"

namespace platform {

namespace {

MetaObject SolidBrush(COLORREF color) {
    auto b = std::make_shared<MetaBrush>();
    b->color = color;
    return std::shared_ptr<const MetaBrush>(b);
}

MetaObject StockPen(COLORREF color, int style) {
    auto p = std::make_shared<MetaPen>();
    p->color = color;
    p->style = std::uint32_t(style);
    return std::shared_ptr<const MetaPen>(p);
}

MetaObject StockFont(bool fixed) {
    auto f = std::make_shared<MetaFont>();
    f->height = 16;
    f->weight = fixed ? 400 : 700;
    f->face = fixed ? QStringLiteral("Courier New") : QStringLiteral("Arial");
    return std::shared_ptr<const MetaFont>(f);
}

}  // namespace

MetaObject StockObject(std::uint32_t index) {
    switch (index & 0x7FFFFFFFu) {
    case 0: return SolidBrush(0xFFFFFF);
    case 1: return SolidBrush(0xC0C0C0);
    case 2: return SolidBrush(0x808080);
    case 3: return SolidBrush(0x404040);
    case 4: return SolidBrush(0x000000);
    case 5: {
        auto b = std::make_shared<MetaBrush>();
        b->style = BS_NULL;
        return std::shared_ptr<const MetaBrush>(b);
    }
    case 6: return StockPen(0xFFFFFF, PS_SOLID);
    case 7: return StockPen(0x000000, PS_SOLID);
    case 8: return StockPen(0x000000, PS_NULL);
    case 10:
    case 11:
    case 16: return StockFont(true);
    case 12:
    case 13:
    case 14:
    case 17: return StockFont(false);
    case 18: return SolidBrush(0xFFFFFF);
    case 19: return StockPen(0x000000, PS_SOLID);
    default: return std::monostate{};
    }
}

}  // namespace platform
