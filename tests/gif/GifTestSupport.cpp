#include "GifTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "graphics/Streams.h"
#include "support/GiflibMemory.h"
#include "support/TestData.h"

namespace giftest {

Bytes PackCodes(int minCodeSize, const std::vector<int>& codes) {
    const int clear = 1 << minCodeSize, end = clear + 1;
    int width = minCodeSize + 1, nextFree = clear + 2;
    bool first = true;
    Bytes out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (int code : codes) {
        acc |= std::uint32_t(code) << bits;
        bits += width;
        while (bits >= 8) {
            out.push_back(std::uint8_t(acc));
            acc >>= 8;
            bits -= 8;
        }
        if (code == clear) {
            width = minCodeSize + 1;
            nextFree = clear + 2;
            first = true;
        } else if (code != end) {
            if (!first && nextFree < 4096) {
                ++nextFree;
                if (nextFree == (1 << width) && width < 12) ++width;
            }
            first = false;
        }
    }
    if (bits > 0) out.push_back(std::uint8_t(acc));
    return out;
}

Bytes SubBlocks(const Bytes& data, int blockSize) {
    Bytes out;
    for (std::size_t at = 0; at < data.size(); at += std::size_t(blockSize)) {
        const std::size_t n = std::min<std::size_t>(std::size_t(blockSize), data.size() - at);
        out.push_back(std::uint8_t(n));
        out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + n));
    }
    out.push_back(0);
    return out;
}

GifBuilder& GifBuilder::Header(int width, int height, int globalBits, const std::string& signature) {
    Raw(Bytes(signature.begin(), signature.end()));
    const std::uint8_t packed = globalBits > 0 ? std::uint8_t(0x80 | (globalBits - 1)) : 0;
    Raw({std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height), std::uint8_t(height >> 8), packed, 0, 0});
    const int entries = globalBits > 0 ? 1 << globalBits : 0;
    for (int i = 0; i < entries; ++i) {
        const std::uint8_t gray = std::uint8_t(i * 255 / std::max(entries - 1, 1));
        Raw({gray, gray, gray});
    }
    return *this;
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, int transparentIndex) {
    const std::uint8_t packed = std::uint8_t(disposal << 2 | (transparentIndex >= 0 ? 1 : 0));
    return Raw({0x21, 0xF9, 4, packed, std::uint8_t(delay), std::uint8_t(delay >> 8),
                std::uint8_t(std::max(transparentIndex, 0)), 0});
}

GifBuilder& GifBuilder::Descriptor(int left, int top, int width, int height, std::uint8_t packed) {
    return Raw({0x2C, std::uint8_t(left), std::uint8_t(left >> 8), std::uint8_t(top), std::uint8_t(top >> 8),
                std::uint8_t(width), std::uint8_t(width >> 8), std::uint8_t(height), std::uint8_t(height >> 8),
                packed});
}

GifBuilder& GifBuilder::Codes(int minCodeSize, const std::vector<int>& codes, int blockSize) {
    Raw({std::uint8_t(minCodeSize)});
    return Raw(SubBlocks(PackCodes(minCodeSize, codes), blockSize));
}

GifBuilder& GifBuilder::Raw(const Bytes& bytes) {
    bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
    return *this;
}

Loaded Load(const Bytes& bytes) {
    Loaded loaded;
    loaded.image = std::make_unique<TGIFImage>();
    loaded.image->WarningHandler = [&loaded](TObject*, std::int32_t, const std::string& message) {
        loaded.warnings.push_back(message);
    };
    TMemoryStream stream;
    if (!bytes.empty()) stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    loaded.image->LoadFromStream(stream);
    loaded.image->WarningHandler = nullptr;
    loaded.endPosition = stream.Position();
    return loaded;
}

std::string LoadError(const Bytes& bytes) {
    try {
        Load(bytes);
    } catch (const GIFException& e) {
        return e.Message();
    }
    return "";
}

namespace {
int LoopCount(const SavedImage& image) {
    for (int j = 0; j + 1 < image.ExtensionBlockCount; ++j) {
        const ExtensionBlock& block = image.ExtensionBlocks[j];
        const ExtensionBlock& next = image.ExtensionBlocks[j + 1];
        if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
            std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0 && next.ByteCount >= 3 && next.Bytes[0] == 1)
            return next.Bytes[1] | next.Bytes[2] << 8;
    }
    return -1;
}
}  // namespace

std::optional<RefGif> GiflibRead(const Bytes& bytes) {
    giflibmemory::Cursor cursor{&bytes};
    GifFileType* file = giflibmemory::Slurp(cursor);
    if (!file) return std::nullopt;
    RefGif ref{file->SWidth, file->SHeight, -1, {}};
    for (int i = 0; i < file->ImageCount; ++i) {
        const SavedImage& image = file->SavedImages[i];
        const GifImageDesc& d = image.ImageDesc;
        RefFrame frame{d.Left, d.Top, d.Width, d.Height, bool(d.Interlace), {}};
        frame.indices.assign(image.RasterBits, image.RasterBits + std::size_t(d.Width) * std::size_t(d.Height));
        GraphicsControlBlock gcb;
        if (DGifSavedExtensionToGCB(file, i, &gcb) == GIF_OK) {
            frame.delay = gcb.DelayTime;
            frame.disposal = gcb.DisposalMode;
            frame.transparent = gcb.TransparentColor;
        }
        frame.localColors = d.ColorMap ? d.ColorMap->ColorCount : 0;
        if (ref.loops < 0) ref.loops = LoopCount(image);
        ref.frames.push_back(std::move(frame));
    }
    int error = 0;
    DGifCloseFile(file, &error);
    return ref;
}

RefGif Describe(TGIFImage& image) {
    RefGif ref{image.ImageWidth(), image.ImageHeight(), -1, {}};
    for (int i = 0; i < image.Images().Count(); ++i) {
        TGIFSubImage& frame = *image.Images().Frame(i);
        RefFrame out{frame.Left(), frame.Top(), frame.Width(), frame.Height(), frame.Interlaced(), {}};
        if (frame.PixelBuffer()) out.indices.assign(frame.PixelBuffer(), frame.PixelBuffer() + frame.PixelCount());
        if (auto* control = frame.GraphicControlExtension()) {
            out.delay = control->Delay();
            out.disposal = control->Disposal();
            out.transparent = control->HasTransparency() ? control->TransparentColorIndex() : -1;
        }
        out.localColors = frame.ColorMap().Count();
        for (int j = 0; j < frame.Extensions().Count() && ref.loops < 0; ++j)
            if (auto* loop = dynamic_cast<TGIFAppExtNSLoop*>(frame.Extensions().Extension(j))) ref.loops = loop->Loops;
        ref.frames.push_back(std::move(out));
    }
    return ref;
}

std::string Photo(const std::string& name) {
    const std::filesystem::path path = std::filesystem::path("/usr/share/backgrounds/mate") / name;
    return std::filesystem::exists(path) ? path.string() : "";
}

Bytes MagickGif(const std::string& photo, const std::vector<std::string>& options) {
    if (photo.empty() || !std::filesystem::exists("/usr/bin/convert")) return {};
    testdata::TempDir dir;
    const std::string out = dir.File("out.gif");
    // Decoding the photograph at a reduced size keeps the tool quick.
    std::string command = "/usr/bin/convert -define jpeg:size=800x600 '" + photo + "'";
    for (const std::string& option : options) command += " " + option;
    command += " '" + out + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return {};
    return ReadFile(out);
}

std::unique_ptr<TBitmap> FilledBitmap(int width, int height, TColor color) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->ResizeWidth(width);
    bitmap->ResizeHeight(height);
    bitmap->Canvas().Brush().SetColor(color);
    bitmap->Canvas().FillArea({0, 0, width, height});
    return bitmap;
}

}  // namespace giftest
