#pragma once
// The GIF library's message texts.

namespace gifmsg {
inline constexpr const char* SGIFImage = "GIF Image";
inline constexpr const char* SLoading = "Loading...";
inline constexpr const char* SSaving = "Saving...";
inline constexpr const char* SCopying = "Copying...";
inline constexpr const char* SConverting = "Converting...";
inline constexpr const char* SRendering = "Rendering...";
inline constexpr const char* SPrematureEOF = "Premature end of data";
inline constexpr const char* SBadSignature = "Invalid GIF signature";
inline constexpr const char* SUnknownExtension = "Unknown extension type";
inline constexpr const char* SBadExtensionIntroducer = "Invalid extension introducer";
inline constexpr const char* SExtensionMismatch = "Internal error: Extension Instance does not match Extension Label";
inline constexpr const char* SBadAppExtensionSize = "Unsupported Application Extension block size";
inline constexpr const char* SBadData = "Invalid GIF data";
inline constexpr const char* SUnknownBlockType = "Unknown GIF block type";
inline constexpr const char* SImageExceedsScreen = "Image exceeds Logical Screen size";
inline constexpr const char* SBadTrailer = "Invalid Image trailer";
inline constexpr const char* SBadColorIndex = "Invalid color index";
inline constexpr const char* SEmptyColorMap = "Color table is empty";
inline constexpr const char* SColorMapOverflow = "Color table overflow";
inline constexpr const char* SBadPixelCoordinates = "Invalid pixel coordinates";
inline constexpr const char* SEmptyImage = "Image is empty";
inline constexpr const char* SCircularTable = "Circular decoder table entry";
inline constexpr const char* SBitBufferUnderrun = "Decoder bit buffer under-run";
inline constexpr const char* SNoColorTable = "No global or local color table defined";
inline constexpr const char* SUnsupportedVersion = "Unsupported GIF version";
inline constexpr const char* SColorNotInTable = "Color not in color table";
inline constexpr const char* SUnsupportedObject = "Object type not supported for operation";
inline constexpr const char* SWidthTooSmall = "Image width too small for contained frames";
inline constexpr const char* SHeightTooSmall = "Image height too small for contained frames";
inline constexpr const char* SInvalidStreamOperation = "Invalid stream operation";
// Texts of this library's own limits.
inline constexpr const char* SBadCodeSize = "Invalid LZW minimum code size";
inline constexpr const char* SScreenTooLarge = "Logical Screen too large";
inline constexpr const char* SFrameTooLarge = "Image too large";
inline constexpr const char* STooManyFrames = "Too many frames";
inline constexpr const char* STooManyPixels = "Frames hold too many pixels";
}  // namespace gifmsg
