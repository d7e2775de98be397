#include "ui/GraphicRenderer.h"

#include <cstring>

#include "graphics/Canvas.h"
#include "platform/Gdi.h"

namespace {

platform::BITMAPINFO TopDown32(int width, int height) {
    platform::BITMAPINFO info;
    info.bmiHeader.biSize = 40;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = platform::BI_RGB;
    return info;
}

// A memory context with a 32-bit top-down surface; released with the object.
class Surface32 {
public:
    Surface32(int width, int height) {
        const platform::HDC screen = platform::GetDC(nullptr);
        dc_ = platform::CreateCompatibleDC(screen);
        platform::ReleaseDC(nullptr, screen);
        if (!dc_) return;
        surface_ = platform::CreateDIBSection(dc_, TopDown32(width, height), platform::DIB_RGB_COLORS, &bits_);
        if (surface_) previous_ = platform::SelectObject(dc_, surface_);
    }
    ~Surface32() {
        if (dc_ && previous_) platform::SelectObject(dc_, previous_);
        if (dc_) platform::DeleteDC(dc_);
    }
    Surface32(const Surface32&) = delete;
    Surface32& operator=(const Surface32&) = delete;

    bool Valid() const { return surface_ && bits_; }
    const platform::HDC& Context() const { return dc_; }
    std::uint32_t* Pixels() const { return static_cast<std::uint32_t*>(bits_); }

private:
    platform::HDC dc_;
    platform::HBITMAP surface_;
    platform::HBITMAP previous_;
    void* bits_ = nullptr;
};

}  // namespace

QImage RenderGraphic(TGraphic& graphic, const QRect& area, QColor background) {
    if (area.isEmpty()) return {};
    Surface32 surface(area.width(), area.height());
    if (!surface.Valid()) return {};
    const std::size_t count = std::size_t(area.width()) * std::size_t(area.height());
    const std::uint32_t fill = background.rgb() & 0x00FFFFFFu;  // blue, green, red in memory order
    std::uint32_t* pixels = surface.Pixels();
    for (std::size_t i = 0; i < count; ++i) pixels[i] = fill;

    TCanvas canvas;
    canvas.SetHandle(surface.Context());
    canvas.DrawGraphicAt(-area.left(), -area.top(), &graphic);
    canvas.SetHandle(nullptr);
    platform::GdiFlush();

    QImage image(area.size(), QImage::Format_RGB32);
    for (int y = 0; y < area.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        const std::uint32_t* source = pixels + std::size_t(y) * std::size_t(area.width());
        for (int x = 0; x < area.width(); ++x) row[x] = source[x] | 0xFF000000u;
    }
    return image;
}
