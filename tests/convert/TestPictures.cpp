#include "TestPictures.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "graphics/Bitmap.h"
#include "jpeg/JPEGImage.h"

namespace convtest {

namespace {

void Fill(TBitmap& bitmap, int width, int height) {
    bitmap.ChangeDepth(TPixelDepth::Bits24);
    bitmap.ResizeWidth(width);
    bitmap.ResizeHeight(height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.ScanRow(y);
        for (int x = 0; x < width; ++x) {
            row[3 * x + 0] = std::uint8_t(x * 255 / std::max(1, width - 1));   // blue
            row[3 * x + 1] = std::uint8_t(y * 255 / std::max(1, height - 1));  // green
            row[3 * x + 2] = std::uint8_t((x / 8 + y / 8) % 2 ? 230 : 20);     // red checks
        }
    }
}

}  // namespace

void WriteBmp(const std::string& path, int width, int height) {
    TBitmap bitmap;
    Fill(bitmap, width, height);
    bitmap.WriteToFile(path);
}

void WriteJpeg(const std::string& path, int width, int height) {
    TBitmap bitmap;
    Fill(bitmap, width, height);
    TJPEGImage jpeg;
    jpeg.CopyFrom(&bitmap);
    jpeg.JpegQuality = 90;
    jpeg.Encode();
    jpeg.WriteToFile(path);
}

void WriteText(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

Bytes ReadBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

std::vector<std::string> FolderNames(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace convtest
