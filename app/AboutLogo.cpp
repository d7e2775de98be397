#include "app/AboutLogo.h"

#include <string_view>
#include <vector>

#include "graphics/Bitmap.h"
#include "resources/Resources.h"

namespace {

// What TPicture reads back: the graphic's class name after its length byte, then the bitmap's
// own block, the BMP file after its 32-bit little-endian size.
std::vector<std::uint8_t> BitmapPictureBlock(std::span<const std::uint8_t> bmp) {
    const std::string_view name = TBitmap::Class.name;
    std::vector<std::uint8_t> block;
    block.reserve(1 + name.size() + 4 + bmp.size());
    block.push_back(std::uint8_t(name.size()));
    block.insert(block.end(), name.begin(), name.end());
    for (int shift = 0; shift < 32; shift += 8) block.push_back(std::uint8_t(bmp.size() >> shift));
    block.insert(block.end(), bmp.begin(), bmp.end());
    return block;
}

}  // namespace

std::span<const std::uint8_t> AboutLogoData() {
    static const std::vector<std::uint8_t> block = BitmapPictureBlock({AboutLogoBmp, AboutLogoBmpSize});
    return block;
}
