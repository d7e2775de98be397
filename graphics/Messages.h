#pragma once
// Message texts of the picture model and the runtime, exactly as the program shows them.

namespace msg {
inline constexpr const char* SStreamRead = "Stream read error";
inline constexpr const char* SStreamWrite = "Stream write error";
inline constexpr const char* SMemoryStreamError = "Out of memory while expanding memory stream";
inline constexpr const char* SFOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* SNotRegularFile = "Not a regular file";
inline constexpr const char* SFCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* SUnknownExtension = "Unknown picture file extension (.%s)";
inline constexpr const char* SEmptyPicture = "Picture is empty";
inline constexpr const char* SInvalidBitmap = "Bitmap image is not valid";
inline constexpr const char* SInvalidMetafile = "Metafile is not valid";
inline constexpr const char* SInvalidMetafileFrame = "Metafile frame is not valid";
inline constexpr const char* SInvalidIcon = "Icon image is not valid";
inline constexpr const char* SInvalidPixelFormat = "Invalid pixel format";
inline constexpr const char* SUnknownClipboardFormat = "Unsupported clipboard format";
inline constexpr const char* SScanLine = "Scan line index out of range";
inline constexpr const char* SChangeIconSize = "Cannot change the size of an icon";
inline constexpr const char* SIconClipboard = "Clipboard does not support Icons";
inline constexpr const char* SNoCanvasHandle = "Canvas does not allow drawing";
inline constexpr const char* SImageCanvasNeedsBitmap = "Can only modify an image if it contains a bitmap";
inline constexpr const char* SOutOfResources = "Out of system resources";
inline constexpr const char* SOutOfMemory = "Out of memory";
inline constexpr const char* SAssignError = "Cannot assign a %s to a %s";
inline constexpr const char* SOSError = "System Error.  Code: %d.\n%s";
inline constexpr const char* SAbstractError = "Abstract Error";
inline constexpr const char* SZeroDivide = "Floating point division by zero";
inline constexpr const char* SInvalidOp = "Invalid floating point operation";
inline constexpr const char* SOverflow = "Floating point overflow";
inline constexpr const char* SFileNotFound = "File not found";
inline constexpr const char* SInvalidFilename = "Invalid filename";
inline constexpr const char* STooManyOpenFiles = "Too many open files";
inline constexpr const char* SAccessDenied = "File access denied";
inline constexpr const char* SInOutError = "I/O error %d";
inline constexpr const char* SMetafilesDescription = "Metafiles";
inline constexpr const char* SEnhMetafilesDescription = "Enhanced Metafiles";
inline constexpr const char* SIconsDescription = "Icons";
inline constexpr const char* SBitmapsDescription = "Bitmaps";
}  // namespace msg
