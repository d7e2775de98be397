#pragma once
// Photos for the colour-management tests: a small JPEG made from a real photograph with
// ImageMagick, and a colour profile put into a JPEG file's APP2 markers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "support/TestData.h"

namespace tagged {

using Bytes = std::vector<std::uint8_t>;

inline const std::string kColordProfiles = "/usr/share/color/icc/colord/";

// /usr/bin/convert on a photograph of the installed backgrounds, without its profiles, scaled to 160 x 120, with
// `options` before the output name; nothing when the tool or the photograph is missing.
std::optional<Bytes> MakePhoto(const testdata::TempDir& temp, const std::string& options = "",
                               const std::string& extension = "jpg");

// The file's bytes; empty when it cannot be read.
Bytes ReadBytes(const std::string& path);

struct Rgb {
    int r, g, b;
};
// Mean absolute difference per channel of two pictures of one size.
double MeanDifference(const std::vector<Rgb>& a, const std::vector<Rgb>& b);
// The picture with red and green trading places.
std::vector<Rgb> RedAndGreenSwapped(std::vector<Rgb> pixels);

// The JPEG with the profile in "ICC_PROFILE" chunks of at most `chunk` bytes right after its
// start marker, the last chunk first when `reversed`.
Bytes WithProfile(const Bytes& jpeg, const Bytes& profile, std::size_t chunk = 65519, bool reversed = false);

}  // namespace tagged
