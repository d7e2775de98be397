#pragma once
// The source of a blit read as colours the destination understands: a monochrome
// device-dependent source takes the destination context's text colour for 0 bits and its
// background colour for 1 bits; a colour source going to a monochrome device-dependent
// destination gives white where it equals the source context's background colour, black elsewhere.
// Between two monochrome surfaces bits are copied as they are.

#include <cstdint>
#include <optional>

#include "platform/ColorTable.h"
#include "platform/PixelFormat.h"

namespace platform {

class DeviceContext;
class Surface;

class BlitSource {
public:
    BlitSource(const DeviceContext& source, const Surface& surface, const DeviceContext& destination,
               const Surface& target);

    void Read(int y, int x, int count, Rgb* out) const;
    void Gather(int y, const std::int32_t* xs, int count, Rgb* out) const;

private:
    void ApplyBackgroundRule(Rgb* row, int count) const;

    const Surface& surface_;
    ColorTable substitute_;  // the colours 0 and 1 bits stand for, when not the source's own
    std::optional<PixelCodec> codec_;
    bool toMonochrome_ = false;
    Rgb background_ = 0;  // the source background as the source stores it
};

}  // namespace platform
