#include "jpeg/DisplayColors.h"

namespace jpeg {
namespace {

// One screen context per question, released again.
class ScreenContext {
public:
    ScreenContext() : dc_(platform::GetDC(nullptr)) {}
    ~ScreenContext() { platform::ReleaseDC(nullptr, dc_); }
    ScreenContext(const ScreenContext&) = delete;
    ScreenContext& operator=(const ScreenContext&) = delete;
    const platform::HDC& Handle() const { return dc_; }
    int ColorBits() const {
        return platform::GetDeviceCaps(dc_, platform::BITSPIXEL) * platform::GetDeviceCaps(dc_, platform::PLANES);
    }

private:
    platform::HDC dc_;
};

}  // namespace

int DisplayColorBits() { return ScreenContext().ColorBits(); }

platform::HPALETTE DisplayHalftonePalette() {
    ScreenContext screen;
    if (screen.ColorBits() > 8) return nullptr;
    return platform::CreateHalftonePalette(screen.Handle());
}

}  // namespace jpeg
