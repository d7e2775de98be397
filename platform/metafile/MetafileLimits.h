#pragma once
// Bounds of the metafile service. A file beyond them is refused or drawn only in part.

#include <cstddef>
#include <cstdint>

namespace platform {

// Largest enhanced metafile accepted as a whole, in bytes.
constexpr std::uint32_t kMaxMetafileBytes = 256u << 20;
// Smallest enhanced header (the record up to szlMillimeters).
constexpr std::uint32_t kMinEnhHeaderBytes = 88;
// Object-table entries a player keeps; indexes beyond it select nothing.
constexpr std::uint32_t kMaxObjects = 65535;
// Nesting of SaveDC; deeper saves are ignored.
constexpr std::size_t kMaxSaveDepth = 1024;
// Points of one polygon, polyline or curve record (more would not fit the size limit anyway).
constexpr std::uint32_t kMaxPolyPoints = 1u << 22;
// Elements a path may collect before further drawing into it is dropped.
constexpr int kMaxPathElements = 1 << 20;
// Characters of one text record.
constexpr std::uint32_t kMaxTextChars = 8192;
// Pixel size of a font on the output; larger text is not drawn.
constexpr double kMaxFontPixels = 4096;
// Pixels of a bitmap carried inside a record.
constexpr std::uint64_t kMaxRecordBitmapPixels = std::uint64_t(1) << 26;
// Pixels of all the bitmaps one playback decodes; later bitmap records are skipped.
constexpr std::uint64_t kMaxFileBitmapPixels = std::uint64_t(1) << 28;
// Output coordinates beyond this (in pixels, either sign) make a primitive too large to draw.
constexpr double kMaxOutputCoordinate = 1 << 24;
// Rectangles of one region record.
constexpr std::uint32_t kMaxRegionRects = 4096;

}  // namespace platform
