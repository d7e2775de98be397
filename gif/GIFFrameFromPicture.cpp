// Making a frame from a picture: a bitmap of at most 256 colours keeps its palette and indices;
// any other is first reduced by the image's settings. Other graphics are drawn onto a bitmap
// first. A transparent bitmap's transparent colour becomes the frame's transparent index.
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "gif/ColorReduction.h"
#include "gif/GIFDIB.h"
#include "gif/GIFImage.h"
#include "gif/GIFMessages.h"
#include "graphics/Bitmap.h"
#include "graphics/Picture.h"

namespace {

const TRect kNoRect{};
constexpr int kProgressRows = 32;

int BitsOf(TPixelDepth depth) {
    switch (depth) {
    case TPixelDepth::Bits1: return 1;
    case TPixelDepth::Bits4: return 4;
    case TPixelDepth::Bits8: return 8;
    default: return 0;
    }
}

// Pixel x of a 24-bit row (blue, green, red) as 0x00BBGGRR.
TColor RowColor(const std::uint8_t* row, int x) {
    return TColor(row[3 * x + 2] | row[3 * x + 1] << 8 | row[3 * x] << 16);
}

std::uint8_t IndexIn(const std::uint8_t* row, int x, int bits) {
    if (bits == 8) return row[x];
    if (bits == 4) return std::uint8_t(x & 1 ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
    return std::uint8_t((row[x >> 3] >> (7 - (x & 7))) & 1);
}

// The most recent colours and their map entries, searched before the map itself.
class TRecentColors {
public:
    int Find(TColor color) const {
        for (const auto& [c, index] : slots_)
            if (index >= 0 && c == color) return index;
        return -1;
    }
    void Remember(TColor color, int index) {
        slots_[next_] = {color, index};
        next_ = (next_ + 1) % slots_.size();
    }

private:
    std::array<std::pair<TColor, int>, 8> slots_{
        {{0, -1}, {0, -1}, {0, -1}, {0, -1}, {0, -1}, {0, -1}, {0, -1}, {0, -1}}};
    std::size_t next_ = 0;
};

std::unique_ptr<TBitmap> DrawnAsBitmap(TGraphic& graphic) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ChangeDepth(TPixelDepth::Bits24);
    bitmap->ResizeWidth(graphic.ImageWidth());
    bitmap->ResizeHeight(graphic.ImageHeight());
    bitmap->Canvas().StretchDrawGraphic({0, 0, graphic.ImageWidth(), graphic.ImageHeight()}, &graphic);
    return bitmap;
}

}  // namespace

void TGIFSubImage::FillFromPaletteBitmap(TBitmap& bitmap, int bits) {
    std::array<platform::PALETTEENTRY, GIFMaxColors> entries{};
    const unsigned count = std::min<unsigned>(
        platform::GetPaletteEntries(bitmap.PaletteHandle(), 0, GIFMaxColors, entries.data()), GIFMaxColors);
    colorMap_.ResetMap();
    for (unsigned i = 0; i < std::max(count, 1u); ++i)
        colorMap_.AddColor(TColor(entries[i].peRed | entries[i].peGreen << 8 | entries[i].peBlue << 16));
    for (int y = 0; y < Height(); ++y) {
        const std::uint8_t* in = bitmap.ReadScanRow(y);
        std::uint8_t* out = PixelRow(y);
        for (int x = 0; x < Width(); ++x) out[x] = IndexIn(in, x, bits);
        ReportRow(y);
    }
}

void TGIFSubImage::FillFromTrueColorBitmap(TBitmap& bitmap) {
    colorMap_.ResetMap();
    gif::TDIBReader rows(bitmap, TPixelDepth::Bits24);
    TRecentColors recent;
    for (int y = 0; y < Height(); ++y) {
        const std::uint8_t* in = rows.ScanLine(y);
        std::uint8_t* out = PixelRow(y);
        for (int x = 0; x < Width(); ++x) {
            const TColor color = RowColor(in, x);
            int index = recent.Find(color);
            if (index < 0) {
                index = colorMap_.FindColor(color);
                if (index < 0) index = colorMap_.AddColor(color);
                recent.Remember(color, index);
            }
            out[x] = std::uint8_t(index);
        }
        ReportRow(y);
    }
}

void TGIFSubImage::ReportRow(int y) {
    if (!image_ || y % kProgressRows != 0) return;
    image_->ReportProgress(this, TProgressStage::psRunning, std::uint8_t(std::int64_t(y) * 100 / Height()), false,
                           kNoRect, gifmsg::SConverting);
}

void TGIFSubImage::CopyBitmap(TBitmap& source) {
    Reset();
    constexpr int kMaxSide = 0xFFFF;  // the file's 16-bit sizes
    if (source.ImageWidth() > kMaxSide || source.ImageHeight() > kMaxSide) RaiseGIFError(gifmsg::SFrameTooLarge);
    SetBounds(0, 0, source.ImageWidth(), source.ImageHeight());
    if (IsEmpty()) return;
    std::optional<TColor> transparent;
    if (source.IsTransparent()) transparent = source.TransparentColor() & 0xFFFFFF;
    int bits = BitsOf(source.CurrentDepth());
    std::unique_ptr<TBitmap> reduced;
    TBitmap* indexed = &source;
    if (bits == 0) {
        reduced = image_ ? gif::ReduceToPalette(source, image_->ColorReduction, image_->DitherMode,
                                                image_->ReductionPalette, image_->ReductionBits)
                         : gif::ReduceToPalette(source, TColorReduction::WebColors, TDitherMode::Nearest, nullptr, 8);
        indexed = reduced.get();
        bits = BitsOf(indexed->CurrentDepth());
    }
    if (indexed->ImageWidth() != Width() || indexed->ImageHeight() != Height()) return;  // an unknown method
    if (bits == 0) FillFromTrueColorBitmap(*indexed);
    else FillFromPaletteBitmap(*indexed, bits);
    if (transparent) AddTransparency(source, *transparent);
}

// Pixels of the source's transparent colour get a new black entry as transparent index.
void TGIFSubImage::AddTransparency(TBitmap& source, TColor transparent) {
    colorMap_.OptimizeMap();
    const int count = colorMap_.Count();
    if (count < 1 || count > GIFMaxColors - 1) return;
    const int index = colorMap_.AddColor(0);
    gif::TDIBReader rows(source, TPixelDepth::Bits24);
    bool any = false;
    for (int y = 0; y < Height(); ++y) {
        const std::uint8_t* in = rows.ScanLine(y);
        std::uint8_t* out = PixelRow(y);
        for (int x = 0; x < Width(); ++x)
            if (RowColor(in, x) == transparent) {
                out[x] = std::uint8_t(index);
                any = true;
            }
    }
    if (!any) return colorMap_.RemoveColor(index);
    auto control = std::make_unique<TGIFGraphicControlExtension>(this);
    control->Record.TransparentColorIndex = std::uint8_t(index);
    control->SetTransparency(true);
    extensions_.Add(std::move(control));
}

void TGIFSubImage::CopyGraphic(TPersistent* source) {
    if (auto* picture = dynamic_cast<TPicture*>(source)) {
        if (!picture->CurrentGraphic()) RaiseGIFError(gifmsg::SUnsupportedObject);
        return CopyGraphic(picture->CurrentGraphic());
    }
    if (auto* bitmap = dynamic_cast<TBitmap*>(source)) return CopyBitmap(*bitmap);
    auto* graphic = dynamic_cast<TGraphic*>(source);
    if (!graphic) return TGIFItem::CopyFrom(source);
    std::unique_ptr<TBitmap> drawn = DrawnAsBitmap(*graphic);
    CopyBitmap(*drawn);
}
