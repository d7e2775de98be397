#pragma once
// Message texts of the PNG, WebP and HEIF images, exactly as the program shows them.

namespace msg {
inline constexpr const char* SInvalidPng = "PNG image is not valid";
inline constexpr const char* SInvalidWebP = "WebP image is not valid";
inline constexpr const char* SInvalidHeif = "HEIF image is not valid";
inline constexpr const char* SChangeRasterSize = "Cannot change the size of a %s image";
inline constexpr const char* SPngImageFile = "PNG Image File";
inline constexpr const char* SWebPImageFile = "WebP Image File";
inline constexpr const char* SHeifImageFile = "HEIF Image File";
}  // namespace msg
