#pragma once
// The drawing objects a metafile creates into its object table: pens, brushes, fonts, palettes.

#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

#include "platform/GdiTypes.h"
#include "platform/metafile/MetaPen.h"

namespace platform {

struct MetaBrush {
    std::uint32_t style = BS_SOLID;
    COLORREF color = 0xFFFFFF;
    int hatch = 0;
    QImage pattern;           // for DIB pattern brushes
    bool monochrome = false;  // the pattern is black for 0 bits and white for 1 bits, which
                              // draw in the text and the background colour
};

struct MetaFont {
    std::int32_t height = 0;
    std::int32_t width = 0;
    std::int32_t escapement = 0;  // tenths of a degree, counter-clockwise
    std::int32_t weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    std::uint8_t charSet = 0;
    std::uint8_t pitchAndFamily = 0;
    QString face;
};

struct MetaPalette {
    std::vector<PALETTEENTRY> entries;
};

using MetaObject = std::variant<std::monostate, std::shared_ptr<const MetaPen>, std::shared_ptr<const MetaBrush>,
                                std::shared_ptr<const MetaFont>, std::shared_ptr<const MetaPalette>>;

// The stock objects a record may select by index 0x80000000 + n; monostate for unknown ones.
MetaObject StockObject(std::uint32_t index);

}  // namespace platform
