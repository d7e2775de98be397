#pragma once
// Mapping any colour to an entry of a limited palette: the nearest entry of a given palette, the
// 216-colour web cube, 256 gray levels, black and white.

#include <array>
#include <cstdint>
#include <vector>

#include "platform/Gdi.h"

namespace gif {

struct TRgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

class TColorLookup {
public:
    explicit TColorLookup(int colors) : colors_(colors) {}
    virtual ~TColorLookup() = default;
    // The palette index for the colour; `found` receives that entry's colour.
    virtual int LookupColor(TRgb color, TRgb& found) = 0;
    int Colors() const { return colors_; }

protected:
    int colors_;
};

// The nearest entry (smallest sum of component differences, the first of equals) of up to 256
// palette entries, each answer kept in a table of 32 levels per component.
class TFastColorLookup : public TColorLookup {
public:
    explicit TFastColorLookup(const platform::HPALETTE& palette);
    int LookupColor(TRgb color, TRgb& found) override;

private:
    static int Cell(TRgb c) { return (c.r >> 3) + 32 * (c.g >> 3) + 1024 * (c.b >> 3); }
    std::vector<TRgb> entries_;
    std::vector<std::int16_t> inverse_;
};

// The web cube: 6 levels of 51 per component, index 36r + 6g + b.
class TNetscapeColorLookup : public TColorLookup {
public:
    TNetscapeColorLookup() : TColorLookup(216) {}
    int LookupColor(TRgb color, TRgb& found) override;
};

class TGrayScaleLookup : public TColorLookup {
public:
    TGrayScaleLookup() : TColorLookup(256) {}
    int LookupColor(TRgb color, TRgb& found) override;
};

// Black (0) below a luminance of one half, white (1) from there on.
class TMonochromeLookup : public TColorLookup {
public:
    TMonochromeLookup() : TColorLookup(2) {}
    int LookupColor(TRgb color, TRgb& found) override;
};

}  // namespace gif
