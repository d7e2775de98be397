#pragma once
// A logical palette: its entries as given (with their flags) and their colours for searching.

#include <vector>

#include "platform/ColorTable.h"
#include "platform/Gdi.h"

namespace platform {

class Palette : public GdiObject {
public:
    explicit Palette(std::vector<PALETTEENTRY> entries);
    const std::vector<PALETTEENTRY>& Entries() const { return entries_; }
    const ColorTable& Colors() const { return colors_; }

private:
    std::vector<PALETTEENTRY> entries_;
    ColorTable colors_;
};

}  // namespace platform
