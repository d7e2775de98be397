#pragma once
// Colour management: pixels described by an embedded ICC profile converted to sRGB, which is
// what the site and every browser assume. This file and its .cpp are the only ones that know
// Little CMS; each profile's transform is built once and shared by every picture that carries it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace platform {

// Real profiles are a few KiB to a few hundred KiB; anything larger is ignored.
inline constexpr std::size_t kMaxIccProfileBytes = std::size_t(4) << 20;

// Pixel layouts a transform reads. Output is always blue, green, red (Bgrx keeps its fourth byte).
enum class IccPixels {
    Bgr,
    Bgrx,
    Cmyk,
    InvertedCmyk,  // 0 is full ink, as Adobe applications store CMYK JPEGs
};

class IccTransform {
public:
    IccTransform(void* handle, IccPixels input) : handle_(handle), input_(input) {}
    ~IccTransform();
    IccTransform(const IccTransform&) = delete;
    IccTransform& operator=(const IccTransform&) = delete;

    IccPixels Input() const { return input_; }
    // `out` holds 3 bytes per pixel (4 for Bgrx); it may be `in` when the sizes agree.
    // Safe to call from several threads at once.
    void Translate(const std::uint8_t* in, std::uint8_t* out, std::size_t pixels) const;

private:
    void* handle_;
    IccPixels input_;
};

// The transform from the profile to sRGB with perceptual intent, or null when the pixels are to
// stay as stored: no profile, a profile that is sRGB in all but name,
// one larger than the limit, damaged, of another colour space than the pixels, or refused by
// the library. Never raises for the profile's sake.
std::shared_ptr<const IccTransform> TransformToSrgb(std::span<const std::uint8_t> profile, IccPixels input);

}  // namespace platform
