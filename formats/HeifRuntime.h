#pragma once
// libheif, loaded when the first HEIF picture is read rather than when the program starts: its
// decoders set up large tables as they load, which costs a run of JPEG files more than
// converting a small one.

#include <libheif/heif.h>

// Every libheif function the program calls, by its name without the "heif_" prefix.
// clang-format off
#define OBRAZOR_HEIF_CALLS(X)                                                                          \
    X(context_alloc) X(context_free) X(context_set_maximum_image_size_limit)                           \
    X(context_set_max_decoding_threads) X(context_read_from_memory_without_copy)                       \
    X(context_get_primary_image_handle) X(image_handle_release) X(image_handle_get_ispe_width)         \
    X(image_handle_get_ispe_height) X(image_handle_get_width) X(image_handle_get_height)               \
    X(image_handle_has_alpha_channel) X(image_handle_get_color_profile_type)                           \
    X(image_handle_get_raw_color_profile_size) X(image_handle_get_raw_color_profile) X(decode_image)   \
    X(image_release) X(image_get_plane_readonly) X(image_get_width) X(image_get_height)                \
    X(image_get_bits_per_pixel_range)
// clang-format on

namespace formats {

struct HeifCalls {
#define OBRAZOR_HEIF_SLOT(name) decltype(&::heif_##name) name = nullptr;
    OBRAZOR_HEIF_CALLS(OBRAZOR_HEIF_SLOT)
#undef OBRAZOR_HEIF_SLOT
};

// The library's functions, loaded on the first call (from any thread) and kept for the rest of
// the process. Raises EInvalidGraphic "HEIF image is not valid" when the library or one of its
// functions cannot be had.
const HeifCalls& Heif();

}  // namespace formats
