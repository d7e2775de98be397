#include "support/TaggedPhotos.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace tagged {
namespace {

const char* const kPhotograph = "/usr/share/backgrounds/mate/nature/LadyBird.jpg";

Bytes ChunkSegment(const Bytes& profile, std::size_t start, std::size_t size, std::size_t sequence, std::size_t count) {
    const std::size_t length = 2 + 12 + 2 + size;
    Bytes segment{0xFF, 0xE2, std::uint8_t(length >> 8), std::uint8_t(length)};
    const char signature[] = "ICC_PROFILE";
    segment.insert(segment.end(), signature, signature + sizeof signature);
    segment.push_back(std::uint8_t(sequence));
    segment.push_back(std::uint8_t(count));
    segment.insert(segment.end(), profile.begin() + std::ptrdiff_t(start),
                   profile.begin() + std::ptrdiff_t(start + size));
    return segment;
}

}  // namespace

std::optional<Bytes> MakePhoto(const testdata::TempDir& temp, const std::string& options,
                               const std::string& extension) {
    if (!std::filesystem::exists("/usr/bin/convert") || !std::filesystem::exists(kPhotograph)) return std::nullopt;
    const std::string out = temp.File("photo." + extension);
    const std::string command = std::string("/usr/bin/convert '") + kPhotograph + "' +profile '*' -resize '160x120!' " +
                                options + " '" + out + "'";
    if (std::system(command.c_str()) != 0) return std::nullopt;
    return ReadBytes(out);
}

Bytes ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Bytes WithProfile(const Bytes& jpeg, const Bytes& profile, std::size_t chunk, bool reversed) {
    const std::size_t count = (profile.size() + chunk - 1) / chunk;
    std::vector<Bytes> segments;
    for (std::size_t i = 0; i < count; ++i)
        segments.push_back(ChunkSegment(profile, i * chunk, std::min(chunk, profile.size() - i * chunk), i + 1, count));
    if (reversed) std::reverse(segments.begin(), segments.end());
    Bytes file(jpeg.begin(), jpeg.begin() + 2);  // the start-of-image marker
    for (const Bytes& s : segments) file.insert(file.end(), s.begin(), s.end());
    file.insert(file.end(), jpeg.begin() + 2, jpeg.end());
    return file;
}

double MeanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b) {
    if (a.size() != b.size() || a.empty()) return 255;
    double total = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        total += std::abs(a[i].r - b[i].r) + std::abs(a[i].g - b[i].g) + std::abs(a[i].b - b[i].b);
    return total / double(3 * a.size());
}

std::vector<Rgb> RedAndGreenSwapped(std::vector<Rgb> pixels) {
    for (Rgb& p : pixels) std::swap(p.r, p.g);
    return pixels;
}

}  // namespace tagged
