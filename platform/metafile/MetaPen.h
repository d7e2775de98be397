#pragma once
// A pen as the metafile's pen records describe it; plain data, so that the record converters,
// which draw nothing, need no drawing library.

#include <cstdint>
#include <vector>

#include "platform/GdiTypes.h"

namespace platform {

struct MetaPen {
    std::uint32_t style = 0;  // PenStyle bits: style, end cap, join, type
    double width = 0;         // logical units; 0 draws one output pixel
    bool geometric = false;   // the width scales with the mapping
    COLORREF color = 0;
    std::vector<double> dashes;  // PS_USERSTYLE lengths, logical units
};

}  // namespace platform
