#pragma once
// The settings a JPEG image carries, and the process-wide record every new image copies them from.

#include <cstdint>

enum class TJpegDepth : std::uint8_t { Depth24 = 0, Depth8 = 1 };
enum class TJpegSpeed : std::uint8_t { FavourQuality = 0, FavourSpeed = 1 };
enum class TJpegScale : std::uint8_t { ScaleFull = 0, ScaleHalf = 1, ScaleQuarter = 2, ScaleEighth = 3 };

struct TJpegDefaults {
    std::uint8_t JpegQuality = 90;  // the image class's own; the program always sets its quality
    bool GrayOutput = false;
    TJpegSpeed DecodeSpeed = TJpegSpeed::FavourQuality;
    TJpegDepth DecodeDepth = TJpegDepth::Depth24;  // chosen from the display at start-up
    bool IncrementalDisplay = false;
    bool WriteProgressive = false;
    TJpegScale DecodeScale = TJpegScale::ScaleFull;
    bool BlockSmoothing = true;
};

// Written once at start-up (StartJpegModule), read by every new TJPEGImage.
extern TJpegDefaults JpegDefaults;
