#pragma once
// Photos stored sideways: phones keep the sensor's rows and say in an EXIF Orientation tag how
// the picture is to be turned. The conversion, its preview and the full-size view all work on
// the upright picture, so a portrait photo is not sized and saved lying on its side.

#include <cstdint>

class TPicture;

struct TPictureSize {
    std::int32_t Width = 0;
    std::int32_t Height = 0;
};

// Turns the picture just read upright: a JPEG whose EXIF orientation is 2..8 is replaced by its
// decoded bitmap, turned and mirrored; the PNG, WebP and HEIF images are told whether to apply
// their own orientation. `autoOrient` false keeps every picture as stored (HEIF's rotation
// properties excepted, which belong to the picture itself). A JPEG without the tag, or with
// orientation 1, stays exactly as read.
void OrientUpright(TPicture& picture, bool autoOrient = true);

// The size the picture has once OrientUpright has turned it, known from its header alone: a
// sideways photo is not decoded to learn that its sides trade places.
TPictureSize UprightSize(TPicture& picture, bool autoOrient = true);
