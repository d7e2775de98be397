#pragma once
// Small helpers of the bitmap, canvas and BMP tests.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Streams.h"

namespace bitmaptest {

// A bitmap of the given depth and size; Device gives the display format.
inline void Shape(TBitmap& bitmap, TPixelDepth depth, int width, int height) {
    if (depth != TPixelDepth::Device) bitmap.ChangeDepth(depth);
    bitmap.ResizeWidth(width);
    bitmap.ResizeHeight(height);
}

inline platform::COLORREF Pixel(TBitmap& bitmap, int x, int y) {
    return platform::COLORREF(bitmap.Canvas().PixelAt(x, y));
}

inline void Paint(TBitmap& bitmap, int x, int y, TColor color) { bitmap.Canvas().SetPixelAt(x, y, color); }

inline TMemoryStream StreamOf(const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    return stream;
}

inline std::vector<std::uint8_t> BytesOf(TMemoryStream& stream) {
    return std::vector<std::uint8_t>(stream.Memory(), stream.Memory() + stream.Size());
}

inline std::vector<std::uint8_t> Saved(TBitmap& bitmap) {
    TMemoryStream stream;
    bitmap.SaveToStream(stream);
    return BytesOf(stream);
}

inline void Load(TBitmap& bitmap, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream = StreamOf(bytes);
    bitmap.LoadFromStream(stream);
}

// Little-endian fields appended to a byte array, so test files read field by field.
inline void Put16(std::vector<std::uint8_t>& b, std::uint32_t v) {
    b.push_back(std::uint8_t(v));
    b.push_back(std::uint8_t(v >> 8));
}
inline void Put32(std::vector<std::uint8_t>& b, std::uint32_t v) {
    Put16(b, v & 0xFFFF);
    Put16(b, v >> 16);
}

// Runs the action and expects it to raise E with exactly this message.
template <class E, class Action>
void ExpectFailure(Action action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no failure";
    } catch (const E& e) {
        EXPECT_EQ(e.Message(), message);
    }
}

}  // namespace bitmaptest
