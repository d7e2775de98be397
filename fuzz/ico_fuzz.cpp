// Any bytes as an icon file: an icon or the reader's own failure, never a crash; what loads is
// drawn once, which builds its image, and saved.

#include <cstddef>
#include <cstdint>

#include "fuzz/FuzzInput.h"
#include "graphics/Exceptions.h"
#include "graphics/Icon.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto stream = StreamOf(data, size);
    TIcon icon;
    try {
        icon.LoadFromStream(*stream);
    } catch (const EInvalidGraphic&) {
        return 0;
    } catch (const EReadError&) {  // shorter than the header
        return 0;
    }
    // Past the header every damage is the icon's own failure.
    try {
        DrawSmall(icon);
    } catch (const EInvalidGraphic&) {
    }
    TMemoryStream written;
    icon.SaveToStream(written);
    return 0;
}
