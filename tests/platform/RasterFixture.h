#pragma once
// Small helpers for raster tests: surfaces selected into their own contexts.

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/Gdi.h"

namespace rastertest {

using namespace platform;

inline BITMAPINFO Info(int width, int height, int bits, std::uint32_t compression = BI_RGB) {
    BITMAPINFO info;
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = std::uint16_t(bits);
    info.bmiHeader.biCompression = compression;
    return info;
}

// Parameterised test names from a case's `name` field: letters and digits, the rest '_'.
struct CaseName {
    template <class Info>
    std::string operator()(const Info& info) const {
        std::string name = info.param.name;
        for (char& c : name)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return name;
    }
};

// A surface selected into a fresh memory context.
struct Canvas {
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap;
    void* bits = nullptr;

    explicit Canvas(HBITMAP surface) : bitmap(std::move(surface)) { SelectObject(dc, bitmap); }
    static Canvas Device(int width, int height) { return Canvas(CreateCompatibleBitmap(nullptr, width, height)); }
    static Canvas Mono(int width, int height) { return Canvas(CreateBitmap(width, height, 1, 1, nullptr)); }
    static Canvas Dib(const BITMAPINFO& info) {
        void* bits = nullptr;
        Canvas c(CreateDIBSection(nullptr, info, DIB_RGB_COLORS, &bits));
        c.bits = bits;
        return c;
    }
    std::uint8_t* Bytes() const { return static_cast<std::uint8_t*>(bits); }

    void SetRow(int y, const std::vector<COLORREF>& colors) const {
        for (std::size_t x = 0; x < colors.size(); ++x) SetPixel(dc, int(x), y, colors[x]);
    }
    std::vector<COLORREF> GetRow(int y, int width) const {
        std::vector<COLORREF> out;
        for (int x = 0; x < width; ++x) out.push_back(GetPixel(dc, x, y));
        return out;
    }
    void Fill(COLORREF color, int width, int height) const {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) SetPixel(dc, x, y, color);
    }
};

}  // namespace rastertest
