#pragma once
// Short-lived drawing contexts for the picture model's own work, released on every path.

#include "platform/Gdi.h"

// A display context for the duration of a scope.
class TScreenDC {
public:
    TScreenDC() : dc_(platform::GetDC(nullptr)) {}
    ~TScreenDC() { platform::ReleaseDC(nullptr, dc_); }
    TScreenDC(const TScreenDC&) = delete;
    TScreenDC& operator=(const TScreenDC&) = delete;
    const platform::HDC& Handle() const { return dc_; }

private:
    platform::HDC dc_;
};
// A memory context compatible with the display, deleted at the end of the scope.
class TWorkDC {
public:
    TWorkDC();
    ~TWorkDC();
    TWorkDC(const TWorkDC&) = delete;
    TWorkDC& operator=(const TWorkDC&) = delete;
    const platform::HDC& Handle() const { return dc_; }

private:
    platform::HDC dc_;
};
int DisplayBitsPerPixel();
