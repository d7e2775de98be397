#include "jpeg/JpegProfile.h"

#include <array>
#include <cstring>

namespace jpeg {
namespace {

constexpr int kProfileMarker = JPEG_APP0 + 2;
constexpr char kSignature[] = "ICC_PROFILE";               // with its terminating zero: 12 bytes
constexpr std::size_t kChunkHead = sizeof kSignature + 2;  // signature, sequence number, count

bool IsProfileChunk(const jpeg_marker_struct& marker) {
    return marker.marker == kProfileMarker && marker.data_length > kChunkHead &&
           std::memcmp(marker.data, kSignature, sizeof kSignature) == 0;
}

}  // namespace

void KeepProfileMarkers(j_decompress_ptr cinfo) { jpeg_save_markers(cinfo, kProfileMarker, 0xFFFF); }

std::vector<std::uint8_t> EmbeddedProfile(j_decompress_ptr cinfo) {
    std::array<const jpeg_marker_struct*, 256> chunks{};  // by sequence number, which starts at 1
    unsigned count = 0;
    std::size_t total = 0;
    for (const jpeg_marker_struct* m = cinfo->marker_list; m; m = m->next) {
        if (!IsProfileChunk(*m)) continue;
        const unsigned sequence = m->data[sizeof kSignature];
        const unsigned chunkCount = m->data[sizeof kSignature + 1];
        if (count == 0) count = chunkCount;
        if (chunkCount != count || sequence == 0 || sequence > count || chunks[sequence]) return {};
        chunks[sequence] = m;
        total += m->data_length - kChunkHead;
        if (total > platform::kMaxIccProfileBytes) return {};
    }
    std::vector<std::uint8_t> profile;
    profile.reserve(total);
    for (unsigned i = 1; i <= count; ++i) {
        if (!chunks[i]) return {};
        profile.insert(profile.end(), chunks[i]->data + kChunkHead, chunks[i]->data + chunks[i]->data_length);
    }
    return profile;
}

std::shared_ptr<const platform::IccTransform> ProfileTransform(j_decompress_ptr cinfo, bool grayOutput) {
    if (cinfo->quantize_colors) return nullptr;
    platform::IccPixels pixels = platform::IccPixels::Bgr;
    if (cinfo->out_color_space == JCS_CMYK && !grayOutput)
        pixels = cinfo->saw_Adobe_marker ? platform::IccPixels::InvertedCmyk : platform::IccPixels::Cmyk;
    else if (cinfo->out_color_space != JCS_EXT_BGR) return nullptr;
    return platform::TransformToSrgb(EmbeddedProfile(cinfo), pixels);
}

}  // namespace jpeg
