#include "formats/FormatLimits.h"

#include "graphics/Exceptions.h"

void formats::CheckPictureSize(std::int64_t width, std::int64_t height, const char* message) {
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide || width * height > kMaxPixels)
        throw EInvalidGraphic(message);
}
