#pragma once
// Icon files built in the tests, field by field: bitmap images (24-bit colour with a mask) or
// PNG images (encoded by Qt, alpha 0 where masked).

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <QBuffer>
#include <QImage>

#include "graphics/BitmapTestSupport.h"

namespace icontest {

using ColorAt = std::function<std::uint32_t(int x, int y)>;  // 0x00RRGGBB, y from the top
using MaskedAt = std::function<bool(int x, int y)>;          // true: transparent

struct IconImage {
    int width = 0, height = 0;
    ColorAt color;
    MaskedAt masked = [](int, int) { return false; };
    bool png = false;
    int sizeByte = -1;  // the directory's size bytes; -1: the width and height
};

using bitmaptest::Put16;
using bitmaptest::Put32;

inline std::vector<std::uint8_t> PngBytes(const IconImage& image) {
    QImage q(image.width, image.height, QImage::Format_ARGB32);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x)
            q.setPixel(x, y, image.masked(x, y) ? 0u : 0xFF000000u | image.color(x, y));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    q.save(&buffer, "PNG");
    return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// BITMAPINFOHEADER (height doubled), 24-bit rows bottom-up, then the 1-bit mask rows.
inline std::vector<std::uint8_t> BitmapBytes(const IconImage& image) {
    std::vector<std::uint8_t> b;
    const int colorStride = (image.width * 3 + 3) / 4 * 4;
    const int maskStride = (image.width + 31) / 32 * 4;
    Put32(b, 40);
    Put32(b, std::uint32_t(image.width));
    Put32(b, std::uint32_t(image.height * 2));
    Put16(b, 1);
    Put16(b, 24);
    for (int i = 0; i < 6; ++i) Put32(b, 0);  // compression, image size, resolution, colours
    for (int y = image.height - 1; y >= 0; --y) {
        const std::size_t start = b.size();
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t c = image.color(x, y);
            b.insert(b.end(), {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
        }
        b.resize(start + std::size_t(colorStride), 0);
    }
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(std::size_t(maskStride), 0);
        for (int x = 0; x < image.width; ++x)
            if (image.masked(x, y)) row[std::size_t(x / 8)] |= std::uint8_t(0x80 >> (x % 8));
        b.insert(b.end(), row.begin(), row.end());
    }
    return b;
}

inline std::vector<std::uint8_t> IcoFile(const std::vector<IconImage>& images, std::uint16_t type = 1) {
    std::vector<std::vector<std::uint8_t>> bodies;
    for (const IconImage& image : images) bodies.push_back(image.png ? PngBytes(image) : BitmapBytes(image));
    std::vector<std::uint8_t> b;
    Put16(b, 0);
    Put16(b, type);
    Put16(b, std::uint32_t(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const IconImage& image = images[i];
        b.push_back(std::uint8_t(image.sizeByte >= 0 ? image.sizeByte : image.width));
        b.push_back(std::uint8_t(image.sizeByte >= 0 ? image.sizeByte : image.height));
        b.push_back(0);  // colour count: unlimited
        b.push_back(0);
        Put16(b, 1);   // planes
        Put16(b, 24);  // bit count
        Put32(b, std::uint32_t(bodies[i].size()));
        Put32(b, offset);
        offset += std::uint32_t(bodies[i].size());
    }
    for (const auto& body : bodies) b.insert(b.end(), body.begin(), body.end());
    return b;
}

// Solid colour, or the colour with a transparent top-left quarter (black under the mask, as
// icon painters store it).
inline IconImage Solid(int size, std::uint32_t color, bool png = false) {
    return IconImage{size, size, [color](int, int) { return color; }, [](int, int) { return false; }, png};
}
inline IconImage QuarterCut(int size, std::uint32_t color, bool png = false) {
    const auto masked = [size](int x, int y) { return x < size / 2 && y < size / 2; };
    return IconImage{size, size, [color, masked](int x, int y) { return masked(x, y) ? 0 : color; }, masked, png};
}

}  // namespace icontest
