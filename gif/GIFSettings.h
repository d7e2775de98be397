#pragma once
// Settings of a GIF image that choose how frames are drawn, reduced and encoded.

#include <cstdint>

// Paint options, one bit each.
enum TGIFPaintOption : std::uint16_t {
    goThreadedPaint = 1 << 0,
    goDrawTransparent = 1 << 1,
    goAnimateFrames = 1 << 2,
    goRepeatLoops = 1 << 3,
    goLoopEndlessly = 1 << 4,
    goCheckCanvasValid = 1 << 5,
    goPaintOnTarget = 1 << 6,
    goResetOnLoop = 1 << 7,
    goTileImage = 1 << 8,
    goDitherToWebPalette = 1 << 9,
    goDitherOnPaletteDisplayOnly = 1 << 10,
};
inline constexpr std::uint16_t DefaultPaintOptions = goThreadedPaint | goDrawTransparent | goAnimateFrames |
                                                     goRepeatLoops | goDitherToWebPalette |
                                                     goDitherOnPaletteDisplayOnly;

enum class TColorReduction : std::int32_t {
    KeepColors = 0,
    SystemColors20 = 1,
    Halftone256 = 2,
    FourGrays = 3,
    BlackWhite = 4,
    Grays256 = 5,
    WebColors = 6,
    OptimizedColors = 7,
    OptimizedWithSystemColors = 8,
    GivenPalette = 9,
};

enum class TDitherMode : std::int32_t {
    Nearest = 0,
    FloydSteinberg = 1,
    Stucki = 2,
    Sierra = 3,
    JaJuNi = 4,
    SteveArche = 5,
    Burkes = 6,
};

enum class TGIFCompression : std::int32_t { LZW = 0, RLE = 1 };

// In the order of platform::ThreadPriority, which carries it out.
enum class TPainterPriority : std::int32_t { Idle, Lowest, Lower, Normal, Higher, Highest, TimeCritical };

// How long one thread waits for another while drawing, in milliseconds. A first frame that has
// not come in time leaves the draw with what the composed screen holds; an owner thread that
// does not take up a painter's step in time stops the painter.
struct TGIFWaitLimits {
    std::int64_t FirstFrameMs = 10000;
    std::int64_t OwnerStepMs = 60000;
};

// Animation timing, in units of the Delay Time (nominally 1/100 s).
namespace gif {
inline constexpr int DelayUnitMs = 12;
inline constexpr int DefaultFrameDelay = 10;
inline constexpr int MinimumFrameDelay = 3;
inline constexpr int MaximumFrameDelay = 1000;
inline constexpr std::int64_t LargeFramePixelLimit = 500000;
}  // namespace gif
