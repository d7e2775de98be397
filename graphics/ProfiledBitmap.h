#pragma once
// The bitmap a decoded picture holds, with the colour transform its pixels may still wait for.
//
// A photo with a colour profile decodes as stored; its pixels are brought to sRGB when all of
// them are first asked for, and a drawing smaller than the picture converts only the pixels it
// picks. Both give the same result, since such a drawing takes whole source pixels, and the
// conversion of a 24-megapixel photo to 640 × 480 then costs little more than an untagged one.
// Replacing or dropping the bitmap drops the transform with it.

#include <memory>

#include "graphics/Bitmap.h"
#include "platform/IccTransform.h"

class TCanvas;

class TProfiledBitmap {
public:
    TProfiledBitmap& operator=(std::unique_ptr<TBitmap> bitmap) {
        bitmap_ = std::move(bitmap);
        pending_.reset();
        return *this;
    }
    void reset() { *this = nullptr; }
    TBitmap* get() const { return bitmap_.get(); }
    TBitmap* operator->() const { return bitmap_.get(); }
    explicit operator bool() const { return bool(bitmap_); }

    void SetPendingProfile(std::shared_ptr<const platform::IccTransform> transform) { pending_ = std::move(transform); }
    const std::shared_ptr<const platform::IccTransform>& PendingProfile() const { return pending_; }

    // The bitmap with every pixel in sRGB, converted on the first call.
    TBitmap* Converted();
    // A bitmap of the rectangle's size holding, in sRGB, the pixels a drawing into `rect` would
    // take; null when the whole bitmap should be converted and drawn instead (nothing pending,
    // a drawing as large as the picture or larger, a mirrored one, or an averaging palette target).
    std::unique_ptr<TBitmap> SampledFor(TCanvas& canvas, const TRect& rect);

private:
    std::unique_ptr<TBitmap> bitmap_;
    std::shared_ptr<const platform::IccTransform> pending_;
};
