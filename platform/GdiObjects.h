#pragma once
// Pens, brushes and fonts: the logical descriptions a context draws with.

#include "platform/Gdi.h"

namespace platform {

class Pen : public GdiObject {
public:
    explicit Pen(const LOGPEN& info) : info_(info) {}
    const LOGPEN& Info() const { return info_; }

private:
    LOGPEN info_;
};

class Brush : public GdiObject {
public:
    explicit Brush(const LOGBRUSH& info, HBITMAP pattern = nullptr) : info_(info), pattern_(std::move(pattern)) {}
    const LOGBRUSH& Info() const { return info_; }
    const HBITMAP& Pattern() const { return pattern_; }  // for BS_PATTERN

private:
    LOGBRUSH info_;
    HBITMAP pattern_;
};

class Font : public GdiObject {
public:
    explicit Font(const LOGFONT& info) : info_(info) {}
    const LOGFONT& Info() const { return info_; }

private:
    LOGFONT info_;
};

}  // namespace platform
