#pragma once
// A drawing context: the selected surface and objects, colours, modes and origins.

#include "platform/Gdi.h"
#include "platform/GdiTypes.h"

namespace platform {

class DeviceContext : public GdiObject {
public:
    explicit DeviceContext(bool display);
    ~DeviceContext() override;
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    bool IsDisplay() const { return display_; }
    // The selected surface; null for the display context, which has no memory of its own.
    Surface* Target() const { return bitmap.get(); }
    // Swaps in a surface, keeping the one-context-per-surface rule; false when it is taken.
    bool Select(const HBITMAP& surface);
    void Release();  // deselects everything; the context is dead afterwards

    HBITMAP bitmap;
    HPEN pen;
    HBRUSH brush;
    HFONT font;
    HPALETTE palette;
    COLORREF bkColor = 0xFFFFFF;
    COLORREF textColor = 0x000000;
    int bkMode = OPAQUE;
    int stretchMode = BLACKONWHITE;
    POINT brushOrigin;
    POINT penPosition;

private:
    bool display_;
};

}  // namespace platform
