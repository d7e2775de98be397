#pragma once
// Message texts of the JPEG image, exactly as the program shows them.

namespace msg {
inline constexpr const char* SJPEGError = "JPEG error #%d";
inline constexpr const char* SChangeJPEGSize = "Cannot change the size of a JPEG image";
inline constexpr const char* SJPEGImageFile = "JPEG Image File";
}  // namespace msg
