// Writing a frame: its extensions, Image Descriptor, local colour map and image data.
#include "gif/GIFEncoder.h"
#include "gif/GIFImage.h"
#include "gif/GIFStreamIO.h"
#include "graphics/Streams.h"

namespace {
// A frame with its own colours is always written non-interlaced; one without keeps its
// interlace flag.
std::uint8_t PackedFields(TGIFSubImage& frame) {
    TGIFLocalColorMap& map = frame.ColorMap();
    if (map.Count() > 0)
        return std::uint8_t(TGIFSubImage::LocalMapFlag | (map.Sorted() ? TGIFSubImage::SortFlag : 0) |
                            (TGIFColorMap::BitsForColorCount(map.Count()) - 1));
    return std::uint8_t(frame.Descriptor().PackedFields & ~(TGIFSubImage::LocalMapFlag | TGIFSubImage::SortFlag | 7));
}
}  // namespace

void TGIFSubImage::SaveToStream(TStream& stream) {
    extensions_.SaveToStream(stream);
    if (IsEmpty()) return;
    descriptor_.PackedFields = PackedFields(*this);
    const TImageDescriptor& d = descriptor_;
    gif::WriteU8(stream, d.Separator);
    for (std::uint16_t v : {d.Left, d.Top, d.Width, d.Height}) gif::WriteU16(stream, v);
    gif::WriteU8(stream, d.PackedFields);
    colorMap_.SaveToStream(stream);
    gif::EncodeFrame(*this, stream);
}
