#include "JpegTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include "graphics/Streams.h"
#include "support/TestData.h"

namespace jpegtest {

Rgb Pattern(int x, int y) {
    const int edge = ((x / 7 + y / 5) % 3 == 0) ? 60 : 0;
    return Rgb{(x * 5 + edge) % 256, (y * 3 + x) % 256, (255 - y * 4 + edge) & 255};
}

Bytes Encode(TBitmap& bitmap, const EncodeOptions& options) {
    TJPEGImage image;
    image.SetGrayOutput(options.gray);
    image.CopyFrom(&bitmap);
    image.JpegQuality = std::uint8_t(options.quality);
    image.WriteProgressive = options.progressive;
    image.Encode();
    TMemoryStream out;
    image.SaveToStream(out);
    return Bytes(out.Memory(), out.Memory() + out.Size());
}

Bytes CompressRaw(const RawCompression& raw) {
    jpeg_compress_struct c{};
    jpeg_error_mgr errors{};
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* memory = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &memory, &size);
    c.image_width = JDIMENSION(raw.width);
    c.image_height = JDIMENSION(raw.height);
    c.input_components = raw.components;
    c.in_color_space = raw.inputSpace;
    jpeg_set_defaults(&c);
    if (raw.configure) raw.configure(c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(std::size_t(raw.width) * std::size_t(raw.components));
    while (c.next_scanline < c.image_height) {
        raw.row(int(c.next_scanline), row.data());
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&c, rows, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    Bytes file(memory, memory + size);
    std::free(memory);
    return file;
}

Bytes EncodeComponents(int width, int height, int components) {
    std::vector<jpeg_scan_info> scans;
    for (int first = 0; first < components; first += MAX_COMPS_IN_SCAN) {
        jpeg_scan_info scan{};
        scan.comps_in_scan = std::min(MAX_COMPS_IN_SCAN, components - first);
        for (int i = 0; i < scan.comps_in_scan; ++i) scan.component_index[i] = first + i;
        scan.Se = 63;
        scans.push_back(scan);
    }
    const std::size_t samples = std::size_t(width) * std::size_t(components);
    return CompressRaw({width, height, components, JCS_UNKNOWN,
                        [&](jpeg_compress_struct& c) {
                            jpeg_set_colorspace(&c, JCS_UNKNOWN);
                            c.scan_info = scans.data();
                            c.num_scans = int(scans.size());
                        },
                        [&](int y, JSAMPLE* row) {
                            for (std::size_t i = 0; i < samples; ++i) row[i] = JSAMPLE((i + std::size_t(y)) * 7);
                        }});
}

Bytes EncodePattern(int width, int height, const EncodeOptions& options) {
    auto bitmap = MakeBitmap(width, height, Pattern);
    return Encode(*bitmap, options);
}

std::unique_ptr<TJPEGImage> Load(const Bytes& bytes) {
    auto image = std::make_unique<TJPEGImage>();
    TMemoryStream in;
    in.WriteBuffer(bytes.data(), std::int64_t(bytes.size()));
    in.SetPosition(0);
    image->LoadFromStream(in);
    return image;
}

std::vector<Rgb> PaletteOf(TBitmap& bitmap) {
    platform::PALETTEENTRY entries[256];
    const unsigned count = platform::GetPaletteEntries(bitmap.PaletteHandle(), 0, 256, entries);
    std::vector<Rgb> palette;
    for (unsigned i = 0; i < count; ++i)
        palette.push_back(Rgb{entries[i].peRed, entries[i].peGreen, entries[i].peBlue});
    return palette;
}

Rgb PixelOf(TBitmap& bitmap, int x, int y) {
    const std::uint8_t* row = bitmap.ScanRow(y);
    if (bitmap.CurrentDepth() == TPixelDepth::Bits8) return PaletteOf(bitmap).at(row[x]);
    return Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]};
}

std::vector<Segment> Segments(const Bytes& file) {
    std::vector<Segment> segments;
    std::size_t at = 0;
    while (at + 1 < file.size()) {
        if (file[at] != 0xFF) {  // entropy-coded data: on to the next marker that is not a stuffed byte or restart
            ++at;
            continue;
        }
        const std::uint8_t marker = file[at + 1];
        if (marker == 0x00 || marker == 0xFF || (marker >= 0xD0 && marker <= 0xD7)) {
            ++at;
            continue;
        }
        at += 2;
        Segment segment{marker, {}};
        const bool standalone = marker == 0xD8 || marker == 0xD9;
        if (!standalone && at + 1 < file.size()) {
            const std::size_t length = std::size_t(file[at]) << 8 | file[at + 1];
            const std::size_t end = std::min(file.size(), at + length);
            segment.body.assign(file.begin() + std::ptrdiff_t(at + 2), file.begin() + std::ptrdiff_t(end));
            at = end;
        }
        segments.push_back(segment);
        if (marker == 0xD9) break;
    }
    return segments;
}

std::vector<Segment> SegmentsOf(const Bytes& file, std::uint8_t marker) {
    std::vector<Segment> found;
    for (const Segment& s : Segments(file))
        if (s.marker == marker) found.push_back(s);
    return found;
}

Picture PictureOf(TBitmap& bitmap) {
    Picture picture{bitmap.ImageWidth(), bitmap.ImageHeight(), {}};
    const bool indexed = bitmap.CurrentDepth() == TPixelDepth::Bits8;
    const std::vector<Rgb> palette = indexed ? PaletteOf(bitmap) : std::vector<Rgb>();
    for (int y = 0; y < picture.height; ++y) {
        const std::uint8_t* row = bitmap.ScanRow(y);
        for (int x = 0; x < picture.width; ++x)
            picture.pixels.push_back(indexed ? palette.at(row[x]) : Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    return picture;
}

int MeanDifference(TBitmap& a, TBitmap& b) {
    const Picture x = PictureOf(a), y = PictureOf(b);
    if (x.width != y.width || x.height != y.height || x.pixels.empty()) return 255;
    long total = 0;
    for (std::size_t i = 0; i < x.pixels.size(); ++i)
        total += std::abs(x.pixels[i].r - y.pixels[i].r) + std::abs(x.pixels[i].g - y.pixels[i].g) +
                 std::abs(x.pixels[i].b - y.pixels[i].b);
    return int(total / long(3 * x.pixels.size()));
}

bool HaveTool(const std::string& name) { return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0; }

namespace {

std::optional<Picture> ReadNetpbm(const std::filesystem::path& path) {
    const Bytes data = ReadFile(path);
    std::string text(data.begin(), data.end());
    std::istringstream header(text);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    header >> magic >> width >> height >> maxval;
    if ((magic != "P6" && magic != "P5") || maxval != 255 || width <= 0 || height <= 0) return std::nullopt;
    const std::size_t start = std::size_t(header.tellg()) + 1;
    const std::size_t channels = magic == "P6" ? 3 : 1;
    if (data.size() < start + std::size_t(width) * std::size_t(height) * channels) return std::nullopt;
    Picture picture{width, height, {}};
    for (std::size_t i = 0; i < std::size_t(width) * std::size_t(height); ++i) {
        const std::uint8_t* p = &data[start + i * channels];
        picture.pixels.push_back(channels == 3 ? Rgb{p[0], p[1], p[2]} : Rgb{p[0], p[0], p[0]});
    }
    return picture;
}

}  // namespace

std::optional<Picture> Djpeg(const std::filesystem::path& file, const std::string& options) {
    if (!HaveTool("djpeg")) return std::nullopt;
    testdata::TempDir temp;
    const std::string out = temp.File("out.pnm");
    const std::string command = "djpeg " + options + " -outfile '" + out + "' '" + file.string() + "' 2>/dev/null";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return ReadNetpbm(out);
}

void ProgressLog::Attach(TGraphic& graphic, std::function<void()> onRunning) {
    graphic.OnProgress = [this, onRunning](TObject*, TProgressStage stage, std::uint8_t percent, bool redraw,
                                           const TRect& r, const std::string&) {
        switch (stage) {
        case TProgressStage::psStarting: ++starting; break;
        case TProgressStage::psEnding:
            ++ending;
            endingPercent = percent;
            break;
        case TProgressStage::psRunning:
            ++running;
            percents.push_back(percent);
            bands.push_back(r);
            redraws.push_back(redraw);
            if (onRunning) onRunning();
            break;
        }
    };
}

}  // namespace jpegtest
