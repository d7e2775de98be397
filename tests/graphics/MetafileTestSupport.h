#pragma once
// Helpers of the metafile tests: enhanced metafiles built record by record, and pictures drawn
// into white bitmaps and read back as images.

#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <initializer_list>
#include <vector>

#include "graphics/Bitmap.h"
#include "graphics/Metafile.h"
#include "graphics/Streams.h"

namespace emftest {

// Text drawing needs the GUI application; the tests make an offscreen one once.
inline void EnsureGuiApplication() {
    static int argc = 3;
    static char name[] = "metafile_tests", option[] = "-platform", platformName[] = "offscreen";
    static char* argv[] = {name, option, platformName, nullptr};
    if (!QCoreApplication::instance()) new QGuiApplication(argc, argv);
}

// An enhanced metafile: a header with a frame and a reference device, the records, an end.
class EmfBuilder {
public:
    // Frame in 0.01 mm; by default a reference device of 10 pixels a millimetre, so the default
    // frame is 100 x 100 pixels.
    explicit EmfBuilder(std::int32_t frameRight = 1000, std::int32_t frameBottom = 1000, std::int32_t deviceX = 1000,
                        std::int32_t deviceY = 1000, std::int32_t mmX = 100, std::int32_t mmY = 100) {
        Begin(1);
        Ints({0, 0, 100, 100, 0, 0, frameRight, frameBottom});
        Ints({0x464D4520, 0x10000, 0, 0});   // signature, version, bytes and records filled in Bytes()
        Ints({64, 0, 0, 0});                 // handles, description, palette entries
        Ints({deviceX, deviceY, mmX, mmY});  // device pixels, millimetres
        Ints({0, 0, 0});                     // no pixel format, no OpenGL
        End();
    }
    // A record of the given type whose body is these 32-bit values.
    EmfBuilder& Record(std::uint32_t type, std::initializer_list<std::int32_t> body) {
        Begin(type);
        Ints(body);
        End();
        return *this;
    }
    // A record body given as raw bytes (padded to 4).
    EmfBuilder& Raw(std::uint32_t type, const std::vector<std::uint8_t>& body) {
        Begin(type);
        bytes_.insert(bytes_.end(), body.begin(), body.end());
        while (bytes_.size() % 4) bytes_.push_back(0);
        End();
        return *this;
    }
    std::vector<std::uint8_t> Bytes() const {
        std::vector<std::uint8_t> out = bytes_;
        const std::vector<std::int32_t> eof{14, 20, 0, 16, 20};
        for (std::int32_t v : eof) Put(out, std::uint32_t(v));
        Set(out, 48, std::uint32_t(out.size()));
        return out;
    }

    static void Put(std::vector<std::uint8_t>& b, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
    }
    static void Set(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = std::uint8_t(v >> (8 * i));
    }

private:
    void Begin(std::uint32_t type) {
        start_ = bytes_.size();
        Put(bytes_, type);
        Put(bytes_, 0);
    }
    void Ints(std::initializer_list<std::int32_t> values) {
        for (std::int32_t v : values) Put(bytes_, std::uint32_t(v));
    }
    void End() { Set(bytes_, start_ + 4, std::uint32_t(bytes_.size() - start_)); }

    std::vector<std::uint8_t> bytes_;
    std::size_t start_ = 0;
};

// A placeable Windows metafile: the 22-byte header with its checksum, META_HEADER, the records
// (16-bit words in file order), the end record.
class WmfBuilder {
public:
    WmfBuilder(std::int16_t right = 100, std::int16_t bottom = 100, std::uint16_t inch = 96) {
        for (int w : {0xCDD7, 0x9AC6, 0, 0, 0, int(std::uint16_t(right)), int(std::uint16_t(bottom)), int(inch), 0, 0})
            Word(std::uint16_t(w));
        std::uint16_t checksum = 0;
        for (std::size_t i = 0; i < 20; i += 2) checksum ^= std::uint16_t(bytes_[i] | (bytes_[i + 1] << 8));
        Word(checksum);
        for (int w : {2, 9, 0x300, 0, 0, 8, 0, 0, 0}) Word(std::uint16_t(w));  // disk metafile, 8 objects
    }
    WmfBuilder& Record(std::uint16_t function, const std::vector<std::uint16_t>& words) {
        const std::uint32_t size = 3 + std::uint32_t(words.size());
        Word(std::uint16_t(size));
        Word(std::uint16_t(size >> 16));
        Word(function);
        for (std::uint16_t w : words) Word(w);
        return *this;
    }
    std::vector<std::uint8_t> Bytes() {
        std::vector<std::uint8_t> out = bytes_;
        for (int w : {3, 0, 0}) out.push_back(std::uint8_t(w)), out.push_back(std::uint8_t(w >> 8));
        return out;
    }

private:
    void Word(std::uint16_t w) {
        bytes_.push_back(std::uint8_t(w));
        bytes_.push_back(std::uint8_t(w >> 8));
    }
    std::vector<std::uint8_t> bytes_;
};

inline void Load(TMetafile& metafile, const std::vector<std::uint8_t>& bytes) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    stream.SetPosition(0);
    metafile.LoadFromStream(stream);
}

// The graphic stretch-drawn into a white bitmap of the given size, as the conversion draws it.
inline QImage Render(TGraphic& graphic, int width, int height) {
    TBitmap target;
    target.ResizeWidth(width);
    target.ResizeHeight(height);
    target.Canvas().StretchDrawGraphic({0, 0, width, height}, &graphic);
    target.ChangeDepth(TPixelDepth::Bits32);
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) std::copy_n(target.ReadScanRow(y), std::size_t(width) * 4, image.scanLine(y));
    return image;
}

}  // namespace emftest
