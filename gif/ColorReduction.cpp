#include "gif/ColorReduction.h"

#include <optional>
#include <vector>

#include "gif/ColorLookup.h"
#include "gif/ColorQuantizer.h"
#include "gif/Ditherers.h"
#include "gif/GIFDIB.h"
#include "gif/GIFSettings.h"
#include "graphics/Bitmap.h"
#include "graphics/WorkContext.h"

namespace gif {

namespace {
constexpr std::uint8_t kNoCollapse = 4;

platform::HPALETTE PaletteOf(const std::vector<TRgb>& colors) {
    std::vector<platform::PALETTEENTRY> entries;
    for (const TRgb& c : colors) entries.push_back({c.r, c.g, c.b, kNoCollapse});
    return platform::CreatePalette(entries.data(), unsigned(entries.size()));
}

std::vector<TRgb> EntriesOf(const platform::HPALETTE& palette) {
    std::vector<platform::PALETTEENTRY> read(platform::GetPaletteEntryCount(palette));
    const unsigned n = platform::GetPaletteEntries(palette, 0, unsigned(read.size()), read.data());
    std::vector<TRgb> colors;
    for (unsigned i = 0; i < n; ++i) colors.push_back({read[i].peRed, read[i].peGreen, read[i].peBlue});
    return colors;
}

TRgb PixelAt(const std::uint8_t* row, int x) { return {row[3 * x + 2], row[3 * x + 1], row[3 * x]}; }

platform::HPALETTE OptimizedPaletteOf(TDIBReader& rows, int colors, bool withSystemColors) {
    constexpr int kSystemHalf = 10;
    TColorQuantizer quantizer(withSystemColors ? colors - 2 * kSystemHalf : colors);
    for (int y = 0; y < rows.Height(); ++y) {
        const std::uint8_t* row = rows.ScanLine(y);
        for (int x = 0; x < rows.Width(); ++x) quantizer.AddColor(PixelAt(row, x));
    }
    std::vector<TRgb> palette = quantizer.Palette();
    if (withSystemColors) {
        const std::vector<TRgb> system = EntriesOf(platform::GetDefaultPalette());
        palette.resize(std::size_t(colors - 2 * kSystemHalf));
        palette.insert(palette.begin(), system.begin(), system.begin() + kSystemHalf);
        palette.insert(palette.end(), system.end() - kSystemHalf, system.end());
    }
    return PaletteOf(palette);
}

struct TMethod {
    platform::HPALETTE palette;
    std::unique_ptr<TColorLookup> lookup;
};

// The source's rows at 24 bits, made once on first use and shared by the palette and the mapping.
class TSourceRows {
public:
    explicit TSourceRows(TBitmap& source) : source_(source) {}
    TDIBReader& Get() {
        if (!rows_) rows_.emplace(source_, TPixelDepth::Bits24);
        return *rows_;
    }

private:
    TBitmap& source_;
    std::optional<TDIBReader> rows_;
};

TMethod MethodFor(TColorReduction method, TSourceRows& source, const platform::HPALETTE& given, int bits) {
    auto nearest = [](platform::HPALETTE palette) {
        auto lookup = std::make_unique<TFastColorLookup>(palette);
        return TMethod{std::move(palette), std::move(lookup)};
    };
    switch (method) {
    case TColorReduction::SystemColors20: return nearest(System20Palette());
    case TColorReduction::Halftone256: return nearest(HalftonePalette());
    case TColorReduction::FourGrays: return nearest(FourGraysPalette());
    case TColorReduction::BlackWhite: return {BlackWhitePalette(), std::make_unique<TMonochromeLookup>()};
    case TColorReduction::Grays256: return {Grays256Palette(), std::make_unique<TGrayScaleLookup>()};
    case TColorReduction::WebColors: return {WebPalette(), std::make_unique<TNetscapeColorLookup>()};
    case TColorReduction::OptimizedColors:
        return nearest(OptimizedPaletteOf(source.Get(), 1 << std::clamp(bits, 1, 8), false));
    case TColorReduction::OptimizedWithSystemColors: return nearest(OptimizedPaletteOf(source.Get(), 256, true));
    case TColorReduction::GivenPalette: return nearest(given);
    case TColorReduction::KeepColors: break;
    }
    return {};
}
}  // namespace

platform::HPALETTE WebPalette() {
    std::vector<TRgb> colors;
    for (int r = 0; r < 6; ++r)
        for (int g = 0; g < 6; ++g)
            for (int b = 0; b < 6; ++b)
                colors.push_back({std::uint8_t(51 * r), std::uint8_t(51 * g), std::uint8_t(51 * b)});
    return PaletteOf(colors);
}

platform::HPALETTE Grays256Palette() {
    std::vector<TRgb> colors;
    for (int i = 0; i < 256; ++i) colors.push_back({std::uint8_t(i), std::uint8_t(i), std::uint8_t(i)});
    return PaletteOf(colors);
}

platform::HPALETTE BlackWhitePalette() { return PaletteOf({{0, 0, 0}, {255, 255, 255}}); }

platform::HPALETTE FourGraysPalette() {
    return PaletteOf({{0, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 255}});
}

platform::HPALETTE HalftonePalette() {
    TScreenDC screen;
    return platform::CreateHalftonePalette(screen.Handle());
}

platform::HPALETTE System20Palette() { return PaletteOf(EntriesOf(platform::GetDefaultPalette())); }

platform::HPALETTE OptimizedPalette(TBitmap& bitmap, int colors, bool withSystemColors) {
    TDIBReader rows(bitmap, TPixelDepth::Bits24);
    return OptimizedPaletteOf(rows, colors, withSystemColors);
}

std::unique_ptr<TBitmap> ReduceToPalette(TBitmap& source, TColorReduction method, TDitherMode dither,
                                         const platform::HPALETTE& givenPalette, int bits) {
    auto result = std::make_unique<TBitmap>();
    if (std::int64_t(source.ImageWidth()) * source.ImageHeight() > LargeFramePixelLimit)
        result->ChangeDepth(TPixelDepth::Bits1);
    if (method == TColorReduction::KeepColors) {
        result->CopyFrom(&source);
        result->ChangeDepth(TPixelDepth::Bits24);
        return result;
    }
    TSourceRows sourceRows(source);
    TMethod chosen = MethodFor(method, sourceRows, givenPalette, bits);
    if (!chosen.lookup || chosen.lookup->Colors() == 0) return result;
    TDIBReader& rows = sourceRows.Get();
    std::unique_ptr<TDitherEngine> ditherer = MakeDitherer(dither, rows.Width(), *chosen.lookup);
    if (!ditherer || rows.Width() == 0 || rows.Height() == 0) return result;
    TDIBWriter out(*result, chosen.palette, rows.Height(), rows.Width(), TPixelDepth::Bits8);
    TRgb found;
    for (int y = 0; y < rows.Height(); ++y) {
        const std::uint8_t* in = rows.ScanLine(y);
        std::uint8_t* line = out.ScanLine(y);
        for (int i = 0; i < rows.Width(); ++i) {
            const int x = ditherer->Column();
            line[x] = std::uint8_t(ditherer->DitherColor(PixelAt(in, x), found));
        }
        ditherer->NextRow();
    }
    out.Finish();
    return result;
}

}  // namespace gif
